#include "framework/controls/Control.h"

#include "framework/classes/ClassBuilder.h"
#include "framework/controls/ControlHost.h"
#include "framework/controls/FormHost.h"
#include "framework/controls/WinControl.h"
#include "framework/graphics/Font.h"
#include "platform/text/Font.h"
#include "platform/windows/Input.h"
#include "platform/windows/Paint.h"

namespace framework {

namespace {

TControl* captureControl = nullptr;

// Parents pass their font and colour on to children that follow them.
void NotifyChildren(TControl* control, UINT msg) {
  if (TWinControl* win = control->AsWinControl()) win->NotifyControls(msg);
}

}  // namespace

TControl* GetCaptureControl() { return captureControl; }

void SetCaptureControl(TControl* control) {
  captureControl = control;
  if (!control) {
    platform::ReleaseCapture();
    return;
  }
  // A non-windowed control captures through its parent's window.
  TWinControl* win = control->AsWinControl();
  if (!win) win = control->Parent();
  if (win) platform::SetCapture(win->Handle());
}

TShiftState KeysToShiftState(WPARAM keys) {
  TShiftState s = 0;
  if (keys & platform::MK_SHIFT) s |= ssShift;
  if (keys & platform::MK_CONTROL) s |= ssCtrl;
  if (keys & platform::MK_LBUTTON) s |= ssLeft;
  if (keys & platform::MK_RBUTTON) s |= ssRight;
  if (keys & platform::MK_MBUTTON) s |= ssMiddle;
  if (platform::GetKeyState(platform::VK_MENU) < 0) s |= ssAlt;
  return s;
}

TShiftState KeyboardStateToShiftState() {
  TShiftState s = 0;
  if (platform::GetKeyState(platform::VK_SHIFT) < 0) s |= ssShift;
  if (platform::GetKeyState(platform::VK_CONTROL) < 0) s |= ssCtrl;
  if (platform::GetKeyState(platform::VK_MENU) < 0) s |= ssAlt;
  if (platform::GetKeyState(platform::VK_LBUTTON) < 0) s |= ssLeft;
  if (platform::GetKeyState(platform::VK_RBUTTON) < 0) s |= ssRight;
  return s;
}

const TEnumNames<TAlign> kAlignNames = {
    {"alNone", alNone},   {"alTop", alTop},       {"alBottom", alBottom}, {"alLeft", alLeft},
    {"alRight", alRight}, {"alClient", alClient}, {"alCustom", alCustom}};
const TEnumNames<uint32_t> kAnchorNames = {
    {"akLeft", akLeft}, {"akTop", akTop}, {"akRight", akRight}, {"akBottom", akBottom}};
const TEnumNames<TBiDiMode> kBiDiModeNames = {
    {"bdLeftToRight", bdLeftToRight},
    {"bdRightToLeft", bdRightToLeft},
    {"bdRightToLeftNoAlign", bdRightToLeftNoAlign},
    {"bdRightToLeftReadingOnly", bdRightToLeftReadingOnly}};

const TClassInfo& TControl::StaticClassInfo() {
  using C = TControl;
  static const TClassInfo info =
      TClassBuilder<C>("TControl", TComponent::StaticClassInfo())
          .Integer("Left", &C::Left, &C::SetLeft)
          .Integer("Top", &C::Top, &C::SetTop)
          .Integer("Width", &C::Width, &C::SetWidth)
          .Integer("Height", &C::Height, &C::SetHeight)
          .Integer("ClientWidth", nullptr, &C::SetClientWidth)
          .Integer("ClientHeight", nullptr, &C::SetClientHeight)
          .Enum("Align", &C::Align, &C::SetAlign, kAlignNames, alNone)
          .Set("Anchors", &C::Anchors, &C::SetAnchors, kAnchorNames, akLeft | akTop)
          .Enum("BiDiMode", &C::BiDiMode, &C::SetBiDiMode, kBiDiModeNames, bdLeftToRight)
          .Boolean("Enabled", &C::Enabled, &C::SetEnabled, true)
          .Boolean("Visible", &C::Visible, &C::SetVisible, true)
          .Color("Color", &C::Color, &C::SetColor)
          .Boolean("ParentColor", &C::ParentColor, &C::SetParentColor)
          .Object("Font", &C::Font)
          .Boolean("ParentFont", &C::ParentFont, &C::SetParentFont, true)
          .String("Caption", &C::Caption, &C::SetCaption)
          .String("Text", nullptr, &C::SetText)
          .String("Hint", &C::Hint, &C::SetHint)
          .Boolean("ShowHint", &C::ShowHint, &C::SetShowHint)
          .Boolean("ParentShowHint", &C::ParentShowHint, &C::SetParentShowHint, true)
          .EventProperty("OnClick", &C::OnClick)
          .EventProperty("OnDblClick", &C::OnDblClick)
          .EventProperty("OnMouseDown", &C::OnMouseDown)
          .EventProperty("OnMouseUp", &C::OnMouseUp)
          .EventProperty("OnMouseMove", &C::OnMouseMove)
          .EventProperty("OnMouseEnter", &C::OnMouseEnter)
          .EventProperty("OnMouseLeave", &C::OnMouseLeave);
  return info;
}

TControl::TControl(TComponent* owner) : TComponent(owner), font_(std::make_unique<TFont>()) {
  WindowProc = [this](TMessage& m) { WndProc(m); };
  font_->OnChange = [this](TObject*) { FontChanged(); };
}

TControl::~TControl() {
  Destroying();
  if (captureControl == this) captureControl = nullptr;
  if (TControlHost* host = ControlHost()) host->ControlDestroyed(this);
  if (parent_) parent_->RemoveControl(this);
}

LRESULT TControl::Perform(UINT msg, WPARAM wParam, LPARAM lParam) {
  TMessage m{msg, wParam, lParam, 0};
  WindowProc(m);
  return m.Result;
}

void TControl::WndProc(TMessage& m) {
  switch (m.Msg) {
    case platform::WM_MOUSEMOVE:
    case platform::WM_LBUTTONDOWN:
    case platform::WM_LBUTTONUP:
    case platform::WM_LBUTTONDBLCLK:
    case platform::WM_RBUTTONDOWN:
    case platform::WM_RBUTTONUP:
    case platform::WM_MBUTTONDOWN:
    case platform::WM_MBUTTONUP: HandleMouse(m); return;
    case CM_MOUSEENTER:
      if (OnMouseEnter && m.LParam == 0) OnMouseEnter(this);
      return;
    case CM_MOUSELEAVE:
      if (TControlHost* host = ControlHost()) host->HintMouseMessage(this, m);
      if (OnMouseLeave && m.LParam == 0) OnMouseLeave(this);
      return;
    case CM_PARENTFONTCHANGED:
      if (parentFont_) ApplyParentFont();
      return;
    case CM_PARENTCOLORCHANGED:
      if (parentColor_) ApplyParentColor();
      return;
    case CM_PARENTSHOWHINTCHANGED:
      if (parentShowHint_ && parent_) {
        showHint_ = parent_->ShowHint();
        parentShowHint_ = true;
      }
      return;
    case CM_FONTCHANGED:
    case CM_COLORCHANGED:
    case CM_TEXTCHANGED:
    case CM_ENABLEDCHANGED:
    case CM_VISIBLECHANGED: Invalidate(); return;
    default: DefaultHandler(m);
  }
}

void TControl::DefaultHandler(TMessage&) {}

void TControl::HandleMouse(TMessage& m) {
  if (TControlHost* host = ControlHost()) host->HintMouseMessage(this, m);
  const int x = platform::GET_X_LPARAM(m.LParam);
  const int y = platform::GET_Y_LPARAM(m.LParam);
  const TShiftState shift = KeysToShiftState(m.WParam);
  switch (m.Msg) {
    case platform::WM_MOUSEMOVE: MouseMove(shift, x, y); break;
    case platform::WM_LBUTTONDOWN:
    case platform::WM_LBUTTONDBLCLK:
      if (controlStyle_ & csCaptureMouse) SetCaptureControl(this);
      if (controlStyle_ & csClickEvents) controlState_ |= csClicked;
      controlState_ |= csLButtonDown;
      if (m.Msg == platform::WM_LBUTTONDBLCLK && (controlStyle_ & csDoubleClicks)) DblClick();
      MouseDown(mbLeft, shift | (m.Msg == platform::WM_LBUTTONDBLCLK ? uint32_t{ssDouble} : 0u), x,
                y);
      break;
    case platform::WM_LBUTTONUP: {
      const bool clicked = (controlState_ & csClicked) != 0;
      controlState_ &= ~(csClicked | csLButtonDown);
      if (GetCaptureControl() == this) SetCaptureControl(nullptr);
      // A click is a release over the control that was pressed.
      if (clicked && ClientRect().Contains(x, y)) Click();
      MouseUp(mbLeft, shift, x, y);
      break;
    }
    case platform::WM_RBUTTONDOWN: MouseDown(mbRight, shift, x, y); break;
    case platform::WM_RBUTTONUP: MouseUp(mbRight, shift, x, y); break;
    case platform::WM_MBUTTONDOWN: MouseDown(mbMiddle, shift, x, y); break;
    case platform::WM_MBUTTONUP: MouseUp(mbMiddle, shift, x, y); break;
    default: break;
  }
  // The windowed controls leave the rest to the system.
  if (AsWinControl()) DefaultHandler(m);
}

void TControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  if (OnMouseDown) OnMouseDown(this, button, shift, x, y);
}

