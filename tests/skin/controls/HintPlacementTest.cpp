// Where the skinned tip stands: clear of the tipped window, inside the work area, near its edges.

#include <gtest/gtest.h>

#include "skin/controls/sHintWindow.h"

namespace {

using platform::TRect;
using skin::TsHintWindow;

const TRect kArea{0, 0, 1280, 994};  // a panel of 30 pixels below

TEST(HintPlacement, BelowThePointerWhenThereIsRoomUnderTheWindowElseAboveTheWindow) {
  // A bar at the top of the screen: the tip goes below the bar, at the pointer's x.
  const TRect topBar{130, 0, 1149, 56};
  EXPECT_EQ(TsHintWindow::PlaceOutside({120, 17}, {300, 30}, topBar, kArea),
            platform::Bounds(300, 56, 120, 17));
  // Below the pointer itself when that is already under the window.
  EXPECT_EQ(TsHintWindow::PlaceOutside({120, 17}, {300, 80}, topBar, kArea),
            platform::Bounds(300, 80, 120, 17));
  // The bar at the bottom of the work area: no room under it, so just above it.
  const TRect bottomBar{130, 938, 1149, 994};
  EXPECT_EQ(TsHintWindow::PlaceOutside({120, 17}, {300, 968}, bottomBar, kArea),
            platform::Bounds(300, 921, 120, 17));
  // One pixel short of room under a bar is no room.
  const TRect lowBar{130, 900, 1149, 978};
  EXPECT_EQ(TsHintWindow::PlaceOutside({120, 17}, {300, 930}, lowBar, kArea).Top, 900 - 17);
  EXPECT_EQ(TsHintWindow::PlaceOutside({120, 16}, {300, 930}, lowBar, kArea).Top, 978);
}

TEST(HintPlacement, KeptInsideTheAreaAtItsEdges) {
  const TRect bottomBar{0, 938, 1280, 994};
  // At the right edge the tip moves left; at the left edge it starts at the area's left.
  EXPECT_EQ(TsHintWindow::PlaceOutside({300, 40}, {1270, 960}, bottomBar, kArea),
            platform::Bounds(980, 898, 300, 40));
  const TRect shifted{40, 0, 1280, 994};
  EXPECT_EQ(TsHintWindow::PlaceOutside({300, 40}, {10, 500}, TRect{}, shifted).Left, 40);
  // A tip taller than the room above a window standing high keeps its top inside the area.
  const TRect highBar{0, 100, 1280, 980};
  EXPECT_EQ(TsHintWindow::PlaceOutside({300, 208}, {500, 120}, highBar, kArea).Top, 0);
  // Nothing to keep clear: below the pointer, else above it as the classic tip goes.
  EXPECT_EQ(TsHintWindow::PlaceOutside({100, 20}, {500, 500}, TRect{}, kArea).Top, 500);
  EXPECT_EQ(TsHintWindow::PlaceOutside({100, 20}, {500, 980}, TRect{}, kArea).Top, 980 - 20 - 24);
}

}  // namespace
