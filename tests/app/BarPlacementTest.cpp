// Where the bar stands on the desktops it meets: panels on every edge, two monitors either way
// round, a monitor narrower than the bar, and changes while it runs; the editor on the bar's
// monitor.

#include "tests/app/BarFixture.h"

namespace {

using platform::MonitorInfo;
using platform::TRect;
using snipwell::test::BarTest;
using snipwell::test::WriteConfig;

class BarPlacementTest : public BarTest {
 protected:
  void SetUp() override {
    BarTest::SetUp();
    WriteConfig("1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n7\r\n");
  }
  TRect BarBounds() const { return Form1->BoundsRect(); }
};

TEST_F(BarPlacementTest, FollowsTheWorkAreaWhereverThePanelsAre) {
  Start();
  EXPECT_EQ(BarBounds(), platform::Bounds(131, 938, 1019, 56));
  struct Case {
    const char* panel;
    TRect workArea;
    TRect bar;
  } const cases[] = {
      {"at the top", {0, 30, 1280, 1024}, platform::Bounds(131, 968, 1019, 56)},
      {"at the left", {64, 0, 1280, 1024}, platform::Bounds(64 + 608 - 509, 968, 1019, 56)},
      {"at the right", {0, 0, 1216, 1024}, platform::Bounds(608 - 509, 968, 1019, 56)},
      {"at the bottom, odd width", {0, 0, 1023, 990}, platform::Bounds(2, 934, 1019, 56)},
      {"on every edge", {48, 32, 1250, 1000}, platform::Bounds(48 + 601 - 509, 944, 1019, 56)},
      // Narrower than the bar: its left end, with the slots, stays in view.
      {"on a narrow screen", {0, 27, 800, 600}, platform::Bounds(0, 544, 1019, 56)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.panel);
    desktop->SetWorkArea(c.workArea);
    Pump();
    EXPECT_EQ(BarBounds(), c.bar);
    // Where the desktop shows it, too.
    EXPECT_EQ(desktop->Find(Form1->Handle())->style.bounds, c.bar);
  }
  EXPECT_TRUE(reports.empty());
}

TEST_F(BarPlacementTest, StandsOnThePrimaryMonitorAndMovesWithIt) {
  const MonitorInfo left{{0, 0, 1280, 1024}, {0, 0, 1280, 994}, false};
  const MonitorInfo right{{1280, 0, 3200, 1080}, {1280, 32, 3200, 1080}, true};
  desktop->SetMonitors({right, left});
  desktop->SetVirtualScreenSize({3200, 1080});
  Start();
  EXPECT_EQ(BarBounds(), platform::Bounds(1280 + 960 - 509, 1024, 1019, 56));

  // The editor opens on the bar's monitor, centred on it as a whole.
  Form2->Show();
  Pump();
  EXPECT_EQ(Form2->BoundsRect(),
            platform::Bounds(1280 + (1920 - 753) / 2, (1080 - 305) / 2, 753, 305));
  Form2->Hide();

  // The other one becomes primary: the bar goes there.
  desktop->SetMonitors({MonitorInfo{left.rcMonitor, left.rcWork, true},
                        MonitorInfo{right.rcMonitor, right.rcWork, false}});
  Pump();
  EXPECT_EQ(BarBounds(), platform::Bounds(131, 938, 1019, 56));
  Form2->Show();
  Pump();
  EXPECT_EQ(Form2->BoundsRect(), platform::Bounds(263, 359, 753, 305));
  Form2->Hide();

  // The laptop alone again, at 800 x 600.
  desktop->SetMonitors({{{0, 0, 800, 600}, {0, 0, 800, 600}, true}});
  Pump();
  EXPECT_EQ(BarBounds(), platform::Bounds(0, 544, 1019, 56));
  Form2->Show();
  Pump();
  EXPECT_EQ(Form2->BoundsRect(), platform::Bounds(23, 147, 753, 305));
  EXPECT_TRUE(reports.empty());
}

}  // namespace
