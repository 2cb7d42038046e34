#pragma once
// TCustomPanel / TPanel: a container painted in the button-face colour with an outer and an inner
// bevel, a plain border between them, and a caption centred on it (vertically too).

#include "framework/controls/ControlTypes.h"
#include "framework/controls/CustomControl.h"

namespace framework {

class TCustomPanel : public TCustomControl {
 public:
  explicit TCustomPanel(TComponent* owner);
  DECLARE_CLASS_INFO()

  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment v);
  TBevelCut BevelInner() const { return bevelInner_; }
  void SetBevelInner(TBevelCut v);
  TBevelCut BevelOuter() const { return bevelOuter_; }
  void SetBevelOuter(TBevelCut v);
  // Width of each bevel in pixels (1 or more).
  int BevelWidth() const { return bevelWidth_; }
  void SetBevelWidth(int v);
  // The plain ring in the panel's colour between the outer and the inner bevel (0 or more).
  int BorderWidth() const { return borderWidth_; }
  void SetBorderWidth(int v);
  // Whether a themed look would show the parent's background through the panel; the classic
  // look always paints the panel's own colour. Kept for descriptions that set it.
  bool ParentBackground() const { return ControlStyleHas(csParentBackground); }
  void SetParentBackground(bool v);

 protected:
  void Paint() override;
  // Aligned children are placed inside the bevels and border.
  void AlignControls(TControl* control, TRect& rect) override;

 private:
  // Pixels taken by the bevels and border on each side.
  int FrameWidth() const;

  TAlignment alignment_ = taCenter;
  TBevelCut bevelInner_ = bvNone;
  TBevelCut bevelOuter_ = bvRaised;
  int bevelWidth_ = 1;
  int borderWidth_ = 0;
};

class TPanel : public TCustomPanel {
 public:
  explicit TPanel(TComponent* owner) : TCustomPanel(owner) {}
  DECLARE_CLASS_INFO()
};

}  // namespace framework
