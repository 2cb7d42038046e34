#include "framework/controls/ControlHost.h"

namespace framework {

namespace {

TControlHost* current = nullptr;

}  // namespace

TControlHost* ControlHost() { return current; }

void SetControlHost(TControlHost* host) { current = host; }

}  // namespace framework
