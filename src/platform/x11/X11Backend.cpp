#include "platform/x11/X11Backend.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/Xrandr.h>
#include <X11/extensions/shape.h>
#include <poll.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <ctime>
#include <deque>
#include <memory>
#include <unordered_map>
#include <vector>

#include "platform/Exception.h"
#include "platform/wayland/WaylandClipboard.h"
#include "platform/x11/X11Atoms.h"
#include "platform/x11/X11Clipboard.h"
#include "platform/x11/X11Errors.h"
#include "platform/x11/X11EventClock.h"
#include "platform/x11/X11EventTranslator.h"
#include "platform/x11/X11Hints.h"
#include "platform/x11/X11Keyboard.h"
#include "platform/x11/X11Presenter.h"
#include "platform/x11/X11Resources.h"
#include "platform/x11/X11SingleInstance.h"
#include "platform/x11/X11Stacking.h"
#include "platform/x11/X11TopLevel.h"
#include "platform/x11/X11WorkArea.h"

namespace platform::x11 {

namespace {

using Kind = NativeEvent::Kind;

// X window sizes are 16-bit; the window system's rectangles are not.
constexpr int kMaxWindowSide = 32767;

constexpr long kTopLevelEventMask = ExposureMask | StructureNotifyMask | KeyPressMask |
                                    KeyReleaseMask | ButtonPressMask | ButtonReleaseMask |
                                    PointerMotionMask | EnterWindowMask | LeaveWindowMask |
                                    FocusChangeMask | PropertyChangeMask;

// Always-on-top windows also hear when they are covered, to rise again where no window manager
// keeps them on top.
long EventMaskFor(const TopLevelStyle& style) {
  return kTopLevelEventMask | (style.topmost ? VisibilityChangeMask : 0);
}

// A window the window manager mapped away from where it was asked to stand is moved there when it
// is still elsewhere this long after its MapNotify. Window managers' own rules (sway's for_window
// "move position") may place it only after the MapNotify, and a move asked for earlier would undo
// them: sway answers every configure request of a floating X window by centring it.
constexpr uint32_t kPlacementSettleMs = 250;

// A WM_TAKE_FOCUS for a window that takes the focus only by click is honoured when it follows a
// click on that window this closely (the window manager stamps it with the click's time).
constexpr uint32_t kClickFocusWindowMs = 1000;

TRect ClampedBounds(const TRect& bounds) {
  return Bounds(bounds.Left, bounds.Top, std::clamp(bounds.Width(), 1, kMaxWindowSide),
                std::clamp(bounds.Height(), 1, kMaxWindowSide));
}

class X11Backend final : public Backend {
 public:
  explicit X11Backend(X11ProgramName name);
  ~X11Backend() override;

  void SetEventSink(NativeEventSink* sink) override { sink_ = sink; }
  void CreateTopLevel(HWND window, const TopLevelStyle& style) override;
  void DestroyTopLevel(HWND window) override;
  void ShowTopLevel(HWND window, bool visible) override;
  void MoveTopLevel(HWND window, const TRect& screenBounds) override;
  void SetTitle(HWND window, const std::string& title) override;
  void SetIcon(HWND window, const DIBitmap& image, const DIBitmap* mask) override;
  void SetShape(HWND window, const std::optional<Region>& shape) override;
  void SetOpacity(HWND window, uint8_t alpha) override;
  void Activate(HWND window) override;
  bool GrabInput(HWND window) override;
  void ReleaseInputGrab() override;
  void Present(HWND window, const DIBitmap& backBuffer, const Region& area) override;
  void WaitForEvents(std::optional<uint32_t> timeoutMs) override;
  uint32_t TickCount() override { return X11EventClock::Now(); }
  TPoint CursorPos() override;
  std::vector<MonitorInfo> Monitors() override;
  TSize VirtualScreenSize() override;
  std::optional<std::string> ClaimInstance(const std::string& document) override;
  bool RaiseRunningInstance() override;
  std::optional<std::string> DesktopResource(const std::string& name) override;
  bool ClipboardAvailable() override { return display_ != nullptr && clipboard_ != nullptr; }
  bool ClipboardPublish(const SharedText& bytes) override;
  std::optional<std::string> ClipboardRead() override;
  void Shutdown() override;

  unsigned long WindowId(HWND window) const;
  void Sync() {
    if (display_) XSync(display_, False);
  }
  bool SharesMemory() const { return presenter_ && presenter_->UsesSharedMemory(); }

 private:
  using TopLevel = X11TopLevel;

  void Close();
  TopLevel* Find(HWND window) const;
  TopLevel* FindByXid(::Window xid) const;
  Time CurrentEventTime() const {
    return currentEventTime_ != 0 ? currentEventTime_ : lastServerTime_;
  }

  void DrainQueue();
  bool DeliverPending();
  void Dispatch(XEvent& event);
  void DispatchOther(XEvent& event);
  void RecordTime(const XEvent& event);
  void TrackPointer(const XEvent& event);
  void Translate(XEvent& event);
  void TranslateConfigure(TopLevel& window, const XConfigureEvent& event);
  void TranslateClientMessage(TopLevel& window, const XClientMessageEvent& event);
  void OnMapped(TopLevel& window);
  std::optional<int> NextPlacementCheckMs() const;
  void CheckPlacements();
  void WatchStacking();
  void OnStackingEvent(const XEvent& event);
  void OnCovered();
  void Rise(uint32_t now);

