#include "tools/skins/ContactSheet.h"

#include <algorithm>
#include <memory>

#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"
#include "platform/drawing/DeviceContext.h"
#include "platform/text/Font.h"
#include "skin/paint/sBackground.h"
#include "skin/paint/sBlending.h"
#include "skin/paint/sBorderMask.h"
#include "skin/paint/sCommonDataBase.h"
#include "skin/paint/sPixelAccess.h"
#include "skin/paint/sSkinText.h"
#include "skin/paint/sStateImage.h"

namespace skins {
namespace {

using framework::TBitmap;
using platform::DIBitmap;
using platform::TColor;
using platform::TRect;

// A binding without a control: the sheet paints faces the way the controls do, by section.
std::unique_ptr<skin::TsCommonDataBase> Binding(skin::TsSkinManager& manager,
                                                const std::string& section) {
  auto data = std::make_unique<skin::TsCommonDataBase>(nullptr, false);
  data->Bind(&manager, section);
  return data;
}

class Sheet {
 public:
  Sheet(skin::TsSkinManager& manager, int width, int height)
      : manager_(manager), bitmap_(width, height) {
    platform::DeviceContext dc(&bitmap_.DIB());
    skin::FillSolid(&dc, {0, 0, width, height}, platform::RGB(236, 236, 236));
    SetFont(bitmap_);
  }
  DIBitmap& dib() { return bitmap_.DIB(); }

  void Text(int x, int y, const std::string& text, TColor color = 0) {
    bitmap_.Canvas()->Font()->SetColor(color);
    bitmap_.Canvas()->TextOut(x, y, text);
  }

  // A form's surface: the section's background, as the form skin provider renders it.
  void Form(const TRect& r, const std::string& section) {
    const skin::TsSkinTables& tables = manager_.Tables();
    skin::PaintSectionBackground({&tables, tables.FindSection(section), section}, {},
                                 skin::kKeyColor, {&bitmap_, {0, 0}, r});
  }
  void Panel(const TRect& r) { Face("PANEL", r, 0, false); }
  void Edit(const TRect& r, const std::string& text) {
    Face("EDIT", r, 0, true);
    TRect place{r.Left + 4, r.Top, r.Right - 4, r.Bottom};
    skin::DrawSectionText(bitmap_.Canvas(), text, skin::txEnabled, &manager_.Tables(),
                          skin::lkNormal, manager_.Tables().FindSection("EDIT"),
                          platform::DT_VCENTER, place);
  }
  // A push button: its background, then its border cut out of the window's shape; what the shape
  // leaves out shows the sheet beneath.
  void Button(const TRect& r, const std::string& caption, int state) {
    auto data = Binding(manager_, "BUTTON");
    auto cache = Beneath(r);
    const TRect all{0, 0, r.Width(), r.Height()};
    const auto look = static_cast<skin::TsLook>(state);
    skin::PaintControlBackground(*data, Parent(), {cache.get(), r.TopLeft(), all, look});
    platform::Region region(all);
    if (const skin::TsMaskData* border = manager_.Tables().Mask(data->BorderMaskIndex))
      skin::DrawBorderMaskWithRegion(cache.get(), region, skin::bfFillCentre, look, *border);
    TRect place = look == skin::lkPressed ? all.Translated(1, 1) : all;
    SetFont(*cache);
    skin::DrawSectionText(cache->Canvas(), caption, skin::txEnabled, &manager_.Tables(), look,
                          data->SectionIndex, platform::DT_CENTER | platform::DT_VCENTER, place);
    for (const TRect& part : region.Rects())
      skin::CopyBlock(&bitmap_, r.Left + part.Left, r.Top + part.Top, part.Width(), part.Height(),
                      cache.get(), part.Left, part.Top);
  }
  void CheckBox(int x, int y, const std::string& property, int state, const std::string& caption) {
    const int glyph = manager_.Tables().FindMaskExact("GLOBALINFO", property);
    if (manager_.Tables().IsValidMaskIndex(glyph))
      skin::DrawStateImage(&bitmap_, {x, y + 1}, static_cast<skin::TsLook>(state),
                           manager_.Tables().Masks[static_cast<size_t>(glyph)], 1);
    if (caption.empty()) return;
    TRect place{x + 20, y, x + 20 + 400, y + 20};
    skin::DrawSectionText(bitmap_.Canvas(), caption, skin::txEnabled, &manager_.Tables(),
                          skin::lkNormal, manager_.Tables().FindSection("CHECKBOX"),
                          platform::DT_VCENTER, place);
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
  static void SetFont(TBitmap& bitmap) {
    bitmap.Canvas()->Font()->SetName("MS Sans Serif");
    bitmap.Canvas()->Font()->SetHeight(-11);
    bitmap.Canvas()->Brush()->SetStyle(framework::bsClear);
  }
  // Every control's parent image is the sheet as it stands: the sheet is where they all compose.
  skin::TCacheInfo Parent() { return {&bitmap_, 0, 0, true}; }
  // A cache of r's size holding what the sheet shows there, so that the pixels a face leaves
  // alone (the transparent corners of a one-layer border) show what lies behind the control.
  std::unique_ptr<TBitmap> Beneath(const TRect& r) {
    auto cache = skin::NewBitmap24(r.Width(), r.Height());
    skin::CopyBlock(cache.get(), 0, 0, r.Width(), r.Height(), &bitmap_, r.Left, r.Top);
    return cache;
  }
  // The whole face of a section at r, composed as the control there composes it over its parent.
  void Face(const std::string& section, const TRect& r, int state, bool fillCentre) {
    auto data = Binding(manager_, section);
    auto cache = Beneath(r);
    skin::PaintControlFace(*data, Parent(), fillCentre ? skin::bfFillCentre : 0,
                           {cache.get(),
                            r.TopLeft(),
                            {0, 0, r.Width(), r.Height()},
                            static_cast<skin::TsLook>(state)});
    skin::CopyBlock(&bitmap_, r.Left, r.Top, r.Width(), r.Height(), cache.get(), 0, 0);
  }

  skin::TsSkinManager& manager_;
  TBitmap bitmap_;
};

}  // namespace

DIBitmap ContactSheet(skin::TsSkinManager& manager) {
  const DIBitmap& master = manager.Tables().MasterBitmap->DIB();
  std::vector<const DIBitmap*> own;
  for (const skin::TsMaskData& m : manager.Tables().Masks) {
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
