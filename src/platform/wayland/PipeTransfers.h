#pragma once
// The texts on their way to Wayland readers. A reader hands over the write end of a pipe; the text
// goes into it piece by piece, never blocking: the descriptor is made non-blocking and joins the
// program's wait (AddPollFds), and each Pump writes what the pipe takes now. A text of megabytes
// thus leaves while the program goes on answering its windows.
//
// Every descriptor taken over is closed exactly once: when its text is written whole, when the
// reader goes away (EPIPE, without the process-ending SIGPIPE), on any other write failure, when
// the reader takes nothing for the stall timeout, or when this object goes.
//
// Readers are other programs, and any of them may ask and then take nothing. At most a set number
// of transfers are under way at once (a quarter of the process's descriptor limit, at most 64):
// a reader beyond them gets its pipe closed at once, an empty answer, so that stalled readers can
// never use up the descriptors the program needs for its own connections.

#include <poll.h>

#include <chrono>
#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace platform::wayland {

class PipeTransfers {
 public:
  using Clock = std::chrono::steady_clock;
  using Bytes = std::shared_ptr<const std::string>;

  explicit PipeTransfers(std::chrono::milliseconds stallTimeout = std::chrono::seconds(30),
                         size_t maxTransfers = DefaultMaxTransfers());
  ~PipeTransfers();
  PipeTransfers(const PipeTransfers&) = delete;
  PipeTransfers& operator=(const PipeTransfers&) = delete;

  // Takes the descriptor over and starts writing these bytes into it. Null bytes (nothing to send)
  // close it at once, which the reader sees as an empty answer.
  void Start(int fd, Bytes bytes, Clock::time_point now = Clock::now());

  // Writes what every pipe takes now; ends the transfers that are done or failed.
  void Pump(Clock::time_point now = Clock::now());

  // One POLLOUT entry per transfer under way, appended.
  void AddPollFds(std::vector<pollfd>& fds) const;

  // Milliseconds until the nearest stalled transfer is given up (nullopt: none under way), and the
  // giving up of those whose time has come.
  std::optional<int> NextTimeoutMs(Clock::time_point now = Clock::now()) const;
  void ExpireStalled(Clock::time_point now = Clock::now());

  size_t Count() const { return transfers_.size(); }

  // A quarter of the process's descriptor limit as it stands, at most 64 and at least 1.
  static size_t DefaultMaxTransfers();

 private:
  struct Transfer {
    int fd = -1;
    Bytes bytes;
    size_t offset = 0;
    Clock::time_point lastProgress;
  };
  enum class Progress { Done, Waiting, Failed };

  static Progress WriteSome(Transfer& transfer, Clock::time_point now);

  std::chrono::milliseconds stallTimeout_;
  size_t maxTransfers_;
  std::vector<Transfer> transfers_;
};

}  // namespace platform::wayland
