#include "platform/x11/X11SingleInstance.h"

#include <X11/Xatom.h>

#include <algorithm>
#include <cctype>

#include "platform/x11/X11Errors.h"

namespace platform::x11 {

namespace {

// A start that finds the owner gone between looking and reading tries again; three owners vanishing
// in a row means the desktop is in turmoil, and the start runs as its own copy.
constexpr int kClaimAttempts = 3;

// Paths are bounded by PATH_MAX; the bound only keeps a foreign property from costing megabytes.
constexpr long kMaxDocumentBytes = 64 * 1024;

std::string AtomName(const std::string& program, const std::string& suffix) {
  std::string name = "_" + program + suffix;
  std::transform(name.begin(), name.end(), name.begin(),
                 [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
  return name;
}

}  // namespace

X11SingleInstance::X11SingleInstance(Display* display, int screen, const std::string& programName)
    : display_(display), root_(RootWindow(display, screen)) {
  selection_ =
      XInternAtom(display_, AtomName(programName, "_S" + std::to_string(screen)).c_str(), False);
  document_ = XInternAtom(display_, AtomName(programName, "_DOCUMENT").c_str(), False);
  raise_ = XInternAtom(display_, AtomName(programName, "_RAISE").c_str(), False);
  utf8_ = XInternAtom(display_, "UTF8_STRING", False);
}

X11SingleInstance::~X11SingleInstance() {
  // The selection goes with the window.
  if (window_ != None) XDestroyWindow(display_, window_);
}

Time X11SingleInstance::ServerTime() {
  // A zero-length append changes nothing but answers with a PropertyNotify carrying the time.
  XChangeProperty(display_, window_, document_, utf8_, 8, PropModeAppend, nullptr, 0);
  XEvent event;
  XWindowEvent(display_, window_, PropertyChangeMask, &event);
  return event.xproperty.time;
}

std::optional<std::string> X11SingleInstance::Claim(const std::string& document) {
  if (window_ == None) {
    XSetWindowAttributes attributes{};
    attributes.event_mask = PropertyChangeMask;
    window_ = XCreateWindow(display_, root_, -1, -1, 1, 1, 0, CopyFromParent, InputOnly,
                            CopyFromParent, CWEventMask, &attributes);
  }
  // The document is in place before the selection is ours: a later start never finds the owner
  // without it.
  XChangeProperty(display_, window_, document_, utf8_, 8, PropModeReplace,
                  reinterpret_cast<const unsigned char*>(document.data()),
                  static_cast<int>(std::min<size_t>(document.size(), kMaxDocumentBytes)));
  const Time time = ServerTime();
  for (int attempt = 0; attempt < kClaimAttempts; ++attempt) {
    // Looking and taking are one step: two copies starting at once never both see no owner.
    XGrabServer(display_);
    const ::Window owner = XGetSelectionOwner(display_, selection_);
    if (owner == None || owner == window_) {
      XSetSelectionOwner(display_, selection_, window_, time);
      XUngrabServer(display_);
      XSync(display_, False);
      if (XGetSelectionOwner(display_, selection_) == window_) return std::nullopt;
      continue;
    }
    std::optional<std::string> theirs = OwnerDocument(owner);
    XUngrabServer(display_);
    XFlush(display_);
    if (theirs) {
      owner_ = owner;
      return theirs;
    }
  }
  return std::nullopt;
}

std::optional<std::string> X11SingleInstance::OwnerDocument(::Window owner) {
  Atom type = None;
  int format = 0;
  unsigned long count = 0;
  unsigned long remaining = 0;
  unsigned char* data = nullptr;
  int status = 0;
  bool failed = false;
  {
    X11ErrorTrap trap(display_);
    status = XGetWindowProperty(display_, owner, document_, 0, kMaxDocumentBytes / 4, False, utf8_,
                                &type, &format, &count, &remaining, &data);
    failed = trap.Failed();
  }
  std::optional<std::string> result;
  // A window without the property (an owner still setting up) has published no document: "".
  if (!failed && status == Success) {
    result.emplace();
    if (type == utf8_ && format == 8 && data) result->assign(reinterpret_cast<char*>(data), count);
  }
  if (data) XFree(data);
  return result;
}

bool X11SingleInstance::RaiseOwner() {
  if (owner_ == None) return false;
  XEvent message{};
  message.xclient.type = ClientMessage;
  message.xclient.window = owner_;
  message.xclient.message_type = raise_;
  message.xclient.format = 32;
  X11ErrorTrap trap(display_);
  // With no event mask the message goes to the client that made the window.
  XSendEvent(display_, owner_, False, NoEventMask, &message);
  XSync(display_, False);
  return !trap.Failed();
}

bool X11SingleInstance::IsRaiseRequest(const XEvent& event) const {
  return window_ != None && event.type == ClientMessage && event.xclient.window == window_ &&
         event.xclient.message_type == raise_;
}

}  // namespace platform::x11
