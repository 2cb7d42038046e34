#include "framework/controls/PopupMenu.h"

#include <algorithm>

#include "framework/controls/ControlHost.h"
#include "framework/graphics/DisplayScale.h"
#include "platform/drawing/ClassicDrawing.h"
#include "platform/drawing/DeviceContext.h"
#include "platform/text/Font.h"
#include "platform/windows/Input.h"
#include "platform/windows/Paint.h"
#include "platform/windows/Screen.h"

namespace framework {

namespace {

constexpr unsigned kCaptionFormat =
    platform::DT_LEFT | platform::DT_VCENTER | platform::DT_SINGLELINE | platform::DT_NOPREFIX;

platform::TSize CaptionSize(platform::HFONT font, const std::string& caption) {
  platform::HDC measure = platform::GetScreenDC();
  platform::SavedDC saved(measure);
  platform::SelectFont(measure, font);
  platform::TRect r{0, 0, 0, 0};
  platform::DrawText(measure, caption.empty() ? std::string(" ") : caption, &r,
                     kCaptionFormat | platform::DT_CALCRECT);
  return {r.Width(), r.Height()};
}

}  // namespace

void DrawMenuBullet(TBitmap* image, platform::TPoint centre, platform::TColor color) {
  // Every pixel whose centre lies in the disc: rows 3, 5, 5, 5 and 3 pixels wide at five pixels
  // across, rounder the larger it is drawn.
  const int across = DisplayScaled(5);
  const double radius = across / 2.0;
  const int left = centre.X - across / 2;
  const int top = centre.Y - across / 2;
  platform::HDC dc = image->Canvas()->Handle();
  const platform::TColor rgb = platform::ColorToRGB(color);
  for (int row = 0; row < across; ++row) {
    const double dy = row + 0.5 - radius;
    for (int column = 0; column < across; ++column) {
      const double dx = column + 0.5 - radius;
      if (dx * dx + dy * dy <= radius * radius)
        platform::SetPixel(dc, left + column, top + row, rgb);
    }
  }
}

TPopupMenu::TPopupMenu(TComponent* owner) : TComponent(owner) {}

TPopupMenu::~TPopupMenu() {
  CloseMenu();
  if (handle_) {
    const platform::HWND h = handle_;
    handle_ = nullptr;
    platform::DestroyWindow(h);
  }
}

void TPopupMenu::Clear() {
  CloseMenu();
  items_.clear();
}

void TPopupMenu::Add(TMenuItem item) {
  CloseMenu();
  items_.push_back(std::move(item));
}

TRect TPopupMenu::ItemRect(int index) const {
  if (index < 0 || static_cast<size_t>(index) >= tops_.size()) return {};
  const int height = items_[static_cast<size_t>(index)].IsSeparator()
                         ? DisplayScaled(kSeparatorHeight)
                         : itemHeight_;
  const int top = tops_[static_cast<size_t>(index)];
  return {DisplayScaled(kFrame), top, size_.cx - DisplayScaled(kFrame), top + height};
}

void TPopupMenu::Layout() {
  int widest = 0;
  int tallest = 0;
  for (const TMenuItem& item : items_) {
    if (item.IsSeparator()) continue;
    const platform::TSize s = CaptionSize(font_.Handle(), item.Caption);
    widest = std::max(widest, s.cx);
    tallest = std::max(tallest, s.cy);
  }
  itemHeight_ = std::max(DisplayScaled(kMinItemHeight), tallest + DisplayScaled(kItemPadding));
  tops_.clear();
  int y = DisplayScaled(kFrame);
  for (const TMenuItem& item : items_) {
    tops_.push_back(y);
    y += item.IsSeparator() ? DisplayScaled(kSeparatorHeight) : itemHeight_;
  }
  size_ = {DisplayScaled(2 * kFrame + kGutter + kRightMargin) + widest, y + DisplayScaled(kFrame)};
}

bool TPopupMenu::Popup(int x, int y) {
  CloseMenu();
  if (items_.empty()) return false;
  Layout();
  // Below and right of the point when there is room on the screen, else above or left of it.
  const platform::TSize screen = platform::GetVirtualScreenSize();
  if (x + size_.cx > screen.cx) x -= size_.cx;
  if (y + size_.cy > screen.cy) y -= size_.cy;
  x = std::clamp(x, 0, std::max(0, screen.cx - size_.cx));
  y = std::clamp(y, 0, std::max(0, screen.cy - size_.cy));
  if (!handle_) {
    platform::CreateWindowParams p;
    p.ClassName = platform::kPopupMenuClass;
    p.Style = platform::WS_POPUP;
    p.ExStyle = platform::WS_EX_TOPMOST | platform::WS_EX_NOACTIVATE | platform::WS_EX_TOOLWINDOW;
    p.Bounds = platform::Bounds(x, y, size_.cx, size_.cy);
    // Owned by the application's window, whose name window lists then show for the menu.
    p.Parent = ControlHost() ? ControlHost()->Handle() : nullptr;
    p.WindowProc = [this](platform::HWND h, platform::UINT m, platform::WPARAM w,
                          platform::LPARAM l) { return Proc(h, m, w, l); };
    handle_ = platform::CreateWindowEx(p);
    if (!handle_) return false;
  } else {
    platform::SetWindowPos(handle_, nullptr, x, y, size_.cx, size_.cy, platform::SWP_NOACTIVATE);
  }
  selected_ = -1;
  platform::InvalidateRect(handle_, nullptr, false);
  platform::ShowWindow(handle_, platform::SW_SHOWNA);
  if (!platform::GrabInput(handle_)) {
    platform::ShowWindow(handle_, platform::SW_HIDE);
    return false;
  }
  open_ = true;
  return true;
}

void TPopupMenu::CloseMenu() {
  if (!open_) return;
  open_ = false;
  selected_ = -1;
  if (platform::GetInputGrab() == handle_) platform::ReleaseInputGrab();
  if (handle_) platform::ShowWindow(handle_, platform::SW_HIDE);
}

void TPopupMenu::Select(int index) {
  if (index == selected_) return;
  selected_ = index;
  if (handle_) platform::InvalidateRect(handle_, nullptr, false);
}

int TPopupMenu::NextSelectable(int from, int step) const {
  const int count = static_cast<int>(items_.size());
  if (count == 0) return -1;
  int i = from;
  for (int n = 0; n < count; ++n) {
    i = ((i + step) % count + count) % count;
    if (!items_[static_cast<size_t>(i)].IsSeparator()) return i;
  }
  return -1;
}

int TPopupMenu::ItemAt(platform::TPoint client) const {
  for (int i = 0; i < static_cast<int>(items_.size()); ++i) {
    if (ItemRect(i).Contains(client)) return items_[static_cast<size_t>(i)].IsSeparator() ? -1 : i;
  }
  return -1;
}

void TPopupMenu::Choose(int index) {
  if (index < 0 || static_cast<size_t>(index) >= items_.size()) return;
  // The handler may change the items (or open the editor): it gets a copy, after the menu is
  // closed and the input is given back.
  const std::function<void()> handler = items_[static_cast<size_t>(index)].OnClick;
  CloseMenu();
  if (handler) handler();
}

void TPopupMenu::OnKey(int virtualKey) {
  const int count = static_cast<int>(items_.size());
  switch (virtualKey) {
    case platform::VK_UP: Select(NextSelectable(selected_ < 0 ? 0 : selected_, -1)); break;
    case platform::VK_DOWN: Select(NextSelectable(selected_ < 0 ? count - 1 : selected_, 1)); break;
    case platform::VK_HOME: Select(NextSelectable(count - 1, 1)); break;
    case platform::VK_END: Select(NextSelectable(0, -1)); break;
    case platform::VK_RETURN:
    case platform::VK_SPACE: Choose(selected_); break;
    case platform::VK_ESCAPE: CloseMenu(); break;
    default: break;
  }
}

platform::LRESULT TPopupMenu::Proc(platform::HWND hwnd, platform::UINT msg, platform::WPARAM w,
                                   platform::LPARAM l) {
  const platform::TPoint at{platform::GET_X_LPARAM(l), platform::GET_Y_LPARAM(l)};
  switch (msg) {
    case platform::WM_PAINT: Paint(); return 0;
    case platform::WM_ERASEBKGND: return 1;
    case platform::WM_MOUSEMOVE:
      if (open_) Select(ItemAt(at));
      return 0;
    case platform::WM_LBUTTONDOWN:
    case platform::WM_RBUTTONDOWN:
    case platform::WM_MBUTTONDOWN:
      // A press anywhere but on the menu closes it, and goes no further.
      if (open_ && !TRect{0, 0, size_.cx, size_.cy}.Contains(at)) CloseMenu();
      return 0;
    case platform::WM_LBUTTONUP:
    case platform::WM_RBUTTONUP:
      if (open_) Choose(ItemAt(at));
      return 0;
    case platform::WM_KEYDOWN:
    case platform::WM_SYSKEYDOWN:
      if (open_) OnKey(static_cast<int>(w));
      return 0;
    case platform::WM_DESTROY:
      open_ = false;
      selected_ = -1;
      handle_ = nullptr;
      return platform::DefWindowProc(hwnd, msg, w, l);
    default: return platform::DefWindowProc(hwnd, msg, w, l);
  }
}

void TPopupMenu::Paint() {
  const platform::PaintScope paint(handle_);
  TBitmap image(size_.cx, size_.cy);
  DrawBackground(&image);
  for (int i = 0; i < static_cast<int>(items_.size()); ++i) {
    const TMenuItem& item = items_[static_cast<size_t>(i)];
    if (item.IsSeparator())
      DrawSeparator(&image, ItemRect(i));
    else
      DrawItem(&image, item, ItemRect(i), i == selected_);
  }
  platform::BitBlt(paint.DC(), 0, 0, size_.cx, size_.cy, image.Canvas()->Handle(), 0, 0,
                   platform::SRCCOPY);
}

void TPopupMenu::DrawBackground(TBitmap* image) {
  platform::HDC dc = image->Canvas()->Handle();
  platform::TRect r{0, 0, image->Width(), image->Height()};
  platform::FillRect(dc, r, platform::CreateSolidBrush(platform::ColorToRGB(platform::clMenu)));
  platform::DrawEdge(dc, r, platform::EDGE_RAISED, platform::BF_RECT, DisplayScaled(1));
}

void TPopupMenu::DrawItem(TBitmap* image, const TMenuItem& item, const TRect& rect, bool selected) {
  platform::HDC dc = image->Canvas()->Handle();
  const platform::TColor text = selected ? platform::clHighlightText : platform::clMenuText;
  if (selected)
    platform::FillRect(dc, rect,
                       platform::CreateSolidBrush(platform::ColorToRGB(platform::clHighlight)));
  if (item.Checked)
    DrawMenuBullet(image, {rect.Left + DisplayScaled(kGutter) / 2, rect.Top + rect.Height() / 2},
                   text);
  platform::SelectFont(dc, font_.Handle());
  platform::SetTextColor(dc, platform::ColorToRGB(text));
  platform::SetBkMode(dc, platform::TRANSPARENT);
  platform::TRect caption{rect.Left + DisplayScaled(kGutter), rect.Top,
                          rect.Right - DisplayScaled(kRightMargin) / 2, rect.Bottom};
  platform::DrawText(dc, item.Caption, &caption, kCaptionFormat);
}

void TPopupMenu::DrawSeparator(TBitmap* image, const TRect& rect) {
  platform::HDC dc = image->Canvas()->Handle();
  // A shadow line over a light one, each a pixel high at the display's factor.
  const int px = DisplayScaled(1);
  const int middle = rect.Top + rect.Height() / 2;
  platform::TRect line{rect.Left + px, middle - px, rect.Right - px, middle + px};
  platform::DrawEdge(dc, line, platform::EDGE_ETCHED, platform::BF_TOP, px);
}

}  // namespace framework
