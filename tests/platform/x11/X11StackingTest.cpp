// When the bar answers a cover by rising, where no window manager keeps it on top: beside another
// client that raises itself whenever covered, on a simulated clock.

// GoogleTest before Xlib: Xlib #defines names (None, Bool, Status) that GoogleTest uses.
#include <gtest/gtest.h>

#include <vector>

#include "platform/x11/X11Stacking.h"

namespace platform::x11 {
namespace {

// The bar and a rival that answers each of the bar's raises `answerMs` later by raising itself
// over it, for `durationMs`; the bar's retries are served when due. Returns the raise times.
std::vector<uint32_t> RaisesBesideRival(RaisePolicy& policy, uint32_t start, uint32_t answerMs,
                                        uint32_t durationMs) {
  std::vector<uint32_t> raises;
  uint32_t nextCover = start;  // the rival's window was just mapped over the bar
  for (uint32_t now = start; now - start < durationMs; ++now) {
    bool raise = false;
    if (now == nextCover) raise = policy.Covered(now);
    if (policy.RetryDue() && static_cast<int32_t>(now - policy.RetryAt()) >= 0) raise = true;
    if (!raise) continue;
    policy.Raised(now, true);
    raises.push_back(now);
    nextCover = now + answerMs;
  }
  return raises;
}

TEST(RaisePolicy, BesideARivalThatRaisesItselfTheBarGivesUpAfterAFewSpacedRaises) {
  for (uint32_t answerMs : {1u, 30u, 400u, 999u}) {
    RaisePolicy policy;
    const std::vector<uint32_t> raises = RaisesBesideRival(policy, 5000, answerMs, 20000);
    ASSERT_FALSE(raises.empty()) << "the first cover is always answered";
    EXPECT_LE(raises.size(), static_cast<size_t>(RaisePolicy::kAnswersTolerated + 1)) << answerMs;
    for (size_t i = 1; i < raises.size(); ++i)
      EXPECT_GE(raises[i] - raises[i - 1], RaisePolicy::kMinIntervalMs) << answerMs;
    EXPECT_FALSE(policy.Covered(30000)) << "gave up until the stacking changes, " << answerMs;
    EXPECT_FALSE(policy.RetryDue());

    // A window opened later is a new cover: the bar rises above it again.
    policy.StackingChanged();
    EXPECT_TRUE(policy.Covered(30001));
  }
}

TEST(RaisePolicy, CoversFarApartAreEachAnsweredAtOnceAndTheClockMayWrap) {
  RaisePolicy policy;
  uint32_t now = 0xFFFFFFFFu - 3000;  // wraps during the run
  for (int i = 0; i < 10; ++i, now += RaisePolicy::kAnswerMs + 1) {
    EXPECT_TRUE(policy.Covered(now)) << "cover " << i;
    policy.Raised(now, true);
  }
  // A rival that answers only after more than a second is never counted as answering, and
  // costs at most one raise a second.
  RaisePolicy slow;
  EXPECT_EQ(RaisesBesideRival(slow, 100, RaisePolicy::kAnswerMs + 50, 10000).size(), 10u);
}

TEST(RaisePolicy, ARaiseThatFoundNothingToRaiseStartsNoRun) {
  RaisePolicy policy;
  EXPECT_TRUE(policy.Covered(100));
  policy.Raised(100, false);  // the cover was an override-redirect menu, say
  EXPECT_TRUE(policy.Covered(110)) << "nothing was raised: no spacing, no answer";
}

}  // namespace
}  // namespace platform::x11
