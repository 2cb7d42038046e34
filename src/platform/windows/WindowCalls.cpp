// The window calls of Window.h over the window system, and the default window procedure.

#include "platform/windows/Window.h"

#include <algorithm>

#include "platform/Backend.h"
#include "platform/drawing/DeviceContext.h"
#include "platform/windows/Paint.h"
#include "platform/windows/WindowSystem.h"

namespace platform {

namespace {

WindowSystem& WS() { return WindowSystem::Instance(); }

}  // namespace

void InstallBackend(std::unique_ptr<Backend> backend) { WS().Install(std::move(backend)); }
Backend& CurrentBackend() { return WS().backend(); }
bool HasBackend() { return WS().HasBackend(); }

HWND CreateWindowEx(const CreateWindowParams& params) { return WS().Create(params); }
bool DestroyWindow(HWND hwnd) { return WS().Destroy(hwnd); }
bool IsWindow(HWND hwnd) { return WS().Find(hwnd) != nullptr; }

WNDPROC GetWindowProc(HWND hwnd) {
  WindowObject* w = WS().Find(hwnd);
  return w ? *w->proc : WNDPROC();
}

WNDPROC SetWindowProc(HWND hwnd, WNDPROC proc) {
  WindowObject* w = WS().Find(hwnd);
  if (!w || !proc) return WNDPROC();
  WNDPROC old = *w->proc;
  w->proc = std::make_shared<WNDPROC>(std::move(proc));
  return old;
}

LRESULT CallWindowProc(const WNDPROC& proc, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  return proc ? proc(hwnd, msg, wParam, lParam) : DefWindowProc(hwnd, msg, wParam, lParam);
}

LRESULT DefWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  WindowSystem& ws = WS();
  WindowObject* w = ws.Find(hwnd);
  if (!w) return 0;
  switch (msg) {
    case WM_CLOSE: ws.Destroy(hwnd); return 0;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      ws.BeginPaint(w, &ps);
      ws.EndPaint(w, &ps);
      return 0;
    }
    case WM_ERASEBKGND: return 0;
    case WM_SETTEXT: {
      const auto* text = reinterpret_cast<const std::string*>(lParam);
      w->text = text ? *text : std::string();
      if (w->IsTopLevel()) ws.TitleChanged(w);
      return 1;
    }
    case WM_GETTEXT: {
      auto* out = reinterpret_cast<std::string*>(lParam);
      if (out) *out = w->text;
      return static_cast<LRESULT>(w->text.size());
    }
    case WM_GETTEXTLENGTH: return static_cast<LRESULT>(w->text.size());
    case WM_NCHITTEST: return HTCLIENT;
    case WM_ACTIVATE:
      // An activated window takes the focus back into itself.
      if (LOWORD(wParam) != WA_INACTIVE) {
        const HWND focus = ws.Focus();
        if (!focus || (focus != hwnd && !IsChild(hwnd, focus))) {
          WindowObject* last = w->lastFocus;
          ws.SetFocus(last && ws.Find(last->handle) ? last->handle : hwnd);
        }
      }
      return 0;
    case WM_PRINT: {
      HDC dc = reinterpret_cast<HDC>(wParam);
      const auto flags = static_cast<unsigned>(lParam);
      if ((flags & PRF_CHECKVISIBLE) && !IsWindowVisible(hwnd)) return 0;
      if (flags & PRF_NONCLIENT) ws.Send(hwnd, WM_NCPAINT, 1, 0);
      if (flags & PRF_ERASEBKGND) ws.Send(hwnd, WM_ERASEBKGND, wParam, 0);
      if (flags & PRF_CLIENT) ws.Send(hwnd, WM_PRINTCLIENT, wParam, lParam);
      if (!(flags & PRF_CHILDREN) || !ws.Find(hwnd)) return 0;
      const std::vector<WindowObject*> children = w->children;
      for (WindowObject* c : children) {
        if (!ws.Find(c->handle) || !c->visible) continue;
        const SavedDC saved(dc);
        OffsetViewportOrgEx(dc, c->bounds.Left, c->bounds.Top);
        IntersectClipRect(dc, 0, 0, c->bounds.Width(), c->bounds.Height());
        ws.Send(c->handle, WM_PRINT, wParam, lParam);
      }
      return 0;
    }
    default: return 0;
  }
}

void* GetWindowUserData(HWND hwnd) {
  WindowObject* w = WS().Find(hwnd);
  return w ? w->userData : nullptr;
}

void SetWindowUserData(HWND hwnd, void* data) {
  if (WindowObject* w = WS().Find(hwnd)) w->userData = data;
}

