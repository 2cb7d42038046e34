#include "tools/skins/ContactSheet.h"

#include <algorithm>
#include <cmath>

#include "framework/Bitmap.h"
#include "framework/Canvas.h"
#include "platform/drawing/DeviceContext.h"
#include "skin/data/sGradientData.h"

namespace skins {
namespace {

using platform::DIBitmap;
using platform::TColor;
using platform::TRect;

struct Px {
  uint8_t b, g, r;
};

Px Get(const DIBitmap& bmp, int x, int y) {
  const uint8_t* p = bmp.ScanLine(y) + 3 * x;
  return {p[0], p[1], p[2]};
}
void Set(DIBitmap& bmp, int x, int y, Px c) {
  if (x < 0 || y < 0 || x >= bmp.Width() || y >= bmp.Height()) return;
  uint8_t* p = bmp.ScanLine(y) + 3 * x;
  p[0] = c.b;
  p[1] = c.g;
  p[2] = c.r;
}
bool IsKey(Px c) { return c.r == 255 && c.g == 0 && c.b == 255; }
Px FromColor(TColor c) {
  c = platform::ColorToRGB(c);
  return {static_cast<uint8_t>((c >> 16) & 0xFF), static_cast<uint8_t>((c >> 8) & 0xFF),
          static_cast<uint8_t>(c & 0xFF)};
}
uint8_t MixByte(int d, int s, int m) {
  return static_cast<uint8_t>(std::clamp(((d - s) * m + s * 256) >> 8, 0, 255));
}
Px Blend(Px a, Px b, double t) {  // t of b over a
  const auto mix = [t](int x, int y) { return static_cast<uint8_t>(std::lround(x + (y - x) * t)); };
  return {mix(a.b, b.b), mix(a.g, b.g), mix(a.r, b.r)};
}

void FillRect(DIBitmap& bmp, const TRect& r, Px c) {
  for (int y = r.Top; y < r.Bottom; ++y) {
    for (int x = r.Left; x < r.Right; ++x) Set(bmp, x, y, c);
  }
}

const DIBitmap& SourceOf(const skin::TsSkinManager& manager, const skin::TsMaskData& mask) {
  return mask.Bmp ? mask.Bmp->DIB() : manager.MasterBitmap()->DIB();
}

// Copies source rectangle q onto target rectangle d, tiled or stretched; with a mask band h rows
// below (two layers) pixels are mixed by their weights; `keyed` leaves magenta pixels out.
void CopyPart(DIBitmap& target, const TRect& d, const DIBitmap& source, const TRect& q,
              int maskRows, bool keyed, bool stretch) {
  const int qw = q.Right - q.Left, qh = q.Bottom - q.Top;
  if (qw <= 0 || qh <= 0) return;
  for (int y = d.Top; y < d.Bottom; ++y) {
    for (int x = d.Left; x < d.Right; ++x) {
      if (x < 0 || y < 0 || x >= target.Width() || y >= target.Height()) continue;
      const int sx = q.Left + (stretch ? (x - d.Left) * qw / std::max(1, d.Right - d.Left)
                                       : (x - d.Left) % qw);
      const int sy =
          q.Top + (stretch ? (y - d.Top) * qh / std::max(1, d.Bottom - d.Top) : (y - d.Top) % qh);
      const Px s = Get(source, sx, sy);
      if (keyed && IsKey(s)) continue;
      if (maskRows > 0) {
        const Px m = Get(source, sx, sy + maskRows);
        const Px t = Get(target, x, y);
        Set(target, x, y, {MixByte(t.b, s.b, m.b), MixByte(t.g, s.g, m.g), MixByte(t.r, s.r, m.r)});
      } else {
        Set(target, x, y, s);
      }
    }
  }
}

void DrawBorder(DIBitmap& target, const TRect& t, const skin::TsSkinManager& manager, int maskIndex,
                int state, bool fill) {
  if (!manager.IsValidMaskIndex(maskIndex)) return;
  const skin::TsMaskData& m = manager.Masks()[static_cast<size_t>(maskIndex)];
  const DIBitmap& src = SourceOf(manager, m);
  const int W = t.Right - t.Left, H = t.Bottom - t.Top;
  int wl = m.WL, wr = m.WR, wt = m.WT, wb = m.WB;
  if (W < wl + wr) {
    const int d = (wl + wr - W) / 2;
    wl = std::max(0, wl - d);
    wr = std::max(0, wr - d - (W % 2));
  }
  if (H < wt + wb) {
    const int d = (wt + wb - H) / 2;
    wt = std::max(0, wt - d);
    wb = std::max(0, wb - d - (H % 2));
  }
  const int w = (m.R.Right - m.R.Left) / m.ImageCount,
            h = (m.R.Bottom - m.R.Top) / (m.MaskType + 1);
  const int cw = std::max(0, w - wl - wr), ch = h - wt - wb;
  if (ch < 0) return;
  const int k = std::min(state, m.ImageCount - 1);
  const int sx = m.R.Left + k * w, sy = m.R.Top;
  const int band = m.MaskType ? h : 0;
  const bool stretch = !m.MaskType && m.DrawMode != 0;
  // Corners: magenta leaves what is beneath.
  CopyPart(target, {t.Left, t.Top, t.Left + wl, t.Top + wt}, src, {sx, sy, sx + wl, sy + wt}, band,
           true, false);
  CopyPart(target, {t.Right - wr, t.Top, t.Right, t.Top + wt}, src,
           {sx + wl + cw, sy, sx + w, sy + wt}, band, true, false);
  CopyPart(target, {t.Left, t.Bottom - wb, t.Left + wl, t.Bottom}, src,
           {sx, sy + h - wb, sx + wl, sy + h}, band, true, false);
  CopyPart(target, {t.Right - wr, t.Bottom - wb, t.Right, t.Bottom}, src,
           {sx + wl + cw, sy + h - wb, sx + w, sy + h}, band, true, false);
  // Edges.
  CopyPart(target, {t.Left, t.Top + wt, t.Left + wl, t.Bottom - wb}, src,
           {sx, sy + wt, sx + wl, sy + wt + ch}, band, false, stretch);
  CopyPart(target, {t.Right - wr, t.Top + wt, t.Right, t.Bottom - wb}, src,
           {sx + wl + cw, sy + wt, sx + w, sy + wt + ch}, band, false, stretch);
  CopyPart(target, {t.Left + wl, t.Top, t.Right - wr, t.Top + wt}, src,
           {sx + wl, sy, sx + wl + cw, sy + wt}, band, false, stretch);
  CopyPart(target, {t.Left + wl, t.Bottom - wb, t.Right - wr, t.Bottom}, src,
           {sx + wl, sy + h - wb, sx + wl + cw, sy + h}, band, false, stretch);
  if (fill && (m.MaskType || m.BorderWidth == 0)) {
    CopyPart(target, {t.Left + wl, t.Top + wt, t.Right - wr, t.Bottom - wb}, src,
             {sx + wl, sy + wt, sx + wl + cw, sy + wt + ch}, band, false, stretch);
  }
}

void DrawGlyph(DIBitmap& target, int x, int y, const skin::TsSkinManager& manager, int maskIndex,
               int state) {
  if (!manager.IsValidMaskIndex(maskIndex)) return;
  const skin::TsMaskData& m = manager.Masks()[static_cast<size_t>(maskIndex)];
  const int w = (m.R.Right - m.R.Left) / m.ImageCount,
            h = (m.R.Bottom - m.R.Top) / (m.MaskType + 1);
  const int sx = m.R.Left + std::min(state, m.ImageCount - 1) * w;
  CopyPart(target, {x, y, x + w, y + h}, SourceOf(manager, m), {sx, m.R.Top, sx + w, m.R.Top + h},
           m.MaskType ? h : 0, true, false);
}

// The background of a section over what lies beneath (simplified composition: colour, gradient
// and picture shares, then the section's transparency).
void Background(DIBitmap& target, const TRect& r, const skin::TsSkinManager& manager,
                const std::string& section, bool hot) {
  const int index = manager.FindSection(section);
  if (index < 0) return;
  const skin::TsGeneralData& g = manager.Sections()[static_cast<size_t>(index)];
  const int transparency = hot ? g.HotTransparency : g.Transparency;
  const int gradientShare = hot ? g.HotGradientPercent : g.GradientPercent;
  const int imageShare = hot ? g.HotImagePercent : g.ImagePercent;
  const skin::TsGradArray& gradient = hot ? g.HotGradientArray : g.GradientArray;
  const Px color = FromColor(hot ? g.HotColor : g.Color);
  const DIBitmap* picture = nullptr;
  TRect tile{};
  const int pattern = manager.FindPattern(index, section, hot ? "HOTPATTERN" : "PATTERN");
  const int texture = manager.FindTexture(index, section, hot ? "HOTPATTERN" : "PATTERN");
  if (pattern >= 0 && !manager.Patterns()[static_cast<size_t>(pattern)].Img->Empty()) {
    picture = &manager.Patterns()[static_cast<size_t>(pattern)].Img->DIB();
    tile = {0, 0, picture->Width(), picture->Height()};
  } else if (texture >= 0) {
    const skin::TsMaskData& m = manager.Masks()[static_cast<size_t>(texture)];
    picture = &SourceOf(manager, m);
    tile = m.R;
  }
  const int height = r.Bottom - r.Top;
  for (int y = r.Top; y < r.Bottom; ++y) {
    Px grad = color;
    if (!gradient.empty()) {
      // Segments follow each other down the height by their shares.
      double start = 0;
      for (const skin::TsGradSegment& s : gradient) {
        const double end = start + height * s.Share / 100.0;
        if (y - r.Top < end || &s == &gradient.back()) {
          const double t =
              end > start ? std::clamp((y - r.Top - start) / (end - start), 0.0, 1.0) : 0.0;
          grad = Blend(FromColor(s.StartColor), FromColor(s.EndColor), t);
          break;
        }
        start = end;
      }
    }
    for (int x = r.Left; x < r.Right; ++x) {
      if (x < 0 || y < 0 || x >= target.Width() || y >= target.Height()) continue;
      Px own = color;
      double rest = 1.0;
      double red = 0, green = 0, blue = 0;
      const auto add = [&](Px c, double share) {
        red += c.r * share;
        green += c.g * share;
        blue += c.b * share;
        rest -= share;
      };
      if (picture && imageShare > 0) {
        const int tw = tile.Right - tile.Left, th = tile.Bottom - tile.Top;
        add(Get(*picture, tile.Left + (x - r.Left) % tw, tile.Top + (y - r.Top) % th),
            imageShare / 100.0);
      }
      if (!gradient.empty() && gradientShare > 0) add(grad, std::min(rest, gradientShare / 100.0));
      add(color, std::max(0.0, rest));
      own = {static_cast<uint8_t>(std::lround(blue)), static_cast<uint8_t>(std::lround(green)),
             static_cast<uint8_t>(std::lround(red))};
      Set(target, x, y, Blend(own, Get(target, x, y), transparency / 100.0));
    }
  }
}

class Sheet {
 public:
  Sheet(const skin::TsSkinManager& manager, int width, int height)
      : manager_(manager), bitmap_(width, height) {
    FillRect(bitmap_.DIB(), {0, 0, width, height}, {236, 236, 236});
    bitmap_.Canvas()->Font()->SetName("MS Sans Serif");
    bitmap_.Canvas()->Font()->SetHeight(-11);
    bitmap_.Canvas()->Brush()->SetStyle(framework::bsClear);
  }
  DIBitmap& dib() { return bitmap_.DIB(); }
  const skin::TsSkinManager& manager() const { return manager_; }

