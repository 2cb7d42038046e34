#pragma once
// The skin message: the one private window message that carries all skin traffic between the skin
// manager, the form skin providers, the skinned controls and the painters, its command codes, the
// two process-wide slots in which answers are left, and the small sending functions built on it.
//
// WParam: high word = command code, low word = a command argument (0 unless stated).
// LParam: the sending TsSkinManager for the manager's commands; for queries 0 on the way in and the
// answer on the way out (1 = yes); the control to attach for SKC_ATTACH; the frame bitmap for
// SKC_FADEFRAME. A receiver answers a query by writing into LParam of the same message record, so
// a sender that needs the answer calls the control's window procedure with a record it reads back.

#include <cstdint>

#include "framework/controls/Control.h"
#include "platform/drawing/Colors.h"

namespace framework {
class TBitmap;
class TWinControl;
}  // namespace framework

namespace skin {

class TsSkinManager;

using framework::TMessage;
using platform::HWND;
using platform::TColor;
using platform::UINT;

constexpr UINT SM_SKINCMD = 0xA100;

// Command codes (the high word of WParam). Codes not listed are not used.
enum : uint16_t {
  SKC_SETNEWSKIN = 1,     // manager: a skin was loaded (sent while SkinReady is still false)
  SKC_REMOVESKIN = 2,     // manager: the skin was switched off
  SKC_REFRESH = 3,        // manager: repaint everything; also SetSkinSection/SetSkinManager
  SKC_GETPROVIDER = 4,    // menu support, to a form
  SKC_GETCACHE = 5,       // a child asking its parent for its rendered background
  SKC_PARENTPAINTED = 6,  // a container after copying its cache to the screen
  SKC_ISSKINNED = 7,      // anyone
  SKC_SETDEFERRED = 8,
  SKC_FREEZECACHE = 9,       // form provider, to the form and all descendants, argument 0
  SKC_ISDIRTY = 10,          // a child asking its parent
  SKC_ISPARTLYPAINTED = 11,  // a child asking its parent
  SKC_PARENTCHANGED = 12,
  SKC_ATTACH = 15,
  SKC_STOPFADE = 16,  // fade timer when finished; manager before each refresh broadcast
  SKC_SETDIRTY = 17,
  SKC_HASPATTERNBG = 19,  // a child asking its parent
  SKC_REPAINTALL = 20,    // the control on move and size (argument 1); parents to children (0)
  SKC_GETCOLOR = 21,      // painters asking for the colour under a control
  SKC_SETPARTLY = 22,     // a container whose child lies outside the current clip
  SKC_PREPAREFADE = 23,   // fade start
  SKC_FADEFRAME = 24,     // fade timer, LParam = the frame bitmap
};

// The manager that sent one of its commands (SKC_SETNEWSKIN, SKC_REMOVESKIN, SKC_REFRESH,
// SKC_STOPFADE): the message's LParam.
inline TsSkinManager* SendingManager(const TMessage& message) {
  return reinterpret_cast<TsSkinManager*>(message.LParam);
}

// WParam of the skin message: the command in the high word, its argument in the low word.
constexpr platform::WPARAM SkinWParam(uint16_t command, uint16_t argument = 0) {
  return (static_cast<platform::WPARAM>(command) << 16) | argument;
}
constexpr uint16_t SkinCommandOf(platform::WPARAM wParam) {
  return static_cast<uint16_t>((wParam >> 16) & 0xFFFF);
}
constexpr uint16_t SkinArgumentOf(platform::WPARAM wParam) {
  return static_cast<uint16_t>(wParam & 0xFFFF);
}

// The parent-cache record: the answer to SKC_GETCACHE. Bitmap is the parent's 24-bit cache, X and
// Y where the requesting control's origin lies inside it, Ready whether the parent answered with
// a painted cache. Valid only between the request and its immediate use.
struct TCacheInfo {
  framework::TBitmap* Bitmap = nullptr;
  int X = 0;
  int Y = 0;
  bool Ready = false;
};

// The one process-wide parent-cache record (user-interface thread only).
TCacheInfo& ParentCache();
// The colour slot: the answer to SKC_GETCOLOR, and the colour a transparent part of a face takes
// while the painters work. clFuchsia, the key colour, means that nobody answered.
TColor& ColorSlot();
constexpr TColor kColorSlotUnset = platform::clFuchsia;

// Sends the skin message with command (argument 0) and lParam to a window; nothing for a handle
// that names no window.
void SendSkinCommand(HWND handle, uint16_t command, platform::LPARAM lParam = 0);
// A windowed control gets it at its window, but only when it is not being destroyed and its
// window exists; a non-windowed control through its own window procedure.
void SendSkinCommand(framework::TControl* control, uint16_t command, platform::LPARAM lParam = 0);
// Calls the control's current window procedure with {SM_SKINCMD, command, 0} and tells whether
// LParam came back as 1. A control that does not know the message leaves it 0: a "no".
bool QuerySkinCommand(framework::TControl* control, uint16_t command);
// Hands message to the children of container in child order, stopping at the first child being
// destroyed: a non-windowed child through its window procedure, a windowed child that answers
// SKC_ISSKINNED through its window procedure, any other windowed child is descended into.
void BroadcastSkinMessage(framework::TWinControl* container, TMessage& message);
// SKC_PARENTPAINTED to every windowed child that is not being destroyed.
void NotifyChildrenPainted(framework::TWinControl* container);
// The same after a paint of only `painted` (the container's client coordinates): children outside
// it kept their pixels (even those partly outside the container), and hear of it only when they
// still wait for their parent's paint (SKC_ISDIRTY).
void NotifyChildrenPainted(framework::TWinControl* container, const platform::TRect& painted);
// SKC_FREEZECACHE with argument 0 to the control and, recursively, to all its descendants.
void UnfreezeCaches(framework::TControl* control);

}  // namespace skin