  void TakeFocus(TopLevel& window);
  void WatchScreens();
  void FollowCurrentDesktop();
  bool NoteScreenEvent(XEvent& event);
  void CheckScreens();
  void RaiseTopLevels();
  // The window's input context, made when it first gets the keyboard.
  void OpenInputContext(TopLevel& window);
  std::optional<TPoint> ScreenPosition(::Window xid);

  Display* display_ = nullptr;
  int screen_ = 0;
  ::Window root_ = None;
  Visual* visual_ = nullptr;
  int depth_ = 0;
  Colormap colormap_ = None;
  bool ownColormap_ = false;
  bool hasShape_ = false;
  bool watchingStacking_ = false;  // the root window reports its children's maps to us

  std::unique_ptr<X11Atoms> atoms_;
  std::unique_ptr<X11Keyboard> keyboard_;
  std::unique_ptr<X11Presenter> presenter_;
  std::unique_ptr<X11Clipboard> clipboard_;
  std::unique_ptr<X11EventTranslator> translator_;
  // The seat's selection under a Wayland session whose compositor offers data-control; null
  // otherwise.
  std::unique_ptr<wayland::WaylandClipboard> wayland_;

  X11ProgramName name_;
  std::unordered_map<HWND, std::unique_ptr<TopLevel>> windows_;
  std::unordered_map<::Window, TopLevel*> byXid_;
  StackingRoles stackingRoles_{[this](::Window xid) { return FindByXid(xid) != nullptr; },
                               [this](::Window xid) {
                                 const TopLevel* top = FindByXid(xid);
                                 return top != nullptr && top->style.topmost;
                               }};
  RaisePolicy raisePolicy_;

  // The monitors as last asked for, until the desktop announces a change; the docks whose struts
  // they count; whether an announcement arrived since.
  std::optional<std::vector<MonitorInfo>> monitors_;
  std::vector<::Window> docks_;
  bool screensChanged_ = false;
  int randrEventBase_ = -1;
  Atom gtkWorkAreas_ = None;  // _GTK_WORKAREAS_D<n> of the current desktop

  std::unique_ptr<X11SingleInstance> instance_;

