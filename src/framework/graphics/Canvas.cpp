#include "framework/graphics/Canvas.h"

#include <algorithm>
#include <utility>

#include "framework/classes/ClassBuilder.h"
#include "framework/graphics/Graphic.h"
#include "platform/drawing/Lines.h"
#include "platform/text/Font.h"

namespace framework {

using platform::SavedDC;

const TClassInfo& TCanvas::StaticClassInfo() {
  static const TClassInfo info = TClassBuilder<TCanvas>("TCanvas", TPersistent::StaticClassInfo());
  return info;
}

TCanvas::TCanvas() = default;

TCanvas::~TCanvas() = default;

HDC TCanvas::Handle() { return RequireState(); }

void TCanvas::SetHandle(HDC dc) {
  if (dc == dc_) return;
  FreeHandle();
  dc_ = dc;
}

void TCanvas::CreateHandle() {}

void TCanvas::AdoptHandle(std::unique_ptr<platform::DeviceContext> dc) {
  FreeHandle();
  owned_ = std::move(dc);
  dc_ = owned_.get();
}

void TCanvas::FreeHandle() {
  dc_ = nullptr;
  owned_.reset();
}

void TCanvas::Unlock() {
  if (lockCount_ > 0) --lockCount_;
}

bool TCanvas::TryLock() {
  // One thread: nobody else can hold the lock, so it is always had.
  ++lockCount_;
  return true;
}

void TCanvas::Changing() {
  if (OnChanging) OnChanging(this);
}

void TCanvas::Changed() {
  if (OnChange) OnChange(this);
}

// OnChange follows only a call that drew; one that failed leaves the listeners told of the
// change about to happen and nothing more, as the VCL does.
template <typename Body>
void TCanvas::Drawing(Body&& draw) {
  Changing();
  draw();
  Changed();
}

HDC TCanvas::RequireState() {
  if (!dc_) CreateHandle();
  if (!dc_) throw EInvalidGraphicOperation("Canvas does not allow drawing");
  platform::SelectFont(dc_, font_.Handle());
  platform::SetTextColor(dc_, platform::ColorToRGB(font_.Color()));
  platform::SelectBrush(dc_, brush_.Handle());
  if (brush_.Style() == bsClear) {
    platform::SetBkMode(dc_, platform::TRANSPARENT);
  } else {
    platform::SetBkColor(dc_, platform::ColorToRGB(brush_.Color()));
    platform::SetBkMode(dc_, platform::OPAQUE);
  }
  return dc_;
}

void TCanvas::FillRect(const TRect& rect) {
  Drawing([&] { platform::FillRect(RequireState(), rect, brush_.Handle()); });
}

void TCanvas::FrameRect(const TRect& rect) {
  Drawing([&] {
    HDC dc = RequireState();
    if (rect.IsEmpty()) return;
    const platform::Brush brush = brush_.Handle();
    const TRect& r = rect;
    platform::FillRect(dc, {r.Left, r.Top, r.Right, r.Top + 1}, brush);
    platform::FillRect(dc, {r.Left, r.Bottom - 1, r.Right, r.Bottom}, brush);
    platform::FillRect(dc, {r.Left, r.Top + 1, r.Left + 1, r.Bottom - 1}, brush);
    platform::FillRect(dc, {r.Right - 1, r.Top + 1, r.Right, r.Bottom - 1}, brush);
  });
}

void TCanvas::Rectangle(int x1, int y1, int x2, int y2) {
  Drawing([&] {
    HDC dc = RequireState();
    // Windows takes the corners in any order.
    if (x2 < x1) std::swap(x1, x2);
    if (y2 < y1) std::swap(y1, y2);
    if (x1 == x2 || y1 == y2) return;
    if (pen_.Style() == psClear) {
      platform::FillRect(dc, {x1, y1, x2 - 1, y2 - 1}, brush_.Handle());
      return;
    }
    platform::FillRect(dc, {x1 + 1, y1 + 1, x2 - 1, y2 - 1}, brush_.Handle());
    // The outline as one closed polyline: each segment leaves out its last point, which the next
    // one starts from, so every outline pixel is drawn once.
    const TPoint corners[5] = {{x1, y1}, {x2 - 1, y1}, {x2 - 1, y2 - 1}, {x1, y2 - 1}, {x1, y1}};
    for (int i = 0; i < 4; ++i)
      platform::DrawLine(dc, corners[i], corners[i + 1], pen_.Color(), pen_.Width());
  });
}

void TCanvas::LineTo(int x, int y) {
  Drawing([&] {
    HDC dc = RequireState();
    if (pen_.Style() != psClear)
      platform::DrawLine(dc, penPos_, {x, y}, pen_.Color(), pen_.Width());
    penPos_ = {x, y};
  });
}

platform::TColor TCanvas::Pixels(int x, int y) { return platform::GetPixel(RequireState(), x, y); }

void TCanvas::SetPixels(int x, int y, platform::TColor color) {
  Drawing([&] { platform::SetPixel(RequireState(), x, y, color); });
}

void TCanvas::TextOut(int x, int y, std::string_view text) {
  Drawing([&] {
    HDC dc = RequireState();
    platform::TextOut(dc, x, y, text);
    TSize size;
    platform::GetTextExtentPoint32(dc, text, &size);
    penPos_ = {x + size.cx, y};
  });
}

void TCanvas::TextRect(const TRect& rect, int x, int y, std::string_view text) {
  Drawing([&] {
    HDC dc = RequireState();
    SavedDC saved(dc);
    platform::IntersectClipRect(dc, rect.Left, rect.Top, rect.Right, rect.Bottom);
    platform::FillRect(dc, rect, brush_.Handle());
    platform::TextOut(dc, x, y, text);
  });
}

TSize TCanvas::TextExtent(std::string_view text) {
  TSize size;
  platform::GetTextExtentPoint32(RequireState(), text, &size);
  return size;
}

void TCanvas::Draw(int x, int y, TGraphic* graphic) {
  if (!graphic || graphic->Empty()) return;
  Drawing([&] {
    RequireState();
    graphic->Draw(*this, platform::Bounds(x, y, graphic->Width(), graphic->Height()));
  });
}

void TCanvas::StretchDraw(const TRect& rect, TGraphic* graphic) {
  if (!graphic || graphic->Empty()) return;
  Drawing([&] {
    RequireState();
    graphic->Draw(*this, rect);
  });
}

void TCanvas::CopyRect(const TRect& dest, TCanvas* source, const TRect& sourceRect) {
  if (!source) return;
  Drawing([&] {
    HDC dc = RequireState();
    HDC src = source == this ? dc : source->Handle();
    platform::StretchBlt(dc, dest.Left, dest.Top, dest.Width(), dest.Height(), src, sourceRect.Left,
                         sourceRect.Top, sourceRect.Width(), sourceRect.Height(),
                         platform::SRCCOPY);
  });
}

TRect TCanvas::ClipRect() {
  TRect box;
  platform::GetClipBox(RequireState(), &box);
  return box;
}

}  // namespace framework
