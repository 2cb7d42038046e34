#include "skin/paint/sBorderMask.h"

#include <algorithm>
#include <cstring>

#include "skin/paint/sKeyedCopy.h"
#include "skin/paint/sMaskGeometry.h"

namespace skin {

using framework::TBitmap;

namespace {

constexpr TsBorderPart kPaintOrder[] = {
    TsBorderPart::TopLeft,    TsBorderPart::Left,   TsBorderPart::Top,
    TsBorderPart::BottomLeft, TsBorderPart::Bottom, TsBorderPart::BottomRight,
    TsBorderPart::TopRight,   TsBorderPart::Right,  TsBorderPart::Centre};
constexpr TsBorderPart kRegionOrder[] = {
    TsBorderPart::TopLeft,     TsBorderPart::BottomLeft, TsBorderPart::Left,
    TsBorderPart::Top,         TsBorderPart::Bottom,     TsBorderPart::Right,
    TsBorderPart::BottomRight, TsBorderPart::TopRight,   TsBorderPart::Centre};

void PaintOneLayerPart(TBitmap* bitmap, const TsPartPlace& place, const TsMaskData& mask,
                       const TBitmap* picture, bool useParent, const TCacheInfo& info) {
  if (place.corner) {
    PutKeyedOrParent(
        bitmap, const_cast<TBitmap*>(picture), place.target.Left, useParent, info, kKeyColor,
        {place.source.Left, place.source.Top, place.source.Right - 1, place.source.Bottom - 1},
        place.target.Top);
  } else if (mask.DrawMode != 0) {
    StretchBlock(bitmap, place.target, picture, place.source);
  } else {
    ForEachTile(place.target, place.source.Width(), place.source.Height(), Bounds(bitmap),
                [&](const TRect& tile) {
                  CopyBlock(bitmap, tile.Left, tile.Top, tile.Width(), tile.Height(), picture,
                            place.source.Left, place.source.Top);
                });
  }
}

// One part of the region variant: corners cut their key-coloured runs out of the region, every
// other pixel is copied (one layer) or mixed (two layers, mask band maskRows lower).
void PaintRegionPart(TBitmap* bitmap, platform::Region& region, const TRect& target,
                     const TRect& source, const TBitmap* picture, int maskRows, bool corner) {
  const platform::DIBitmap& s = picture->DIB();
  platform::DIBitmap& t = bitmap->DIB();
  const TsSpan span = PartSpan(target, source, t, s, maskRows);
  if (span.rows < 1 || span.columns < 1) return;
  const TsBGR key = ColorToBGR(kKeyColor);
  for (int i = 0; i < span.rows; ++i) {
    const uint8_t* sp = s.ScanLine(span.sy + i) + 3 * span.sx;
    const uint8_t* mp = maskRows ? s.ScanLine(span.sy + i + maskRows) + 3 * span.sx : nullptr;
    uint8_t* tp = t.ScanLine(span.y + i) + 3 * span.x;
    const int row = span.y + i;
    if (!corner) {
      // Edges and centre: no key test, the whole row at once.
      const ptrdiff_t bytes = static_cast<ptrdiff_t>(span.columns) * 3;
      if (mp)
        MaskMixRun(tp, sp, mp, bytes);
      else
        std::memcpy(tp, sp, static_cast<size_t>(bytes));
      continue;
    }
    int runStart = -1;
    for (int j = 0; j < span.columns; ++j, sp += 3, tp += 3) {
      if (corner && PixelIs(sp, key)) {
        if (runStart < 0) runStart = span.x + j;
        continue;
      }
      if (runStart >= 0) {
        region = region.Subtracted(TRect{runStart, row, span.x + j, row + 1});
        runStart = -1;
      }
      if (mp) {
        const uint8_t* m = mp + 3 * j;
        for (int c = 0; c < 3; ++c) tp[c] = MaskMix(tp[c], sp[c], m[c]);
      } else {
        tp[0] = sp[0];
        tp[1] = sp[1];
        tp[2] = sp[2];
      }
    }
    if (runStart >= 0)
      region = region.Subtracted(TRect{runStart, row, span.x + span.columns, row + 1});
  }
}

}  // namespace

void PutMaskPart(const TRect& target, const TRect& source, TBitmap* bitmap, const TsMaskData& mask,
                 TsMaskPart part, const TCacheInfo& info, const TBitmap* picture, TColor fill) {
  if (!IsPaintable(bitmap) || !IsPaintable(picture)) return;
  try {
    const int maskRows = mask.R.Height() / 2;
    const platform::DIBitmap& s = picture->DIB();
    platform::DIBitmap& t = bitmap->DIB();
    const TsSpan span = PartSpan(target, source, t, s, maskRows);
    if (span.rows < 1 || span.columns < 1) return;
    TacFast24* parent = nullptr;
    const bool corner = part == mpCorner;
    if (corner && info.Ready) {
      if (!Fast24().Attach(info.Bitmap)) return;
      parent = &Fast24();
    }
    if (!corner) {
      // Edges and centre: every pixel mixed, row by row.
      for (int i = 0; i < span.rows; ++i)
        MaskMixRun(t.ScanLine(span.y + i) + 3 * span.x, s.ScanLine(span.sy + i) + 3 * span.sx,
                   s.ScanLine(span.sy + i + maskRows) + 3 * span.sx,
                   static_cast<ptrdiff_t>(span.columns) * 3);
      return;
    }
    const TsBGR key = ColorToBGR(kKeyColor);
    const TsBGR fillBytes = ColorToBGR(fill);
    for (int i = 0; i < span.rows; ++i) {
      const int row = span.y + i;
      const uint8_t* sp = s.ScanLine(span.sy + i) + 3 * span.sx;
      const uint8_t* mp = s.ScanLine(span.sy + i + maskRows) + 3 * span.sx;
      uint8_t* tp = t.ScanLine(row) + 3 * span.x;
      for (int j = 0; j < span.columns; ++j, sp += 3, mp += 3, tp += 3) {
        if (PixelIs(sp, key)) {
          if (parent) {
            if (CopyParentPixel(*parent, info.X + span.x + j, info.Y + row, tp) ==
                TsParentPixel::EndOfRow)
              break;
          } else if (fill != kKeyColor) {
            tp[0] = fillBytes.B;
            tp[1] = fillBytes.G;
            tp[2] = fillBytes.R;
          } else {
            tp[0] = key.B;
            tp[1] = key.G;
            tp[2] = key.R;
          }
          continue;
        }
        for (int c = 0; c < 3; ++c) tp[c] = MaskMix(tp[c], sp[c], mp[c]);
      }
    }
  } catch (const std::exception&) {
  }
}

void DrawBorderMask(TBitmap* bitmap, const TRect& target, TsBorderFlags border, TsLook look,
                    const TsMaskData& mask, const TCacheInfo& info, TColor maskFill) {
  if (!IsPaintable(bitmap) || target.Width() < 2 || target.Height() < 2 || !mask.Tables) return;
  const TBitmap* picture = MaskSource(mask);
  if (!picture) return;
  const TsBorderLayout l = BorderLayout(mask, look, target.Width(), target.Height());
  if (l.ch < 0) return;
  const bool twoLayers = mask.MaskType != 0;
  for (TsBorderPart part : kPaintOrder) {
    if (part == TsBorderPart::Centre &&
        (!(border & bfFillCentre) || (!twoLayers && mask.BorderWidth != 0)))
      continue;
    const TsPartPlace place = PartPlace(part, l, target);
    if (!twoLayers) {
      PaintOneLayerPart(bitmap, place, mask, picture, (border & bfShowParent) != 0, info);
      continue;
    }
    // Two-layer parts are always tiled, whatever the draw mode.
    ForEachTile(place.target, place.source.Width(), place.source.Height(), Bounds(bitmap),
                [&](const TRect& tile) {
                  PutMaskPart(tile, place.source, bitmap, mask, place.corner ? mpCorner : mpEdge,
                              info, picture, maskFill);
                });
  }
}

void DrawBorderMaskWithRegion(TBitmap* bitmap, platform::Region& region, TsBorderFlags border,
                              TsLook look, const TsMaskData& mask) {
  if (!IsPaintable(bitmap) || bitmap->Width() < 2 || bitmap->Height() < 2 || !mask.Tables) return;
  const TBitmap* picture = MaskSource(mask);
  if (!picture) return;
  TsMaskData own;  // a mask with its own picture and no state count covers that whole picture
  const TsMaskData* m = &mask;
  if (mask.Bmp && mask.ImageCount < 1) {
    own.R = {0, 0, picture->Width(), picture->Height()};
    own.ImageCount = 1;
    own.MaskType = mask.MaskType;
    own.WL = mask.WL;
    own.WT = mask.WT;
    own.WR = mask.WR;
    own.WB = mask.WB;
    m = &own;
  }
  const TRect target{0, 0, bitmap->Width(), bitmap->Height()};
  const TsBorderLayout l = BorderLayout(*m, look, target.Width(), target.Height());
  if (l.ch < 0) return;
  const int maskRows = m->MaskType != 0 ? l.h : 0;
  try {
    for (TsBorderPart part : kRegionOrder) {
      if (part == TsBorderPart::Centre && !(border & bfFillCentre)) continue;
      const TsPartPlace place = PartPlace(part, l, target);
      ForEachTile(place.target, place.source.Width(), place.source.Height(), target,
                  [&](const TRect& tile) {
                    PaintRegionPart(bitmap, region, tile, place.source, picture, maskRows,
                                    place.corner);
                  });
    }
  } catch (const std::exception&) {
  }
}

}  // namespace skin