void TControl::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  if (OnMouseUp) OnMouseUp(this, button, shift, x, y);
}

void TControl::MouseMove(TShiftState shift, int x, int y) {
  if (OnMouseMove) OnMouseMove(this, shift, x, y);
}

void TControl::Click() {
  if (OnClick) OnClick(this);
}

void TControl::DblClick() {
  if (OnDblClick) OnDblClick(this);
}

void TControl::SetBounds(int left, int top, int width, int height) {
  width = std::max(0, width);
  height = std::max(0, height);
  if (left == left_ && top == top_ && width == width_ && height == height_) return;
  // The area left behind shows what lies under it again.
  if (parent_ && visible_ && !AsWinControl()) {
    const TRect old = BoundsRect();
    if (parent_->HandleAllocated()) platform::InvalidateRect(parent_->Handle(), &old, true);
  }
  left_ = left;
  top_ = top;
  width_ = width;
  height_ = height;
  UpdateBoundsRect();
  Invalidate();
  if (parent_ && align_ != alNone) parent_->Realign();
}

void TControl::UpdateBoundsRect() {}

void TControl::SetClientWidth(int v) { SetWidth(v + (width_ - ClientRect().Width())); }
void TControl::SetClientHeight(int v) { SetHeight(v + (height_ - ClientRect().Height())); }

