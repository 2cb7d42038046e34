#include "skin/data/sStoredSkin.h"

#include "framework/ClassRegistry.h"

namespace skin {

using framework::TClassBuilder;
using framework::TClassInfo;
using framework::TEnumNames;
using framework::TPersistent;

namespace {

const TEnumNames<TsControlBevel>& BevelNames() {
  static const TEnumNames<TsControlBevel> names = {{"cbNone", cbNone},
                                                   {"cbRaisedSoft", cbRaisedSoft},
                                                   {"cbLoweredSoft", cbLoweredSoft},
                                                   {"cbRaisedHard", cbRaisedHard},
                                                   {"cbLoweredHard", cbLoweredHard}};
  return names;
}

const TEnumNames<TacImgType>& ImgTypeNames() {
  static const TEnumNames<TacImgType> names = {
      {"itisaBorder", itisaBorder}, {"itisaTexture", itisaTexture}, {"itisaGlyph", itisaGlyph}};
  return names;
}

// Builders for plain fields: every one of them is published the same way.
template <typename C>
void IntField(TClassBuilder<C>& b, const std::string& name, int32_t C::*field,
              std::optional<int> def = std::nullopt) {
  b.Integer(
      name, [field](const C& o) { return o.*field; }, [field](C& o, int v) { o.*field = v; }, def);
}
template <typename C>
void ColorField(TClassBuilder<C>& b, const std::string& name, TColor C::*field) {
  b.Color(
      name, [field](const C& o) { return o.*field; }, [field](C& o, TColor v) { o.*field = v; });
}
template <typename C>
void BoolField(TClassBuilder<C>& b, const std::string& name, bool C::*field) {
  b.Boolean(
      name, [field](const C& o) { return o.*field; }, [field](C& o, bool v) { o.*field = v; });
}
template <typename C>
void StrField(TClassBuilder<C>& b, const std::string& name, std::string C::*field) {
  b.String(
      name, [field](const C& o) { return o.*field; },
      [field](C& o, const std::string& v) { o.*field = v; });
}
template <typename C>
void BevelField(TClassBuilder<C>& b, const std::string& name, TsControlBevel C::*field) {
  b.template Enum<TsControlBevel>(
      name, [field](const C& o) { return o.*field; },
      [field](C& o, TsControlBevel v) { o.*field = v; }, BevelNames());
}

}  // namespace

// ---- tolerant pictures
// ---------------------------------------------------------------------------

void TsStoredBitmap::ReadData(const std::vector<uint8_t>& data) {
  try {
    TBitmap::ReadData(data);
  } catch (const platform::Exception&) {
    Assign(nullptr);
  }
}

void TsStoredJPEG::ReadData(const std::vector<uint8_t>& data) {
  try {
    TJPEGImage::ReadData(data);
  } catch (const platform::Exception&) {
    Assign(nullptr);
  }
}

// ---- TsSkinGeneral
// -------------------------------------------------------------------------------

const TClassInfo& TsSkinGeneral::StaticClassInfo() {
  static const TClassInfo info = [] {
    TClassInfo c("TsSkinGeneral", &TCollectionItem::StaticClassInfo());
    TClassBuilder<TsSkinGeneral> b(c);
    using G = TsSkinGeneral;
    StrField(b, "SectionName", &G::SectionName);
    StrField(b, "ParentClass", &G::ParentClass);
    ColorField(b, "Color", &G::Color);
    BevelField(b, "Bevel", &G::Bevel);
    IntField(b, "ShadowBlur", &G::ShadowBlur);
    ColorField(b, "ShadowColor", &G::ShadowColor);
    BoolField(b, "ShadowDontUse", &G::ShadowDontUse);
    BoolField(b, "ShadowEnabled", &G::ShadowEnabled);
    BoolField(b, "ReservedBoolean", &G::ReservedBoolean);
    IntField(b, "ShadowOffset", &G::ShadowOffset);
    IntField(b, "ShadowTransparency", &G::ShadowTransparency);
    StrField(b, "FontColor", &G::FontColor);
    StrField(b, "HotFontColor", &G::HotFontColor);
    IntField(b, "Transparency", &G::Transparency);
    IntField(b, "GradientPercent", &G::GradientPercent);
    StrField(b, "GradientData", &G::GradientData);
    IntField(b, "ImagePercent", &G::ImagePercent);
    BoolField(b, "ShowFocus", &G::ShowFocus);
    BoolField(b, "FadingEnabled", &G::FadingEnabled);
    IntField(b, "FadingIntervalIn", &G::FadingIntervalIn);
    IntField(b, "FadingIntervalOut", &G::FadingIntervalOut);
    IntField(b, "FadingIterations", &G::FadingIterations);
    ColorField(b, "HotColor", &G::HotColor);
    IntField(b, "HotTransparency", &G::HotTransparency);
    BevelField(b, "HotBevel", &G::HotBevel);
    IntField(b, "HotGradientPercent", &G::HotGradientPercent);
    StrField(b, "HotGradientData", &G::HotGradientData);
    IntField(b, "HotImagePercent", &G::HotImagePercent);
    ColorField(b, "BorderColor1", &G::BorderColor1);
    ColorField(b, "BorderColor2", &G::BorderColor2);
    StrField(b, "Name", &G::Name);
    return c;
  }();
  return info;
}

TsSkinGenerals::TsSkinGenerals(TsStoredSkin* owner)
    : TCollection([](TCollection* c) { return new TsSkinGeneral(c); }), owner_(owner) {}

// ---- TsSkinImage
// ---------------------------------------------------------------------------------

const TClassInfo& TsSkinImage::StaticClassInfo() {
  static const TClassInfo info = [] {
    TClassInfo c("TsSkinImage", &TCollectionItem::StaticClassInfo());
    TClassBuilder<TsSkinImage> b(c);
    using I = TsSkinImage;
    StrField(b, "SectionName", &I::SectionName);
    b.Object("Image", [](I& i) -> TPersistent* { return i.image_.get(); });
    StrField(b, "Name", &I::Name);
    StrField(b, "PropertyName", &I::PropertyName);
    IntField(b, "Left", &I::Left);
    IntField(b, "Top", &I::Top);
    IntField(b, "Right", &I::Right);
    IntField(b, "Bottom", &I::Bottom);
    IntField(b, "ImageCount", &I::ImageCount);
    IntField(b, "MaskType", &I::MaskType);
    IntField(b, "BorderWidth", &I::BorderWidth);
    IntField(b, "StretchMode", &I::StretchMode);
    b.Enum<TacImgType>(
        "ImgType", [](const I& i) { return i.ImgType; }, [](I& i, TacImgType v) { i.ImgType = v; },
        ImgTypeNames());
    IntField(b, "WL", &I::WL);
    IntField(b, "WR", &I::WR);
    IntField(b, "WT", &I::WT);
    IntField(b, "WB", &I::WB);
    return c;
  }();
  return info;
}

TsSkinImage::TsSkinImage(framework::TCollection* collection)
    : TCollectionItem(collection), image_(std::make_unique<TsStoredBitmap>()) {}

TsSkinImage::~TsSkinImage() = default;

void TsSkinImage::SetImage(const framework::TBitmap* bitmap) { image_->Assign(bitmap); }

void TsSkinImage::Assign(const TPersistent* source) {
  const auto* other = dynamic_cast<const TsSkinImage*>(source);
  if (!other) {
    TCollectionItem::Assign(source);
    return;
  }
  if (other == this) return;
  SectionName = other->SectionName;
  SetImage(other->Image());
  Name = other->Name;
  PropertyName = other->PropertyName;
  Left = other->Left;
  Top = other->Top;
  Right = other->Right;
  Bottom = other->Bottom;
  ImageCount = other->ImageCount;
  MaskType = other->MaskType;
  BorderWidth = other->BorderWidth;
  StretchMode = other->StretchMode;
  ImgType = other->ImgType;
  WL = other->WL;
  WR = other->WR;
  WT = other->WT;
  WB = other->WB;
}

TsSkinImages::TsSkinImages(TsStoredSkin* owner)
    : TCollection([](TCollection* c) { return new TsSkinImage(c); }), owner_(owner) {}

// ---- TsSkinPattern
// -------------------------------------------------------------------------------

const TClassInfo& TsSkinPattern::StaticClassInfo() {
  static const TClassInfo info = [] {
    TClassInfo c("TsSkinPattern", &TCollectionItem::StaticClassInfo());
    TClassBuilder<TsSkinPattern> b(c);
    using P = TsSkinPattern;
    StrField(b, "SectionName", &P::SectionName);
    b.Object("Image", [](P& p) -> TPersistent* { return p.image_.get(); });
    StrField(b, "Name", &P::Name);
    StrField(b, "PropertyName", &P::PropertyName);
    return c;
  }();
  return info;
}

TsSkinPattern::TsSkinPattern(framework::TCollection* collection)
    : TCollectionItem(collection), image_(std::make_unique<TsStoredJPEG>()) {}

TsSkinPattern::~TsSkinPattern() = default;

void TsSkinPattern::SetImage(const framework::TJPEGImage* image) { image_->Assign(image); }

void TsSkinPattern::Assign(const TPersistent* source) {
  const auto* other = dynamic_cast<const TsSkinPattern*>(source);
  if (!other) {
    TCollectionItem::Assign(source);
    return;
  }
  if (other == this) return;
  SectionName = other->SectionName;
  SetImage(other->Image());
  Name = other->Name;
  PropertyName = other->PropertyName;
}

TsSkinPatterns::TsSkinPatterns(TsStoredSkin* owner)
    : TCollection([](TCollection* c) { return new TsSkinPattern(c); }), owner_(owner) {}

// ---- TsStoredSkin
// --------------------------------------------------------------------------------

const TClassInfo& TsStoredSkin::StaticClassInfo() {
  static const TClassInfo info = [] {
    TClassInfo c("TsStoredSkin", &TCollectionItem::StaticClassInfo());
    TClassBuilder<TsStoredSkin> b(c);
    using S = TsStoredSkin;
    b.String(
        "Name", [](const S& s) { return s.Name(); },
        [](S& s, const std::string& v) { s.SetName(v); });
    b.Collection("GeneralData", [](S& s) -> framework::TCollection* { return s.generals_.get(); });
    b.Collection("Images", [](S& s) -> framework::TCollection* { return s.images_.get(); });
    b.Collection("Patterns", [](S& s) -> framework::TCollection* { return s.patterns_.get(); });
    b.Object("MasterBitmap", [](S& s) -> TPersistent* { return s.masterBitmap_.get(); });
    ColorField(b, "Shadow1Color", &S::Shadow1Color);
    IntField(b, "Shadow1Offset", &S::Shadow1Offset);
    IntField(b, "Shadow1Blur", &S::Shadow1Blur, -1);
    IntField(b, "Shadow1Transparency", &S::Shadow1Transparency);
    // A double in memory; the description keeps the shortest text that reads back as the same
    // double ("4.83"), which carries everything an extended real held for these values.
    b.Real(
        "Version", [](const S& s) { return s.Version; }, [](S& s, double v) { s.Version = v; },
        0.0);
    StrField(b, "Author", &S::Author);
    StrField(b, "Description", &S::Description);
    return c;
  }();
  return info;
}

TsStoredSkin::TsStoredSkin(framework::TCollection* collection)
    : TCollectionItem(collection),
      generals_(std::make_unique<TsSkinGenerals>(this)),
      images_(std::make_unique<TsSkinImages>(this)),
      patterns_(std::make_unique<TsSkinPatterns>(this)),
      masterBitmap_(std::make_unique<TsStoredBitmap>()) {}

TsStoredSkin::~TsStoredSkin() = default;

void TsStoredSkin::SetName(const std::string& name) {
  if (name != name_) name_ = name;
}

void TsStoredSkin::SetGeneralData(const TsSkinGenerals* value) { generals_->Assign(value); }
void TsStoredSkin::SetImages(const TsSkinImages* value) { images_->Assign(value); }
void TsStoredSkin::SetPatterns(const TsSkinPatterns* value) { patterns_->Assign(value); }
void TsStoredSkin::SetMasterBitmap(const framework::TBitmap* bitmap) {
  masterBitmap_->Assign(bitmap);
}

void TsStoredSkin::Assign(const TPersistent* source) {
  const auto* other = dynamic_cast<const TsStoredSkin*>(source);
  if (!other) {
    TCollectionItem::Assign(source);
    return;
  }
  if (other == this) return;
  SetName(other->Name());
  SetGeneralData(other->GeneralData());
  SetImages(other->Images());
  SetPatterns(other->Patterns());
  SetMasterBitmap(other->MasterBitmap());
  Shadow1Color = other->Shadow1Color;
  Shadow1Offset = other->Shadow1Offset;
  Shadow1Blur = other->Shadow1Blur;
  Shadow1Transparency = other->Shadow1Transparency;
  Version = other->Version;
  Author = other->Author;
  Description = other->Description;
}

// ---- TsStoredSkins
// -------------------------------------------------------------------------------

TsStoredSkins::TsStoredSkins(TsSkinManager* owner)
    : TCollection([](TCollection* c) { return new TsStoredSkin(c); }), owner_(owner) {}

int TsStoredSkins::IndexOfSkin(const std::string& name) const {
  for (int i = 0; i < Count(); ++i)
    if (Items(i)->Name() == name) return i;
  return -1;
}

}  // namespace skin
