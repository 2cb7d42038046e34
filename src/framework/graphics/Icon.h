#pragma once
// TIcon: a small picture with a transparency mask, as the program's icon is (48 x 48 pixels, 24-bit
// colour). The picture is kept as a 24-bit bitmap and the mask as a 1-bit bitmap (palette black,
// white) of the same size whose set pixels (white) are transparent: the form
// platform::SetWindowIcon takes.
//
// Streams are Windows icon files (.ico). Reading takes the 48 x 48 image when the file has one
// (the deepest of them), else the largest; BMP-style images of 1, 4, 8, 24 or 32 bits with their
// AND masks are read (32-bit pixels whose alpha is below 128 count as transparent too, when the
// image has any alpha at all), and PNG images are read without transparency. Icons are at most
// 256 pixels on a side. Saving writes one 24-bit image with its mask.

#include <cstdint>
#include <memory>
#include <vector>

#include "framework/graphics/Graphic.h"
#include "platform/drawing/DIBitmap.h"

namespace framework {

class TIcon : public TGraphic {
 public:
  static constexpr int kMaxSize = 256;

  TIcon();
  ~TIcon() override;

  DECLARE_CLASS_INFO()
  std::unique_ptr<TGraphic> NewOfSameClass() const override;

  // The image's size; 0 while empty. Icons do not change size (SetWidth raises).
  int Width() const override { return image_.Width(); }
  int Height() const override { return image_.Height(); }
  bool Empty() const override { return image_.Empty(); }

  const platform::DIBitmap& Image() const { return image_; }
  const platform::DIBitmap& Mask() const { return mask_; }
  // A new picture: image of any depth (kept as 24 bits); mask of its size and any depth, whose
  // pixels that are not black become transparent (nullptr: all opaque). EInvalidGraphic for a
  // mask of another size or an image beyond kMaxSize.
  void SetImage(const platform::DIBitmap& image, const platform::DIBitmap* mask);

  void Assign(const TPersistent* source) override;

  // The image stretched to the rectangle; masked pixels leave the canvas as it was.
  void Draw(TCanvas& canvas, const platform::TRect& rect) override;

  using TGraphic::LoadFromStream;
  void LoadFromStream(const uint8_t* data, size_t size) override;
  void SaveToStream(std::vector<uint8_t>& stream) const override;

 private:
  platform::DIBitmap image_;
  platform::DIBitmap mask_;
};

}  // namespace framework
