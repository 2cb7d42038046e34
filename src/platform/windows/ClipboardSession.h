#pragma once
// The program's use of the clipboard between OpenClipboard and CloseClipboard. What is set during
// one open is kept here and reaches the desktop (the backend) when the clipboard is closed, in one
// step, so other programs never see a half-made clipboard. One session at a time; the window
// system owns it and passes it the backend of the moment.

#include <optional>
#include <string>

#include "platform/Backend.h"
#include "platform/SharedText.h"

namespace platform {

class ClipboardSession {
 public:
  // False while already open, or when the desktop's clipboard cannot be had.
  bool Open(Backend& desktop);
  // Makes the program the owner of an empty clipboard (on close); what was set is dropped.
  bool Empty();
  // The bytes are kept shared until the close hands them on.
  bool Set(const SharedText& bytes);
  // What was set during this open, else the desktop's text (nothing after an Empty).
  std::optional<std::string> Get(Backend& desktop) const;
  // Publishes what changed; false when that failed, or when the clipboard was not open.
  bool Close(Backend& desktop);
  // Forgets an open session without publishing (the window system is reset).
  void Reset();

 private:
  bool open_ = false;
  bool emptied_ = false;
  std::optional<SharedText> pending_;
};

}  // namespace platform
