#include "platform/wayland/ReconnectingClipboard.h"

#include <algorithm>
#include <utility>

namespace platform::wayland {

ReconnectingClipboard::ReconnectingClipboard(std::unique_ptr<WaylandClipboard> connection,
                                             Connector connect)
    : connection_(std::move(connection)), connect_(std::move(connect)) {}

void ReconnectingClipboard::Publish(const SharedText& text, bool xOwnershipTaken,
                                    Clock::time_point now) {
  last_ = text;
  if (!connection_) return;
  connection_->Publish(text, xOwnershipTaken);
  CheckLost(now);
}

std::optional<int> ReconnectingClipboard::BeforeWait(std::vector<pollfd>& fds,
                                                     Clock::time_point now) {
  if (connection_) return connection_->BeforeWait(fds);
  const auto due = std::chrono::ceil<std::chrono::milliseconds>(nextTry_ - now);
  return static_cast<int>(std::max<std::chrono::milliseconds::rep>(0, due.count()));
}

void ReconnectingClipboard::AfterWait(const std::vector<pollfd>& fds, Clock::time_point now) {
  if (connection_) {
    connection_->AfterWait(fds);
    CheckLost(now);
  } else if (now >= nextTry_) {
    TryAgain(now);
  }
}

void ReconnectingClipboard::CheckLost(Clock::time_point now) {
  if (!connection_ || connection_->Connected()) return;
  connection_.reset();
  retry_ = kFirstRetry;
  nextTry_ = now + retry_;
}

void ReconnectingClipboard::TryAgain(Clock::time_point now) {
  connection_ = connect_();
  if (!connection_) {
    retry_ = std::min(retry_ * 2, kLongestRetry);
    nextTry_ = now + retry_;
    return;
  }
  // The X clipboard still holds the text (its ownership did not change): the new connection
  // offers it at once unless the seat's selection already carries it.
  if (last_) connection_->Publish(*last_, false);
  CheckLost(now);
}

}  // namespace platform::wayland
