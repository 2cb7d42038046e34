#include "framework/controls/Button.h"

#include "framework/classes/ClassBuilder.h"
#include "framework/controls/FormHost.h"
#include "framework/graphics/Font.h"
#include "platform/drawing/ClassicDrawing.h"
#include "platform/text/Font.h"
#include "platform/windows/Input.h"

namespace framework {

namespace {

void Fill(platform::HDC dc, const TRect& r, TColor color) {
  platform::FillRect(dc, r, platform::CreateSolidBrush(platform::ColorToRGB(color)));
}

void FrameRect(platform::HDC dc, const TRect& r, TColor color) {
  Fill(dc, {r.Left, r.Top, r.Right, r.Top + 1}, color);
  Fill(dc, {r.Left, r.Bottom - 1, r.Right, r.Bottom}, color);
  Fill(dc, {r.Left, r.Top, r.Left + 1, r.Bottom}, color);
  Fill(dc, {r.Right - 1, r.Top, r.Right, r.Bottom}, color);
}

}  // namespace

const TClassInfo& TButton::StaticClassInfo() {
  using C = TButton;
  static const TClassInfo info =
      TClassBuilder<C>("TButton", TButtonControl::StaticClassInfo())
          .Creatable()
          .Boolean("Cancel", &C::Cancel, &C::SetCancel, false)
          .Boolean("Default", &C::Default, &C::SetDefault, false)
          .Integer("ModalResult", &C::ModalResult, &C::SetModalResult, mrNone);
  return info;
}

TButton::TButton(TComponent* owner) : TButtonControl(owner) {
  SetBounds(0, 0, 75, 25);
  SetColor(platform::clBtnFace);
}

void TButton::SetActive(bool v) {
  if (v == active_) return;
  active_ = v;
  Invalidate();
}

void TButton::SetDefault(bool v) {
  if (v == default_) return;
  default_ = v;
  // Every button of the form works out again which one Enter presses.
  if (!HandleAllocated()) return;
  if (TFormHost* form = GetParentForm())
    form->Perform(CM_FOCUSCHANGED, 0, reinterpret_cast<LPARAM>(form->ActiveControl()));
}

void TButton::CreateWnd() {
  TButtonControl::CreateWnd();
  active_ = default_;
}

void TButton::Click() {
  if (TFormHost* form = GetParentForm()) form->SetModalResult(modalResult_);
  TButtonControl::Click();
}

void TButton::WndProc(TMessage& m) {
  switch (m.Msg) {
    case CM_DIALOGKEY: {
      const bool wanted = (m.WParam == platform::VK_RETURN && active_) ||
                          (m.WParam == platform::VK_ESCAPE && cancel_);
      const bool plain = (KeyboardStateToShiftState() & (ssShift | ssCtrl | ssAlt)) == 0;
      if (wanted && plain && CanFocus()) {
        Click();
        m.Result = 1;
        return;
      }
      break;
    }
    case CM_FOCUSCHANGED: {
      auto* focused = reinterpret_cast<TWinControl*>(m.LParam);
      SetActive(dynamic_cast<TButton*>(focused) ? focused == this : default_);
      break;
    }
    default: break;
  }
  TButtonControl::WndProc(m);
}

void TButton::PaintWindow(platform::HDC dc) {
  TRect r{0, 0, Width(), Height()};
  if (r.IsEmpty()) return;
  const bool framed = active_ || Focused();
  const bool pushed = Pushed();
  Fill(dc, r, platform::clBtnFace);
  if (framed) {
    FrameRect(dc, r, platform::clWindowFrame);
    r = r.Inflated(-1, -1);
  }
  if (pushed && framed)
    FrameRect(dc, r, platform::clBtnShadow);
  else if (pushed)
    platform::DrawEdge(dc, r, platform::EDGE_SUNKEN, platform::BF_RECT);
  else
    platform::DrawEdge(dc, r, platform::EDGE_RAISED, platform::BF_RECT | platform::BF_SOFT);

  const std::string caption = Caption();
  if (!caption.empty()) {
    platform::SelectFont(dc, Font()->Handle());
    platform::SetBkMode(dc, platform::TRANSPARENT);
    TRect text{0, 0, Width(), Height()};
    unsigned flags = platform::DT_CENTER;
    if (WordWrap()) {
      // Several lines are centred as a block.
      TRect measured{2, 0, Width() - 2, 0};
      platform::DrawText(dc, caption, &measured,
                         platform::DT_CENTER | platform::DT_WORDBREAK | platform::DT_CALCRECT);
      text = {2, (Height() - measured.Height()) / 2, Width() - 2,
              (Height() - measured.Height()) / 2 + measured.Height()};
      flags |= platform::DT_WORDBREAK;
    } else {
      flags |= platform::DT_VCENTER | platform::DT_SINGLELINE;
    }
    if (pushed) text = text.Translated(1, 1);
    flags = DrawTextBiDiModeFlags(flags);
    if (Enabled()) {
      platform::SetTextColor(dc, platform::ColorToRGB(Font()->Color()));
      platform::DrawText(dc, caption, &text, flags);
    } else {
      platform::DrawDisabledText(dc, caption, text, flags);
    }
  }
  if (Focused()) {
    const int inset = framed ? 4 : 3;
    platform::DrawFocusRect(dc, TRect{0, 0, Width(), Height()}.Inflated(-inset, -inset));
  }
}

}  // namespace framework
