#include "skin/controls/sPopupMenu.h"

#include "framework/graphics/DisplayScale.h"
#include "platform/drawing/DeviceContext.h"
#include "platform/text/Font.h"
#include "skin/data/sSkinManager.h"
#include "skin/paint/sBackground.h"
#include "skin/paint/sBlending.h"
#include "skin/paint/sSkinText.h"

namespace skin {

namespace {

constexpr char kBodySection[] = "MAINMENU";
constexpr char kItemSection[] = "MENUITEM";
constexpr char kDividerSection[] = "DIVIDER";

constexpr unsigned kCaptionFormat =
    platform::DT_LEFT | platform::DT_VCENTER | platform::DT_SINGLELINE | platform::DT_NOPREFIX;

}  // namespace

TsPopupMenu::TsPopupMenu(framework::TComponent* owner) : framework::TPopupMenu(owner) {}

TsSkinManager* TsPopupMenu::PaintingManager() const {
  TsSkinManager* m = skinManager_ ? skinManager_ : DefaultManager();
  if (!m || !m->Active() || !m->SkinnedPopups() || m->Tables().FindSection(kItemSection) < 0)
    return nullptr;
  return m;
}

void TsPopupMenu::DrawBackground(framework::TBitmap* image) {
  TsSkinManager* m = PaintingManager();
  if (!m) return framework::TPopupMenu::DrawBackground(image);
  const TsSkinTables& t = m->Tables();
  const int body = t.FindSection(kBodySection);
  const TRect all{0, 0, image->Width(), image->Height()};
  // A skin without a menu surface gets the item section's own colour under its items.
  if (body < 0) {
    const TsGeneralData& item = *t.Section(t.FindSection(kItemSection));
    platform::FillRect(image->Canvas()->Handle(), all,
                       platform::CreateSolidBrush(platform::ColorToRGB(item.Color)));
    return;
  }
  PaintSection({&t, body, kBodySection}, TCacheInfo{}, {image, {0, 0}, all}, bfFillCentre);
}

void TsPopupMenu::DrawItem(framework::TBitmap* image, const framework::TMenuItem& item,
                           const TRect& rect, bool selected) {
  TsSkinManager* m = PaintingManager();
  if (!m) return framework::TPopupMenu::DrawItem(image, item, rect, selected);
  const TsSkinTables& t = m->Tables();
  const TsSectionRef section{&t, t.FindSection(kItemSection), kItemSection};
  const TsLook look = selected ? lkHot : lkNormal;
  // The item lies over the body: its transparent parts show the body's image.
  framework::TBitmap face(rect.Width(), rect.Height());
  const TCacheInfo body{image, rect.Left, rect.Top, true};
  const TRect whole{0, 0, rect.Width(), rect.Height()};
  // Only the selected item wears the section's border: a frame around every item would make the
  // menu a column of buttons.
  if (selected)
    PaintSection(section, body, {&face, {0, 0}, whole, look}, bfFillCentre);
  else
    PaintSectionBackground(section, body, kKeyColor, {&face, {0, 0}, whole, look});
  platform::BitBlt(image->Canvas()->Handle(), rect.Left, rect.Top, rect.Width(), rect.Height(),
                   face.Canvas()->Handle(), 0, 0, platform::SRCCOPY);
  const TsGeneralData& g = *t.Section(section.Index);
  const TColor text =
      platform::ColorToRGB(static_cast<TColor>((selected ? g.HotFontColor : g.FontColor)[0]));
  if (item.Checked)
    framework::DrawMenuBullet(
        image, {rect.Left + framework::DisplayScaled(kGutter) / 2, rect.Top + rect.Height() / 2},
        text);
  framework::TCanvas* canvas = image->Canvas();
  canvas->Font()->Assign(Font());
  TRect caption{rect.Left + framework::DisplayScaled(kGutter), rect.Top,
                rect.Right - framework::DisplayScaled(kRightMargin) / 2, rect.Bottom};
  DrawSectionText(canvas, item.Caption, txEnabled, &t, look, section.Index, kCaptionFormat,
                  caption);
}

void TsPopupMenu::DrawSeparator(framework::TBitmap* image, const TRect& rect) {
  TsSkinManager* m = PaintingManager();
  if (!m) return framework::TPopupMenu::DrawSeparator(image, rect);
  const TsSkinTables& t = m->Tables();
  int section = t.FindSection(kDividerSection);
  if (section < 0) section = t.FindSection(kItemSection);
  const TColor color = platform::ColorToRGB(t.Section(section)->Color);
  const int y = rect.Top + rect.Height() / 2;
  platform::FillRect(image->Canvas()->Handle(),
                     {rect.Left + framework::DisplayScaled(2), y,
                      rect.Right - framework::DisplayScaled(2), y + framework::DisplayScaled(1)},
                     platform::CreateSolidBrush(color));
}

}  // namespace skin
