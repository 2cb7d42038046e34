#include "framework/controls/HintWindow.h"

#include <algorithm>

#include "framework/controls/ControlHost.h"
#include "framework/graphics/DisplayScale.h"
#include "platform/text/Font.h"
#include "platform/windows/Paint.h"
#include "platform/windows/Screen.h"

namespace framework {

namespace {

constexpr unsigned kTextFormat = THintWindow::kTextFormat;
constexpr int kMaxLines = THintWindow::kMaxLines;

int MaxWidth() { return DisplayScaled(THintWindow::kMaxWidth); }
// No beginning longer than this can fit the tip: every character that shows is at least a pixel
// wide and four bytes at most, and characters that take no room are not worth showing more of.
size_t MaxShownBytes() { return static_cast<size_t>(MaxWidth()) * kMaxLines * 4; }

THintWindowClass& HintWindowClass() {
  static THintWindowClass make;
  return make;
}

int HeightOf(platform::HDC measure, std::string_view text) {
  platform::TRect r{0, 0, MaxWidth(), 0};
  platform::DrawText(measure, text.empty() ? std::string_view(" ") : text, &r,
                     kTextFormat | platform::DT_CALCRECT);
  return r.Height();
}

// The start of a UTF-8 character at or before the byte: a cut never splits a character.
size_t CharBoundaryAtOrBefore(std::string_view text, size_t at) {
  for (int back = 0; back < 3 && at > 0 && at < text.size(); ++back) {
    if ((static_cast<unsigned char>(text[at]) & 0xC0) != 0x80) break;
    --at;
  }
  return at;
}

// All of the text when it fits kMaxLines lines, else the longest beginning that fits with "..."
// after it.
std::string ShownText(platform::HDC measure, std::string_view text) {
  platform::TextMetric tm;
  platform::GetTextMetrics(measure, &tm);
  const int limit = kMaxLines * tm.tmHeight;
  const size_t maxShownBytes = MaxShownBytes();
  if (text.size() <= maxShownBytes && HeightOf(measure, text) <= limit) return std::string(text);
  const auto cut = [&](size_t bytes) {
    return std::string(text.substr(0, CharBoundaryAtOrBefore(text, bytes))) + "...";
  };
  size_t fits = 0;
  size_t tooLong = std::min(text.size(), maxShownBytes) + 1;
  while (tooLong - fits > 1) {
    const size_t middle = fits + (tooLong - fits) / 2;
    if (HeightOf(measure, cut(middle)) <= limit)
      fits = middle;
    else
      tooLong = middle;
  }
  return cut(fits);
}

}  // namespace

void SetHintWindowClass(THintWindowClass make) { HintWindowClass() = std::move(make); }

std::unique_ptr<THintWindow> NewHintWindow() {
  if (const THintWindowClass& make = HintWindowClass()) return make();
  return std::make_unique<THintWindow>();
}

platform::LogFont THintWindow::HintLogFont() {
  platform::LogFont font;
  font.Height = DisplayScaled(font.Height);
  return font;
}

platform::HFONT THintWindow::HintFont() { return platform::CreateFontIndirect(HintLogFont()); }

platform::TRect THintWindow::TextRect(const platform::TRect& client) {
  return {DisplayScaled(4), DisplayScaled(2), client.Right - DisplayScaled(4),
          client.Bottom - DisplayScaled(2)};
}

THintWindow::~THintWindow() { ReleaseHandle(); }

bool THintWindow::Showing() const { return handle_ && platform::IsWindowVisible(handle_); }

void THintWindow::ReleaseHandle() {
  if (!handle_) return;
  const platform::HWND h = handle_;
  handle_ = nullptr;
  platform::DestroyWindow(h);
}

void THintWindow::ActivateHint(const platform::SharedText& text, platform::TPoint at) {
  text_ = text;
  platform::HDC measure = platform::GetScreenDC();
  platform::TRect r{0, 0, MaxWidth(), 0};
  {
    const platform::SavedDC saved(measure);
    platform::SelectFont(measure, HintFont());
    shown_ = ShownText(measure, text);
    platform::DrawText(measure, shown_.empty() ? std::string(" ") : shown_, &r,
                       kTextFormat | platform::DT_CALCRECT);
  }
  const platform::TRect bounds =
      HintBounds({r.Width() + DisplayScaled(8), r.Height() + DisplayScaled(4)}, at);
  const bool appearing = !Showing();
  if (!handle_) {
    platform::CreateWindowParams p;
    p.ClassName = "THintWindow";
    p.Style = platform::WS_POPUP;
    p.ExStyle = platform::WS_EX_TOPMOST | platform::WS_EX_NOACTIVATE | platform::WS_EX_TOOLWINDOW;
    p.Bounds = bounds;
    // Owned by the application's window, whose name window lists then show for the tip.
    p.Parent = ControlHost() ? ControlHost()->Handle() : nullptr;
    p.WindowProc = [this](platform::HWND h, platform::UINT m, platform::WPARAM w,
                          platform::LPARAM l) { return Proc(h, m, w, l); };
    handle_ = platform::CreateWindowEx(p);
  } else {
    platform::SetWindowPos(handle_, nullptr, bounds.Left, bounds.Top, bounds.Width(),
                           bounds.Height(), platform::SWP_NOACTIVATE);
    platform::InvalidateRect(handle_, nullptr, false);
  }
  if (appearing) Appearing();
  platform::ShowWindow(handle_, platform::SW_SHOWNA);
}

platform::LRESULT THintWindow::Proc(platform::HWND hwnd, platform::UINT msg, platform::WPARAM w,
                                    platform::LPARAM l) {
  if (msg == platform::WM_NCHITTEST) return platform::HTTRANSPARENT;
  if (msg == platform::WM_TIMER) {
    TimerTick(static_cast<uintptr_t>(w));
    return 0;
  }
  if (msg != platform::WM_PAINT) return platform::DefWindowProc(hwnd, msg, w, l);
  const platform::PaintScope paint(hwnd);
  platform::TRect client;
  platform::GetClientRect(hwnd, &client);
  Paint(paint.DC(), client);
  return 0;
}

platform::TRect THintWindow::HintBounds(platform::TSize size, platform::TPoint at) const {
  const platform::TRect area = platform::GetWorkArea();
  const platform::TSize screen = platform::GetVirtualScreenSize();
  const int right = std::max(area.Right, screen.cx);
  const int bottom = std::max(area.Bottom, screen.cy);
  const int left = std::clamp(at.X, 0, std::max(0, right - size.cx));
  int top = at.Y;
  if (top + size.cy > bottom)
    top = at.Y - size.cy - 24;  // above the pointer when there is no room below
  top = std::max(0, top);
  return platform::Bounds(left, top, size.cx, size.cy);
}

void THintWindow::Paint(platform::HDC dc, const platform::TRect& client) {
  platform::FillRect(dc, client,
                     platform::CreateSolidBrush(platform::ColorToRGB(platform::clWindowFrame)));
  platform::FillRect(dc, client.Inflated(-DisplayScaled(1), -DisplayScaled(1)),
                     platform::CreateSolidBrush(platform::ColorToRGB(platform::clInfoBk)));
  platform::SelectFont(dc, HintFont());
  platform::SetTextColor(dc, platform::ColorToRGB(platform::clInfoText));
  platform::SetBkMode(dc, platform::TRANSPARENT);
  platform::TRect text = TextRect(client);
  platform::DrawText(dc, shown_, &text, kTextFormat);
}

}  // namespace framework
