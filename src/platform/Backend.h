#pragma once
// What the window system needs from the desktop it runs on. Two implementations: x11 (the real
// desktop, Xlib) and headless (deterministic, driven by tests). The window system owns the window
// tree, messages, painting and input routing; a backend only creates and shows native top-level
// windows, puts their back buffers on screen, reports native events, keeps time and offers the
// screens and the clipboard.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/SharedText.h"
#include "platform/Types.h"
#include "platform/drawing/DIBitmap.h"
#include "platform/drawing/Region.h"
#include "platform/windows/Screen.h"

namespace platform {

// How a top-level window should stand on the desktop.
struct TopLevelStyle {
  TRect bounds;             // screen coordinates of the outer rectangle
  std::string title;        // what window lists and pagers call it
  std::string role;         // which of the program's windows it is, for the desktop's window rules
  bool decorated = false;   // a frame and caption from the window manager
  bool topmost = false;     // above normal windows
  bool skipTaskbar = true;  // out of the task bar and pager
  bool noActivate = false;  // the desktop never gives it the keyboard (not on showing, not on
                            // hover); the window system asks for it with Activate on a click
  bool dialog = false;      // a modal dialog: transient for its owner, modal state
  bool toolTip = false;     // a passing tip beside the pointer: placed exactly, above everything,
                            // never managed, listed or focused by the desktop
  bool popupMenu = false;   // a menu the user opened: placed exactly, above everything, never
                            // managed or focused; it takes the input by GrabInput while open
  HWND owner = nullptr;     // top-level owner, if any
  // A window the user may resize, within these sizes (the window's answer to WM_GETMINMAXINFO);
  // without them the size is the program's alone.
  struct SizeLimits {
    TSize min;
    TSize max;
  };
  std::optional<SizeLimits> resizable;
};

// Native events, in top-level client coordinates.
struct NativeEvent {
  enum class Kind {
    // (Named apart from Xlib's event macros, which would otherwise replace them.)
    PointerMove,   // point, keyState
    ButtonDown,    // point, button (1 left, 2 middle, 3 right), keyState
    ButtonUp,      // point, button, keyState
    Wheel,         // point, delta (120 per notch, positive away from the user)
    PointerLeave,  // the pointer left the top-level window
    KeyDown,       // virtualKey, keyState, repeat
    KeyUp,         // virtualKey, keyState
    Text,          // text: UTF-8 typed (one or more characters), never control characters
    Exposed,       // rect: part of the window must be shown again from the back buffer
    Configure,     // rect: the window's new screen rectangle (moved or resized by the desktop)
    FocusGained,   // the desktop gave the window the keyboard
    FocusLost,     // the desktop took the keyboard away
    CloseRequest,  // the user asked the window manager to close it
    // The desktop's shape changed (window: none): monitors came, went, moved or resized, or
    // only the work areas within them changed (a panel added, moved or removed).
    DisplayChanged,
    WorkAreaChanged,
  };
  Kind kind = Kind::PointerMove;
  HWND window = nullptr;  // the top-level window
  TPoint point;
  TRect rect;
  int button = 0;
  int delta = 0;
  int virtualKey = 0;
  bool repeat = false;
  unsigned keyState = 0;  // MK_* flags, plus Alt in kAltDown
  std::string text;
  uint32_t time = 0;  // milliseconds, the backend's clock
};
constexpr unsigned kAltDown = 0x8000;

// The window system's side: where a backend delivers its events.
class NativeEventSink {
 public:
  virtual ~NativeEventSink() = default;
  virtual void OnNativeEvent(const NativeEvent& event) = 0;
};

class Backend {
 public:
  virtual ~Backend() = default;

  virtual void SetEventSink(NativeEventSink* sink) = 0;

  // Top-level windows, identified by the window system's handle.
  virtual void CreateTopLevel(HWND window, const TopLevelStyle& style) = 0;
  virtual void DestroyTopLevel(HWND window) = 0;
  virtual void ShowTopLevel(HWND window, bool visible) = 0;
  virtual void MoveTopLevel(HWND window, const TRect& screenBounds) = 0;
  virtual void SetTitle(HWND window, const std::string& title) = 0;
  virtual void SetIcon(HWND window, const DIBitmap& image, const DIBitmap* mask) = 0;
  // The window's shape in client coordinates; nullopt: the whole rectangle.
  virtual void SetShape(HWND window, const std::optional<Region>& shape) = 0;
  // How opaque the desktop shows the window: 0 invisible to 255 opaque (the default). Only a
  // compositing manager can show anything between; without one the window stays opaque. (On a
  // Wayland desktop the windows are Xwayland's, and the compositor decides whether to honour it.)
  virtual void SetOpacity(HWND window, uint8_t alpha) = 0;
  // Give the window the desktop's keyboard focus (after a click on it, or when a dialog shows).
  virtual void Activate(HWND window) = 0;
  // While a pop-up menu is open, every pointer and keyboard event of the desktop goes to it (points
  // in its client coordinates, also outside it), and the window the user types in keeps its focus.
  // False when the desktop refuses (another program holds a grab). A new grab replaces the last.
  virtual bool GrabInput(HWND window) = 0;
  virtual void ReleaseInputGrab() = 0;
  // Put these parts (client coordinates) of the back buffer on the screen.
  virtual void Present(HWND window, const DIBitmap& backBuffer, const Region& area) = 0;

  // Waits until native events arrive or timeoutMs passes (nullopt: no limit, 0: just look), then
  // delivers every pending event to the sink.
  virtual void WaitForEvents(std::optional<uint32_t> timeoutMs) = 0;
  // Milliseconds on a monotonic clock; events carry times on the same clock.
  virtual uint32_t TickCount() = 0;
  virtual TPoint CursorPos() = 0;

  // The monitors with their work areas, the primary first; never empty.
  virtual std::vector<MonitorInfo> Monitors() = 0;
  virtual TSize VirtualScreenSize() = 0;
  // A value of the desktop's resource database by its full name ("Xft.dpi", the resolution the
  // desktop asks text to be drawn at), as written there; nullopt when it holds none.
  virtual std::optional<std::string> DesktopResource(const std::string& name) = 0;

  // One running copy of the program per desktop. ClaimInstance makes this process the desktop's
  // copy, publishing `document` (the file it works on) for later starts, and returns nullopt; when
  // another copy holds the desktop, it returns what that copy published instead.
  // RaiseRunningInstance asks that copy to bring its windows to the front (false: it is gone).
  // Whatever a later start does, or wherever it is stopped, the running copy carries on.
  virtual std::optional<std::string> ClaimInstance(const std::string& document) = 0;
  virtual bool RaiseRunningInstance() = 0;

  // Clipboard: whether it can be had at all; make the program its owner with these bytes (kept
  // shared, not copied); read what is on it (own bytes when the owner) or nullopt.
  virtual bool ClipboardAvailable() = 0;
  virtual bool ClipboardPublish(const SharedText& bytes) = 0;
  virtual std::optional<std::string> ClipboardRead() = 0;

  // The program is ending: hand the clipboard on, close the connection.
  virtual void Shutdown() = 0;
};

// Installs the backend the window system runs on (replacing and shutting down any earlier one).
void InstallBackend(std::unique_ptr<Backend> backend);
Backend& CurrentBackend();
bool HasBackend();

}  // namespace platform
