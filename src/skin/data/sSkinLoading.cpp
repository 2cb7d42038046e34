#include "skin/data/sSkinLoading.h"

#include <algorithm>
#include <filesystem>
#include <limits>
#include <system_error>

#include "skin/data/sColorAdjust.h"
#include "skin/data/sMaskForms.h"
#include "skin/data/sSectionKeys.h"
#include "skin/data/sSkinDirectory.h"
#include "skin/data/sSkinFolder.h"
#include "skin/data/sSkinScale.h"
#include "skin/data/sStoredSkin.h"
#include "skin/data/sStrUtils.h"

namespace skin {

namespace {

bool Contains(const std::string& text, const char* part) {
  return text.find(part) != std::string::npos;
}

// A bitmap converted to 24 bits per pixel; an empty one when the picture cannot be converted.
std::unique_ptr<framework::TBitmap> Copy24(const framework::TBitmap* source) {
  auto bitmap = std::make_unique<framework::TBitmap>();
  try {
    bitmap->Assign(source);
    bitmap->SetPixelFormat(framework::pf24bit);
  } catch (const platform::Exception&) {
    bitmap = std::make_unique<framework::TBitmap>();
  }
  return bitmap;
}

bool FileExists(const std::string& path) {
  std::error_code error;
  return std::filesystem::is_regular_file(path, error);
}

// Five blank-separated integers; any other text gives the defaults (text colour 0, no outlines).
// Filled word by word: a word that is not a number stops here, with the words before it taken.
void ReadFontColors(const std::string& text, TsFontColors& colors) {
  const auto words = SplitWords(text, " ");
  if (text.empty() || words.size() != 5) {
    colors = {0, -1, -1, -1, -1};
    return;
  }
  for (size_t i = 0; i < 5; ++i) colors[i] = StrToInt(words[i]);
}

void FillSectionRecord(TsGeneralData& d, const TsSkinGeneral& g) {
  // Field by field in this order: a value that cannot be read ends the record there, and the
  // fields after it keep their defaults.
  d.SectionName = g.SectionName;
  d.ParentClass = g.ParentClass;
  d.Color = g.Color;
  d.Bevel = g.Bevel;
  d.ShadowBlur = g.ShadowBlur;
  d.ShadowOffset = g.ShadowOffset;
  d.ShadowColor = g.ShadowColor;
  d.ShadowTransparency = g.ShadowTransparency;
  d.ShadowEnabled = g.ShadowEnabled;
  d.ReservedBoolean = g.ReservedBoolean;
  d.Transparency = g.Transparency;
  d.GradientPercent = g.GradientPercent;
  d.ImagePercent = g.ImagePercent;
  d.GradientData = g.GradientData;
  d.GradientArray = ParseGradientData(g.GradientData);
  d.ShowFocus = g.ShowFocus;
  d.FadingEnabled = g.FadingEnabled;
  d.FadingIntervalIn = g.FadingIntervalIn;
  d.FadingIntervalOut = g.FadingIntervalOut;
  d.FadingIterations = g.FadingIterations;
  d.HotColor = g.HotColor;
  d.HotTransparency = g.HotTransparency;
  d.HotBevel = g.HotBevel;
  d.HotGradientPercent = g.HotGradientPercent;
  d.HotGradientData = g.HotGradientData;
  d.HotGradientArray = ParseGradientData(g.HotGradientData);
  d.HotImagePercent = g.HotImagePercent;
  ReadFontColors(g.HotFontColor, d.HotFontColor);
  ReadFontColors(g.FontColor, d.FontColor);
  d.BorderColor1 = g.BorderColor1;
  d.BorderColor2 = g.BorderColor2;
}

// ---- the mask table

// One mask record per image of the stored skin: its own picture (24 bits) or a rectangle of the
// master bitmap.
void AddStoredMasks(const TsStoredSkin& skin, TsSkinTables& tables) {
  tables.MasterBitmap = Copy24(skin.MasterBitmap());
  tables.MasterBitmap->SetTransparentColor(platform::clFuchsia);

  const TsSkinImages* images = skin.Images();
  tables.Masks.reserve(static_cast<size_t>(images->Count()));
  for (int i = 0; i < images->Count(); ++i) {
    const TsSkinImage& item = *images->Items(i);
    TsMaskData& m = tables.Masks.emplace_back();
    if (!item.Name.empty()) {
      m.Bmp = Copy24(item.Image());
      m.R = {0, 0, m.Bmp->Width(), m.Bmp->Height()};
    } else {
      m.R = {item.Left, item.Top, item.Right, item.Bottom};
    }
    m.PropertyName = UpperCase(item.PropertyName);
    m.SectionName = UpperCase(item.SectionName);
    // ImageCount 0 means three states with a mask band. Counts below 0 and mask types other than
    // 0 and 1 mean nothing; they are clamped so that the divisions below stay sound.
    SetStates(m, item.ImageCount, item.MaskType);
    m.BorderWidth = Clamp16(item.BorderWidth, 0);
    if (m.PropertyName == "PATTERN" || m.PropertyName == "HOTPATTERN") {
      m.ImgType = itisaTexture;
      m.DrawMode = item.ImgType == itisaTexture ? Clamp16(item.StretchMode) : int16_t{0};
    } else {
      m.DrawMode = Clamp16(item.StretchMode);
      m.ImgType = item.ImgType;
    }
    m.WL = Clamp16(item.WL, 0);
    m.WT = Clamp16(item.WT, 0);
    m.WR = Clamp16(item.WR, 0);
    m.WB = Clamp16(item.WB, 0);
    DefaultMargins(m);
    m.Tables = &tables;
  }
}

// The masks of the common sections: a picture file (relative to skinPath) or, with a master
// bitmap, a rectangle of it.
void AddCommonMasks(const TsIniText& common, const std::string& skinPath, TsSkinTables& tables) {
  for (const TsIniSection& section : common.Sections()) {
    const std::string sectionName = UpperCase(section.Name);
    if (sectionName == "GLOBALINFO") continue;
    for (const auto& [key, value] : section.Keys) {
      const std::string upper = UpperCase(value);
      TsMaskData m;
      m.PropertyName = UpperCase(key);
      m.SectionName = sectionName;
      m.Tables = &tables;
      if (value.find('#') == std::string::npos || !tables.MasterBitmap) {
        if (!Contains(upper, ".BMP")) continue;
        const std::string path = FindSkinFile(SkinFilePath(value, skinPath));
        if (!FileExists(path)) continue;
        auto bitmap = std::make_unique<framework::TBitmap>();
        try {
          bitmap->LoadFromFile(path);
          bitmap->SetPixelFormat(framework::pf24bit);
        } catch (const platform::Exception&) {
          continue;
        }
        if (bitmap->Width() < 1) continue;
        m.R = {0, 0, bitmap->Width(), bitmap->Height()};
        m.Bmp = std::move(bitmap);
        if (m.PropertyName == "PATTERN" || m.PropertyName == "HOTPATTERN") {
          m.ImgType = itisaTexture;
          m.ImageCount = 1;
        } else {
          // Three states with a mask band, as a skin folder's plain picture masks are.
          m.ImageCount = 3;
          m.MaskType = 1;
          m.DrawMode = 1;
          DefaultMargins(m);
        }
      } else if (value == "#" || !ReadRectangleForm(value, m)) {
        continue;
      }
      tables.Masks.push_back(std::move(m));
    }
  }
}

// ---- the pattern table

void AddStoredPatterns(const TsStoredSkin& skin, TsSkinTables& tables) {
  const TsSkinPatterns* items = skin.Patterns();
  tables.Patterns.reserve(static_cast<size_t>(items->Count()));
  for (int i = 0; i < items->Count(); ++i) {
    const TsSkinPattern& item = *items->Items(i);
    TsPatternData& p = tables.Patterns.emplace_back();
    p.Img = std::make_unique<framework::TJPEGImage>();
    if (!item.Image()->Empty()) {
      p.Img->Assign(item.Image());
    } else {
      // Patterns showing one picture carry it once: take it from the first item of that name
      // that has it.
      for (int j = 0; j < items->Count(); ++j) {
        const TsSkinPattern& partner = *items->Items(j);
        if (partner.Name == item.Name && !partner.Image()->Empty()) {
          p.Img->Assign(partner.Image());
          break;
        }
      }
    }
    p.PropertyName = UpperCase(item.PropertyName);
    p.SectionName = UpperCase(item.SectionName);
  }
}

// Every JPEG file the common sections name that can be read (relative to skinPath).
void AddCommonPatterns(const TsIniText& common, const std::string& skinPath, TsSkinTables& tables) {
  for (const TsIniSection& section : common.Sections()) {
    for (const auto& [key, value] : section.Keys) {
      const std::string upper = UpperCase(value);
      if (!Contains(upper, ".JPG") && !Contains(upper, ".JPEG")) continue;
      const std::string path = FindSkinFile(SkinFilePath(value, skinPath));
      if (!FileExists(path)) continue;
      auto image = std::make_unique<framework::TJPEGImage>();
      try {
        image->LoadFromFile(path);
      } catch (const platform::Exception&) {
        continue;
      }
      if (image->Width() < 1) continue;
      TsPatternData& p = tables.Patterns.emplace_back();
      p.Img = std::move(image);
      p.PropertyName = UpperCase(key);
      p.SectionName = UpperCase(section.Name);
    }
  }
}

// ---- the section table

void ReadStoredSkinInfo(const TsStoredSkin& skin, TsSkinData& info) {
  info.Version = skin.Version;
  info.Author = skin.Author;
  info.Description = skin.Description;
  info.Shadow1Color = skin.Shadow1Color;
  info.Shadow1Offset = skin.Shadow1Offset;
  info.Shadow1Blur = skin.Shadow1Blur;
  info.Shadow1Transparency = skin.Shadow1Transparency;
}

void AddStoredSections(const TsStoredSkin& skin, TsGeneralDataArray& sections) {
  const TsSkinGenerals* generals = skin.GeneralData();
  sections.reserve(static_cast<size_t>(generals->Count()));
  for (int i = 0; i < generals->Count(); ++i) {
    TsGeneralData& record = sections.emplace_back();
    // A number that cannot be read ends this record where it stands; the rest of its fields keep
    // their zero values and the next record is read.
    try {
      FillSectionRecord(record, *generals->Items(i));
    } catch (const platform::Exception&) {
    }
  }
}

// One section per common section, its values inherited from the skin's section its ParentClass
// names.
void AddCommonSections(const TsIniText& common, TsGeneralDataArray& sections) {
  for (const TsIniSection& section : common.Sections()) {
    TsGeneralData d;
    d.SectionName = section.Name;
    const std::optional<std::string> parentKey = section.Value("PARENTCLASS");
    const TsGeneralData* parent = nullptr;
    if (parentKey && !parentKey->empty()) {
      d.ParentClass = UpperCase(*parentKey);
      for (const TsGeneralData& candidate : sections) {
        if (UpperCase(candidate.SectionName) == d.ParentClass) {
          parent = &candidate;
          break;
        }
      }
    }
    ReadSectionKeys(d, section, parent);
    sections.push_back(std::move(d));
  }
}

// ---- the colour adjustment

void AdjustColors(int hueOffset, int saturation, TsSkinTables& tables, TsSkinData& info) {
  const int amount = SaturationAmount(saturation);
  auto pass = [&](auto adjust, auto adjustBitmap) {
    if (tables.MasterBitmap) adjustBitmap(tables.MasterBitmap->DIB());
    for (TsMaskData& m : tables.Masks)
      if (m.Bmp) adjustBitmap(m.Bmp->DIB());
    for (TsGeneralData& d : tables.Sections) {
      d.Color = adjust(d.Color);
      d.HotColor = adjust(d.HotColor);
      for (int32_t& c : d.FontColor)
        if (c != -1) c = adjust(c);
      for (int32_t& c : d.HotFontColor)
        if (c != -1) c = adjust(c);
      // Only as many elements as the text describes (a text read from INI may hold fewer words
      // than a parent's array has elements).
      const size_t described =
          std::min(d.GradientArray.size(), SplitWords(d.GradientData, ";").size() / 5);
      for (size_t i = 0; i < described; ++i) {
        d.GradientArray[i].StartColor = adjust(d.GradientArray[i].StartColor);
        d.GradientArray[i].EndColor = adjust(d.GradientArray[i].EndColor);
      }
      for (TsGradSegment& s : d.HotGradientArray) {
        s.StartColor = adjust(s.StartColor);
        s.EndColor = adjust(s.EndColor);
      }
    }
    info.Shadow1Color = adjust(info.Shadow1Color);
  };
  // Whole turns are skipped: the rotation rounds hues to whole degrees, so a turn of 360 would
  // still move every colour whose hue has a fraction.
  if (hueOffset % 360 != 0)
    pass([&](TColor c) { return AdjustHue(c, hueOffset); },
         [&](platform::DIBitmap& b) { AdjustBitmapHue(b, hueOffset); });
  if (saturation != 0)
    pass([&](TColor c) { return AdjustSaturation(c, amount); },
         [&](platform::DIBitmap& b) { AdjustBitmapSaturation(b, amount); });
  if (tables.MasterBitmap) tables.MasterBitmap->Modified();
}

// The steps every load ends with: the common sections, the colour adjustment, the scale and the
// look-ups.
void FinishSkin(const TsSkinLoadOptions& options, TsLoadedSkin& skin) {
  if (!options.CommonSections.Empty())
    AddCommonSections(options.CommonSections, skin.Tables.Sections);
  AdjustColors(options.HueOffset, options.Saturation, skin.Tables, skin.Info);
  ScaleSkinTables(options.Scale, skin.Tables, skin.Info);
  skin.Tables.BuildIndex();
}

}  // namespace

TsLoadedSkin LoadStoredSkin(const TsStoredSkin& skin, const TsSkinLoadOptions& options) {
  TsLoadedSkin loaded;
  TsSkinTables& tables = loaded.Tables;
  AddStoredMasks(skin, tables);
  AddCommonMasks(options.CommonSections, loaded.Info.SkinPath, tables);
  AddStoredPatterns(skin, tables);
  AddCommonPatterns(options.CommonSections, loaded.Info.SkinPath, tables);
  ReadStoredSkinInfo(skin, loaded.Info);
  AddStoredSections(skin, tables.Sections);
  FinishSkin(options, loaded);
  return loaded;
}

TsLoadedSkin LoadFolderSkin(const TsSkinFiles& files, const std::string& skinPath,
                            const TsSkinLoadOptions& options) {
  TsLoadedSkin loaded;
  TsSkinTables& tables = loaded.Tables;
  loaded.Info.SkinPath = skinPath;
  TsSkinFolder folder(files, skinPath);
  folder.BuildMasks(tables);
  AddCommonMasks(options.CommonSections, skinPath, tables);
  folder.BuildPatterns(tables);
  AddCommonPatterns(options.CommonSections, skinPath, tables);
  folder.ReadSkinInfo(loaded.Info);
  folder.BuildSections(tables.Sections);
  FinishSkin(options, loaded);
  loaded.Notes = folder.Notes();
  return loaded;
}

}  // namespace skin
