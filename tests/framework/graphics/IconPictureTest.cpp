// The program icon is stored as a picture's "Data" value (tools/make_icon writes it); the main
// form reads it back through TPicture. These tests read the committed file the same way.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/graphics/Graphic.h"
#include "framework/graphics/Icon.h"
#include "framework/graphics/Picture.h"

namespace framework {
namespace {

std::vector<uint8_t> StoredIconData() {
  return ReadFileBytes(std::string(SNIPWELL_SOURCE_DIR) + "/src/app/Snipwell.picture");
}

bool Transparent(const TIcon& icon, int x, int y) {
  return icon.Mask().Pixel(x, y) != platform::clBlack;
}

TEST(IconPictureTest, StoredIconIsA48PixelIconWithAShapedMask) {
  TPicture picture;
  picture.ReadData(StoredIconData());
  const auto* icon = dynamic_cast<const TIcon*>(picture.Graphic());
  ASSERT_NE(icon, nullptr) << "the stored picture does not hold an icon";
  ASSERT_EQ(icon->Width(), 48);
  ASSERT_EQ(icon->Height(), 48);
  EXPECT_EQ(icon->Image().BitsPerPixel(), 24);
  ASSERT_EQ(icon->Mask().Width(), 48);
  ASSERT_EQ(icon->Mask().Height(), 48);

  EXPECT_TRUE(Transparent(*icon, 0, 0));
  EXPECT_TRUE(Transparent(*icon, 47, 0));
  EXPECT_TRUE(Transparent(*icon, 0, 47));
  EXPECT_TRUE(Transparent(*icon, 47, 47));
  for (int y = 20; y < 28; ++y)
    for (int x = 20; x < 28; ++x) EXPECT_FALSE(Transparent(*icon, x, y)) << x << "," << y;
}

// The file must be exactly what WriteData produces, so the form description that embeds the
// icon does not change when a form holding it is written out again.
TEST(IconPictureTest, StoredIconDataWritesBackUnchanged) {
  const std::vector<uint8_t> stored = StoredIconData();
  TPicture picture;
  picture.ReadData(stored);
  EXPECT_EQ(picture.WriteData(), stored);
}

}  // namespace
}  // namespace framework
