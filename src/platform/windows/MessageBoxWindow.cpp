// The program's own message box. It is drawn with the platform's primitives in the classic
// dialog look: a caption strip, the error icon, the wrapped message and one OK button that holds
// the focus. Every measure below is a pixel of an ordinary screen: on a dense display the box
// multiplies them by the device's factor, and draws its text, lines and sign at that size. While it
// is open, every other window of the program is disabled; afterwards they are enabled again and the
// window that was active gets the keyboard back.

#include <algorithm>
#include <cmath>
#include <vector>

#include "platform/drawing/ClassicDrawing.h"
#include "platform/text/Font.h"
#include "platform/windows/Input.h"
#include "platform/windows/MessageBox.h"
#include "platform/windows/Paint.h"
#include "platform/windows/Screen.h"
#include "platform/windows/WindowSystem.h"

namespace platform {

namespace {

constexpr int kFrame = 2;
constexpr int kCaptionHeight = 20;
constexpr int kCaptionIndent = 4;
constexpr int kMargin = 12;
constexpr int kIconSize = 32;
constexpr int kButtonWidth = 75;
constexpr int kButtonHeight = 23;
constexpr int kMaxTextWidth = 420;
constexpr int kMinTextHeight = 13;
constexpr int kCaptionRoom = 40;  // beside the caption's text
constexpr int kMinWidth = 200;

struct BoxState {
  std::string text;
  std::string caption;
  bool pressed = false;  // the left button went down on OK and is still down
  bool done = false;
  MessageBoxLayout layout;
};

LogFont BodyFont() { return MessageTextFont(); }
LogFont CaptionFont() { return MessageCaptionFont(); }

void Paint(HWND hwnd, BoxState& box);

}  // namespace

LogFont MessageTextFont() {
  LogFont f;
  f.Height = DeviceScaled(f.Height);
  return f;
}

LogFont MessageCaptionFont() {
  LogFont f = MessageTextFont();
  f.Weight = FW_BOLD;
  return f;
}

void DrawErrorIcon(HDC dc, int left, int top, int size) {
  DIBitmap* surface = dc->Surface();
  if (!surface || size <= 0) return;
  const Region& clip = dc->EffectiveClip();
  const TPoint origin = dc->LogicalToSurface(TPoint{left, top});
  // Drawn at the size asked for, not enlarged: the edges stay one pixel soft at any size.
  const double unit = size / static_cast<double>(kIconSize);
  const double r = size / 2.0 - 0.5;
  const double c = size / 2.0;
  const double crossHalfWidth = 1.6 * unit;
  const double crossReach = 8.0 * unit;
  for (int y = 0; y < size; ++y) {
    for (int x = 0; x < size; ++x) {
      const int sx = origin.X + x;
      const int sy = origin.Y + y;
      if (!clip.Contains(sx, sy)) continue;
      const double dx = x + 0.5 - c;
      const double dy = y + 0.5 - c;
      const double coverage = std::clamp(r - std::sqrt(dx * dx + dy * dy) + 0.5, 0.0, 1.0);
      if (coverage <= 0) continue;
      // The cross: two diagonal bars 3.2 units wide, 8 units from the centre at most.
      const double d1 = std::abs(dx - dy) / std::sqrt(2.0);
      const double d2 = std::abs(dx + dy) / std::sqrt(2.0);
      const bool inCross = std::max(std::abs(dx), std::abs(dy)) < crossReach;
      const double crossCoverage =
          inCross ? std::clamp(crossHalfWidth - std::min(d1, d2) + 0.5, 0.0, 1.0) : 0.0;
      const double red = 200 + 55 * crossCoverage;
      const double green = 30 + 225 * crossCoverage;
      const double blue = 30 + 225 * crossCoverage;
      uint8_t* p = surface->ScanLine(sy) + static_cast<size_t>(sx) * (surface->BitsPerPixel() / 8);
      p[0] = static_cast<uint8_t>(std::lround(p[0] + (blue - p[0]) * coverage));
      p[1] = static_cast<uint8_t>(std::lround(p[1] + (green - p[1]) * coverage));
      p[2] = static_cast<uint8_t>(std::lround(p[2] + (red - p[2]) * coverage));
    }
  }
}

namespace {

void Paint(HWND hwnd, BoxState& box) {
  const PaintScope paint(hwnd);
  HDC dc = paint.DC();
  if (!dc) return;
  TRect client;
  GetClientRect(hwnd, &client);
  FillRect(dc, client, CreateSolidBrush(ColorToRGB(clBtnFace)));
  // Frame and caption strip.
  const int px = DeviceScaled(1);
  TRect frame = client;
  DrawEdge(dc, frame, EDGE_RAISED, BF_RECT, px);
  FillRect(dc, box.layout.Caption, CreateSolidBrush(ColorToRGB(clActiveCaption)));
  SetBkMode(dc, TRANSPARENT);
  SelectFont(dc, CreateFontIndirect(CaptionFont()));
  SetTextColor(dc, ColorToRGB(clCaptionText));
  TRect captionText = box.layout.CaptionText;
  DrawText(dc, box.caption, &captionText, kMessageCaptionFormat);

  const TRect& icon = box.layout.Icon;
  DrawErrorIcon(dc, icon.Left, icon.Top, icon.Width());
  SelectFont(dc, CreateFontIndirect(BodyFont()));
  SetTextColor(dc, ColorToRGB(clWindowText));
  TRect textRect = box.layout.Text;
  DrawText(dc, box.text, &textRect, kMessageTextFormat);

  // The OK button: black default frame, 3D face, focus dots.
  const TRect b = box.layout.Button;
  FillRect(dc, {b.Left, b.Top, b.Right, b.Top + px}, CreateSolidBrush(clBlack));
  FillRect(dc, {b.Left, b.Bottom - px, b.Right, b.Bottom}, CreateSolidBrush(clBlack));
  FillRect(dc, {b.Left, b.Top, b.Left + px, b.Bottom}, CreateSolidBrush(clBlack));
  FillRect(dc, {b.Right - px, b.Top, b.Right, b.Bottom}, CreateSolidBrush(clBlack));
  const TRect face = b.Inflated(-px, -px);
  TRect edge = face;
  if (box.pressed)
    DrawEdge(dc, edge, EDGE_SUNKEN, BF_RECT | BF_FLAT, px);
  else
    DrawEdge(dc, edge, EDGE_RAISED, BF_RECT, px);
  TRect label = face.Translated(box.pressed ? px : 0, box.pressed ? px : 0);
  DrawText(dc, "OK", &label, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
  DrawFocusRect(dc, face.Inflated(-3 * px, -3 * px));
}

LRESULT BoxProc(BoxState& box, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  const TPoint point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
  switch (msg) {
    case WM_PAINT: Paint(hwnd, box); return 0;
    case WM_KEYDOWN:
      if (wParam == VK_RETURN || wParam == VK_ESCAPE || wParam == VK_SPACE) box.done = true;
      return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      if (box.layout.Button.Contains(point)) {
        box.pressed = true;
        SetCapture(hwnd);
        InvalidateRect(hwnd, &box.layout.Button, false);
      }
      return 0;
    case WM_MOUSEMOVE:
      if (GetCapture() == hwnd) {
        const bool inside = box.layout.Button.Contains(point);
        if (inside != box.pressed) {
          box.pressed = inside;
          InvalidateRect(hwnd, &box.layout.Button, false);
        }
      }
      return 0;
    case WM_LBUTTONUP:
      if (GetCapture() == hwnd) {
        ReleaseCapture();
        if (box.pressed) box.done = true;
        box.pressed = false;
        InvalidateRect(hwnd, &box.layout.Button, false);
      }
      return 0;
    case WM_CLOSE: box.done = true; return 0;
    default: return DefWindowProc(hwnd, msg, wParam, lParam);
  }
}

}  // namespace

TRect MessageBoxBounds(TSize size, const std::optional<TRect>& owner, const TRect& workArea) {
  const TRect& centre = owner ? *owner : workArea;
  int left = centre.Left + (centre.Width() - size.cx) / 2;
  int top = centre.Top + (centre.Height() - size.cy) / 2;
  // The far edges first, so that for a box larger than the work area the near edges win.
  left = std::max(std::min(left, workArea.Right - size.cx), workArea.Left);
  top = std::max(std::min(top, workArea.Bottom - size.cy), workArea.Top);
  return Bounds(left, top, size.cx, size.cy);
}

MessageBoxLayout LayOutMessageBox(const std::string& text, const std::string& caption) {
  // Size the box around its text.
  HDC measure = GetScreenDC();
  const SavedDC saved(measure);
  SelectFont(measure, CreateFontIndirect(BodyFont()));
  TRect textSize{0, 0, DeviceScaled(kMaxTextWidth), 0};
  DrawText(measure, text.empty() ? std::string(" ") : text, &textSize,
           kMessageTextFormat | DT_CALCRECT);
  SelectFont(measure, CreateFontIndirect(CaptionFont()));
  TSize captionSize;
  GetTextExtentPoint32(measure, caption, &captionSize);

  const int frame = DeviceScaled(kFrame);
  const int margin = DeviceScaled(kMargin);
  const int icon = DeviceScaled(kIconSize);
  const int buttonWidth = DeviceScaled(kButtonWidth);
  const int buttonHeight = DeviceScaled(kButtonHeight);
  const int captionHeight = DeviceScaled(kCaptionHeight);
  const int textLeft = margin + frame + icon + margin;
  const int bodyTop = frame + captionHeight + margin;
  const int textHeight = std::max(textSize.Height(), DeviceScaled(kMinTextHeight));
  const int contentHeight = std::max(icon, textHeight);
  const int width = std::max({textLeft + textSize.Width() + margin + frame,
                              captionSize.cx + DeviceScaled(kCaptionRoom), buttonWidth + 2 * margin,
                              DeviceScaled(kMinWidth)});
  const int height = bodyTop + contentHeight + margin + buttonHeight + margin + frame;
  MessageBoxLayout layout;
  layout.Size = {width, height};
  layout.Caption = {frame, frame, width - frame, frame + captionHeight};
  layout.CaptionText = layout.Caption.Inflated(-DeviceScaled(kCaptionIndent), 0);
  layout.Icon = Bounds(margin + frame, bodyTop, icon, icon);
  layout.Text = {textLeft, bodyTop + std::max(0, (icon - textHeight) / 2), width - margin - frame,
                 bodyTop + contentHeight};
  layout.Button = Bounds((width - buttonWidth) / 2, height - frame - margin - buttonHeight,
                         buttonWidth, buttonHeight);
  return layout;
}

ModalBoxScope::ModalBoxScope() : previousActive_(GetActiveWindow()), previousFocus_(GetFocus()) {
  for (WindowObject* w : WindowSystem::Instance().TopLevels()) {
    if (w->enabled) disabled_.push_back(w->handle);
  }
  for (HWND h : disabled_) EnableWindow(h, false);
}

ModalBoxScope::~ModalBoxScope() {
  for (HWND h : disabled_)
    if (IsWindow(h)) EnableWindow(h, true);
  if (previousActive_ && IsWindow(previousActive_)) SetActiveWindow(previousActive_);
  if (previousFocus_ && IsWindow(previousFocus_)) SetFocus(previousFocus_);
}

void RunModalBox(HWND window, const bool& done) {
  MSG msg;
  while (!done && IsWindow(window)) {
    if (!GetMessage(&msg)) {
      // The program is ending: leave the quit message for the main loop.
      PostQuitMessage(static_cast<int>(msg.wParam));
      break;
    }
    DispatchMessage(msg);
  }
}

int MessageBox(HWND owner, const std::string& text, const std::string& caption, unsigned) {
  BoxState box;
  box.text = text;
  box.caption = caption;
  box.layout = LayOutMessageBox(text, caption);

  std::optional<TRect> ownerRect;
  if (owner && IsWindowVisible(GetTopLevel(owner))) {
    ownerRect.emplace();
    GetWindowRect(GetTopLevel(owner), &*ownerRect);
  }
  // On the monitor that shows the owner; without one, where the program's bar lives.
  const TRect workArea = ownerRect ? MonitorFromRect(*ownerRect).rcWork : GetWorkArea();
  const TRect bounds = MessageBoxBounds(box.layout.Size, ownerRect, workArea);

  // Every other window of the program stops taking input while the box is open.
  const ModalBoxScope modal;
  CreateWindowParams params;
  params.ClassName = "MessageBox";
  params.WindowName = caption;
  params.Style = WS_POPUP;
  params.ExStyle = WS_EX_TOPMOST | WS_EX_DLGMODALFRAME;
  params.Bounds = bounds;
  params.Parent = owner ? GetTopLevel(owner) : nullptr;
  params.WindowProc = [&box](HWND h, UINT m, WPARAM w, LPARAM l) {
    return BoxProc(box, h, m, w, l);
  };
  HWND hwnd = CreateWindowEx(params);
  if (hwnd) {
    ShowWindow(hwnd, SW_SHOW);
    SetFocus(hwnd);
    RunModalBox(hwnd, box.done);
    DestroyWindow(hwnd);
  }
  return IDOK;
}

}  // namespace platform
