#pragma once
// The Wayland clipboard beside the X one. Under a Wayland session the program is an X client of
// XWayland, and the compositor bridges X's CLIPBOARD to Wayland programs only as it sees fit (KWin
// only while an X window has the keyboard, which the bar never takes). Where the compositor offers
// the data-control protocol (KWin, sway and the other wlroots compositors), the program therefore
// also puts each text on the seat's selection itself, without any window and without the focus.
// Where it does not (mutter, whose own bridge carries the X clipboard), nothing is connected.
//
// This header stays free of the Wayland library: the program builds and runs without it, and then
// there is simply no Wayland clipboard.

#include <poll.h>

#include <memory>
#include <optional>
#include <vector>

#include "platform/SharedText.h"

namespace platform::wayland {

class WaylandClipboard {
 public:
  virtual ~WaylandClipboard() = default;

  // The program has put this text on the X clipboard (xOwnershipTaken: it took ownership anew);
  // the seat's selection follows, through the compositor's own bridge or through data-control
  // (see WaylandSelection). Nothing is sent while the selection holds this very text.
  virtual void Publish(const SharedText& text, bool xOwnershipTaken) = 0;

  // The program's wait. Before it waits: the descriptors to watch are appended to fds (the
  // compositor's connection, readers' pipes), and the longest wait is returned (nullopt: no
  // limit of its own). After it: AfterWait with the same vector and the poll's results reads and
  // answers the compositor's events and writes to the readers. Each BeforeWait is followed by
  // exactly one AfterWait.
  virtual std::optional<int> BeforeWait(std::vector<pollfd>& fds) = 0;
  virtual void AfterWait(const std::vector<pollfd>& fds) = 0;

  // False once the compositor has gone away or broken the connection; the object is then inert
  // and may be dropped.
  virtual bool Connected() const = 0;
};

// Connects when WAYLAND_DISPLAY is set, the compositor answers and offers data-control and a seat;
// null otherwise (and always in a build without the Wayland library).
std::unique_ptr<WaylandClipboard> ConnectWaylandClipboard();

}  // namespace platform::wayland
