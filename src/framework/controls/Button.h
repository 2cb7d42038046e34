#pragma once
// TButton: the push button in the classic look: a raised face in the button colour, pushed in
// while pressed, a black frame while it is the button Enter would press (the focused button, or
// the default button while no other button has the focus), a dotted focus frame, and a centred
// caption whose "&" marks the accelerator.
//
// Clicks come from the mouse (press, release over it), the space key (down pushes, up clicks),
// Enter when it is the active button and Esc when it is the Cancel button (both through the
// form's CM_DIALOGKEY, answered with 1 when taken). A click sets the form's ModalResult to the
// button's, then runs OnClick.

#include "framework/controls/ButtonControl.h"
#include "framework/controls/ControlTypes.h"

namespace framework {

class TButton : public TButtonControl {
 public:
  explicit TButton(TComponent* owner);
  DECLARE_CLASS_INFO()

  bool Default() const { return default_; }
  void SetDefault(bool v);
  bool Cancel() const { return cancel_; }
  void SetCancel(bool v) { cancel_ = v; }
  TModalResult ModalResult() const { return modalResult_; }
  void SetModalResult(TModalResult v) { modalResult_ = v; }
  // The button Enter presses now: the focused button, or the default button while the focus is
  // on a control that is not a button.
  bool Active() const { return active_; }

  void Click() override;
  void WndProc(TMessage& message) override;

 protected:
  void CreateWnd() override;
  void PaintWindow(platform::HDC dc) override;
  void Clicked() override { Click(); }

 private:
  void SetActive(bool v);

  bool default_ = false;
  bool cancel_ = false;
  TModalResult modalResult_ = mrNone;
  bool active_ = false;
};

}  // namespace framework
