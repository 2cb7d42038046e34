#pragma once
// The window system's state: the window tree, the message queues, painting state and input state
// (capture, focus, hover, double clicks). It owns the timer queue and the clipboard session, which
// are classes of their own. One instance per process, used from the user-interface thread only.
// The public calls of Window.h, Paint.h, Input.h, Timer.h, Clipboard.h and Screen.h are thin
// wrappers over it.

#include <array>
#include <bitset>
#include <cstdint>
#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/Backend.h"
#include "platform/drawing/DIBitmap.h"
#include "platform/drawing/DeviceContext.h"
#include "platform/drawing/Region.h"
#include "platform/windows/ClipboardSession.h"
#include "platform/windows/Paint.h"
#include "platform/windows/TimerQueue.h"
#include "platform/windows/Window.h"

namespace platform {

struct WindowObject;
bool IsPopupMenu(const WindowObject* w);

struct WindowObject {
  HWND handle = nullptr;
  std::string className;
  std::string text;
  uint32_t style = 0;
  uint32_t exStyle = 0;
  TRect bounds;  // parent's client coordinates; screen coordinates for top-level
  WindowObject* parent = nullptr;
  HWND owner = nullptr;                 // top-level windows
  std::vector<WindowObject*> children;  // z-order, bottom first
  bool visible = false;
  bool enabled = true;
  bool destroying = false;
  bool messageOnly = false;      // created with HWND_MESSAGE: never shown, no desktop window
  std::optional<Region> region;  // window coordinates
  std::shared_ptr<WNDPROC> proc;
  void* userData = nullptr;

  Region invalid;  // client coordinates
  bool eraseNeeded = false;
  bool frameInvalid = false;  // WM_NCPAINT is due before the next WM_PAINT
  bool internalPaint = false;

  // Top-level windows only.
  std::unique_ptr<DIBitmap> backBuffer;
  Region presentArea;  // client coordinates, waiting to reach the screen
  WindowObject* lastFocus = nullptr;
  uint8_t opacity = 255;  // layered windows: 0 invisible to 255 opaque

  bool IsTopLevel() const { return parent == nullptr; }
  TRect ClientRect() const { return {0, 0, bounds.Width(), bounds.Height()}; }
};

class WindowSystem final : public NativeEventSink {
 public:
  static WindowSystem& Instance();

  // --- the tree (WindowSystem.cpp)
  WindowObject* Find(HWND hwnd) const;
  HWND Create(const CreateWindowParams& params);
  bool Destroy(HWND hwnd);
  WindowObject* TopLevelOf(WindowObject* w) const;
  // Window's origin in its top-level's client coordinates, and in screen coordinates.
  TPoint OffsetInTopLevel(const WindowObject* w) const;
  TPoint ScreenOffset(const WindowObject* w) const;
  bool IsVisibleDeep(const WindowObject* w) const;
  bool IsEnabledDeep(const WindowObject* w) const;
  bool Show(WindowObject* w, int cmd);
  bool Enable(WindowObject* w, bool enable);
  bool SetPos(WindowObject* w, HWND insertAfter, int x, int y, int cx, int cy, unsigned flags);
  bool SetRegion(WindowObject* w, std::optional<Region> region, bool redraw);
  WindowObject* ChildAt(WindowObject* parent, TPoint clientPoint, bool deep, bool askHitTest);
  WindowObject* TopLevelAt(TPoint screenPoint) const;
  const std::vector<WindowObject*>& TopLevels() const { return topLevels_; }
  // The name desktop tools (window lists, pagers, switchers) show for a top-level window. A
  // window without a caption bar that belongs to an owner and is no task-bar entry of its own
  // (no WS_EX_APPWINDOW) is, to the desktop, part of its owner, as Windows' task bar and Alt+Tab
  // show the owner for it: it carries the name of the first window up its owners that has a
  // caption bar, is a task-bar entry or has no owner (the application's window). The captions of
  // borderless forms ("Form1") are internal and never meant to be seen.
  std::string DesktopTitle(const WindowObject* w) const;
  // A top-level window's text changed: it and the windows that carry its name tell the desktop.
  void TitleChanged(WindowObject* w);

