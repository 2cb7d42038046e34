// The text shadow's mask: nearly full strength deep inside the text, fading at its edge, and pixels
// beyond its reach kept exactly (neither darkened by rounding nor touched at all).

#include <gtest/gtest.h>

#include "skin/paint/sTextShadow.h"
#include "tests/skin/paint/PaintTestSupport.h"

namespace skin::test {
namespace {

using platform::RGB;

TEST(TextShadow, NearlyFullInsideTheTextFadingAtItsEdgeAndExactBeyondItsReach) {
  // The "text": a white 7 x 7 block at (4, 4) on black, in a 20 x 20 picture.
  auto text = Plain(20, 20, platform::clBlack);
  for (int y = 4; y < 11; ++y)
    for (int x = 4; x < 11; ++x) text->DIB().SetPixel(x, y, platform::clWhite);
  TsShadowMask mask;
  mask.Build(text->DIB(), 20, 20, 2);

  const TColor under = RGB(200, 180, 160);
  auto picture = Plain(20, 20, under);
  mask.MixInto(picture->DIB(), platform::clBlue, std::nullopt);
  // The block's middle: the shadow colour, bar the little the last blur pass takes off.
  const TColor middle = At(*picture, 7, 7);
  EXPECT_LE(platform::GetRValue(middle), 8);
  EXPECT_GE(platform::GetBValue(middle), 250);
  const TColor edge = At(*picture, 3, 7);  // just outside the block: part way
  EXPECT_GT(platform::GetRValue(edge), 0);
  EXPECT_LT(platform::GetRValue(edge), 200);
  EXPECT_EQ(At(*picture, 18, 1), under);  // out of reach: exactly as it was
  EXPECT_EQ(At(*picture, 19, 19), under);

  // Over a background colour instead of the picture's own pixels.
  auto opaque = Plain(20, 20, under);
  mask.MixInto(opaque->DIB(), platform::clBlue, platform::clWhite);
  EXPECT_LE(platform::GetRValue(At(*opaque, 7, 7)), 8);
  EXPECT_EQ(At(*opaque, 18, 1), platform::clWhite);

  // No passes: no shadow at all, even where the text is.
  mask.Build(text->DIB(), 20, 20, 0);
  auto untouched = Plain(20, 20, under);
  mask.MixInto(untouched->DIB(), platform::clBlue, std::nullopt);
  EXPECT_TRUE(PixelsAre(*untouched, [&](int, int) { return under; }));
}

}  // namespace
}  // namespace skin::test
