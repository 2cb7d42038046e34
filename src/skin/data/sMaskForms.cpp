#include "skin/data/sMaskForms.h"

#include <algorithm>
#include <limits>
#include <vector>

#include "skin/data/sStrUtils.h"

namespace skin {

namespace {

bool IsPatternRole(const std::string& role) { return role == "PATTERN" || role == "HOTPATTERN"; }

// The number in the 1-based character positions first to last of value; a column the value does
// not reach is empty and so not a number.
int Column(std::string_view value, size_t first, size_t last) {
  const std::string_view text =
      first > value.size() ? std::string_view() : value.substr(first - 1, last - first + 1);
  return StrToInt(text);
}

}  // namespace

TsMaskForm MaskFormOf(std::string_view value) {
  if (value.empty()) return mfNone;
  switch (value.front()) {
    case '!': return mfPictureWithParams;
    case '@': return mfGlyph;
    case '^': return mfBorder;
    case '~': return mfTexture;
    default: break;
  }
  if (value.find('#') == std::string_view::npos)
    return ContainsText(value, ".BMP") ? mfPictureFile : mfNone;
  return value == "#" ? mfNone : mfRectangle;
}

int16_t Clamp16(int value, int low) {
  return static_cast<int16_t>(
      std::clamp(value, low, static_cast<int>(std::numeric_limits<int16_t>::max())));
}

void SetStates(TsMaskData& m, int imageCount, int maskType) {
  if (imageCount == 0) {
    imageCount = 3;
    maskType = 1;
  }
  m.ImageCount = Clamp16(imageCount, 1);
  m.MaskType = static_cast<int16_t>(std::clamp(maskType, 0, 1));
}

void DefaultMargins(TsMaskData& m) {
  if (m.WL + m.WT + m.WR + m.WB != 0) return;
  m.WL = m.WR = Clamp16(MaskMargin(m, 0, true), 0);
  m.WT = m.WB = Clamp16(MaskMargin(m, 0, false), 0);
}

bool ReadRectangleForm(std::string_view value, TsMaskData& m) {
  const auto words = SplitWords(value, " ()");
  if (words.size() < 2) return false;
  const auto rect = SplitWords(words[1], ", ");
  if (rect.size() < 4) return false;
  int r[4];
  for (size_t i = 0; i < 4; ++i) {
    const auto v = TryStrToInt(rect[i]);
    if (!v) return false;
    r[i] = *v;
  }
  m.R = {r[0], r[1], r[2], r[3]};
  std::vector<int> numbers;
  if (words.size() >= 3)
    for (std::string_view word : SplitWords(words[2], ", "))
      numbers.push_back(TryStrToInt(word).value_or(0));
  auto number = [&](size_t i, int absent) { return i < numbers.size() ? numbers[i] : absent; };
  m.ImageCount = Clamp16(number(0, 1), 1);
  m.MaskType = static_cast<int16_t>(std::clamp(number(1, 0), 0, 1));
  m.BorderWidth = Clamp16(number(2, 0), 0);
  if (IsPatternRole(m.PropertyName)) {
    m.ImgType = itisaTexture;
    m.DrawMode = 0;
  } else {
    m.ImgType = itisaBorder;
    m.DrawMode = Clamp16(number(3, 1));
  }
  DefaultMargins(m);
  return true;
}

void ReadGlyphForm(std::string_view value, TsMaskData& m) {
  m.ImgType = itisaGlyph;
  m.R = {Column(value, 2, 5), Column(value, 7, 10), Column(value, 12, 15), Column(value, 17, 20)};
  SetStates(m, Column(value, 22, 22), Column(value, 24, 24));
}

void ReadBorderForm(std::string_view value, TsMaskData& m) {
  m.ImgType = itisaBorder;
  m.R = {Column(value, 2, 5), Column(value, 7, 10), Column(value, 12, 15), Column(value, 17, 20)};
  m.WL = Clamp16(Column(value, 22, 25), 0);
  m.WT = Clamp16(Column(value, 27, 30), 0);
  m.WR = Clamp16(Column(value, 32, 35), 0);
  m.WB = Clamp16(Column(value, 37, 40), 0);
  SetStates(m, Column(value, 42, 42), Column(value, 44, 44));
  m.DrawMode = Clamp16(Column(value, 46, 46));
  m.BorderWidth = Clamp16(Column(value, 48, 48), 0);
  DefaultMargins(m);
}

void ReadTextureForm(std::string_view value, TsMaskData& m) {
  m.ImgType = itisaTexture;
  m.R = {Column(value, 2, 5), Column(value, 7, 10), Column(value, 12, 15), Column(value, 17, 20)};
  m.DrawMode = Clamp16(Column(value, 22, 23));
  SetStates(m, 1, value.size() < 25 ? 0 : Column(value, 25, 25));
}

std::optional<TsPictureParams> ReadPictureParams(std::string_view value) {
  const auto words = SplitWords(value, "!");
  // The extension in capitals, as the format has it: "btn.bmp" is not a picture of this form.
  if (words.empty() || words[0].find(".BMP") == std::string_view::npos) return std::nullopt;
  auto word = [&](size_t i) { return StrToInt(i < words.size() ? words[i] : std::string_view()); };
  TsPictureParams p;
  p.FileName = std::string(words[0]);
  p.ImageCount = word(1);
  p.MaskType = word(2);
  p.ImgType = word(3);
  if (words.size() >= 5) p.Margins = std::array<int, 4>{word(4), word(5), word(6), word(7)};
  return p;
}

}  // namespace skin