  void Text(int x, int y, const std::string& text, TColor color = 0) {
    bitmap_.Canvas()->Font()->SetColor(color);
    bitmap_.Canvas()->TextOut(x, y, text);
  }
  int TextWidth(const std::string& text) { return bitmap_.Canvas()->TextExtent(text).cx; }
  int Mask(const std::string& section, const std::string& property) const {
    return manager_.FindMask(manager_.FindSection(section), section, property);
  }
  TColor FontColor(const std::string& section) const {
    const int i = manager_.FindSection(section);
    return i < 0 ? 0
                 : static_cast<TColor>(manager_.Sections()[static_cast<size_t>(i)].FontColor[0]);
  }

  void Button(const TRect& r, const std::string& caption, int state) {
    Background(dib(), r, manager_, "BUTTON", state > 0);
    DrawBorder(dib(), r, manager_, Mask("BUTTON", "BORDERSMASK"), state, true);
    const int tw = TextWidth(caption);
    const int shift = state == 2 ? 1 : 0;
    Text(r.Left + (r.Right - r.Left - tw) / 2 + shift, r.Top + (r.Bottom - r.Top - 13) / 2 + shift,
         caption, FontColor("BUTTON"));
  }
  void Edit(const TRect& r, const std::string& text) {
    Background(dib(), r, manager_, "EDIT", false);
    DrawBorder(dib(), r, manager_, Mask("EDIT", "BORDERSMASK"), 0, false);
    Text(r.Left + 4, r.Top + (r.Bottom - r.Top - 13) / 2, text, FontColor("EDIT"));
  }
  void CheckBox(int x, int y, const std::string& property, int state, const std::string& caption) {
    const int glyph = manager_.FindMaskExact("GLOBALINFO", property);
    DrawGlyph(dib(), x, y + 1, manager_, glyph, state);
    if (!caption.empty()) Text(x + 20, y + 4, caption, FontColor("CHECKBOX"));
  }
  void Panel(const TRect& r) {
    Background(dib(), r, manager_, "PANEL", false);
    DrawBorder(dib(), r, manager_, Mask("PANEL", "BORDERSMASK"), 0, false);
  }
  void Form(const TRect& r, const std::string& section) {
    Background(dib(), r, manager_, section, false);
    DrawBorder(dib(), r, manager_, Mask(section, "BORDERSMASK"), 0, false);
  }

