#pragma once
// TFormHost: a windowed control that is a form to the controls it holds. A control asks the form
// it sits on (the top of its parent chain, TControl::GetParentForm) to move and track the keyboard
// focus, to preview its keys, and to take a button's modal result; TCustomForm answers.

#include "framework/controls/ControlTypes.h"
#include "framework/controls/WinControl.h"

namespace framework {

class TFormHost : public TWinControl {
 public:
  // The control that has, or had last, the focus inside the form.
  virtual TWinControl* ActiveControl() const = 0;
  // Moves the keyboard focus inside the form to control (it becomes the active control).
  virtual void FocusControl(TWinControl* control) = 0;
  // Told by a control that it received the focus: exits and enters, focus-changed notice.
  virtual void SetFocusedControl(TWinControl* control) = 0;
  // A control is leaving the form: forget it as active or focused control.
  virtual void ControlRemoved(TControl* control) = 0;
  // Whether the form sees its controls' keys before they do.
  virtual bool KeyPreview() const = 0;
  // Ends a modal showing of the form with v (mrNone goes on showing).
  virtual void SetModalResult(TModalResult v) = 0;

 protected:
  explicit TFormHost(TComponent* owner) : TWinControl(owner) {}
};

}  // namespace framework
