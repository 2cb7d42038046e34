#include "skin/data/sSkinScale.h"

#include <algorithm>
#include <limits>

#include "platform/drawing/Enlarge.h"
#include "skin/data/sMaskForms.h"
#include "skin/data/sSkinLoading.h"

namespace skin {

namespace {

void EnlargeBitmap(framework::TBitmap& bitmap, int factor) {
  bitmap.SetDIB(platform::Enlarged(bitmap.DIB(), factor));
}

int16_t Scaled16(int16_t value, int factor) { return Clamp16(value * factor); }

// Rectangles come from skin files and may hold any number: a product beyond int stays at its end
// (such a rectangle lies outside every picture either way, and the painters pass it over).
int Scaled(int value, int factor) {
  return static_cast<int>(std::clamp<long long>(static_cast<long long>(value) * factor,
                                                std::numeric_limits<int>::min(),
                                                std::numeric_limits<int>::max()));
}

void ScaleMask(TsMaskData& m, int factor) {
  if (m.Bmp) EnlargeBitmap(*m.Bmp, factor);
  m.R = {Scaled(m.R.Left, factor), Scaled(m.R.Top, factor), Scaled(m.R.Right, factor),
         Scaled(m.R.Bottom, factor)};
  m.BorderWidth = Scaled16(m.BorderWidth, factor);
  m.WL = Scaled16(m.WL, factor);
  m.WT = Scaled16(m.WT, factor);
  m.WR = Scaled16(m.WR, factor);
  m.WB = Scaled16(m.WB, factor);
}

}  // namespace

void ScaleSkinTables(int factor, TsSkinTables& tables, TsSkinData& skinData) {
  if (factor < 2) return;
  if (tables.MasterBitmap) EnlargeBitmap(*tables.MasterBitmap, factor);
  for (TsMaskData& m : tables.Masks) ScaleMask(m, factor);
  for (TsPatternData& p : tables.Patterns)
    if (p.Img) p.Img->Enlarge(factor);
  skinData.Shadow1Offset = Scaled(skinData.Shadow1Offset, factor);
  if (skinData.Shadow1Blur > 0) skinData.Shadow1Blur = Scaled(skinData.Shadow1Blur, factor);
}

}  // namespace skin
