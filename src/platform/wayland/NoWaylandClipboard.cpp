// Built in place of the data-control connection where the Wayland library is not installed: the
// program then offers its texts through X alone, as compositors' own bridges carry them.
#include "platform/wayland/WaylandClipboard.h"

namespace platform::wayland {

std::unique_ptr<WaylandClipboard> ConnectWaylandClipboard() { return nullptr; }

}  // namespace platform::wayland
