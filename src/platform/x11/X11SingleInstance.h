#pragma once
// One running copy of the program per screen of a display. The running copy owns the selection
// _<PROGRAM>_S<screen> with a window of its own that carries, in _<PROGRAM>_DOCUMENT, the file it
// works on. A later start finds the owner, reads that property and may send the owner a
// _<PROGRAM>_RAISE client message. Nothing flows back to the later start: however it ends, even
// killed half-way, the running copy has nothing to wait for or clean up.

#include <X11/Xlib.h>

#include <optional>
#include <string>

namespace platform::x11 {

class X11SingleInstance {
 public:
  // programName: lower case, as the executable ("snipwell").
  X11SingleInstance(Display* display, int screen, const std::string& programName);
  ~X11SingleInstance();
  X11SingleInstance(const X11SingleInstance&) = delete;
  X11SingleInstance& operator=(const X11SingleInstance&) = delete;

  // nullopt: this process now owns the selection and publishes `document`. Otherwise the
  // document of the copy that owns it.
  std::optional<std::string> Claim(const std::string& document);
  // Sends the raise request to the owner found by Claim; false when it is gone.
  bool RaiseOwner();
  // Whether the event is a raise request to this process's claim.
  bool IsRaiseRequest(const XEvent& event) const;

 private:
  // Reads the owner's document; nullopt when the owner went away meanwhile.
  std::optional<std::string> OwnerDocument(::Window owner);
  Time ServerTime();

  Display* display_;
  ::Window root_;
  Atom selection_ = None;
  Atom document_ = None;
  Atom raise_ = None;
  Atom utf8_ = None;
  ::Window window_ = None;  // ours, created on the first claim
  ::Window owner_ = None;   // the running copy's, found by Claim
};

}  // namespace platform::x11
