// The desktop's resource database: entries found by their exact name in the text xrdb leaves on
// the root window, and the backend reading it from a real server.

#include "platform/x11/X11Resources.h"

// GoogleTest before Xlib: Xlib #defines names (None, Bool, Status) that GoogleTest uses.
#include <gtest/gtest.h>

#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <cstring>
#include <memory>

#include "platform/x11/X11Backend.h"

namespace platform::x11 {
namespace {

TEST(X11Resources, EntriesAreFoundByTheirExactNameWithBlanksAndCommentsPassedOver) {
  const char* database =
      "! the desktop's settings\n"
      "*customization:\t-color\n"
      "Xft.antialias:\t1\n"
      "  Xft.dpi :\t192  \r\n"
      "Xft.dpi:\t96\n"  // the first entry counts
      "Xft.dpiX:\t144\n"
      "broken line without a colon\n"
      "Xft.hinting:";
  EXPECT_EQ(FindResourceEntry(database, "Xft.dpi"), "192");
  EXPECT_EQ(FindResourceEntry(database, "Xft.antialias"), "1");
  EXPECT_EQ(FindResourceEntry(database, "Xft.hinting"), "");
  EXPECT_EQ(FindResourceEntry(database, "Xft.dp"), std::nullopt);
  EXPECT_EQ(FindResourceEntry(database, "dpi"), std::nullopt);
  EXPECT_EQ(FindResourceEntry("", "Xft.dpi"), std::nullopt);
  EXPECT_EQ(FindResourceEntry("! Xft.dpi: 192\n", "Xft.dpi"), std::nullopt);
}

TEST(X11Resources, TheBackendReadsTheDatabaseTheServerHoldsAtConnection) {
  Display* display = XOpenDisplay(nullptr);
  ASSERT_NE(display, nullptr);
  const Window root = DefaultRootWindow(display);
  const Atom resourceManager = XInternAtom(display, "RESOURCE_MANAGER", False);
  const char database[] = "Xft.dpi:\t288\nXft.rgba:\trgb\n";
  XChangeProperty(display, root, resourceManager, XA_STRING, 8, PropModeReplace,
                  reinterpret_cast<const unsigned char*>(database),
                  static_cast<int>(std::strlen(database)));
  XSync(display, False);
  {
    const std::unique_ptr<Backend> backend = CreateX11Backend({"snipwell", "Snipwell"});
    EXPECT_EQ(backend->DesktopResource("Xft.dpi"), "288");
    EXPECT_EQ(backend->DesktopResource("Xft.hintstyle"), std::nullopt);
  }
  XDeleteProperty(display, root, resourceManager);
  XSync(display, False);
  {
    const std::unique_ptr<Backend> backend = CreateX11Backend({"snipwell", "Snipwell"});
    EXPECT_EQ(backend->DesktopResource("Xft.dpi"), std::nullopt);
  }
  XCloseDisplay(display);
}

}  // namespace
}  // namespace platform::x11
