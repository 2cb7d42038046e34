#pragma once
// The application: its title, its forms (the first one made is the main form), the message loop,
// the hidden window that owns every form, hints, and the error report for failures that escape
// event handlers. While it lives it is the host its controls ask for these.

#include <exception>
#include <functional>
#include <memory>
#include <new>
#include <string>
#include <vector>

#include "framework/classes/Component.h"
#include "framework/controls/Control.h"
#include "framework/controls/ControlHost.h"

namespace framework {

class TCustomForm;
class THintWindow;
class TIcon;

class TApplication : public TComponent, public TControlHost {
 public:
  explicit TApplication(TComponent* owner = nullptr);
  ~TApplication() override;

  const std::string& Title() const { return title_; }
  void SetTitle(const std::string& title);
  TCustomForm* MainForm() const { return mainForm_; }
  // The hidden window that owns every form (it never shows).
  HWND Handle() override;
  // The program's icon, which every form's window shows to the desktop (a copy is kept).
  const TIcon* Icon() const { return icon_.get(); }
  void SetIcon(const TIcon* icon);
  bool Terminated() const { return terminated_; }

  // Makes a form of class T owned by the application. `reference` is set before the form's
  // constructor runs, so its creation handler can reach the form through it.
  template <typename T>
  void CreateForm(T*& reference);
  // Shows the main form and handles messages until the application is told to end.
  void Run();
  void Terminate();
  // Handles one message, waiting for it when none is there.
  void HandleMessage();
  // Handles every message that is there, without waiting.
  // A failure that escapes a window procedure, timer or paint run by either (or by any other
  // message loop while the application lives) goes to HandleException, and the loop goes on.
  void ProcessMessages();

  // The error report (OnException instead, when set): the failure's message (a full stop appended
  // when its last character is above "."), captioned with the title, with the error icon and an OK
  // button.
  void HandleException(TObject* sender, const std::exception& error) override;
  void ShowException(const std::exception& error);
  std::function<void(TObject* sender, const std::exception& error)> OnException;

  // Hints: a control with ShowHint shows its Hint after the pointer rests on it for HintPause
  // milliseconds; the tip hides on leave, click or key press and follows a changed hint.
  bool ShowHint() const { return showHint_; }
  void SetShowHint(bool v);
  int HintPause = 500;
  int HintHidePause = 2500 * 4;
  // Told by controls about the mouse (moves, presses, leaving) and keys.
  void HintMouseMessage(TControl* control, const TMessage& message) override;
  void CancelHint() override;
  // Told by every control as it goes, so that nothing here points at it afterwards.
  void ControlDestroyed(TControl* control) override;
  THintWindow* HintWindow() const { return hintWindow_; }
  // The control whose hint the tip shows or is about to show, or nullptr.
  TControl* HintControl() const { return hintControl_; }

  // The form list, in creation order.
  void AddForm(TCustomForm* form);
  void RemoveForm(TCustomForm* form);
  const std::vector<TCustomForm*>& Forms() const { return forms_; }

 private:
  static platform::LRESULT AppWndProc(TApplication* self, HWND hwnd, UINT msg, WPARAM wParam,
                                      LPARAM lParam);
  void HintTimerExpired();
  void ReleaseMemoryAfterFirstPaint(HWND hwnd);

  std::string title_;
  TCustomForm* mainForm_ = nullptr;
  std::vector<TCustomForm*> forms_;
  HWND handle_ = nullptr;
  std::unique_ptr<TIcon> icon_;
  bool terminated_ = false;
  std::vector<TCustomForm*> paintedForms_;  // the forms painted at least once
  bool showHint_ = true;
  THintWindow* hintWindow_ = nullptr;  // owned
  TControl* hintControl_ = nullptr;
  bool hintActive_ = false;
  bool hintSuppressed_ = false;
  bool hintTimerRunning_ = false;
  TPoint hintCursor_;
};

// The program's application object, or nullptr before one is made.
TApplication* Application();

// The message box the application's reports use: the platform's own box, unless the skin engine
// put its own in place (nullptr puts the platform's back). Same arguments and result as
// platform::MessageBox.
using TMessageBoxFunction = std::function<int(HWND owner, const std::string& text,
                                              const std::string& caption, unsigned type)>;
void SetMessageBoxFunction(TMessageBoxFunction show);
int ShowMessageBox(HWND owner, const std::string& text, const std::string& caption, unsigned type);

// The error report's text for a failure's message: a full stop is appended when the last
// character's code is above that of ".".
std::string ErrorReportText(const std::string& message);

template <typename T>
void TApplication::CreateForm(T*& reference) {
  // As the language runtime does: the reference holds the new form before its constructor runs.
  void* memory = ::operator new(sizeof(T));
  reference = static_cast<T*>(memory);
  try {
    new (memory) T(this);
  } catch (...) {
    reference = nullptr;
    ::operator delete(memory);
    throw;
  }
  reference->AfterConstruction();
  if (!mainForm_) mainForm_ = reference;
}

}  // namespace framework
