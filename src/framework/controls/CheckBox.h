#pragma once
// TCustomCheckBox / TCheckBox: the classic check box: a sunken 13 x 13 box with a check mark, and
// the caption beside it (Alignment taRightJustify, the default: box at the left, caption to its
// right; taLeftJustify: caption at the left, box at the right edge). A dotted focus frame
// surrounds the caption while focused. The box is grey while pushed or disabled, dithered with a
// grey mark when grayed.
//
// A click (press and release over it) or the space key toggles it: unchecked to checked (or to
// grayed with AllowGrayed), checked to unchecked, grayed to checked. Every change of State, from
// the user or from code, sends CM_CHANGED and then runs OnClick, except while the control is
// being read from a description and while ClicksDisabled is set.

#include "framework/controls/ButtonControl.h"
#include "framework/controls/ControlTypes.h"

namespace framework {

class TCustomCheckBox : public TButtonControl {
 public:
  static constexpr int kBoxSize = 13;

  explicit TCustomCheckBox(TComponent* owner);
  DECLARE_CLASS_INFO()

  TCheckBoxState State() const { return state_; }
  void SetState(TCheckBoxState v);
  virtual bool Checked() const { return state_ == cbChecked; }
  virtual void SetChecked(bool v) { SetState(v ? cbChecked : cbUnchecked); }
  bool AllowGrayed() const { return allowGrayed_; }
  void SetAllowGrayed(bool v) { allowGrayed_ = v; }
  // taLeftJustify or taRightJustify (taCenter counts as taRightJustify).
  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment v);
  virtual void Toggle();

 protected:
  void Clicked() override { Toggle(); }
  int CheckState() const override;
  void PaintWindow(platform::HDC dc) override;

 private:
  TCheckBoxState state_ = cbUnchecked;
  bool allowGrayed_ = false;
  TAlignment alignment_ = taRightJustify;
};

class TCheckBox : public TCustomCheckBox {
 public:
  explicit TCheckBox(TComponent* owner) : TCustomCheckBox(owner) {}
  DECLARE_CLASS_INFO()
};

}  // namespace framework
