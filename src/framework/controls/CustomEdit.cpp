#include "framework/controls/CustomEdit.h"

#include <algorithm>
#include <limits>

#include "framework/controls/ClipboardObject.h"
#include "framework/controls/ControlTypeNames.h"
#include "framework/graphics/Font.h"
#include "platform/Utf8.h"
#include "platform/drawing/ClassicDrawing.h"
#include "platform/text/Font.h"
#include "platform/text/TextLayout.h"
#include "platform/windows/Input.h"
#include "platform/windows/Paint.h"
#include "platform/windows/Timer.h"

namespace framework {

namespace {

// Measuring with the control's font, on the screen's context, put back as it was afterwards.
class MeasuringDC {
 public:
  explicit MeasuringDC(const TFont* font) : dc_(platform::GetScreenDC()), saved_(dc_) {
    platform::SelectFont(dc_, font->Handle());
  }
  platform::HDC Get() const { return dc_; }
  int Width(std::string_view text) const {
    platform::TSize size;
    platform::GetTextExtentPoint32(dc_, text, &size);
    return size.cx;
  }

 private:
  platform::HDC dc_;
  platform::SavedDC saved_;
};

void Fill(platform::HDC dc, const TRect& r, TColor color) {
  platform::FillRect(dc, r, platform::CreateSolidBrush(platform::ColorToRGB(color)));
}

unsigned BevelBits(TBevelCut cut, unsigned lowered, unsigned raised) {
  return cut == bvLowered ? lowered : cut == bvRaised ? raised : 0u;
}

// The first line of a pasted text: a single-line edit takes nothing after a line end.
std::string_view FirstLine(std::string_view text) {
  return text.substr(0, text.find_first_of("\r\n"));
}

}  // namespace

const TEnumNames<TBorderStyle> kEditBorderStyleNames = {{"bsNone", bsNone}, {"bsSingle", bsSingle}};
const TEnumNames<TBevelKind> kBevelKindNames = {
    {"bkNone", bkNone}, {"bkTile", bkTile}, {"bkSoft", bkSoft}, {"bkFlat", bkFlat}};

const TClassInfo& TCustomEdit::StaticClassInfo() {
  using C = TCustomEdit;
  static const TClassInfo info =
      TClassBuilder<C>("TCustomEdit", TWinControl::StaticClassInfo())
          // An edit's value is its Text; the caption is the same string and is not stored twice.
          .String("Text", &C::Text, &C::SetText)
          .String("Caption", nullptr, &C::SetText)
          .Boolean("AutoSelect", &C::AutoSelect, &C::SetAutoSelect, true)
          .Boolean("AutoSize", &C::AutoSize, &C::SetAutoSize, true)
          .Enum("BorderStyle", &C::BorderStyle, &C::SetBorderStyle, kEditBorderStyleNames, bsSingle)
          .Boolean("Ctl3D", &C::Ctl3D, &C::SetCtl3D, true)
          .Enum("BevelKind", &C::BevelKind, &C::SetBevelKind, kBevelKindNames, bkNone)
          .Enum("BevelInner", &C::BevelInner, &C::SetBevelInner, kBevelCutNames, bvRaised)
          .Enum("BevelOuter", &C::BevelOuter, &C::SetBevelOuter, kBevelCutNames, bvLowered)
          .Boolean("HideSelection", &C::HideSelection, &C::SetHideSelection, true)
          .Integer("MaxLength", &C::MaxLength, &C::SetMaxLength, 0)
          // One character, kept as a code point and described as its UTF-8 text.
          .String(
              "PasswordChar",
              [](const C& o) {
                return o.PasswordChar() ? platform::EncodeUtf8(o.PasswordChar()) : std::string();
              },
              [](C& o, const std::string& v) {
                size_t i = 0;
                o.SetPasswordChar(v.empty() ? 0
                                            : static_cast<char32_t>(platform::NextCodePoint(v, i)));
              })
          .Boolean("ReadOnly", &C::ReadOnly, &C::SetReadOnly, false)
          .EventProperty("OnChange", &C::OnChange);
  return info;
}

const TClassInfo& TEdit::StaticClassInfo() {
  static const TClassInfo info =
      TClassBuilder<TEdit>("TEdit", TCustomEdit::StaticClassInfo()).Creatable();
  return info;
}

TCustomEdit::TCustomEdit(TComponent* owner) : TWinControl(owner) {
  // The edit captures the mouse itself while a press selects, and paints every pixel.
  SetControlStyle(csClickEvents | csSetCaption | csDoubleClicks | csFixedHeight | csOpaque);
  SetBounds(0, 0, 121, 21);
  SetTabStop(true);
  SetColor(platform::clWindow);
}

TCustomEdit::~TCustomEdit() {
  // A timer left on a window that goes would keep the message loop awake.
  if (caretTimer_ && HandleAllocated()) platform::KillTimer(Handle(), kCaretTimer);
  caretTimer_ = false;
}

// --- text and properties

TText TCustomEdit::GetText() const { return buffer_.Shared(); }

void TCustomEdit::SetText(const TText& v) {
  if (v == buffer_.Shared()) return;
  buffer_.SetText(v);
  scroll_ = 0;
  modified_ = false;
  Perform(CM_TEXTCHANGED);
}

void TCustomEdit::SetReadOnly(bool v) {
  if (v == readOnly_) return;
  readOnly_ = v;
  UpdateCaretTimer();
  Invalidate();
}

void TCustomEdit::SetMaxLength(int v) { maxLength_ = std::max(0, v); }

void TCustomEdit::SetPasswordChar(char32_t v) {
  if (v == passwordChar_) return;
  passwordChar_ = v;
  InvalidateLayout();
  ScrollCaretIntoView();
  Invalidate();
}

void TCustomEdit::SetAutoSize(bool v) {
  if (v == autoSize_) return;
  autoSize_ = v;
  AdjustHeight();
}

void TCustomEdit::SetHideSelection(bool v) {
  if (v == hideSelection_) return;
  hideSelection_ = v;
  Invalidate();
}

namespace {

// The frame changed: redraw it and the text area, whose size changed with it.
void RedrawFrame(TWinControl& control) {
  if (control.HandleAllocated())
    platform::RedrawWindow(control.Handle(), nullptr, nullptr,
                           platform::RDW_INVALIDATE | platform::RDW_FRAME);
}

}  // namespace

template <typename T>
void TCustomEdit::ChangeFrame(T& field, T value) {
  if (value == field) return;
  field = value;
  AdjustHeight();
  ScrollCaretIntoView();
  RedrawFrame(*this);
}

void TCustomEdit::SetBorderStyle(TBorderStyle v) {
  ChangeFrame(borderStyle_, v == bsNone ? bsNone : bsSingle);
}
void TCustomEdit::SetCtl3D(bool v) { ChangeFrame(ctl3D_, v); }
void TCustomEdit::SetBevelKind(TBevelKind v) { ChangeFrame(bevelKind_, v); }
void TCustomEdit::SetBevelInner(TBevelCut v) { ChangeFrame(bevelInner_, v); }
void TCustomEdit::SetBevelOuter(TBevelCut v) { ChangeFrame(bevelOuter_, v); }

int TCustomEdit::BorderRings() const {
  int rings = borderStyle_ == bsNone ? 0 : ctl3D_ ? 2 : 1;
  if (bevelKind_ != bkNone)
    rings += (bevelInner_ != bvNone ? 1 : 0) + (bevelOuter_ != bvNone ? 1 : 0);
  return rings;
}

int TCustomEdit::FrameScaled(int pixels) const {
  return MulDiv(pixels, frameScaleM_, frameScaleD_);
}

int TCustomEdit::BorderInset() const { return FrameScaled(BorderRings()); }

void TCustomEdit::AdjustHeight() {
  // As the VCL: only a bordered edit with a window sizes itself, never while being read.
  if (!autoSize_ || borderStyle_ == bsNone || !HandleAllocated() || HasState(csLoading)) return;
  platform::TextMetric tm;
  {
    MeasuringDC measure(Font());
    platform::GetTextMetrics(measure.Get(), &tm);
  }
  const int bevels = BorderRings() - (ctl3D_ ? 2 : 1);
  SetHeight(tm.tmHeight + FrameScaled((ctl3D_ ? 8 : 6) + 2 * bevels));
}

void TCustomEdit::ChangeScale(int m, int d) {
  frameScaleM_ *= m;
  frameScaleD_ *= d;
  TWinControl::ChangeScale(m, d);
}

void TCustomEdit::CreateWnd() {
  TWinControl::CreateWnd();
  AdjustHeight();
}

void TCustomEdit::DestroyWnd() {
  if (caretTimer_) platform::KillTimer(Handle(), kCaretTimer);
  caretTimer_ = false;
  tracking_ = false;
  TWinControl::DestroyWnd();
}

void TCustomEdit::Change() {
  if (HasState(csLoading)) return;
  Perform(CM_CHANGED, 0, reinterpret_cast<LPARAM>(this));
  if (OnChange) OnChange(this);
}

// --- selection

int TCustomEdit::SelStart() const { return static_cast<int>(buffer_.SelStart()); }
int TCustomEdit::SelLength() const { return static_cast<int>(buffer_.SelLength()); }
std::string TCustomEdit::SelText() const { return buffer_.SelText(); }

void TCustomEdit::SetSelStart(int v) {
  const size_t p = static_cast<size_t>(std::max(0, v));
  buffer_.Select(p, p);
  SelectionChanged();
}

void TCustomEdit::SetSelLength(int v) {
  // As EM_SETSEL from the selection's start: a negative length selects backwards.
  const int64_t start = static_cast<int64_t>(buffer_.SelStart());
  const int64_t end = std::max<int64_t>(0, start + v);
  buffer_.Select(static_cast<size_t>(start), static_cast<size_t>(end));
  SelectionChanged();
}

void TCustomEdit::SetSelText(const std::string& v) {
  if (buffer_.ReplaceSelection(v, 0)) Perform(CM_TEXTCHANGED);
}

void TCustomEdit::SelectAll() {
  buffer_.SelectAll();
  SelectionChanged();
}

void TCustomEdit::ClearSelection() {
  if (readOnly_ || buffer_.SelLength() == 0) return;
  if (buffer_.ReplaceSelection({}, 0)) Perform(CM_TEXTCHANGED);
}

void TCustomEdit::SelectionChanged() {
  ScrollCaretIntoView();
  Invalidate();
}

// --- clipboard

void TCustomEdit::CopyToClipboard() {
  if (passwordChar_ || buffer_.SelLength() == 0) return;
  TClipboard clipboard;
  clipboard.SetAsText(buffer_.SelText());
}

void TCustomEdit::CutToClipboard() {
  if (readOnly_ || passwordChar_ || buffer_.SelLength() == 0) return;
  CopyToClipboard();
  UserReplace({});
}

void TCustomEdit::PasteFromClipboard() {
  if (readOnly_) return;
  TClipboard clipboard;
  const std::string text = clipboard.AsText();
  const std::string_view line = FirstLine(text);
  if (!line.empty()) UserReplace(line);
}

void TCustomEdit::ClipboardKey(void (TCustomEdit::*operation)()) {
  try {
    (this->*operation)();
  } catch (const Exception&) {
    // A clipboard held by another program: the keys do nothing, as the native edit's do.
  }
}

bool TCustomEdit::UserReplace(std::string_view insert) {
  if (readOnly_) return false;
  if (!buffer_.ReplaceSelection(insert, static_cast<size_t>(maxLength_))) return false;
  modified_ = true;
  Perform(CM_TEXTCHANGED);
  return true;
}

// --- layout

void TCustomEdit::UpdateLayout() {
  if (layoutValid_) return;
  {
    MeasuringDC measure(Font());
    platform::TextMetric tm;
    platform::GetTextMetrics(measure.Get(), &tm);
    lineHeight_ = tm.tmHeight;
    passwordWidth_ = passwordChar_ ? measure.Width(platform::EncodeUtf8(passwordChar_)) : 0;
  }
  // Text is laid out by adding advances, so a run measures as its characters one by one do.
  layoutValid_ = true;
  if (passwordChar_) {
    buffer_.SetMeasure([width = int64_t{passwordWidth_}](std::string_view, size_t chars) {
      return static_cast<int64_t>(chars) * width;
    });
  } else {
    buffer_.SetMeasure(
        [this](std::string_view run, size_t) -> int64_t { return MeasuringDC(Font()).Width(run); });
  }
}

namespace {

// Pen positions stop growing at the platform's limit, as drawing does.
int Bounded(int64_t x) { return static_cast<int>(std::min<int64_t>(platform::kMaxTextExtent, x)); }

}  // namespace

int TCustomEdit::XOf(size_t charIndex) {
  UpdateLayout();
  return Bounded(buffer_.XOf(charIndex));
}

size_t TCustomEdit::LastCharAtOrBefore(int x, int& charX) {
  UpdateLayout();
  int64_t at = 0;
  const size_t k = buffer_.LastCharAtOrBefore(
      x >= platform::kMaxTextExtent ? std::numeric_limits<int64_t>::max() : x, at);
  charX = Bounded(at);
  return k;
}

std::string_view TCustomEdit::Shown(size_t from, size_t to, int width,
                                    std::string& password) const {
  if (!passwordChar_) {
    const size_t start = buffer_.CharStart(from);
    return std::string_view(buffer_.Text()).substr(start, buffer_.CharStart(to) - start);
  }
  const size_t fits = passwordWidth_ > 0 ? static_cast<size_t>(width / passwordWidth_) + 2 : 0;
  const std::string one = platform::EncodeUtf8(passwordChar_);
  password.clear();
  for (size_t i = from; i < to && i - from < fits; ++i) password += one;
  return password;
}

std::string_view TCustomEdit::ShownText(int width, std::string& password) {
  UpdateLayout();
  return Shown(0, buffer_.CharCount(), width, password);
}

int TCustomEdit::LineHeight() {
  UpdateLayout();
  return lineHeight_;
}

TRect TCustomEdit::TextArea() const {
  const int a = BorderInset();
  return {a, a, std::max(a, Width() - a), std::max(a, Height() - a)};
}

int TCustomEdit::TextTop() const { return BorderInset() + TextMargin(); }

size_t TCustomEdit::PositionAt(int x) {
  const int rel = x - (TextArea().Left + TextMargin()) + scroll_;
  // The boundary nearest to the point: a character's left half belongs before it.
  int left = 0;
  const size_t k = LastCharAtOrBefore(rel, left);
  if (k < buffer_.CharCount() && rel >= (left + XOf(k + 1) + 1) / 2)
    return buffer_.CharStart(k + 1);
  return buffer_.CharStart(k);
}

int TCustomEdit::CaretX() {
  return TextArea().Left + TextMargin() + XOf(buffer_.CharIndex(buffer_.Caret())) - scroll_;
}

void TCustomEdit::ScrollCaretIntoView() {
  const int visible = std::max(1, TextArea().Width() - 2 * TextMargin());
  const int caret = XOf(buffer_.CharIndex(buffer_.Caret()));
  if (caret - scroll_ < 0)
    scroll_ = caret;
  else if (caret - scroll_ > visible - TextMargin())
    scroll_ = caret - (visible - TextMargin());
  // No blank space is left after the text while more of it could show.
  const int maxScroll = std::max(0, TextWidth() - (visible - TextMargin()));
  scroll_ = std::clamp(scroll_, 0, maxScroll);
}

// --- the caret

bool TCustomEdit::CaretShowing() const { return caretOn_ && Focused(); }

bool TCustomEdit::WantsBlink() const {
  if (!HandleAllocated() || readOnly_ || !Focused()) return false;
  const HWND self = const_cast<TCustomEdit*>(this)->Handle();
  if (platform::GetActiveWindow() != platform::GetTopLevel(self)) return false;
  return platform::GetTickCount() - lastInput_ < kCaretIdleMs;
}

void TCustomEdit::UpdateCaretTimer() {
  if (!HandleAllocated()) return;
  if (WantsBlink()) {
    // Starting again puts the next blink a whole interval away: the caret stays on while typing.
    platform::SetTimer(Handle(), kCaretTimer, kCaretBlinkMs);
    caretTimer_ = true;
    return;
  }
  if (caretTimer_) platform::KillTimer(Handle(), kCaretTimer);
  caretTimer_ = false;
  if (!caretOn_) {
    caretOn_ = true;
    InvalidateCaret();
  }
}

void TCustomEdit::InputHappened() {
  lastInput_ = platform::GetTickCount();
  if (!caretOn_) {
    caretOn_ = true;
    InvalidateCaret();
  }
  UpdateCaretTimer();
}

void TCustomEdit::InvalidateCaret() {
  if (!HandleAllocated()) return;
  const int x = CaretX();
  const TRect r{x, TextTop(), x + TextMargin(), TextTop() + LineHeight()};
  platform::InvalidateRect(Handle(), &r, false);
}

// --- painting

void TCustomEdit::PaintBorder(platform::HDC dc) {
  TRect r{0, 0, Width(), Height()};
  const int ring = FrameScaled(1);
  if (borderStyle_ != bsNone) {
    if (ctl3D_) {
      platform::DrawEdge(dc, r, platform::EDGE_SUNKEN, platform::BF_RECT | platform::BF_ADJUST,
                         ring);
    } else {
      const TRect outer = r;
      Fill(dc, {outer.Left, outer.Top, outer.Right, outer.Top + ring}, platform::clWindowFrame);
      Fill(dc, {outer.Left, outer.Bottom - ring, outer.Right, outer.Bottom},
           platform::clWindowFrame);
      Fill(dc, {outer.Left, outer.Top, outer.Left + ring, outer.Bottom}, platform::clWindowFrame);
      Fill(dc, {outer.Right - ring, outer.Top, outer.Right, outer.Bottom}, platform::clWindowFrame);
      r = r.Inflated(-ring, -ring);
    }
  }
  if (bevelKind_ == bkNone) return;
  const int rings = (bevelInner_ != bvNone ? 1 : 0) + (bevelOuter_ != bvNone ? 1 : 0);
  // Rings without an edge (bvSpace) show the edit's colour.
  TRect blank = r;
  platform::Frame3D(dc, blank, Color(), Color(), rings * ring);
  const unsigned edge =
      BevelBits(bevelInner_, platform::BDR_SUNKENINNER, platform::BDR_RAISEDINNER) |
      BevelBits(bevelOuter_, platform::BDR_SUNKENOUTER, platform::BDR_RAISEDOUTER);
  const unsigned style = bevelKind_ == bkSoft   ? platform::BF_SOFT
                         : bevelKind_ == bkFlat ? platform::BF_FLAT
                                                : 0u;
  platform::DrawEdge(dc, r, edge, platform::BF_RECT | style | (ctl3D_ ? 0u : platform::BF_MONO),
                     ring);
}

void TCustomEdit::GetSelectionColors(TColor& back, TColor& text) const {
  back = platform::clHighlight;
  text = platform::clHighlightText;
}

void TCustomEdit::PaintWindow(platform::HDC dc) {
  const TRect area = TextArea();
  if (area.IsEmpty()) return;
  UpdateLayout();
  const platform::SavedDC saved(dc);
  platform::IntersectClipRect(dc, area.Left, area.Top, area.Right, area.Bottom);
  Fill(dc, area, Color());
  platform::SelectFont(dc, Font()->Handle());
  platform::SetBkMode(dc, platform::TRANSPARENT);
  // Only what the text area shows is drawn: from the character the scroll reaches into.
  const int x0 = area.Left + TextMargin() - scroll_;
  const int y = TextTop();
  const size_t count = buffer_.CharCount();
  int firstX = 0;
  const size_t first = LastCharAtOrBefore(scroll_, firstX);
  std::string password;
  platform::SetTextColor(dc,
                         platform::ColorToRGB(Enabled() ? Font()->Color() : platform::clGrayText));
  platform::TextOut(dc, x0 + firstX, y, Shown(first, count, area.Width(), password));

  if (buffer_.SelLength() > 0 && (Focused() || !hideSelection_)) {
    const size_t selFirst = buffer_.CharIndex(buffer_.SelStart());
    const size_t selLast = buffer_.CharIndex(buffer_.SelEnd());
    const TRect band{x0 + XOf(selFirst), y, x0 + XOf(selLast), y + lineHeight_};
    TColor back = platform::clHighlight;
    TColor text = platform::clHighlightText;
    GetSelectionColors(back, text);
    Fill(dc, band.Intersected(area), back);
    const platform::SavedDC inner(dc);
    platform::IntersectClipRect(dc, band.Left, band.Top, band.Right, band.Bottom);
    platform::SetTextColor(dc, platform::ColorToRGB(text));
    const size_t from = std::max(selFirst, first);
    if (from < selLast)
      platform::TextOut(dc, x0 + XOf(from), y, Shown(from, selLast, area.Width(), password));
  }
  // The caret inverts what it stands on, so it shows on the selection as on the text.
  if (CaretShowing()) {
    const int x = CaretX();
    platform::InvertRect(dc, {x, y, x + TextMargin(), y + lineHeight_});
  }
}

// --- messages

void TCustomEdit::WndProc(TMessage& m) {
  switch (m.Msg) {
    case platform::WM_NCPAINT: {
      const platform::WindowDC window(Handle());
      if (window.DC()) PaintBorder(window.DC());
      return;
    }
    case platform::WM_PRINT: {
      auto dc = reinterpret_cast<platform::HDC>(m.WParam);
      const auto flags = static_cast<unsigned>(m.LParam);
      if ((flags & platform::PRF_CHECKVISIBLE) && !Showing()) return;
      if (dc && (flags & platform::PRF_NONCLIENT)) {
        const platform::SavedDC saved(dc);
        PaintBorder(dc);
      }
      if (dc && (flags & platform::PRF_CLIENT))
        Perform(platform::WM_PRINTCLIENT, m.WParam, m.LParam);
      return;
    }
    case CM_TEXTCHANGED:
      // The buffer measured what changed.
      ScrollCaretIntoView();
      TWinControl::WndProc(m);
      Change();
      return;
    case CM_FONTCHANGED:
      InvalidateLayout();
      AdjustHeight();
      ScrollCaretIntoView();
      TWinControl::WndProc(m);
      return;
    case CM_COLORCHANGED:
      // Blank bevel rings show the edit's colour too.
      if (bevelKind_ != bkNone) RedrawFrame(*this);
      TWinControl::WndProc(m);
      return;
    case CM_ENTER:
      // Entered from the keyboard (a click places the caret itself).
      if (autoSelect_ && !(ControlState() & csLButtonDown)) SelectAll();
      TWinControl::WndProc(m);
      return;
    default: TWinControl::WndProc(m);
  }
}

void TCustomEdit::DefaultHandler(TMessage& m) {
  switch (m.Msg) {
    case platform::WM_KEYDOWN:
      KeyDownDefault(static_cast<uint16_t>(m.WParam), KeyboardStateToShiftState());
      break;
    case platform::WM_CHAR: CharDefault(static_cast<char32_t>(m.WParam)); break;
    case platform::WM_LBUTTONDOWN:
    case platform::WM_LBUTTONDBLCLK:
    case platform::WM_MOUSEMOVE:
    case platform::WM_LBUTTONUP: MouseDefault(m); break;
    case platform::WM_CAPTURECHANGED: tracking_ = false; break;
    case platform::WM_SETFOCUS:
      caretOn_ = true;
      InputHappened();
      Invalidate();
      break;
    case platform::WM_KILLFOCUS:
      tracking_ = false;
      UpdateCaretTimer();
      Invalidate();
      break;
    case platform::WM_TIMER:
      if (m.WParam != kCaretTimer) break;
      if (WantsBlink()) {
        caretOn_ = !caretOn_;
        InvalidateCaret();
      } else {
        UpdateCaretTimer();
      }
      return;
    default: break;
  }
  TWinControl::DefaultHandler(m);
}

void TCustomEdit::KeyDownDefault(uint16_t key, TShiftState shift) {
  const bool extend = (shift & ssShift) != 0;
  const bool ctrl = (shift & ssCtrl) != 0;
  bool moved = true;
  switch (key) {
    case platform::VK_LEFT:
      if (!extend && !ctrl && buffer_.SelLength() > 0)
        buffer_.MoveCaret(buffer_.SelStart(), false);
      else
        buffer_.MoveCaret(
            ctrl ? buffer_.PrevWordStart(buffer_.Caret()) : buffer_.PrevChar(buffer_.Caret()),
            extend);
      break;
    case platform::VK_RIGHT:
      if (!extend && !ctrl && buffer_.SelLength() > 0)
        buffer_.MoveCaret(buffer_.SelEnd(), false);
      else
        buffer_.MoveCaret(
            ctrl ? buffer_.NextWordStart(buffer_.Caret()) : buffer_.NextChar(buffer_.Caret()),
            extend);
      break;
    case platform::VK_HOME: buffer_.MoveCaret(0, extend); break;
    case platform::VK_END: buffer_.MoveCaret(buffer_.Text().size(), extend); break;
    case platform::VK_DELETE:
      moved = false;
      if (extend)
        ClipboardKey(&TCustomEdit::CutToClipboard);
      else if (!readOnly_ && buffer_.DeleteForward()) {
        modified_ = true;
        Perform(CM_TEXTCHANGED);
      }
      break;
    case platform::VK_INSERT:
      moved = false;
      if (ctrl)
        ClipboardKey(&TCustomEdit::CopyToClipboard);
      else if (extend)
        ClipboardKey(&TCustomEdit::PasteFromClipboard);
      break;
    default: return;
  }
  InputHappened();
  if (moved) SelectionChanged();
}

void TCustomEdit::CharDefault(char32_t ch) {
  InputHappened();
  switch (ch) {
    case 1:  // Ctrl+A
      SelectAll();
      return;
    case 3:  // Ctrl+C
      ClipboardKey(&TCustomEdit::CopyToClipboard);
      return;
    case 8:  // Backspace
      if (!readOnly_ && buffer_.DeleteBackward()) {
        modified_ = true;
        Perform(CM_TEXTCHANGED);
      }
      return;
    case 22:  // Ctrl+V
      ClipboardKey(&TCustomEdit::PasteFromClipboard);
      return;
    case 24:  // Ctrl+X
      ClipboardKey(&TCustomEdit::CutToClipboard);
      return;
    default: break;
  }
  // Other control characters (Enter, Esc, Tab, ...) are not text.
  if (ch < 0x20 || ch == 0x7F) return;
  UserReplace(platform::EncodeUtf8(ch));
}

void TCustomEdit::MouseDefault(TMessage& m) {
  const int x = platform::GET_X_LPARAM(m.LParam);
  switch (m.Msg) {
    case platform::WM_LBUTTONDOWN:
    case platform::WM_LBUTTONDBLCLK: {
      if (!Focused()) {
        SetFocus();
        if (!Focused()) return;
      }
      InputHappened();
      const size_t at = PositionAt(x);
      if (m.Msg == platform::WM_LBUTTONDBLCLK) {
        size_t start = 0;
        size_t end = 0;
        buffer_.WordAt(at, start, end);
        buffer_.Select(start, end);
      } else {
        buffer_.MoveCaret(at, (m.WParam & platform::MK_SHIFT) != 0);
        tracking_ = true;
        platform::SetCapture(Handle());
      }
      SelectionChanged();
      return;
    }
    case platform::WM_MOUSEMOVE:
      if (!tracking_) return;
      InputHappened();
      buffer_.MoveCaret(PositionAt(x), true);
      SelectionChanged();
      return;
    case platform::WM_LBUTTONUP:
      if (!tracking_) return;
      tracking_ = false;
      if (platform::GetCapture() == Handle()) platform::ReleaseCapture();
      return;
    default: return;
  }
}

}  // namespace framework
