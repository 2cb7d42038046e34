#include "skin/paint/sTexture.h"

#include <algorithm>

#include "framework/graphics/JPEGImage.h"
#include "skin/paint/sBlending.h"
#include "skin/paint/sMaskGeometry.h"

namespace skin {

using framework::TBitmap;

namespace {

// Where the whole tiles of mode 10 end along one side of area: tiles are laid from `from` while
// they start before `to` - size, so a side of whole tiles leaves its last tile to the strip.
int WholeTilesEnd(int from, int to, int size) {
  const int64_t extent = int64_t{to} - from;
  if (size <= 0 || extent <= 0) return from;
  return static_cast<int>(from + (extent - 1) / size * size);
}

// The pixels of a pattern picture: a bitmap's own or a JPEG's decoded ones; nullptr for any other
// graphic.
const platform::DIBitmap* PixelsOf(const framework::TGraphic* picture) {
  if (auto* bitmap = dynamic_cast<const TBitmap*>(picture)) return &bitmap->DIB();
  if (auto* jpeg = dynamic_cast<const framework::TJPEGImage*>(picture)) return &jpeg->DIB();
  return nullptr;
}

// Tiles the tile of the picture over area, cut to area.
void TileOver(TBitmap* bitmap, const TRect& area, const platform::DIBitmap& picture,
              const TRect& tile) {
  ForEachTile(area, tile.Width(), tile.Height(), Bounds(bitmap), [&](const TRect& to) {
    CopyBlock(bitmap->DIB(), to.Left, to.Top, to.Width(), to.Height(), picture, tile.Left,
              tile.Top);
  });
}

}  // namespace

void TileImage(TBitmap* bitmap, const TRect& area, const framework::TGraphic* picture) {
  const platform::DIBitmap* pixels = PixelsOf(picture);
  if (!IsPaintable(bitmap) || !pixels || pixels->Empty()) return;
  TileOver(bitmap, area, *pixels, {0, 0, pixels->Width(), pixels->Height()});
}

void DrawTexture(TBitmap* bitmap, TRect& area, const framework::TGraphic* picture, int mode,
                 const TsMaskData* mask) {
  if (picture && !picture->Empty()) {
    TileImage(bitmap, area, picture);
    area = kCoveredAll;
    return;
  }
  if (!mask || !mask->Tables) return;
  const TBitmap* master = mask->Tables ? MaskSource(*mask) : nullptr;
  if (!master || !IsPaintable(bitmap)) return;
  const platform::DIBitmap& pixels = master->DIB();
  const TRect tile = mask->R;
  const int w = tile.Width();
  const int h = tile.Height();
  const TRect x = area;
  switch (mode) {
    case 0:
      TileOver(bitmap, x, pixels, tile);
      area = kCoveredAll;
      break;
    case 1:
      StretchBlock(bitmap, x, master, tile);
      area = kCoveredAll;
      break;
    case 2:
      TileOver(bitmap, {x.Left, x.Top, x.Right, std::min(x.Top + h, x.Bottom)}, pixels, tile);
      area = {x.Left, x.Top + h, x.Right, x.Bottom};
      break;
    case 3:
      TileOver(bitmap, {x.Left, x.Top, std::min(x.Left + w, x.Right), x.Bottom}, pixels, tile);
      area = {x.Left + w, x.Top, x.Right, x.Bottom};
      break;
    case 4:
      StretchBlock(bitmap, {x.Left, x.Top, x.Right, std::min(x.Top + h, x.Bottom)}, master,
                   {tile.Left, tile.Top, tile.Right, tile.Top + std::min(h, x.Bottom - x.Top)});
      area = {x.Left, x.Top + h, x.Right, x.Bottom};
      break;
    case 5:
      StretchBlock(bitmap, {x.Left, x.Top, std::min(x.Left + w, x.Right), x.Bottom}, master,
                   {tile.Left, tile.Top, tile.Left + std::min(w, x.Right - x.Left), tile.Bottom});
      area = {x.Left + w, x.Top, x.Right, x.Bottom};
      break;
    case 6:
      TileOver(bitmap, {x.Left, std::max(x.Bottom - h, x.Top), x.Right, x.Bottom}, pixels, tile);
      area = {x.Left, x.Top, x.Right, x.Bottom - h};
      break;
    case 7:
      TileOver(bitmap, x, pixels, tile);
      area = {x.Left, x.Top, x.Right - w, x.Bottom};
      break;
    case 10:
      // Whole tiles in height only: the strip below the last whole row stays as it was.
      if (h > 0)
        TileOver(bitmap, {x.Left, x.Top, x.Right, WholeTilesEnd(x.Top, x.Bottom, h)}, pixels, tile);
      area = kCoveredAll;
      break;
    default: break;
  }
}

void PutMaskedTile(TBitmap* bitmap, const TRect& target, const TRect& source,
                   const TBitmap* picture, int maskRows, const TCacheInfo& info, TColor fill) {
  if (!IsPaintable(bitmap) || !IsPaintable(picture)) return;
  const platform::DIBitmap& s = picture->DIB();
  platform::DIBitmap& t = bitmap->DIB();
  const TsSpan span = PartSpan(target, source, t, s, maskRows);
  const int x = span.x, y = span.y, sx = span.sx, sy = span.sy;
  const int columns = span.columns, rows = span.rows;
  if (columns < 1 || rows < 1) return;
  const TsBGR fillBytes = ColorToBGR(fill);
  const TsBGR key = ColorToBGR(kKeyColor);
  TacFast24* parent = nullptr;
  if (fill == kKeyColor && info.Ready && Fast24().Attach(info.Bitmap)) parent = &Fast24();
  for (int i = 0; i < rows; ++i) {
    const uint8_t* sp = s.ScanLine(sy + i) + 3 * sx;
    const uint8_t* mp = s.ScanLine(sy + i + maskRows) + 3 * sx;
    uint8_t* tp = t.ScanLine(y + i) + 3 * x;
    for (int j = 0; j < columns; ++j, sp += 3, mp += 3, tp += 3) {
      if (!PixelIs(sp, key)) {
        for (int c = 0; c < 3; ++c) tp[c] = MaskMix(tp[c], sp[c], mp[c]);
      } else if (fill != kKeyColor) {
        tp[0] = fillBytes.B;
        tp[1] = fillBytes.G;
        tp[2] = fillBytes.R;
      } else if (parent && parent->Contains(info.X + x + j, info.Y + y + i)) {
        const uint8_t* pp = parent->Row(info.Y + y + i) + 3 * (info.X + x + j);
        tp[0] = pp[0];
        tp[1] = pp[1];
        tp[2] = pp[2];
      }
    }
  }
}

void DrawMaskedTexture(TBitmap* bitmap, TRect& area, const TCacheInfo& info, int mode,
                       const TsMaskData& mask, TColor maskFill) {
  const TRect x = area;
  area = kCoveredAll;
  if (mode != 0 && mode != 10) return;
  const TBitmap* picture = MaskSource(mask);
  if (!picture || !IsPaintable(bitmap)) return;
  const int w = mask.R.Width() / std::max<int>(mask.ImageCount, 1);
  const int h = mask.R.Height() / 2;
  if (w <= 0 || h <= 0) return;
  const TRect tile{mask.R.Left, mask.R.Top, mask.R.Left + w, mask.R.Top + h};
  // Whole rows only; the last column is cut at the area's right edge.
  const int wholeRowsEnd = WholeTilesEnd(x.Top, x.Bottom, h);
  ForEachTile({x.Left, x.Top, x.Right, wholeRowsEnd}, w, h, Bounds(bitmap), [&](const TRect& to) {
    PutMaskedTile(bitmap, to, tile, picture, h, info, maskFill);
  });
  if (mode != 10) return;
  // Mode 10 shows whole tiles only: the strip right of the last whole column (over the cut one)
  // and the strip below the last whole row show the parent, or the fill colour without one.
  const int wholeColumnsEnd = WholeTilesEnd(x.Left, x.Right, w);
  for (const TRect& strip : {TRect{wholeColumnsEnd, x.Top, x.Right, wholeRowsEnd},
                             TRect{x.Left, wholeRowsEnd, x.Right, x.Bottom}}) {
    if (strip.Width() < 1 || strip.Height() < 1) continue;
    if (info.Ready && info.Bitmap) {
      CopyBlock(bitmap, strip.Left, strip.Top, strip.Width(), strip.Height(), info.Bitmap,
                info.X + strip.Left, info.Y + strip.Top);
    } else {
      platform::DeviceContext dc(&bitmap->DIB());
      FillSolid(&dc, strip, maskFill);
    }
  }
}

void PutMaskedFromBitmap(const TRect& target, const TRect& source, TBitmap* bitmap, bool useParent,
                         const TCacheInfo& info, const TBitmap* picture) {
  if (!IsPaintable(bitmap) || !IsPaintable(picture)) return;
  try {
    const int maskRows = picture->Height() / 2;
    const platform::DIBitmap& s = picture->DIB();
    platform::DIBitmap& t = bitmap->DIB();
    const TsSpan span = PartSpan(target, source, t, s, maskRows);
    const int x = span.x, y = span.y, sx = span.sx, sy = span.sy;
    const int columns = span.columns, rows = span.rows;
    if (columns < 1 || rows < 1) return;
    const TsBGR key = ColorToBGR(kKeyColor);
    TacFast24* parent = nullptr;
    if (info.Ready && useParent) {
      if (!Fast24().Attach(info.Bitmap)) return;
      parent = &Fast24();
    }
    for (int i = 0; i < rows; ++i) {
      const uint8_t* sp = s.ScanLine(sy + i) + 3 * sx;
      const uint8_t* mp = s.ScanLine(sy + i + maskRows) + 3 * sx;
      uint8_t* tp = t.ScanLine(y + i) + 3 * x;
      for (int j = 0; j < columns; ++j, sp += 3, mp += 3, tp += 3) {
        if (info.Ready && PixelIs(sp, key)) {
          if (parent && CopyParentPixel(*parent, info.X + x + j, info.Y + y + i, tp) ==
                            TsParentPixel::EndOfRow)
            break;
          continue;
        }
        for (int c = 0; c < 3; ++c) tp[c] = MaskMix(tp[c], sp[c], mp[c]);
      }
    }
  } catch (const std::exception&) {
  }
}

}  // namespace skin
