#pragma once
// X protocol errors. Xlib reports errors asynchronously and its default handler ends the process,
// which a desktop program cannot afford: other clients' windows (clipboard requestors, windows
// the window manager destroys) may vanish between our request and the server's answer. One
// handler is installed for the whole process; it never ends it, records the last error, and hands
// errors to the innermost X11ErrorTrap of the same connection when one is active.

#include <X11/Xlib.h>

#include <optional>
#include <string>

namespace platform::x11 {

struct X11Error {
  int errorCode = 0;    // BadWindow, BadAlloc, ...
  int requestCode = 0;  // major opcode of the failed request
  int minorCode = 0;
  unsigned long serial = 0;
  XID resource = 0;  // the bad resource id, when the error names one
};

// Installs the process's handler; later calls do nothing. Every X11ErrorTrap calls it too.
void InstallX11ErrorHandler();
// The program's name, heading the lines the handler writes to standard error about errors of our
// own; without one the lines start with "X error".
void SetX11ErrorLogName(const std::string& name);

// The most recent error seen on any connection (trapped or not), or nullopt when none came.
std::optional<X11Error> LastX11Error();
void ClearLastX11Error();

// Catches the errors of the requests made on one connection while it lives:
//   X11ErrorTrap trap(display);
//   XSetInputFocus(display, ...);
//   if (trap.Failed()) ...
// Failed() waits for the server's answers (XSync) and tells whether any of those requests failed.
// Traps nest: an error goes to the innermost trap of its connection that was opened before the
// failing request. A trap never leaves an error of its requests to arrive after it is gone: the
// destructor synchronises unless Failed() already did after the last request.
class X11ErrorTrap {
 public:
  explicit X11ErrorTrap(Display* display);
  ~X11ErrorTrap();
  X11ErrorTrap(const X11ErrorTrap&) = delete;
  X11ErrorTrap& operator=(const X11ErrorTrap&) = delete;

  bool Failed();
  // The first error caught (valid after Failed() returned true).
  const X11Error& Error() const { return error_; }

 private:
  static int Handle(Display* display, XErrorEvent* event);
  friend void InstallX11ErrorHandler();

  Display* display_;
  unsigned long firstSerial_;
  unsigned long syncedAt_ = 0;  // NextRequest() when Failed() last synchronised, 0 = never
  bool failed_ = false;
  X11Error error_;
  X11ErrorTrap* outer_;
};

}  // namespace platform::x11
