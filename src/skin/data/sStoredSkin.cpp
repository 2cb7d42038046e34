#include "skin/data/sStoredSkin.h"

#include "framework/classes/ClassBuilder.h"

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

}  // namespace

// ---- TsSkinGeneral
// -------------------------------------------------------------------------------

const TClassInfo& TsSkinGeneral::StaticClassInfo() {
  using G = TsSkinGeneral;
  static const TClassInfo info =
      TClassBuilder<G>("TsSkinGeneral", TCollectionItem::StaticClassInfo())
          .String("SectionName", &G::SectionName)
          .String("ParentClass", &G::ParentClass)
          .Color("Color", &G::Color)
          .Enum("Bevel", &G::Bevel, BevelNames())
          .Integer("ShadowBlur", &G::ShadowBlur)
          .Color("ShadowColor", &G::ShadowColor)
          .Boolean("ShadowDontUse", &G::ShadowDontUse)
          .Boolean("ShadowEnabled", &G::ShadowEnabled)
          .Boolean("ReservedBoolean", &G::ReservedBoolean)
          .Integer("ShadowOffset", &G::ShadowOffset)
          .Integer("ShadowTransparency", &G::ShadowTransparency)
          .String("FontColor", &G::FontColor)
          .String("HotFontColor", &G::HotFontColor)
          .Integer("Transparency", &G::Transparency)
          .Integer("GradientPercent", &G::GradientPercent)
          .String("GradientData", &G::GradientData)
          .Integer("ImagePercent", &G::ImagePercent)
          .Boolean("ShowFocus", &G::ShowFocus)
          .Boolean("FadingEnabled", &G::FadingEnabled)
          .Integer("FadingIntervalIn", &G::FadingIntervalIn)
          .Integer("FadingIntervalOut", &G::FadingIntervalOut)
          .Integer("FadingIterations", &G::FadingIterations)
          .Color("HotColor", &G::HotColor)
          .Integer("HotTransparency", &G::HotTransparency)
          .Enum("HotBevel", &G::HotBevel, BevelNames())
          .Integer("HotGradientPercent", &G::HotGradientPercent)
          .String("HotGradientData", &G::HotGradientData)
          .Integer("HotImagePercent", &G::HotImagePercent)
          .Color("BorderColor1", &G::BorderColor1)
          .Color("BorderColor2", &G::BorderColor2)
          .String("Name", &G::Name);
  return info;
}

TsSkinGenerals::TsSkinGenerals(TsStoredSkin* owner)
    : TCollection([](TCollection* c) { return new TsSkinGeneral(c); }), owner_(owner) {}

// ---- TsSkinImage
// ---------------------------------------------------------------------------------

const TClassInfo& TsSkinImage::StaticClassInfo() {
  using I = TsSkinImage;
  static const TClassInfo info = TClassBuilder<I>("TsSkinImage", TCollectionItem::StaticClassInfo())
                                     .String("SectionName", &I::SectionName)
                                     .Object("Image", &I::Image)
                                     .String("Name", &I::Name)
                                     .String("PropertyName", &I::PropertyName)
                                     .Integer("Left", &I::Left)
                                     .Integer("Top", &I::Top)
                                     .Integer("Right", &I::Right)
                                     .Integer("Bottom", &I::Bottom)
                                     .Integer("ImageCount", &I::ImageCount)
                                     .Integer("MaskType", &I::MaskType)
                                     .Integer("BorderWidth", &I::BorderWidth)
                                     .Integer("StretchMode", &I::StretchMode)
                                     .Enum("ImgType", &I::ImgType, ImgTypeNames())
                                     .Integer("WL", &I::WL)
                                     .Integer("WR", &I::WR)
                                     .Integer("WT", &I::WT)
                                     .Integer("WB", &I::WB);
  return info;
}

TsSkinImage::TsSkinImage(framework::TCollection* collection)
    : TCollectionItem(collection), image_(std::make_unique<TsStoredBitmap>()) {}

TsSkinImage::~TsSkinImage() = default;

void TsSkinImage::SetImage(const framework::TBitmap* bitmap) { image_->Assign(bitmap); }

TsSkinImages::TsSkinImages(TsStoredSkin* owner)
    : TCollection([](TCollection* c) { return new TsSkinImage(c); }), owner_(owner) {}

// ---- TsSkinPattern
// -------------------------------------------------------------------------------

const TClassInfo& TsSkinPattern::StaticClassInfo() {
  using P = TsSkinPattern;
  static const TClassInfo info =
      TClassBuilder<P>("TsSkinPattern", TCollectionItem::StaticClassInfo())
          .String("SectionName", &P::SectionName)
          .Object("Image", &P::Image)
          .String("Name", &P::Name)
          .String("PropertyName", &P::PropertyName);
  return info;
}

TsSkinPattern::TsSkinPattern(framework::TCollection* collection)
    : TCollectionItem(collection), image_(std::make_unique<TsStoredJPEG>()) {}

TsSkinPattern::~TsSkinPattern() = default;

void TsSkinPattern::SetImage(const framework::TJPEGImage* image) { image_->Assign(image); }

TsSkinPatterns::TsSkinPatterns(TsStoredSkin* owner)
    : TCollection([](TCollection* c) { return new TsSkinPattern(c); }), owner_(owner) {}

// ---- TsStoredSkin
// --------------------------------------------------------------------------------

const TClassInfo& TsStoredSkin::StaticClassInfo() {
  using S = TsStoredSkin;
  static const TClassInfo info =
      TClassBuilder<S>("TsStoredSkin", TCollectionItem::StaticClassInfo())
          .String("Name", &S::Name, &S::SetName)
          .Collection("GeneralData", &S::GeneralData)
          .Collection("Images", &S::Images)
          .Collection("Patterns", &S::Patterns)
          .Object("MasterBitmap", &S::MasterBitmap)
          .Color("Shadow1Color", &S::Shadow1Color)
          .Integer("Shadow1Offset", &S::Shadow1Offset)
          .Integer("Shadow1Blur", &S::Shadow1Blur, -1)
          .Integer("Shadow1Transparency", &S::Shadow1Transparency)
          // A double in memory; the description keeps the shortest text that reads back as the
          // same double ("4.83"), which carries everything an extended real held for these values.
          .Real("Version", &S::Version, 0.0)
          .String("Author", &S::Author)
          .String("Description", &S::Description);
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
