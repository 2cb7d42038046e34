// The clipboard calls of Clipboard.h. What is set during one open reaches the desktop when the
// clipboard is closed, in one step, so other programs never see a half-made clipboard.

#include "platform/windows/Clipboard.h"

#include "platform/windows/WindowSystem.h"

namespace platform {

bool WindowSystem::ClipboardOpen(HWND owner) {
  if (clipboardOpen_) return false;
  if (!backend().ClipboardAvailable()) return false;
  clipboardOpen_ = true;
  clipboardOwner_ = owner;
  clipboardEmptied_ = false;
  clipboardPending_.reset();
  return true;
}

bool WindowSystem::ClipboardEmpty() {
  if (!clipboardOpen_) return false;
  clipboardEmptied_ = true;
  clipboardPending_.reset();
  return true;
}

bool WindowSystem::ClipboardSet(const SharedText& bytes) {
  if (!clipboardOpen_) return false;
  clipboardPending_ = bytes;
  return true;
}

std::optional<std::string> WindowSystem::ClipboardGet() {
  if (!clipboardOpen_) return std::nullopt;
  if (clipboardPending_) return clipboardPending_->Str();
  if (clipboardEmptied_) return std::nullopt;
  return backend().ClipboardRead();
}

bool WindowSystem::ClipboardClose() {
  if (!clipboardOpen_) return false;
  clipboardOpen_ = false;
  clipboardOwner_ = nullptr;
  const bool changed = clipboardEmptied_ || clipboardPending_;
  const SharedText bytes = clipboardPending_.value_or(SharedText());
  clipboardEmptied_ = false;
  clipboardPending_.reset();
  return !changed || backend().ClipboardPublish(bytes);
}

bool OpenClipboard(HWND owner) { return WindowSystem::Instance().ClipboardOpen(owner); }
bool EmptyClipboard() { return WindowSystem::Instance().ClipboardEmpty(); }
bool SetClipboardText(const SharedText& bytes) {
  return WindowSystem::Instance().ClipboardSet(bytes);
}
std::optional<std::string> GetClipboardText() { return WindowSystem::Instance().ClipboardGet(); }
bool CloseClipboard() { return WindowSystem::Instance().ClipboardClose(); }

}  // namespace platform
