#include "framework/controls/CheckBox.h"

#include <algorithm>

#include "framework/classes/ClassBuilder.h"
#include "framework/graphics/Font.h"
#include "platform/drawing/ClassicDrawing.h"
#include "platform/drawing/DIBitmap.h"
#include "platform/text/Font.h"

namespace framework {

namespace {

void Fill(platform::HDC dc, const TRect& r, TColor color) {
  platform::FillRect(dc, r, platform::CreateSolidBrush(platform::ColorToRGB(color)));
}

// The classic check mark: seven columns three pixels tall, falling to the third column and rising
// to the last, with its top-left at (x, y).
void DrawCheckMark(platform::HDC dc, int x, int y, TColor color) {
  static constexpr int kColumnTop[7] = {2, 3, 4, 3, 2, 1, 0};
  for (int c = 0; c < 7; ++c)
    Fill(dc, {x + c, y + kColumnTop[c], x + c + 1, y + kColumnTop[c] + 3}, color);
}

// The grayed state's background: highlight and face in a checkerboard, highlight at the top-left.
void DrawDither(platform::HDC dc, const TRect& r) {
  if (r.IsEmpty()) return;
  const TColor light = platform::ColorToRGB(platform::clBtnHighlight);
  const TColor face = platform::ColorToRGB(platform::clBtnFace);
  const uint8_t colors[2][3] = {
      {platform::GetBValue(light), platform::GetGValue(light), platform::GetRValue(light)},
      {platform::GetBValue(face), platform::GetGValue(face), platform::GetRValue(face)}};
  platform::DIBitmap pattern(r.Width(), r.Height(), 24, platform::RowOrder::TopDown);
  for (int y = 0; y < r.Height(); ++y) {
    uint8_t* p = pattern.ScanLine(y);
    for (int x = 0; x < r.Width(); ++x, p += 3) {
      const uint8_t* c = colors[(x + y) & 1];
      p[0] = c[0];
      p[1] = c[1];
      p[2] = c[2];
    }
  }
  platform::DeviceContext source(&pattern);
  platform::BitBlt(dc, r.Left, r.Top, r.Width(), r.Height(), &source, 0, 0, platform::SRCCOPY);
}

}  // namespace

const TEnumNames<TAlignment> kCheckBoxAlignmentNames = {{"taLeftJustify", taLeftJustify},
                                                        {"taRightJustify", taRightJustify}};
const TEnumNames<TCheckBoxState> kCheckBoxStateNames = {
    {"cbUnchecked", cbUnchecked}, {"cbChecked", cbChecked}, {"cbGrayed", cbGrayed}};

const TClassInfo& TCustomCheckBox::StaticClassInfo() {
  using C = TCustomCheckBox;
  static const TClassInfo info =
      TClassBuilder<C>("TCustomCheckBox", TButtonControl::StaticClassInfo())
          .Enum("Alignment", &C::Alignment, &C::SetAlignment, kCheckBoxAlignmentNames,
                taRightJustify)
          .Boolean("AllowGrayed", &C::AllowGrayed, &C::SetAllowGrayed, false)
          // Checked is State seen as a boolean: read from descriptions, written as State.
          .Boolean("Checked", nullptr, &C::SetChecked)
          .Enum("State", &C::State, &C::SetState, kCheckBoxStateNames, cbUnchecked);
  return info;
}

const TClassInfo& TCheckBox::StaticClassInfo() {
  static const TClassInfo info =
      TClassBuilder<TCheckBox>("TCheckBox", TCustomCheckBox::StaticClassInfo()).Creatable();
  return info;
}

TCustomCheckBox::TCustomCheckBox(TComponent* owner) : TButtonControl(owner) {
  SetBounds(0, 0, 97, 17);
  // The box stands on its parent's background.
  SetParentColor(true);
}

void TCustomCheckBox::SetState(TCheckBoxState v) {
  if (v == state_) return;
  state_ = v;
  if (HandleAllocated()) Perform(BM_SETCHECK, static_cast<WPARAM>(CheckState()));
  Perform(CM_CHANGED, 0, reinterpret_cast<LPARAM>(this));
  // A state read from a description is where the control starts, not a change the program makes.
  if (!ClicksDisabled() && !HasState(csLoading)) Click();
}

void TCustomCheckBox::SetAlignment(TAlignment v) {
  if (v == taCenter) v = taRightJustify;
  if (v == alignment_) return;
  alignment_ = v;
  Invalidate();
}

void TCustomCheckBox::Toggle() {
  switch (state_) {
    case cbUnchecked: SetState(allowGrayed_ ? cbGrayed : cbChecked); break;
    case cbChecked: SetState(cbUnchecked); break;
    case cbGrayed: SetState(cbChecked); break;
  }
}

int TCustomCheckBox::CheckState() const {
  return state_ == cbChecked ? BST_CHECKED : state_ == cbGrayed ? BST_INDETERMINATE : BST_UNCHECKED;
}

void TCustomCheckBox::PaintWindow(platform::HDC dc) {
  const int w = Width();
  const int h = Height();
  if (w <= 0 || h <= 0) return;
  Fill(dc, {0, 0, w, h}, Color());
  const bool textFirst = alignment_ == taLeftJustify;

  TRect box =
      platform::Bounds(textFirst ? w - kBoxSize : 0, (h - kBoxSize) / 2, kBoxSize, kBoxSize);
  platform::DrawEdge(dc, box, platform::EDGE_SUNKEN, platform::BF_RECT | platform::BF_ADJUST);
  if (Pushed() || !Enabled())
    Fill(dc, box, platform::clBtnFace);
  else if (state_ == cbGrayed)
    DrawDither(dc, box);
  else
    Fill(dc, box, platform::clWindow);
  if (state_ != cbUnchecked)
    DrawCheckMark(
        dc, box.Left + 1, box.Top + 1,
        state_ == cbGrayed || !Enabled() ? platform::clBtnShadow : platform::clWindowText);

  const std::string caption = Caption();
  if (caption.empty()) return;
  platform::SelectFont(dc, Font()->Handle());
  platform::SetBkMode(dc, platform::TRANSPARENT);
  // The caption keeps half a digit's width away from the box.
  platform::TSize digit;
  platform::GetTextExtentPoint32(dc, "0", &digit);
  const int gap = digit.cx / 2;
  const TRect area =
      textFirst ? TRect{0, 0, w - kBoxSize - gap, h} : TRect{kBoxSize + gap, 0, w, h};
  const unsigned format = DrawTextBiDiModeFlags(
      platform::DT_LEFT | (WordWrap() ? platform::DT_WORDBREAK : platform::DT_SINGLELINE));
  TRect measured{area.Left, 0, area.Right, 0};
  platform::DrawText(dc, caption, &measured, format | platform::DT_CALCRECT);
  const int textHeight = measured.Height();
  const int top = (h - textHeight) / 2;
  const TRect text{area.Left, top, area.Left + std::min(measured.Width(), area.Width()),
                   top + textHeight};
  if (Enabled()) {
    platform::SetTextColor(dc, platform::ColorToRGB(Font()->Color()));
    TRect place = text;
    platform::DrawText(dc, caption, &place, format);
  } else {
    platform::DrawDisabledText(dc, caption, text, format);
  }
  if (Focused())
    platform::DrawFocusRect(
        dc,
        TRect{text.Left - 1, text.Top, text.Right + 1, text.Bottom + 1}.Intersected({0, 0, w, h}));
}

}  // namespace framework
