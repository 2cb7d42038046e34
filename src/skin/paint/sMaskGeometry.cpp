#include "skin/paint/sMaskGeometry.h"

#include <algorithm>

#include "skin/data/sSkinTables.h"

namespace skin {

using framework::TBitmap;

TBitmap* MaskSource(const TsMaskData& mask) {
  TBitmap* source = mask.Bmp ? mask.Bmp.get() : nullptr;
  if (!source && mask.Tables) source = mask.Tables->MasterBitmap.get();
  return IsPaintable(source) ? source : nullptr;
}

namespace {

void FitPair(int extent, int& first, int& second) {
  if (extent >= first + second) return;
  const int d = (first + second - extent) / 2;
  first -= d;
  second -= d;
  if (extent % 2 != 0) second -= 1;
  first = std::max(first, 0);
  second = std::max(second, 0);
}

}  // namespace

void FitMargins(int width, int height, int& wl, int& wt, int& wr, int& wb) {
  FitPair(width, wl, wr);
  FitPair(height, wt, wb);
}

TsBorderLayout BorderLayout(const TsMaskData& mask, TsLook look, int width, int height) {
  TsBorderLayout l;
  l.WL = std::max<int>(mask.WL, 0);
  l.WT = std::max<int>(mask.WT, 0);
  l.WR = std::max<int>(mask.WR, 0);
  l.WB = std::max<int>(mask.WB, 0);
  FitMargins(width, height, l.WL, l.WT, l.WR, l.WB);
  const int count = std::max<int>(mask.ImageCount, 1);
  const int layers = std::clamp<int>(mask.MaskType, 0, 1) + 1;
  const int k = std::clamp<int>(look, 0, count - 1);
  l.w = mask.R.Width() / count;
  l.h = mask.R.Height() / layers;
  l.cw = std::max(l.w - l.WL - l.WR, 0);
  l.ch = l.h - l.WT - l.WB;
  l.sx = mask.R.Left + k * l.w;
  l.top = mask.R.Top;
  return l;
}

TsSpan PartSpan(const TRect& target, const TRect& source, const platform::DIBitmap& to,
                const platform::DIBitmap& from, int maskRows) {
  TsSpan span{target.Left,
              target.Top,
              source.Left,
              source.Top,
              std::min(target.Width(), source.Width()),
              std::min(target.Height(), source.Height())};
  const int left = std::min(span.x, span.sx);
  if (left < 0) {
    span.x -= left;
    span.sx -= left;
    span.columns += left;
  }
  const int top = std::min(span.y, span.sy);
  if (top < 0) {
    span.y -= top;
    span.sy -= top;
    span.rows += top;
  }
  span.columns = std::min({span.columns, to.Width() - span.x, from.Width() - span.sx});
  span.rows = std::min({span.rows, to.Height() - span.y, from.Height() - span.sy - maskRows});
  return span;
}

TsPartPlace PartPlace(TsBorderPart part, const TsBorderLayout& l, const TRect& t) {
  const int sxRight = l.sx + l.WL + l.cw;  // the right parts' first column in the picture
  const int syBottom = l.top + l.h - l.WB;
  switch (part) {
    case TsBorderPart::TopLeft:
      return {{l.sx, l.top, l.sx + l.WL, l.top + l.WT},
              {t.Left, t.Top, t.Left + l.WL, t.Top + l.WT},
              true};
    case TsBorderPart::Left:
      return {{l.sx, l.top + l.WT, l.sx + l.WL, l.top + l.WT + l.ch},
              {t.Left, t.Top + l.WT, t.Left + l.WL, t.Bottom - l.WB}};
    case TsBorderPart::Top:
      return {{l.sx + l.WL, l.top, l.sx + l.WL + l.cw, l.top + l.WT},
              {t.Left + l.WL, t.Top, t.Right - l.WR, t.Top + l.WT}};
    case TsBorderPart::BottomLeft:
      return {{l.sx, syBottom, l.sx + l.WL, l.top + l.h},
              {t.Left, t.Bottom - l.WB, t.Left + l.WL, t.Bottom},
              true};
    case TsBorderPart::Bottom:
      return {{l.sx + l.WL, syBottom, l.sx + l.WL + l.cw, l.top + l.h},
              {t.Left + l.WL, t.Bottom - l.WB, t.Right - l.WR, t.Bottom}};
    case TsBorderPart::BottomRight:
      return {{sxRight, syBottom, sxRight + l.WR, l.top + l.h},
              {t.Right - l.WR, t.Bottom - l.WB, t.Right, t.Bottom},
              true};
    case TsBorderPart::TopRight:
      return {{sxRight, l.top, sxRight + l.WR, l.top + l.WT},
              {t.Right - l.WR, t.Top, t.Right, t.Top + l.WT},
              true};
    case TsBorderPart::Right:
      return {{sxRight, l.top + l.WT, sxRight + l.WR, l.top + l.WT + l.ch},
              {t.Right - l.WR, t.Top + l.WT, t.Right, t.Bottom - l.WB}};
    case TsBorderPart::Centre:
      return {{l.sx + l.WL, l.top + l.WT, l.sx + l.WL + l.cw, l.top + l.WT + l.ch},
              {t.Left + l.WL, t.Top + l.WT, t.Right - l.WR, t.Bottom - l.WB}};
  }
  return {};
}

}  // namespace skin
