#pragma once
// The tool tip: a small borderless window in the info colours showing one hint text near the
// pointer. It never takes the keyboard. Like the desktop's own tips it is bounded, whatever the
// text: at most kMaxWidth pixels of text wide and kMaxLines lines high, a longer text cut after
// what fits with "..." in its place. On a dense display its font, bound and margins are the
// display factor times larger, as every form's are.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "platform/SharedText.h"
#include "platform/drawing/DeviceContext.h"
#include "platform/text/Font.h"
#include "platform/windows/Window.h"

namespace framework {

class THintWindow {
 public:
  static constexpr int kMaxWidth = 300;
  static constexpr int kMaxLines = 16;
  static constexpr unsigned kTextFormat =
      platform::DT_LEFT | platform::DT_NOPREFIX | platform::DT_WORDBREAK;

  THintWindow() = default;
  virtual ~THintWindow();
  THintWindow(const THintWindow&) = delete;
  THintWindow& operator=(const THintWindow&) = delete;

  // Shows text with its top-left near the screen point, kept inside the work area.
  void ActivateHint(const platform::SharedText& text, platform::TPoint screenPoint);
  void ReleaseHandle();
  bool Showing() const;
  const platform::SharedText& Text() const { return text_; }
  // What the tip shows of the text.
  const std::string& Shown() const { return shown_; }
  platform::HWND Handle() const { return handle_; }

 protected:
  // Where a tip of this size stands for the point asked for: at the point, kept inside the
  // screen; above the pointer when there is no room below.
  virtual platform::TRect HintBounds(platform::TSize size, platform::TPoint at) const;
  // The tip's face and text: a black line round the info colour, the text in the info text
  // colour, 4 pixels in from the sides and 2 from the top.
  virtual void Paint(platform::HDC dc, const platform::TRect& client);
  // The tip is about to show after it was hidden (or never shown): its window is made, placed and
  // sized. Where a tip that comes in gradually sets its first look; the default does nothing.
  virtual void Appearing() {}
  // A timer of the tip's window (SetTimer on Handle()) is due; the default does nothing. The
  // window's timers go with it when the tip is hidden.
  virtual void TimerTick(uintptr_t /*id*/) {}
  // The text rectangle inside a tip of the given client size.
  static platform::TRect TextRect(const platform::TRect& client);
  static platform::LogFont HintLogFont();
  static platform::HFONT HintFont();

 private:
  platform::LRESULT Proc(platform::HWND hwnd, platform::UINT msg, platform::WPARAM w,
                         platform::LPARAM l);

  platform::HWND handle_ = nullptr;
  platform::SharedText text_;
  std::string shown_;
};

// The class of the application's tip, as the skin engine may replace it: the function makes a new
// tip window. Without one set (or after setting nullptr) the tip is a THintWindow.
using THintWindowClass = std::function<std::unique_ptr<THintWindow>()>;
void SetHintWindowClass(THintWindowClass make);
std::unique_ptr<THintWindow> NewHintWindow();

}  // namespace framework
