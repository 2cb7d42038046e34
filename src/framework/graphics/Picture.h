#pragma once
// TPicture: holds one graphic of any class (bitmap, JPEG image, icon) for controls that show a
// picture, and tells OnChange when it is replaced or changes.
//
// Streams are picture files; reading tells the kind by its first bytes ("BM" a bitmap, FF D8 FF a
// JPEG image, 00 00 01 00 an icon). The description "Data" is the graphic's class name as a
// length-prefixed string followed by that graphic's own data (see TGraphic::ReadData).

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "framework/graphics/Graphic.h"

namespace framework {

class TBitmap;
class TIcon;

class TPicture : public TPersistent {
 public:
  TPicture();
  ~TPicture() override;
  TPicture(const TPicture&) = delete;
  TPicture& operator=(const TPicture&) = delete;

  DECLARE_CLASS_INFO()

  TGraphic* Graphic() const { return graphic_.get(); }
  // Keeps a copy of the graphic (a new one of its class, assigned from it); nullptr empties.
  void SetGraphic(const TGraphic* graphic);
  // The graphic as a bitmap (or an icon): when it is of another class, or there is none, it is
  // replaced by a new empty one.
  TBitmap* Bitmap();
  TIcon* Icon();

  int Width() const { return graphic_ ? graphic_->Width() : 0; }
  int Height() const { return graphic_ ? graphic_->Height() : 0; }

  // From a TPicture or a TGraphic: a copy of the graphic; nullptr empties.
  void Assign(const TPersistent* source) override;

  // Unknown formats raise EInvalidGraphic "Unknown picture file format"; on any failure the
  // picture keeps what it had. No bytes at all empty it.
  void LoadFromStream(const uint8_t* data, size_t size);
  void LoadFromStream(const std::vector<uint8_t>& bytes) {
    LoadFromStream(bytes.data(), bytes.size());
  }
  void SaveToStream(std::vector<uint8_t>& stream) const;
  void LoadFromFile(const std::string& path);
  void SaveToFile(const std::string& path) const;

  void ReadData(const std::vector<uint8_t>& data);
  std::vector<uint8_t> WriteData() const;

  TNotifyEvent OnChange;

 protected:
  // A graphic given a picture takes the picture's graphic.
  void AssignTo(TPersistent* dest) const override;

 private:
  void Replace(std::unique_ptr<TGraphic> graphic);
  void Changed();

  std::unique_ptr<TGraphic> graphic_;
};

}  // namespace framework
