#include "framework/graphics/DisplayScale.h"

#include "platform/windows/Screen.h"

namespace framework {

// The platform keeps the factor: its own windows are drawn at it too.
int DisplayScale() { return platform::DeviceScale(); }

void SetDisplayScale(int factor) { platform::SetDeviceScale(factor); }

}  // namespace framework
