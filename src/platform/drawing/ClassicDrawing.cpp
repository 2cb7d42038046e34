#include "platform/drawing/ClassicDrawing.h"

#include <array>

#include "platform/drawing/DIBitmap.h"

namespace platform {

namespace {

constexpr TColor kNone = clNone;
constexpr TColor kFace = clBtnFace;
constexpr TColor kLight = cl3DLight;
constexpr TColor kHigh = clBtnHighlight;
constexpr TColor kShadow = clBtnShadow;
constexpr TColor kDark = cl3DDkShadow;

// The ring colours of each edge combination, indexed by (edge & 15): the inner bits pick the row,
// the outer bits the column. Where only an inner edge is asked for, it takes the outer ring's
// place.
using EdgeTable = std::array<TColor, 16>;
constexpr EdgeTable kOuterTopLeft = {kNone, kLight, kShadow, kNone, kHigh, kLight, kShadow, kNone,
                                     kDark, kLight, kShadow, kNone, kNone, kLight, kShadow, kNone};
constexpr EdgeTable kOuterTopLeftSoft = {kNone,   kHigh, kDark, kNone, kLight, kHigh, kDark, kNone,
                                         kShadow, kHigh, kDark, kNone, kNone,  kHigh, kDark, kNone};
constexpr EdgeTable kOuterBottomRight = {kNone,  kDark, kHigh, kNone, kShadow, kDark, kHigh, kNone,
                                         kLight, kDark, kHigh, kNone, kNone,   kDark, kHigh, kNone};
constexpr EdgeTable kInnerTopLeft = {kNone, kNone, kNone, kNone, kNone, kHigh, kHigh, kNone,
                                     kNone, kDark, kDark, kNone, kNone, kNone, kNone, kNone};
constexpr EdgeTable kInnerTopLeftSoft = {kNone,  kNone, kNone, kNone,   kNone,   kLight,
                                         kLight, kNone, kNone, kShadow, kShadow, kNone,
                                         kNone,  kNone, kNone, kNone};
constexpr EdgeTable kInnerBottomRight = {kNone,   kNone, kNone, kNone,  kNone,  kShadow,
                                         kShadow, kNone, kNone, kLight, kLight, kNone,
                                         kNone,   kNone, kNone, kNone};

void Fill(HDC dc, const TRect& r, TColor color) {
  if (!r.IsEmpty()) FillRect(dc, r, CreateSolidBrush(ColorToRGB(color)));
}

// One ring on the outline of r, the sides chosen by flags. The lower-right colour is drawn last, so
// the top-right and bottom-left corners take it.
void Ring(HDC dc, const TRect& r, TColor topLeft, TColor bottomRight, unsigned sides) {
  if (r.IsEmpty()) return;
  if (topLeft != kNone) {
    if (sides & BF_TOP) Fill(dc, {r.Left, r.Top, r.Right, r.Top + 1}, topLeft);
    if (sides & BF_LEFT) Fill(dc, {r.Left, r.Top, r.Left + 1, r.Bottom}, topLeft);
  }
  if (bottomRight != kNone) {
    if (sides & BF_BOTTOM) Fill(dc, {r.Left, r.Bottom - 1, r.Right, r.Bottom}, bottomRight);
    if (sides & BF_RIGHT) Fill(dc, {r.Right - 1, r.Top, r.Right, r.Bottom}, bottomRight);
  }
}

// Each side that has a ring moves in by one.
TRect Shrunk(const TRect& r, unsigned sides) {
  TRect out = r;
  if (sides & BF_LEFT) ++out.Left;
  if (sides & BF_TOP) ++out.Top;
  if (sides & BF_RIGHT) --out.Right;
  if (sides & BF_BOTTOM) --out.Bottom;
  return out;
}

}  // namespace

void DrawEdge(HDC dc, TRect& rect, unsigned edge, unsigned flags, int ringWidth) {
  const unsigned index = edge & 15u;
  TColor outerTopLeft = (flags & BF_SOFT) ? kOuterTopLeftSoft[index] : kOuterTopLeft[index];
  TColor outerBottomRight = kOuterBottomRight[index];
  TColor innerTopLeft = (flags & BF_SOFT) ? kInnerTopLeftSoft[index] : kInnerTopLeft[index];
  TColor innerBottomRight = kInnerBottomRight[index];
  const bool hasOuter = outerTopLeft != kNone || outerBottomRight != kNone;
  const bool hasInner = innerTopLeft != kNone || innerBottomRight != kNone;
  if (flags & (BF_MONO | BF_FLAT)) {
    // One colour per ring instead of light and shade.
    const TColor outer = (flags & BF_MONO) ? clWindowFrame : kShadow;
    const TColor inner = (flags & BF_MONO) ? clWindow : kFace;
    outerTopLeft = outerBottomRight = hasOuter ? outer : kNone;
    innerTopLeft = innerBottomRight = hasInner ? inner : kNone;
  }
  const unsigned sides = flags & BF_RECT;
  TRect inside = rect;
  for (int i = 0; hasOuter && i < ringWidth; ++i) {
    Ring(dc, inside, outerTopLeft, outerBottomRight, sides);
    inside = Shrunk(inside, sides);
  }
  for (int i = 0; hasInner && i < ringWidth; ++i) {
    Ring(dc, inside, innerTopLeft, innerBottomRight, sides);
    inside = Shrunk(inside, sides);
  }
  if (flags & BF_MIDDLE) Fill(dc, inside, (flags & BF_MONO) ? clWindow : kFace);
  if (flags & BF_ADJUST) rect = inside;
}

void Frame3D(HDC dc, TRect& rect, TColor topColor, TColor bottomColor, int width) {
  for (; width > 0 && !rect.IsEmpty(); --width) {
    Ring(dc, rect, topColor, bottomColor, BF_RECT);
    rect = rect.Inflated(-1, -1);
  }
}

namespace {

// Inverts the pixels of r whose distance from `origin`, counted along x and y together, has the
// given parity (step 2), or every pixel (step 1). The pixels are copied out, inverted row by row
// and copied back, so the result shows against any background.
void InvertPixels(HDC dc, const TRect& r, TPoint origin, int step) {
  if (r.IsEmpty()) return;
  DIBitmap strip(r.Width(), r.Height(), 24, RowOrder::TopDown);
  DeviceContext mem(&strip);
  BitBlt(&mem, 0, 0, r.Width(), r.Height(), dc, r.Left, r.Top, SRCCOPY);
  for (int y = 0; y < r.Height(); ++y) {
    uint8_t* row = strip.ScanLine(y);
    const int first = step == 1 ? 0 : ((r.Left - origin.X) + (r.Top + y - origin.Y)) & 1;
    for (int x = first; x < r.Width(); x += step) {
      uint8_t* px = row + static_cast<ptrdiff_t>(x) * 3;
      px[0] = static_cast<uint8_t>(~px[0]);
      px[1] = static_cast<uint8_t>(~px[1]);
      px[2] = static_cast<uint8_t>(~px[2]);
    }
  }
  BitBlt(dc, r.Left, r.Top, r.Width(), r.Height(), &mem, 0, 0, SRCCOPY);
}

}  // namespace

void InvertRect(HDC dc, const TRect& rect) {
  if (dc) InvertPixels(dc, rect, rect.TopLeft(), 1);
}

void DrawFocusRect(HDC dc, const TRect& rect) {
  if (!dc || rect.IsEmpty()) return;
  // The four sides; a dot falls where the distance from the top-left corner is even.
  const TRect strips[4] = {
      {rect.Left, rect.Top, rect.Right, rect.Top + 1},
      {rect.Left, rect.Bottom - 1, rect.Right, rect.Bottom},
      {rect.Left, rect.Top + 1, rect.Left + 1, rect.Bottom - 1},
      {rect.Right - 1, rect.Top + 1, rect.Right, rect.Bottom - 1},
  };
  // A one-pixel-high or -wide rectangle has no second side to draw over the first.
  const int stripCount = rect.Height() == 1 ? 1 : rect.Width() == 1 ? 3 : 4;
  for (int s = 0; s < stripCount; ++s) InvertPixels(dc, strips[s], rect.TopLeft(), 2);
}

}  // namespace platform
