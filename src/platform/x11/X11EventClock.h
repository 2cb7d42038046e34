#pragma once
// Event times. The window system reads NativeEvent::time on the backend's own monotonic clock
// (TickCount) and finds double clicks by differences of those times, so the server's event times
// are mapped onto that clock by a fixed offset rather than stamped with the time they were read:
// two clicks read in one batch keep the 200 ms between them.
//
// The offset is the largest (server time - our time) seen so far. An event can never be newer than
// the moment it is read, so that largest value belongs to the event read with the least delay;
// mapped times never lie in the future, and differences between events stay exact except when an
// event arrives faster than every earlier one (which settles within the first few events). A server
// clock that drifts behind ours would make mapped times lag more and more; when one lags by more
// than a minute the offset is taken afresh.

#include <chrono>
#include <cstdint>

namespace platform::x11 {

class X11EventClock {
 public:
  // Milliseconds on the monotonic clock, wrapping like Windows' tick count.
  static uint32_t Now() {
    const auto since = std::chrono::steady_clock::now().time_since_epoch();
    return static_cast<uint32_t>(
        std::chrono::duration_cast<std::chrono::milliseconds>(since).count());
  }

  // The server time (32 bits, wrapping) of an event read at `now`, on Now()'s clock.
  uint32_t Map(uint32_t serverTime, uint32_t now) {
    const uint32_t candidate = serverTime - now;
    if (!known_ || static_cast<int32_t>(candidate - offset_) > 0 ||
        static_cast<int32_t>(now - (serverTime - offset_)) > kMaxLagMs) {
      offset_ = candidate;
      known_ = true;
    }
    return serverTime - offset_;
  }

 private:
  static constexpr int32_t kMaxLagMs = 60000;
  bool known_ = false;
  uint32_t offset_ = 0;
};

}  // namespace platform::x11
