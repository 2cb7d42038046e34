#include "framework/classes/ColorNames.h"

#include <array>

namespace framework {

using platform::TColor;

namespace {

struct ColorName {
  const char* name;
  TColor color;
};

// In the order ColorToIdent prefers when two names share a value (none do today).
constexpr std::array<ColorName, 52> kColorNames = {{
    {"clBlack", platform::clBlack},
    {"clMaroon", platform::clMaroon},
    {"clGreen", platform::clGreen},
    {"clOlive", platform::clOlive},
    {"clNavy", platform::clNavy},
    {"clPurple", platform::clPurple},
    {"clTeal", platform::clTeal},
    {"clGray", platform::clGray},
    {"clSilver", platform::clSilver},
    {"clRed", platform::clRed},
    {"clLime", platform::clLime},
    {"clYellow", platform::clYellow},
    {"clBlue", platform::clBlue},
    {"clFuchsia", platform::clFuchsia},
    {"clAqua", platform::clAqua},
    {"clWhite", platform::clWhite},
    {"clMoneyGreen", 0xC0DCC0},
    {"clSkyBlue", 0xF0CAA6},
    {"clCream", 0xF0FBFF},
    {"clMedGray", 0xA4A0A0},
    {"clNone", platform::clNone},
    {"clDefault", platform::clDefault},
    {"clScrollBar", platform::clScrollBar},
    {"clBackground", platform::clBackground},
    {"clActiveCaption", platform::clActiveCaption},
    {"clInactiveCaption", platform::clInactiveCaption},
    {"clMenu", platform::clMenu},
    {"clWindow", platform::clWindow},
    {"clWindowFrame", platform::clWindowFrame},
    {"clMenuText", platform::clMenuText},
    {"clWindowText", platform::clWindowText},
    {"clCaptionText", platform::clCaptionText},
    {"clActiveBorder", platform::clActiveBorder},
    {"clInactiveBorder", platform::clInactiveBorder},
    {"clAppWorkSpace", platform::clAppWorkSpace},
    {"clHighlight", platform::clHighlight},
    {"clHighlightText", platform::clHighlightText},
    {"clBtnFace", platform::clBtnFace},
    {"clBtnShadow", platform::clBtnShadow},
    {"clGrayText", platform::clGrayText},
    {"clBtnText", platform::clBtnText},
    {"clInactiveCaptionText", platform::clInactiveCaptionText},
    {"clBtnHighlight", platform::clBtnHighlight},
    {"cl3DDkShadow", platform::cl3DDkShadow},
    {"cl3DLight", platform::cl3DLight},
    {"clInfoText", platform::clInfoText},
    {"clInfoBk", platform::clInfoBk},
    {"clHotLight", platform::clHotLight},
    {"clGradientActiveCaption", platform::clGradientActiveCaption},
    {"clGradientInactiveCaption", platform::clGradientInactiveCaption},
    {"clMenuHighlight", platform::clMenuHighlight},
    {"clMenuBar", platform::clMenuBar},
}};

}  // namespace

std::optional<TColor> IdentToColor(const std::string& ident) {
  for (const ColorName& c : kColorNames)
    if (ident == c.name) return c.color;
  return std::nullopt;
}

std::optional<std::string> ColorToIdent(TColor color) {
  for (const ColorName& c : kColorNames)
    if (color == c.color) return std::string(c.name);
  return std::nullopt;
}

}  // namespace framework
