// Other programs' windows for end-to-end tests. They stay until killed.
//   e2e_strut_panel <height>            a docked panel along the bottom of the screen that
//                                       reserves the given height with _NET_WM_STRUT_PARTIAL, as
//                                       a desktop's task bar does
//   e2e_strut_panel --above X Y W H     a plain window kept above the others (_NET_WM_STATE_ABOVE),
//                                       as another always-on-top tool would be; prints its id

#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <unistd.h>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

void SetAtomProperty(Display* display, Window window, const char* property, const char* value) {
  Atom atom = XInternAtom(display, value, False);
  XChangeProperty(display, window, XInternAtom(display, property, False), XA_ATOM, 32,
                  PropModeReplace, reinterpret_cast<unsigned char*>(&atom), 1);
}

}  // namespace

int main(int argc, char** argv) {
  Display* display = XOpenDisplay(nullptr);
  if (!display) {
    std::fprintf(stderr, "e2e_strut_panel: cannot open display\n");
    return 1;
  }
  const int screen = DefaultScreen(display);
  const Window root = RootWindow(display, screen);
  Window window = None;
  if (argc == 6 && std::strcmp(argv[1], "--above") == 0) {
    window = XCreateSimpleWindow(display, root, std::atoi(argv[2]), std::atoi(argv[3]),
                                 static_cast<unsigned>(std::atoi(argv[4])),
                                 static_cast<unsigned>(std::atoi(argv[5])), 0, 0, 0x808080);
    SetAtomProperty(display, window, "_NET_WM_STATE", "_NET_WM_STATE_ABOVE");
    std::printf("0x%lx\n", window);
    std::fflush(stdout);
  } else {
    const int height = argc > 1 ? std::atoi(argv[1]) : 30;
    const int width = DisplayWidth(display, screen);
    const int screenHeight = DisplayHeight(display, screen);
    window =
        XCreateSimpleWindow(display, root, 0, screenHeight - height, static_cast<unsigned>(width),
                            static_cast<unsigned>(height), 0, 0, 0x404040);
    SetAtomProperty(display, window, "_NET_WM_WINDOW_TYPE", "_NET_WM_WINDOW_TYPE_DOCK");
    // left, right, top, bottom, then the start and end of each along its edge.
    long strut[12] = {0, 0, 0, height, 0, 0, 0, 0, 0, 0, 0, width - 1};
    XChangeProperty(display, window, XInternAtom(display, "_NET_WM_STRUT_PARTIAL", False),
                    XA_CARDINAL, 32, PropModeReplace, reinterpret_cast<unsigned char*>(strut), 12);
    XChangeProperty(display, window, XInternAtom(display, "_NET_WM_STRUT", False), XA_CARDINAL, 32,
                    PropModeReplace, reinterpret_cast<unsigned char*>(strut), 4);
  }
  XMapWindow(display, window);
  XFlush(display);
  for (;;) pause();
}
