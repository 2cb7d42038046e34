#pragma once
// Forms: top-level windows holding controls, with a caption, border style, stay-on-top style,
// placement, keyboard preview, focus bookkeeping, modal showing and closing.

#include <memory>
#include <string_view>

#include "framework/controls/ControlTypes.h"
#include "framework/controls/FormHost.h"

namespace framework {

class TCanvas;

enum TFormStyle { fsNormal, fsMDIChild, fsMDIForm, fsStayOnTop };
enum TPosition {
  poDesigned,
  poDefault,
  poDefaultPosOnly,
  poDefaultSizeOnly,
  poScreenCenter,
  poDesktopCenter,
  poMainFormCenter,
  poOwnerFormCenter
};
enum TBorderIcon : uint32_t { biSystemMenu = 1, biMinimize = 2, biMaximize = 4, biHelp = 8 };
using TBorderIcons = uint32_t;
enum TCloseAction { caNone, caHide, caFree, caMinimize };
enum TFormStateFlag : uint32_t {
  fsCreating = 1,
  fsVisible = 2,
  fsShowing = 4,
  fsModal = 8,
  fsActivated = 16
};

using TCloseEvent = std::function<void(TObject* sender, TCloseAction& action)>;
using TCloseQueryEvent = std::function<void(TObject* sender, bool& canClose)>;

class TCustomForm : public TFormHost {
 public:
  explicit TCustomForm(TComponent* owner);
  ~TCustomForm() override;
  DECLARE_CLASS_INFO()

  TFormBorderStyle BorderStyle() const { return borderStyle_; }
  void SetBorderStyle(TFormBorderStyle v);
  TBorderIcons BorderIcons() const { return borderIcons_; }
  void SetBorderIcons(TBorderIcons v) { borderIcons_ = v; }
  TFormStyle FormStyle() const { return formStyle_; }
  void SetFormStyle(TFormStyle v);
  TPosition Position() const { return position_; }
  void SetPosition(TPosition v) { position_ = v; }
  bool KeyPreview() const override { return keyPreview_; }
  void SetKeyPreview(bool v) { keyPreview_ = v; }
  TModalResult ModalResult() const { return modalResult_; }
  void SetModalResult(TModalResult v) override { modalResult_ = v; }
  uint32_t FormState() const { return formState_; }
  TCanvas* Canvas() const { return canvas_.get(); }

  TWinControl* ActiveControl() const override { return activeControl_; }
  void SetActiveControl(TWinControl* control);
  void FocusControl(TWinControl* control) override;
  void SetFocusedControl(TWinControl* control) override;
  void DefocusControl(TWinControl* control, bool removing);
  void ControlRemoved(TControl* control) override;
  bool Active() const { return active_; }

  void Show();
  void Hide();
  void Close();
  virtual bool CloseQuery();
  // Shows the form and runs the message loop until ModalResult is set; the program's other forms
  // take no input meanwhile. Returns the result (mrCancel when the program is ending).
  virtual TModalResult ShowModal();
  void Release();

  TNotifyEvent OnCreate;
  TNotifyEvent OnDestroy;
  TNotifyEvent OnShow;
  TNotifyEvent OnHide;
  TNotifyEvent OnActivate;
  TNotifyEvent OnDeactivate;
  TNotifyEvent OnPaint;
  TCloseEvent OnClose;
  TCloseQueryEvent OnCloseQuery;

  void WndProc(TMessage& message) override;

 protected:
  friend class TWinControl;
  friend class TApplication;
  // Reads the form's stored description (scaled to the display as it is loaded), then runs
  // OnCreate (what a form class's constructor does after the base constructors, as the runtime
  // would).
  void InitializeForm(std::string_view description, const std::string& sourceName);
  void Loaded() override;
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  void PaintWindow(platform::HDC dc) override;
  virtual void Paint();
  virtual void DoCreate();
  virtual void DoShow();
  virtual void DoHide();
  virtual void DoClose(TCloseAction& action);
  void PlaceForShow();

 private:
  uint32_t GetWindowExStyle();
  TFormBorderStyle borderStyle_ = bsSizeable;
  TBorderIcons borderIcons_ = biSystemMenu | biMinimize | biMaximize;
  TFormStyle formStyle_ = fsNormal;
  TPosition position_ = poDefaultPosOnly;
  bool keyPreview_ = false;
  TModalResult modalResult_ = mrNone;
  uint32_t formState_ = 0;
  bool active_ = false;
  TWinControl* activeControl_ = nullptr;
  TWinControl* focusedControl_ = nullptr;
  std::unique_ptr<TCanvas> canvas_;
};

class TForm : public TCustomForm {
 public:
  explicit TForm(TComponent* owner) : TCustomForm(owner) {}
  DECLARE_CLASS_INFO()
};

}  // namespace framework
