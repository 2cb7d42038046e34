#include "skin/paint/sPixelAccess.h"

#include <algorithm>
#include <cstring>

#include "platform/drawing/DeviceContext.h"

namespace skin {

using framework::TBitmap;

namespace {

void RequireBgr(const TBitmap* bitmap) {
  if (bitmap->DIB().BitsPerPixel() != 24) throw EAssertionFailed("Bitmap format is not supported");
}

bool TooSmall(const TBitmap* bitmap) {
  return !bitmap || bitmap->Width() < 2 || bitmap->Height() < 2;
}

// destination = (destination * w + source * (255 - w) + 127) >> 8 over a run of bytes. The
// fading animation mixes whole bitmaps every 10 milliseconds, so the run is worked 32 bytes at a
// time (on processors with AVX2 in one register) as sixteen 16-bit words: the even bytes in the
// low halves, the odd bytes in the high halves, with no shuffling between lanes. Each half needs
// one multiplication, from the same sum rewritten as s * 255 + (d - s) * w + 127: taken modulo
// 65536 the signed product wraps, but the sum itself always lies in 0..65152, so the wrapped
// arithmetic gives it exactly.
using Words = uint16_t __attribute__((vector_size(32)));

__attribute__((target_clones("avx2", "default"))) void MixRun(uint8_t* __restrict d,
                                                              const uint8_t* __restrict s,
                                                              ptrdiff_t count, uint8_t weight) {
  const uint16_t w = weight;
  const Words low = (Words){} + 0x00FF;
  const Words high = (Words){} + 0xFF00;
  ptrdiff_t b = 0;
  for (; b + static_cast<ptrdiff_t>(sizeof(Words)) <= count; b += sizeof(Words)) {
    Words dw;
    Words sw;
    std::memcpy(&dw, d + b, sizeof dw);
    std::memcpy(&sw, s + b, sizeof sw);
    const Words se = sw & low;
    const Words so = sw >> 8;
    const Words even = ((se << 8) - se + 127 + ((dw & low) - se) * w) >> 8;
    const Words odd = ((sw & high) - so + 127 + ((dw >> 8) - so) * w) & high;
    const Words mixed = even | odd;
    std::memcpy(d + b, &mixed, sizeof mixed);
  }
  const uint16_t v = static_cast<uint16_t>(255 - weight);
  for (; b < count; ++b)
    d[b] = static_cast<uint8_t>(static_cast<uint16_t>(d[b] * w + s[b] * v + 127) >> 8);
}

void MixRunBackwards(uint8_t* d, const uint8_t* s, ptrdiff_t count, uint8_t weight) {
  const unsigned w = weight;
  const unsigned v = 255u - weight;
  for (ptrdiff_t b = count - 1; b >= 0; --b)
    d[b] = static_cast<uint8_t>((d[b] * w + s[b] * v + 127u) >> 8);
}

}  // namespace

bool TacFast24::Attach(TBitmap* bitmap) {
  if (TooSmall(bitmap)) {
    Width = 0;
    return false;
  }
  Width = bitmap->Width();
  Height = bitmap->Height();
  RequireBgr(bitmap);
  Bitmap = bitmap;
  Row0 = bitmap->DIB().ScanLine(0);
  Stride = bitmap->DIB().Stride();
  return true;
}

bool TacFastSum24::Attach(TBitmap* source, TBitmap* destination) {
  if (TooSmall(source) || TooSmall(destination)) return false;
  RequireBgr(source);
  RequireBgr(destination);
  Src = source;
  Dst = destination;
  srcWidth_ = source->Width();
  srcHeight_ = source->Height();
  dstWidth_ = destination->Width();
  dstHeight_ = destination->Height();
  Width = std::min(srcWidth_, dstWidth_);
  Height = std::min(srcHeight_, dstHeight_);
  SrcRow0 = source->DIB().ScanLine(0);
  SrcStride = source->DIB().Stride();
  DstRow0 = destination->DIB().ScanLine(0);
  DstStride = destination->DIB().Stride();
  return true;
}

void TacFastSum24::Mix() {
  if (!Src || !Dst) return;
  // The pairing of the rectangles: destination (x, y) takes source (x - dx, y - dy). Whatever of
  // it lies outside either bitmap is cut off; the rest mixes exactly as the full rectangle would.
  const int dx = DstX1 - SrcX1;
  const int dy = DstY1 - SrcY1;
  const int x1 = std::max({DstX1, 0, dx});
  const int x2 = std::min({DstX2, dstWidth_, srcWidth_ + dx});
  const int y1 = std::max({DstY1, 0, dy});
  const int y2 = std::min({DstY2, dstHeight_, srcHeight_ + dy});
  if (x2 <= x1 || y2 <= y1) return;
  const ptrdiff_t first = static_cast<ptrdiff_t>(x1) * 3;
  const ptrdiff_t count = static_cast<ptrdiff_t>(x2 - x1) * 3;
  const ptrdiff_t shift = static_cast<ptrdiff_t>(dx) * 3;
  // Each destination byte depends on itself and its source byte only, so the order of the walk
  // shows only when a bitmap is mixed into itself at an offset: then the bytes are walked from the
  // bottom right, as the mix is defined; otherwise rows are mixed in runs the compiler can work
  // many bytes at a time, with the same results.
  const bool overlapping = Src == Dst && (dx != 0 || dy != 0);
  if (!overlapping && dx == 0 && x1 == 0 && x2 == dstWidth_ && x2 == srcWidth_ &&
      DstStride == SrcStride) {
    // Whole rows of two bitmaps laid out alike: one run over the block of rows, padding included
    // (padding mixed with padding stays as it was: 0 with 0 gives 0).
    const ptrdiff_t rows = y2 - y1;
    const ptrdiff_t top = DstStride < 0 ? y2 - 1 : y1;  // the row at the lowest address
    MixRun(DstRow0 + top * DstStride, SrcRow0 + (top - dy) * SrcStride,
           rows * (DstStride < 0 ? -DstStride : DstStride), Weight);
    return;
  }
  for (int y = y2 - 1; y >= y1; --y) {
    uint8_t* d = DstRow0 + y * DstStride + first;
    const uint8_t* s = SrcRow0 + (y - dy) * SrcStride + first - shift;
    if (overlapping)
      MixRunBackwards(d, s, count, Weight);
    else
      MixRun(d, s, count, Weight);
  }
}

TacFast24& Fast24() {
  static TacFast24 shared;
  return shared;
}

TacFastSum24& FastSum24() {
  static TacFastSum24 shared;
  return shared;
}

namespace {

// A bitmap of the size and depth, made in one step, its pixels white as the framework makes new
// pixels (setting the width and then the height would make and fill the pixels twice).
std::unique_ptr<TBitmap> NewWhiteBitmap(int width, int height, int bitsPerPixel) {
  platform::DIBitmap dib(std::max(width, 0), std::max(height, 0), bitsPerPixel);
  const int bytes = bitsPerPixel / 8;
  // A bitmap without width has no rows to fill (and no memory to point at).
  for (int y = 0; y < dib.Height() && !dib.Empty(); ++y) {
    uint8_t* row = dib.ScanLine(y);
    std::memset(row, 0xFF, static_cast<size_t>(dib.Width()) * bytes);
    // The fourth byte of a 32-bit pixel stays 0, as converting from 24 bits leaves it.
    if (bytes == 4)
      for (int x = 0; x < dib.Width(); ++x) row[4 * x + 3] = 0;
  }
  auto bitmap = std::make_unique<TBitmap>();
  bitmap->SetDIB(std::move(dib));
  bitmap->SetHandleType(framework::bmDIB);
  return bitmap;
}

}  // namespace

std::unique_ptr<TBitmap> NewBitmap24(int width, int height) {
  return NewWhiteBitmap(width, height, 24);
}

std::unique_ptr<TBitmap> NewBitmap32(int width, int height) {
  return NewWhiteBitmap(width, height, 32);
}

void CopyBlock(TBitmap* destination, int x, int y, int width, int height, const TBitmap* source,
               int sx, int sy) {
  if (!IsPaintable(destination) || !IsPaintable(source)) return;
  CopyBlock(destination->DIB(), x, y, width, height, source->DIB(), sx, sy);
}

void CopyBlock(platform::DIBitmap& d, int x, int y, int width, int height,
               const platform::DIBitmap& s, int sx, int sy) {
  if (d.BitsPerPixel() != 24 || s.BitsPerPixel() != 24) return;
  // Cut the block to the parts of both bitmaps it covers.
  if (x < 0) {
    width += x;
    sx -= x;
    x = 0;
  }
  if (sx < 0) {
    width += sx;
    x -= sx;
    sx = 0;
  }
  if (y < 0) {
    height += y;
    sy -= y;
    y = 0;
  }
  if (sy < 0) {
    height += sy;
    y -= sy;
    sy = 0;
  }
  width = std::min({width, d.Width() - x, s.Width() - sx});
  height = std::min({height, d.Height() - y, s.Height() - sy});
  if (width <= 0 || height <= 0) return;
  for (int i = 0; i < height; ++i)
    std::memmove(d.ScanLine(y + i) + 3 * x, s.ScanLine(sy + i) + 3 * sx,
                 static_cast<size_t>(width) * 3);
}

void StretchBlock(TBitmap* destination, const TRect& to, const TBitmap* source, const TRect& from) {
  if (!IsPaintable(destination) || !IsPaintable(source) || to.IsEmpty() || from.IsEmpty()) return;
  // The drawing layer reads the source through a context but never writes it.
  platform::DeviceContext dst(&destination->DIB());
  platform::DeviceContext src(const_cast<platform::DIBitmap*>(&source->DIB()));
  platform::StretchBlt(&dst, to.Left, to.Top, to.Width(), to.Height(), &src, from.Left, from.Top,
                       from.Width(), from.Height(), platform::SRCCOPY);
}

bool IsPaintable(const TBitmap* bitmap) {
  return bitmap && !bitmap->Empty() && bitmap->DIB().BitsPerPixel() == 24;
}

}  // namespace skin
