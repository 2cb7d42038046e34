// The image list: pictures cut from bitmaps with their masks, drawn masked, over a background
// colour or whole, kept in a description and read back, and the change links of those who show
// them.

#include <gtest/gtest.h>

#include <memory>

#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"
#include "framework/graphics/ImageList.h"

namespace framework {
namespace {

using platform::clBlack;
using platform::clBlue;
using platform::clLime;
using platform::clRed;
using platform::clWhite;
using platform::clYellow;
using platform::TColor;

// Two 3 x 2 pictures side by side: red with a yellow top-left pixel, and lime.
void DrawTwoPictures(TBitmap& image) {
  image.SetSize(6, 2);
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 6; ++x) image.DIB().SetPixel(x, y, x < 3 ? clRed : clLime);
  image.DIB().SetPixel(0, 0, clYellow);
}

// A blue 8 x 4 canvas with picture index of the list drawn at (1, 1).
platform::DIBitmap DrawnOnBlue(const TCustomImageList& list, int index) {
  TBitmap target(8, 4);
  target.Canvas()->Brush()->SetColor(clBlue);
  target.Canvas()->FillRect({0, 0, 8, 4});
  list.Draw(target.Canvas(), 1, 1, index);
  return target.DIB();
}

TEST(ImageListTest, PicturesAreCutFromABitmapAndDrawnThroughTheirMasks) {
  TImageList list(nullptr);
  list.SetWidth(3);
  list.SetHeight(2);
  TBitmap image;
  DrawTwoPictures(image);
  // The mask marks the yellow pixel and the lime picture's right column transparent.
  TBitmap mask(6, 2);
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 6; ++x) mask.DIB().SetPixel(x, y, clBlack);
  mask.DIB().SetPixel(0, 0, clWhite);
  mask.DIB().SetPixel(5, 0, clWhite);
  mask.DIB().SetPixel(5, 1, clWhite);
  EXPECT_EQ(list.Add(&image, &mask), 0);
  ASSERT_EQ(list.Count(), 2);

  platform::DIBitmap drawn = DrawnOnBlue(list, 0);
  EXPECT_EQ(drawn.Pixel(1, 1), clBlue);  // transparent: the canvas shows
  EXPECT_EQ(drawn.Pixel(2, 1), clRed);
  EXPECT_EQ(drawn.Pixel(3, 2), clRed);
  EXPECT_EQ(drawn.Pixel(4, 1), clBlue);  // right of the picture
  EXPECT_EQ(drawn.Pixel(1, 3), clBlue);  // below it
  drawn = DrawnOnBlue(list, 1);
  EXPECT_EQ(drawn.Pixel(2, 2), clLime);
  EXPECT_EQ(drawn.Pixel(3, 2), clBlue);

  // A background colour stands in for the transparent pixels; unmasked, the picture is whole.
  list.SetBkColor(clWhite);
  EXPECT_EQ(DrawnOnBlue(list, 0).Pixel(1, 1), clWhite);
  list.SetBkColor(platform::clNone);
  list.SetMasked(false);
  EXPECT_EQ(DrawnOnBlue(list, 0).Pixel(1, 1), clYellow);

  // An index the list does not hold draws nothing.
  for (int index : {-1, 2}) {
    drawn = DrawnOnBlue(list, index);
    for (int y = 0; y < 4; ++y)
      for (int x = 0; x < 8; ++x) ASSERT_EQ(drawn.Pixel(x, y), clBlue) << index;
  }

  // By colour: the yellow pixel; a bitmap narrower than a picture adds none; a new size empties.
  list.SetMasked(true);
  EXPECT_EQ(list.AddMasked(&image, clYellow), 2);
  EXPECT_EQ(DrawnOnBlue(list, 2).Pixel(1, 1), clBlue);
  EXPECT_EQ(DrawnOnBlue(list, 3).Pixel(3, 1), clLime);
  TBitmap narrow(2, 2);
  EXPECT_EQ(list.Add(&narrow, nullptr), -1);
  EXPECT_EQ(list.Count(), 4);
  list.SetHeight(3);
  EXPECT_EQ(list.Count(), 0);
  EXPECT_THROW(list.SetWidth(0), platform::EInvalidGraphic);
}

TEST(ImageListTest, TheDescriptionDataHoldsPicturesAndMasksAndRefusesWhatDoesNotFit) {
  TImageList list(nullptr);
  list.SetWidth(3);
  list.SetHeight(2);
  TBitmap image;
  DrawTwoPictures(image);
  list.AddMasked(&image, clYellow);
  const std::vector<uint8_t> data = list.WriteData();

  TImageList again(nullptr);
  again.SetWidth(3);
  again.SetHeight(2);
  again.ReadData(data);
  ASSERT_EQ(again.Count(), 2);
  for (int index : {0, 1}) {
    EXPECT_TRUE(DrawnOnBlue(again, index) == DrawnOnBlue(list, index)) << index;
  }
  EXPECT_EQ(again.WriteData(), data);

  // Data for pictures of another height, or that is no picture, leaves the list as it was.
  TImageList taller(nullptr);
  taller.SetWidth(3);
  taller.SetHeight(4);
  taller.AddMasked(&image, clYellow);
  EXPECT_THROW(again.ReadData(taller.WriteData()), platform::EInvalidGraphic);
  EXPECT_THROW(again.ReadData({1, 2, 3, 4}), platform::EInvalidGraphic);
  EXPECT_EQ(again.Count(), 2);
  again.ReadData({});
  EXPECT_EQ(again.Count(), 0);
  EXPECT_TRUE(again.WriteData().empty());
}

TEST(ImageListTest, ChangeLinksHearOfChangesUntilEitherSideGoes) {
  auto list = std::make_unique<TImageList>(nullptr);
  int heard = 0;
  TChangeLink link;
  link.OnChange = [&](TObject* sender) {
    EXPECT_EQ(sender, list.get());
    ++heard;
  };
  list->RegisterChanges(&link);
  EXPECT_EQ(link.Sender(), list.get());
  TBitmap image(32, 16);  // two pictures
  list->Add(&image, nullptr);
  list->SetMasked(false);
  list->SetMasked(false);  // no change
  list->Delete(0);
  EXPECT_EQ(heard, 3);
  {
    TChangeLink passing;
    list->RegisterChanges(&passing);
  }  // unregisters itself
  list->Clear();
  list->Clear();  // already empty: no change
  list->Add(&image, nullptr);
  EXPECT_EQ(heard, 5);
  list.reset();
  EXPECT_EQ(link.Sender(), nullptr);  // and its destructor has nothing to unregister from
}

}  // namespace
}  // namespace framework
