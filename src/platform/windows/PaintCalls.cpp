// The painting calls of Paint.h over the window system.

#include "platform/windows/Paint.h"

#include "platform/windows/WindowSystem.h"

namespace platform {

namespace {

WindowSystem& WS() { return WindowSystem::Instance(); }

Region AreaOf(WindowObject* w, const TRect* rect) {
  return rect ? Region(*rect) : Region(w->ClientRect());
}

}  // namespace

bool InvalidateRect(HWND hwnd, const TRect* rect, bool erase) {
  WindowObject* w = WS().Find(hwnd);
  if (!w) return false;
  WS().Invalidate(w, AreaOf(w, rect), erase ? WindowSystem::kErase : 0);
  return true;
}

bool InvalidateRgn(HWND hwnd, const Region* region, bool erase) {
  WindowObject* w = WS().Find(hwnd);
  if (!w) return false;
  WS().Invalidate(w, region ? *region : Region(w->ClientRect()), erase ? WindowSystem::kErase : 0);
  return true;
}

bool ValidateRect(HWND hwnd, const TRect* rect) {
  WindowObject* w = WS().Find(hwnd);
  if (!w) return false;
  WS().Validate(w, AreaOf(w, rect), false);
  return true;
}

bool ValidateRgn(HWND hwnd, const Region* region) {
  WindowObject* w = WS().Find(hwnd);
  if (!w) return false;
  WS().Validate(w, region ? *region : Region(w->ClientRect()), false);
  return true;
}

bool GetUpdateRect(HWND hwnd, TRect* rect, bool) {
  WindowObject* w = WS().Find(hwnd);
  if (!w) return false;
  if (rect) *rect = w->invalid.Bounds();
  return !w->invalid.IsEmpty();
}

bool UpdateWindow(HWND hwnd) {
  WindowObject* w = WS().Find(hwnd);
  if (!w) return false;
  WS().PaintNow(w, false);
  return true;
}

bool RedrawWindow(HWND hwnd, const TRect* rect, const Region* region, unsigned flags) {
  WindowObject* w = WS().Find(hwnd);
  return w && WS().Redraw(w, rect, region, flags);
}

HDC BeginPaint(HWND hwnd, PAINTSTRUCT* ps) {
  WindowObject* w = WS().Find(hwnd);
  return w ? WS().BeginPaint(w, ps) : nullptr;
}

bool EndPaint(HWND hwnd, const PAINTSTRUCT* ps) { return WS().EndPaint(WS().Find(hwnd), ps); }

HDC GetDC(HWND hwnd) {
  if (!hwnd) return WS().ScreenDC();
  WindowObject* w = WS().Find(hwnd);
  return w ? WS().GetDC(w) : nullptr;
}

HDC GetWindowDC(HWND hwnd) { return GetDC(hwnd); }

int ReleaseDC(HWND hwnd, HDC dc) {
  if (!dc || dc == WS().ScreenDC()) return 1;
  return WS().ReleaseDC(WS().Find(hwnd), dc);
}

HDC GetScreenDC() { return WS().ScreenDC(); }

}  // namespace platform
