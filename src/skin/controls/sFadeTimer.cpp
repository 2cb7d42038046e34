#include "skin/controls/sFadeTimer.h"

#include <algorithm>
#include <cstdint>

#include "framework/controls/WinControl.h"
#include "framework/forms/Application.h"
#include "framework/graphics/Canvas.h"
#include "platform/windows/Paint.h"
#include "skin/controls/sCommonData.h"
#include "skin/data/sSkinManager.h"
#include "skin/paint/sBlending.h"

namespace skin {

using framework::TControl;

TacAnimatEvents& DefaultAnimatEvents() {
  static TacAnimatEvents events = aeMouseEnter | aeMouseLeave | aeMouseDown | aeMouseUp;
  return events;
}

bool EventAnimated(TacAnimatEvents events, TacAnimatEvent event) {
  if (events & event) return true;
  return (events & aeGlobalDef) && (DefaultAnimatEvents() & event);
}

uint8_t FadeWeight(int level, int iterations) {
  if (iterations == 0) return 0;
  // Taken wide: a level and an iteration count from a stored description may be any 32-bit value.
  const int64_t weight = 255 - int64_t{level} * 256 / iterations;
  return static_cast<uint8_t>(std::clamp<int64_t>(weight, 0, 255));
}

TsFadeTimer::TsFadeTimer(framework::TComponent* owner)
    : framework::TTimer(owner), oldImage_(std::make_unique<framework::TBitmap>()) {
  SetEnabled(false);
  SetInterval(kFadeInterval);
  // The timer runs only with a handler; the tick itself is Timer(), which does not go through the
  // handler because the tick may free the timer.
  SetOnTimer([](framework::TObject*) {});
}

TsFadeTimer::~TsFadeTimer() { SetEnabled(false); }

void TsFadeTimer::SetDirection(int value) {
  direction_ = value;
  SetEnabled(value != 0);
}

namespace {

TControl* AnimatedControl(const TsCommonData* data) {
  if (!data) return nullptr;
  TControl* control = data->OwnerControl;
  if (!control || control->HasState(framework::csDestroying)) return nullptr;
  return control;
}

}  // namespace

void TsFadeTimer::Timer() {
  if (HasState(framework::csDestroying)) return;
  TControl* control = AnimatedControl(Data);
  framework::TApplication* app = framework::Application();
  if (!control || !app || app->Terminated()) {
    SetDirection(0);
    return;
  }
  if (Level > Iterations || Level < 0) {
    // The control frees this timer while it handles the command: nothing of it is touched after.
    SendSkinCommand(control, SKC_STOPFADE);
    // The last frame is the new look only to within one step of rounding ((c * 255 + 127) >> 8),
    // and a fade halved to no steps showed no frame at all: the new look, already in the cache,
    // is put on the screen as it is, or the control paints it.
    auto* target = dynamic_cast<TsFadeTarget*>(control);
    if (!target || !target->ShowCachedLook()) control->Invalidate();
    return;
  }
  if (direction_ == 1 || direction_ == 2) Step();
}

void TsFadeTimer::Step() {
  TControl* control = AnimatedControl(Data);
  if (!control || Iterations == 0) return;
  if (!control->Enabled()) {
    SetEnabled(false);
    Iterations = 0;
    Data->Invalidate();
    return;
  }
  struct NextLevel {
    int& level;
    ~NextLevel() { ++level; }
  } next{Level};
  if (!frame_) frame_ = std::make_unique<framework::TBitmap>();
  frame_->SetDIB(oldImage_->DIB());
  frame_->SetPixelFormat(framework::pf24bit);
  MixBitmapWhole(frame_.get(), Data->CacheBitmap.get(), FadeWeight(Level, Iterations));

  auto* windowed = dynamic_cast<framework::TWinControl*>(control);
  if (!windowed || !windowed->HandleAllocated()) return;
  const platform::HWND window = windowed->Handle();
  const platform::WindowDC windowDC(window);
  const platform::HDC dc = windowDC.DC();
  if (!dc) return;
  const platform::SavedDC saved(dc);
  const auto drawn = control->Perform(SM_SKINCMD, SkinWParam(SKC_FADEFRAME),
                                      reinterpret_cast<platform::LPARAM>(frame_.get()));
  if (drawn == 0)
    platform::BitBlt(dc, 0, 0, frame_->Width(), frame_->Height(), frame_->Canvas()->Handle(), 0, 0,
                     platform::SRCCOPY);
}

void ChangeLook(TsFadeTimer*& timer, TsCommonData& data, bool halve, int direction, bool animated) {
  if (!data.BoundToSection()) return;
  const TsGeneralData* section = data.Section();
  const bool canFade = animated && !SkinChanging() && section && section->FadingEnabled &&
                       data.CacheBitmap && !data.CacheBitmap->Empty() && !data.BackgroundDirty;
  data.BackgroundDirty = true;
  if (canFade) {
    StartFade(timer, data, halve, direction);
    return;
  }
  if (timer) StopFade(timer);
  if (data.OwnerControl) data.OwnerControl->Repaint();
}

void StartFade(TsFadeTimer*& timer, TsCommonData& data, bool halve, int direction) {
  const TsGeneralData* section = data.Section();
  if (!section || !section->FadingEnabled || !data.OwnerControl) return;
  if (!timer) {
    timer = new TsFadeTimer(data.OwnerControl);
    timer->Level = 1;
  }
  timer->Data = &data;
  timer->OldImage()->SetDIB(data.CacheBitmap->DIB());
  timer->SetInterval(kFadeInterval);
  int iterations = section->FadingIterations;
  // A fade taken over half-way goes back in as many steps as it had come.
  if (timer->Direction() == 1) iterations = timer->Level;
  if (halve) iterations /= 2;
  timer->Iterations = iterations;
  if (timer->Level >= iterations || timer->Level <= 0) timer->Level = 1;
  SendSkinCommand(data.OwnerControl, SKC_PREPAREFADE);
  // The control may have stopped the fade meanwhile (it went, or its skin did).
  if (timer) timer->SetDirection(direction);
}

void StopFade(TsFadeTimer*& timer) {
  if (!timer) return;
  TsFadeTimer* going = timer;
  timer = nullptr;
  if (going->HasState(framework::csDestroying)) return;
  going->SetDirection(0);
  delete going;
}

}  // namespace skin
