#pragma once
// Painting windows. Each window has an invalid region; WM_PAINT comes for it when the message
// queue is empty, parents before children. Contexts given out here draw into the top-level
// window's back buffer, clipped to the window's visible part (its region, its parent's client
// area, and the children and higher siblings over it cut out); what changed reaches the screen
// once the messages are handled.

#include "platform/drawing/DeviceContext.h"
#include "platform/windows/Window.h"

namespace platform {

struct PAINTSTRUCT {
  HDC hdc = nullptr;
  bool fErase = false;
  TRect rcPaint;  // client coordinates
};

// Invalidation (rect nullptr: the whole client area); erase asks for WM_ERASEBKGND first.
bool InvalidateRect(HWND hwnd, const TRect* rect, bool erase);
bool InvalidateRgn(HWND hwnd, const Region* region, bool erase);
bool ValidateRect(HWND hwnd, const TRect* rect);
bool ValidateRgn(HWND hwnd, const Region* region);
// The bounding box of the invalid region (client coordinates); false when nothing is invalid.
bool GetUpdateRect(HWND hwnd, TRect* rect, bool erase);
// Sends WM_PAINT at once when the window has anything invalid.
bool UpdateWindow(HWND hwnd);

enum RedrawFlags : unsigned {
  RDW_INVALIDATE = 0x0001,
  RDW_INTERNALPAINT = 0x0002,
  RDW_ERASE = 0x0004,
  RDW_VALIDATE = 0x0008,
  RDW_NOINTERNALPAINT = 0x0010,
  RDW_NOERASE = 0x0020,
  RDW_NOCHILDREN = 0x0040,
  RDW_ALLCHILDREN = 0x0080,
  RDW_UPDATENOW = 0x0100,
  RDW_ERASENOW = 0x0200,
  RDW_FRAME = 0x0400,
  RDW_NOFRAME = 0x0800,
};
bool RedrawWindow(HWND hwnd, const TRect* rect, const Region* region, unsigned flags);

// BeginPaint validates the invalid region and gives a context clipped to it (and sends
// WM_ERASEBKGND when erasing was asked for); EndPaint releases it.
HDC BeginPaint(HWND hwnd, PAINTSTRUCT* ps);
bool EndPaint(HWND hwnd, const PAINTSTRUCT* ps);
// A context for the client area (GetDC) or the whole window (GetWindowDC; the same area here:
// windows of this program have no non-client frame), valid until ReleaseDC.
HDC GetDC(HWND hwnd);
HDC GetWindowDC(HWND hwnd);
int ReleaseDC(HWND hwnd, HDC dc);
// A context over no window for measuring text (GetDC(nullptr) on Windows).
HDC GetScreenDC();

// One paint of a window, BeginPaint to EndPaint: the paint ends on every path, so a failure in a
// paint handler leaves no context behind and what was drawn still reaches the screen. DC() is
// null when the window is gone (or went while its frame was drawn).
class PaintScope {
 public:
  explicit PaintScope(HWND hwnd) : hwnd_(hwnd), dc_(BeginPaint(hwnd, &ps_)) {}
  ~PaintScope() { EndPaint(hwnd_, &ps_); }
  PaintScope(const PaintScope&) = delete;
  PaintScope& operator=(const PaintScope&) = delete;

  HDC DC() const { return dc_; }
  const PAINTSTRUCT& Info() const { return ps_; }

 private:
  HWND hwnd_;
  PAINTSTRUCT ps_;
  HDC dc_;
};

// The context of the whole window (GetWindowDC), released on every path. DC() is null when the
// window is gone.
class WindowDC {
 public:
  explicit WindowDC(HWND hwnd) : hwnd_(hwnd), dc_(GetWindowDC(hwnd)) {}
  ~WindowDC() {
    if (dc_) ReleaseDC(hwnd_, dc_);
  }
  WindowDC(const WindowDC&) = delete;
  WindowDC& operator=(const WindowDC&) = delete;

  HDC DC() const { return dc_; }

 private:
  HWND hwnd_;
  HDC dc_;
};

}  // namespace platform
