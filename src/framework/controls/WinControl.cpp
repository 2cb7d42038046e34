#include "framework/controls/WinControl.h"

#include <algorithm>

#include "framework/classes/ClassBuilder.h"
#include "framework/controls/ControlHost.h"
#include "framework/controls/FormHost.h"
#include "platform/windows/Input.h"
#include "platform/windows/Paint.h"

namespace framework {

namespace {

bool IsMouseMessage(UINT msg) {
  return msg >= platform::WM_MOUSEMOVE && msg <= platform::WM_MBUTTONDBLCLK;
}

}  // namespace

const TClassInfo& TWinControl::StaticClassInfo() {
  using C = TWinControl;
  static const TClassInfo info = TClassBuilder<C>("TWinControl", TControl::StaticClassInfo())
                                     .Integer("TabOrder", &C::TabOrder, &C::SetTabOrder)
                                     .Boolean("TabStop", &C::TabStop, &C::SetTabStop)
                                     .EventProperty("OnKeyDown", &C::OnKeyDown)
                                     .EventProperty("OnKeyUp", &C::OnKeyUp)
                                     .EventProperty("OnKeyPress", &C::OnKeyPress)
                                     .EventProperty("OnEnter", &C::OnEnter)
                                     .EventProperty("OnExit", &C::OnExit);
  return info;
}

TWinControl::TWinControl(TComponent* owner) : TControl(owner) {}

TWinControl::~TWinControl() {
  Destroying();
  // Child controls go with their parent (each leaves its owner's list as it goes).
  while (!controls_.empty()) {
    TControl* child = controls_.back();
    RemoveControl(child);
    delete child;
  }
  DestroyHandle();
}

// --- the window

HWND TWinControl::Handle() {
  if (!handle_) {
    if (Parent()) Parent()->Handle();
    if (!handle_) CreateWnd();
  }
  return handle_;
}

void TWinControl::CreateParams(TCreateParams& params) {
  // A child window's text lives in its control, which paints it; only a top-level window's caption
  // reaches the desktop, so a child's window keeps no second copy of a text that may be long.
  if (!Parent()) params.Caption = Text();
  params.Style = platform::WS_CHILD | platform::WS_CLIPSIBLINGS | platform::WS_CLIPCHILDREN;
  if (Visible()) params.Style |= platform::WS_VISIBLE;
  if (!Enabled()) params.Style |= platform::WS_DISABLED;
  if (TabStop()) params.Style |= platform::WS_TABSTOP;
  params.X = Left();
  params.Y = Top();
  params.Width = Width();
  params.Height = Height();
  params.WndParent = Parent() ? Parent()->Handle() : nullptr;
  params.WinClassName = ClassName();
}

LRESULT TWinControl::MainWndProc(TWinControl* self, HWND hwnd, UINT msg, WPARAM wParam,
                                 LPARAM lParam) {
  if (!self->handle_) self->handle_ = hwnd;  // messages sent while the window is being made
  TMessage m{msg, wParam, lParam, 0};
  try {
    self->WindowProc(m);
  } catch (const std::exception& e) {
    // A failure in an event handler is reported and the program goes on.
    if (TControlHost* host = ControlHost())
      host->HandleException(self, e);
    else
      throw;
  }
  return m.Result;
}

void TWinControl::CreateWnd() {
  TCreateParams params;
  CreateParams(params);
  SetControlState(ControlState() | csCreatingControl);
  platform::CreateWindowParams cw;
  cw.ClassName = params.WinClassName;
  cw.WindowName = params.Caption;
  cw.Style = params.Style;
  cw.ExStyle = params.ExStyle;
  cw.Bounds = platform::Bounds(params.X, params.Y, params.Width, params.Height);
  cw.Parent = params.WndParent;
  cw.WindowProc = [this](HWND h, UINT m, WPARAM w, LPARAM l) {
    return MainWndProc(this, h, m, w, l);
  };
  DefWndProc = platform::DefWindowProc;
  const HWND made = platform::CreateWindowEx(cw);
  SetControlState(ControlState() & ~csCreatingControl);
  if (!made) {
    handle_ = nullptr;
    throw Exception("Error creating window for " + (Name().empty() ? ClassName() : Name()));
  }
  handle_ = made;
  // Children get their windows with their parent's, in z-order.
  for (TControl* c : std::vector<TControl*>(controls_))
    if (auto* win = dynamic_cast<TWinControl*>(c)) win->Handle();
}

void TWinControl::DestroyWnd() {
  const HWND h = handle_;
  // No message may reach this object once its window is going away.
  platform::SetWindowProc(h, platform::DefWindowProc);
  handle_ = nullptr;
  platform::DestroyWindow(h);
}

void TWinControl::DestroyHandle() {
  if (!handle_) return;
  for (TControl* c : controls_)
    if (auto* win = dynamic_cast<TWinControl*>(c)) win->DestroyHandle();
  DestroyWnd();
  mouseControl_ = nullptr;
}

void TWinControl::RecreateWnd() {
  if (!handle_) return;
  DestroyHandle();
  Handle();
}

void TWinControl::UpdateBoundsRect() {
  if (handle_)
    platform::SetWindowPos(handle_, nullptr, Left(), Top(), Width(), Height(),
                           platform::SWP_NOZORDER | platform::SWP_NOACTIVATE);
}

void TWinControl::SetBounds(int left, int top, int width, int height) {
  const bool sized = width != Width() || height != Height();
  TControl::SetBounds(left, top, width, height);
  if (sized) Realign();
}

// --- children

void TWinControl::InsertControl(TControl* control) {
  control->parent_ = this;
  controls_.push_back(control);
  if (auto* win = dynamic_cast<TWinControl*>(control)) {
    win->requestedTabOrder_ = static_cast<int>(tabList_.size());
    tabList_.push_back(win);
    if (handle_) win->Handle();
  } else {
    control->Invalidate();
  }
  if (control->Align() != alNone) Realign();
}

void TWinControl::RemoveControl(TControl* control) {
  if (control->parent_ != this) return;
  if (mouseControl_ == control) mouseControl_ = nullptr;
  if (GetCaptureControl() == control) SetCaptureControl(nullptr);
  if (auto* form = GetParentForm()) form->ControlRemoved(control);
  if (!dynamic_cast<TWinControl*>(control)) control->Invalidate();
  if (auto* win = dynamic_cast<TWinControl*>(control)) {
    tabList_.erase(std::remove(tabList_.begin(), tabList_.end(), win), tabList_.end());
    win->DestroyHandle();
  }
  controls_.erase(std::remove(controls_.begin(), controls_.end(), control), controls_.end());
  control->parent_ = nullptr;
}

bool TWinControl::ContainsControl(const TControl* control) const {
  for (const TControl* c = control; c; c = c->Parent())
    if (c == this) return true;
  return false;
}

TControl* TWinControl::ControlAtPos(TPoint p, bool allowDisabled, bool allowWinControls) const {
  for (auto it = controls_.rbegin(); it != controls_.rend(); ++it) {
    TControl* c = *it;
    if (!allowWinControls && dynamic_cast<TWinControl*>(c)) continue;
    if (!c->Visible() || (!allowDisabled && !c->Enabled())) continue;
    if (c->BoundsRect().Contains(p)) return c;
  }
  return nullptr;
}

void TWinControl::ShowControl(TControl* control) {
  auto* win = dynamic_cast<TWinControl*>(control);
  if (win && win->handle_)
    platform::ShowWindow(win->handle_, win->Visible() ? platform::SW_SHOWNA : platform::SW_HIDE);
}

void TWinControl::Broadcast(TMessage& message) {
  for (TControl* c : std::vector<TControl*>(controls_)) {
    c->WindowProc(message);
    if (message.Result != 0) return;
  }
}

void TWinControl::NotifyControls(UINT msg) {
  for (TControl* c : std::vector<TControl*>(controls_)) c->Perform(msg, 0, 0);
}

void TWinControl::GetChildren(const std::function<void(TComponent*)>& proc,
                              const TComponent* root) const {
  for (TControl* c : controls_)
    if (c->Owner() == root) proc(c);
  TControl::GetChildren(proc, root);
}

// --- focus and tab order

int TWinControl::TabOrder() const {
  if (!Parent()) return 0;
  const auto& list = Parent()->tabList_;
  auto it = std::find(list.begin(), list.end(), this);
  return it == list.end() ? -1 : static_cast<int>(it - list.begin());
}

void TWinControl::SetTabOrder(int order) {
  if (!Parent()) return;
  auto& list = Parent()->tabList_;
  // While a description is read, siblings that come later may ask for lower places: the asked
  // order is kept and the list sorted by it once everything is read.
  requestedTabOrder_ = order;
  list.erase(std::remove(list.begin(), list.end(), this), list.end());
  order = std::clamp(order, 0, static_cast<int>(list.size()));
  list.insert(list.begin() + order, this);
}

void TWinControl::FixupTabList() {
  std::stable_sort(tabList_.begin(), tabList_.end(),
                   [](const TWinControl* a, const TWinControl* b) {
                     return a->requestedTabOrder_ < b->requestedTabOrder_;
                   });
}

void TWinControl::Loaded() {
  TControl::Loaded();
  FixupTabList();
}

void TWinControl::SetTabStop(bool v) {
  if (v == tabStop_) return;
  tabStop_ = v;
  Perform(CM_TABSTOPCHANGED);
}

bool TWinControl::CanFocus() const {
  for (const TControl* c = this; c; c = c->Parent())
    if (!c->Visible() || !c->Enabled()) return false;
  return true;
}

bool TWinControl::Focused() const { return handle_ && platform::GetFocus() == handle_; }

void TWinControl::SetFocus() {
  if (TFormHost* form = GetParentForm()) {
    form->FocusControl(this);
    return;
  }
  platform::SetFocus(Handle());
}

void TWinControl::GetTabOrderList(std::vector<TWinControl*>& list) const {
  for (TWinControl* c : tabList_) {
    list.push_back(c);
    c->GetTabOrderList(list);
  }
}

TWinControl* TWinControl::FindNextControl(TWinControl* current, bool goForward, bool checkTabStop,
                                          bool checkParent) const {
  std::vector<TWinControl*> list;
  GetTabOrderList(list);
  if (list.empty()) return nullptr;
  const int n = static_cast<int>(list.size());
  int start = static_cast<int>(std::find(list.begin(), list.end(), current) - list.begin());
  if (start == n) start = goForward ? n - 1 : 0;
  for (int step = 1; step <= n; ++step) {
    const int i = ((start + (goForward ? step : -step)) % n + n) % n;
    TWinControl* c = list[static_cast<size_t>(i)];
    if (c == current && step < n) continue;
    if (!c->CanFocus()) continue;
    if (checkTabStop && !c->TabStop()) continue;
    if (checkParent && c->Parent() != this) continue;
    // Containers that hold focusable children pass the focus on to them.
    if (c->ControlStyleHas(csAcceptsControls) && !c->tabList_.empty() && !c->TabStop()) continue;
    return c;
  }
  return nullptr;
}

void TWinControl::SelectNext(TWinControl* current, bool goForward, bool checkTabStop) {
  if (TWinControl* next = FindNextControl(current, goForward, checkTabStop, false))
    next->SetFocus();
}

// --- keyboard

bool TWinControl::DoKeyDown(uint16_t& key, TShiftState shift) {
  TFormHost* form = GetParentForm();
  if (form && form != this && form->KeyPreview()) {
    form->KeyDown(key, shift);
    if (key == 0) return true;
  }
  KeyDown(key, shift);
  return key == 0;
}

void TWinControl::KeyDown(uint16_t& key, TShiftState shift) {
  if (OnKeyDown) OnKeyDown(this, key, shift);
}

void TWinControl::KeyUp(uint16_t& key, TShiftState shift) {
  if (OnKeyUp) OnKeyUp(this, key, shift);
}

void TWinControl::KeyPress(char32_t& key) {
  if (OnKeyPress) OnKeyPress(this, key);
}

bool TWinControl::WantsKey(uint16_t) const { return false; }

// --- painting

void TWinControl::PaintWindow(platform::HDC) {}

void TWinControl::PaintHandler(TMessage& m) {
  if (auto dc = reinterpret_cast<platform::HDC>(m.WParam)) {
    PaintClient(dc);
    return;
  }
  const platform::PaintScope paint(handle_);
  if (paint.DC()) PaintClient(paint.DC());
}

void TWinControl::PaintClient(platform::HDC dc) {
  {
    const platform::SavedDC saved(dc);
    PaintWindow(dc);
  }
  PaintControls(dc, nullptr);
}

void TWinControl::PaintControls(platform::HDC dc, TControl* first) {
  auto it = controls_.begin();
  if (first) it = std::find(controls_.begin(), controls_.end(), first);
  for (; it != controls_.end(); ++it) {
    TControl* c = *it;
    if (c->AsWinControl() || !c->Visible() || c->Width() <= 0 || c->Height() <= 0) continue;
    if (!platform::RectVisible(dc, c->BoundsRect())) continue;
    const platform::SavedDC saved(dc);
    platform::OffsetViewportOrgEx(dc, c->Left(), c->Top());
    platform::IntersectClipRect(dc, 0, 0, c->Width(), c->Height());
    c->Perform(platform::WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
  }
}

void TWinControl::Invalidate() {
  if (handle_) platform::InvalidateRect(handle_, nullptr, !ControlStyleHas(csOpaque));
}

void TWinControl::Update() {
  if (handle_) platform::UpdateWindow(handle_);
}

// --- alignment

void TWinControl::AlignControls(TControl*, TRect& rect) {
  for (TAlign pass : {alTop, alBottom, alLeft, alRight, alClient}) {
    for (TControl* c : std::vector<TControl*>(controls_)) {
      if (c->Align() != pass || !c->Visible()) continue;
      switch (pass) {
        case alTop:
          c->SetBounds(rect.Left, rect.Top, rect.Width(), c->Height());
          rect.Top += c->Height();
          break;
        case alBottom:
          c->SetBounds(rect.Left, rect.Bottom - c->Height(), rect.Width(), c->Height());
          rect.Bottom -= c->Height();
          break;
        case alLeft:
          c->SetBounds(rect.Left, rect.Top, c->Width(), rect.Height());
          rect.Left += c->Width();
          break;
        case alRight:
          c->SetBounds(rect.Right - c->Width(), rect.Top, c->Width(), rect.Height());
          rect.Right -= c->Width();
          break;
        default: c->SetBounds(rect.Left, rect.Top, rect.Width(), rect.Height()); break;
      }
    }
  }
}

void TWinControl::ChangeScale(int m, int d) {
  ++alignLevel_;
  // The font before the children, which may take it and size themselves to it; their own
  // scaled sizes then hold.
  ScaleFont(m, d);
  for (TControl* c : std::vector<TControl*>(controls_)) c->ChangeScale(m, d);
  ScaleBounds(m, d);
  --alignLevel_;
  Realign();
}

void TWinControl::Realign() {
  if (alignLevel_ > 0 || HasState(csLoading)) return;
  ++alignLevel_;
  TRect rect = ClientRect();
  AlignControls(nullptr, rect);
  --alignLevel_;
}

// --- the mouse

bool TWinControl::RouteMouseToChild(TMessage& m) {
  TControl* target = nullptr;
  TControl* capture = GetCaptureControl();
  if (capture && capture->Parent() == this && !capture->AsWinControl()) {
    target = capture;
  } else if (!capture || capture == this) {
    const TPoint p{platform::GET_X_LPARAM(m.LParam), platform::GET_Y_LPARAM(m.LParam)};
    target = ControlAtPos(p, false);
  }
  if (!target) return false;
  const int x = platform::GET_X_LPARAM(m.LParam) - target->Left();
  const int y = platform::GET_Y_LPARAM(m.LParam) - target->Top();
  m.Result = target->Perform(m.Msg, m.WParam, platform::MAKELPARAM(x, y));
  return true;
}

void TWinControl::TrackMouseOver(TControl* now) {
  if (now == mouseControl_) return;
  TControl* old = mouseControl_;
  mouseControl_ = now;
  if (old) old->Perform(CM_MOUSELEAVE);
  if (now) now->Perform(CM_MOUSEENTER);
}

// --- messages

void TWinControl::WndProc(TMessage& m) {
  switch (m.Msg) {
    case platform::WM_PAINT: PaintHandler(m); return;
    case platform::WM_PRINTCLIENT:
      if (auto dc = reinterpret_cast<platform::HDC>(m.WParam)) PaintClient(dc);
      return;
    case platform::WM_ERASEBKGND:
      if (!ControlStyleHas(csOpaque)) {
        auto dc = reinterpret_cast<platform::HDC>(m.WParam);
        platform::FillRect(dc, ClientRect(),
                           platform::CreateSolidBrush(platform::ColorToRGB(Color())));
      }
      m.Result = 1;
      return;
    case platform::WM_MOUSEENTER: Perform(CM_MOUSEENTER); return;
    case platform::WM_MOUSELEAVE:
      TrackMouseOver(nullptr);
      Perform(CM_MOUSELEAVE);
      return;
    case platform::WM_SETFOCUS:
      if (TFormHost* form = GetParentForm(); form && form != this) form->SetFocusedControl(this);
      DefaultHandler(m);
      return;
    case platform::WM_KEYDOWN:
    case platform::WM_SYSKEYDOWN: KeyDownHandler(m); return;
    case platform::WM_KEYUP:
    case platform::WM_SYSKEYUP: KeyUpHandler(m); return;
    case platform::WM_CHAR: CharHandler(m); return;
    case platform::WM_WINDOWPOSCHANGED: {
      // The desktop may move a top-level window by itself.
      const TRect b = platform::WindowBounds(handle_);
      const bool sized = b.Width() != Width() || b.Height() != Height();
      left_ = b.Left;
      top_ = b.Top;
      width_ = b.Width();
      height_ = b.Height();
      if (sized) Realign();
      DefaultHandler(m);
      return;
    }
    case CM_ENABLEDCHANGED:
      if (handle_) platform::EnableWindow(handle_, Enabled());
      TControl::WndProc(m);
      return;
    case CM_VISIBLECHANGED: TControl::WndProc(m); return;
    case CM_DIALOGKEY: Broadcast(m); return;
    case CM_FOCUSCHANGED:
      Broadcast(m);
      m.Result = 0;
      return;
    default: break;
  }
  if (IsMouseMessage(m.Msg)) {
    if (RouteMouseToChild(m)) {
      if (m.Msg == platform::WM_MOUSEMOVE) {
        const TPoint p{platform::GET_X_LPARAM(m.LParam), platform::GET_Y_LPARAM(m.LParam)};
        TrackMouseOver(ControlAtPos(p, false));
      }
      return;
    }
    if (m.Msg == platform::WM_MOUSEMOVE) TrackMouseOver(nullptr);
  }
  TControl::WndProc(m);
}

void TWinControl::KeyDownHandler(TMessage& m) {
  if (TControlHost* host = ControlHost()) host->CancelHint();
  auto key = static_cast<uint16_t>(m.WParam);
  const TShiftState shift = KeyboardStateToShiftState();
  if (DoKeyDown(key, shift)) return;
  TFormHost* form = GetParentForm();
  if (form && !WantsKey(key)) {
    if (key == platform::VK_TAB && !(shift & (ssCtrl | ssAlt))) {
      form->SelectNext(this, !(shift & ssShift), true);
      return;
    }
    if ((key == platform::VK_RETURN || key == platform::VK_ESCAPE) &&
        form->Perform(CM_DIALOGKEY, key, 0) != 0)
      return;
  }
  m.WParam = key;
  DefaultHandler(m);
}

void TWinControl::KeyUpHandler(TMessage& m) {
  auto key = static_cast<uint16_t>(m.WParam);
  KeyUp(key, KeyboardStateToShiftState());
  if (key == 0) return;
  m.WParam = key;
  DefaultHandler(m);
}

void TWinControl::CharHandler(TMessage& m) {
  auto ch = static_cast<char32_t>(m.WParam);
  TFormHost* form = GetParentForm();
  if (form && form != this && form->KeyPreview()) form->KeyPress(ch);
  if (ch) KeyPress(ch);
  if (ch == 0) return;
  m.WParam = ch;
  DefaultHandler(m);
}

void TWinControl::DefaultHandler(TMessage& m) {
  if (handle_ && m.Msg < CM_BASE)
    m.Result = platform::CallWindowProc(DefWndProc, handle_, m.Msg, m.WParam, m.LParam);
}

}  // namespace framework