  // The bar as the program lays it out.
  void Bar(int x0, int y0) {
    const auto at = [&](int l, int t, int w, int h) {
      return TRect{x0 + l, y0 + t, x0 + l + w, y0 + t + h};
    };
    Form(at(0, 0, 1019, 56), "FORM");
    Panel(at(0, 0, 969, 30));
    const int lefts[] = {8, 145, 282, 420, 557, 694, 832};
    const char* texts[] = {"git status",   "make -j2",  "Kind regards,", "",
                           "TODO: review", "ssh build", "2026-12-07"};
    for (int i = 0; i < 7; ++i) Edit(at(lefts[i], 4, 130, 21), texts[i]);
    Button(at(973, 2, 47, 26), "Exit", 0);
    Button(at(744, 30, 65, 25), "Edit text...", 0);
    CheckBox(x0 + 820, y0 + 34, "BOXCHECKED", 0, "Copy to Clipboard when mouse over");
    Text(x0 + 8, y0 + 33, "Text copied to clipboard: ");
    Text(x0 + 137, y0 + 33, "git status");
  }

  // The snippet editor as the program lays it out.
  void Editor(int x0, int y0) {
    const auto at = [&](int l, int t, int w, int h) {
      return TRect{x0 + l, y0 + t, x0 + l + w, y0 + t + h};
    };
    Form(at(0, 0, 753, 305), "FORM");
    Panel(at(0, 0, 753, 305));
    Text(x0 + 339, y0 + 32, "Snipwell v. 2.1.");
    const char* texts[] = {"git status",   "make -j2",  "",          "Kind regards,",
                           "TODO: review", "ssh build", "2026-12-07"};
    const int tops[] = {72, 97, 122, 148, 173, 198, 224};
    for (int i = 0; i < 7; ++i) {
      Text(x0 + 12, y0 + tops[i] + 4, std::to_string(i + 1));
      Edit(at(32, tops[i], 681, 21), texts[i]);
    }
    Button(at(266, 251, 75, 30), "OK", 0);
    Button(at(386, 251, 75, 30), "Cancel", 0);
  }