uint32_t GetWindowStyle(HWND hwnd) {
  WindowObject* w = WS().Find(hwnd);
  if (!w) return 0;
  uint32_t style = w->style;
  if (w->visible) style |= WS_VISIBLE;
  if (!w->enabled) style |= WS_DISABLED;
  return style;
}

uint32_t GetWindowExStyle(HWND hwnd) {
  WindowObject* w = WS().Find(hwnd);
  return w ? w->exStyle : 0;
}

void SetWindowExStyle(HWND hwnd, uint32_t exStyle) {
  WindowObject* w = WS().Find(hwnd);
  if (!w) return;
  const bool layered = (exStyle & WS_EX_LAYERED) != 0;
  w->exStyle = exStyle;
  // A window that stops being layered is opaque again.
  if (!layered && w->IsTopLevel() && w->opacity != 255) {
    w->opacity = 255;
    WS().backend().SetOpacity(hwnd, w->opacity);
  }
}

bool SetLayeredWindowAttributes(HWND hwnd, TColor /*key*/, uint8_t alpha, uint32_t flags) {
  WindowObject* w = WS().Find(hwnd);
  if (!w || !w->IsTopLevel() || (w->exStyle & WS_EX_LAYERED) == 0 || (flags & LWA_COLORKEY) != 0)
    return false;
  const uint8_t opacity = (flags & LWA_ALPHA) != 0 ? alpha : 255;
  if (opacity != w->opacity) {
    w->opacity = opacity;
    WS().backend().SetOpacity(hwnd, opacity);
  }
  return true;
}

HWND GetParent(HWND hwnd) {
  WindowObject* w = WS().Find(hwnd);
  return w && w->parent ? w->parent->handle : nullptr;
}

HWND GetWindowOwner(HWND hwnd) {
  WindowObject* w = WS().Find(hwnd);
  return w ? w->owner : nullptr;
}

HWND GetTopLevel(HWND hwnd) {
  WindowObject* w = WS().TopLevelOf(WS().Find(hwnd));
  return w ? w->handle : nullptr;
}

HWND SetParent(HWND hwnd, HWND newParent) {
  WindowSystem& ws = WS();
  WindowObject* w = ws.Find(hwnd);
  WindowObject* p = ws.Find(newParent);
  if (!w || !p || w->IsTopLevel() || w == p || IsChild(hwnd, newParent)) return nullptr;
  WindowObject* old = w->parent;
  if (old == p) return old->handle;
  const bool shown = w->visible;
  if (shown) ws.Show(w, SW_HIDE);
  auto& siblings = old->children;
  siblings.erase(std::remove(siblings.begin(), siblings.end(), w), siblings.end());
  w->parent = p;
  p->children.push_back(w);
  if (shown) ws.Show(w, SW_SHOWNA);
  return old->handle;
}

HWND GetWindow(HWND hwnd, GetWindowCmd cmd) {
  WindowObject* w = WS().Find(hwnd);
  if (!w) return nullptr;
  if (cmd == GW_CHILD) return w->children.empty() ? nullptr : w->children.back()->handle;
  if (!w->parent) return nullptr;
  const auto& siblings = w->parent->children;  // bottom first
  auto it = std::find(siblings.begin(), siblings.end(), w);
  switch (cmd) {
    case GW_HWNDFIRST: return siblings.back()->handle;
    case GW_HWNDLAST: return siblings.front()->handle;
    case GW_HWNDNEXT: return it == siblings.begin() ? nullptr : (*(it - 1))->handle;
    case GW_HWNDPREV: return it + 1 == siblings.end() ? nullptr : (*(it + 1))->handle;
    default: return nullptr;
  }
}

bool IsChild(HWND parent, HWND hwnd) {
  WindowObject* p = WS().Find(parent);
  WindowObject* w = WS().Find(hwnd);
  if (!p || !w) return false;
  for (w = w->parent; w; w = w->parent)
    if (w == p) return true;
  return false;
}

void EnumChildWindows(HWND parent, const std::function<bool(HWND)>& callback) {
  WindowObject* p = WS().Find(parent);
  if (!p) return;
  const std::vector<WindowObject*> children(p->children.rbegin(), p->children.rend());
  std::vector<HWND> handles;
  handles.reserve(children.size());
  for (WindowObject* c : children) handles.push_back(c->handle);
  for (HWND h : handles)
    if (IsWindow(h) && !callback(h)) return;
}

bool ShowWindow(HWND hwnd, int cmd) {
  WindowObject* w = WS().Find(hwnd);
  return w ? WS().Show(w, cmd) : false;
}

bool IsWindowVisible(HWND hwnd) {
  WindowObject* w = WS().Find(hwnd);
  return w && WS().IsVisibleDeep(w);
}

bool EnableWindow(HWND hwnd, bool enable) {
  WindowObject* w = WS().Find(hwnd);
  return w ? WS().Enable(w, enable) : false;
}

