#include "skin/data/sSectionKeys.h"

#include <algorithm>

#include "platform/Exception.h"
#include "skin/data/sStrUtils.h"

namespace skin {

namespace {

TsGradArray ParseIniGradient(const std::string& text) {
  if (text == " ") return {};
  try {
    return ParseGradientData(text);
  } catch (const platform::Exception&) {
    return {};
  }
}

}  // namespace

void ReadSectionKeys(TsGeneralData& d, const TsIniSection& section, const TsGeneralData* parent,
                     TsSectionKeyRules rules) {
  auto number = [&](const char* key) -> std::optional<int> {
    const std::string* text = section.Find(key);
    const std::optional<int> value = text ? TryStrToInt(*text) : std::nullopt;
    if (value && *value != -1) return value;
    return std::nullopt;
  };
  auto integer = [&](const char* key, int TsGeneralData::*field, int def) {
    if (const auto value = number(key)) return *value;
    return parent ? parent->*field : def;
  };
  auto ranged = [&](const char* key, int TsGeneralData::*field, int def, int highest) {
    return std::clamp(integer(key, field, def), 0, highest);
  };
  auto percent = [&](const char* key, int TsGeneralData::*field, int def) {
    return ranged(key, field, def, TsSectionRanges::kMaxPercent);
  };
  auto boolean = [&](const char* key, bool TsGeneralData::*field) {
    if (const std::string* text = section.Find(key)) return SameText(*text, "TRUE");
    return parent ? parent->*field : false;
  };
  auto text = [&](const char* key, std::string TsGeneralData::*field, const char* def) {
    if (const std::string* value = section.Find(key)) return *value;
    return parent ? parent->*field : std::string(def);
  };
  auto bevel = [&](const char* key, TsControlBevel TsGeneralData::*field) {
    const auto value = number(key);
    if (!value) return parent ? parent->*field : cbNone;
    // Only 0 to 4 name a bevel; anything else draws none.
    return *value >= 0 && *value <= 4 ? static_cast<TsControlBevel>(*value) : cbNone;
  };
  auto fontColor = [&](const char* key, TsFontColors TsGeneralData::*field, size_t i, int def) {
    if (const auto value = number(key)) return *value;
    return parent ? (parent->*field)[i] : def;
  };

  d.Color = integer("COLOR", &TsGeneralData::Color, 0xFFFFFF);
  if (rules.resolveColor) d.Color = platform::ColorToRGB(d.Color);
  d.Bevel = bevel("BEVEL", &TsGeneralData::Bevel);
  d.ShadowBlur = integer("SHADOWBLUR", &TsGeneralData::ShadowBlur, 6);
  d.ShadowOffset = integer("SHADOWOFFSET", &TsGeneralData::ShadowOffset, 3);
  d.ShadowColor = rules.inheritShadowColor ? integer("SHADOWCOLOR", &TsGeneralData::ShadowColor, 0)
                                           : number("SHADOWCOLOR").value_or(0);
  d.ShadowTransparency = percent("SHADOWTRANSPARENCY", &TsGeneralData::ShadowTransparency, 50);
  d.ShadowEnabled = boolean("SHADOWENABLED", &TsGeneralData::ShadowEnabled);
  d.ReservedBoolean = boolean("RESERVEDBOOLEAN", &TsGeneralData::ReservedBoolean);
  static const char* const fontKeys[] = {"FONTCOLOR", "TCLEFT", "TCTOP", "TCRIGHT", "TCBOTTOM"};
  static const char* const hotFontKeys[] = {"HOTFONTCOLOR", "HOTTCLEFT", "HOTTCTOP", "HOTTCRIGHT",
                                            "HOTTCBOTTOM"};
  for (size_t i = 0; i < 5; ++i) {
    d.FontColor[i] = fontColor(fontKeys[i], &TsGeneralData::FontColor, i, i == 0 ? 0 : -1);
    d.HotFontColor[i] = fontColor(hotFontKeys[i], &TsGeneralData::HotFontColor, i, i == 0 ? 0 : -1);
  }
  d.Transparency = percent("TRANSPARENCY", &TsGeneralData::Transparency, 0);
  d.GradientPercent = percent("GRADIENTPERCENT", &TsGeneralData::GradientPercent, 0);
  d.ImagePercent = percent("IMAGEPERCENT", &TsGeneralData::ImagePercent, 0);
  d.GradientData = text("GRADIENTDATA", &TsGeneralData::GradientData, " ");
  d.GradientArray = ParseIniGradient(d.GradientData);
  d.ShowFocus = boolean("SHOWFOCUS", &TsGeneralData::ShowFocus);
  d.FadingEnabled = boolean("FADINGENABLED", &TsGeneralData::FadingEnabled);
  d.FadingIntervalIn = ranged("FADINGINTERVALIN", &TsGeneralData::FadingIntervalIn, 5,
                              TsSectionRanges::kMaxFadingInterval);
  d.FadingIntervalOut = ranged("FADINGINTERVALOUT", &TsGeneralData::FadingIntervalOut, 5,
                               TsSectionRanges::kMaxFadingInterval);
  d.FadingIterations = ranged("FADINGITERATIONS", &TsGeneralData::FadingIterations, 5,
                              TsSectionRanges::kMaxFadingIterations);
  d.HotColor = integer("HOTCOLOR", &TsGeneralData::HotColor, 0xFFFFFF);
  d.HotTransparency = percent("HOTTRANSPARENCY", &TsGeneralData::HotTransparency, 0);
  d.HotBevel = bevel("HOTBEVEL", &TsGeneralData::HotBevel);
  d.HotGradientPercent = percent("HOTGRADIENTPERCENT", &TsGeneralData::HotGradientPercent, 0);
  d.HotGradientData = text("HOTGRADIENTDATA", &TsGeneralData::HotGradientData, "");
  d.HotGradientArray = ParseIniGradient(d.HotGradientData);
  d.HotImagePercent = percent("HOTIMAGEPERCENT", &TsGeneralData::HotImagePercent, 0);
  d.BorderColor1 = integer("BORDERCOLOR1", &TsGeneralData::BorderColor1, 0);
  d.BorderColor2 = integer("BORDERCOLOR2", &TsGeneralData::BorderColor2, 0);
}

}  // namespace skin
