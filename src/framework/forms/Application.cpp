#include "framework/forms/Application.h"

#include <malloc.h>

#include <algorithm>

#include "framework/controls/HintWindow.h"
#include "framework/forms/Form.h"
#include "framework/graphics/Icon.h"
#include "platform/windows/Input.h"
#include "platform/windows/MessageBox.h"
#include "platform/windows/Timer.h"

namespace framework {

namespace {

TApplication* current = nullptr;
constexpr uintptr_t kHintTimer = 1;

TMessageBoxFunction& MessageBoxFunction() {
  static TMessageBoxFunction show;
  return show;
}

}  // namespace

TApplication* Application() { return current; }

void SetMessageBoxFunction(TMessageBoxFunction show) { MessageBoxFunction() = std::move(show); }

int ShowMessageBox(HWND owner, const std::string& text, const std::string& caption, unsigned type) {
  if (const TMessageBoxFunction& show = MessageBoxFunction())
    return show(owner, text, caption, type);
  return platform::MessageBox(owner, text, caption, type);
}

std::string ErrorReportText(const std::string& message) {
  std::string text = message;
  if (!text.empty() && static_cast<unsigned char>(text.back()) > '.') text += '.';
  return text;
}

TApplication::TApplication(TComponent* owner) : TComponent(owner) {
  if (current) return;
  current = this;
  SetControlHost(this);
  // A failure that escapes a handler run from any message loop (the program's, a modal form's, a
  // message box's) is reported, and the loop goes on: a failed handler never ends the program.
  platform::SetFailureReport(
      [this](const std::exception& failure) { HandleException(this, failure); });
}

TApplication::~TApplication() {
  Destroying();
  icon_.reset();
  CancelHint();
  delete hintWindow_;
  hintWindow_ = nullptr;
  // The forms go first (last made first), while the application is still there for them.
  DestroyComponents();
  if (handle_) {
    const HWND h = handle_;
    handle_ = nullptr;
    platform::SetWindowProc(h, platform::DefWindowProc);
    platform::DestroyWindow(h);
  }
  if (current == this) {
    platform::SetFailureReport(nullptr);
    SetControlHost(nullptr);
    current = nullptr;
  }
}

void TApplication::SetTitle(const std::string& title) {
  title_ = title;
  if (handle_) platform::SetWindowText(handle_, title);
}

HWND TApplication::Handle() {
  if (!handle_) {
    platform::CreateWindowParams p;
    p.ClassName = "TApplication";
    p.WindowName = title_;
    p.Style = platform::WS_POPUP;
    p.ExStyle = platform::WS_EX_TOOLWINDOW;
    p.Bounds = platform::Bounds(0, 0, 1, 1);
    p.WindowProc = [this](HWND h, UINT m, WPARAM w, LPARAM l) {
      return AppWndProc(this, h, m, w, l);
    };
    handle_ = platform::CreateWindowEx(p);
  }
  return handle_;
}

platform::LRESULT TApplication::AppWndProc(TApplication* self, HWND hwnd, UINT msg, WPARAM wParam,
                                           LPARAM lParam) {
  if (msg == platform::WM_TIMER && wParam == kHintTimer) {
    platform::KillTimer(hwnd, kHintTimer);
    self->HintTimerExpired();
    return 0;
  }
  return platform::DefWindowProc(hwnd, msg, wParam, lParam);
}

void TApplication::SetIcon(const TIcon* icon) {
  if (!icon || icon->Empty()) {
    icon_.reset();
    return;
  }
  icon_ = std::make_unique<TIcon>();
  icon_->Assign(icon);
  for (TCustomForm* form : forms_)
    if (form->HandleAllocated())
      platform::SetWindowIcon(form->Handle(), icon_->Image(), &icon_->Mask());
}

void TApplication::AddForm(TCustomForm* form) { forms_.push_back(form); }

void TApplication::RemoveForm(TCustomForm* form) {
  forms_.erase(std::remove(forms_.begin(), forms_.end(), form), forms_.end());
  paintedForms_.erase(std::remove(paintedForms_.begin(), paintedForms_.end(), form),
                      paintedForms_.end());
  if (mainForm_ == form) mainForm_ = nullptr;
}

void TApplication::ControlDestroyed(TControl* control) {
  if (control != hintControl_) return;
  CancelHint();
  hintControl_ = nullptr;
}

void TApplication::Run() {
  if (mainForm_) mainForm_->Show();
  while (!terminated_) HandleMessage();
}

void TApplication::Terminate() { platform::PostQuitMessage(0); }

void TApplication::HandleMessage() {
  platform::MSG msg;
  if (!platform::GetMessage(&msg)) {
    terminated_ = true;
    return;
  }
  platform::DispatchMessage(msg);
  if (msg.message == platform::WM_PAINT) ReleaseMemoryAfterFirstPaint(msg.hwnd);
}

void TApplication::ReleaseMemoryAfterFirstPaint(HWND hwnd) {
  // Reading the forms' descriptions, and making a form's window, back buffer and caches, peak at
  // several times the heap the program keeps: once a form has painted for the first time (the
  // main form at start-up, the editor when first opened), the free part goes back to the system.
  for (TCustomForm* form : forms_) {
    if (!form->HandleAllocated() || form->Handle() != hwnd) continue;
    if (std::find(paintedForms_.begin(), paintedForms_.end(), form) != paintedForms_.end()) return;
    paintedForms_.push_back(form);
    malloc_trim(0);
    return;
  }
}

void TApplication::ProcessMessages() {
  platform::MSG msg;
  while (!terminated_ && platform::PeekMessage(&msg, platform::PM_REMOVE)) {
    if (msg.message == platform::WM_QUIT) {
      terminated_ = true;
      break;
    }
    platform::DispatchMessage(msg);
  }
}

void TApplication::HandleException(TObject* sender, const std::exception& error) {
  if (OnException) {
    OnException(sender, error);
    return;
  }
  ShowException(error);
}

void TApplication::ShowException(const std::exception& error) {
  const std::string text = ErrorReportText(error.what());
  CancelHint();
  // The report stands over the window the user is looking at: the program's active window (the
  // editor while it shows), else the main form.
  HWND owner = platform::GetActiveWindow();
  if (!owner || !platform::IsWindowVisible(owner))
    owner = mainForm_ && mainForm_->HandleAllocated() ? mainForm_->Handle() : nullptr;
  ShowMessageBox(owner, text, title_, platform::MB_OK | platform::MB_ICONERROR);
}

// --- hints

void TApplication::SetShowHint(bool v) {
  showHint_ = v;
  if (!v) CancelHint();
}

void TApplication::CancelHint() {
  if (handle_) platform::KillTimer(handle_, kHintTimer);
  hintTimerRunning_ = false;
  hintActive_ = false;
  if (hintWindow_) hintWindow_->ReleaseHandle();
}

void TApplication::HintMouseMessage(TControl* control, const TMessage& m) {
  if (m.Msg == CM_MOUSELEAVE) {
    if (control == hintControl_) {
      CancelHint();
      hintControl_ = nullptr;
    }
    return;
  }
  if (m.Msg != platform::WM_MOUSEMOVE) {
    // A press hides the tip until the pointer moves on to another control.
    CancelHint();
    hintSuppressed_ = true;
    return;
  }
  if (control != hintControl_) {
    CancelHint();
    hintControl_ = control;
    hintSuppressed_ = false;
  }
  if (!showHint_ || hintSuppressed_ || !control->ShowHint() || control->Hint().empty()) {
    if (hintWindow_ && hintWindow_->Showing()) CancelHint();
    return;
  }
  platform::GetCursorPos(&hintCursor_);
  if (hintWindow_ && hintWindow_->Showing()) {
    // The tip follows a hint that changed while it shows.
    if (control->Hint() != hintWindow_->Text())
      hintWindow_->ActivateHint(control->Hint(), {hintCursor_.X, hintCursor_.Y + 20});
    return;
  }
  if (!hintTimerRunning_) {
    hintTimerRunning_ = true;
    platform::SetTimer(Handle(), kHintTimer, static_cast<uint32_t>(HintPause));
  }
}

void TApplication::HintTimerExpired() {
  hintTimerRunning_ = false;
  if (!hintControl_ || hintSuppressed_ || !hintControl_->ShowHint() || hintControl_->Hint().empty())
    return;
  if (!hintWindow_) hintWindow_ = NewHintWindow().release();
  hintActive_ = true;
  hintWindow_->ActivateHint(hintControl_->Hint(), {hintCursor_.X, hintCursor_.Y + 20});
}

}  // namespace framework
