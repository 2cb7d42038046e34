#include "framework/graphics/ImageList.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "framework/classes/ClassBuilder.h"
#include "framework/classes/Collection.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"
#include "platform/drawing/TransparentBlt.h"

namespace framework {

using platform::DIBitmap;
using platform::TColor;

namespace {

constexpr TColor kOpaque = platform::clBlack;
constexpr TColor kTransparent = platform::clWhite;

bool IsTransparentMaskPixel(const DIBitmap& mask, int x, int y) {
  return (mask.Pixel(x, y) & 0xFFFFFF) != 0;
}

}  // namespace

// ---- change links

TChangeLink::~TChangeLink() {
  if (sender_) sender_->UnRegisterChanges(this);
}

void TCustomImageList::RegisterChanges(TChangeLink* link) {
  if (!link || link->sender_ == this) return;
  if (link->sender_) link->sender_->UnRegisterChanges(link);
  link->sender_ = this;
  links_.push_back(link);
}

void TCustomImageList::UnRegisterChanges(TChangeLink* link) {
  if (!link || link->sender_ != this) return;
  link->sender_ = nullptr;
  links_.erase(std::remove(links_.begin(), links_.end(), link), links_.end());
}

void TCustomImageList::Change() {
  // A listener may unregister itself (or another) while being told.
  const std::vector<TChangeLink*> links = links_;
  for (TChangeLink* link : links)
    if (link->sender_ == this && link->OnChange) link->OnChange(this);
}

// ---- the list

const TClassInfo& TCustomImageList::StaticClassInfo() {
  using C = TCustomImageList;
  static const TClassInfo info =
      TClassBuilder<C>("TCustomImageList", TComponent::StaticClassInfo())
          .Color("BkColor", &C::BkColor, &C::SetBkColor, platform::clNone)
          .Integer("Height", &C::Height, &C::SetHeight, 16)
          .Integer("Width", &C::Width, &C::SetWidth, 16)
          .Boolean("Masked", &C::Masked, &C::SetMasked, true)
          // After the size, which the data must fit.
          .Binary("Bitmap", &C::WriteData, &C::ReadData);
  return info;
}

const TClassInfo& TImageList::StaticClassInfo() {
  static const TClassInfo info =
      TClassBuilder<TImageList>("TImageList", TCustomImageList::StaticClassInfo()).Creatable();
  return info;
}

TCustomImageList::TCustomImageList(TComponent* owner) : TComponent(owner) {}

TCustomImageList::~TCustomImageList() {
  Destroying();
  for (TChangeLink* link : links_) link->sender_ = nullptr;
  links_.clear();
}

void TCustomImageList::SetWidth(int value) {
  if (value < 1) throw EInvalidGraphic("Invalid image size");
  if (value == width_) return;
  width_ = value;
  images_.clear();
  Change();
}

void TCustomImageList::SetHeight(int value) {
  if (value < 1) throw EInvalidGraphic("Invalid image size");
  if (value == height_) return;
  height_ = value;
  images_.clear();
  Change();
}

void TCustomImageList::SetMasked(bool value) {
  if (value == masked_) return;
  masked_ = value;
  Change();
}

void TCustomImageList::SetBkColor(TColor value) {
  if (value == bkColor_) return;
  bkColor_ = value;
  Change();
}

int TCustomImageList::AddCut(const DIBitmap& image,
                             const std::function<bool(int, int)>& transparent) {
  const int pieces = image.Width() / width_;
  if (pieces < 1) return -1;
  const DIBitmap source = image.BitsPerPixel() == 24 ? image : image.ConvertedTo(24);
  const int rows = std::min(height_, source.Height());
  std::vector<TImage> added;
  added.reserve(static_cast<size_t>(pieces));
  for (int i = 0; i < pieces; ++i) {
    TImage picture{DIBitmap(width_, height_), DIBitmap(width_, height_)};
    for (int y = 0; y < height_; ++y) {
      uint8_t* pixels = picture.image.ScanLine(y);
      if (y < rows)
        std::memcpy(pixels, source.ScanLine(y) + 3 * static_cast<size_t>(i) * width_,
                    3 * static_cast<size_t>(width_));
      else
        std::memset(pixels, 0, 3 * static_cast<size_t>(width_));
      for (int x = 0; x < width_; ++x)
        picture.mask.SetPixel(x, y,
                              y >= rows || transparent(i * width_ + x, y) ? kTransparent : kOpaque);
    }
    added.push_back(std::move(picture));
  }
  const int first = Count();
  images_.insert(images_.end(), std::make_move_iterator(added.begin()),
                 std::make_move_iterator(added.end()));
  Change();
  return first;
}

int TCustomImageList::Add(const TBitmap* image, const TBitmap* mask) {
  if (!image || image->Empty()) return -1;
  const DIBitmap* bits = mask && !mask->Empty() ? &mask->DIB() : nullptr;
  return AddCut(image->DIB(), [bits](int x, int y) {
    if (!bits) return false;
    return x >= bits->Width() || y >= bits->Height() || IsTransparentMaskPixel(*bits, x, y);
  });
}

int TCustomImageList::AddMasked(const TBitmap* image, TColor maskColor) {
  if (!image || image->Empty()) return -1;
  const TColor key = platform::ColorToRGB(
      maskColor == platform::clDefault ? image->TransparentColor() : maskColor);
  const DIBitmap& bits = image->DIB();
  return AddCut(bits, [&bits, key](int x, int y) { return bits.Pixel(x, y) == key; });
}

void TCustomImageList::Delete(int index) {
  if (index < 0 || index >= Count())
    throw EListError("List index out of bounds (" + std::to_string(index) + ")");
  images_.erase(images_.begin() + index);
  Change();
}

void TCustomImageList::Clear() {
  if (images_.empty()) return;
  images_.clear();
  Change();
}

void TCustomImageList::Draw(TCanvas* canvas, int x, int y, int index) const {
  if (!canvas || index < 0 || index >= Count()) return;
  const TImage& picture = images_[static_cast<size_t>(index)];
  if (!masked_) {
    platform::DrawIconEx(canvas->Handle(), x, y, picture.image, nullptr, width_, height_);
    return;
  }
  if (bkColor_ == platform::clNone) {
    platform::DrawIconEx(canvas->Handle(), x, y, picture.image, &picture.mask, width_, height_);
    return;
  }
  // A background colour stands in for the transparent pixels.
  DIBitmap filled = picture.image;
  const TColor background = platform::ColorToRGB(bkColor_);
  for (int row = 0; row < height_; ++row)
    for (int column = 0; column < width_; ++column)
      if (IsTransparentMaskPixel(picture.mask, column, row))
        filled.SetPixel(column, row, background);
  platform::DrawIconEx(canvas->Handle(), x, y, filled, nullptr, width_, height_);
}

// ---- description data

std::vector<uint8_t> TCustomImageList::WriteData() const {
  std::vector<uint8_t> data;
  if (images_.empty()) return data;
  TBitmap strip(width_ * Count(), 2 * height_);
  DIBitmap& bits = strip.DIB();
  for (int i = 0; i < Count(); ++i) {
    const TImage& picture = images_[static_cast<size_t>(i)];
    for (int y = 0; y < height_; ++y) {
      std::memcpy(bits.ScanLine(y) + 3 * static_cast<size_t>(i) * width_, picture.image.ScanLine(y),
                  3 * static_cast<size_t>(width_));
      std::memcpy(bits.ScanLine(height_ + y) + 3 * static_cast<size_t>(i) * width_,
                  picture.mask.ScanLine(y), 3 * static_cast<size_t>(width_));
    }
  }
  strip.SaveToStream(data);
  return data;
}

void TCustomImageList::ReadData(const std::vector<uint8_t>& data) {
  if (data.empty()) {
    Clear();
    return;
  }
  TBitmap strip;
  strip.LoadFromStream(data.data(), data.size());
  if (strip.Height() != 2 * height_ || strip.Width() % width_ != 0)
    throw EInvalidGraphic("Image list data does not fit images of " + std::to_string(width_) +
                          " x " + std::to_string(height_) + " pixels");
  const DIBitmap& bits = strip.DIB();
  std::vector<TImage> keep;
  keep.swap(images_);
  try {
    AddCut(bits,
           [&bits, this](int x, int y) { return IsTransparentMaskPixel(bits, x, height_ + y); });
  } catch (...) {
    images_.swap(keep);
    throw;
  }
}

}  // namespace framework
