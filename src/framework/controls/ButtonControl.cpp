#include "framework/controls/ButtonControl.h"

#include "framework/classes/ClassBuilder.h"
#include "platform/windows/Input.h"

namespace framework {

const TClassInfo& TButtonControl::StaticClassInfo() {
  using C = TButtonControl;
  static const TClassInfo info = TClassBuilder<C>("TButtonControl", TWinControl::StaticClassInfo())
                                     .Boolean("WordWrap", &C::WordWrap, &C::SetWordWrap, false);
  return info;
}

TButtonControl::TButtonControl(TComponent* owner) : TWinControl(owner) {
  // The native part captures the mouse itself and clicks on release; the control paints all of
  // its face.
  SetControlStyle(csSetCaption | csDoubleClicks | csOpaque);
  SetTabStop(true);
}

TButtonControl::~TButtonControl() = default;

void TButtonControl::SetWordWrap(bool v) {
  if (v == wordWrap_) return;
  wordWrap_ = v;
  Invalidate();
}

void TButtonControl::NativeClick() {
  if (!clicksDisabled_) Clicked();
}

void TButtonControl::CancelPress() {
  const bool hadCapture = tracking_;
  tracking_ = false;
  spaceDown_ = false;
  if (hadCapture && HandleAllocated() && platform::GetCapture() == Handle())
    platform::ReleaseCapture();
  if (pushed_) Perform(BM_SETSTATE, 0);
}

void TButtonControl::WndProc(TMessage& m) {
  if ((m.Msg == platform::WM_LBUTTONDOWN || m.Msg == platform::WM_LBUTTONDBLCLK) && !Focused()) {
    // Taking the focus must not click; a control that cannot take it ignores the press.
    clicksDisabled_ = true;
    SetFocus();
    clicksDisabled_ = false;
    if (!Focused()) return;
  }
  TWinControl::WndProc(m);
}

void TButtonControl::DefaultHandler(TMessage& m) {
  switch (m.Msg) {
    case platform::WM_LBUTTONDOWN:
    case platform::WM_LBUTTONDBLCLK:
      if (spaceDown_) break;
      tracking_ = true;
      platform::SetCapture(Handle());
      Perform(BM_SETSTATE, 1);
      return;
    case platform::WM_MOUSEMOVE:
      if (tracking_) {
        const bool inside = ClientRect().Contains(platform::GET_X_LPARAM(m.LParam),
                                                  platform::GET_Y_LPARAM(m.LParam));
        if (inside != pushed_) Perform(BM_SETSTATE, inside ? 1 : 0);
        return;
      }
      break;
    case platform::WM_LBUTTONUP:
      if (tracking_) {
        const bool inside = ClientRect().Contains(platform::GET_X_LPARAM(m.LParam),
                                                  platform::GET_Y_LPARAM(m.LParam));
        const bool wasPushed = pushed_;
        tracking_ = false;
        if (platform::GetCapture() == Handle()) platform::ReleaseCapture();
        if (pushed_) Perform(BM_SETSTATE, 0);
        if (wasPushed && inside) NativeClick();
        return;
      }
      break;
    case platform::WM_CAPTURECHANGED:
      // Someone else took the mouse: the press is over without a click.
      if (tracking_) CancelPress();
      break;
    case platform::WM_KEYDOWN:
      if (m.WParam == platform::VK_SPACE && !tracking_ &&
          !(m.LParam & platform::KF_REPEAT_LPARAM)) {
        spaceDown_ = true;
        Perform(BM_SETSTATE, 1);
        return;
      }
      break;
    case platform::WM_KEYUP:
      if (m.WParam == platform::VK_SPACE && spaceDown_) {
        const bool wasPushed = pushed_;
        spaceDown_ = false;
        if (pushed_) Perform(BM_SETSTATE, 0);
        if (wasPushed) NativeClick();
        return;
      }
      break;
    case platform::WM_SETFOCUS: Invalidate(); break;
    case platform::WM_KILLFOCUS:
      CancelPress();
      Invalidate();
      break;
    case BM_SETSTATE: {
      const bool now = m.WParam != 0;
      if (now != pushed_) {
        pushed_ = now;
        Invalidate();
      }
      return;
    }
    case BM_GETSTATE:
      m.Result = CheckState() | (pushed_ ? BST_PUSHED : 0) | (Focused() ? BST_FOCUS : 0);
      return;
    case BM_GETCHECK: m.Result = CheckState(); return;
    case BM_SETCHECK:
      // The state lives in the control; the native part only shows it.
      Invalidate();
      return;
    case BM_CLICK: NativeClick(); return;
    default: break;
  }
  TWinControl::DefaultHandler(m);
}

}  // namespace framework
