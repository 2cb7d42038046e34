#include "framework/controls/Label.h"

#include <optional>

#include "framework/controls/ControlTypeNames.h"
#include "framework/controls/WinControl.h"
#include "framework/graphics/Canvas.h"
#include "platform/text/Font.h"
#include "platform/windows/Paint.h"

namespace framework {

namespace {

unsigned AlignmentFlag(TAlignment alignment) {
  return alignment == taRightJustify ? platform::DT_RIGHT
         : alignment == taCenter     ? platform::DT_CENTER
                                     : platform::DT_LEFT;
}

// Outside painting a label measures on the screen's context: lent to its canvas for a scope and
// taken back as it was found, however the scope ends. A canvas that has a context keeps it.
class ScreenContextLoan {
 public:
  explicit ScreenContextLoan(TCanvas* canvas) {
    if (canvas->HandleAllocated()) return;
    saved_.emplace(platform::GetScreenDC());
    canvas_ = canvas;
    canvas_->SetHandle(platform::GetScreenDC());
  }
  ~ScreenContextLoan() {
    if (canvas_) canvas_->SetHandle(nullptr);
  }
  ScreenContextLoan(const ScreenContextLoan&) = delete;
  ScreenContextLoan& operator=(const ScreenContextLoan&) = delete;

 private:
  std::optional<platform::SavedDC> saved_;  // restored after the canvas lets go
  TCanvas* canvas_ = nullptr;
};

}  // namespace

const TEnumNames<TTextLayout> kTextLayoutNames = {
    {"tlTop", tlTop}, {"tlCenter", tlCenter}, {"tlBottom", tlBottom}};

const TEnumNames<TEllipsisPosition> kEllipsisPositionNames = {{"epNone", epNone},
                                                              {"epEndEllipsis", epEndEllipsis}};

const TClassInfo& TCustomLabel::StaticClassInfo() {
  using C = TCustomLabel;
  static const TClassInfo info =
      TClassBuilder<C>("TCustomLabel", TGraphicControl::StaticClassInfo())
          .Enum("Alignment", &C::Alignment, &C::SetAlignment, kAlignmentNames, taLeftJustify)
          .Boolean("AutoSize", &C::AutoSize, &C::SetAutoSize, true)
          .Enum("EllipsisPosition", &C::EllipsisPosition, &C::SetEllipsisPosition,
                kEllipsisPositionNames, epNone)
          .Enum("Layout", &C::Layout, &C::SetLayout, kTextLayoutNames, tlTop)
          .Boolean("ShowAccelChar", &C::ShowAccelChar, &C::SetShowAccelChar, true)
          .Boolean("Transparent", &C::Transparent, &C::SetTransparent, false)
          .Boolean("WordWrap", &C::WordWrap, &C::SetWordWrap, false);
  return info;
}

const TClassInfo& TLabel::StaticClassInfo() {
  static const TClassInfo info =
      TClassBuilder<TLabel>("TLabel", TCustomLabel::StaticClassInfo()).Creatable();
  return info;
}

TCustomLabel::TCustomLabel(TComponent* owner) : TGraphicControl(owner) {
  // Opaque until made transparent: it fills its whole rectangle with its colour.
  SetControlStyle(ControlStyle() | csReplicatable | csOpaque);
  SetBounds(0, 0, 65, 17);
  SetParentColor(true);
}

TCustomLabel::~TCustomLabel() = default;

void TCustomLabel::SetAlignment(TAlignment v) {
  if (v == alignment_) return;
  alignment_ = v;
  Invalidate();
}

void TCustomLabel::SetAutoSize(bool v) {
  if (v == autoSize_) return;
  autoSize_ = v;
  AdjustBounds();
}

void TCustomLabel::SetLayout(TTextLayout v) {
  if (v == layout_) return;
  layout_ = v;
  Invalidate();
}

void TCustomLabel::SetWordWrap(bool v) {
  if (v == wordWrap_) return;
  wordWrap_ = v;
  AdjustBounds();
  Invalidate();
}

void TCustomLabel::SetTransparent(bool v) {
  if (v == Transparent()) return;
  SetControlStyle(v ? ControlStyle() & ~csOpaque : ControlStyle() | csOpaque);
  Invalidate();
}

void TCustomLabel::SetEllipsisPosition(TEllipsisPosition v) {
  if (v == ellipsisPosition_) return;
  ellipsisPosition_ = v;
  Invalidate();
}

void TCustomLabel::SetShowAccelChar(bool v) {
  if (v == showAccelChar_) return;
  showAccelChar_ = v;
  AdjustBounds();
  Invalidate();
}

void TCustomLabel::SetFocusControl(TWinControl* control) {
  if (control == focusControl_) return;
  if (focusControl_) focusControl_->RemoveFreeNotification(this);
  focusControl_ = control;
  if (control) control->FreeNotification(this);
}

void TCustomLabel::Notification(TComponent* component, TOperation operation) {
  TGraphicControl::Notification(component, operation);
  if (operation == opRemove && component == focusControl_) focusControl_ = nullptr;
}

void TCustomLabel::DoDrawText(TRect& rect, unsigned flags) {
  TText text = GetLabelText();
  // An empty text (or a lone prefix) still measures one line's height.
  if ((flags & platform::DT_CALCRECT) && (text.empty() || (showAccelChar_ && text == "&")))
    text = text + " ";
  if (!showAccelChar_) flags |= platform::DT_NOPREFIX;
  flags = DrawTextBiDiModeFlags(flags);
  TCanvas* canvas = Canvas();
  canvas->SetFont(Font());
  if (Enabled() || (flags & platform::DT_CALCRECT)) {
    platform::DrawText(canvas->Handle(), text, &rect, flags);
    return;
  }
  rect = rect.Translated(1, 1);
  canvas->Font()->SetColor(platform::clBtnHighlight);
  platform::DrawText(canvas->Handle(), text, &rect, flags);
  rect = rect.Translated(-1, -1);
  canvas->Font()->SetColor(platform::clBtnShadow);
  platform::DrawText(canvas->Handle(), text, &rect, flags);
}

void TCustomLabel::Paint() {
  TCanvas* canvas = Canvas();
  if (!Transparent()) {
    canvas->Brush()->SetColor(Color());
    canvas->Brush()->SetStyle(bsSolid);
    canvas->FillRect(ClientRect());
  }
  canvas->Brush()->SetStyle(bsClear);
  TRect rect = ClientRect();
  const unsigned style = platform::DT_EXPANDTABS | (wordWrap_ ? platform::DT_WORDBREAK : 0u) |
                         (ellipsisPosition_ == epEndEllipsis ? platform::DT_END_ELLIPSIS : 0u) |
                         AlignmentFlag(alignment_);
  if (layout_ != tlTop) {
    TRect measured = rect;
    DoDrawText(measured, style | platform::DT_CALCRECT);
    const int offset =
        layout_ == tlBottom ? Height() - measured.Bottom : (Height() - measured.Bottom) / 2;
    rect = rect.Translated(0, offset);
  }
  DoDrawText(rect, style);
}

void TCustomLabel::AdjustBounds() {
  if (!autoSize_ || HasState(csReading)) return;
  TRect rect = ClientRect();
  {
    const ScreenContextLoan loan(Canvas());
    DoDrawText(rect, platform::DT_EXPANDTABS | platform::DT_CALCRECT |
                         (wordWrap_ ? platform::DT_WORDBREAK : 0u));
  }
  TAlignment alignment = alignment_;
  if (UseRightToLeftAlignment() && alignment != taCenter)
    alignment = alignment == taLeftJustify ? taRightJustify : taLeftJustify;
  // A word-wrapping label keeps its width and takes the height of its lines.
  const int width = wordWrap_ ? Width() : rect.Right;
  // The edge the label hangs from stays put: the right one for right-justified text, or when
  // only the right side is anchored.
  const bool keepRight =
      alignment == taRightJustify || ((Anchors() & akRight) && !(Anchors() & akLeft));
  const int left = keepRight ? Left() + Width() - width : Left();
  SetBounds(left, Top(), width, rect.Bottom);
}

void TCustomLabel::WndProc(TMessage& m) {
  switch (m.Msg) {
    case CM_TEXTCHANGED:
      Invalidate();
      AdjustBounds();
      return;
    case CM_FONTCHANGED:
      TGraphicControl::WndProc(m);
      AdjustBounds();
      return;
    default: TGraphicControl::WndProc(m);
  }
}

}  // namespace framework
