#pragma once
// The Wayland clipboard kept connected while the program runs. A compositor that restarts, or a
// connection it breaks, would otherwise leave Wayland programs without the program's texts for
// the rest of the session. When the connection is lost, a new one is tried after a second, then
// after twice as long each time it fails, at most every minute; in between nothing runs (the
// program's wait ends when the next try is due, and no descriptor is watched). Once connected
// again, the last text published is offered anew, so the seat's selection holds it once more.

#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "platform/SharedText.h"
#include "platform/wayland/WaylandClipboard.h"

namespace platform::wayland {

class ReconnectingClipboard final : public WaylandClipboard {
 public:
  using Clock = std::chrono::steady_clock;
  // A new connection, or null when none can be had now.
  using Connector = std::function<std::unique_ptr<WaylandClipboard>()>;

  static constexpr std::chrono::milliseconds kFirstRetry{1000};
  static constexpr std::chrono::milliseconds kLongestRetry{60000};

  ReconnectingClipboard(std::unique_ptr<WaylandClipboard> connection, Connector connect);

  void Publish(const SharedText& text, bool xOwnershipTaken) override {
    Publish(text, xOwnershipTaken, Clock::now());
  }
  std::optional<int> BeforeWait(std::vector<pollfd>& fds) override {
    return BeforeWait(fds, Clock::now());
  }
  void AfterWait(const std::vector<pollfd>& fds) override { AfterWait(fds, Clock::now()); }
  // Always: a lost connection is tried again, so the object is never done with.
  bool Connected() const override { return true; }

  void Publish(const SharedText& text, bool xOwnershipTaken, Clock::time_point now);
  std::optional<int> BeforeWait(std::vector<pollfd>& fds, Clock::time_point now);
  void AfterWait(const std::vector<pollfd>& fds, Clock::time_point now);
  // Whether a connection stands now (rather than a try being waited for).
  bool Live() const { return connection_ != nullptr; }

 private:
  // Drops a connection that was lost, and sets the time of the next try.
  void CheckLost(Clock::time_point now);
  void TryAgain(Clock::time_point now);

  std::unique_ptr<WaylandClipboard> connection_;
  Connector connect_;
  std::optional<SharedText> last_;
  std::chrono::milliseconds retry_ = kFirstRetry;
  Clock::time_point nextTry_;
};

}  // namespace platform::wayland
