#pragma once
// TControl: a visual component with a place on its parent, a colour and font, a caption, events,
// and a replaceable window procedure that every message to the control goes through.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "framework/classes/Component.h"
#include "framework/controls/ControlMessages.h"
#include "platform/SharedText.h"
#include "platform/Types.h"
#include "platform/drawing/Colors.h"

namespace framework {

using platform::TColor;
using platform::TPoint;
using platform::TRect;
// The class library's string: shared bytes, copied on assignment without copying them.
using TText = platform::SharedText;

class TWinControl;
class TFont;
class TFormHost;

struct TMessage {
  UINT Msg = 0;
  WPARAM WParam = 0;
  LPARAM LParam = 0;
  LRESULT Result = 0;
};
using TWndMethod = std::function<void(TMessage&)>;

enum TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient, alCustom };
enum TAnchorKind : uint32_t { akLeft = 1, akTop = 2, akRight = 4, akBottom = 8 };
using TAnchors = uint32_t;
enum TMouseButton { mbLeft, mbRight, mbMiddle };
enum TShiftStateFlag : uint32_t {
  ssShift = 1,
  ssAlt = 2,
  ssCtrl = 4,
  ssLeft = 8,
  ssRight = 16,
  ssMiddle = 32,
  ssDouble = 64,
};
using TShiftState = uint32_t;
enum TBiDiMode { bdLeftToRight, bdRightToLeft, bdRightToLeftNoAlign, bdRightToLeftReadingOnly };

// What a control can do; set by its constructor.
enum TControlStyleFlag : uint32_t {
  csAcceptsControls = 1u << 0,
  csCaptureMouse = 1u << 1,
  csDesignInteractive = 1u << 2,
  csClickEvents = 1u << 3,
  csFramed = 1u << 4,
  csSetCaption = 1u << 5,
  csOpaque = 1u << 6,  // paints every pixel of its bounds
  csDoubleClicks = 1u << 7,
  csFixedWidth = 1u << 8,
  csFixedHeight = 1u << 9,
  csNoDesignVisible = 1u << 10,
  csReplicatable = 1u << 11,
  csNoStdEvents = 1u << 12,
  csDisplayDragImage = 1u << 13,
  csReflector = 1u << 14,
  csActionClient = 1u << 15,
  csMenuEvents = 1u << 16,
  csNeedsBorderPaint = 1u << 17,
  csParentBackground = 1u << 18,  // shows its parent's background where it does not paint
};
using TControlStyle = uint32_t;

// What a control is doing now.
enum TControlStateFlag : uint32_t {
  csLButtonDown = 1u << 0,
  csClicked = 1u << 1,
  csPalette = 1u << 2,
  csReadingState = 1u << 3,
  csAlignmentNeeded = 1u << 4,
  csFocusing = 1u << 5,
  csCreatingControl = 1u << 6,  // the control's window is being made
  csPaintCopy = 1u << 7,
  csCustomPaint = 1u << 8,
  csDestroyingHandle = 1u << 9,
};
using TControlState = uint32_t;

using TMouseEvent =
    std::function<void(TObject* sender, TMouseButton button, TShiftState shift, int x, int y)>;
using TMouseMoveEvent = std::function<void(TObject* sender, TShiftState shift, int x, int y)>;
using TKeyEvent = std::function<void(TObject* sender, uint16_t& key, TShiftState shift)>;
using TKeyPressEvent = std::function<void(TObject* sender, char32_t& key)>;

// The shift state of a mouse message's key flags, and of the keyboard now.
TShiftState KeysToShiftState(WPARAM keys);
TShiftState KeyboardStateToShiftState();

class TControl : public TComponent {
 public:
  explicit TControl(TComponent* owner);
  ~TControl() override;
  DECLARE_CLASS_INFO()

  // Messages: Perform sends through WindowProc; WindowProc starts as WndProc and may be replaced
  // (the old value kept and called for what the replacement does not handle).
  LRESULT Perform(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0);
  TWndMethod WindowProc;
  virtual void WndProc(TMessage& message);
  virtual void DefaultHandler(TMessage& message);

