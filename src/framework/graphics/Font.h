#pragma once
// TFont: the font a canvas writes with, as form descriptions name it: face name, height in pixels
// (negative: the character height, as Windows takes it), colour, style and character set. The
// platform font it stands for is looked up when first needed and kept until a value changes.
//
// Sizes in points are worked out at 96 pixels per inch, as Windows' MulDiv rounds:
// Size = -round(Height * 72 / 96) and setting Size sets Height = -round(Size * 96 / 72), halves
// away from zero, so Height -11 is Size 8 and Size 8 is Height -11.

#include <cstdint>
#include <string>

#include "framework/graphics/GraphicsObject.h"
#include "platform/drawing/Colors.h"
#include "platform/text/Font.h"

namespace framework {

using platform::TColor;

// Font styles: a set, one bit each.
enum TFontStyle : uint32_t {
  fsBold = 1u << 0,
  fsItalic = 1u << 1,
  fsUnderline = 1u << 2,
  fsStrikeOut = 1u << 3
};
using TFontStyles = uint32_t;

// Character sets keep Windows' numbers (0 to 255). Text is UTF-8 whatever the set says; the value
// is carried for the descriptions that name it.
using TFontCharset = int;
using platform::ANSI_CHARSET;
using platform::DEFAULT_CHARSET;
using platform::SYMBOL_CHARSET;

// Windows' MulDiv: a * b / c in 64 bits, rounded to the nearest integer, halves away from zero;
// -1 when c is 0 (as Windows answers).
int MulDiv(int a, int b, int c);

class TFont : public TGraphicsObject {
 public:
  static constexpr int kPixelsPerInch = 96;

  TFont() = default;
  DECLARE_CLASS_INFO()

  const std::string& Name() const { return name_; }
  void SetName(const std::string& name);
  int Height() const { return height_; }
  void SetHeight(int height);
  int Size() const;
  void SetSize(int size);
  TColor Color() const { return color_; }
  void SetColor(TColor color);
  TFontStyles Style() const { return style_; }
  void SetStyle(TFontStyles style);  // bits beyond the four styles are dropped
  TFontCharset Charset() const { return charset_; }
  void SetCharset(TFontCharset charset);  // clamped to 0..255
  int PixelsPerInch() const { return kPixelsPerInch; }

  // Copies name, height, colour, style and character set from another TFont, with one OnChange
  // when anything differed; nullptr or another class raises EConvertError.
  void Assign(const TPersistent* source) override;

  // What the platform is asked for, and the platform font itself (made on first use; may raise
  // platform::EFontError when no face at all can be loaded).
  platform::LogFont LogFont() const;
  platform::HFONT Handle() const;

 private:
  // Stores a new value; false when it was already the value.
  template <typename T>
  bool Store(T& field, const T& value);

  std::string name_ = "MS Sans Serif";
  int height_ = -11;
  TColor color_ = platform::clWindowText;
  TFontStyles style_ = 0;
  TFontCharset charset_ = DEFAULT_CHARSET;
  mutable platform::HFONT handle_ = nullptr;
};

}  // namespace framework
