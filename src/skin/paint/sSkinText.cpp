#include "skin/paint/sSkinText.h"

#include "framework/graphics/Font.h"
#include "platform/Utf8.h"
#include "platform/windows/Paint.h"
#include "skin/data/sSkinTables.h"

namespace skin {

using framework::TCanvas;
using platform::DT_CENTER;
using platform::DT_NOCLIP;
using platform::DT_RIGHT;
using platform::DT_WORDBREAK;

namespace {

void Draw(TCanvas* canvas, std::string_view text, TRect r, unsigned flags, TColor color) {
  canvas->Font()->SetColor(color);
  platform::DrawText(canvas->Handle(), text, &r, flags);
}

// Places a single line in rect by its measured size and returns where it is drawn; rect comes
// back one pixel larger than that on every side. With DT_WORDBREAK the text fills rect as given.
TRect FitSingleLine(TCanvas* canvas, std::string_view text, unsigned flags, TRect& rect) {
  if (flags & DT_WORDBREAK) return rect;
  const platform::TSize size = canvas->TextExtent(text);
  const TRect e{rect.Left, rect.Top, rect.Left + size.cx, rect.Top + size.cy};
  const int dy = (e.Height() - rect.Height()) / 2;
  const int dx = (e.Width() - rect.Width()) / 2;
  if (flags & DT_CENTER) {
    rect = rect.Inflated(dx, dy);
  } else if (flags & DT_RIGHT) {
    rect.Top -= dy;
    rect.Bottom += dy;
    rect.Left += rect.Width() - e.Width();
  } else {
    rect.Top -= dy;
    rect.Bottom += dy;
    rect.Right += e.Width() - rect.Width();
  }
  const TRect placed = rect;
  rect = rect.Inflated(1, 1);
  return placed;
}

// The embossed text of disabled controls.
void DrawDisabled(TCanvas* canvas, std::string_view text, const TRect& e, unsigned flags) {
  Draw(canvas, text, e.Translated(1, 1), flags, platform::clBtnHighlight);
  Draw(canvas, text, e, flags, platform::clBtnShadow);
}

// The four one-pixel outline copies, left, top, right, bottom, in the section's colours (-1: that
// one is not drawn).
void DrawOutlines(TCanvas* canvas, std::string_view text, const TRect& e, unsigned flags,
                  const TsFontColors& colors) {
  static constexpr platform::TPoint kOffsets[4] = {{-1, 0}, {0, -1}, {1, 0}, {0, 1}};
  for (int side = 0; side < 4; ++side) {
    const TColor color = colors[static_cast<size_t>(side) + 1];
    if (color != -1)
      Draw(canvas, text, e.Translated(kOffsets[side].X, kOffsets[side].Y), flags, color);
  }
}

// Where the last character of the text starts, as drawing decodes it (a byte that starts no valid
// sequence is a character of its own), so that shortening never splits one.
size_t LastCharacterStart(std::string_view text) {
  size_t i = 0, last = 0;
  while (i < text.size()) {
    last = i;
    platform::NextCodePoint(text, i);
  }
  return last;
}

// The steps both caption painters share: the line placed (e), the brush cleared, and a disabled
// caption embossed. True when the caption is still to be drawn in its colours.
bool PlaceCaption(TCanvas* canvas, std::string_view text, TsTextState state, unsigned flags,
                  TRect& rect, TRect& e) {
  e = FitSingleLine(canvas, text, flags, rect);
  canvas->Brush()->SetStyle(framework::bsClear);
  if (text.empty()) return false;
  if (state == txEnabled) return true;
  DrawDisabled(canvas, text, e, flags);
  return false;
}

}  // namespace

void DrawSkinText(TCanvas* canvas, std::string_view text, TsTextState state, TsLook look,
                  const TsCommonDataBase& data, unsigned flags, TRect& rect) {
  if (!canvas) return;
  const bool hot = look != lkNormal;
  if (data.OwnerControl) {
    canvas->SetFont(data.OwnerControl->Font());
    if (hot && data.SkinSection() == "WEBBUTTON")
      canvas->Font()->SetStyle(canvas->Font()->Style() | framework::fsUnderline);
  }
  platform::SavedDC saved(canvas->Handle());
  platform::IntersectClipRect(canvas->Handle(), rect.Left, rect.Top, rect.Right, rect.Bottom);
  TRect e;
  if (!PlaceCaption(canvas, text, state, flags, rect, e)) return;
  const TsGeneralData* section = data.BoundToSection() ? data.Section() : nullptr;
  if (!section) {
    Draw(canvas, text, e, flags | DT_NOCLIP, canvas->Font()->Color());
    return;
  }
  const TsFontColors& colors = hot ? section->HotFontColor : section->FontColor;
  const TColor ownColor = canvas->Font()->Color();
  if (!data.CustomFont()) DrawOutlines(canvas, text, e, flags, colors);
  Draw(canvas, text, e, flags | DT_NOCLIP, data.CustomFont() ? ownColor : colors[0]);
}

void DrawSectionText(TCanvas* canvas, std::string_view text, TsTextState state,
                     const TsSkinTables* tables, TsLook look, int section, unsigned flags,
                     TRect& rect) {
  const TsGeneralData* g = tables ? tables->Section(section) : nullptr;
  if (!canvas || !g) return;
  TRect e;
  if (!PlaceCaption(canvas, text, state, flags, rect, e)) return;
  const TsFontColors& colors = look != lkNormal ? g->HotFontColor : g->FontColor;
  DrawOutlines(canvas, text, e, flags, colors);
  Draw(canvas, text, e, flags, colors[0]);
}

std::string FitTextWithEllipsis(TCanvas* canvas, std::string_view text, int limit) {
  std::string result = limit > 0 ? std::string(text) : std::string();
  try {
    if (result.empty() || canvas->TextWidth(result) <= limit) return result;
    while (!result.empty()) {
      if (canvas->TextWidth(result + "...") <= limit) break;
      result.erase(LastCharacterStart(result));
    }
    if (!result.empty()) result += "...";
  } catch (const std::exception&) {
    // What was reached stands.
  }
  return result;
}

platform::TSize MeasureText(platform::HFONT font, std::string_view text) {
  platform::TSize size;
  try {
    platform::HDC dc = platform::GetScreenDC();
    if (!dc) return {};
    platform::SavedDC saved(dc);
    platform::SelectFont(dc, font);
    if (!platform::GetTextExtentPoint32(dc, text, &size)) return {};
  } catch (const std::exception&) {
    return {};
  }
  return size;
}

void DrawFocusDots(TCanvas* canvas, const TRect& r) {
  if (!canvas) return;
  const int n = r.Width() / 3;
  const int m = r.Height() / 3;
  for (int i = 0; i <= n; ++i) {
    const int x = r.Left + 3 * i;
    canvas->SetPixels(x, r.Top, platform::clBlack);
    canvas->SetPixels(x, r.Bottom, platform::clBlack);
    canvas->SetPixels(x - 1, r.Top - 1, platform::clWhite);
    canvas->SetPixels(x - 1, r.Bottom - 1, platform::clWhite);
  }
  for (int j = 0; j <= m; ++j) {
    const int y = r.Top + 3 * j;
    canvas->SetPixels(r.Left, y, platform::clBlack);
    canvas->SetPixels(r.Right, y, platform::clBlack);
    canvas->SetPixels(r.Left - 1, y - 1, platform::clWhite);
    canvas->SetPixels(r.Right - 1, y - 1, platform::clWhite);
  }
}

unsigned AlignmentTextFlags(const framework::TControl* control, framework::TAlignment alignment) {
  static constexpr unsigned kBase[3] = {platform::DT_LEFT, platform::DT_RIGHT, platform::DT_CENTER};
  const unsigned flags = kBase[static_cast<unsigned>(alignment) % 128 % 3] | platform::DT_VCENTER |
                         platform::DT_EXPANDTABS;
  return control ? control->DrawTextBiDiModeFlags(flags) : flags;
}

}  // namespace skin
