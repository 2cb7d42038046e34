#include "framework/controls/ClipboardObject.h"

#include "framework/controls/ControlHost.h"
#include "platform/windows/Clipboard.h"

namespace framework {

namespace {

[[noreturn]] void CannotOpen() { throw Exception("Cannot open clipboard"); }

// The bytes a zero-terminated text would hold.
std::string UpToZero(const std::string& text) { return text.substr(0, text.find('\0')); }

}  // namespace

TClipboard::~TClipboard() {
  // Never leave the system clipboard open behind a forgotten Close; a publish that fails now has
  // nobody left to tell.
  if (openCount_ > 0) {
    openCount_ = 0;
    platform::CloseClipboard();
  }
}

void TClipboard::Open() {
  if (openCount_ == 0) {
    const HWND owner = ControlHost() ? ControlHost()->Handle() : nullptr;
    if (!platform::OpenClipboard(owner)) CannotOpen();
    emptied_ = false;
  }
  ++openCount_;
}

void TClipboard::Close() {
  if (openCount_ == 0) return;
  if (--openCount_ == 0 && !platform::CloseClipboard()) CannotOpen();
}

void TClipboard::Clear() {
  Open();
  platform::EmptyClipboard();
  Close();
}

void TClipboard::Adding() {
  if (openCount_ != 0 && !emptied_) {
    platform::EmptyClipboard();
    emptied_ = true;
  }
}

bool TClipboard::HasFormat(unsigned format) {
  if (format != CF_TEXT) return false;
  Open();
  const bool has = platform::GetClipboardText().has_value();
  Close();
  return has;
}

std::string TClipboard::AsText() {
  Open();
  const std::optional<std::string> text = platform::GetClipboardText();
  Close();
  return text ? UpToZero(*text) : std::string();
}

void TClipboard::SetAsText(const platform::SharedText& text) {
  const platform::SharedText bytes =
      text.find('\0') == std::string::npos ? text : platform::SharedText(UpToZero(text));
  Open();
  try {
    Adding();
    platform::SetClipboardText(bytes);
  } catch (...) {
    // The clipboard is closed before the failure goes on; a second failure while closing would
    // only hide the first.
    if (--openCount_ == 0) platform::CloseClipboard();
    throw;
  }
  Close();
}

}  // namespace framework
