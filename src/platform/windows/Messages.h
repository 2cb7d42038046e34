#pragma once
// Window messages with Windows' numbers and parameters, virtual-key codes and the flags of the
// window calls, so code above this layer reads as it would on Windows.

#include <cstdint>

#include "platform/Types.h"

namespace platform {

struct MSG {
  HWND hwnd = nullptr;
  UINT message = 0;
  WPARAM wParam = 0;
  LPARAM lParam = 0;
  uint32_t time = 0;
  TPoint pt;
};

// Packing of two 16-bit values into one parameter, as Windows does for mouse positions and sizes.
constexpr LPARAM MAKELPARAM(int low, int high) {
  return static_cast<LPARAM>(static_cast<uint32_t>((low & 0xFFFF) | ((high & 0xFFFF) << 16)));
}
constexpr int GET_X_LPARAM(LPARAM l) { return static_cast<int16_t>(l & 0xFFFF); }
constexpr int GET_Y_LPARAM(LPARAM l) { return static_cast<int16_t>((l >> 16) & 0xFFFF); }
constexpr int LOWORD(uintptr_t v) { return static_cast<int>(v & 0xFFFF); }
constexpr int HIWORD(uintptr_t v) { return static_cast<int>((v >> 16) & 0xFFFF); }

enum : UINT {
  WM_NULL = 0x0000,
  WM_CREATE = 0x0001,
  WM_DESTROY = 0x0002,
  WM_MOVE = 0x0003,
  WM_SIZE = 0x0005,
  WM_ACTIVATE = 0x0006,
  WM_SETFOCUS = 0x0007,
  WM_KILLFOCUS = 0x0008,
  WM_ENABLE = 0x000A,
  WM_SETREDRAW = 0x000B,
  WM_SETTEXT = 0x000C,  // lParam: const std::string* (texts are counted bytes here)
  WM_GETTEXT = 0x000D,  // lParam: std::string* to fill; returns the length
  WM_GETTEXTLENGTH = 0x000E,
  WM_PAINT = 0x000F,
  WM_CLOSE = 0x0010,
  WM_QUIT = 0x0012,
  WM_ERASEBKGND = 0x0014,
  WM_SYSCOLORCHANGE = 0x0015,
  WM_SHOWWINDOW = 0x0018,
  WM_SETTINGCHANGE = 0x001A,  // wParam: what changed (SPI_SETWORKAREA)
  WM_ACTIVATEAPP = 0x001C,
  WM_FONTCHANGE = 0x001D,
  WM_CANCELMODE = 0x001F,
  WM_SETCURSOR = 0x0020,
  WM_MOUSEACTIVATE = 0x0021,
  WM_CHILDACTIVATE = 0x0022,
  WM_GETMINMAXINFO = 0x0024,
  WM_DISPLAYCHANGE = 0x007E,  // wParam: bits per pixel; lParam: the primary monitor's size
  WM_SETFONT = 0x0030,
  WM_GETFONT = 0x0031,
  WM_WINDOWPOSCHANGING = 0x0046,
  WM_WINDOWPOSCHANGED = 0x0047,
  WM_NCCREATE = 0x0081,
  WM_NCDESTROY = 0x0082,
  WM_NCCALCSIZE = 0x0083,
  WM_NCHITTEST = 0x0084,
  WM_NCPAINT = 0x0085,
  WM_NCACTIVATE = 0x0086,
  WM_GETDLGCODE = 0x0087,
  WM_KEYDOWN = 0x0100,
  WM_KEYUP = 0x0101,
  WM_CHAR = 0x0102,
  WM_SYSKEYDOWN = 0x0104,
  WM_SYSKEYUP = 0x0105,
  WM_SYSCHAR = 0x0106,
  WM_TIMER = 0x0113,
  WM_UPDATEUISTATE = 0x0128,
  WM_MOUSEMOVE = 0x0200,
  WM_LBUTTONDOWN = 0x0201,
  WM_LBUTTONUP = 0x0202,
  WM_LBUTTONDBLCLK = 0x0203,
  WM_RBUTTONDOWN = 0x0204,
  WM_RBUTTONUP = 0x0205,
  WM_RBUTTONDBLCLK = 0x0206,
  WM_MBUTTONDOWN = 0x0207,
  WM_MBUTTONUP = 0x0208,
  WM_MBUTTONDBLCLK = 0x0209,
  WM_MOUSEWHEEL = 0x020A,
  WM_CAPTURECHANGED = 0x0215,
  WM_EXITSIZEMOVE = 0x0232,
  WM_MOUSELEAVE = 0x02A3,
  // Not a Windows message: sent before the first WM_MOUSEMOVE a window receives after the pointer
  // came into it (Windows programs learn this from the first move; ours are told).
  WM_MOUSEENTER = 0x02A5,
  WM_PRINT = 0x0317,
  WM_PRINTCLIENT = 0x0318,
  WM_USER = 0x0400,
  WM_APP = 0x8000,
};

// Mouse-message key state (wParam of mouse messages).
enum : unsigned {
  MK_LBUTTON = 0x0001,
  MK_RBUTTON = 0x0002,
  MK_SHIFT = 0x0004,
  MK_CONTROL = 0x0008,
  MK_MBUTTON = 0x0010,
};

// WM_ACTIVATE's low word.
// WM_SETTINGCHANGE: the work area changed.
enum : unsigned { SPI_SETWORKAREA = 0x002F };

enum : int { WA_INACTIVE = 0, WA_ACTIVE = 1, WA_CLICKACTIVE = 2 };

// WM_SIZE's wParam.
enum : int { SIZE_RESTORED = 0 };

// WM_NCHITTEST results.
enum : int { HTTRANSPARENT = -1, HTNOWHERE = 0, HTCLIENT = 1, HTCAPTION = 2 };

// WM_UPDATEUISTATE actions and flags.
enum : int { UIS_SET = 1, UIS_CLEAR = 2, UIS_INITIALIZE = 3 };
enum : int { UISF_HIDEFOCUS = 1, UISF_HIDEACCEL = 2 };

// WM_PRINT flags.
enum : unsigned {
  PRF_CHECKVISIBLE = 0x01,
  PRF_NONCLIENT = 0x02,
  PRF_CLIENT = 0x04,
  PRF_ERASEBKGND = 0x08,
  PRF_CHILDREN = 0x10,
  PRF_OWNED = 0x20,
};

// Virtual-key codes.
enum : int {
  VK_LBUTTON = 0x01,
  VK_RBUTTON = 0x02,
  VK_MBUTTON = 0x04,
  VK_BACK = 0x08,
  VK_TAB = 0x09,
  VK_RETURN = 0x0D,
  VK_SHIFT = 0x10,
  VK_CONTROL = 0x11,
  VK_MENU = 0x12,
  VK_PAUSE = 0x13,
  VK_CAPITAL = 0x14,
  VK_ESCAPE = 0x1B,
  VK_SPACE = 0x20,
  VK_PRIOR = 0x21,
  VK_NEXT = 0x22,
  VK_END = 0x23,
  VK_HOME = 0x24,
  VK_LEFT = 0x25,
  VK_UP = 0x26,
  VK_RIGHT = 0x27,
  VK_DOWN = 0x28,
  VK_INSERT = 0x2D,
  VK_DELETE = 0x2E,
  VK_0 = 0x30,
  VK_9 = 0x39,
  VK_A = 0x41,
  VK_Z = 0x5A,
  VK_NUMPAD0 = 0x60,
  VK_NUMPAD9 = 0x69,
  VK_MULTIPLY = 0x6A,
  VK_ADD = 0x6B,
  VK_SUBTRACT = 0x6D,
  VK_DECIMAL = 0x6E,
  VK_DIVIDE = 0x6F,
  VK_F1 = 0x70,
  VK_F12 = 0x7B,
  VK_LSHIFT = 0xA0,
  VK_RSHIFT = 0xA1,
  VK_LCONTROL = 0xA2,
  VK_RCONTROL = 0xA3,
  VK_LMENU = 0xA4,
  VK_RMENU = 0xA5,
};

// lParam bit of WM_KEYDOWN/WM_SYSKEYDOWN: Alt was down (context code).
constexpr LPARAM KF_ALTDOWN_LPARAM = LPARAM{1} << 29;
// lParam bit of WM_KEYDOWN: the key was already down (auto-repeat).
constexpr LPARAM KF_REPEAT_LPARAM = LPARAM{1} << 30;

}  // namespace platform
