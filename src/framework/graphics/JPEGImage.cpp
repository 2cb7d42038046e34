#include "framework/graphics/JPEGImage.h"

#include <algorithm>
#include <utility>

#include "framework/classes/ClassBuilder.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"
#include "platform/drawing/Enlarge.h"
#include "platform/images/ImageCodecs.h"

namespace framework {

const TClassInfo& TJPEGImage::StaticClassInfo() {
  static const TClassInfo info =
      TClassBuilder<TJPEGImage>("TJPEGImage", TGraphic::StaticClassInfo())
          .Binary("Data", &TJPEGImage::WriteData, &TJPEGImage::ReadData);
  return info;
}

TJPEGImage::TJPEGImage() = default;

TJPEGImage::~TJPEGImage() = default;

std::unique_ptr<TGraphic> TJPEGImage::NewOfSameClass() const {
  return std::make_unique<TJPEGImage>();
}

int TJPEGImage::Width() const { return image_ ? image_->pixels.Width() : 0; }

int TJPEGImage::Height() const { return image_ ? image_->pixels.Height() : 0; }

void TJPEGImage::SetCompressionQuality(int quality) { quality_ = std::clamp(quality, 1, 100); }

const platform::DIBitmap& TJPEGImage::DIB() const {
  static const platform::DIBitmap none;
  return image_ ? image_->pixels : none;
}

const std::vector<uint8_t>& TJPEGImage::Bytes() const {
  static const std::vector<uint8_t> none;
  return image_ ? image_->bytes : none;
}

void TJPEGImage::Enlarge(int factor) {
  if (!image_ || factor < 2) return;
  // Copies share the picture as it was; this one takes the enlarged one.
  if (!image_->enlarged || image_->enlargedFactor != factor) {
    auto enlarged = std::make_shared<Image>();
    enlarged->bytes = image_->bytes;
    enlarged->pixels = platform::Enlarged(image_->pixels, factor);
    image_->enlarged = std::move(enlarged);
    image_->enlargedFactor = factor;
  }
  image_ = image_->enlarged;
  Changed();
}

void TJPEGImage::Assign(const TPersistent* source) {
  if (!source) {
    image_.reset();
    Changed();
    return;
  }
  if (const auto* jpeg = dynamic_cast<const TJPEGImage*>(source)) {
    if (jpeg == this) return;
    image_ = jpeg->image_;
    quality_ = jpeg->quality_;
    Changed();
    return;
  }
  if (const auto* bitmap = dynamic_cast<const TBitmap*>(source)) {
    if (bitmap->Empty()) {
      image_.reset();
    } else {
      // Drawn as it will be read back: the decoded form of the compressed bytes.
      std::vector<uint8_t> bytes = platform::EncodeJpeg(bitmap->DIB(), quality_);
      platform::DIBitmap pixels = platform::DecodeJpeg(bytes);
      image_ = std::make_shared<Image>(Image{std::move(bytes), std::move(pixels), nullptr, 0});
    }
    Changed();
    return;
  }
  TGraphic::Assign(source);
}

void TJPEGImage::AssignTo(TPersistent* dest) const {
  if (auto* bitmap = dynamic_cast<TBitmap*>(dest)) {
    bitmap->SetDIB(DIB());
    return;
  }
  TGraphic::AssignTo(dest);
}

void TJPEGImage::Draw(TCanvas& canvas, const platform::TRect& rect) {
  if (!image_) return;
  HDC dst = canvas.Handle();
  // A context over the shared pixels that only ever reads them.
  platform::DeviceContext source(&image_->pixels);
  const int w = Width(), h = Height();
  if (rect.Width() == w && rect.Height() == h) {
    platform::BitBlt(dst, rect.Left, rect.Top, w, h, &source, 0, 0, platform::SRCCOPY);
  } else {
    platform::StretchBlt(dst, rect.Left, rect.Top, rect.Width(), rect.Height(), &source, 0, 0, w, h,
                         platform::SRCCOPY);
  }
}

void TJPEGImage::LoadFromStream(const uint8_t* data, size_t size) {
  if (size == 0) {
    image_.reset();
  } else {
    platform::DIBitmap pixels = platform::DecodeJpeg(data, size);
    image_ = std::make_shared<Image>(
        Image{std::vector<uint8_t>(data, data + size), std::move(pixels), nullptr, 0});
  }
  Changed();
}

void TJPEGImage::SaveToStream(std::vector<uint8_t>& stream) const {
  if (image_) stream.insert(stream.end(), image_->bytes.begin(), image_->bytes.end());
}

void TJPEGImage::ReadData(const std::vector<uint8_t>& data) {
  LoadFromStream(WithoutLengthPrefix(data));
}

std::vector<uint8_t> TJPEGImage::WriteData() const { return WithLengthPrefix(Bytes()); }

}  // namespace framework
