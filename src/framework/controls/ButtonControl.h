#pragma once
// TButtonControl: what push buttons and check boxes share, run as the native button control runs:
// a left press takes the focus, captures the mouse and pushes the button in (BM_SETSTATE 1); it
// pops out while the pointer is off it and in again when it comes back; a release while pushed
// in is a click. The space key pushes it in and its release clicks. Because the pushed state goes
// through BM_SETSTATE, a derived control that drops that message makes the native part give no
// clicks of its own. Press handling and the button messages are the DefaultHandler, after the
// framework's mouse and key events.

#include "framework/controls/WinControl.h"

namespace framework {

// Button messages and states, Windows' numbers.
enum : UINT {
  BM_GETCHECK = 0x00F0,
  BM_SETCHECK = 0x00F1,
  BM_GETSTATE = 0x00F2,
  BM_SETSTATE = 0x00F3,
  BM_CLICK = 0x00F5,
};
enum : int {
  BST_UNCHECKED = 0,
  BST_CHECKED = 1,
  BST_INDETERMINATE = 2,
  BST_PUSHED = 4,
  BST_FOCUS = 8,
};

class TButtonControl : public TWinControl {
 public:
  explicit TButtonControl(TComponent* owner);
  ~TButtonControl() override;
  DECLARE_CLASS_INFO()

  // While set, the native part's clicks are ignored (the VCL sets it while a press takes the
  // focus, so that focusing never clicks).
  bool ClicksDisabled() const { return clicksDisabled_; }
  void SetClicksDisabled(bool v) { clicksDisabled_ = v; }
  // The caption breaks into lines at blanks to fit the width.
  bool WordWrap() const { return wordWrap_; }
  void SetWordWrap(bool v);
  // Pushed in (BM_SETSTATE), by a press or the space key now under way.
  bool Pushed() const { return pushed_; }

  void WndProc(TMessage& message) override;
  void DefaultHandler(TMessage& message) override;

 protected:
  // The native control's click (BN_CLICKED): a button clicks, a check box toggles.
  virtual void Clicked() {}
  // The check state BM_GETCHECK reports.
  virtual int CheckState() const { return BST_UNCHECKED; }

 private:
  void NativeClick();
  void CancelPress();

  bool clicksDisabled_ = false;
  bool wordWrap_ = false;
  bool pushed_ = false;
  bool tracking_ = false;   // a left press is under way
  bool spaceDown_ = false;  // the space key is held
};

}  // namespace framework