  // Copies a rectangle of the sheet elsewhere, zoomed (nearest pixel).
  void Zoom(const TRect& from, int x, int y, int factor) {
    platform::DeviceContext dc(&dib());
    platform::StretchBlt(&dc, x, y, (from.Right - from.Left) * factor,
                         (from.Bottom - from.Top) * factor, &dc, from.Left, from.Top,
                         from.Right - from.Left, from.Bottom - from.Top, platform::SRCCOPY);
  }
  void Picture(const DIBitmap& picture, int x, int y, int factor) {
    DIBitmap source = picture;
    platform::DeviceContext from(&source), to(&dib());
    platform::StretchBlt(&to, x, y, picture.Width() * factor, picture.Height() * factor, &from, 0,
                         0, picture.Width(), picture.Height(), platform::SRCCOPY);
  }

 private:
  const skin::TsSkinManager& manager_;
  framework::TBitmap bitmap_;
};

}  // namespace

DIBitmap ContactSheet(const skin::TsSkinManager& manager) {
  const DIBitmap& master = manager.MasterBitmap()->DIB();
  std::vector<const DIBitmap*> own;
  for (const skin::TsMaskData& m : manager.Masks()) {
    if (m.Bmp && std::find(own.begin(), own.end(), &m.Bmp->DIB()) == own.end())
      own.push_back(&m.Bmp->DIB());
  }
  int picturesHeight = master.Height() * 4 + 30;
  int picturesWidth = master.Width() * 4;
  for (const DIBitmap* p : own) {
    picturesHeight += p->Height() * 4 + 30;
    picturesWidth = std::max(picturesWidth, p->Width() * 4);
  }
  const int width = std::max(1019 * 2 + 60, picturesWidth + 40);
  const int statesTop = 100 + 2 * 56 + 30;
  const int editorTop = statesTop + 3 * 90 + 60;
  const int height = editorTop + 305 + 60 + picturesHeight;
  Sheet sheet(manager, width, height);

  sheet.Text(20, 8, manager.SkinName() + " - the bar at 1:1 and zoomed 2x (left half)");
  sheet.Bar(20, 28);
  sheet.Zoom({20, 28, 20 + 520, 28 + 56}, 20, 100, 2);
  sheet.Zoom({20 + 499, 28, 20 + 1019, 28 + 56}, 20 + 1040 + 20, 100, 2);

  // Each control in its three states, on the bar's background, then zoomed 3x.
  const int y0 = statesTop + 20;
  sheet.Text(20, statesTop, "Normal, hot and pressed, at the program's sizes (right: zoomed 3x)");
  sheet.Form({20, y0, 20 + 330, y0 + 3 * 26 + 16}, "FORM");
  for (int state = 0; state < 3; ++state) {
    const int y = y0 + 8 + state * 26;
    sheet.Button({30, y, 30 + 47, y + 26}, "Exit", state);
    sheet.Button({85, y, 85 + 65, y + 25}, "Edit text...", state);
    sheet.CheckBox(160, y + 2, "BOXCHECKED", state, "");
    sheet.CheckBox(182, y + 2, "BOXUNCHECKED", state, "");
    sheet.CheckBox(204, y + 2, "BOXGRAYED", state, "");
    sheet.CheckBox(226, y + 2, "RADIOCHECKED", state, "");
    sheet.CheckBox(248, y + 2, "RADIOUNCHECKED", state, "");
  }
  sheet.Panel({270, y0 + 6, 340, y0 + 36});
  sheet.Edit({275, y0 + 10, 335, y0 + 31}, "abc");
  sheet.Zoom({20, y0, 350, y0 + 3 * 26 + 16}, 380, y0, 3);

  sheet.Text(20, editorTop, "The snippet editor at 1:1");
  sheet.Editor(20, editorTop + 20);

  int y = editorTop + 305 + 50;
  sheet.Text(20, y,
             "Master bitmap, 4x (magenta is transparent; the lower half of two-layer pictures "
             "holds their masks)");
  sheet.Picture(master, 20, y + 20, 4);
  y += master.Height() * 4 + 30;
  for (const DIBitmap* p : own) {
    sheet.Text(20, y, "Own picture, 4x");
    sheet.Picture(*p, 20, y + 20, 4);
    y += p->Height() * 4 + 30;
  }
  return sheet.dib();
}

}  // namespace skins
