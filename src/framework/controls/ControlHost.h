#pragma once
// TControlHost: what every control asks of the program it runs in, whatever form it sits on: the
// window that owns the program's top-level windows (the hint, the pop-up menu, the clipboard's
// owner), the hint's bookkeeping, and the report of a failure that escapes a control's handler.
// The application object is the host while it lives; before it is made, and after it goes, there
// is none, and controls go without.

#include <exception>

#include "framework/controls/Control.h"

namespace framework {

class TControlHost {
 public:
  TControlHost(const TControlHost&) = delete;
  TControlHost& operator=(const TControlHost&) = delete;

  // The hidden window that owns every top-level window of the program (made when first asked).
  virtual HWND Handle() = 0;
  // Told by controls about the mouse (moves, presses, leaving) and keys.
  virtual void HintMouseMessage(TControl* control, const TMessage& message) = 0;
  virtual void CancelHint() = 0;
  // Told by every control as it goes, so that nothing of the host points at it afterwards.
  virtual void ControlDestroyed(TControl* control) = 0;
  // A failure that escaped a handler run by a control's window procedure.
  virtual void HandleException(TObject* sender, const std::exception& error) = 0;

 protected:
  TControlHost() = default;
  // Never deleted through this interface: the host's owner deletes it as what it is.
  ~TControlHost() = default;
};

// The host controls ask now, or nullptr.
TControlHost* ControlHost();
// Makes host the one controls ask (nullptr for none); the host sets itself while it lives.
void SetControlHost(TControlHost* host);

}  // namespace framework
