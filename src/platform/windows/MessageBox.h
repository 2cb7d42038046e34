#pragma once
// The program's own modal message box: caption, error icon, message and an OK button. It runs
// its own modal loop; the program's other windows take no input until it closes (Enter, Esc, a
// click on OK, or the window being closed).

#include <optional>
#include <string>
#include <vector>

#include "platform/drawing/DeviceContext.h"
#include "platform/text/Font.h"

#include "platform/windows/Window.h"

namespace platform {

enum : unsigned { MB_OK = 0x0, MB_ICONERROR = 0x10 };
enum : int { IDOK = 1 };

// The box stands centred on its owner's top-level window when that is visible, else on the
// primary monitor's work area, and is then moved inside the work area of the monitor it stands on,
// as the desktop's own message boxes are.
int MessageBox(HWND owner, const std::string& text, const std::string& caption, unsigned type);

// Where a box of this size stands: centred on `owner` (nullopt: on the work area), then moved
// inside the work area as far as its size allows; a box larger than the work area keeps its top
// and left edges inside it, where its caption and the start of its message are.
TRect MessageBoxBounds(TSize size, const std::optional<TRect>& owner, const TRect& workArea);

// The box's parts in its client area: the caption strip and its text, the error icon (32 by 32),
// the wrapped message and the OK button, and the box's size, for the text and caption given. Every
// size is multiplied by the device's factor (DeviceScale).
struct MessageBoxLayout {
  TSize Size;
  TRect Caption;
  TRect CaptionText;
  TRect Icon;
  TRect Text;
  TRect Button;
};
MessageBoxLayout LayOutMessageBox(const std::string& text, const std::string& caption);

// The formats the box draws its message and its caption with, and their fonts (at the device's
// factor).
constexpr unsigned kMessageTextFormat = DT_LEFT | DT_WORDBREAK | DT_NOPREFIX | DT_EXPANDTABS;
constexpr unsigned kMessageCaptionFormat =
    DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS;
LogFont MessageTextFont();
LogFont MessageCaptionFont();

// The error sign: a red disc with an antialiased edge and a white cross, size by size pixels (32 on
// an ordinary screen) with its top-left at (left, top), blended over what is there.
void DrawErrorIcon(HDC dc, int left, int top, int size);

// The modal part of a box, for boxes drawn by the layers above: while it lives every other
// top-level window of the program is disabled; when it ends they are enabled again and the window
// that was active (and the one that had the focus) get the keyboard back.
class ModalBoxScope {
 public:
  ModalBoxScope();
  ~ModalBoxScope();
  ModalBoxScope(const ModalBoxScope&) = delete;
  ModalBoxScope& operator=(const ModalBoxScope&) = delete;

 private:
  HWND previousActive_;
  HWND previousFocus_;
  std::vector<HWND> disabled_;
};

// Handles messages until done is set or the window is gone. When the program is told to end, the
// quit message is left for the main loop.
void RunModalBox(HWND window, const bool& done);

}  // namespace platform
