#include "skin/paint/sCornerRepair.h"

#include <algorithm>

#include "framework/controls/WinControl.h"
#include "skin/data/sSkinTables.h"
#include "skin/paint/sBackground.h"
#include "skin/paint/sMaskGeometry.h"

namespace skin {

using framework::TBitmap;

namespace {

// The colour that stands for the parent, or the key colour when the parent's image is to be used.
TColor ParentColor(const TsCommonDataBase& data, const TCacheInfo& info) {
  framework::TWinControl* parent = data.OwnerControl ? data.OwnerControl->Parent() : nullptr;
  if (!parent) return kColorSlotUnset;
  if (!info.Ready) return platform::ColorToRGB(parent->Color());
  if (QuerySkinCommand(parent, SKC_HASPATTERNBG) || ColorSlot() != kColorSlotUnset)
    return kColorSlotUnset;
  AskParentColor(parent);
  return ColorSlot();
}

}  // namespace

void RepairCorners(TsCommonDataBase& data, TsLook look, unsigned corners) {
  const TsSkinTables* tables = data.SkinTables();
  const TsMaskData* border = tables ? tables->Mask(data.BorderMaskIndex) : nullptr;
  framework::TControl* owner = data.OwnerControl;
  if (!border || !IsPaintable(data.CacheBitmap.get()) || !owner || owner->Width() < 2 ||
      owner->Height() < 2)
    return;
  TCacheInfo info = data.GetParentCache();
  ColorSlot() = ParentColor(data, info);
  const TsMaskData& given = *border;
  const TBitmap* picture = MaskSource(given);
  TsMaskData mask;  // the geometry used: a picture of its own without states is three states
  mask.R = given.R;
  mask.ImageCount = given.ImageCount;
  mask.MaskType = given.MaskType;
  if (given.ImageCount == 0 && given.Bmp && picture) {
    mask.R = {0, 0, picture->Width(), picture->Height()};
    mask.ImageCount = 3;
    mask.MaskType = 1;
  }
  const TColor slot = ColorSlot();
  if (slot == kColorSlotUnset) {
    info.X += owner->Left();
    info.Y += owner->Top();
  }
  TacFast24* parent = nullptr;
  if (picture && slot == kColorSlotUnset && info.Ready && Fast24().Attach(info.Bitmap))
    parent = &Fast24();
  if (picture && (slot != kColorSlotUnset || parent)) {
    const int count = std::max<int>(mask.ImageCount, 1);
    const int w = mask.R.Width() / count;
    const int h = mask.R.Height() / (std::clamp<int>(mask.MaskType, 0, 1) + 1);
    // The state's column is found from the whole width, before it is divided: with a width
    // that does not divide evenly, later states start further right than whole state widths.
    const int sx = mask.R.Left + static_cast<int>(int64_t{std::clamp<int>(look, 0, count - 1)} *
                                                  mask.R.Width() / count);
    const int wc = owner->Width();
    const int hc = owner->Height();
    const int top = mask.R.Top;
    struct Piece {
      unsigned corner;
      TRect source;
      platform::TPoint at;
    };
    const Piece pieces[] = {
        {crTopLeft, {sx, top, sx + given.WL, top + given.WT}, {0, 0}},
        {crBottomLeft, {sx, top + h - given.WB, sx + given.WL, top + h}, {0, hc - given.WB}},
        {crTopRight, {sx + w - given.WR, top, sx + w, top + given.WT}, {wc - given.WR, 0}},
        {crBottomRight,
         {sx + w - given.WR, top + h - given.WB, sx + w, top + h},
         {wc - given.WR, hc - given.WB}}};
    const platform::DIBitmap& s = picture->DIB();
    platform::DIBitmap& cache = data.CacheBitmap->DIB();
    const TsBGR key = ColorToBGR(kKeyColor);
    const TsBGR fill = ColorToBGR(slot);
    for (const Piece& piece : pieces) {
      if (!(corners & piece.corner)) continue;
      for (int y = piece.source.Top; y < piece.source.Bottom; ++y) {
        const int cy = piece.at.Y + y - piece.source.Top;
        if (y < 0 || y >= s.Height() || cy < 0 || cy >= cache.Height()) continue;
        for (int x = piece.source.Left; x < piece.source.Right; ++x) {
          const int cx = piece.at.X + x - piece.source.Left;
          if (x < 0 || x >= s.Width() || cx < 0 || cx >= cache.Width()) continue;
          if (!PixelIs(s.ScanLine(y) + 3 * x, key)) continue;
          uint8_t* p = cache.ScanLine(cy) + 3 * cx;
          if (!parent) {
            p[0] = fill.B;
            p[1] = fill.G;
            p[2] = fill.R;
          } else if (parent->Contains(info.X + cx, info.Y + cy)) {
            const uint8_t* q = parent->Row(info.Y + cy) + 3 * (info.X + cx);
            p[0] = q[0];
            p[1] = q[1];
            p[2] = q[2];
          }
        }
      }
    }
  }
  ColorSlot() = kColorSlotUnset;
}

}  // namespace skin
