#pragma once
// TTimer: calls OnTimer every Interval milliseconds while Enabled. It runs only while Enabled,
// Interval > 0 and OnTimer is set, and not before the description it is read from has been read
// (it starts in Loaded). Each timer has a hidden window of its own that receives the platform's
// WM_TIMER; the window is made when the timer first runs and goes with the timer. A failure in
// OnTimer is reported by the application and the timer goes on.

#include <cstdint>

#include "framework/classes/Component.h"
#include "framework/controls/ControlMessages.h"

namespace framework {

class TTimer : public TComponent {
 public:
  explicit TTimer(TComponent* owner);
  ~TTimer() override;
  DECLARE_CLASS_INFO()

  bool Enabled() const { return enabled_; }
  void SetEnabled(bool v);
  // Milliseconds (the platform runs intervals below 10 ms as 10 ms); 0 stops the timer.
  uint32_t Interval() const { return interval_; }
  void SetInterval(uint32_t v);
  const TNotifyEvent& OnTimer() const { return onTimer_; }
  void SetOnTimer(TNotifyEvent handler);
  // Whether the platform timer runs now.
  bool Running() const { return running_; }

  void Loaded() override;

 protected:
  // One tick: OnTimer.
  virtual void Timer();

 private:
  void UpdateTimer();
  void Stop();

  bool enabled_ = true;
  uint32_t interval_ = 1000;
  TNotifyEvent onTimer_;
  HWND window_ = nullptr;
  bool running_ = false;
};

}  // namespace framework
