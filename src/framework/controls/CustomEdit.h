#pragma once
// TCustomEdit / TEdit: the single-line edit box, drawn and run by the framework itself.
//
// Its parts follow the native edit control's, so that a derived control can take over the look
// through the window procedure alone:
// - WM_NCPAINT draws the frame: the border (sunken 3D when Ctl3D, else one black line) and the
//   bevels inside it. The window system asks for it before WM_PAINT whenever the window's pixels
//   were lost (shown, uncovered, resized); the edit asks for it when a frame property changes.
//   WM_PAINT draws only the text area inside the frame, so a replaced WM_NCPAINT handler keeps
//   the frame its own.
// - What the control does by itself with keys, characters, the mouse, focus and its caret timer
//   is its DefaultHandler: messages reach it after the framework's events (OnKeyDown, OnKeyPress,
//   OnMouseDown, ...) have had them, and a key an event handler cleared never arrives.
//
// The text is kept exactly as bytes (see EditBuffer). Typed characters arrive as WM_CHAR code
// points and are inserted as UTF-8; control characters insert nothing (Backspace deletes, Ctrl+A
// selects all, Ctrl+C/X/V copy, cut and paste). Keys: Left/Right (by words with Ctrl), Home/End,
// all extending the selection with Shift; Delete, Shift+Delete (cut), Ctrl+Insert (copy),
// Shift+Insert (paste). Up and Down are left alone. A read-only edit keeps its text but can still
// be selected and copied. Pasted text ends at its first line end, and is cut to MaxLength.
//
// The caret is a one-pixel line that shows while the edit has the focus. It blinks every 530 ms
// only while the edit's form is the active window and the user gave the edit input during the
// last 10 seconds; then it stays on and the timer stops, so an idle program uses no time. A
// read-only edit's caret never blinks.

#include <string>
#include <vector>

#include "framework/controls/ControlTypes.h"
#include "framework/controls/EditBuffer.h"
#include "framework/controls/WinControl.h"

namespace framework {

class TCustomEdit : public TWinControl {
 public:
  static constexpr uint32_t kCaretBlinkMs = 530;
  static constexpr uint32_t kCaretIdleMs = 10000;
  // The id of the caret's timer on the edit's window.
  static constexpr uintptr_t kCaretTimer = 0xED17;

  explicit TCustomEdit(TComponent* owner);
  ~TCustomEdit() override;
  DECLARE_CLASS_INFO()

  // Setting the text in code ignores MaxLength and ReadOnly, puts the caret at the start and
  // clears Modified.
  TText GetText() const override;
  void SetText(const TText& v) override;

  bool ReadOnly() const { return readOnly_; }
  void SetReadOnly(bool v);
  // The most characters the user may enter (0: no limit). Text set in code is not cut.
  int MaxLength() const { return maxLength_; }
  void SetMaxLength(int v);
  // Shown once per character instead of the text (0: the text itself). Password edits do not
  // copy or cut.
  char32_t PasswordChar() const { return passwordChar_; }
  void SetPasswordChar(char32_t v);
  // Select the whole text when the edit gets the focus from the keyboard (not from a click).
  bool AutoSelect() const { return autoSelect_; }
  void SetAutoSelect(bool v) { autoSelect_ = v; }
  // Keep the height at the font's height plus the border.
  bool AutoSize() const { return autoSize_; }
  void SetAutoSize(bool v);
  // Show the selection only while focused.
  bool HideSelection() const { return hideSelection_; }
  void SetHideSelection(bool v);
  TBorderStyle BorderStyle() const { return borderStyle_; }
  void SetBorderStyle(TBorderStyle v);  // bsNone, or anything else as bsSingle
  bool Ctl3D() const { return ctl3D_; }
  void SetCtl3D(bool v);
  TBevelKind BevelKind() const { return bevelKind_; }
  void SetBevelKind(TBevelKind v);
  TBevelCut BevelInner() const { return bevelInner_; }
  void SetBevelInner(TBevelCut v);
  TBevelCut BevelOuter() const { return bevelOuter_; }
  void SetBevelOuter(TBevelCut v);
  // Set when the user changed the text; cleared when the text is set in code.
  bool Modified() const { return modified_; }
  void SetModified(bool v) { modified_ = v; }

  // The selection, in bytes of the text, always on character boundaries.
  int SelStart() const;
  void SetSelStart(int v);
  int SelLength() const;
  void SetSelLength(int v);
  std::string SelText() const;
  // Replaces the selection (ReadOnly and MaxLength do not apply, as for text set in code).
  void SetSelText(const std::string& v);
  void SelectAll();
  void ClearSelection();
  void Clear() { SetText(std::string()); }
  // Through a TClipboard of their own; Exception "Cannot open clipboard" when it cannot be had.
  // Cut and paste do nothing to a read-only edit.
  void CopyToClipboard();
  void CutToClipboard();
  void PasteFromClipboard();

