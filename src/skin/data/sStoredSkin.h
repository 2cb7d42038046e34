#pragma once
// Stored skins: the skins a program carries inside the stored description of its main window, as
// the skin manager's InternalSkins collection. A stored skin is a self-contained set of section
// records, masks, JPEG patterns and one master bitmap. The classes only hold and stream the data;
// the manager reads them when it loads a skin and keeps runtime copies of its own.
//
// Every published property is streamed by name in the order the classes publish them, and written
// only when it differs from its declared default; strings are written when not empty, and
// integers, colours, booleans and enumerations without a declared default are always written.
// Pictures are streamed as "Image.Data" / "MasterBitmap.Data": a 32-bit little-endian byte count
// followed by a BMP file (8 bits per pixel, pixel data at offset 1078) or, for patterns, a JFIF
// JPEG. They are decoded when first asked for; a picture whose data cannot be decoded (truncated,
// corrupt, a count beyond the data) is then empty, and the rest of the description reads on, so
// that one bad picture costs only itself.

#include <memory>
#include <string>
#include <vector>

#include "framework/classes/Collection.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/JPEGImage.h"
#include "platform/Exception.h"
#include "platform/drawing/Colors.h"
#include "skin/data/sMaskData.h"

namespace skin {

class TsSkinManager;
class TsStoredSkin;

// A picture read from stored skin data (a bitmap or a JPEG image). A program carries several
// stored skins and shows one: the data is kept as read and decoded when the picture is first asked
// for (Decoded), so that reading a description costs no decoding of the skins never loaded. Data
// that cannot be decoded leaves the picture empty instead of failing the whole description.
template <class Picture>
class TsStoredPicture : public Picture {
 public:
  void ReadData(const std::vector<uint8_t>& data) override {
    Picture::Assign(nullptr);
    data_ = std::make_unique<std::vector<uint8_t>>(data);
  }
  // Data not yet decoded is written back as it was read.
  std::vector<uint8_t> WriteData() const override { return data_ ? *data_ : Picture::WriteData(); }
  void Assign(const framework::TPersistent* source) override {
    data_.reset();
    Picture::Assign(source);
  }
  // The picture, decoded from the kept data first if that has not been done yet (the data is
  // then let go).
  TsStoredPicture* Decoded() {
    if (const std::unique_ptr<std::vector<uint8_t>> data = std::move(data_)) {
      try {
        Picture::ReadData(*data);
      } catch (const platform::Exception&) {
        Picture::Assign(nullptr);
      }
    }
    return this;
  }

 private:
  std::unique_ptr<std::vector<uint8_t>> data_;
};
using TsStoredBitmap = TsStoredPicture<framework::TBitmap>;
using TsStoredJPEG = TsStoredPicture<framework::TJPEGImage>;

// ---- section records ---------------------------------------------------------------------------

class TsSkinGeneral : public framework::TCollectionItem, public TsSectionFields {
 public:
  using TCollectionItem::TCollectionItem;
  DECLARE_CLASS_INFO()

  bool ShadowDontUse = false;  // stored only
  std::string FontColor;       // five integers separated by blanks
  std::string HotFontColor;    // the same for the hot state
  std::string Name;            // never used
};

class TsSkinGenerals : public framework::TCollection {
 public:
  explicit TsSkinGenerals(TsStoredSkin* owner);
  TsStoredSkin* Owner() const { return owner_; }
  TsSkinGeneral* Items(int index) const { return static_cast<TsSkinGeneral*>(Item(index)); }
  TsSkinGeneral* AddItem() { return static_cast<TsSkinGeneral*>(Add()); }

 private:
  TsStoredSkin* owner_;
};

// ---- masks -------------------------------------------------------------------------------------

class TsSkinImage : public framework::TCollectionItem {
 public:
  explicit TsSkinImage(framework::TCollection* collection);
  ~TsSkinImage() override;
  DECLARE_CLASS_INFO()

  // The mask's own picture; it is used (and streamed) only when Name is not empty.
  framework::TBitmap* Image() const { return image_->Decoded(); }
  void SetImage(const framework::TBitmap* bitmap);

