// A native Wayland program with a window, for end-to-end tests: the application the user works in
// while hovering the bar. It shows a plain grey window and keeps the file named on its command line
// saying whether it has the keyboard ("focused" or "unfocused", replaced whole on each change), so
// a test can tell that the bar never took the keyboard from it. It runs until it is killed.
// Usage: e2e_wayland_window <state file>

#include <sys/mman.h>
#include <unistd.h>
#include <wayland-client.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "xdg-shell-client-protocol.h"

namespace {

constexpr int kWidth = 640;
constexpr int kHeight = 480;

struct App {
  std::string stateFile;
  wl_compositor* compositor = nullptr;
  wl_shm* shm = nullptr;
  xdg_wm_base* shell = nullptr;
  wl_seat* seat = nullptr;
  wl_keyboard* keyboard = nullptr;
  wl_surface* surface = nullptr;
  wl_buffer* buffer = nullptr;
  bool configured = false;
};

void WriteState(const App& app, const char* state) {
  const std::string temporary = app.stateFile + ".tmp";
  if (FILE* file = std::fopen(temporary.c_str(), "w")) {
    std::fprintf(file, "%s\n", state);
    std::fclose(file);
    std::rename(temporary.c_str(), app.stateFile.c_str());
  }
}

// A grey XRGB buffer the size of the window, from shared memory.
wl_buffer* MakeBuffer(wl_shm* shm) {
  const int stride = kWidth * 4;
  const int size = stride * kHeight;
  const int fd = memfd_create("e2e-window", MFD_CLOEXEC);
  if (fd < 0 || ftruncate(fd, size) != 0) return nullptr;
  void* pixels = mmap(nullptr, size, PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0);
  if (pixels != MAP_FAILED) {
    std::memset(pixels, 0x80, size);
    munmap(pixels, size);
  }
  wl_shm_pool* pool = wl_shm_create_pool(shm, fd, size);
  wl_buffer* buffer =
      wl_shm_pool_create_buffer(pool, 0, kWidth, kHeight, stride, WL_SHM_FORMAT_XRGB8888);
  wl_shm_pool_destroy(pool);
  close(fd);
  return buffer;
}

void OnKeymap(void*, wl_keyboard*, uint32_t, int32_t fd, uint32_t) { close(fd); }
void OnEnter(void* data, wl_keyboard*, uint32_t, wl_surface*, wl_array*) {
  WriteState(*static_cast<App*>(data), "focused");
}
void OnLeave(void* data, wl_keyboard*, uint32_t, wl_surface*) {
  WriteState(*static_cast<App*>(data), "unfocused");
}
void OnKey(void*, wl_keyboard*, uint32_t, uint32_t, uint32_t, uint32_t) {}
void OnModifiers(void*, wl_keyboard*, uint32_t, uint32_t, uint32_t, uint32_t, uint32_t) {}
void OnRepeatInfo(void*, wl_keyboard*, int32_t, int32_t) {}
const wl_keyboard_listener kKeyboardListener = {&OnKeymap, &OnEnter,     &OnLeave,
                                                &OnKey,    &OnModifiers, &OnRepeatInfo};

void OnCapabilities(void* data, wl_seat* seat, uint32_t capabilities) {
  auto* app = static_cast<App*>(data);
  if ((capabilities & WL_SEAT_CAPABILITY_KEYBOARD) && !app->keyboard) {
    app->keyboard = wl_seat_get_keyboard(seat);
    wl_keyboard_add_listener(app->keyboard, &kKeyboardListener, app);
  }
}
void OnSeatName(void*, wl_seat*, const char*) {}
const wl_seat_listener kSeatListener = {&OnCapabilities, &OnSeatName};

void OnPing(void*, xdg_wm_base* shell, uint32_t serial) { xdg_wm_base_pong(shell, serial); }
const xdg_wm_base_listener kShellListener = {&OnPing};

void OnSurfaceConfigure(void* data, xdg_surface* surface, uint32_t serial) {
  auto* app = static_cast<App*>(data);
  xdg_surface_ack_configure(surface, serial);
  if (!app->configured) {
    app->configured = true;
    wl_surface_attach(app->surface, app->buffer, 0, 0);
    wl_surface_damage(app->surface, 0, 0, kWidth, kHeight);
  }
  wl_surface_commit(app->surface);
}
const xdg_surface_listener kSurfaceListener = {&OnSurfaceConfigure};

void OnToplevelConfigure(void*, xdg_toplevel*, int32_t, int32_t, wl_array*) {}
void OnToplevelClose(void*, xdg_toplevel*) {}
void OnToplevelBounds(void*, xdg_toplevel*, int32_t, int32_t) {}
void OnToplevelCapabilities(void*, xdg_toplevel*, wl_array*) {}
const xdg_toplevel_listener kToplevelListener = {&OnToplevelConfigure, &OnToplevelClose,
                                                 &OnToplevelBounds, &OnToplevelCapabilities};

void OnGlobal(void* data, wl_registry* registry, uint32_t name, const char* interface, uint32_t) {
  auto* app = static_cast<App*>(data);
  if (std::strcmp(interface, wl_compositor_interface.name) == 0) {
    app->compositor =
        static_cast<wl_compositor*>(wl_registry_bind(registry, name, &wl_compositor_interface, 1));
  } else if (std::strcmp(interface, wl_shm_interface.name) == 0) {
    app->shm = static_cast<wl_shm*>(wl_registry_bind(registry, name, &wl_shm_interface, 1));
  } else if (std::strcmp(interface, xdg_wm_base_interface.name) == 0) {
    app->shell =
        static_cast<xdg_wm_base*>(wl_registry_bind(registry, name, &xdg_wm_base_interface, 1));
    xdg_wm_base_add_listener(app->shell, &kShellListener, app);
  } else if (!app->seat && std::strcmp(interface, wl_seat_interface.name) == 0) {
    app->seat = static_cast<wl_seat*>(wl_registry_bind(registry, name, &wl_seat_interface, 1));
    wl_seat_add_listener(app->seat, &kSeatListener, app);
  }
}
void OnGlobalRemove(void*, wl_registry*, uint32_t) {}
const wl_registry_listener kRegistryListener = {&OnGlobal, &OnGlobalRemove};

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: e2e_wayland_window <state file>\n");
    return 2;
  }
  App app;
  app.stateFile = argv[1];
  wl_display* display = wl_display_connect(nullptr);
  if (!display) {
    std::fprintf(stderr, "e2e_wayland_window: no Wayland compositor\n");
    return 1;
  }
  wl_registry* registry = wl_display_get_registry(display);
  wl_registry_add_listener(registry, &kRegistryListener, &app);
  wl_display_roundtrip(display);
  if (!app.compositor || !app.shm || !app.shell) {
    std::fprintf(stderr, "e2e_wayland_window: the compositor offers no xdg-shell windows\n");
    return 1;
  }
  WriteState(app, "unfocused");
  app.buffer = MakeBuffer(app.shm);
  if (!app.buffer) return 1;
  app.surface = wl_compositor_create_surface(app.compositor);
  xdg_surface* surface = xdg_wm_base_get_xdg_surface(app.shell, app.surface);
  xdg_surface_add_listener(surface, &kSurfaceListener, &app);
  xdg_toplevel* toplevel = xdg_surface_get_toplevel(surface);
  xdg_toplevel_add_listener(toplevel, &kToplevelListener, &app);
  xdg_toplevel_set_title(toplevel, "native");
  xdg_toplevel_set_app_id(toplevel, "e2e-native");
  wl_surface_commit(app.surface);
  while (wl_display_dispatch(display) >= 0) {
  }
  return 0;
}
