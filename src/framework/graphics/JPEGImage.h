#pragma once
// TJPEGImage: a JPEG picture kept as its compressed bytes, which it saves back unchanged, and
// decoded once, when loaded, into a 24-bit bitmap that drawing copies from. Copies (Assign) share
// the bytes and the decoded pixels, which never change once made.

#include <cstdint>
#include <memory>
#include <vector>

#include "framework/graphics/Graphic.h"
#include "platform/drawing/DIBitmap.h"

namespace framework {

class TJPEGImage : public TGraphic {
 public:
  TJPEGImage();
  ~TJPEGImage() override;

  DECLARE_CLASS_INFO()
  std::unique_ptr<TGraphic> NewOfSameClass() const override;

  int Width() const override;
  int Height() const override;
  bool Empty() const override { return !image_; }

  // The quality a bitmap is compressed with when one is assigned (1 to 100, default 90).
  int CompressionQuality() const { return quality_; }
  void SetCompressionQuality(int quality);

  // The decoded picture, 24 bits per pixel (an empty bitmap when the image is empty).
  const platform::DIBitmap& DIB() const;
  // The compressed bytes as loaded (or as made from an assigned bitmap).
  const std::vector<uint8_t>& Bytes() const;

  // Shows the picture factor times larger, each decoded pixel repeated (a skin's pattern on a
  // dense display). The compressed bytes stay those loaded: saving writes the picture as it came.
  void Enlarge(int factor);

  // From a TJPEGImage: shares its picture; from a TBitmap: compresses it; nullptr empties.
  void Assign(const TPersistent* source) override;

  void Draw(TCanvas& canvas, const platform::TRect& rect) override;

  // Decodes at once: a picture that cannot be decoded raises EInvalidGraphic and the image stays
  // as it was.
  using TGraphic::LoadFromStream;
  void LoadFromStream(const uint8_t* data, size_t size) override;
  void SaveToStream(std::vector<uint8_t>& stream) const override;
  // Description data: a 32-bit length, then the JPEG file.
  void ReadData(const std::vector<uint8_t>& data) override;
  std::vector<uint8_t> WriteData() const override;

 protected:
  // A bitmap given a JPEG image takes its decoded pixels.
  void AssignTo(TPersistent* dest) const override;

 private:
  struct Image {
    std::vector<uint8_t> bytes;
    platform::DIBitmap pixels;
    // The picture enlarged, made once for every copy that asks for that factor (a skin loaded
    // again on the same display enlarges nothing).
    mutable std::shared_ptr<Image> enlarged;
    mutable int enlargedFactor = 0;
  };
  // Never changed once made (drawing only reads it), so copies share it; not const only because
  // a context takes its bitmap as a mutable one.
  std::shared_ptr<Image> image_;
  int quality_ = 90;
};

}  // namespace framework
