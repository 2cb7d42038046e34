// A docked panel for end-to-end tests: a window along the bottom of the screen that reserves the
// given height with _NET_WM_STRUT_PARTIAL, as a desktop's task bar does. It stays until killed.
// Usage: e2e_strut_panel <height>

#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <unistd.h>
#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
  const int height = argc > 1 ? std::atoi(argv[1]) : 30;
  Display* display = XOpenDisplay(nullptr);
  if (!display) {
    std::fprintf(stderr, "e2e_strut_panel: cannot open display\n");
    return 1;
  }
  const int screen = DefaultScreen(display);
  const int width = DisplayWidth(display, screen);
  const int screenHeight = DisplayHeight(display, screen);
  Window window = XCreateSimpleWindow(display, RootWindow(display, screen), 0,
                                      screenHeight - height, static_cast<unsigned>(width),
                                      static_cast<unsigned>(height), 0, 0, 0x404040);
  Atom type = XInternAtom(display, "_NET_WM_WINDOW_TYPE", False);
  Atom dock = XInternAtom(display, "_NET_WM_WINDOW_TYPE_DOCK", False);
  XChangeProperty(display, window, type, XA_ATOM, 32, PropModeReplace,
                  reinterpret_cast<unsigned char*>(&dock), 1);
  // left, right, top, bottom, then the start and end of each along its edge.
  long strut[12] = {0, 0, 0, height, 0, 0, 0, 0, 0, 0, 0, width - 1};
  XChangeProperty(display, window, XInternAtom(display, "_NET_WM_STRUT_PARTIAL", False),
                  XA_CARDINAL, 32, PropModeReplace, reinterpret_cast<unsigned char*>(strut), 12);
  XChangeProperty(display, window, XInternAtom(display, "_NET_WM_STRUT", False), XA_CARDINAL, 32,
                  PropModeReplace, reinterpret_cast<unsigned char*>(strut), 4);
  XMapWindow(display, window);
  XFlush(display);
  for (;;) pause();
}
