// Painting: invalid regions, the order of WM_PAINT, the visible part of each window, the device
// contexts over top-level back buffers, and presenting what changed.

#include <algorithm>

#include "platform/windows/WindowSystem.h"

namespace platform {

namespace {

// A child's shape in its parent's client coordinates.
Region ShapeInParent(const WindowObject* c) {
  Region shape(c->bounds);
  if (c->region) shape = shape.Intersected(c->region->Translated(c->bounds.Left, c->bounds.Top));
  return shape;
}

}  // namespace

void WindowSystem::Invalidate(WindowObject* w, const Region& area, unsigned flags) {
  const Region clipped = area.Intersected(w->ClientRect());
  if (!clipped.IsEmpty()) {
    w->invalid = w->invalid.United(clipped);
    if (flags & kErase) w->eraseNeeded = true;
    if (flags & kFrame) w->frameInvalid = true;
  }
  if (!(flags & kAllChildren)) return;
  for (WindowObject* c : w->children) {
    if (!c->visible || !area.Intersects(c->bounds)) continue;
    Invalidate(c, area.Translated(-c->bounds.Left, -c->bounds.Top), flags);
  }
}

void WindowSystem::Validate(WindowObject* w, const Region& area, bool allChildren) {
  w->invalid = w->invalid.Subtracted(area);
  if (w->invalid.IsEmpty()) w->eraseNeeded = false;
  if (!allChildren) return;
  for (WindowObject* c : w->children)
    Validate(c, area.Translated(-c->bounds.Left, -c->bounds.Top), true);
}

void WindowSystem::InvalidateTopLevelArea(WindowObject* top, const Region& area) {
  if (top) Invalidate(top, area, kErase | kFrame | kAllChildren);
}

void WindowSystem::RepaintCovered(WindowObject* child) {
  const TPoint o = OffsetInTopLevel(child);
  InvalidateTopLevelArea(TopLevelOf(child), Region(child->ClientRect().Translated(o.X, o.Y)));
}

Region WindowSystem::VisibleRegion(const WindowObject* w) const {
  if (!IsVisibleDeep(w)) return {};
  // Worked out in the top-level's client coordinates, then moved back to w's.
  const TPoint origin = OffsetInTopLevel(w);
  Region visible(w->ClientRect().Translated(origin.X, origin.Y));
  if (w->region) visible = visible.Intersected(w->region->Translated(origin.X, origin.Y));
  // A window that cannot reach what is left cuts nothing: most siblings lie beside a control,
  // and their shapes are not worth building.
  auto cutOut = [&visible](const WindowObject* c, TPoint o) {
    if (!c->visible || !visible.Intersects(c->bounds.Translated(o.X, o.Y))) return;
    visible = visible.Subtracted(ShapeInParent(c).Translated(o.X, o.Y));
  };
  for (const WindowObject* c : w->children) cutOut(c, origin);
  for (const WindowObject* cur = w; cur->parent; cur = cur->parent) {
    const WindowObject* p = cur->parent;
    const TPoint po = OffsetInTopLevel(p);
    Region parentArea(p->ClientRect().Translated(po.X, po.Y));
    if (p->region) parentArea = parentArea.Intersected(p->region->Translated(po.X, po.Y));
    visible = visible.Intersected(parentArea);
    // Siblings above cur cover it.
    auto it = std::find(p->children.begin(), p->children.end(), cur);
    for (++it; it != p->children.end(); ++it) cutOut(*it, po);
    if (visible.IsEmpty()) break;
  }
  return visible.Translated(-origin.X, -origin.Y);
}

HDC WindowSystem::GiveDC(WindowObject* w, Region area) {
  WindowObject* top = TopLevelOf(w);
  auto dc = std::make_unique<DeviceContext>(top->backBuffer.get());
  dc->SetOrigin(OffsetInTopLevel(w));
  dc->SetSystemRegion(std::move(area));
  HDC handle = dc.get();
  dcs_.push_back({std::move(dc), top});
  return handle;
}

void WindowSystem::TakeBackDC(HDC dc) {
  auto it =
      std::find_if(dcs_.begin(), dcs_.end(), [&](const GivenDC& g) { return g.dc.get() == dc; });
  if (it == dcs_.end()) return;
  // What the context could touch goes to the screen with the next present.
  if (it->top && dc->SystemRegion()) {
    const TPoint o = dc->Origin();
    it->top->presentArea = it->top->presentArea.United(dc->SystemRegion()->Translated(o.X, o.Y));
  }
  dcs_.erase(it);
}

HDC WindowSystem::BeginPaint(WindowObject* w, PAINTSTRUCT* ps) {
  const HWND hwnd = w->handle;
  if (w->frameInvalid) {
    w->frameInvalid = false;
    Send(hwnd, WM_NCPAINT, 1, 0);
    if (!Find(hwnd)) return nullptr;
  }
  const Region invalid = w->invalid;
  const bool erase = w->eraseNeeded;
  w->invalid = Region();
  w->eraseNeeded = false;
  w->internalPaint = false;

  HDC dc = GiveDC(w, VisibleRegion(w).Intersected(invalid));
  PAINTSTRUCT local;
  PAINTSTRUCT& out = ps ? *ps : local;
  out.hdc = dc;
  out.rcPaint = invalid.Bounds();
  out.fErase = false;
  if (erase) out.fErase = Send(hwnd, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0) == 0;
  return dc;
}

bool WindowSystem::EndPaint(WindowObject*, const PAINTSTRUCT* ps) {
  if (!ps || !ps->hdc) return false;
  TakeBackDC(ps->hdc);
  return true;
}

HDC WindowSystem::GetDC(WindowObject* w) { return GiveDC(w, VisibleRegion(w)); }

int WindowSystem::ReleaseDC(WindowObject*, HDC dc) {
  TakeBackDC(dc);
  return 1;
}

HDC WindowSystem::ScreenDC() {
  if (!screenDC_) {
    screenBitmap_ = std::make_unique<DIBitmap>(1, 1, 24);
    screenDC_ = std::make_unique<DeviceContext>(screenBitmap_.get());
  }
  return screenDC_.get();
}

WindowObject* WindowSystem::NextWindowToPaint() const {
  // Parents before children; top-level windows in creation order.
  struct Search {
    const WindowSystem& ws;
    WindowObject* Visit(WindowObject* w) const {
      if (!w->visible) return nullptr;
      if (ws.NeedsPaint(w)) return w;
      for (WindowObject* c : w->children)
        if (WindowObject* found = Visit(c)) return found;
      return nullptr;
    }
  } search{*this};
  for (WindowObject* top : topLevels_)
    if (WindowObject* found = search.Visit(top)) return found;
  return nullptr;
}

void WindowSystem::PaintNow(WindowObject* w, bool allChildren) {
  const HWND hwnd = w->handle;
  if (IsVisibleDeep(w) && NeedsPaint(w)) Send(hwnd, WM_PAINT, 0, 0);
  if (!allChildren || !Find(hwnd)) return;
  const std::vector<WindowObject*> children = w->children;
  for (WindowObject* c : children)
    if (Find(c->handle)) PaintNow(c, true);
}

bool WindowSystem::Redraw(WindowObject* w, const TRect* rect, const Region* region,
                          unsigned flags) {
  const Region area = region ? *region : rect ? Region(*rect) : Region(w->ClientRect());
  const bool allChildren = (flags & RDW_ALLCHILDREN) && !(flags & RDW_NOCHILDREN);
  if (flags & RDW_INVALIDATE) {
    unsigned what = allChildren ? kAllChildren : 0;
    if (flags & RDW_ERASE) what |= kErase;
    if (flags & RDW_FRAME) what |= kFrame;
    Invalidate(w, area, what);
  }
  if (flags & RDW_INTERNALPAINT) w->internalPaint = true;
  if (flags & RDW_NOINTERNALPAINT) w->internalPaint = false;
  if (flags & RDW_VALIDATE) Validate(w, area, allChildren);
  if (flags & RDW_NOERASE) w->eraseNeeded = false;
  if (flags & RDW_NOFRAME) w->frameInvalid = false;
  if (flags & (RDW_UPDATENOW | RDW_ERASENOW)) PaintNow(w, allChildren);
  return true;
}

void WindowSystem::ResizeBackBuffer(WindowObject* top) {
  top->backBuffer->Resize(std::max(0, top->bounds.Width()), std::max(0, top->bounds.Height()));
  top->presentArea = top->presentArea.Intersected(top->ClientRect());
  Invalidate(top, Region(top->ClientRect()), kErase | kFrame | kAllChildren);
}

void WindowSystem::PresentAll() {
  for (WindowObject* top : topLevels_) {
    if (top->presentArea.IsEmpty()) continue;
    const Region area = top->presentArea.Intersected(top->ClientRect());
    top->presentArea = Region();
    if (top->visible && !area.IsEmpty()) backend().Present(top->handle, *top->backBuffer, area);
  }
}

}  // namespace platform