// The font first: a control that sizes itself to its font (an edit's height) then takes the
// scaled size all the same, so the layout grows exactly as the description's numbers do.
void TControl::ChangeScale(int m, int d) {
  ScaleFont(m, d);
  ScaleBounds(m, d);
}

void TControl::ScaleFont(int m, int d) {
  if (!parentFont_) font_->SetHeight(MulDiv(font_->Height(), m, d));
}

void TControl::ScaleBounds(int m, int d) {
  SetBounds(MulDiv(left_, m, d), MulDiv(top_, m, d), MulDiv(width_, m, d), MulDiv(height_, m, d));
}

TPoint TControl::ClientOrigin() const {
  if (const TWinControl* win = AsWinControl(); win && win->HandleAllocated()) {
    TPoint p{0, 0};
    platform::ClientToScreen(win->handle_, &p);
    return p;
  }
  if (!parent_) return {left_, top_};
  const TPoint p = parent_->ClientOrigin();
  return {p.X + left_, p.Y + top_};
}

TPoint TControl::ClientToScreen(TPoint p) const {
  const TPoint o = ClientOrigin();
  return {p.X + o.X, p.Y + o.Y};
}

TPoint TControl::ScreenToClient(TPoint p) const {
  const TPoint o = ClientOrigin();
  return {p.X - o.X, p.Y - o.Y};
}

void TControl::SetParent(TWinControl* parent) {
  if (parent == parent_) return;
  if (parent == this) throw Exception("A control cannot be its own parent");
  if (parent_) parent_->RemoveControl(this);
  if (parent) {
    parent->InsertControl(this);
    if (parentFont_) ApplyParentFont();
    if (parentColor_) ApplyParentColor();
    if (parentShowHint_) showHint_ = parent->ShowHint();
  }
}

TFormHost* TControl::GetParentForm() const {
  const TControl* c = this;
  while (c->parent_) c = c->parent_;
  return dynamic_cast<TFormHost*>(const_cast<TControl*>(c));
}

void TControl::SetParentComponent(TComponent* parent) {
  if (auto* win = dynamic_cast<TWinControl*>(parent)) SetParent(win);
}

TComponent* TControl::GetParentComponent() const { return parent_; }

void TControl::Loaded() {
  TComponent::Loaded();
  if (parentFont_ && parent_) ApplyParentFont();
  if (parentColor_ && parent_) ApplyParentColor();
  AdjustSize();
}

void TControl::SetVisible(bool v) {
  if (v == visible_) return;
  VisibleChanging();
  visible_ = v;
  Perform(CM_VISIBLECHANGED, v ? 1 : 0);
  if (parent_) {
    const TRect r = BoundsRect();
    if (!AsWinControl() && parent_->HandleAllocated())
      platform::InvalidateRect(parent_->Handle(), &r, true);
    parent_->ShowControl(this);
    if (align_ != alNone) parent_->Realign();
  }
}

bool TControl::Showing() const {
  for (const TControl* c = this; c; c = c->parent_)
    if (!c->visible_) return false;
  return true;
}

