#pragma once
// The tool tip: a small borderless window in the info colours showing one hint text near the
// pointer. It never takes the keyboard.

#include <string>

#include "platform/windows/Window.h"

namespace framework {

class THintWindow {
 public:
  THintWindow() = default;
  ~THintWindow();
  THintWindow(const THintWindow&) = delete;
  THintWindow& operator=(const THintWindow&) = delete;

  // Shows text with its top-left near the screen point, kept inside the work area.
  void ActivateHint(const std::string& text, platform::TPoint screenPoint);
  void ReleaseHandle();
  bool Showing() const;
  const std::string& Text() const { return text_; }
  platform::HWND Handle() const { return handle_; }

 private:
  platform::LRESULT Proc(platform::HWND hwnd, platform::UINT msg, platform::WPARAM w,
                         platform::LPARAM l);

  platform::HWND handle_ = nullptr;
  std::string text_;
};

}  // namespace framework
