#pragma once
// The backend of the real desktop: Xlib on the display named by DISPLAY. This header stays free
// of X11 so that the program's start-up and the tests can make one without seeing Xlib.

#include <memory>
#include <string>

#include "platform/Backend.h"

namespace platform::x11 {

// The program's names as the desktop knows them, handed down by the program: its windows'
// WM_CLASS (window managers and "xdotool search --classname" go by it), and `instance` also heads
// the lines the backend writes to standard error.
struct X11ProgramName {
  std::string instance;   // lower case, as the executable is named
  std::string className;  // capitalised
};

// Connects to the display; throws platform::Exception("Cannot open display") when there is none,
// or another platform::Exception when the display cannot show 24-bit colour.
std::unique_ptr<Backend> CreateX11Backend(const X11ProgramName& name);

// Test and benchmark hooks. The X window id of a top-level window (0 for an unknown window or a
// backend that is not this one), so tests can look at it with other X clients.
unsigned long NativeWindowId(Backend& backend, HWND window);
// Waits until the server has carried out every request sent so far (a round trip).
void SyncWithServer(Backend& backend);
// Whether presenting goes through MIT-SHM (the server shares memory with us).
bool UsesSharedMemory(Backend& backend);

}  // namespace platform::x11
