// Keeping the Wayland clipboard connected: connections that break, tries that fail, and the last
// text offered again, on a clock of the test's own.
#include <chrono>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "gtest/gtest.h"
#include "platform/wayland/ReconnectingClipboard.h"

namespace platform::wayland {
namespace {

using namespace std::chrono_literals;
using Clock = ReconnectingClipboard::Clock;

// What a connection was asked to do, kept by the test after the connection is dropped.
struct Seen {
  std::vector<std::pair<std::string, bool>> published;
  bool connected = true;
  bool dropped = false;
};

class FakeConnection : public WaylandClipboard {
 public:
  explicit FakeConnection(std::shared_ptr<Seen> seen) : seen_(std::move(seen)) {}
  ~FakeConnection() override { seen_->dropped = true; }
  void Publish(const SharedText& text, bool xOwnershipTaken) override {
    seen_->published.emplace_back(text.Str(), xOwnershipTaken);
  }
  std::optional<int> BeforeWait(std::vector<pollfd>& fds) override {
    fds.push_back(pollfd{42, POLLIN, 0});
    return std::nullopt;
  }
  void AfterWait(const std::vector<pollfd>&) override {}
  bool Connected() const override { return seen_->connected; }

 private:
  std::shared_ptr<Seen> seen_;
};

TEST(ReconnectingClipboard, ALostConnectionIsTriedAgainLessAndLessOftenAndGetsTheLastText) {
  auto first = std::make_shared<Seen>();
  auto second = std::make_shared<Seen>();
  int tries = 0;
  bool compositorBack = false;
  ReconnectingClipboard clipboard(std::make_unique<FakeConnection>(first), [&]() {
    ++tries;
    return compositorBack ? std::make_unique<FakeConnection>(second) : nullptr;
  });
  const Clock::time_point t0 = Clock::now();
  std::vector<pollfd> fds;

  clipboard.Publish("one", true, t0);
  EXPECT_EQ(clipboard.BeforeWait(fds, t0), std::nullopt);
  EXPECT_EQ(fds.size(), 1u);  // the connection's own wait
  clipboard.AfterWait(fds, t0);

  // The compositor goes: the connection is dropped, and nothing is watched until the first try.
  first->connected = false;
  clipboard.AfterWait(fds, t0);
  EXPECT_TRUE(first->dropped);
  EXPECT_FALSE(clipboard.Live());
  EXPECT_TRUE(clipboard.Connected());
  fds.clear();
  EXPECT_EQ(clipboard.BeforeWait(fds, t0), 1000);
  EXPECT_TRUE(fds.empty());
  clipboard.AfterWait(fds, t0 + 999ms);  // woken early (the X connection): no try yet
  EXPECT_EQ(tries, 0);

  // Tries fail: each wait twice the one before, a minute at most; a text published meanwhile is
  // kept for the connection to come.
  Clock::time_point now = t0 + 1000ms;
  const int waits[] = {2000, 4000, 8000, 16000, 32000, 60000, 60000};
  for (const int wait : waits) {
    clipboard.AfterWait(fds, now);
    EXPECT_EQ(clipboard.BeforeWait(fds, now), wait);
    now += std::chrono::milliseconds(wait);
  }
  EXPECT_EQ(tries, 7);
  clipboard.Publish("two", true, now - 1ms);
  EXPECT_EQ(tries, 7);

  // The compositor is back: the next try connects, and the new connection gets the last text as
  // one the X clipboard already holds.
  compositorBack = true;
  clipboard.AfterWait(fds, now);
  EXPECT_EQ(tries, 8);
  EXPECT_TRUE(clipboard.Live());
  ASSERT_EQ(second->published.size(), 1u);
  EXPECT_EQ(second->published[0], std::make_pair(std::string("two"), false));
  clipboard.Publish("three", true, now);
  EXPECT_EQ(second->published.back(), std::make_pair(std::string("three"), true));
  EXPECT_EQ(first->published.size(), 1u);  // the dropped connection heard nothing more

  // Lost again: the waits start over from a second.
  second->connected = false;
  clipboard.Publish("four", true, now);
  EXPECT_FALSE(clipboard.Live());
  EXPECT_EQ(clipboard.BeforeWait(fds, now), 1000);
}

}  // namespace
}  // namespace platform::wayland
