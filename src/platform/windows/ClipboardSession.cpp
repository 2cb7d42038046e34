#include "platform/windows/ClipboardSession.h"

namespace platform {

bool ClipboardSession::Open(Backend& desktop) {
  if (open_) return false;
  if (!desktop.ClipboardAvailable()) return false;
  open_ = true;
  emptied_ = false;
  pending_.reset();
  return true;
}

bool ClipboardSession::Empty() {
  if (!open_) return false;
  emptied_ = true;
  pending_.reset();
  return true;
}

bool ClipboardSession::Set(const SharedText& bytes) {
  if (!open_) return false;
  pending_ = bytes;
  return true;
}

std::optional<std::string> ClipboardSession::Get(Backend& desktop) const {
  if (!open_) return std::nullopt;
  if (pending_) return pending_->Str();
  if (emptied_) return std::nullopt;
  return desktop.ClipboardRead();
}

bool ClipboardSession::Close(Backend& desktop) {
  if (!open_) return false;
  const bool changed = emptied_ || pending_;
  const SharedText bytes = pending_.value_or(SharedText());
  Reset();
  return !changed || desktop.ClipboardPublish(bytes);
}

void ClipboardSession::Reset() {
  open_ = false;
  emptied_ = false;
  pending_.reset();
}

}  // namespace platform
