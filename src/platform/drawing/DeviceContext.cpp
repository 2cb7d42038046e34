#include "platform/drawing/DeviceContext.h"

#include <algorithm>
#include <climits>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <utility>

namespace platform {

namespace {

// Contexts draw into 24- and 32-bit bitmaps only; anything else is treated as no bitmap at all.
bool Drawable(const DIBitmap* bitmap) {
  return bitmap && !bitmap->Empty() &&
         (bitmap->BitsPerPixel() == 24 || bitmap->BitsPerPixel() == 32);
}

int ClampToInt(int64_t v) { return static_cast<int>(std::clamp<int64_t>(v, INT_MIN, INT_MAX)); }

// Logical coordinates plus this is surface coordinates. Kept in 64 bits: origins and
// coordinates are any int, and their sum must not wrap.
struct Shift {
  int64_t x;
  int64_t y;
};

Shift LogicalToDeviceShift(const DeviceContext& dc) {
  const DeviceContext::State& s = dc.Current();
  return {int64_t{s.viewportOrg.X} - s.windowOrg.X, int64_t{s.viewportOrg.Y} - s.windowOrg.Y};
}

Shift LogicalToSurfaceShift(const DeviceContext& dc) {
  const Shift d = LogicalToDeviceShift(dc);
  return {d.x + dc.Origin().X, d.y + dc.Origin().Y};
}

TPoint Apply(TPoint p, Shift s) { return {ClampToInt(p.X + s.x), ClampToInt(p.Y + s.y)}; }

TRect Apply(const TRect& r, Shift s) {
  return {ClampToInt(r.Left + s.x), ClampToInt(r.Top + s.y), ClampToInt(r.Right + s.x),
          ClampToInt(r.Bottom + s.y)};
}

// A rectangle in 64-bit coordinates, for blit geometry before it is known to lie in a bitmap.
struct Box {
  int64_t left, top, right, bottom;
  Box Intersected(const Box& o) const {
    return {std::max(left, o.left), std::max(top, o.top), std::min(right, o.right),
            std::min(bottom, o.bottom)};
  }
  bool IsEmpty() const { return right <= left || bottom <= top; }
  // Only for boxes already cut to a bitmap, whose coordinates fit an int.
  TRect ToRect() const {
    return {static_cast<int>(left), static_cast<int>(top), static_cast<int>(right),
            static_cast<int>(bottom)};
  }
};

Box BitmapBox(const DIBitmap& b) { return {0, 0, b.Width(), b.Height()}; }

// The rectangles of the clip cut to the target, still in banded order: cutting every rectangle
// of a band by the same box leaves them sharing top and bottom.
std::vector<TRect> ClippedRects(const Region& clip, const TRect& target) {
  std::vector<TRect> out;
  if (target.IsEmpty()) return out;
  for (const TRect& c : clip.Rects()) {
    if (c.Top >= target.Bottom) break;
    const TRect r = c.Intersected(target);
    if (!r.IsEmpty()) out.push_back(r);
  }
  return out;
}

// Writes the 4-byte BGRX or 3-byte BGR form of a colour; the fourth byte of a 32-bit pixel is
// 0 for every pixel a context draws, as a 24 to 32 bit conversion leaves it.
void StorePixel(uint8_t* p, int bytesPerPixel, TColor color) {
  p[0] = GetBValue(color);
  p[1] = GetGValue(color);
  p[2] = GetRValue(color);
  if (bytesPerPixel == 4) p[3] = 0;
}

// Fills one rectangle lying inside the bitmap: one pixel is written, doubled by memcpy across
// the first row, and that row is copied to the others.
void FillSurfaceRect(DIBitmap& bitmap, const TRect& r, TColor color) {
  const int bpp = bitmap.BitsPerPixel() / 8;
  const size_t offset = static_cast<size_t>(r.Left) * bpp;
  const size_t bytes = static_cast<size_t>(r.Width()) * bpp;
  uint8_t* first = bitmap.ScanLine(r.Top) + offset;
  StorePixel(first, bpp, color);
  size_t filled = static_cast<size_t>(bpp);
  while (filled < bytes) {
    const size_t chunk = std::min(filled, bytes - filled);
    std::memcpy(first + filled, first, chunk);
    filled += chunk;
  }
  for (int y = r.Top + 1; y < r.Bottom; ++y) std::memcpy(bitmap.ScanLine(y) + offset, first, bytes);
}

// Converts pixels between 24 and 32 bits. Different depths are always different bitmaps, so
// the spans cannot overlap (which lets the compiler vectorise the loop).
template <int DstBpp, int SrcBpp>
void ConvertSpan(uint8_t* __restrict dst, const uint8_t* __restrict src, int count) {
  for (int i = 0; i < count; ++i, dst += DstBpp, src += SrcBpp) {
    dst[0] = src[0];
    dst[1] = src[1];
    dst[2] = src[2];
    if constexpr (DstBpp == 4) dst[3] = 0;
  }
}

// Copies `count` pixels. Equal formats move whole spans (memmove, since a copy within one bitmap
// may overlap); mixed formats convert pixel by pixel.
void CopySpan(uint8_t* dst, int dstBpp, const uint8_t* src, int srcBpp, int count) {
  if (dstBpp == srcBpp)
    std::memmove(dst, src, static_cast<size_t>(count) * dstBpp);
  else if (dstBpp == 4)
    ConvertSpan<4, 3>(dst, src, count);
  else
    ConvertSpan<3, 4>(dst, src, count);
}

// One band of a banded rectangle list: rects[begin, end) share top and bottom.
struct BandRange {
  size_t begin;
  size_t end;
};

std::vector<BandRange> Bands(const std::vector<TRect>& rects) {
  std::vector<BandRange> bands;
  for (size_t i = 0; i < rects.size();) {
    size_t j = i + 1;
    while (j < rects.size() && rects[j].Top == rects[i].Top) ++j;
    bands.push_back({i, j});
    i = j;
  }
  return bands;
}

// Nearest-pixel map of one axis: destination index i (0 <= i < dstExtent) takes source index
// floor((2i + 1) * srcExtent / (2 * dstExtent)), counted from the other end when mirrored.
// Both extents are at most 2^31, so the product stays below 2^63.
int64_t NearestSource(int64_t i, int64_t dstExtent, int64_t srcExtent, bool mirrored) {
  if (mirrored) i = dstExtent - 1 - i;
  return (2 * i + 1) * srcExtent / (2 * dstExtent);
}

// For destination positions [from, to) of an axis whose destination rectangle starts at
// dstStart, the source positions (srcStart + the mapped index); `valid` is narrowed to the
// positions whose source lies in [0, srcLimit). The map is monotonic, so those form one run.
struct AxisMap {
  std::vector<int> source;  // indexed by position - from
  int validFrom = 0;
  int validTo = 0;
};

AxisMap MapAxis(int from, int to, int64_t dstStart, int64_t dstExtent, int64_t srcStart,
                int64_t srcExtent, bool mirrored, int srcLimit) {
  AxisMap map;
  map.source.resize(static_cast<size_t>(to - from));
  map.validFrom = to;
  map.validTo = from;
  for (int p = from; p < to; ++p) {
    const int64_t s = srcStart + NearestSource(p - dstStart, dstExtent, srcExtent, mirrored);
    if (s >= 0 && s < srcLimit) {
      map.source[static_cast<size_t>(p - from)] = static_cast<int>(s);
      map.validFrom = std::min(map.validFrom, p);
      map.validTo = std::max(map.validTo, p + 1);
    }
  }
  return map;
}

template <int DstBpp, int SrcBpp>
void StretchRow(uint8_t* __restrict dst, const uint8_t* __restrict src, const int* sourceOffsets,
                int count) {
  for (int i = 0; i < count; ++i, dst += DstBpp) {
    const uint8_t* s = src + sourceOffsets[i];
    dst[0] = s[0];
    dst[1] = s[1];
    dst[2] = s[2];
    if constexpr (DstBpp == 4) dst[3] = SrcBpp == 4 ? s[3] : 0;
  }
}

using StretchRowFn = void (*)(uint8_t*, const uint8_t*, const int*, int);

StretchRowFn StretchRowFor(int dstBpp, int srcBpp) {
  if (dstBpp == 3) return srcBpp == 3 ? StretchRow<3, 3> : StretchRow<3, 4>;
  return srcBpp == 3 ? StretchRow<4, 3> : StretchRow<4, 4>;
}

RegionKind EffectiveKind(HDC dc) { return dc->EffectiveClip().Kind(); }

// What IntersectClipRect and ExcludeClipRect start from when no clip is selected: every pixel
// that could be drawn, the bitmap and the system region, in device coordinates.
Region Everything(const DeviceContext& dc) {
  Region all;
  if (Drawable(dc.Surface())) {
    const int64_t ox = dc.Origin().X, oy = dc.Origin().Y;
    all = Region(TRect{ClampToInt(-ox), ClampToInt(-oy), ClampToInt(dc.Surface()->Width() - ox),
                       ClampToInt(dc.Surface()->Height() - oy)});
  } else if (dc.SystemRegion()) {
    return *dc.SystemRegion();
  }
  if (dc.SystemRegion()) all = all.Intersected(*dc.SystemRegion());
  return all;
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// The context

DeviceContext::DeviceContext(DIBitmap* surface) : surface_(surface) {}

DIBitmap* DeviceContext::SelectBitmap(DIBitmap* surface) {
  DIBitmap* previous = surface_;
  surface_ = surface;
  clipValid_ = false;
  return previous;
}

void DeviceContext::SetOrigin(TPoint origin) {
  origin_ = origin;
  clipValid_ = false;
}

void DeviceContext::SetSystemRegion(std::optional<Region> deviceRegion) {
  systemRegion_ = std::move(deviceRegion);
  clipValid_ = false;
}

int DeviceContext::Save() {
  saved_.push_back(state_);
  return static_cast<int>(saved_.size());
}

bool DeviceContext::Restore(int level) {
  const int64_t depth = static_cast<int64_t>(saved_.size());
  // A positive level names a depth as Save returned it; a negative one counts back from the top.
  const int64_t target = level > 0 ? int64_t{level} : depth + 1 + level;
  if (level == 0 || target < 1 || target > depth) return false;
  state_ = std::move(saved_[static_cast<size_t>(target - 1)]);
  saved_.resize(static_cast<size_t>(target - 1));
  clipValid_ = false;
  return true;
}

TPoint DeviceContext::LogicalToSurface(TPoint p) const {
  return Apply(p, LogicalToSurfaceShift(*this));
}

TRect DeviceContext::LogicalToSurface(const TRect& r) const {
  return Apply(r, LogicalToSurfaceShift(*this));
}

TPoint DeviceContext::SurfaceToLogical(TPoint p) const {
  const Shift s = LogicalToSurfaceShift(*this);
  return Apply(p, Shift{-s.x, -s.y});
}

TRect DeviceContext::SurfaceToLogical(const TRect& r) const {
  const Shift s = LogicalToSurfaceShift(*this);
  return Apply(r, Shift{-s.x, -s.y});
}

TPoint DeviceContext::LogicalToDevice(TPoint p) const {
  return Apply(p, LogicalToDeviceShift(*this));
}

TRect DeviceContext::LogicalToDevice(const TRect& r) const {
  return Apply(r, LogicalToDeviceShift(*this));
}

const Region& DeviceContext::EffectiveClip() const {
  const bool drawable = Drawable(surface_);
  const int width = drawable ? surface_->Width() : 0;
  const int height = drawable ? surface_->Height() : 0;
  const int depth = drawable ? surface_->BitsPerPixel() : 0;
  if (clipValid_ && width == clipWidth_ && height == clipHeight_ && depth == clipDepth_)
    return effectiveClip_;
  Region clip(TRect{0, 0, width, height});
  if (!clip.IsEmpty() && systemRegion_)
    clip = clip.Intersected(systemRegion_->Translated(origin_.X, origin_.Y));
  if (!clip.IsEmpty() && state_.clip)
    clip = clip.Intersected(state_.clip->Translated(origin_.X, origin_.Y));
  effectiveClip_ = std::move(clip);
  clipWidth_ = width;
  clipHeight_ = height;
  clipDepth_ = depth;
  clipValid_ = true;
  return effectiveClip_;
}

// ---------------------------------------------------------------------------------------------
// Save, restore and origins

int SaveDC(HDC dc) { return dc ? dc->Save() : 0; }

bool RestoreDC(HDC dc, int savedDC) { return dc && dc->Restore(savedDC); }

bool SetViewportOrgEx(HDC dc, int x, int y, TPoint* old) {
  if (!dc) return false;
  const TPoint previous = dc->SetViewportOrg({x, y});
  if (old) *old = previous;
  return true;
}

bool GetViewportOrgEx(HDC dc, TPoint* point) {
  if (!dc || !point) return false;
  *point = dc->Current().viewportOrg;
  return true;
}

bool SetWindowOrgEx(HDC dc, int x, int y, TPoint* old) {
  if (!dc) return false;
  const TPoint previous = dc->SetWindowOrg({x, y});
  if (old) *old = previous;
  return true;
}

bool GetWindowOrgEx(HDC dc, TPoint* point) {
  if (!dc || !point) return false;
  *point = dc->Current().windowOrg;
  return true;
}

bool OffsetViewportOrgEx(HDC dc, int dx, int dy, TPoint* old) {
  if (!dc) return false;
  const TPoint org = dc->Current().viewportOrg;
  if (old) *old = org;
  dc->SetViewportOrg({ClampToInt(int64_t{org.X} + dx), ClampToInt(int64_t{org.Y} + dy)});
  return true;
}

// ---------------------------------------------------------------------------------------------
// Clipping

RegionKind SelectClipRgn(HDC dc, const Region* deviceRegion) {
  if (!dc) return RGN_ERROR;
  dc->SetClip(deviceRegion ? std::optional<Region>(*deviceRegion) : std::nullopt);
  return EffectiveKind(dc);
}

RegionKind IntersectClipRect(HDC dc, int left, int top, int right, int bottom) {
  if (!dc) return RGN_ERROR;
  const TRect rect = dc->LogicalToDevice(TRect{left, top, right, bottom});
  const std::optional<Region>& clip = dc->Current().clip;
  dc->SetClip((clip ? *clip : Everything(*dc)).Intersected(rect));
  return EffectiveKind(dc);
}

RegionKind ExcludeClipRect(HDC dc, int left, int top, int right, int bottom) {
  if (!dc) return RGN_ERROR;
  const TRect rect = dc->LogicalToDevice(TRect{left, top, right, bottom});
  const std::optional<Region>& clip = dc->Current().clip;
  dc->SetClip((clip ? *clip : Everything(*dc)).Subtracted(rect));
  return EffectiveKind(dc);
}

RegionKind OffsetClipRgn(HDC dc, int dx, int dy) {
  if (!dc) return RGN_ERROR;
  if (dc->Current().clip) {
    Region moved = *dc->Current().clip;
    moved.Offset(dx, dy);
    dc->SetClip(std::move(moved));
  }
  return EffectiveKind(dc);
}

RegionKind GetClipBox(HDC dc, TRect* box) {
  if (!dc) {
    if (box) *box = TRect{};
    return RGN_ERROR;
  }
  const Region& clip = dc->EffectiveClip();
  if (box) *box = clip.IsEmpty() ? TRect{} : dc->SurfaceToLogical(clip.Bounds());
  return clip.Kind();
}

int GetClipRgn(HDC dc, Region* deviceRegion) {
  if (!dc) return -1;
  if (!dc->Current().clip) return 0;
  if (deviceRegion) *deviceRegion = *dc->Current().clip;
  return 1;
}

bool PtVisible(HDC dc, int x, int y) {
  return dc && dc->EffectiveClip().Contains(dc->LogicalToSurface(TPoint{x, y}));
}

bool RectVisible(HDC dc, const TRect& rect) {
  return dc && dc->EffectiveClip().Intersects(dc->LogicalToSurface(rect));
}

// ---------------------------------------------------------------------------------------------
// Brushes, colours, modes

Brush SelectBrush(HDC dc, Brush brush) {
  if (!dc) return Brush{};
  return dc->SetBrush(brush);
}

TColor SetTextColor(HDC dc, TColor color) {
  if (!dc) return CLR_INVALID;
  return dc->SetTextColor(color);
}

TColor GetTextColor(HDC dc) { return dc ? dc->Current().textColor : CLR_INVALID; }

TColor SetBkColor(HDC dc, TColor color) {
  if (!dc) return CLR_INVALID;
  return dc->SetBkColor(color);
}

int SetBkMode(HDC dc, int mode) {
  if (!dc || (mode != TRANSPARENT && mode != OPAQUE)) return 0;
  return dc->SetBkMode(static_cast<BkMode>(mode));
}

int SetStretchBltMode(HDC dc, int mode) {
  if (!dc || mode < BLACKONWHITE || mode > HALFTONE) return 0;
  return dc->SetStretchMode(mode);
}

int GetStretchBltMode(HDC dc) { return dc ? dc->Current().stretchMode : 0; }

HFONT SelectFont(HDC dc, HFONT font) {
  if (!dc) return nullptr;
  return dc->SetFont(font);
}

HFONT GetCurrentFont(HDC dc) { return dc ? dc->Current().font : nullptr; }

// ---------------------------------------------------------------------------------------------
// Pixels

bool FillRect(HDC dc, const TRect& rect, const Brush& brush) {
  if (!dc || !Drawable(dc->Surface())) return false;
  if (brush.style == Brush::Style::Clear) return true;
  const TColor color = ColorToRGB(brush.color);
  DIBitmap& bitmap = *dc->Surface();
  for (const TRect& r : ClippedRects(dc->EffectiveClip(), dc->LogicalToSurface(rect)))
    FillSurfaceRect(bitmap, r, color);
  return true;
}

TColor SetPixel(HDC dc, int x, int y, TColor color) {
  if (!dc || !Drawable(dc->Surface())) return CLR_INVALID;
  const TPoint p = dc->LogicalToSurface(TPoint{x, y});
  if (!dc->EffectiveClip().Contains(p)) return CLR_INVALID;
  DIBitmap& bitmap = *dc->Surface();
  const int bpp = bitmap.BitsPerPixel() / 8;
  const TColor rgb = ColorToRGB(color) & 0x00FFFFFF;
  StorePixel(bitmap.ScanLine(p.Y) + static_cast<size_t>(p.X) * bpp, bpp, rgb);
  return rgb;
}

TColor GetPixel(HDC dc, int x, int y) {
  if (!dc || !Drawable(dc->Surface())) return CLR_INVALID;
  const TPoint p = dc->LogicalToSurface(TPoint{x, y});
  if (!dc->EffectiveClip().Contains(p)) return CLR_INVALID;
  return dc->Surface()->Pixel(p.X, p.Y);
}

bool BitBlt(HDC dst, int x, int y, int width, int height, HDC src, int srcX, int srcY,
            unsigned rop) {
  if (rop != SRCCOPY || !dst || !src) return false;
  DIBitmap* target = dst->Surface();
  const DIBitmap* source = src->Surface();
  if (!Drawable(target) || !Drawable(source)) return false;
  if (width <= 0 || height <= 0) return true;

  const Shift dstShift = LogicalToSurfaceShift(*dst);
  const Shift srcShift = LogicalToSurfaceShift(*src);
  const int64_t left = x + dstShift.x, top = y + dstShift.y;
  // A source pixel is its destination pixel plus this offset, both in surface coordinates.
  const int64_t offX = srcX + srcShift.x - left;
  const int64_t offY = srcY + srcShift.y - top;
  const Box area =
      Box{left, top, left + width, top + height}
          .Intersected(BitmapBox(*target))
          .Intersected(Box{-offX, -offY, source->Width() - offX, source->Height() - offY});
  if (area.IsEmpty()) return true;
  const std::vector<TRect> rects = ClippedRects(dst->EffectiveClip(), area.ToRect());
  if (rects.empty()) return true;

  // Within one bitmap a pixel may be read after it was written. Taking rows away from the side
  // the source lies on, and spans of a row likewise (each span itself by memmove), reads every
  // source pixel before it is overwritten, whatever the shape of the clip.
  const bool rowsDown = offY >= 0;
  const bool spansRight = offX >= 0;
  const int dstBpp = target->BitsPerPixel() / 8;
  const int srcBpp = source->BitsPerPixel() / 8;
  const int dx = static_cast<int>(offX), dy = static_cast<int>(offY);
  std::vector<BandRange> bands = Bands(rects);
  if (!rowsDown) std::reverse(bands.begin(), bands.end());
  for (const BandRange& band : bands) {
    const int bandTop = rects[band.begin].Top, bandBottom = rects[band.begin].Bottom;
    for (int i = 0; i < bandBottom - bandTop; ++i) {
      const int row = rowsDown ? bandTop + i : bandBottom - 1 - i;
      uint8_t* out = target->ScanLine(row);
      const uint8_t* in = source->ScanLine(row + dy);
      for (size_t k = 0; k < band.end - band.begin; ++k) {
        const TRect& r = rects[spansRight ? band.begin + k : band.end - 1 - k];
        CopySpan(out + static_cast<size_t>(r.Left) * dstBpp, dstBpp,
                 in + static_cast<size_t>(r.Left + dx) * srcBpp, srcBpp, r.Width());
      }
    }
  }
  return true;
}

namespace {

// A copy of the part of the source that the column and row maps use (within `valid`, whose maps
// start at `bounds`' corner), with the maps made to point into the copy.
DIBitmap TakeSourceAside(const DIBitmap& source, AxisMap& cols, AxisMap& rows, const TRect& valid,
                         const TRect& bounds) {
  const auto [colMin, colMax] =
      std::minmax_element(cols.source.begin() + (valid.Left - bounds.Left),
                          cols.source.begin() + (valid.Right - bounds.Left));
  const auto [rowMin, rowMax] =
      std::minmax_element(rows.source.begin() + (valid.Top - bounds.Top),
                          rows.source.begin() + (valid.Bottom - bounds.Top));
  const int c0 = *colMin, r0 = *rowMin;
  DIBitmap aside(*colMax - c0 + 1, *rowMax - r0 + 1, source.BitsPerPixel(), RowOrder::TopDown);
  const size_t pixelBytes = static_cast<size_t>(source.BitsPerPixel() / 8);
  const size_t bytes = static_cast<size_t>(aside.Width()) * pixelBytes;
  for (int r = 0; r < aside.Height(); ++r)
    std::memcpy(aside.ScanLine(r), source.ScanLine(r0 + r) + static_cast<size_t>(c0) * pixelBytes,
                bytes);
  for (int& c : cols.source) c -= c0;
  for (int& r : rows.source) r -= r0;
  return aside;
}

}  // namespace

bool StretchBlt(HDC dst, int x, int y, int width, int height, HDC src, int srcX, int srcY,
                int srcWidth, int srcHeight, unsigned rop) {
  if (rop != SRCCOPY || !dst || !src) return false;
  DIBitmap* target = dst->Surface();
  const DIBitmap* source = src->Surface();
  if (!Drawable(target) || !Drawable(source)) return false;
  if (width == 0 || height == 0 || srcWidth == 0 || srcHeight == 0) return true;

  // A negative extent puts the rectangle on the other side of its point and mirrors the axis;
  // mirrored on both sides, the picture comes out upright.
  const bool mirrorX = (width < 0) != (srcWidth < 0);
  const bool mirrorY = (height < 0) != (srcHeight < 0);
  const int64_t dstW = width < 0 ? -int64_t{width} : width;
  const int64_t dstH = height < 0 ? -int64_t{height} : height;
  const int64_t srcW = srcWidth < 0 ? -int64_t{srcWidth} : srcWidth;
  const int64_t srcH = srcHeight < 0 ? -int64_t{srcHeight} : srcHeight;
  const Shift dstShift = LogicalToSurfaceShift(*dst);
  const Shift srcShift = LogicalToSurfaceShift(*src);
  const int64_t dstLeft = (width < 0 ? int64_t{x} + width : x) + dstShift.x;
  const int64_t dstTop = (height < 0 ? int64_t{y} + height : y) + dstShift.y;
  const int64_t srcLeft = (srcWidth < 0 ? int64_t{srcX} + srcWidth : srcX) + srcShift.x;
  const int64_t srcTop = (srcHeight < 0 ? int64_t{srcY} + srcHeight : srcY) + srcShift.y;

  const Box area =
      Box{dstLeft, dstTop, dstLeft + dstW, dstTop + dstH}.Intersected(BitmapBox(*target));
  if (area.IsEmpty()) return true;
  std::vector<TRect> rects = ClippedRects(dst->EffectiveClip(), area.ToRect());
  if (rects.empty()) return true;
  TRect bounds = rects.front();
  for (const TRect& r : rects) bounds = bounds.United(r);

  AxisMap cols =
      MapAxis(bounds.Left, bounds.Right, dstLeft, dstW, srcLeft, srcW, mirrorX, source->Width());
  AxisMap rows =
      MapAxis(bounds.Top, bounds.Bottom, dstTop, dstH, srcTop, srcH, mirrorY, source->Height());
  // Destination pixels whose source lies outside the source bitmap are left alone.
  const TRect valid{cols.validFrom, rows.validFrom, cols.validTo, rows.validTo};
  if (valid.IsEmpty()) return true;

  // Stretching within one bitmap reads what it writes in no useful order; the part of the
  // source in use is taken aside first.
  DIBitmap aside;
  const DIBitmap* from = source;
  if (source == target) {
    aside = TakeSourceAside(*source, cols, rows, valid, bounds);
    from = &aside;
  }

  const int dstBpp = target->BitsPerPixel() / 8;
  const int srcBpp = from->BitsPerPixel() / 8;
  // Byte offsets of the source columns, so the row loop is a table walk.
  for (int& c : cols.source) c *= srcBpp;
  const StretchRowFn copyRow = StretchRowFor(dstBpp, srcBpp);
  for (const TRect& clipRect : rects) {
    const TRect r = clipRect.Intersected(valid);
    if (r.IsEmpty()) continue;
    const size_t offset = static_cast<size_t>(r.Left) * dstBpp;
    const size_t bytes = static_cast<size_t>(r.Width()) * dstBpp;
    const int* offsets = cols.source.data() + (r.Left - bounds.Left);
    for (int row = r.Top; row < r.Bottom; ++row) {
      const int sourceRow = rows.source[static_cast<size_t>(row - bounds.Top)];
      uint8_t* out = target->ScanLine(row) + offset;
      // When enlarging, consecutive rows repeat one source row: copy the row just made.
      if (row > r.Top && sourceRow == rows.source[static_cast<size_t>(row - 1 - bounds.Top)])
        std::memcpy(out, target->ScanLine(row - 1) + offset, bytes);
      else
        copyRow(out, from->ScanLine(sourceRow), offsets, r.Width());
    }
  }
  return true;
}

}  // namespace platform