void TControl::SetEnabled(bool v) {
  if (v == enabled_) return;
  enabled_ = v;
  Perform(CM_ENABLEDCHANGED);
}

void TControl::SetColor(TColor v) {
  if (v == color_ && !parentColor_) return;
  color_ = v;
  parentColor_ = false;
  Perform(CM_COLORCHANGED);
  NotifyChildren(this, CM_PARENTCOLORCHANGED);
}

void TControl::SetParentColor(bool v) {
  if (v == parentColor_) return;
  parentColor_ = v;
  if (v && parent_) ApplyParentColor();
}

void TControl::ApplyParentColor() {
  if (!parent_) return;
  color_ = parent_->Color();
  Perform(CM_COLORCHANGED);
  NotifyChildren(this, CM_PARENTCOLORCHANGED);
}

void TControl::SetFont(const TFont* font) { font_->Assign(font); }

void TControl::FontChanged() {
  if (updatingFont_) return;
  parentFont_ = false;
  Perform(CM_FONTCHANGED);
  NotifyChildren(this, CM_PARENTFONTCHANGED);
  AdjustSize();
}

void TControl::SetParentFont(bool v) {
  if (v == parentFont_) return;
  parentFont_ = v;
  if (v && parent_) ApplyParentFont();
}

void TControl::ApplyParentFont() {
  if (!parent_) return;
  updatingFont_ = true;
  font_->Assign(parent_->Font());
  updatingFont_ = false;
  parentFont_ = true;
  Perform(CM_FONTCHANGED);
  NotifyChildren(this, CM_PARENTFONTCHANGED);
  AdjustSize();
}

TText TControl::GetText() const { return text_; }

void TControl::SetText(const TText& v) {
  if (v == text_) return;
  text_ = v;
  Perform(CM_TEXTCHANGED);
}

void TControl::SetHint(const TText& v) { hint_ = v; }

void TControl::SetShowHint(bool v) {
  showHint_ = v;
  parentShowHint_ = false;
  NotifyChildren(this, CM_PARENTSHOWHINTCHANGED);
}

void TControl::SetParentShowHint(bool v) {
  parentShowHint_ = v;
  if (v && parent_) showHint_ = parent_->ShowHint();
}

void TControl::SetAlign(TAlign v) {
  if (v == align_) return;
  align_ = v;
  if (parent_) parent_->Realign();
}

void TControl::SetBiDiMode(TBiDiMode v) {
  if (v == biDiMode_) return;
  biDiMode_ = v;
  Perform(CM_BIDIMODECHANGED);
}

bool TControl::UseRightToLeftReading() const { return biDiMode_ != bdLeftToRight; }
bool TControl::UseRightToLeftAlignment() const { return biDiMode_ == bdRightToLeft; }

unsigned TControl::DrawTextBiDiModeFlags(unsigned flags) const {
  // Right-to-left alignment swaps left and right; right-to-left reading adds its flag.
  if (UseRightToLeftAlignment()) {
    if ((flags & platform::DT_RIGHT) == platform::DT_RIGHT)
      flags &= ~platform::DT_RIGHT;
    else if (!(flags & platform::DT_CENTER))
      flags |= platform::DT_RIGHT;
  }
  return flags | DrawTextBiDiModeFlagsReadingOnly();
}

unsigned TControl::DrawTextBiDiModeFlagsReadingOnly() const {
  return UseRightToLeftReading() ? unsigned{platform::DT_RTLREADING} : 0u;
}

void TControl::Invalidate() {
  if (!parent_ || !visible_ || !parent_->HandleAllocated()) return;
  const TRect r = BoundsRect();
  platform::InvalidateRect(parent_->Handle(), &r, !(controlStyle_ & csOpaque));
}

void TControl::Update() {
  if (parent_) parent_->Update();
}

void TControl::Repaint() {
  Invalidate();
  Update();
}

void TControl::BringToFront() {
  if (!parent_) return;
  auto& list = parent_->controls_;
  list.erase(std::remove(list.begin(), list.end(), this), list.end());
  list.push_back(this);
  if (TWinControl* win = AsWinControl(); win && win->HandleAllocated())
    platform::SetWindowPos(win->Handle(), nullptr, 0, 0, 0, 0,
                           platform::SWP_NOMOVE | platform::SWP_NOSIZE | platform::SWP_NOACTIVATE);
  Invalidate();
}

void TControl::SendToBack() {
  if (!parent_) return;
  auto& list = parent_->controls_;
  list.erase(std::remove(list.begin(), list.end(), this), list.end());
  list.insert(list.begin(), this);
  Invalidate();
}

}  // namespace framework
