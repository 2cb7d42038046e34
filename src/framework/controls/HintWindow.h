#pragma once
// The tool tip: a small borderless window in the info colours showing one hint text near the
// pointer. It never takes the keyboard. Like the desktop's own tips it is bounded, whatever the
// text: at most kMaxWidth pixels of text wide and kMaxLines lines high, a longer text cut after
// what fits with "..." in its place.

#include <string>

#include "platform/SharedText.h"
#include "platform/windows/Window.h"

namespace framework {

class THintWindow {
 public:
  static constexpr int kMaxWidth = 300;
  static constexpr int kMaxLines = 16;

  THintWindow() = default;
  ~THintWindow();
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

 private:
  platform::LRESULT Proc(platform::HWND hwnd, platform::UINT msg, platform::WPARAM w,
                         platform::LPARAM l);

  platform::HWND handle_ = nullptr;
  platform::SharedText text_;
  std::string shown_;
};

}  // namespace framework
