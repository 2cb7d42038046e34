#pragma once
// A desktop that exists only in memory, for tests: top-level windows are records, presenting copies
// the back buffer into the record's screen image, time is a virtual clock that only moves when a
// test advances it (or when the loop sleeps until a timer), and input is whatever the test makes
// happen, delivered in order the next time the window system looks for events.

#include <bitset>
#include <deque>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/Backend.h"

namespace platform {

class HeadlessBackend final : public Backend {
 public:
  struct TopLevel {
    TopLevelStyle style;
    bool visible = false;
    std::optional<Region> shape;
    DIBitmap screen;  // what the desktop shows of the window, in client coordinates
    int presents = 0;
    bool hasIcon = false;
    uint8_t opacity = 255;  // as a compositing manager would show the window; screen ignores it
  };

  HeadlessBackend();

  // Backend.
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
  void ReleaseInputGrab() override { inputGrab_ = nullptr; }
  void Present(HWND window, const DIBitmap& backBuffer, const Region& area) override;
  void WaitForEvents(std::optional<uint32_t> timeoutMs) override;
  uint32_t TickCount() override { return now_; }
  TPoint CursorPos() override { return pointer_; }
  std::vector<MonitorInfo> Monitors() override { return monitors_; }
  TSize VirtualScreenSize() override { return screenSize_; }
  std::optional<std::string> ClaimInstance(const std::string& document) override;
  bool RaiseRunningInstance() override;
  std::optional<std::string> DesktopResource(const std::string& name) override;
  bool ClipboardAvailable() override { return clipboardAvailable_; }
  bool ClipboardPublish(const SharedText& bytes) override;
  std::optional<std::string> ClipboardRead() override { return ClipboardContents(); }
  void Shutdown() override {}

  // The desktop's shape. A change is announced to the program, as a real desktop does.
  // SetWorkArea: the primary monitor's work area. SetMonitors: the primary first.
  void SetWorkArea(const TRect& area);
  void SetMonitors(std::vector<MonitorInfo> monitors);
  void SetVirtualScreenSize(TSize size) { screenSize_ = size; }
  void SetDesktopResource(const std::string& name, const std::string& value) {
    resources_[name] = value;
  }

  // Another copy of the program on this desktop, working on `document` (nullopt: none runs), as
  // ClaimInstance finds it; how often it was asked to raise its windows.
  void SetRunningInstance(std::optional<std::string> document) { other_ = std::move(document); }
  int RaiseRequests() const { return raiseRequests_; }
  // What this process published when it claimed the desktop.
  const std::optional<std::string>& ClaimedDocument() const { return claimed_; }

  // Time.
  void Advance(uint32_t ms) { now_ += ms; }

  // Input, as a user would make it (screen coordinates).
  void MoveMouse(TPoint screen);
  void MoveMouse(int x, int y) { MoveMouse(TPoint{x, y}); }
  void Press(int button = 1);
  void Release(int button = 1);
  void Click(int button = 1);
  void Wheel(int delta);
  void KeyDown(int virtualKey);
  void KeyUp(int virtualKey);
  void Key(int virtualKey);  // down and up
  void Type(const std::string& utf8);
  void RequestClose(HWND window);
  void MoveByDesktop(HWND window, const TRect& screenBounds);
  void Expose(HWND window, const TRect& rect);
  // The desktop moves the keyboard to another program's window (nullptr) or one of ours.
  void FocusWindow(HWND window);

  // What the desktop shows and knows.
  const TopLevel* Find(HWND window) const;
  HWND FocusedWindow() const { return focused_; }
  // The window holding the desktop's pointer and keyboard (an open menu), or nullptr.
  HWND InputGrab() const { return inputGrab_; }
  // Another program holds a grab: GrabInput fails while this is set.
  void SetGrabbedElsewhere(bool grabbed) { grabbedElsewhere_ = grabbed; }
  // The colour on the desktop at a screen point inside one of the program's windows, or -1.
  TColor ScreenPixel(TPoint screen) const;

  // The clipboard, as other programs see it.
  void SetClipboardAvailable(bool available) { clipboardAvailable_ = available; }
  std::optional<std::string> ClipboardContents() const {
    return clipboard_ ? std::optional<std::string>(clipboard_->Str()) : std::nullopt;
  }
  // Whether the clipboard holds the very bytes given, shared rather than copied.
  bool ClipboardShares(const SharedText& text) const {
    return clipboard_ && clipboard_->Shares(text);
  }
  void SetClipboardContents(std::optional<std::string> text) {
    clipboard_ = text ? std::optional<SharedText>(std::move(*text)) : std::nullopt;
  }
  int ClipboardPublishCount() const { return publishCount_; }

 private:
  HWND TopLevelAt(TPoint screen) const;
  void PointerEvent(NativeEvent::Kind kind, int button, int delta);
  unsigned KeyStateFlags() const;
  // Keys go to the window holding the grab, else to the focused one.
  HWND KeyTarget() const { return inputGrab_ ? inputGrab_ : focused_; }
  // A new event at the end of the queue, stamped with the clock; the caller fills in the rest.
  NativeEvent& Queue(NativeEvent::Kind kind, HWND window);

  NativeEventSink* sink_ = nullptr;
  std::map<HWND, TopLevel> windows_;
  std::vector<HWND> stacking_;  // bottom first
  std::deque<NativeEvent> events_;
  uint32_t now_ = 1000;
  TPoint pointer_{-1, -1};
  HWND underPointer_ = nullptr;
  HWND grab_ = nullptr;  // the window a held button pressed in
  unsigned buttons_ = 0;
  unsigned modifiers_ = 0;
  std::bitset<256> held_;  // keys down, so that pressing one again is a repeat
  HWND focused_ = nullptr;
  HWND inputGrab_ = nullptr;
  bool grabbedElsewhere_ = false;
  std::vector<MonitorInfo> monitors_{{{0, 0, 1280, 1024}, {0, 0, 1280, 994}, true}};
  TSize screenSize_{1280, 1024};
  std::optional<std::string> other_;
  std::optional<std::string> claimed_;
  int raiseRequests_ = 0;
  std::map<std::string, std::string> resources_;
  bool clipboardAvailable_ = true;
  std::optional<SharedText> clipboard_;
  int publishCount_ = 0;
};

}  // namespace platform