  std::string SectionName;
  std::string Name;  // file name of the own picture
  std::string PropertyName;
  int32_t Left = 0, Top = 0, Right = 0, Bottom = 0;
  int32_t ImageCount = 0;
  int32_t MaskType = 0;
  int32_t BorderWidth = 0;
  int32_t StretchMode = 0;
  TacImgType ImgType = itisaBorder;
  int32_t WL = 0, WR = 0, WT = 0, WB = 0;

 private:
  std::unique_ptr<TsStoredBitmap> image_;
};

class TsSkinImages : public framework::TCollection {
 public:
  explicit TsSkinImages(TsStoredSkin* owner);
  TsStoredSkin* Owner() const { return owner_; }
  TsSkinImage* Items(int index) const { return static_cast<TsSkinImage*>(Item(index)); }
  TsSkinImage* AddItem() { return static_cast<TsSkinImage*>(Add()); }

 private:
  TsStoredSkin* owner_;
};

// ---- JPEG patterns -----------------------------------------------------------------------------

class TsSkinPattern : public framework::TCollectionItem {
 public:
  explicit TsSkinPattern(framework::TCollection* collection);
  ~TsSkinPattern() override;
  DECLARE_CLASS_INFO()

  // Patterns showing one picture share it by Name: only the first of them carries the data.
  framework::TJPEGImage* Image() const { return image_->Decoded(); }
  void SetImage(const framework::TJPEGImage* image);

  std::string SectionName;
  std::string Name;
  std::string PropertyName;  // "PATTERN" or "HOTPATTERN"

 private:
  std::unique_ptr<TsStoredJPEG> image_;
};

class TsSkinPatterns : public framework::TCollection {
 public:
  explicit TsSkinPatterns(TsStoredSkin* owner);
  TsStoredSkin* Owner() const { return owner_; }
  TsSkinPattern* Items(int index) const { return static_cast<TsSkinPattern*>(Item(index)); }
  TsSkinPattern* AddItem() { return static_cast<TsSkinPattern*>(Add()); }

 private:
  TsStoredSkin* owner_;
};

// ---- one stored skin ---------------------------------------------------------------------------

class TsStoredSkin : public framework::TCollectionItem {
 public:
  explicit TsStoredSkin(framework::TCollection* collection);
  ~TsStoredSkin() override;
  DECLARE_CLASS_INFO()

  const std::string& Name() const { return name_; }
  void SetName(const std::string& name);

  // Setting a collection copies its items into the skin's own.
  TsSkinGenerals* GeneralData() const { return generals_.get(); }
  void SetGeneralData(const TsSkinGenerals* value);
  TsSkinImages* Images() const { return images_.get(); }
  void SetImages(const TsSkinImages* value);
  TsSkinPatterns* Patterns() const { return patterns_.get(); }
  void SetPatterns(const TsSkinPatterns* value);
  // The picture holding the images of every mask without a picture of its own.
  framework::TBitmap* MasterBitmap() const { return masterBitmap_->Decoded(); }
  void SetMasterBitmap(const framework::TBitmap* bitmap);

  TColor Shadow1Color = 0;
  int32_t Shadow1Offset = 0;
  int32_t Shadow1Blur = -1;  // -1: the skin prescribes no shadow
  int32_t Shadow1Transparency = 0;
  double Version = 0;  // 4.83 in the program's skins; plays no part at run time
  std::string Author;
  std::string Description;

 private:
  std::string name_;
  std::unique_ptr<TsSkinGenerals> generals_;
  std::unique_ptr<TsSkinImages> images_;
  std::unique_ptr<TsSkinPatterns> patterns_;
  std::unique_ptr<TsStoredBitmap> masterBitmap_;
};

class TsStoredSkins : public framework::TCollection {
 public:
  explicit TsStoredSkins(TsSkinManager* owner);
  TsSkinManager* Owner() const { return owner_; }
  TsStoredSkin* Items(int index) const { return static_cast<TsStoredSkin*>(Item(index)); }
  TsStoredSkin* AddItem() { return static_cast<TsStoredSkin*>(Add()); }
  // The first skin whose Name equals name exactly (letter case counts), or -1.
  int IndexOfSkin(const std::string& name) const;

 private:
  TsSkinManager* owner_;
};

}  // namespace skin
