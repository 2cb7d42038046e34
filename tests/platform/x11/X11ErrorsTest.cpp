// The process's X error handling: errors never end the program, traps see exactly the errors of
// their own requests on their own connection.

// GoogleTest before Xlib: X.h defines None and Bool as macros, which GoogleTest uses as names.
#include <gtest/gtest.h>

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

}  // namespace
