#include "framework/graphics/Font.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>

#include "framework/classes/ClassBuilder.h"

namespace framework {

namespace {

constexpr TFontStyles kAllStyles = fsBold | fsItalic | fsUnderline | fsStrikeOut;

// Character sets as descriptions name them.
const TEnumNames<int>& CharsetNames() {
  static const TEnumNames<int> names = {
      {"ANSI_CHARSET", 0},      {"DEFAULT_CHARSET", 1},    {"SYMBOL_CHARSET", 2},
      {"MAC_CHARSET", 77},      {"SHIFTJIS_CHARSET", 128}, {"HANGEUL_CHARSET", 129},
      {"JOHAB_CHARSET", 130},   {"GB2312_CHARSET", 134},   {"CHINESEBIG5_CHARSET", 136},
      {"GREEK_CHARSET", 161},   {"TURKISH_CHARSET", 162},  {"VIETNAMESE_CHARSET", 163},
      {"HEBREW_CHARSET", 177},  {"ARABIC_CHARSET", 178},   {"BALTIC_CHARSET", 186},
      {"RUSSIAN_CHARSET", 204}, {"THAI_CHARSET", 222},     {"EASTEUROPE_CHARSET", 238},
      {"OEM_CHARSET", 255},
  };
  return names;
}

// The character set is an integer that descriptions usually write as an identifier: either is
// read, and known values are written as identifiers.
TPropInfo CharsetProperty() {
  TPropInfo p;
  p.name = "Charset";
  p.kind = TPropKind::Integer;
  p.read = [](TObject* obj, const TFormValue& value, TReader&) {
    int charset = 0;
    if (value.kind == TFormValue::Kind::Identifier) {
      const auto& names = CharsetNames();
      const auto it = std::find_if(names.begin(), names.end(),
                                   [&](const auto& entry) { return entry.first == value.text; });
      if (it == names.end()) ThrowPropertyError("Invalid property value '" + value.text + "'");
      charset = it->second;
    } else {
      const int64_t v = ReadIntegerValue(value);
      if (v < 0 || v > 255) ThrowPropertyError("Character set out of range");
      charset = static_cast<int>(v);
    }
    static_cast<TFont*>(obj)->SetCharset(charset);
  };
  p.write = [](const TObject* obj) -> std::optional<TFormValue> {
    const int charset = static_cast<const TFont*>(obj)->Charset();
    if (charset == DEFAULT_CHARSET) return std::nullopt;
    for (const auto& [ident, v] : CharsetNames())
      if (v == charset) return MakeIdentValue(ident);
    return MakeIntegerValue(charset);
  };
  p.copy = [](const TObject* src, TObject* dst) {
    static_cast<TFont*>(dst)->SetCharset(static_cast<const TFont*>(src)->Charset());
  };
  return p;
}

}  // namespace

int MulDiv(int a, int b, int c) {
  if (c == 0) return -1;
  const int64_t product = int64_t{a} * b;
  const int64_t magnitude =
      (std::llabs(product) + std::llabs(int64_t{c}) / 2) / std::llabs(int64_t{c});
  const int64_t result = ((product < 0) != (c < 0)) ? -magnitude : magnitude;
  return static_cast<int>(std::clamp<int64_t>(result, INT32_MIN, INT32_MAX));
}

const TEnumNames<uint32_t> kFontStyleNames = {{"fsBold", fsBold},
                                              {"fsItalic", fsItalic},
                                              {"fsUnderline", fsUnderline},
                                              {"fsStrikeOut", fsStrikeOut}};

const TClassInfo& TFont::StaticClassInfo() {
  using C = TFont;
  static const TClassInfo info =
      TClassBuilder<C>("TFont", TGraphicsObject::StaticClassInfo())
          .Property(CharsetProperty())
          .Color("Color", &C::Color, &C::SetColor, platform::clWindowText)
          .Integer("Height", &C::Height, &C::SetHeight, -11)
          .String("Name", &C::Name, &C::SetName, std::string("MS Sans Serif"))
          // Size is read (older descriptions give it) but never written: Height says the same.
          .Integer("Size", nullptr, &C::SetSize)
          .Set("Style", &C::Style, &C::SetStyle, kFontStyleNames, 0u);
  return info;
}

template <typename T>
bool TFont::Store(T& field, const T& value) {
  if (field == value) return false;
  field = value;
  handle_ = nullptr;
  return true;
}

void TFont::SetName(const std::string& name) {
  if (Store(name_, name)) Changed();
}

void TFont::SetHeight(int height) {
  if (Store(height_, height)) Changed();
}

int TFont::Size() const { return -MulDiv(height_, 72, kPixelsPerInch); }

void TFont::SetSize(int size) { SetHeight(-MulDiv(size, kPixelsPerInch, 72)); }

void TFont::SetColor(TColor color) {
  // The colour is not part of the platform font: the handle stays.
  if (color_ == color) return;
  color_ = color;
  Changed();
}

void TFont::SetStyle(TFontStyles style) {
  if (Store(style_, style & kAllStyles)) Changed();
}

void TFont::SetCharset(TFontCharset charset) {
  if (Store(charset_, std::clamp(charset, 0, 255))) Changed();
}

void TFont::Assign(const TPersistent* source) {
  const auto* font = dynamic_cast<const TFont*>(source);
  if (!font) {
    TGraphicsObject::Assign(source);
    return;
  }
  if (font == this) return;
  bool changed = Store(name_, font->name_);
  changed |= Store(height_, font->height_);
  changed |= Store(style_, font->style_);
  changed |= Store(charset_, font->charset_);
  if (color_ != font->color_) {
    color_ = font->color_;
    changed = true;
  }
  if (changed) Changed();
}

platform::LogFont TFont::LogFont() const {
  platform::LogFont lf;
  lf.FaceName = name_;
  lf.Height = height_;
  lf.Weight = (style_ & fsBold) ? platform::FW_BOLD : platform::FW_NORMAL;
  lf.Italic = (style_ & fsItalic) != 0;
  lf.Underline = (style_ & fsUnderline) != 0;
  lf.StrikeOut = (style_ & fsStrikeOut) != 0;
  lf.CharSet = charset_;
  return lf;
}

platform::HFONT TFont::Handle() const {
  if (!handle_) handle_ = platform::CreateFontIndirect(LogFont());
  return handle_;
}

}  // namespace framework
