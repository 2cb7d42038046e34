#include "framework/graphics/Picture.h"

#include <cstring>
#include <utility>

#include "framework/classes/ClassBuilder.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Icon.h"
#include "framework/graphics/JPEGImage.h"

namespace framework {

namespace {

// The graphic classes a picture can hold, by the names descriptions use.
std::unique_ptr<TGraphic> NewGraphicOfClass(const std::string& name) {
  if (name == "TBitmap") return std::make_unique<TBitmap>();
  if (name == "TJPEGImage") return std::make_unique<TJPEGImage>();
  if (name == "TIcon") return std::make_unique<TIcon>();
  return nullptr;
}

std::unique_ptr<TGraphic> NewGraphicForFile(const uint8_t* data, size_t size) {
  if (size >= 2 && data[0] == 'B' && data[1] == 'M') return std::make_unique<TBitmap>();
  if (size >= 3 && data[0] == 0xFF && data[1] == 0xD8 && data[2] == 0xFF)
    return std::make_unique<TJPEGImage>();
  if (size >= 4 && data[0] == 0 && data[1] == 0 && data[2] == 1 && data[3] == 0)
    return std::make_unique<TIcon>();
  throw EInvalidGraphic("Unknown picture file format");
}

}  // namespace

const TClassInfo& TPicture::StaticClassInfo() {
  static const TClassInfo info = TClassBuilder<TPicture>("TPicture", TPersistent::StaticClassInfo())
                                     .Binary("Data", &TPicture::WriteData, &TPicture::ReadData);
  return info;
}

TPicture::TPicture() = default;

TPicture::~TPicture() = default;

void TPicture::Replace(std::unique_ptr<TGraphic> graphic) {
  graphic_ = std::move(graphic);
  if (graphic_) graphic_->OnChange = [this](TObject*) { Changed(); };
  Changed();
}

void TPicture::Changed() {
  if (OnChange) OnChange(this);
}

void TPicture::SetGraphic(const TGraphic* graphic) {
  if (graphic == graphic_.get()) return;
  if (!graphic) {
    Replace(nullptr);
    return;
  }
  std::unique_ptr<TGraphic> copy = graphic->NewOfSameClass();
  copy->Assign(graphic);
  Replace(std::move(copy));
}

TBitmap* TPicture::Bitmap() {
  if (auto* bitmap = dynamic_cast<TBitmap*>(graphic_.get())) return bitmap;
  Replace(std::make_unique<TBitmap>());
  return static_cast<TBitmap*>(graphic_.get());
}

TIcon* TPicture::Icon() {
  if (auto* icon = dynamic_cast<TIcon*>(graphic_.get())) return icon;
  Replace(std::make_unique<TIcon>());
  return static_cast<TIcon*>(graphic_.get());
}

void TPicture::Assign(const TPersistent* source) {
  if (!source) {
    SetGraphic(nullptr);
  } else if (const auto* picture = dynamic_cast<const TPicture*>(source)) {
    if (picture != this) SetGraphic(picture->Graphic());
  } else if (const auto* graphic = dynamic_cast<const TGraphic*>(source)) {
    SetGraphic(graphic);
  } else {
    TPersistent::Assign(source);
  }
}

void TPicture::AssignTo(TPersistent* dest) const {
  if (graphic_ && dynamic_cast<TGraphic*>(dest)) {
    dest->Assign(graphic_.get());
    return;
  }
  TPersistent::AssignTo(dest);
}

void TPicture::LoadFromStream(const uint8_t* data, size_t size) {
  if (size == 0) {
    Replace(nullptr);
    return;
  }
  std::unique_ptr<TGraphic> graphic = NewGraphicForFile(data, size);
  graphic->LoadFromStream(data, size);
  Replace(std::move(graphic));
}

void TPicture::SaveToStream(std::vector<uint8_t>& stream) const {
  if (graphic_) graphic_->SaveToStream(stream);
}

void TPicture::LoadFromFile(const std::string& path) { LoadFromStream(ReadFileBytes(path)); }

void TPicture::SaveToFile(const std::string& path) const {
  std::vector<uint8_t> bytes;
  SaveToStream(bytes);
  WriteFileBytes(path, bytes);
}

void TPicture::ReadData(const std::vector<uint8_t>& data) {
  if (data.empty()) {
    Replace(nullptr);
    return;
  }
  const size_t nameLength = data[0];
  if (nameLength == 0) {
    Replace(nullptr);
    return;
  }
  if (1 + nameLength > data.size()) throw EInvalidGraphic("Picture data is truncated");
  const std::string name(data.begin() + 1, data.begin() + 1 + static_cast<ptrdiff_t>(nameLength));
  std::unique_ptr<TGraphic> graphic = NewGraphicOfClass(name);
  if (!graphic) throw EInvalidGraphic("Unknown picture class '" + name + "'");
  graphic->ReadData(
      std::vector<uint8_t>(data.begin() + 1 + static_cast<ptrdiff_t>(nameLength), data.end()));
  Replace(std::move(graphic));
}

std::vector<uint8_t> TPicture::WriteData() const {
  if (!graphic_) return {};
  const std::string name = graphic_->ClassName();
  std::vector<uint8_t> data;
  data.push_back(static_cast<uint8_t>(name.size()));
  data.insert(data.end(), name.begin(), name.end());
  const std::vector<uint8_t> own = graphic_->WriteData();
  data.insert(data.end(), own.begin(), own.end());
  return data;
}

}  // namespace framework
