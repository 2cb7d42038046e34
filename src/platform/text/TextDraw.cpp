// GDI's text calls over our fonts: metrics, measuring, TextOut and DrawText, and the embossed text
// of disabled controls.

#include <algorithm>

#include "platform/Utf8.h"
#include "platform/drawing/Colors.h"
#include "platform/text/Font.h"
#include "platform/text/FontObject.h"
#include "platform/text/TextLayout.h"
#include "platform/text/TextRaster.h"

namespace platform {

namespace {

// Coordinates are kept within this range before any arithmetic, so nothing overflows; every
// bitmap is far smaller.
constexpr int kCoordinateLimit = 1 << 28;

int Clamped(int value) { return std::clamp(value, -kCoordinateLimit, kCoordinateLimit); }

TRect Clamped(const TRect& rect) {
  return {Clamped(rect.Left), Clamped(rect.Top), Clamped(rect.Right), Clamped(rect.Bottom)};
}

const Font& SelectedFont(HDC dc) {
  const HFONT font = dc->Current().font;
  return font != nullptr ? *font : *DefaultFont();
}

// One line of laid-out text with the top-left of its cell at (x, top): the glyphs, then the font's
// underline and strike-out across the line, then the prefix underline under its one character.
void DrawLine(TextRaster& raster, const Font& font, const TextLine& line, int x, int top,
              TColor color) {
  const TextMetric& metrics = font.Metrics();
  const int baseline = top + metrics.tmAscent;
  for (const PlacedChar& placed : line.Chars) {
    raster.DrawGlyph(font.GlyphOf(placed.Char), x + placed.X, baseline, color);
  }
  const LogFont& request = font.Request();
  if (request.Underline) {
    const TextDecoration& under = font.Underline();
    raster.Fill(
        {x, baseline + under.Offset, x + line.Width, baseline + under.Offset + under.Thickness},
        color);
  }
  if (request.StrikeOut) {
    const TextDecoration& strike = font.StrikeOut();
    raster.Fill(
        {x, baseline + strike.Offset, x + line.Width, baseline + strike.Offset + strike.Thickness},
        color);
  }
  if (line.Underlined >= 0) {
    const PlacedChar& marked = line.Chars[static_cast<size_t>(line.Underlined)];
    const int left = x + marked.X;
    const int right = left + font.Advance(marked.Char);
    const int row = baseline + font.Underline().Offset;
    raster.Fill({left, row, right, row + 1}, color);
  }
}

}  // namespace

bool GetTextMetrics(HDC dc, TextMetric* metrics) {
  if (dc == nullptr || metrics == nullptr) return false;
  *metrics = SelectedFont(dc).Metrics();
  return true;
}

bool GetTextExtentPoint32(HDC dc, std::string_view text, TSize* size) {
  if (dc == nullptr || size == nullptr) return false;
  const Font& font = SelectedFont(dc);
  const int* plain = font.AsciiAdvances();
  int width = 0;
  size_t pos = 0;
  while (pos < text.size()) {
    // Plain text by table: a long text is measured at the speed of its bytes.
    const auto b = static_cast<unsigned char>(text[pos]);
    if (b >= kFirstPlainAscii && b <= kLastPlainAscii) {
      width = std::min(kMaxTextExtent, width + plain[b - kFirstPlainAscii]);
      ++pos;
      continue;
    }
    width = std::min(kMaxTextExtent, width + font.Advance(NextCodePoint(text, pos)));
  }
  *size = {width, font.Metrics().tmHeight};
  return true;
}

namespace {

// Only what can be seen of the text is placed: the raster's bounds relative to the text's origin,
// widened by the reach of glyphs beyond their cells.
TextViewport ViewportOf(const TextRaster& raster, int x, int top, int reach) {
  const TRect visible = raster.Bounds();
  return {visible.Left - x, visible.Top - top, visible.Right - x, visible.Bottom - top, reach};
}

}  // namespace

bool TextOut(HDC dc, int x, int y, std::string_view text) {
  if (dc == nullptr) return false;
  const Font& font = SelectedFont(dc);
  const DeviceContext::State& state = dc->Current();
  TextRaster raster(dc, nullptr);
  if (!raster.CanDraw()) return true;
  x = Clamped(x);
  y = Clamped(y);
  const int reach = font.Metrics().tmHeight;
  const TextLayout layout = LayOutText(text, DT_SINGLELINE | DT_NOPREFIX, kMaxTextExtent, font,
                                       ViewportOf(raster, x, y, reach));
  if (layout.Lines.empty()) return true;
  const TextLine& line = layout.Lines.front();
  const TRect cell{x, y, x + line.Width, y + font.Metrics().tmHeight};
  // Glyphs may reach beyond their cell (italics, accents above the ascent): widen the focus so
  // the clip rectangles they might touch stay in play.
  raster.Focus(cell.Inflated(reach, reach));
  if (state.bkMode == OPAQUE) raster.Fill(cell, state.bkColor);
  DrawLine(raster, font, line, x, y, state.textColor);
  return true;
}

int DrawText(HDC dc, std::string_view text, TRect* rect, unsigned format) {
  if (dc == nullptr || rect == nullptr) return 0;
  const Font& font = SelectedFont(dc);
  const TRect box = Clamped(*rect);
  if ((format & DT_CALCRECT) != 0) {
    const TextLayout layout = LayOutText(text, format, box.Width(), font);
    rect->Right = box.Left + layout.Width;
    rect->Bottom = box.Top + layout.Height;
    return layout.Height;
  }
  const int lineHeight = font.Metrics().tmHeight;
  const bool singleLine = (format & DT_SINGLELINE) != 0;
  int top = box.Top;
  // Windows aligns vertically only a single line.
  if (singleLine && (format & DT_VCENTER) != 0) {
    top = box.Top + (box.Height() - lineHeight) / 2;
  } else if (singleLine && (format & DT_BOTTOM) != 0) {
    top = box.Bottom - lineHeight;
  }
  TextRaster raster(dc, (format & DT_NOCLIP) != 0 ? nullptr : &box);
  // Glyphs may reach a little beyond their cells.
  const int reach = lineHeight;
  const TextLayout layout =
      raster.CanDraw()
          ? LayOutText(text, format, box.Width(), font, ViewportOf(raster, box.Left, top, reach))
          : LayOutText(text, format, box.Width(), font, {0, 0, -1, -1, 0});
  const int result = singleLine && (format & (DT_VCENTER | DT_BOTTOM)) != 0
                         ? top + layout.Height - box.Top
                         : layout.Height;
  if (layout.Lines.empty() || !raster.CanDraw()) return result;
  // Every line starts between the left-aligned and the right-aligned place.
  const int left = std::min(box.Left, box.Right - layout.Width);
  const int right = std::max(box.Left + layout.Width, box.Right);
  raster.Focus({left - reach, top - reach, right + reach, top + layout.Height + reach});
  const DeviceContext::State& state = dc->Current();
  int y = top;
  for (const TextLine& line : layout.Lines) {
    int x = box.Left;
    if ((format & DT_CENTER) != 0) {
      x = box.Left + (box.Width() - line.Width) / 2;
    } else if ((format & DT_RIGHT) != 0) {
      x = box.Right - line.Width;
    }
    if (state.bkMode == OPAQUE) raster.Fill({x, y, x + line.Width, y + lineHeight}, state.bkColor);
    DrawLine(raster, font, line, x, y, state.textColor);
    y += lineHeight;
  }
  return result;
}

void DrawDisabledText(HDC dc, std::string_view text, const TRect& rect, unsigned format) {
  SetBkMode(dc, TRANSPARENT);
  TRect shifted = rect.Translated(1, 1);
  SetTextColor(dc, ColorToRGB(clBtnHighlight));
  DrawText(dc, text, &shifted, format);
  TRect place = rect;
  SetTextColor(dc, ColorToRGB(clBtnShadow));
  DrawText(dc, text, &place, format);
}

}  // namespace platform
