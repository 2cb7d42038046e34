#include "skin/data/sMessages.h"

#include "framework/controls/WinControl.h"
#include "platform/windows/Window.h"

namespace skin {

using framework::TControl;
using framework::TWinControl;

TCacheInfo& ParentCache() {
  static TCacheInfo record;
  return record;
}

TColor& ColorSlot() {
  static TColor slot = kColorSlotUnset;
  return slot;
}

void SendSkinCommand(HWND handle, uint16_t command, platform::LPARAM lParam) {
  if (!handle || !platform::IsWindow(handle)) return;
  platform::SendMessage(handle, SM_SKINCMD, SkinWParam(command), lParam);
}

void SendSkinCommand(TControl* control, uint16_t command, platform::LPARAM lParam) {
  if (!control) return;
  if (auto* windowed = dynamic_cast<TWinControl*>(control)) {
    if (windowed->HasState(framework::csDestroying) || !windowed->HandleAllocated()) return;
    SendSkinCommand(windowed->Handle(), command, lParam);
    return;
  }
  if (!control->WindowProc) return;
  TMessage message{SM_SKINCMD, SkinWParam(command), lParam, 0};
  control->WindowProc(message);
}

bool QuerySkinCommand(TControl* control, uint16_t command) {
  if (!control || !control->WindowProc) return false;
  TMessage message{SM_SKINCMD, SkinWParam(command), 0, 0};
  control->WindowProc(message);
  return message.LParam == 1;
}

void BroadcastSkinMessage(TWinControl* container, TMessage& message) {
  if (!container) return;
  // By index on the live list: a receiver may free or add children while it handles the message,
  // and a copy of the list could then hold a freed control.
  for (int i = 0; i < container->ControlCount(); ++i) {
    TControl* child = container->Controls(i);
    if (child->HasState(framework::csDestroying)) return;
    auto* windowed = dynamic_cast<TWinControl*>(child);
    if (!windowed || QuerySkinCommand(windowed, SKC_ISSKINNED))
      child->WindowProc(message);
    else
      BroadcastSkinMessage(windowed, message);
  }
}

void NotifyChildrenPainted(TWinControl* container) {
  if (!container) return;
  for (int i = 0; i < container->ControlCount(); ++i) {
    auto* windowed = dynamic_cast<TWinControl*>(container->Controls(i));
    if (windowed && !windowed->HasState(framework::csDestroying))
      SendSkinCommand(windowed, SKC_PARENTPAINTED);
  }
}

void NotifyChildrenPainted(TWinControl* container, const platform::TRect& painted) {
  if (!container) return;
  for (int i = 0; i < container->ControlCount(); ++i) {
    auto* windowed = dynamic_cast<TWinControl*>(container->Controls(i));
    if (!windowed || windowed->HasState(framework::csDestroying)) continue;
    if (windowed->BoundsRect().Intersects(painted) || QuerySkinCommand(windowed, SKC_ISDIRTY))
      SendSkinCommand(windowed, SKC_PARENTPAINTED);
  }
}

void UnfreezeCaches(TControl* control) {
  if (!control) return;
  SendSkinCommand(control, SKC_FREEZECACHE);
  if (auto* windowed = dynamic_cast<TWinControl*>(control)) {
    for (int i = 0; i < windowed->ControlCount(); ++i) UnfreezeCaches(windowed->Controls(i));
  }
}

}  // namespace skin
