#pragma once
// The backend of the real desktop: Xlib on the display named by DISPLAY. This header stays free
// of X11 so that the program's start-up and the tests can make one without seeing Xlib.

#include <memory>

#include "platform/Backend.h"

namespace platform::x11 {

// Connects to the display; throws platform::Exception("Cannot open display") when there is none,
// or another platform::Exception when the display cannot show 24-bit colour.
std::unique_ptr<Backend> CreateX11Backend();

// Test and benchmark hooks. The X window id of a top-level window (0 for an unknown window or a
// backend that is not this one), so tests can look at it with other X clients.
unsigned long NativeWindowId(Backend& backend, HWND window);
// Waits until the server has carried out every request sent so far (a round trip).
void SyncWithServer(Backend& backend);
// Whether presenting goes through MIT-SHM (the server shares memory with us).
bool UsesSharedMemory(Backend& backend);

}  // namespace platform::x11
