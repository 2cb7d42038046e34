// The timer queue on its own, at clock readings the headless desktop rarely reaches: across the
// wrap of the 32-bit millisecond clock, with several timers overdue at once.

#include "platform/windows/TimerQueue.h"

#include <gtest/gtest.h>

namespace platform::test {
namespace {

const HWND kWindowA = reinterpret_cast<HWND>(uintptr_t{1});
const HWND kWindowB = reinterpret_cast<HWND>(uintptr_t{2});

TEST(TimerQueueTest, ATimerSetJustBeforeTheClockWrapsIsDueAnIntervalLaterAcrossTheWrap) {
  TimerQueue timers;
  const uint32_t now = 0xFFFFFFF0u;
  timers.Start(kWindowA, 7, 100, now);
  EXPECT_EQ(timers.NextDelay(now), 100u);
  EXPECT_FALSE(timers.Due(0xFFFFFFFFu));  // 15 ms on, before the wrap
  EXPECT_FALSE(timers.Due(now + 99));     // after the wrap, 1 ms early
  const std::optional<MSG> due = timers.Due(now + 100);
  ASSERT_TRUE(due);
  EXPECT_EQ(due->hwnd, kWindowA);
  EXPECT_EQ(due->message, static_cast<UINT>(WM_TIMER));
  EXPECT_EQ(due->wParam, 7u);
  EXPECT_EQ(timers.NextDelay(now + 150), 0u);  // overdue: no sleep at all
}

TEST(TimerQueueTest, TheMostOverdueComesFirstAndEachIsHandedOutOncePerDueTime) {
  TimerQueue timers;
  timers.Start(kWindowA, 1, 50, 1000);  // due at 1050
  timers.Start(kWindowB, 2, 20, 1000);  // due at 1020: the more overdue at 1100
  std::optional<MSG> due = timers.Due(1100);
  ASSERT_TRUE(due);
  EXPECT_EQ(due->hwnd, kWindowB);
  timers.Handed(*due);  // next due at 1120, however many intervals were missed
  due = timers.Due(1100);
  ASSERT_TRUE(due);
  EXPECT_EQ(due->hwnd, kWindowA);
  timers.Handed(*due);
  EXPECT_FALSE(timers.Due(1100));
  EXPECT_EQ(timers.NextDelay(1100), 20u);

  // Setting a running timer again restarts it rather than adding a second one; an interval below
  // 10 ms counts as 10 ms.
  timers.Start(kWindowB, 2, 1, 1100);
  EXPECT_EQ(timers.NextDelay(1100), 10u);
  EXPECT_TRUE(timers.Stop(kWindowB, 2));
  EXPECT_FALSE(timers.Stop(kWindowB, 2));
  timers.StopAll(kWindowA);
  EXPECT_FALSE(timers.NextDelay(1100));
}

}  // namespace
}  // namespace platform::test
