#pragma once
// Screens: the work area (the primary screen less the desktop's docked bars) and the virtual
// screen (all screens together).

#include "platform/Types.h"

namespace platform {

TRect GetWorkArea();
TSize GetVirtualScreenSize();

}  // namespace platform
