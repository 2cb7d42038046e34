// The process's X error handling: errors never end the program, traps see exactly the errors of
// their own requests on their own connection.

// GoogleTest before Xlib: X.h defines None and Bool as macros, which GoogleTest uses as names.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <optional>
#include <string>

#include "platform/x11/X11Backend.h"
#include "platform/x11/X11Errors.h"

#include <X11/Xatom.h>

namespace {

using platform::x11::ClearLastX11Error;
using platform::x11::InstallX11ErrorHandler;
using platform::x11::LastX11Error;
using platform::x11::X11ErrorTrap;

class X11Errors : public ::testing::Test {
 protected:
  void SetUp() override {
    display_ = XOpenDisplay(nullptr);
    ASSERT_NE(display_, nullptr) << "no X display (run under with-xvfb.sh)";
    InstallX11ErrorHandler();
    // A window id that no longer names a window (Xlib does not hand ids out twice).
    gone_ = XCreateSimpleWindow(display_, DefaultRootWindow(display_), 0, 0, 1, 1, 0, 0, 0);
    XDestroyWindow(display_, gone_);
    XSync(display_, False);
    ClearLastX11Error();
  }
  void TearDown() override {
    if (display_ != nullptr) XCloseDisplay(display_);
  }

  void ChangePropertyOf(Display* display, ::Window window) {
    XChangeProperty(display, window, XA_WM_NAME, XA_STRING, 8, PropModeReplace,
                    reinterpret_cast<const unsigned char*>("x"), 1);
  }

  Display* display_ = nullptr;
  ::Window gone_ = None;
};

TEST_F(X11Errors, TrapReportsTheFailureOfItsRequests) {
  X11ErrorTrap trap(display_);
  XWindowAttributes attributes;
  EXPECT_EQ(XGetWindowAttributes(display_, gone_, &attributes), 0);
  ChangePropertyOf(display_, gone_);
  ASSERT_TRUE(trap.Failed());
  EXPECT_EQ(trap.Error().errorCode, BadWindow);
  EXPECT_EQ(trap.Error().resource, gone_);
  ASSERT_TRUE(LastX11Error().has_value());
  EXPECT_EQ(LastX11Error()->errorCode, BadWindow);
}

TEST_F(X11Errors, TrapWithoutErrorsDoesNotFail) {
  X11ErrorTrap trap(display_);
  ChangePropertyOf(display_, DefaultRootWindow(display_));
  XDeleteProperty(display_, DefaultRootWindow(display_), XA_WM_NAME);
  EXPECT_FALSE(trap.Failed());
  EXPECT_FALSE(LastX11Error().has_value());
}

TEST_F(X11Errors, InnermostTrapTakesTheError) {
  X11ErrorTrap outer(display_);
  {
    X11ErrorTrap inner(display_);
    ChangePropertyOf(display_, gone_);
    EXPECT_TRUE(inner.Failed());
  }
  EXPECT_FALSE(outer.Failed());
  {
    // An error left unchecked when the inner trap ends still belongs to it.
    X11ErrorTrap inner(display_);
    ChangePropertyOf(display_, gone_);
  }
  EXPECT_FALSE(outer.Failed());
  ChangePropertyOf(display_, gone_);
  EXPECT_TRUE(outer.Failed());
}

TEST_F(X11Errors, TrapIgnoresOtherConnections) {
  Display* other = XOpenDisplay(nullptr);
  ASSERT_NE(other, nullptr);
  {
    X11ErrorTrap trap(other);
    ChangePropertyOf(display_, gone_);
    XSync(display_, False);
    EXPECT_FALSE(trap.Failed());
    ASSERT_TRUE(LastX11Error().has_value()) << "the error was seen, just not by that trap";
  }
  XCloseDisplay(other);
}

TEST_F(X11Errors, UntrappedErrorsDoNotEndTheProcess) {
  // What a vanished requestor causes.
  ChangePropertyOf(display_, gone_);
  XSync(display_, False);
  ASSERT_TRUE(LastX11Error().has_value());
  EXPECT_EQ(LastX11Error()->errorCode, BadWindow);
  // And an error of our own making (a zero-sized window): logged, not fatal.
  const ::Window bad =
      XCreateSimpleWindow(display_, DefaultRootWindow(display_), 0, 0, 0, 0, 0, 0, 0);
  XSync(display_, False);
  ASSERT_TRUE(LastX11Error().has_value());
  EXPECT_EQ(LastX11Error()->errorCode, BadValue);
  (void)bad;
}

// A program whose display goes away (here: the server kills its connection, as xkill does) ends
// at once with code 1 and one line naming the display, instead of Xlib's paragraph.
TEST_F(X11Errors, LosingTheDisplayEndsWithOneLineNamingItAndCode1) {
  int idPipe[2], errPipe[2];
  ASSERT_EQ(::pipe(idPipe), 0);
  ASSERT_EQ(::pipe(errPipe), 0);
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    ::dup2(errPipe[1], 2);
    auto backend = platform::x11::CreateX11Backend({"probe", "Probe"});
    const auto window = reinterpret_cast<platform::HWND>(uintptr_t{16});
    platform::TopLevelStyle style;
    style.bounds = platform::Bounds(10, 10, 50, 20);
    backend->CreateTopLevel(window, style);
    const unsigned long id = platform::x11::NativeWindowId(*backend, window);
    platform::x11::SyncWithServer(*backend);
    if (::write(idPipe[1], &id, sizeof id) != sizeof id) ::_exit(3);
    for (;;) backend->WaitForEvents(std::nullopt);
  }
  ::close(idPipe[1]);
  ::close(errPipe[1]);
  unsigned long id = 0;
  ASSERT_EQ(::read(idPipe[0], &id, sizeof id), static_cast<ssize_t>(sizeof id));
  XKillClient(display_, id);
  XSync(display_, False);
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  std::string said;
  char buffer[512];
  for (ssize_t n; (n = ::read(errPipe[0], buffer, sizeof buffer)) > 0;)
    said.append(buffer, static_cast<size_t>(n));
  ::close(idPipe[0]);
  ::close(errPipe[0]);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 1);
  EXPECT_EQ(said, std::string("probe: lost the connection to the X display ") +
                      DisplayString(display_) + "\n");
}

}  // namespace
