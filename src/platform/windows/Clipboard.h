#pragma once
// The system clipboard, in its plain-text form: bytes passed through unchanged (UTF-8 here).
// The calls follow Windows: open, empty (which makes the program the owner), set, close; reading
// gives what the owner (this program or another) offers. OpenClipboard fails when the clipboard
// cannot be had; CloseClipboard fails when what was set could not be published.

#include <optional>
#include <string>

#include "platform/SharedText.h"
#include "platform/windows/Window.h"

namespace platform {

bool OpenClipboard(HWND owner);
bool EmptyClipboard();
// The bytes are kept shared until the clipboard is closed and then handed on, never copied.
bool SetClipboardText(const SharedText& bytes);
// The text on the clipboard, or nullopt when there is none (or it cannot be read in time).
std::optional<std::string> GetClipboardText();
bool CloseClipboard();

}  // namespace platform