  // --- messages (WindowSystemMessages.cpp)
  LRESULT Send(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
  bool Post(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
  void PostQuit(int exitCode);
  bool Get(MSG* msg, bool remove, bool wait);
  LRESULT Dispatch(const MSG& msg);
  void SetFailureReport(FailureReport report) { failureReport_ = std::move(report); }
  uint32_t MessageTime() const { return messageTime_; }
  uint32_t Now();
  // The timers, handed out by the loop (WM_TIMER after painting).
  TimerQueue& Timers() { return timers_; }

  // --- painting (WindowSystemPainting.cpp)
  // What Invalidate marks besides the client area.
  static constexpr unsigned kErase = 1, kFrame = 2, kAllChildren = 4;
  // Adds area (client coordinates of w) to w's invalid region, clipped to its client rectangle;
  // with kAllChildren, to every visible descendant's part of it too.
  void Invalidate(WindowObject* w, const Region& area, unsigned flags);
  void Validate(WindowObject* w, const Region& area, bool allChildren);
  bool NeedsPaint(const WindowObject* w) const {
    return !w->invalid.IsEmpty() || w->internalPaint || w->frameInvalid;
  }
  // Invalidates what every visible window of a top-level shows inside area (top-level client
  // coordinates): used when windows move, appear, disappear or change shape.
  void InvalidateTopLevelArea(WindowObject* top, const Region& area);
  // Repaints what a child window covers in its top-level window: what shows there once it is
  // gone, hidden or reshaped.
  void RepaintCovered(WindowObject* child);
  // The part of the window's client area that drawing may touch, in its own client coordinates:
  // inside every ancestor, its region, with visible children and higher siblings cut out.
  Region VisibleRegion(const WindowObject* w) const;
  HDC BeginPaint(WindowObject* w, PAINTSTRUCT* ps);
  bool EndPaint(WindowObject* w, const PAINTSTRUCT* ps);
  HDC GetDC(WindowObject* w);
  int ReleaseDC(WindowObject* w, HDC dc);
  HDC ScreenDC();
  WindowObject* NextWindowToPaint() const;
  bool Redraw(WindowObject* w, const TRect* rect, const Region* region, unsigned flags);
  void PaintNow(WindowObject* w, bool allChildren);
  void PresentAll();
  void ResizeBackBuffer(WindowObject* top);

  // --- input (WindowSystemInput.cpp)
  void OnNativeEvent(const NativeEvent& event) override;
  HWND SetCapture(HWND hwnd);
  bool ReleaseCapture();
  HWND Capture() const { return capture_ ? capture_->handle : nullptr; }
  bool GrabInput(HWND hwnd);
  void ReleaseInputGrab();
  HWND InputGrab() const { return grab_ ? grab_->handle : nullptr; }
  HWND SetFocus(HWND hwnd);
  HWND Focus() const { return focus_ ? focus_->handle : nullptr; }
  HWND Active() const { return active_ ? active_->handle : nullptr; }
  HWND Activate(HWND hwnd);
  int16_t KeyState(int virtualKey) const;
  void ForgetInput(WindowObject* w);  // a window is going away: drop capture, focus, hover

  // --- the clipboard, between OpenClipboard and CloseClipboard
  ClipboardSession& Clipboard() { return clipboard_; }

  // --- backend
  void Install(std::unique_ptr<Backend> backend);
  bool HasBackend() const { return backend_ != nullptr; }
  Backend& backend();
  // Ends the program's windows and the backend (at exit, and between tests).
  void Reset();

 private:
  WindowSystem() = default;
  ~WindowSystem() override;

  friend class WindowSystemAccess;

  void Unlink(WindowObject* w);
  void DestroyTree(WindowObject* w);
  void Forget(WindowObject* w);  // out of the handle table, its timers and contexts dropped
  HDC GiveDC(WindowObject* w, Region area);
  void TakeBackDC(HDC dc);
  void QueueInput(const MSG& msg);
  void RouteMouse(const NativeEvent& event, UINT msg);
  void UpdateHover(WindowObject* top, TPoint clientPoint, uint32_t time);
  WindowObject* MouseTarget(WindowObject* top, TPoint clientPoint);
  void RouteKey(const NativeEvent& event);
  // A press: double clicks told apart, the window activated by a click, then routed as the mouse.
  void OnButtonDown(WindowObject* top, const NativeEvent& event);
  // Typed text: one WM_CHAR a character, to the focused window of the top-level window.
  void RouteText(WindowObject* top, const NativeEvent& event);
  // The desktop moved or resized a top-level window: its back buffer and its window are told.
  void OnConfigure(WindowObject* top, const NativeEvent& event);
  void OnActivation(WindowObject* top, bool active);
  void AnnounceScreenChange(NativeEvent::Kind kind);
  TopLevelStyle StyleFor(const WindowObject* w) const;
  // The window's answer to WM_GETMINMAXINFO, over the defaults of the whole screen.
  MINMAXINFO MinMaxInfo(WindowObject* w);

  std::unique_ptr<Backend> backend_;
  uint64_t nextHandle_ = 1;
  std::unordered_map<HWND, std::unique_ptr<WindowObject>> windows_;
  std::vector<WindowObject*> topLevels_;                  // creation order
  std::vector<std::unique_ptr<WindowObject>> graveyard_;  // freed when no message is being handled
  int dispatchDepth_ = 0;

  // The state of the buttons, modifiers and keys: as the latest native event left it, and as it
  // was when the input message being handled was made (what GetKeyState reports, as on Windows).
  struct InputState {
    unsigned buttons = 0;    // MK_ flags of the buttons down
    unsigned modifiers = 0;  // MK_SHIFT, MK_CONTROL, kAltDown
    std::bitset<256> keys;
  };
  struct QueuedInput {
    MSG msg;
    InputState state;
  };

  std::deque<MSG> posted_;
  std::deque<QueuedInput> input_;
  std::optional<int> quitCode_;
  FailureReport failureReport_;
  uint32_t messageTime_ = 0;

  TimerQueue timers_;

  struct GivenDC {
    std::unique_ptr<DeviceContext> dc;
    WindowObject* top;  // whose back buffer it draws into
  };
  std::vector<GivenDC> dcs_;  // contexts given out by GetDC and BeginPaint
  std::unique_ptr<DIBitmap> screenBitmap_;
  std::unique_ptr<DeviceContext> screenDC_;

  WindowObject* capture_ = nullptr;
  WindowObject* grab_ = nullptr;  // the open pop-up menu that holds the desktop's input
  WindowObject* focus_ = nullptr;
  WindowObject* active_ = nullptr;
  WindowObject* hover_ = nullptr;
  InputState latest_;
  InputState current_;
  struct Click {
    HWND window = nullptr;
    int button = 0;
    uint32_t time = 0;
    TPoint screen;
    bool valid = false;
  } lastClick_;
  // The top-level window each key held down went down in. The repeats of a key held since it went
  // down in another window (a message box closed by that very press) are not keys typed in this
  // one: a default button would take them for a fresh Return.
  std::array<HWND, 256> keyPressedIn_{};

  ClipboardSession clipboard_;
};

}  // namespace platform
