// The window tree: creating and destroying windows, their relations, visibility, enabled state,
// geometry and shapes.

#include "platform/windows/WindowSystem.h"

#include <algorithm>

#include "platform/Exception.h"

namespace platform {

WindowSystem& WindowSystem::Instance() {
  static WindowSystem instance;
  return instance;
}

WindowSystem::~WindowSystem() { Reset(); }

void WindowSystem::Install(std::unique_ptr<Backend> backend) {
  Reset();
  backend_ = std::move(backend);
  if (backend_) backend_->SetEventSink(this);
}

Backend& WindowSystem::backend() {
  if (!backend_) throw Exception("The window system has no backend");
  return *backend_;
}

void WindowSystem::Reset() {
  // Destroy top-level windows last created first, so owned windows go before their owners.
  while (!topLevels_.empty()) Destroy(topLevels_.back()->handle);
  std::vector<HWND> messageOnly;
  for (const auto& [handle, w] : windows_)
    if (w->messageOnly) messageOnly.push_back(handle);
  for (HWND handle : messageOnly) Destroy(handle);
  graveyard_.clear();
  posted_.clear();
  input_.clear();
  quitCode_.reset();
  timers_.Clear();
  dcs_.clear();
  screenDC_.reset();
  screenBitmap_.reset();
  capture_ = grab_ = focus_ = active_ = hover_ = nullptr;
  latest_ = current_ = InputState{};
  lastClick_ = {};
  clipboard_.Reset();
  if (backend_) {
    backend_->Shutdown();
    backend_.reset();
  }
}

bool IsPopupMenu(const WindowObject* w) {
  return w->IsTopLevel() && (w->style & WS_POPUP) != 0 && w->className == kPopupMenuClass;
}

WindowObject* WindowSystem::Find(HWND hwnd) const {
  if (!hwnd) return nullptr;
  auto it = windows_.find(hwnd);
  return it == windows_.end() ? nullptr : it->second.get();
}

TopLevelStyle WindowSystem::StyleFor(const WindowObject* w) const {
  TopLevelStyle style;
  style.bounds = w->bounds;
  style.title = DesktopTitle(w);
  style.role = w->className;
  style.decorated = (w->style & WS_CAPTION) == WS_CAPTION;
  style.topmost = (w->exStyle & WS_EX_TOPMOST) != 0;
  style.skipTaskbar = (w->exStyle & WS_EX_APPWINDOW) == 0;
  style.noActivate = (w->exStyle & WS_EX_NOACTIVATE) != 0;
  style.dialog = (w->exStyle & WS_EX_DLGMODALFRAME) != 0;
  // A pop-up tool window that never takes the keyboard is a tip, as Windows' own tool tips are.
  constexpr unsigned kToolTip = WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE;
  style.toolTip = (w->style & WS_POPUP) != 0 && (w->style & WS_CAPTION) != WS_CAPTION &&
                  (w->exStyle & kToolTip) == kToolTip;
  style.popupMenu = IsPopupMenu(w);
  if (style.popupMenu) style.toolTip = false;
  style.owner = w->owner;
  return style;
}

MINMAXINFO WindowSystem::MinMaxInfo(WindowObject* w) {
  const TSize screen = backend().VirtualScreenSize();
  MINMAXINFO info;
  info.ptMaxSize = {screen.cx, screen.cy};
  info.ptMaxPosition = {0, 0};
  info.ptMinTrackSize = {1, 1};
  info.ptMaxTrackSize = {screen.cx, screen.cy};
  Send(w->handle, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
  return info;
}

std::string WindowSystem::DesktopTitle(const WindowObject* w) const {
  while ((w->style & WS_CAPTION) != WS_CAPTION && (w->exStyle & WS_EX_APPWINDOW) == 0) {
    const WindowObject* owner = Find(w->owner);
    if (!owner) break;
    w = owner;
  }
  return w->text;
}

void WindowSystem::TitleChanged(WindowObject* w) {
  for (WindowObject* top : topLevels_) {
    for (const WindowObject* o = top; o; o = Find(o->owner)) {
      if (o == w) {
        backend().SetTitle(top->handle, DesktopTitle(top));
        break;
      }
    }
  }
}

HWND WindowSystem::Create(const CreateWindowParams& params) {
  if (!params.WindowProc) throw Exception("A window needs a window procedure");
  const bool child = (params.Style & WS_CHILD) != 0;
  const bool messageOnly = !child && params.Parent == HWND_MESSAGE;
  WindowObject* parent = messageOnly ? nullptr : Find(params.Parent);
  if (child && !parent) throw Exception("A child window needs a parent window");
  if (!child && !messageOnly && params.Parent && !parent)
    throw Exception("The owner window does not exist");

  auto object = std::make_unique<WindowObject>();
  WindowObject* w = object.get();
  w->handle = reinterpret_cast<HWND>(static_cast<uintptr_t>(nextHandle_++) << 4);
  w->className = params.ClassName;
  w->text = params.WindowName;
  w->style = params.Style & ~WS_VISIBLE;
  w->exStyle = params.ExStyle;
  w->bounds = params.Bounds;
  w->enabled = (params.Style & WS_DISABLED) == 0;
  w->messageOnly = messageOnly;
  w->proc = std::make_shared<WNDPROC>(params.WindowProc);
  windows_.emplace(w->handle, std::move(object));

  if (child) {
    w->parent = parent;
    parent->children.push_back(w);
  } else if (!messageOnly) {
    w->owner = parent ? TopLevelOf(parent)->handle : nullptr;
    w->backBuffer = std::make_unique<DIBitmap>(
        std::max(0, w->bounds.Width()), std::max(0, w->bounds.Height()), 24, RowOrder::TopDown);
    topLevels_.push_back(w);
    TopLevelStyle style = StyleFor(w);
    if (w->style & WS_THICKFRAME) {
      // The desktop keeps a window the user may resize within the sizes the window gives; as on
      // Windows, the size it is created with is brought within them too.
      const MINMAXINFO limits = MinMaxInfo(w);
      style.resizable =
          TopLevelStyle::SizeLimits{{limits.ptMinTrackSize.X, limits.ptMinTrackSize.Y},
                                    {limits.ptMaxTrackSize.X, limits.ptMaxTrackSize.Y}};
      const int width = std::clamp(w->bounds.Width(), style.resizable->min.cx,
                                   std::max(style.resizable->min.cx, style.resizable->max.cx));
      const int height = std::clamp(w->bounds.Height(), style.resizable->min.cy,
                                    std::max(style.resizable->min.cy, style.resizable->max.cy));
      w->bounds = Bounds(w->bounds.Left, w->bounds.Top, width, height);
      w->backBuffer = std::make_unique<DIBitmap>(width, height, 24, RowOrder::TopDown);
      style.bounds = w->bounds;
    }
    backend().CreateTopLevel(w->handle, style);
  }

  const HWND hwnd = w->handle;
  if (Send(hwnd, WM_CREATE, 0, reinterpret_cast<LPARAM>(&params)) == -1) {
    Destroy(hwnd);
    return nullptr;
  }
  if (!Find(hwnd)) return nullptr;
  Send(hwnd, WM_SIZE, SIZE_RESTORED, MAKELPARAM(w->bounds.Width(), w->bounds.Height()));
  Send(hwnd, WM_MOVE, 0, MAKELPARAM(w->bounds.Left, w->bounds.Top));
  if ((params.Style & WS_VISIBLE) && Find(hwnd)) Show(w, SW_SHOWNA);
  return Find(hwnd) ? hwnd : nullptr;
}

bool WindowSystem::Destroy(HWND hwnd) {
  WindowObject* w = Find(hwnd);
  if (!w || w->destroying) return false;
  // Owned top-level windows go first, as on Windows.
  if (w->IsTopLevel()) {
    for (size_t i = topLevels_.size(); i-- > 0;) {
      if (i < topLevels_.size() && topLevels_[i]->owner == hwnd) Destroy(topLevels_[i]->handle);
    }
  }
  if (!Find(hwnd)) return true;
  w->destroying = true;
  if (w->visible && !w->IsTopLevel() && IsVisibleDeep(w->parent)) RepaintCovered(w);
  DestroyTree(w);
  Unlink(w);
  return true;
}

// WM_DESTROY reaches the window before its children, as on Windows.
void WindowSystem::DestroyTree(WindowObject* w) {
  w->destroying = true;
  Send(w->handle, WM_DESTROY, 0, 0);
  // A child may destroy its siblings from its WM_DESTROY: walk a copy and re-check.
  const std::vector<WindowObject*> children = w->children;
  for (WindowObject* c : children) {
    if (Find(c->handle) && !c->destroying) DestroyTree(c);
  }
  for (WindowObject* c : children) {
    if (Find(c->handle)) Forget(c);
  }
  w->children.clear();
}

void WindowSystem::Forget(WindowObject* w) {
  ForgetInput(w);
  timers_.StopAll(w->handle);
  auto it = windows_.find(w->handle);
  if (it != windows_.end()) {
    graveyard_.push_back(std::move(it->second));
    windows_.erase(it);
  }
}

void WindowSystem::Unlink(WindowObject* w) {
  if (w->parent) {
    auto& siblings = w->parent->children;
    siblings.erase(std::remove(siblings.begin(), siblings.end(), w), siblings.end());
    w->parent = nullptr;
  } else {
    topLevels_.erase(std::remove(topLevels_.begin(), topLevels_.end(), w), topLevels_.end());
    // Contexts still given out for its back buffer draw nothing from now on.
    for (auto& given : dcs_) {
      if (given.top == w) {
        given.dc->SelectBitmap(nullptr);
        given.top = nullptr;
      }
    }
    if (backend_) backend_->DestroyTopLevel(w->handle);
  }
  Forget(w);
}

WindowObject* WindowSystem::TopLevelOf(WindowObject* w) const {
  while (w && w->parent) w = w->parent;
  return w;
}

TPoint WindowSystem::OffsetInTopLevel(const WindowObject* w) const {
  TPoint p;
  for (; w && w->parent; w = w->parent) {
    p.X += w->bounds.Left;
    p.Y += w->bounds.Top;
  }
  return p;
}

TPoint WindowSystem::ScreenOffset(const WindowObject* w) const {
  TPoint p = OffsetInTopLevel(w);
  const WindowObject* top = w;
  while (top && top->parent) top = top->parent;
  if (top) {
    p.X += top->bounds.Left;
    p.Y += top->bounds.Top;
  }
  return p;
}

bool WindowSystem::IsVisibleDeep(const WindowObject* w) const {
  for (; w; w = w->parent)
    if (!w->visible) return false;
  return true;
}

bool WindowSystem::IsEnabledDeep(const WindowObject* w) const {
  for (; w; w = w->parent)
    if (!w->enabled) return false;
  return true;
}

bool WindowSystem::Show(WindowObject* w, int cmd) {
  if (w->messageOnly) return false;
  const bool was = w->visible;
  const bool show = cmd != SW_HIDE;
  if (was == show) return was;
  const HWND hwnd = w->handle;
  Send(hwnd, WM_SHOWWINDOW, show ? 1 : 0, 0);
  if (!Find(hwnd)) return was;
  w->visible = show;
  if (!show) {
    if (capture_ && (capture_ == w || IsChild(hwnd, capture_->handle))) ReleaseCapture();
    if (grab_ == w) ReleaseInputGrab();
    if (hover_ && (hover_ == w || IsChild(hwnd, hover_->handle))) hover_ = nullptr;
  }
  if (w->IsTopLevel()) {
    backend().ShowTopLevel(hwnd, show);
    if (show) {
      Invalidate(w, Region(w->ClientRect()), kErase | kFrame | kAllChildren);
      const bool activate = cmd == SW_SHOW || cmd == SW_SHOWNORMAL;
      if (activate && w->enabled && !(w->exStyle & WS_EX_NOACTIVATE)) backend().Activate(hwnd);
    } else if (active_ == w) {
      OnActivation(w, false);
    }
  } else if (IsVisibleDeep(w->parent)) {
    RepaintCovered(w);
  }
  Send(hwnd, WM_WINDOWPOSCHANGED, 0, 0);
  return was;
}

bool WindowSystem::Enable(WindowObject* w, bool enable) {
  const bool wasDisabled = !w->enabled;
  if (w->enabled == enable) return wasDisabled;
  w->enabled = enable;
  if (!enable) {
    if (focus_ && (focus_ == w || IsChild(w->handle, focus_->handle))) SetFocus(nullptr);
    if (capture_ && (capture_ == w || IsChild(w->handle, capture_->handle))) ReleaseCapture();
  }
  Send(w->handle, WM_ENABLE, enable ? 1 : 0, 0);
  return wasDisabled;
}

bool WindowSystem::SetPos(WindowObject* w, HWND insertAfter, int x, int y, int cx, int cy,
                          unsigned flags) {
  const HWND hwnd = w->handle;
  WindowPos pos{hwnd, insertAfter, x, y, cx, cy, flags};
  if (flags & SWP_NOMOVE) {
    pos.x = w->bounds.Left;
    pos.y = w->bounds.Top;
  }
  if (flags & SWP_NOSIZE) {
    pos.cx = w->bounds.Width();
    pos.cy = w->bounds.Height();
  }
  Send(hwnd, WM_WINDOWPOSCHANGING, 0, reinterpret_cast<LPARAM>(&pos));
  if (!Find(hwnd)) return false;
  pos.cx = std::max(0, pos.cx);
  pos.cy = std::max(0, pos.cy);

  const TRect oldBounds = w->bounds;
  const TRect newBounds = Bounds(pos.x, pos.y, pos.cx, pos.cy);
  const bool moved = newBounds.Left != oldBounds.Left || newBounds.Top != oldBounds.Top;
  const bool sized =
      newBounds.Width() != oldBounds.Width() || newBounds.Height() != oldBounds.Height();
  bool restacked = false;
  if (!(flags & SWP_NOZORDER) && w->parent) {
    auto& siblings = w->parent->children;
    auto it = std::find(siblings.begin(), siblings.end(), w);
    if (it != siblings.end() && it + 1 != siblings.end()) {
      siblings.erase(it);
      siblings.push_back(w);
      restacked = true;
    }
  }

  if (moved || sized || restacked) {
    w->bounds = newBounds;
    if (w->messageOnly) {
      // Nothing on the desktop to move.
    } else if (w->IsTopLevel()) {
      if (sized) ResizeBackBuffer(w);
      backend().MoveTopLevel(hwnd, w->bounds);
    } else if (!(flags & SWP_NOREDRAW) && IsVisibleDeep(w->parent)) {
      WindowObject* top = TopLevelOf(w);
      const TPoint parentOrigin = OffsetInTopLevel(w->parent);
      Region area(oldBounds.Translated(parentOrigin.X, parentOrigin.Y));
      area = area.United(newBounds.Translated(parentOrigin.X, parentOrigin.Y));
      if (w->visible) InvalidateTopLevelArea(top, area);
    }
  }
  if (flags & SWP_SHOWWINDOW) Show(w, (flags & SWP_NOACTIVATE) ? SW_SHOWNA : SW_SHOW);
  if (flags & SWP_HIDEWINDOW) Show(w, SW_HIDE);
  if (!Find(hwnd)) return false;

  if (moved || sized || restacked) {
    pos.flags = flags;
    Send(hwnd, WM_WINDOWPOSCHANGED, 0, reinterpret_cast<LPARAM>(&pos));
    if (moved && Find(hwnd)) Send(hwnd, WM_MOVE, 0, MAKELPARAM(w->bounds.Left, w->bounds.Top));
    if (sized && Find(hwnd))
      Send(hwnd, WM_SIZE, SIZE_RESTORED, MAKELPARAM(w->bounds.Width(), w->bounds.Height()));
  }
  return true;
}

bool WindowSystem::SetRegion(WindowObject* w, std::optional<Region> region, bool redraw) {
  w->region = std::move(region);
  if (w->messageOnly) return false;
  if (w->IsTopLevel()) {
    backend().SetShape(w->handle, w->region);
    if (redraw) Invalidate(w, Region(w->ClientRect()), kErase | kFrame | kAllChildren);
  } else if (redraw && IsVisibleDeep(w)) {
    RepaintCovered(w);
  }
  return true;
}

WindowObject* WindowSystem::ChildAt(WindowObject* parent, TPoint point, bool deep,
                                    bool askHitTest) {
  for (auto it = parent->children.rbegin(); it != parent->children.rend(); ++it) {
    WindowObject* c = *it;
    if (!c->visible || !c->bounds.Contains(point)) continue;
    const TPoint local{point.X - c->bounds.Left, point.Y - c->bounds.Top};
    if (c->region && !c->region->Contains(local)) continue;
    if (askHitTest) {
      // Disabled children leave the mouse to their parent; HTTRANSPARENT to what lies below.
      if (!c->enabled) continue;
      const TPoint screen = ScreenOffset(c);
      const LRESULT hit =
          Send(c->handle, WM_NCHITTEST, 0, MAKELPARAM(screen.X + local.X, screen.Y + local.Y));
      if (!Find(c->handle)) return parent;
      if (hit == HTTRANSPARENT) continue;
    }
    return deep ? ChildAt(c, local, true, askHitTest) : c;
  }
  return parent;
}

WindowObject* WindowSystem::TopLevelAt(TPoint screenPoint) const {
  // The desktop keeps the real stacking; topmost windows first, then the most recently created.
  for (int pass = 0; pass < 2; ++pass) {
    for (auto it = topLevels_.rbegin(); it != topLevels_.rend(); ++it) {
      const WindowObject* w = *it;
      const bool topmost = (w->exStyle & WS_EX_TOPMOST) != 0;
      if (topmost != (pass == 0) || !w->visible || !w->bounds.Contains(screenPoint)) continue;
      const TPoint local{screenPoint.X - w->bounds.Left, screenPoint.Y - w->bounds.Top};
      if (w->region && !w->region->Contains(local)) continue;
      return const_cast<WindowObject*>(w);
    }
  }
  return nullptr;
}

}  // namespace platform
