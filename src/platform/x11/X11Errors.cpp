#include "platform/x11/X11Errors.h"

#include <cstdio>

namespace platform::x11 {

namespace {

// Process-wide by nature: Xlib has one error handler per process. Xlib is only used from one
// thread here, so plain variables suffice.
bool g_installed = false;
X11ErrorTrap* g_innermostTrap = nullptr;
std::optional<X11Error> g_lastError;
std::string g_logName;

// Errors other clients cause us: a requestor or a managed window destroyed while we still talk to
// it (BadWindow), a requestor's property we cannot grow (BadAlloc), a window that changed class or
// depth under us (BadMatch), an atom from a broken request (BadAtom). They are part of normal life.
bool IsExpectedFromOthers(int errorCode) {
  return errorCode == BadWindow || errorCode == BadAlloc || errorCode == BadMatch ||
         errorCode == BadAtom;
}

}  // namespace

int X11ErrorTrap::Handle(Display* display, XErrorEvent* event) {
  X11Error error;
  error.errorCode = event->error_code;
  error.requestCode = event->request_code;
  error.minorCode = event->minor_code;
  error.serial = event->serial;
  error.resource = event->resourceid;
  g_lastError = error;

  for (X11ErrorTrap* trap = g_innermostTrap; trap != nullptr; trap = trap->outer_) {
    if (trap->display_ == display && event->serial >= trap->firstSerial_) {
      if (!trap->failed_) {
        trap->failed_ = true;
        trap->error_ = error;
      }
      return 0;
    }
  }
  if (!IsExpectedFromOthers(error.errorCode)) {
    // A fault of our own; worth seeing in a log, never worth ending the program for.
    std::fprintf(stderr, "%s%sX error %d on request %d.%d (resource 0x%lx)\n", g_logName.c_str(),
                 g_logName.empty() ? "" : ": ", error.errorCode, error.requestCode, error.minorCode,
                 static_cast<unsigned long>(error.resource));
  }
  return 0;
}

void InstallX11ErrorHandler() {
  if (g_installed) return;
  g_installed = true;
  XSetErrorHandler(&X11ErrorTrap::Handle);
}

void SetX11ErrorLogName(const std::string& name) { g_logName = name; }

std::optional<X11Error> LastX11Error() { return g_lastError; }

void ClearLastX11Error() { g_lastError.reset(); }

X11ErrorTrap::X11ErrorTrap(Display* display)
    : display_(display), firstSerial_(NextRequest(display)), outer_(g_innermostTrap) {
  InstallX11ErrorHandler();
  g_innermostTrap = this;
}

X11ErrorTrap::~X11ErrorTrap() {
  // Errors of our requests must reach this trap, not whoever handles errors after it.
  if (syncedAt_ != NextRequest(display_) && NextRequest(display_) != firstSerial_) {
    XSync(display_, False);
  }
  // Traps are scoped objects, so they end in the reverse order of their start.
  g_innermostTrap = outer_;
}

bool X11ErrorTrap::Failed() {
  XSync(display_, False);
  syncedAt_ = NextRequest(display_);
  return failed_;
}

}  // namespace platform::x11