  // Place and size in the parent's client coordinates.
  int Left() const { return left_; }
  int Top() const { return top_; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  void SetLeft(int v) { SetBounds(v, top_, width_, height_); }
  void SetTop(int v) { SetBounds(left_, v, width_, height_); }
  void SetWidth(int v) { SetBounds(left_, top_, v, height_); }
  void SetHeight(int v) { SetBounds(left_, top_, width_, v); }
  virtual void SetBounds(int left, int top, int width, int height);
  TRect BoundsRect() const { return platform::Bounds(left_, top_, width_, height_); }
  virtual TRect ClientRect() const { return {0, 0, width_, height_}; }
  int ClientWidth() const { return ClientRect().Width(); }
  int ClientHeight() const { return ClientRect().Height(); }
  void SetClientWidth(int v);
  void SetClientHeight(int v);
  // Multiplies the control's place and size by m / d (rounded as MulDiv rounds), and its font
  // height unless it takes its parent's font; a windowed control scales its children with it.
  // This is how a form is fitted to the display's scale once it has been read.
  void ScaleBy(int m, int d) { ChangeScale(m, d); }
  TPoint ClientOrigin() const;  // screen coordinates of the client area's top-left
  TPoint ClientToScreen(TPoint p) const;
  TPoint ScreenToClient(TPoint p) const;

  TWinControl* Parent() const { return parent_; }
  virtual void SetParent(TWinControl* parent);
  // The control as a windowed control, or nullptr for one that draws on its parent's window.
  virtual TWinControl* AsWinControl() { return nullptr; }
  virtual const TWinControl* AsWinControl() const { return nullptr; }
  // The form the control stands on (the top of its parent chain, when that is a form), or nullptr.
  TFormHost* GetParentForm() const;

  bool Visible() const { return visible_; }
  void SetVisible(bool v);
  void Show() { SetVisible(true); }
  void Hide() { SetVisible(false); }
  // Visible, and every parent up to a visible form too.
  bool Showing() const;
  bool Enabled() const { return enabled_; }
  virtual void SetEnabled(bool v);

  TColor Color() const { return color_; }
  void SetColor(TColor v);
  bool ParentColor() const { return parentColor_; }
  void SetParentColor(bool v);
  TFont* Font() const { return font_.get(); }
  void SetFont(const TFont* font);
  bool ParentFont() const { return parentFont_; }
  void SetParentFont(bool v);

  // The caption (labels, buttons, forms) or text (edits): one value. Texts are shared, as the
  // class library's strings are: handing a control's text to another holder copies no bytes.
  TText Caption() const { return GetText(); }
  void SetCaption(const TText& v) { SetText(v); }
  TText Text() const { return GetText(); }
  virtual TText GetText() const;
  virtual void SetText(const TText& v);

  const TText& Hint() const { return hint_; }
  void SetHint(const TText& v);
  bool ShowHint() const { return showHint_; }
  void SetShowHint(bool v);
  bool ParentShowHint() const { return parentShowHint_; }
  void SetParentShowHint(bool v);

  TAlign Align() const { return align_; }
  void SetAlign(TAlign v);
  TAnchors Anchors() const { return anchors_; }
  void SetAnchors(TAnchors v) { anchors_ = v; }

  TBiDiMode BiDiMode() const { return biDiMode_; }
  void SetBiDiMode(TBiDiMode v);
  bool UseRightToLeftReading() const;
  bool UseRightToLeftAlignment() const;
  // The control's adjustment of text drawing flags for right-to-left reading.
  unsigned DrawTextBiDiModeFlags(unsigned flags) const;
  unsigned DrawTextBiDiModeFlagsReadingOnly() const;

  TControlStyle ControlStyle() const { return controlStyle_; }
  bool ControlStyleHas(TControlStyleFlag flag) const { return (controlStyle_ & flag) != 0; }
  void SetControlStyle(TControlStyle v) { controlStyle_ = v; }
  TControlState ControlState() const { return controlState_; }
  void SetControlState(TControlState v) { controlState_ = v; }

  // Painting: Invalidate marks the control's area for the next paint; Update paints what is
  // marked now; Repaint does both.
  virtual void Invalidate();
  virtual void Update();
  void Repaint();
  void Refresh() { Repaint(); }
  // Brings the control to the top of its siblings, or sends it to the bottom.
  void BringToFront();
  void SendToBack();

  TNotifyEvent OnClick;
  TNotifyEvent OnDblClick;
  TMouseEvent OnMouseDown;
  TMouseEvent OnMouseUp;
  TMouseMoveEvent OnMouseMove;
  TNotifyEvent OnMouseEnter;
  TNotifyEvent OnMouseLeave;

  virtual void Click();
  virtual void DblClick();

  // TComponent.
  void SetParentComponent(TComponent* parent) override;
  TComponent* GetParentComponent() const override;
  void Loaded() override;

 protected:
  virtual void MouseDown(TMouseButton button, TShiftState shift, int x, int y);
  virtual void MouseUp(TMouseButton button, TShiftState shift, int x, int y);
  virtual void MouseMove(TShiftState shift, int x, int y);
  // Font or colour taken from the parent when ParentFont / ParentColor.
  void ApplyParentFont();
  void ApplyParentColor();
  // Tells the control's window (if any) where it now is.
  virtual void UpdateBoundsRect();
  virtual void VisibleChanging() {}
  // The control wants its bounds adjusted to its content (labels with AutoSize).
  virtual void AdjustSize() {}
  virtual void FontChanged();
  // The step of ScaleBy for this control; controls with geometry or fonts of their own beyond
  // their bounds and font scale those too.
  virtual void ChangeScale(int m, int d);
  void ScaleFont(int m, int d);
  void ScaleBounds(int m, int d);

 private:
  void HandleMouse(TMessage& message);

  friend class TWinControl;
  TWinControl* parent_ = nullptr;
  int left_ = 0, top_ = 0, width_ = 0, height_ = 0;
  bool visible_ = true;
  bool enabled_ = true;
  TColor color_ = platform::clWindow;
  bool parentColor_ = false;
  std::unique_ptr<TFont> font_;
  bool parentFont_ = true;
  TText text_;
  TText hint_;
  bool showHint_ = false;
  bool parentShowHint_ = true;
  TAlign align_ = alNone;
  TAnchors anchors_ = akLeft | akTop;
  TBiDiMode biDiMode_ = bdLeftToRight;
  TControlStyle controlStyle_ = csCaptureMouse | csClickEvents | csSetCaption | csDoubleClicks;
  TControlState controlState_ = 0;
  bool updatingFont_ = false;
};

// The control that has the mouse captured (it receives every mouse message), or nullptr.
TControl* GetCaptureControl();
void SetCaptureControl(TControl* control);

}  // namespace framework
