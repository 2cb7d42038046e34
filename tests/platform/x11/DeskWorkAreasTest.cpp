// The work area of one monitor from what a desktop publishes: struts on every edge, monitors side
// by side, GNOME's per-monitor areas, _NET_WORKAREA, and values no sane desktop sends.

#include "platform/x11/DeskWorkAreas.h"

#include <gtest/gtest.h>

namespace platform::x11 {
namespace {

Strut Bottom(long thickness, long startX, long endX) {
  Strut s;
  s.bottom = thickness;
  s.bottomStartX = startX;
  s.bottomEndX = endX;
  return s;
}

TEST(DeskWorkAreas, StrutsFromEitherPropertyAndNothingElse) {
  const TSize root{1280, 1024};
  const std::optional<Strut> whole = StrutFromValues({10, 20, 30, 40}, root);
  ASSERT_TRUE(whole);
  // The older property reserves whole edges.
  EXPECT_EQ(whole->leftEndY, 1023);
  EXPECT_EQ(whole->bottomEndX, 1279);
  DeskWorkAreas desk{root, true, std::nullopt, {}, {*whole}};
  EXPECT_EQ(MonitorWorkArea({0, 0, 1280, 1024}, desk), Rect(10, 30, 1260, 984));

  const std::optional<Strut> partial =
      StrutFromValues({0, 0, 0, 30, 0, 0, 0, 0, 0, 0, 100, 199}, root);
  ASSERT_TRUE(partial);
  EXPECT_EQ(partial->bottomStartX, 100);
  EXPECT_EQ(partial->bottomEndX, 199);
  EXPECT_FALSE(StrutFromValues({0, 0, 30}, root));
  EXPECT_FALSE(StrutFromValues({}, root));
}

TEST(DeskWorkAreas, PanelsOnEveryEdgeOfOneMonitor) {
  DeskWorkAreas desk{{1280, 1024}, true, std::nullopt, {}, {}};
  Strut left;
  left.left = 64;
  left.leftEndY = 1023;
  Strut right;
  right.right = 48;
  right.rightEndY = 1023;
  Strut top;
  top.top = 32;
  top.topEndX = 1279;
  desk.struts = {left, right, top, Bottom(30, 0, 1279)};
  EXPECT_EQ(MonitorWorkArea({0, 0, 1280, 1024}, desk), Rect(64, 32, 1232, 994));
  // _NET_WORKAREA of the one monitor adds what the window manager keeps besides (its margins).
  desk.netWorkArea = Rect(70, 32, 1232, 990);
  EXPECT_EQ(MonitorWorkArea({0, 0, 1280, 1024}, desk), Rect(70, 32, 1232, 990));
}

TEST(DeskWorkAreas, MonitorsSideBySideLoseOnlyTheirOwnDocks) {
  // 1280x1024 on the left, 1920x1080 on the right: the root is 3200x1080, and a strut at the
  // bottom of the left monitor is measured from the root's bottom edge, 56 pixels lower.
  const TRect left{0, 0, 1280, 1024};
  const TRect right{1280, 0, 3200, 1080};
  DeskWorkAreas desk{{3200, 1080}, false, Rect(0, 0, 3200, 994), {}, {Bottom(86, 0, 1279)}};
  EXPECT_EQ(MonitorWorkArea(left, desk), Rect(0, 0, 1280, 994));
  // _NET_WORKAREA lost the 86 pixels everywhere; the right monitor keeps its height.
  EXPECT_EQ(MonitorWorkArea(right, desk), right);
  // A top panel on the right monitor only.
  Strut top;
  top.top = 28;
  top.topStartX = 1280;
  top.topEndX = 3199;
  desk.struts.push_back(top);
  EXPECT_EQ(MonitorWorkArea(right, desk), Rect(1280, 28, 3200, 1080));
  EXPECT_EQ(MonitorWorkArea(left, desk), Rect(0, 0, 1280, 994));
  // Without struts to go by, _NET_WORKAREA is all there is.
  desk.struts.clear();
  desk.netWorkArea = Rect(0, 30, 3200, 1080);
  EXPECT_EQ(MonitorWorkArea(right, desk), Rect(1280, 30, 3200, 1080));
}

TEST(DeskWorkAreas, PerMonitorAreasOfTheDesktopWin) {
  const TRect left{0, 0, 1280, 1024};
  const TRect right{1280, 0, 3200, 1080};
  DeskWorkAreas desk{{3200, 1080}, false, Rect(0, 0, 3200, 994), {}, {Bottom(86, 0, 1279)}};
  desk.gtkWorkAreas = {Rect(1280, 32, 3200, 1080), Rect(0, 32, 1280, 1024)};
  EXPECT_EQ(MonitorWorkArea(right, desk), Rect(1280, 32, 3200, 1080));
  EXPECT_EQ(MonitorWorkArea(left, desk), Rect(0, 32, 1280, 1024));
  // One that lies on no monitor of ours says nothing about it.
  desk.gtkWorkAreas = {Rect(5000, 0, 6000, 500)};
  EXPECT_EQ(MonitorWorkArea(left, desk), Rect(0, 0, 1280, 994));
}

TEST(DeskWorkAreas, AbsurdValuesLeaveTheWholeMonitor) {
  const TRect monitor{0, 0, 1280, 1024};
  // Struts larger than the screen, or as large as a CARDINAL goes (it arrives as a long holding
  // an unsigned number), take everything: the bar then uses the whole monitor.
  DeskWorkAreas desk{{1280, 1024}, true, std::nullopt, {}, {Bottom(5000, 0, 1279)}};
  EXPECT_EQ(MonitorWorkArea(monitor, desk), monitor);
  desk.struts = {Bottom(0xFFFFFFFFL, 0, 0xFFFFFFFFL)};
  EXPECT_EQ(MonitorWorkArea(monitor, desk), monitor);
  desk.struts.clear();
  desk.netWorkArea = Rect(2000, 2000, 3000, 3000);
  EXPECT_EQ(MonitorWorkArea(monitor, desk), monitor);
}

}  // namespace
}  // namespace platform::x11
