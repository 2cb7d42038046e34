#include "framework/forms/Form.h"

#include <algorithm>

#include "framework/classes/ClassBuilder.h"
#include "framework/classes/FormReader.h"
#include "framework/forms/Application.h"
#include "framework/graphics/Canvas.h"
#include "framework/graphics/CanvasBinding.h"
#include "framework/graphics/DisplayScale.h"
#include "framework/graphics/Icon.h"
#include "platform/windows/Input.h"
#include "platform/windows/Paint.h"
#include "platform/windows/Screen.h"

namespace framework {

const TEnumNames<TFormBorderStyle> kFormBorderStyleNames = {
    {"bsNone", bsNone},     {"bsSingle", bsSingle},         {"bsSizeable", bsSizeable},
    {"bsDialog", bsDialog}, {"bsToolWindow", bsToolWindow}, {"bsSizeToolWin", bsSizeToolWin}};
const TEnumNames<uint32_t> kBorderIconNames = {{"biSystemMenu", biSystemMenu},
                                               {"biMinimize", biMinimize},
                                               {"biMaximize", biMaximize},
                                               {"biHelp", biHelp}};
const TEnumNames<TFormStyle> kFormStyleNames = {{"fsNormal", fsNormal},
                                                {"fsMDIChild", fsMDIChild},
                                                {"fsMDIForm", fsMDIForm},
                                                {"fsStayOnTop", fsStayOnTop}};
const TEnumNames<TPosition> kPositionNames = {{"poDesigned", poDesigned},
                                              {"poDefault", poDefault},
                                              {"poDefaultPosOnly", poDefaultPosOnly},
                                              {"poDefaultSizeOnly", poDefaultSizeOnly},
                                              {"poScreenCenter", poScreenCenter},
                                              {"poDesktopCenter", poDesktopCenter},
                                              {"poMainFormCenter", poMainFormCenter},
                                              {"poOwnerFormCenter", poOwnerFormCenter}};

const TClassInfo& TCustomForm::StaticClassInfo() {
  using C = TCustomForm;
  static const TClassInfo info =
      TClassBuilder<C>("TCustomForm", TWinControl::StaticClassInfo())
          .Enum("BorderStyle", &C::BorderStyle, &C::SetBorderStyle, kFormBorderStyleNames,
                bsSizeable)
          .Set("BorderIcons", &C::BorderIcons, &C::SetBorderIcons, kBorderIconNames,
               biSystemMenu | biMinimize | biMaximize)
          .Enum("FormStyle", &C::FormStyle, &C::SetFormStyle, kFormStyleNames, fsNormal)
          .Enum("Position", &C::Position, &C::SetPosition, kPositionNames, poDefaultPosOnly)
          .Boolean("KeyPreview", &C::KeyPreview, &C::SetKeyPreview, false)
          // Stored by the designer for scaling; the program draws at 96 pixels per inch.
          .Integer(
              "PixelsPerInch", [](const C&) { return 96; }, [](C&, int) {}, 96)
          .Integer("TextHeight", nullptr, [](C&, int) {})
          .EventProperty("OnCreate", &C::OnCreate)
          .EventProperty("OnDestroy", &C::OnDestroy)
          .EventProperty("OnShow", &C::OnShow)
          .EventProperty("OnHide", &C::OnHide)
          .EventProperty("OnActivate", &C::OnActivate)
          .EventProperty("OnDeactivate", &C::OnDeactivate)
          .EventProperty("OnPaint", &C::OnPaint)
          .EventProperty("OnClose", &C::OnClose)
          .EventProperty("OnCloseQuery", &C::OnCloseQuery);
  return info;
}

const TClassInfo& TForm::StaticClassInfo() {
  static const TClassInfo info =
      TClassBuilder<TForm>("TForm", TCustomForm::StaticClassInfo()).Creatable();
  return info;
}

TCustomForm::TCustomForm(TComponent* owner)
    : TFormHost(owner), canvas_(std::make_unique<TCanvas>()) {
  SetVisible(false);
  SetColor(platform::clBtnFace);
  SetControlStyle(ControlStyle() | csAcceptsControls);
  SetParentFont(false);
  formState_ |= fsCreating;
  SetState(csCreating, true);
  if (Application()) Application()->AddForm(this);
}

TCustomForm::~TCustomForm() {
  Destroying();
  if (OnDestroy) {
    TNotifyEvent handler = std::move(OnDestroy);
    handler(this);
  }
  if (Application()) Application()->RemoveForm(this);
}

void TCustomForm::InitializeForm(std::string_view description, const std::string& sourceName) {
  ReadComponentRes(this, description, sourceName);
  formState_ &= ~fsCreating;
  SetState(csCreating, false);
  DoCreate();
}

// Stored descriptions are made for an ordinary screen; on a dense one the form grows with it once
// it is read. The form's Loaded comes first, while its controls are still loading: they take
// their scaled sizes as they are, and their own Loaded then fits what sizes itself (a check box
// to its caption) to the scaled font and skin.
void TCustomForm::Loaded() {
  if (DisplayScale() != 1) ScaleBy(DisplayScale(), 1);
  TWinControl::Loaded();
}

// A failure in the creation or show handler is reported, and the form is made or shown anyway.
void TCustomForm::DoCreate() {
  try {
    if (OnCreate) OnCreate(this);
  } catch (const std::exception& e) {
    if (!Application()) throw;
    Application()->HandleException(this, e);
  }
}

void TCustomForm::SetBorderStyle(TFormBorderStyle v) {
  if (v == borderStyle_) return;
  borderStyle_ = v;
  RecreateWnd();
}

void TCustomForm::SetFormStyle(TFormStyle v) {
  if (v == formStyle_) return;
  formStyle_ = v;
  RecreateWnd();
}

void TCustomForm::CreateParams(TCreateParams& params) {
  TWinControl::CreateParams(params);
  params.Style = platform::WS_POPUP | platform::WS_CLIPCHILDREN;
  if (!Enabled()) params.Style |= platform::WS_DISABLED;
  params.ExStyle = 0;
  if (borderStyle_ != bsNone) params.Style |= platform::WS_CAPTION | platform::WS_SYSMENU;
  if (borderStyle_ == bsSizeable) params.Style |= platform::WS_THICKFRAME;
  if (formStyle_ == fsStayOnTop) params.ExStyle |= platform::WS_EX_TOPMOST;
  // A borderless stay-on-top form is a tool strip beside the user's work: being shown or hovered
  // never takes the keyboard away from other programs; only a click does.
  if (borderStyle_ == bsNone && formStyle_ == fsStayOnTop)
    params.ExStyle |= platform::WS_EX_NOACTIVATE;
  if (formState_ & fsModal) params.ExStyle |= platform::WS_EX_DLGMODALFRAME;
  // A modal form stands over the main form; the others belong to the hidden application window.
  params.WndParent = nullptr;
  if (Application()) {
    TCustomForm* main = Application()->MainForm();
    params.WndParent = (formState_ & fsModal) && main && main != this && main->HandleAllocated()
                           ? main->Handle()
                           : Application()->Handle();
  }
}

void TCustomForm::CreateWnd() {
  TWinControl::CreateWnd();
  if (const TIcon* icon = Application() ? Application()->Icon() : nullptr)
    platform::SetWindowIcon(Handle(), icon->Image(), &icon->Mask());
}

void TCustomForm::PlaceForShow() {
  int left = Left();
  int top = Top();
  switch (position_) {
    case poDesktopCenter: {
      const platform::TSize screen = platform::GetVirtualScreenSize();
      left = std::max(0, (screen.cx - Width()) / 2);
      top = std::max(0, (screen.cy - Height()) / 2);
      break;
    }
    case poScreenCenter: {
      // The screen is the monitor that shows the program's main form (the primary monitor before
      // it is placed): with several monitors, a form centred on all of them would straddle two.
      TCustomForm* main = Application() ? Application()->MainForm() : nullptr;
      const TRect monitor = main && main != this
                                ? platform::MonitorFromRect(main->BoundsRect()).rcMonitor
                                : platform::GetMonitors().front().rcMonitor;
      left = monitor.Left + std::max(0, (monitor.Width() - Width()) / 2);
      top = monitor.Top + std::max(0, (monitor.Height() - Height()) / 2);
      break;
    }
    case poMainFormCenter:
    case poOwnerFormCenter: {
      TCustomForm* main = Application() ? Application()->MainForm() : nullptr;
      if (main && main != this) {
        left = main->Left() + (main->Width() - Width()) / 2;
        top = main->Top() + (main->Height() - Height()) / 2;
      }
      break;
    }
    default: break;
  }
  SetBounds(left, top, Width(), Height());
}

void TCustomForm::Show() {
  SetVisible(true);
  if (HandleAllocated())
    platform::SetWindowPos(Handle(), nullptr, 0, 0, 0, 0,
                           platform::SWP_NOMOVE | platform::SWP_NOSIZE);
}

void TCustomForm::Hide() { SetVisible(false); }

void TCustomForm::DoShow() {
  try {
    if (OnShow) OnShow(this);
  } catch (const std::exception& e) {
    if (!Application()) throw;
    Application()->HandleException(this, e);
  }
}

void TCustomForm::DoHide() {
  if (OnHide) OnHide(this);
}

bool TCustomForm::CloseQuery() {
  bool canClose = true;
  if (OnCloseQuery) OnCloseQuery(this, canClose);
  return canClose;
}

void TCustomForm::DoClose(TCloseAction& action) {
  if (OnClose) OnClose(this, action);
}

void TCustomForm::Close() {
  if (formState_ & fsModal) {
    modalResult_ = mrCancel;
    return;
  }
  if (!CloseQuery()) return;
  TCloseAction action = caHide;
  DoClose(action);
  if (action == caNone) return;
  if (Application() && Application()->MainForm() == this) {
    Application()->Terminate();
  } else if (action == caHide) {
    Hide();
  } else if (action == caFree) {
    Release();
  }
}

void TCustomForm::Release() {
  if (HandleAllocated()) platform::PostMessage(Handle(), CM_RELEASE, 0, 0);
}

TModalResult TCustomForm::ShowModal() {
  if (Visible() || !Enabled() || (formState_ & fsModal))
    throw Exception("Cannot make a visible window modal");
  if (platform::GetCapture()) platform::ReleaseCapture();
  formState_ |= fsModal;
  // The window is made anew so that the desktop treats it as a dialog of the main form.
  DestroyHandle();
  const HWND previousActive = platform::GetActiveWindow();
  std::vector<HWND> disabled;
  if (Application()) {
    for (TCustomForm* form : Application()->Forms()) {
      if (form == this || !form->HandleAllocated() || !platform::IsWindowEnabled(form->Handle()))
        continue;
      disabled.push_back(form->Handle());
      platform::EnableWindow(form->Handle(), false);
    }
  }
  modalResult_ = mrNone;
  try {
    Show();
    while (modalResult_ == mrNone) {
      Application()->HandleMessage();
      if (Application()->Terminated()) {
        modalResult_ = mrCancel;
      } else if (modalResult_ != mrNone) {
        // Closing may be refused by the form's own handlers.
        TCloseAction action = caHide;
        if (!CloseQuery()) {
          modalResult_ = mrNone;
          continue;
        }
        DoClose(action);
        if (action == caNone) modalResult_ = mrNone;
      }
    }
  } catch (...) {
    // A close handler that failed ends the dialog as a close would: it does not stay on screen
    // over a main form that takes input again.
    for (HWND h : disabled) platform::EnableWindow(h, true);
    formState_ &= ~fsModal;
    try {
      Hide();
    } catch (...) {
      // The first failure is the one to report.
    }
    throw;
  }
  // The owner is enabled again before the dialog goes, so the desktop activates it.
  for (HWND h : disabled) platform::EnableWindow(h, true);
  Hide();
  if (previousActive && platform::IsWindow(previousActive))
    platform::SetActiveWindow(previousActive);
  formState_ &= ~fsModal;
  return modalResult_;
}

void TCustomForm::SetActiveControl(TWinControl* control) {
  if (control && (control == this || !ContainsControl(control)))
    throw Exception("Invalid control to make active");
  activeControl_ = control;
  if (active_ && control && control->CanFocus()) FocusControl(control);
}

void TCustomForm::FocusControl(TWinControl* control) {
  if (!control || !control->CanFocus()) return;
  activeControl_ = control;
  platform::SetFocus(control->Handle());
}

void TCustomForm::SetFocusedControl(TWinControl* control) {
  if (control == focusedControl_) return;
  TWinControl* old = focusedControl_;
  focusedControl_ = control;
  activeControl_ = control;
  // Exits from the controls left, innermost first; enters into the new ones, outermost first.
  for (TWinControl* c = old; c && c != this; c = c->Parent()) {
    if (control && c->ContainsControl(control)) break;
    c->Perform(CM_EXIT);
    if (c->OnExit) c->OnExit(c);
  }
  std::vector<TWinControl*> entered;
  for (TWinControl* c = control; c && c != this; c = c->Parent()) {
    if (old && c->ContainsControl(old)) break;
    entered.push_back(c);
  }
  for (auto it = entered.rbegin(); it != entered.rend(); ++it) {
    (*it)->Perform(CM_ENTER);
    if ((*it)->OnEnter) (*it)->OnEnter(*it);
  }
  Perform(CM_FOCUSCHANGED, 0, reinterpret_cast<LPARAM>(control));
}

void TCustomForm::DefocusControl(TWinControl* control, bool removing) {
  if (removing && control->ContainsControl(activeControl_)) activeControl_ = nullptr;
  if (control->ContainsControl(focusedControl_)) {
    focusedControl_ = nullptr;
    if (HandleAllocated()) platform::SetFocus(Handle());
  }
}

void TCustomForm::ControlRemoved(TControl* control) {
  auto* win = dynamic_cast<TWinControl*>(control);
  if (!win) return;
  if (win->ContainsControl(activeControl_)) activeControl_ = nullptr;
  if (win->ContainsControl(focusedControl_)) focusedControl_ = nullptr;
}

void TCustomForm::PaintWindow(platform::HDC dc) {
  TCanvasBinding binding(*canvas_, dc);
  Paint();
}

void TCustomForm::Paint() {
  if (OnPaint) OnPaint(this);
}

void TCustomForm::WndProc(TMessage& m) {
  switch (m.Msg) {
    case CM_VISIBLECHANGED:
      if (Visible()) {
        // Placement and the show handler come before the window appears.
        PlaceForShow();
        DoShow();
        if (Visible()) {
          const int cmd = (GetWindowExStyle() & platform::WS_EX_NOACTIVATE) ? platform::SW_SHOWNA
                                                                            : platform::SW_SHOW;
          platform::ShowWindow(Handle(), cmd);
        }
      } else {
        DoHide();
        if (HandleAllocated()) platform::ShowWindow(Handle(), platform::SW_HIDE);
      }
      TWinControl::WndProc(m);
      return;
    case platform::WM_CLOSE: Close(); return;
    case CM_RELEASE: delete this; return;
    case platform::WM_ACTIVATE: {
      const bool nowActive = platform::LOWORD(m.WParam) != platform::WA_INACTIVE;
      active_ = nowActive;
      if (nowActive) {
        // The keyboard goes back to the control that had it, else to the first in tab order.
        TWinControl* target = focusedControl_ ? focusedControl_ : activeControl_;
        if (!target || !target->CanFocus()) target = FindNextControl(nullptr, true, true, false);
        if (target && target->CanFocus())
          platform::SetFocus(target->Handle());
        else
          platform::SetFocus(Handle());
        if (OnActivate) OnActivate(this);
      } else if (OnDeactivate) {
        OnDeactivate(this);
      }
      return;
    }
    default: TWinControl::WndProc(m);
  }
}

uint32_t TCustomForm::GetWindowExStyle() {
  return HandleAllocated() ? platform::GetWindowExStyle(Handle()) : 0;
}

}  // namespace framework