  // Pixels between the outer edge and the text area on each side: the border and the bevels, as
  // many pixels a ring as the frame's scale.
  int BorderInset() const;
  // Pixels between the text area's edge and the text, and the caret's width: one at the frame's
  // scale.
  int TextMargin() const { return FrameScaled(1); }
  // A length of the frame in pixels at the ordinary scale, at the frame's scale.
  int FrameScaled(int pixels) const;
  // Whether the caret is drawn now (focused, and on in its blink).
  bool CaretShowing() const;
  // Whether the caret's blink timer runs.
  bool CaretBlinking() const { return caretTimer_; }
  // The horizontal scroll of the text, in pixels.
  int ScrollOffset() const { return scroll_; }
  // The x of the caret in the edit's client coordinates.
  int CaretX();

  TNotifyEvent OnChange;

  void WndProc(TMessage& message) override;
  void DefaultHandler(TMessage& message) override;

 protected:
  // The text changed (in code or by the user): CM_CHANGED, then OnChange (not while loading).
  virtual void Change();
  void CreateWnd() override;
  void DestroyWnd() override;
  // The text area: background, text, selection and caret, inside the frame.
  void PaintWindow(platform::HDC dc) override;
  // The frame: border and bevels, drawn on the whole window.
  virtual void PaintBorder(platform::HDC dc);
  // What the text area shows from the text's start in the given width: the text itself (not a
  // copy of it), or as many password characters as can show there.
  std::string_view ShownText(int width, std::string& password);
  // The selection's background and text colours: the desktop's highlight colours.
  virtual void GetSelectionColors(TColor& back, TColor& text) const;
  // An auto-sized edit is as high as its font's cell plus the room its frame takes; on a scaled
  // display that room grows with the frame's pictures, and the font's cell with the font.
  void AdjustHeight();
  void ChangeScale(int m, int d) override;

 private:
  // The one change step of the frame's setters: the new value, then the height, the caret's
  // place and the frame follow it.
  template <typename T>
  void ChangeFrame(T& field, T value);
  // Native behaviour.
  void KeyDownDefault(uint16_t key, TShiftState shift);
  void CharDefault(char32_t ch);
  void MouseDefault(TMessage& message);
  bool UserReplace(std::string_view insert);
  void ClipboardKey(void (TCustomEdit::*operation)());

  // Layout: the x of character boundaries of what is shown (the text, or password characters),
  // from the start of the text. The buffer keeps them at its marks, measured by the font when
  // first needed after a change of font or password character, and around each edit.
  void UpdateLayout();
  void InvalidateLayout() { layoutValid_ = false; }
  int XOf(size_t charIndex);
  int TextWidth() { return XOf(buffer_.CharCount()); }
  // The last character whose left edge lies at or before x, and that edge.
  size_t LastCharAtOrBefore(int x, int& charX);
  // What is shown of characters [from, to): the text's bytes, or as many password characters as
  // can show in a text area of the given width.
  std::string_view Shown(size_t from, size_t to, int width, std::string& password) const;
  // The border's and the bevels' rings, one pixel each at the ordinary scale.
  int BorderRings() const;
  platform::TRect TextArea() const;
  int TextTop() const;
  int LineHeight();
  size_t PositionAt(int x);
  void ScrollCaretIntoView();
  void SelectionChanged();

  // The caret.
  void InputHappened();
  void UpdateCaretTimer();
  bool WantsBlink() const;
  void InvalidateCaret();

  EditBuffer buffer_;
  bool readOnly_ = false;
  int maxLength_ = 0;
  char32_t passwordChar_ = 0;
  bool autoSelect_ = true;
  bool autoSize_ = true;
  int frameScaleM_ = 1;  // the scale the frame's room is drawn at: frameScaleM_ / frameScaleD_
  int frameScaleD_ = 1;
  bool hideSelection_ = true;
  TBorderStyle borderStyle_ = bsSingle;
  bool ctl3D_ = true;
  TBevelKind bevelKind_ = bkNone;
  TBevelCut bevelInner_ = bvRaised;
  TBevelCut bevelOuter_ = bvLowered;
  bool modified_ = false;

  bool layoutValid_ = false;
  int lineHeight_ = 0;
  int passwordWidth_ = 0;
  int scroll_ = 0;
  bool tracking_ = false;  // a mouse press is selecting
  bool caretOn_ = true;
  bool caretTimer_ = false;
  uint32_t lastInput_ = 0;
};

class TEdit : public TCustomEdit {
 public:
  explicit TEdit(TComponent* owner) : TCustomEdit(owner) {}
  DECLARE_CLASS_INFO()
};

}  // namespace framework