bool IsWindowEnabled(HWND hwnd) {
  WindowObject* w = WS().Find(hwnd);
  return w && w->enabled;
}

bool SetWindowPos(HWND hwnd, HWND insertAfter, int x, int y, int cx, int cy, unsigned flags) {
  WindowObject* w = WS().Find(hwnd);
  return w && WS().SetPos(w, insertAfter, x, y, cx, cy, flags);
}

bool MoveWindow(HWND hwnd, int x, int y, int width, int height, bool repaint) {
  return SetWindowPos(hwnd, nullptr, x, y, width, height,
                      SWP_NOZORDER | SWP_NOACTIVATE | (repaint ? 0u : unsigned{SWP_NOREDRAW}));
}

bool GetWindowRect(HWND hwnd, TRect* rect) {
  WindowObject* w = WS().Find(hwnd);
  if (!w) return false;
  const TPoint o = WS().ScreenOffset(w);
  *rect = w->ClientRect().Translated(o.X, o.Y);
  return true;
}

bool GetClientRect(HWND hwnd, TRect* rect) {
  WindowObject* w = WS().Find(hwnd);
  if (!w) return false;
  *rect = w->ClientRect();
  return true;
}

TRect WindowBounds(HWND hwnd) {
  WindowObject* w = WS().Find(hwnd);
  return w ? w->bounds : TRect{};
}

bool ClientToScreen(HWND hwnd, TPoint* point) {
  WindowObject* w = WS().Find(hwnd);
  if (!w) return false;
  const TPoint o = WS().ScreenOffset(w);
  point->X += o.X;
  point->Y += o.Y;
  return true;
}

bool ScreenToClient(HWND hwnd, TPoint* point) {
  WindowObject* w = WS().Find(hwnd);
  if (!w) return false;
  const TPoint o = WS().ScreenOffset(w);
  point->X -= o.X;
  point->Y -= o.Y;
  return true;
}

void MapWindowPoints(HWND from, HWND to, TPoint* points, int count) {
  for (int i = 0; i < count; ++i) {
    if (from) ClientToScreen(from, &points[i]);
    if (to) ScreenToClient(to, &points[i]);
  }
}

HWND ChildWindowFromPoint(HWND parent, TPoint point) {
  WindowObject* p = WS().Find(parent);
  if (!p || !p->ClientRect().Contains(point)) return nullptr;
  return WS().ChildAt(p, point, false, false)->handle;
}

HWND WindowFromPoint(TPoint screenPoint) {
  WindowObject* top = WS().TopLevelAt(screenPoint);
  if (!top) return nullptr;
  const TPoint local{screenPoint.X - top->bounds.Left, screenPoint.Y - top->bounds.Top};
  return WS().ChildAt(top, local, true, false)->handle;
}

bool SetWindowRgn(HWND hwnd, std::optional<Region> region, bool redraw) {
  WindowObject* w = WS().Find(hwnd);
  return w && WS().SetRegion(w, std::move(region), redraw);
}

std::optional<Region> GetWindowRgn(HWND hwnd) {
  WindowObject* w = WS().Find(hwnd);
  return w ? w->region : std::nullopt;
}

bool SetWindowText(HWND hwnd, const std::string& text) {
  return IsWindow(hwnd) && WS().Send(hwnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(&text)) != 0;
}

std::string GetWindowText(HWND hwnd) {
  std::string text;
  WS().Send(hwnd, WM_GETTEXT, 0, reinterpret_cast<LPARAM>(&text));
  return text;
}

void SetWindowIcon(HWND hwnd, const DIBitmap& image, const DIBitmap* mask) {
  WindowObject* w = WS().Find(hwnd);
  if (w && w->IsTopLevel()) WS().backend().SetIcon(hwnd, image, mask);
}

LRESULT SendMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  return WS().Send(hwnd, msg, wParam, lParam);
}

bool PostMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  return WS().Post(hwnd, msg, wParam, lParam);
}

void PostQuitMessage(int exitCode) { WS().PostQuit(exitCode); }

bool GetMessage(MSG* msg) {
  WS().Get(msg, true, true);
  return msg->message != WM_QUIT;
}

bool PeekMessage(MSG* msg, unsigned flags) {
  return WS().Get(msg, (flags & PM_REMOVE) != 0, false);
}

LRESULT DispatchMessage(const MSG& msg) { return WS().Dispatch(msg); }
void SetFailureReport(FailureReport report) { WS().SetFailureReport(std::move(report)); }

void WaitMessage() {
  MSG msg;
  WS().Get(&msg, false, true);
}

uint32_t GetMessageTime() { return WS().MessageTime(); }
uint32_t GetTickCount() { return WS().Now(); }

}  // namespace platform
