#pragma once
// Windows: the window tree, window procedures, messages and the message loop.
//
// A top-level window is a native window (an X11 window, or a record of the headless backend) with a
// 24-bit back buffer; its child windows are light objects of this layer inside it, each with its
// own handle, rectangle, z-order, visibility, enabled state, optional region and window procedure.
// Handles are never reused: a handle of a destroyed window stays invalid (IsWindow is false) and
// every call given one does nothing and fails.

#include <exception>
#include <functional>
#include <optional>
#include <string>

#include "platform/Types.h"
#include "platform/drawing/DIBitmap.h"
#include "platform/drawing/Region.h"
#include "platform/windows/Messages.h"

namespace platform {

using WNDPROC = std::function<LRESULT(HWND, UINT, WPARAM, LPARAM)>;

// What WM_GETMINMAXINFO (LParam: a pointer to it) asks a window, in screen pixels: its size and
// place when maximized, and the smallest and largest size the user may drag it to. The window
// system fills in its defaults first; the window changes what it wants otherwise.
struct MINMAXINFO {
  TPoint ptReserved;
  TPoint ptMaxSize;
  TPoint ptMaxPosition;
  TPoint ptMinTrackSize;
  TPoint ptMaxTrackSize;
};

// Window styles (the subset the program uses, with Windows' values).
enum : uint32_t {
  WS_POPUP = 0x80000000u,
  WS_CHILD = 0x40000000u,
  WS_VISIBLE = 0x10000000u,
  WS_DISABLED = 0x08000000u,
  WS_CLIPSIBLINGS = 0x04000000u,
  WS_CLIPCHILDREN = 0x02000000u,
  WS_CAPTION = 0x00C00000u,
  WS_BORDER = 0x00800000u,
  WS_DLGFRAME = 0x00400000u,
  WS_SYSMENU = 0x00080000u,
  WS_THICKFRAME = 0x00040000u,  // a frame the user may drag to resize the window
  WS_TABSTOP = 0x00010000u,
};
enum : uint32_t {
  WS_EX_DLGMODALFRAME = 0x00000001u,
  WS_EX_TOPMOST = 0x00000008u,
  WS_EX_TRANSPARENT = 0x00000020u,
  WS_EX_TOOLWINDOW = 0x00000080u,  // out of the task bar and pager
  WS_EX_CONTROLPARENT = 0x00010000u,
  WS_EX_APPWINDOW = 0x00040000u,
  WS_EX_LAYERED = 0x00080000u,     // a top-level window shown with an opacity of its own
  WS_EX_NOACTIVATE = 0x08000000u,  // takes the desktop's keyboard focus only when clicked
                                   // (with WS_EX_TOOLWINDOW on a pop-up: a tool tip)
};

// The class of pop-up menus (Windows' own name for it): a WS_POPUP window of this class stands
// above everything, is never managed or activated by the desktop and may grab the input.
inline constexpr const char* kPopupMenuClass = "#32768";

// The parent of a message-only window (Windows' own value): a window that is never shown, has no
// desktop window, no picture and no place among the top-level windows, and only takes messages
// (timers, posted and sent ones). Timers and other helpers use it.
inline const HWND HWND_MESSAGE = reinterpret_cast<HWND>(~uintptr_t{2});

struct CreateWindowParams {
  std::string ClassName;   // for diagnostics and WM_CLASS
  std::string WindowName;  // the title of a top-level window, or the text of a child
  uint32_t Style = 0;
  uint32_t ExStyle = 0;
  TRect Bounds;  // screen coordinates for top-level, parent's client coordinates for children
  // WS_CHILD windows: the parent; top-level windows: the owner, or HWND_MESSAGE for a window
  // that only takes messages.
  HWND Parent = nullptr;
  WNDPROC WindowProc;           // required
  void* CreateParam = nullptr;  // lParam of WM_CREATE points to this record
};

// Creates the window, sends WM_CREATE (a -1 result destroys it again and gives nullptr), and makes
// it visible when WS_VISIBLE is set. Children are placed on top of their siblings.
HWND CreateWindowEx(const CreateWindowParams& params);
// Sends WM_DESTROY to the window, then to its children (and to owned top-level windows first),
// releases capture and focus held by any of them and frees them all.
bool DestroyWindow(HWND hwnd);
bool IsWindow(HWND hwnd);

WNDPROC GetWindowProc(HWND hwnd);
// Replaces the window procedure and returns the previous one, which the new one may call with
// CallWindowProc for what it does not handle itself.
WNDPROC SetWindowProc(HWND hwnd, WNDPROC proc);
LRESULT CallWindowProc(const WNDPROC& proc, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
// What a window procedure gives every message it does not handle: WM_CLOSE destroys the window,
// WM_PAINT validates, WM_ERASEBKGND erases with nothing, WM_SETTEXT/WM_GETTEXT keep the text,
// WM_NCHITTEST answers HTCLIENT, WM_PRINT paints the client area into the given context, ...
LRESULT DefWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

void* GetWindowUserData(HWND hwnd);
void SetWindowUserData(HWND hwnd, void* data);
uint32_t GetWindowStyle(HWND hwnd);
uint32_t GetWindowExStyle(HWND hwnd);
void SetWindowExStyle(HWND hwnd, uint32_t exStyle);

// How a layered window (WS_EX_LAYERED, top-level) stands on the desktop: with LWA_ALPHA, at the
// opacity alpha (0 invisible, 255 opaque); without it, opaque. Colour keys (LWA_COLORKEY) are not
// offered and fail, as does a window that is not a layered top-level window. Unlike Windows, a
// layered window shows opaque until this is called. The desktop shows the opacity where a
// compositing manager runs; without one the window stays opaque.
enum : uint32_t { LWA_COLORKEY = 0x1u, LWA_ALPHA = 0x2u };
bool SetLayeredWindowAttributes(HWND hwnd, TColor key, uint8_t alpha, uint32_t flags);

// Relations.
HWND GetParent(HWND hwnd);       // the parent of a child, nullptr for top-level windows
HWND GetWindowOwner(HWND hwnd);  // the owner of a top-level window
HWND GetTopLevel(HWND hwnd);     // the top-level window holding it (itself when top-level)
HWND SetParent(HWND hwnd, HWND newParent);  // children only; returns the old parent
enum GetWindowCmd : int {
  GW_HWNDFIRST = 0,
  GW_HWNDLAST = 1,
  GW_HWNDNEXT = 2,
  GW_HWNDPREV = 3,
  GW_CHILD = 5
};
// GW_CHILD: the topmost child; GW_HWNDNEXT: the sibling below; GW_HWNDPREV: the sibling above.
HWND GetWindow(HWND hwnd, GetWindowCmd cmd);
bool IsChild(HWND parent, HWND hwnd);  // hwnd is a descendant of parent
// Children in z-order, topmost first.
void EnumChildWindows(HWND parent, const std::function<bool(HWND)>& callback);

// Visibility and state.
enum ShowCmd : int {
  SW_HIDE = 0,
  SW_SHOWNORMAL = 1,
  SW_SHOWNOACTIVATE = 4,
  SW_SHOW = 5,
  SW_SHOWNA = 8
};
bool ShowWindow(HWND hwnd, int cmd);        // the previous visibility
bool IsWindowVisible(HWND hwnd);            // visible, and every ancestor too
bool EnableWindow(HWND hwnd, bool enable);  // true when it was disabled before
bool IsWindowEnabled(HWND hwnd);

// Geometry.
enum SetWindowPosFlags : unsigned {
  SWP_NOSIZE = 0x0001,
  SWP_NOMOVE = 0x0002,
  SWP_NOZORDER = 0x0004,
  SWP_NOREDRAW = 0x0008,
  SWP_NOACTIVATE = 0x0010,
  SWP_FRAMECHANGED = 0x0020,
  SWP_SHOWWINDOW = 0x0040,
  SWP_HIDEWINDOW = 0x0080,
};
inline const HWND HWND_TOP = nullptr;
struct WindowPos {
  HWND hwnd = nullptr;
  HWND hwndInsertAfter = nullptr;
  int x = 0, y = 0, cx = 0, cy = 0;
  unsigned flags = 0;
};
// Sends WM_WINDOWPOSCHANGING (which may change the WindowPos), moves, sends WM_WINDOWPOSCHANGED,
// WM_MOVE and WM_SIZE as they apply, and invalidates what was uncovered and the window itself.
bool SetWindowPos(HWND hwnd, HWND insertAfter, int x, int y, int cx, int cy, unsigned flags);
bool MoveWindow(HWND hwnd, int x, int y, int width, int height, bool repaint);
bool GetWindowRect(HWND hwnd, TRect* rect);  // screen coordinates
bool GetClientRect(HWND hwnd, TRect* rect);  // (0, 0, width, height)
TRect WindowBounds(HWND hwnd);  // in the parent's client coordinates (screen for top-level)
bool ClientToScreen(HWND hwnd, TPoint* point);
bool ScreenToClient(HWND hwnd, TPoint* point);
// Converts points between the client coordinates of two windows (nullptr: the screen).
void MapWindowPoints(HWND from, HWND to, TPoint* points, int count);
// The visible, enabled-or-not child window under a point of the parent's client area, or the
// parent itself; regions and hidden windows respected.
HWND ChildWindowFromPoint(HWND parent, TPoint point);
// The deepest window of the program under a screen point, or nullptr.
HWND WindowFromPoint(TPoint screenPoint);

// The window's shape: painting and hit-testing are clipped to it. The window owns the region
// afterwards; nullopt removes it.
bool SetWindowRgn(HWND hwnd, std::optional<Region> region, bool redraw);
std::optional<Region> GetWindowRgn(HWND hwnd);

// Text of the window (through WM_SETTEXT and WM_GETTEXT).
bool SetWindowText(HWND hwnd, const std::string& text);
std::string GetWindowText(HWND hwnd);

// The picture the desktop shows for a top-level window (24-bit, with an optional 1-bit-style mask
// whose non-zero pixels are transparent).
void SetWindowIcon(HWND hwnd, const DIBitmap& image, const DIBitmap* mask);

// Messages. SendMessage calls the window procedure at once (re-entrant); PostMessage queues.
LRESULT SendMessage(HWND hwnd, UINT msg, WPARAM wParam = 0, LPARAM lParam = 0);
bool PostMessage(HWND hwnd, UINT msg, WPARAM wParam = 0, LPARAM lParam = 0);
void PostQuitMessage(int exitCode);
// Waits for the next message (posted messages, input, then WM_PAINT for invalid windows, then
// WM_TIMER); false when it is WM_QUIT.
bool GetMessage(MSG* msg);
enum PeekFlags : unsigned { PM_NOREMOVE = 0, PM_REMOVE = 1 };
bool PeekMessage(MSG* msg, unsigned flags);
// Hands the message to its window's procedure. A failure that escapes the procedure goes to the
// failure report when one is set, and the loop that dispatched it goes on (a paint that failed is
// not asked for again until something else invalidates the window); without a report it reaches
// the caller.
LRESULT DispatchMessage(const MSG& msg);
// The report for failures that escape window procedures run from a message loop (the program's,
// its modal loops and the message box's own); the application sets its error report here. An
// empty report removes it.
using FailureReport = std::function<void(const std::exception& failure)>;
void SetFailureReport(FailureReport report);
// Blocks until a message can be had (without taking it).
void WaitMessage();
// The time of the message being handled (milliseconds on the system's clock), and the clock.
uint32_t GetMessageTime();
uint32_t GetTickCount();

}  // namespace platform
