#pragma once
// TClipboard: the system clipboard in its plain-text form, for the program's handlers and the
// edit's cut, copy and paste.
//
// Opening is counted per object: only the first Open opens the system clipboard (for the
// application's window) and only the matching last Close closes it, so a handler may bracket
// several operations in one Open/Close. The first text put during one open empties the clipboard
// first, which makes the program its owner. Texts are bytes up to the first zero byte, passed
// unchanged. Each user of the clipboard makes its own object and frees it when done; an object
// freed while still open closes the clipboard.

#include <string>

#include "framework/classes/Persistent.h"
#include "platform/SharedText.h"

namespace framework {

// The plain-text clipboard format, Windows' number.
constexpr unsigned CF_TEXT = 1;

class TClipboard : public TPersistent {
 public:
  TClipboard() = default;
  ~TClipboard() override;
  TClipboard(const TClipboard&) = delete;
  TClipboard& operator=(const TClipboard&) = delete;

  // Exception "Cannot open clipboard" when the system clipboard cannot be had, or, for the last
  // Close, when what was put on it could not be published. Close without Open does nothing.
  void Open();
  void Close();
  int OpenCount() const { return openCount_; }

  // Empties the clipboard (it then holds no text at all).
  void Clear();
  // Whether the clipboard holds data of the format (only CF_TEXT is known).
  bool HasFormat(unsigned format);
  // The text on the clipboard, empty when there is none; setting puts the bytes up to the first
  // zero byte (so an empty text leaves an empty text, not none).
  std::string AsText();
  // The text's bytes are shared with the clipboard, not copied (unless they hold a zero byte).
  void SetAsText(const platform::SharedText& text);

 private:
  // Empties the clipboard before the first text put during this open.
  void Adding();

  int openCount_ = 0;
  bool emptied_ = false;
};

}  // namespace framework
