// The compositor's own pointer, for end-to-end tests on a headless wlroots compositor, which has no
// input devices: XWayland delivers xdotool's pointer motion only to the X window under the
// compositor's pointer, so this tool first puts that pointer where the test wants it. It makes a
// virtual pointer on the first seat and reads lines "x y" (screen pixels) from standard input,
// moving the pointer there and printing "moved" once the compositor has taken each move. The
// pointer lives until standard input ends. Usage: e2e_wayland_pointer <screen width> <height>

#include <wayland-client.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>

#include "wlr-virtual-pointer-unstable-v1-client-protocol.h"

namespace {

struct Globals {
  wl_seat* seat = nullptr;
  zwlr_virtual_pointer_manager_v1* manager = nullptr;
};

void OnGlobal(void* data, wl_registry* registry, uint32_t name, const char* interface, uint32_t) {
  auto* globals = static_cast<Globals*>(data);
  if (!globals->seat && std::strcmp(interface, wl_seat_interface.name) == 0) {
    globals->seat = static_cast<wl_seat*>(wl_registry_bind(registry, name, &wl_seat_interface, 1));
  } else if (!globals->manager &&
             std::strcmp(interface, zwlr_virtual_pointer_manager_v1_interface.name) == 0) {
    globals->manager = static_cast<zwlr_virtual_pointer_manager_v1*>(
        wl_registry_bind(registry, name, &zwlr_virtual_pointer_manager_v1_interface, 1));
  }
}

void OnGlobalRemove(void*, wl_registry*, uint32_t) {}

// Input devices stamp their events on the monotonic clock in milliseconds, and XWayland passes the
// stamps on as X server times: anything else would make the program's selection requests look
// stale to the X server.
uint32_t NowMs() {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  return static_cast<uint32_t>(now.tv_sec * 1000 + now.tv_nsec / 1000000);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: e2e_wayland_pointer <screen width> <screen height>\n");
    return 2;
  }
  const auto width = static_cast<uint32_t>(std::atoi(argv[1]));
  const auto height = static_cast<uint32_t>(std::atoi(argv[2]));
  wl_display* display = wl_display_connect(nullptr);
  if (!display) {
    std::fprintf(stderr, "e2e_wayland_pointer: no Wayland compositor\n");
    return 1;
  }
  Globals globals;
  static const wl_registry_listener kListener = {&OnGlobal, &OnGlobalRemove};
  wl_registry* registry = wl_display_get_registry(display);
  wl_registry_add_listener(registry, &kListener, &globals);
  wl_display_roundtrip(display);
  if (!globals.seat || !globals.manager) {
    std::fprintf(stderr, "e2e_wayland_pointer: the compositor offers no virtual pointer\n");
    wl_display_disconnect(display);
    return 1;
  }
  zwlr_virtual_pointer_v1* pointer =
      zwlr_virtual_pointer_manager_v1_create_virtual_pointer(globals.manager, globals.seat);
  wl_display_roundtrip(display);

  unsigned x = 0;
  unsigned y = 0;
  while (std::scanf("%u %u", &x, &y) == 2) {
    zwlr_virtual_pointer_v1_motion_absolute(pointer, NowMs(), x, y, width, height);
    zwlr_virtual_pointer_v1_frame(pointer);
    if (wl_display_roundtrip(display) < 0) break;
    std::printf("moved\n");
    std::fflush(stdout);
  }
  zwlr_virtual_pointer_v1_destroy(pointer);
  zwlr_virtual_pointer_manager_v1_destroy(globals.manager);
  wl_seat_destroy(globals.seat);
  wl_registry_destroy(registry);
  wl_display_disconnect(display);
  return 0;
}
