// The clipboard calls of Clipboard.h over the window system's clipboard session.

#include "platform/windows/Clipboard.h"

#include "platform/windows/WindowSystem.h"

namespace platform {

namespace {

WindowSystem& WS() { return WindowSystem::Instance(); }

}  // namespace

// The owner plays no part: the program, not one of its windows, owns what it publishes.
bool OpenClipboard(HWND /*owner*/) { return WS().Clipboard().Open(WS().backend()); }
bool EmptyClipboard() { return WS().Clipboard().Empty(); }
bool SetClipboardText(const SharedText& bytes) { return WS().Clipboard().Set(bytes); }
std::optional<std::string> GetClipboardText() { return WS().Clipboard().Get(WS().backend()); }
bool CloseClipboard() { return WS().Clipboard().Close(WS().backend()); }

}  // namespace platform