  NativeEventSink* sink_ = nullptr;
  HWND inputGrab_ = nullptr;  // the open menu holding the pointer and keyboard grabs
  std::deque<PendingEvent> pending_;
  Time lastServerTime_ = 0;    // the newest server time seen on any event
  Time currentEventTime_ = 0;  // the server time of the event the sink got last
  // Where the pointer is on the screen, from the events of a window of ours that has it; nullopt
  // while it is elsewhere (the server must then be asked).
  std::optional<TPoint> pointer_;
  // When the connection was last read: a look without waiting soon after finds nothing a read
  // would not find a moment later, when the loop waits.
  std::chrono::steady_clock::time_point lastRead_;
};

X11Backend::X11Backend(X11ProgramName name) : name_(std::move(name)) {
  display_ = XOpenDisplay(nullptr);
  if (!display_) throw Exception("Cannot open display");
  try {
    InstallX11ErrorHandler();
    SetX11ErrorLogName(name_.instance);
    screen_ = DefaultScreen(display_);
    root_ = RootWindow(display_, screen_);

    XVisualInfo info{};
    if (!XMatchVisualInfo(display_, screen_, 24, TrueColor, &info)) {
      throw Exception("The display has no 24-bit colour visual");
    }
    int formatCount = 0;
    bool has32 = false;
    if (XPixmapFormatValues* formats = XListPixmapFormats(display_, &formatCount)) {
      for (int i = 0; i < formatCount; ++i) {
        if (formats[i].depth == 24 && formats[i].bits_per_pixel == 32) has32 = true;
      }
      XFree(formats);
    }
    if (!has32) throw Exception("The display does not keep 24-bit colour in 32-bit pixels");
    visual_ = info.visual;
    depth_ = 24;
    if (visual_ == DefaultVisual(display_, screen_)) {
      colormap_ = DefaultColormap(display_, screen_);
    } else {
      colormap_ = XCreateColormap(display_, root_, visual_, AllocNone);
      ownColormap_ = true;
    }
    int shapeEvent = 0;
    int shapeError = 0;
    hasShape_ = XShapeQueryExtension(display_, &shapeEvent, &shapeError) == True;

    atoms_ = std::make_unique<X11Atoms>(display_);
    keyboard_ = std::make_unique<X11Keyboard>(display_);
    translator_ = std::make_unique<X11EventTranslator>(*keyboard_);
    presenter_ = std::make_unique<X11Presenter>(display_, visual_, depth_);
    clipboard_ = std::make_unique<X11Clipboard>(display_);
    wayland_ = wayland::ConnectWaylandClipboard();
    WatchScreens();
  } catch (...) {
    Close();
    throw;
  }
}

X11Backend::~X11Backend() {
  // Destructors must not throw; whatever the hand-over meets, the connection is closed.
  try {
    Shutdown();
  } catch (...) {
    Close();
  }
}

void X11Backend::Shutdown() {
  if (!display_) return;
  if (clipboard_) clipboard_->HandOver(std::chrono::seconds(2));
  Close();
}

void X11Backend::Close() {
  if (!display_) return;
  for (auto& [hwnd, window] : windows_) {
    X11Keyboard::DestroyContext(window->inputContext);
    XDestroyWindow(display_, window->xid);
  }
  windows_.clear();
  byXid_.clear();
  pending_.clear();
  wayland_.reset();
  instance_.reset();
  clipboard_.reset();
  presenter_.reset();
  translator_.reset();
  keyboard_.reset();
  if (ownColormap_) XFreeColormap(display_, colormap_);
  XCloseDisplay(display_);
  display_ = nullptr;
}

X11Backend::TopLevel* X11Backend::Find(HWND window) const {
  const auto it = windows_.find(window);
  return it == windows_.end() ? nullptr : it->second.get();
}

X11Backend::TopLevel* X11Backend::FindByXid(::Window xid) const {
  const auto it = byXid_.find(xid);
  return it == byXid_.end() ? nullptr : it->second;
}

unsigned long X11Backend::WindowId(HWND window) const {
  const TopLevel* top = Find(window);
  return top ? top->xid : 0;
}

void X11Backend::CreateTopLevel(HWND window, const TopLevelStyle& style) {
  if (!display_) return;
  if (Find(window)) throw Exception("The window already has a desktop window");
  auto top = std::make_unique<TopLevel>();
  top->hwnd = window;
  top->style = style;
  top->style.bounds = ClampedBounds(style.bounds);
  const TRect& b = top->style.bounds;

  XSetWindowAttributes attributes{};
  // No background: every pixel comes from the back buffer, and the server must not clear the
  // window to some colour before we present it.
  attributes.background_pixmap = None;
  attributes.border_pixel = 0;
  attributes.colormap = colormap_;
  attributes.bit_gravity = NorthWestGravity;
  attributes.event_mask = EventMaskFor(style);
  // A tool tip comes and goes with the pointer, a menu with a click: the window manager is not
  // asked (it would place, frame or focus them), they stand exactly where shown and above the
  // managed windows.
  attributes.override_redirect = style.toolTip || style.popupMenu ? True : False;
  if (style.topmost) WatchStacking();
  top->xid = XCreateWindow(
      display_, root_, b.Left, b.Top, static_cast<unsigned>(b.Width()),
      static_cast<unsigned>(b.Height()), 0, depth_, InputOutput, visual_,
      CWBackPixmap | CWBorderPixel | CWColormap | CWBitGravity | CWEventMask | CWOverrideRedirect,
      &attributes);
  const TopLevel* owner = Find(style.owner);
  SetTopLevelHints(display_, *atoms_, top->xid, top->style, owner ? owner->xid : None, name_);
  top->reported = top->style.bounds;
  byXid_[top->xid] = top.get();
  windows_[window] = std::move(top);
}

void X11Backend::DestroyTopLevel(HWND window) {
  TopLevel* top = Find(window);
  if (!top || !display_) return;
  if (inputGrab_ == window) ReleaseInputGrab();
  X11Keyboard::DestroyContext(top->inputContext);
  XDestroyWindow(display_, top->xid);
  pointer_.reset();  // a window that goes hears no leave
  byXid_.erase(top->xid);
  windows_.erase(window);
  // Events already read for it would reach the window system with a handle it no longer knows.
  std::erase_if(pending_, [window](const PendingEvent& p) { return p.event.window == window; });
}

void X11Backend::ShowTopLevel(HWND window, bool visible) {
  TopLevel* top = Find(window);
  if (!top || !display_ || top->shown == visible) return;
  top->shown = visible;
  if (visible) {
    // Window managers forget a withdrawn window's states; tell them everything again.
    if (top->everShown) {
      const TopLevel* owner = Find(top->style.owner);
      SetTopLevelHints(display_, *atoms_, top->xid, top->style, owner ? owner->xid : None, name_);
    }
    top->everShown = true;
    if (top->style.dialog) top->focusPending = true;
    XMapRaised(display_, top->xid);
  } else {
    top->focusPending = false;
    pointer_.reset();  // a window that goes hears no leave
    XWithdrawWindow(display_, top->xid, screen_);
  }
  XFlush(display_);
}

void X11Backend::MoveTopLevel(HWND window, const TRect& screenBounds) {
  TopLevel* top = Find(window);
  if (!top || !display_) return;
  top->style.bounds = ClampedBounds(screenBounds);
  const TRect& b = top->style.bounds;
  // The size is fixed through the normal hints: widen them first or the window manager refuses.
  SetPlacementHints(display_, top->xid, b, top->style.resizable);
  XMoveResizeWindow(display_, top->xid, b.Left, b.Top, static_cast<unsigned>(b.Width()),
                    static_cast<unsigned>(b.Height()));
  // The program knows where it put the window: only report where the desktop puts it otherwise.
  top->reported = b;
}

void X11Backend::SetTitle(HWND window, const std::string& title) {
  TopLevel* top = Find(window);
  if (!top || !display_) return;
  top->style.title = title;
  SetTitleHints(display_, *atoms_, top->xid, title);
}

void X11Backend::SetIcon(HWND window, const DIBitmap& image, const DIBitmap* mask) {
  TopLevel* top = Find(window);
  if (!top || !display_) return;
  SetIconHint(display_, *atoms_, top->xid, image, mask);
}

void X11Backend::SetShape(HWND window, const std::optional<Region>& shape) {
  TopLevel* top = Find(window);
  if (!top || !display_ || !hasShape_) return;
  if (!shape) {
    XShapeCombineMask(display_, top->xid, ShapeBounding, 0, 0, None, ShapeSet);
    return;
  }
  std::vector<XRectangle> rects;
  rects.reserve(shape->Rects().size());
  const TRect limit{0, 0, kMaxWindowSide, kMaxWindowSide};
  for (const TRect& r : shape->Rects()) {
    const TRect c = r.Intersected(limit);
    if (c.IsEmpty()) continue;
    rects.push_back(XRectangle{static_cast<short>(c.Left), static_cast<short>(c.Top),
                               static_cast<unsigned short>(c.Width()),
                               static_cast<unsigned short>(c.Height())});
  }
  // Region keeps its rectangles y-x banded, which lets the server skip sorting them.
  XShapeCombineRectangles(display_, top->xid, ShapeBounding, 0, 0, rects.data(),
                          static_cast<int>(rects.size()), ShapeSet, YXBanded);
}

void X11Backend::SetOpacity(HWND window, uint8_t alpha) {
  TopLevel* top = Find(window);
  if (!top || !display_) return;
  // Reaches the server with the next flush, before the loop sleeps, as presenting does.
  SetOpacityHint(display_, *atoms_, top->xid, alpha);
}

void X11Backend::Activate(HWND window) {
  TopLevel* top = Find(window);
  if (!top || !display_) return;
  if (!top->mapped) {
    top->focusPending = top->shown;
    return;
  }
  TakeFocus(*top);
}

// Menus grab as the desktop's own toolkits do: pointer events of the whole screen are reported to
// the menu (owner_events False: also those over the program's other windows, so that a click on
// the bar closes the menu like one anywhere else), keys too; the focus stays where it was, and the
// server gives both back at the ungrab or when the menu is unmapped. A grab can fail for a moment
// while another client (the window manager after a click) still holds one: try again briefly.
bool X11Backend::GrabInput(HWND window) {
  TopLevel* top = Find(window);
  if (!top || !display_ || !top->shown) return false;
  constexpr unsigned kPointerMask =
      ButtonPressMask | ButtonReleaseMask | PointerMotionMask | EnterWindowMask | LeaveWindowMask;
  constexpr int kAttempts = 20;
  constexpr timespec kPause{0, 10'000'000};
  for (int attempt = 0; attempt < kAttempts; ++attempt) {
    if (attempt > 0) nanosleep(&kPause, nullptr);
    const int pointer = XGrabPointer(display_, top->xid, False, kPointerMask, GrabModeAsync,
                                     GrabModeAsync, None, None, CurrentTime);
    if (pointer != GrabSuccess) continue;
    if (XGrabKeyboard(display_, top->xid, False, GrabModeAsync, GrabModeAsync, CurrentTime) ==
        GrabSuccess) {
      inputGrab_ = window;
      return true;
    }
    XUngrabPointer(display_, CurrentTime);
  }
  XFlush(display_);
  return false;
}

void X11Backend::ReleaseInputGrab() {
  if (!inputGrab_ || !display_) return;
  inputGrab_ = nullptr;
  XUngrabKeyboard(display_, CurrentTime);
  XUngrabPointer(display_, CurrentTime);
  XFlush(display_);
}

void X11Backend::TakeFocus(TopLevel& window) {
  window.focusPending = false;
  const Time time = CurrentEventTime();
  // Window managers do not activate docks, so a window that takes the focus only by click sets
  // it itself, as the globally active model allows right after the click.
  if (!TakesFocusOnlyByClick(window.style) && WindowManagerRuns(display_, *atoms_)) {
    XEvent message{};
    message.xclient.type = ClientMessage;
    message.xclient.window = window.xid;
    message.xclient.message_type = atoms_->NET_ACTIVE_WINDOW;
    message.xclient.format = 32;
    message.xclient.data.l[0] = 1;  // source: an application
    message.xclient.data.l[1] = static_cast<long>(time);
    message.xclient.data.l[2] = 0;
    XSendEvent(display_, root_, False, SubstructureRedirectMask | SubstructureNotifyMask, &message);
    XFlush(display_);
    return;
  }
  X11ErrorTrap trap(display_);
  XSetInputFocus(display_, window.xid, RevertToParent, time != 0 ? time : CurrentTime);
  // BadMatch: not viewable yet (mapped by us, not yet by the window manager); try after MapNotify.
  if (trap.Failed()) window.focusPending = true;
}

void X11Backend::Present(HWND window, const DIBitmap& backBuffer, const Region& area) {
  TopLevel* top = Find(window);
  if (!top || !display_) return;
  presenter_->Present(top->xid, backBuffer, area);
}

TPoint X11Backend::CursorPos() {
  if (!display_) return {};
  if (pointer_) return *pointer_;
  ::Window rootReturn = None;
  ::Window child = None;
  int rootX = 0;
  int rootY = 0;
  int x = 0;
  int y = 0;
  unsigned mask = 0;
  XQueryPointer(display_, root_, &rootReturn, &child, &rootX, &rootY, &x, &y, &mask);
  return {rootX, rootY};
}

std::vector<MonitorInfo> X11Backend::Monitors() {
  if (!display_) return {MonitorInfo{{0, 0, 1, 1}, {0, 0, 1, 1}, true}};
  if (!monitors_) {
    std::vector<::Window> docks;
    monitors_ = QueryMonitors(display_, *atoms_, &docks);
    // A dock that changes its struts may leave _NET_WORKAREA as it is (it is one rectangle for
    // all monitors): hear of the struts themselves. Docks that are gone are forgotten.
    std::vector<::Window> watched;
    for (const ::Window dock : docks) {
      if (std::find(docks_.begin(), docks_.end(), dock) == docks_.end()) {
        X11ErrorTrap trap(display_);
        XSelectInput(display_, dock, PropertyChangeMask);
        if (trap.Failed()) continue;
      }
      watched.push_back(dock);
    }
    docks_ = std::move(watched);
  }
  return *monitors_;
}

// The desktop tells of every change to its shape: XRandR of monitors and outputs, the root window
// of its size and of the window manager's work-area properties, the docks of their struts. Nothing
// is polled: an idle program sleeps until one of these arrives.
void X11Backend::WatchScreens() {
  XSelectInput(display_, root_, PropertyChangeMask | StructureNotifyMask);
  int errorBase = 0;
  if (XRRQueryExtension(display_, &randrEventBase_, &errorBase)) {
    XRRSelectInput(display_, root_,
                   RRScreenChangeNotifyMask | RRCrtcChangeNotifyMask | RROutputChangeNotifyMask);
  } else {
    randrEventBase_ = -1;
  }
  FollowCurrentDesktop();
}

// GNOME publishes the work areas of each desktop under a name of its own.
void X11Backend::FollowCurrentDesktop() {
  gtkWorkAreas_ = GtkWorkAreasAtom(display_, CurrentDesktop(display_, *atoms_));
}

bool X11Backend::NoteScreenEvent(XEvent& event) {
  if (randrEventBase_ >= 0 && (event.type == randrEventBase_ + RRScreenChangeNotify ||
                               event.type == randrEventBase_ + RRNotify)) {
    XRRUpdateConfiguration(&event);
    screensChanged_ = true;
    return true;
  }
  if (event.xany.window == root_) {
    if (event.type == ConfigureNotify) screensChanged_ = true;
    if (event.type == PropertyNotify) {
      const Atom a = event.xproperty.atom;
      if (a == atoms_->NET_CURRENT_DESKTOP) {
        FollowCurrentDesktop();
        screensChanged_ = true;
      }
      // A new dock whose strut is smaller than another's on another monitor leaves _NET_WORKAREA
      // as it was: the client list tells of it.
      if (a == atoms_->NET_WORKAREA || a == gtkWorkAreas_ || a == atoms_->NET_SUPPORTING_WM_CHECK ||
          a == atoms_->NET_CLIENT_LIST)
        screensChanged_ = true;
    }
    return event.type == ConfigureNotify || event.type == PropertyNotify;
  }
  if (event.type == PropertyNotify &&
      std::find(docks_.begin(), docks_.end(), event.xany.window) != docks_.end()) {
    const Atom a = event.xproperty.atom;
    if (a == atoms_->NET_WM_STRUT || a == atoms_->NET_WM_STRUT_PARTIAL) screensChanged_ = true;
    return true;
  }
  return false;
}

// After a batch of events: when the monitors or the work areas the program last asked for are no
// longer what they were, it hears of it once.
void X11Backend::CheckScreens() {
  if (!screensChanged_ || !display_) return;
  screensChanged_ = false;
  if (!monitors_) return;  // nobody asked yet: nobody relies on the old answer
  const std::vector<MonitorInfo> before = std::move(*monitors_);
  monitors_.reset();
  const std::vector<MonitorInfo> after = Monitors();
  if (after == before) return;
  const bool displayChanged =
      after.size() != before.size() ||
      !std::equal(after.begin(), after.end(), before.begin(),
                  [](const MonitorInfo& a, const MonitorInfo& b) {
                    return a.rcMonitor == b.rcMonitor && a.primary == b.primary;
                  });
  NativeEvent e;
  e.kind = displayChanged ? Kind::DisplayChanged : Kind::WorkAreaChanged;
  e.time = X11EventClock::Now();
  pending_.push_back(PendingEvent{std::move(e), 0});
}

std::optional<std::string> X11Backend::ClaimInstance(const std::string& document) {
  if (!display_) return std::nullopt;
  if (!instance_)
    instance_ = std::make_unique<X11SingleInstance>(display_, screen_, name_.instance);
  return instance_->Claim(document);
}

bool X11Backend::RaiseRunningInstance() { return instance_ && instance_->RaiseOwner(); }

// Another start asked for the program: its mapped windows come to the front in the order they were
// made (the bar, then the dialogs over it), without taking the keyboard from anyone.
void X11Backend::RaiseTopLevels() {
  std::vector<TopLevel*> mapped;
  for (auto& [hwnd, window] : windows_) {
    if (window->mapped && !window->style.toolTip) mapped.push_back(window.get());
  }
  std::sort(mapped.begin(), mapped.end(),
            [](const TopLevel* a, const TopLevel* b) { return a->xid < b->xid; });
  for (TopLevel* window : mapped) XRaiseWindow(display_, window->xid);
  XFlush(display_);
}

TSize X11Backend::VirtualScreenSize() {
  if (!display_) return {};
  return RootWindowSize(display_);
}

// The database as the server held it when the connection was opened: the desktop sets it before
// programs start, and the program reads it once, at start-up.
std::optional<std::string> X11Backend::DesktopResource(const std::string& name) {
  if (!display_) return std::nullopt;
  const char* database = XResourceManagerString(display_);
  if (database == nullptr) return std::nullopt;
  return FindResourceEntry(database, name);
}

bool X11Backend::ClipboardPublish(const SharedText& bytes) {
  if (!ClipboardAvailable()) return false;
  const uint64_t ownerships = clipboard_->Ownerships();
  if (!clipboard_->Publish(bytes, CurrentEventTime())) return false;
  // Wayland programs get the text from the seat's selection, whoever has the keyboard; the X
  // clipboard's answer stays the one that counts (a compositor that went away leaves X alone).
  if (wayland_) {
    wayland_->Publish(bytes, clipboard_->Ownerships() != ownerships);
    if (!wayland_->Connected()) wayland_.reset();
  }
  return true;
}

std::optional<std::string> X11Backend::ClipboardRead() {
  if (!ClipboardAvailable()) return std::nullopt;
  // Events that arrive meanwhile are translated now and reach the sink, in order, from the next
  // WaitForEvents: the window system is in the middle of handling a message here.
  return clipboard_->Read(std::chrono::milliseconds(1500),
                          [this](XEvent& event) { DispatchOther(event); });
}

// ---- The event loop -------------------------------------------------------------------------

void X11Backend::WaitForEvents(std::optional<uint32_t> timeoutMs) {
  if (!display_) return;
  // The message loop looks (without waiting) each time it is asked for a message, several times
  // for every timer step of a fade. A look within a millisecond of the last read is left to the
  // wait that follows: each read of the socket is a system call, and an event that arrived
  // meanwhile is read a moment later all the same.
  using std::chrono::steady_clock;
  constexpr auto kFreshRead = std::chrono::milliseconds(1);
  // (Nor does it flush: Xlib reads the socket whenever it flushes, and the wait flushes.)
  if (timeoutMs == 0u && pending_.empty() && !wayland_ && XQLength(display_) == 0 &&
      steady_clock::now() - lastRead_ < kFreshRead) {
    return;
  }
  const uint32_t start = X11EventClock::Now();
  std::vector<pollfd> descriptors;
  for (;;) {
    // With events in hand the wait only looks (the Wayland connection and the readers' pipes
    // must still be served); otherwise it sleeps until something arrives or a deadline passes.
    // Flushing and reading in one call: a flush of its own would read the socket once more.
    const bool ready = !pending_.empty() || XEventsQueued(display_, QueuedAfterFlush) != 0;
    lastRead_ = steady_clock::now();
    int wait = ready ? 0 : -1;
    const auto limit = [&wait](int ms) { wait = wait < 0 ? ms : std::min(wait, ms); };
    if (timeoutMs) {
      const uint32_t elapsed = X11EventClock::Now() - start;
      limit(elapsed >= *timeoutMs
                ? 0
                : static_cast<int>(std::min<uint32_t>(*timeoutMs - elapsed, INT32_MAX)));
    }
    if (const std::optional<int> transfer = clipboard_->NextTimeoutMs()) {
      limit(std::max(0, *transfer));
    }
    if (const std::optional<int> placement = NextPlacementCheckMs()) limit(*placement);
    if (raisePolicy_.RetryDue()) {
      limit(std::max(0, static_cast<int32_t>(raisePolicy_.RetryAt() - X11EventClock::Now())));
    }
    descriptors.assign(1, pollfd{ConnectionNumber(display_), POLLIN, 0});
    if (wayland_) {
      if (const std::optional<int> due = wayland_->BeforeWait(descriptors)) {
        limit(std::max(0, *due));
      }
    }
    bool failed = false;
    // A look without waiting at the X connection alone was just made: XEventsQueued read what
    // the socket held (nothing), and a poll would only say so again. Timers run every few
    // milliseconds during a fade; each loop here is system calls the program would spend.
    const bool justLooked = !ready && wait == 0 && descriptors.size() == 1;
    // Whether the X connection may hold something the read above did not find: not after a
    // wait that ended without the socket becoming readable (a timer's deadline).
    bool maybeReadable = !justLooked;
    if ((!ready || descriptors.size() > 1) && !justLooked) {
      failed = poll(descriptors.data(), descriptors.size(), wait) < 0 && errno != EINTR;
      if (failed) {
        for (pollfd& descriptor : descriptors) descriptor.revents = 0;
      }
      maybeReadable = ready || failed || descriptors.front().revents != 0;
      // A poll that found the socket empty is as good as a read that found nothing.
      if (!maybeReadable) lastRead_ = steady_clock::now();
    }
    if (wayland_) {
      wayland_->AfterWait(descriptors);
      if (!wayland_->Connected()) wayland_.reset();
    }
    if (failed) return;
    CheckPlacements();
    if (raisePolicy_.RetryDue() &&
        static_cast<int32_t>(X11EventClock::Now() - raisePolicy_.RetryAt()) >= 0) {
      Rise(X11EventClock::Now());
    }
    clipboard_->ExpireTransfers();
    if (maybeReadable) DrainQueue();
    CheckScreens();
    if (DeliverPending()) return;
    if (!display_) return;  // the sink shut the backend down
    if (timeoutMs && X11EventClock::Now() - start >= *timeoutMs) return;
  }
}

void X11Backend::DrainQueue() {
  // QueuedAfterReading reads what the socket holds without blocking.
  while (display_ && XEventsQueued(display_, QueuedAfterReading) > 0) {
    XEvent event;
    XNextEvent(display_, &event);
    // Only the newest position matters: skip a motion when the next event moves the same window.
    if (event.type == MotionNotify && XEventsQueued(display_, QueuedAlready) > 0) {
      XEvent next;
      XPeekEvent(display_, &next);
      if (next.type == MotionNotify && next.xmotion.window == event.xmotion.window) {
        RecordTime(event);
        TrackPointer(event);
        continue;
      }
    }
    Dispatch(event);
  }
}

bool X11Backend::DeliverPending() {
  bool delivered = false;
  // One at a time from the front: the sink may call back into the backend (even wait for events
  // again, or destroy the window of the next event).
  while (!pending_.empty()) {
    PendingEvent next = std::move(pending_.front());
    pending_.pop_front();
    if (next.serverTime != 0) currentEventTime_ = next.serverTime;
    delivered = true;
    if (sink_) sink_->OnNativeEvent(next.event);
  }
  return delivered;
}

void X11Backend::RecordTime(const XEvent& event) {
  const Time time = EventServerTime(event);
  if (time != 0) lastServerTime_ = time;
}

void X11Backend::TrackPointer(const XEvent& event) {
  if (!FindByXid(event.xany.window)) return;
  switch (event.type) {
    case MotionNotify: pointer_ = TPoint{event.xmotion.x_root, event.xmotion.y_root}; break;
    case ButtonPress:
    case ButtonRelease: pointer_ = TPoint{event.xbutton.x_root, event.xbutton.y_root}; break;
    case EnterNotify:
      if (event.xcrossing.detail != NotifyInferior)
        pointer_ = TPoint{event.xcrossing.x_root, event.xcrossing.y_root};
      break;
    case LeaveNotify:
      // Whatever the mode: after a leave, even one for another client's grab, this window hears
      // no more of the pointer's moves.
      if (event.xcrossing.detail != NotifyInferior) pointer_.reset();
      break;
    default: break;
  }
}

void X11Backend::Dispatch(XEvent& event) {
  RecordTime(event);
  TrackPointer(event);
  // The input method sees every event first (it may be composing a character).
  if (XFilterEvent(&event, None)) return;
  if (clipboard_->HandleEvent(event)) return;
  if (NoteScreenEvent(event)) return;
  if (instance_ && instance_->IsRaiseRequest(event)) {
    RaiseTopLevels();
    return;
  }
  Translate(event);
}

void X11Backend::DispatchOther(XEvent& event) {
  RecordTime(event);
  TrackPointer(event);
  if (XFilterEvent(&event, None)) return;
  Translate(event);
}

void X11Backend::Translate(XEvent& event) {
  if (event.type == MappingNotify) {
    // xdotool and keyboard-layout switches remap keys at run time; Xlib's tables must follow.
    XRefreshKeyboardMapping(&event.xmapping);
    return;
  }
  if (event.xany.window == root_) {
    OnStackingEvent(event);
    return;
  }
  TopLevel* window = FindByXid(event.xany.window);
  if (!window) return;
  if (event.type == FocusIn) OpenInputContext(*window);
  if (translator_->Translate(event, *window, pending_)) return;
  switch (event.type) {
    case ConfigureNotify: TranslateConfigure(*window, event.xconfigure); break;
    case MapNotify: OnMapped(*window); break;
    case UnmapNotify: window->mapped = false; break;
    case VisibilityNotify:
      if (event.xvisibility.state != VisibilityUnobscured && window->style.topmost) OnCovered();
      break;
    case ClientMessage: TranslateClientMessage(*window, event.xclient); break;
    default: break;
  }
}

std::optional<TPoint> X11Backend::ScreenPosition(::Window xid) {
  X11ErrorTrap trap(display_);
  int x = 0;
  int y = 0;
  ::Window child = None;
  const bool ok = XTranslateCoordinates(display_, xid, root_, 0, 0, &x, &y, &child) != 0;
  if (trap.Failed() || !ok) return std::nullopt;
  return TPoint{x, y};
}

void X11Backend::OpenInputContext(TopLevel& window) {
  if (window.inputContextTried) return;
  window.inputContextTried = true;
  window.inputContext = keyboard_->CreateContext(window.xid);
  if (window.inputContext) {
    XSelectInput(display_, window.xid,
                 EventMaskFor(window.style) | X11Keyboard::ContextEventMask(window.inputContext));
  }
}

void X11Backend::TranslateConfigure(TopLevel& window, const XConfigureEvent& event) {
  TPoint position{event.x, event.y};
  // A real ConfigureNotify of a reparented window is relative to the window manager's frame; only
  // the synthetic ones the window manager sends carry root coordinates.
  if (!event.send_event) {
    const std::optional<TPoint> onScreen = ScreenPosition(window.xid);
    if (!onScreen) return;
    position = *onScreen;
  }
  const TRect rect = Bounds(position.X, position.Y, event.width, event.height);
  if (rect == window.reported) return;
  window.reported = rect;
  NativeEvent e;
  e.rect = rect;
  translator_->Append(window, Kind::Configure, 0, std::move(e), pending_);
}

void X11Backend::OnMapped(TopLevel& window) {
  window.mapped = true;
  // Window managers place new windows as they see fit; the bar must stand exactly where asked.
  const TRect& asked = window.style.bounds;
  if (const std::optional<TPoint> actual = ScreenPosition(window.xid);
      actual && *actual != asked.TopLeft()) {
    window.placementDue = true;
    window.placementCheck = X11EventClock::Now() + kPlacementSettleMs;
  }
  if (window.focusPending) TakeFocus(window);
}

std::optional<int> X11Backend::NextPlacementCheckMs() const {
  std::optional<int> next;
  const uint32_t now = X11EventClock::Now();
  for (const auto& [hwnd, window] : windows_) {
    if (!window->placementDue) continue;
    const int left = std::max(0, static_cast<int32_t>(window->placementCheck - now));
    next = next ? std::min(*next, left) : left;
  }
  return next;
}

void X11Backend::CheckPlacements() {
  const uint32_t now = X11EventClock::Now();
  for (auto& [hwnd, window] : windows_) {
    if (!window->placementDue || static_cast<int32_t>(now - window->placementCheck) < 0) continue;
    window->placementDue = false;
    const TRect& asked = window->style.bounds;
    if (const std::optional<TPoint> actual = ScreenPosition(window->xid);
        window->mapped && actual && *actual != asked.TopLeft()) {
      XMoveWindow(display_, window->xid, asked.Left, asked.Top);
    }
  }
}

// ---- Staying on top without a window manager ------------------------------------------------

void X11Backend::WatchStacking() {
  if (watchingStacking_) return;
  watchingStacking_ = true;
  // A window mapped over one already covered changes nothing of its visibility: only the root
  // window tells of it.
  XWindowAttributes attributes{};
  const long others =
      XGetWindowAttributes(display_, root_, &attributes) != 0 ? attributes.your_event_mask : 0;
  XSelectInput(display_, root_, others | SubstructureNotifyMask);
}

void X11Backend::OnStackingEvent(const XEvent& event) {
  if (event.type != MapNotify || event.xmap.override_redirect || FindByXid(event.xmap.window))
    return;
  // Another program opened a window: whatever the bar gave up before, this is a new cover.
  raisePolicy_.StackingChanged();
  const bool topmostShown = std::any_of(windows_.begin(), windows_.end(), [](const auto& entry) {
    return entry.second->mapped && entry.second->style.topmost;
  });
  if (topmostShown) OnCovered();
}

void X11Backend::OnCovered() {
  if (WindowManagerRuns(display_, *atoms_)) return;
  const uint32_t now = X11EventClock::Now();
  if (raisePolicy_.Covered(now)) Rise(now);
}

void X11Backend::Rise(uint32_t now) {
  raisePolicy_.Raised(now, RaiseAboveOtherClients(display_, root_, stackingRoles_));
}

void X11Backend::TranslateClientMessage(TopLevel& window, const XClientMessageEvent& event) {
  if (event.message_type != atoms_->WM_PROTOCOLS || event.format != 32) return;
  const Atom protocol = static_cast<Atom>(event.data.l[0]);
  if (protocol == atoms_->WM_DELETE_WINDOW) {
    translator_->Append(window, Kind::CloseRequest, 0, NativeEvent{}, pending_);
  } else if (protocol == atoms_->WM_TAKE_FOCUS) {
    const Time time = static_cast<Time>(static_cast<unsigned long>(event.data.l[1]));
    // The bar accepts only when the window manager offers it the focus because of a click on it;
    // a focus-follows-mouse window manager offering it on hover is turned down.
    const bool clicked =
        window.pressed && static_cast<uint32_t>(time - window.lastPress) <= kClickFocusWindowMs;
    if (TakesFocusOnlyByClick(window.style) && !clicked) return;
    X11ErrorTrap trap(display_);
    XSetInputFocus(display_, window.xid, RevertToParent, time);
  }
}

}  // namespace

std::unique_ptr<Backend> CreateX11Backend(const X11ProgramName& name) {
  return std::make_unique<X11Backend>(name);
}

unsigned long NativeWindowId(Backend& backend, HWND window) {
  auto* x11 = dynamic_cast<X11Backend*>(&backend);
  return x11 ? x11->WindowId(window) : 0;
}

void SyncWithServer(Backend& backend) {
  if (auto* x11 = dynamic_cast<X11Backend*>(&backend)) x11->Sync();
}

bool UsesSharedMemory(Backend& backend) {
  auto* x11 = dynamic_cast<X11Backend*>(&backend);
  return x11 && x11->SharesMemory();
}

}  // namespace platform::x11
