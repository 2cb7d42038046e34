#pragma once
// TCustomLabel / TLabel: text drawn on its parent, without a window of its own.
//
// The text is laid out by DoDrawText, which the label calls both to measure (with DT_CALCRECT)
// and to draw, so a derived label that draws differently sizes itself by the same rule. With
// AutoSize (the default) the label takes the size of its text in its font whenever the text or
// the font changes (with WordWrap it keeps its width and takes the height); the edge it is
// anchored to stays where it is. ShowAccelChar (the default) makes "&" mark the next character.
// A disabled label's text is embossed. Unless Transparent, the label first fills itself with its
// Color (which it takes from its parent by default).

#include "framework/controls/ControlTypes.h"
#include "framework/controls/GraphicControl.h"

namespace framework {

class TWinControl;

class TCustomLabel : public TGraphicControl {
 public:
  explicit TCustomLabel(TComponent* owner);
  ~TCustomLabel() override;
  DECLARE_CLASS_INFO()

  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment v);
  bool AutoSize() const { return autoSize_; }
  void SetAutoSize(bool v);
  TTextLayout Layout() const { return layout_; }
  void SetLayout(TTextLayout v);
  bool WordWrap() const { return wordWrap_; }
  void SetWordWrap(bool v);
  bool Transparent() const { return !ControlStyleHas(csOpaque); }
  void SetTransparent(bool v);
  // With epEndEllipsis a line wider than the label ends in "..." at the label's right edge
  // instead of running past it (AutoSize still sizes the label to the whole text: a label that
  // must stay within bounds turns AutoSize off or narrows itself after a change).
  TEllipsisPosition EllipsisPosition() const { return ellipsisPosition_; }
  void SetEllipsisPosition(TEllipsisPosition v);
  bool ShowAccelChar() const { return showAccelChar_; }
  void SetShowAccelChar(bool v);
  // The control the label's accelerator focuses; forgotten when it goes.
  TWinControl* FocusControl() const { return focusControl_; }
  void SetFocusControl(TWinControl* control);

  void WndProc(TMessage& message) override;
  void Notification(TComponent* component, TOperation operation) override;

 protected:
  void Paint() override;
  // Draws (or, with DT_CALCRECT, measures into rect) the label's text on its canvas with the
  // given DrawText format; the label adds DT_NOPREFIX when ShowAccelChar is off.
  virtual void DoDrawText(TRect& rect, unsigned flags);
  // The text DoDrawText draws.
  virtual TText GetLabelText() const { return Caption(); }
  // Resizes the label to its text when AutoSize is on (not while its properties are being read).
  virtual void AdjustBounds();
  void AdjustSize() override { AdjustBounds(); }

 private:
  TAlignment alignment_ = taLeftJustify;
  bool autoSize_ = true;
  TTextLayout layout_ = tlTop;
  bool wordWrap_ = false;
  bool showAccelChar_ = true;
  TEllipsisPosition ellipsisPosition_ = epNone;
  TWinControl* focusControl_ = nullptr;
};

class TLabel : public TCustomLabel {
 public:
  explicit TLabel(TComponent* owner) : TCustomLabel(owner) {}
  DECLARE_CLASS_INFO()
};

}  // namespace framework
