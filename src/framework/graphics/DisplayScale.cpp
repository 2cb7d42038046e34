#include "framework/graphics/DisplayScale.h"

#include <algorithm>

namespace framework {

namespace {
int displayScale = 1;
}  // namespace

int DisplayScale() { return displayScale; }

void SetDisplayScale(int factor) {
  displayScale = std::clamp(factor, kMinDisplayScale, kMaxDisplayScale);
}

}  // namespace framework
