#include "platform/wayland/PipeTransfers.h"

#include <fcntl.h>
#include <sys/resource.h>
#include <unistd.h>
#include <csignal>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <ctime>

namespace platform::wayland {

namespace {

// The largest piece handed to one write: a pipe takes 64 KiB by default, and a reader with a larger
// pipe still gets the text in a handful of calls.
constexpr size_t kMaxWrite = size_t{1} << 20;

// Writing into a pipe whose reader has gone raises SIGPIPE, which ends the process unless someone
// handles it. The program does not own the process's signal dispositions (a library must not
// change them), so SIGPIPE is blocked while the pipes are written and a SIGPIPE that the writes
// raised is taken back before it is unblocked; a failed write then just says EPIPE.
class SigpipeBlock {
 public:
  SigpipeBlock() {
    sigset_t pipeOnly;
    sigemptyset(&pipeOnly);
    sigaddset(&pipeOnly, SIGPIPE);
    pthread_sigmask(SIG_BLOCK, &pipeOnly, &saved_);
    sigset_t pending;
    sigemptyset(&pending);
    sigpending(&pending);
    alreadyPending_ = sigismember(&pending, SIGPIPE) == 1;
  }
  ~SigpipeBlock() {
    if (raised_ && !alreadyPending_) {
      sigset_t pipeOnly;
      sigemptyset(&pipeOnly);
      sigaddset(&pipeOnly, SIGPIPE);
      const timespec now{0, 0};
      while (sigtimedwait(&pipeOnly, nullptr, &now) < 0 && errno == EINTR) {
      }
    }
    pthread_sigmask(SIG_SETMASK, &saved_, nullptr);
  }
  SigpipeBlock(const SigpipeBlock&) = delete;
  SigpipeBlock& operator=(const SigpipeBlock&) = delete;

  void Raised() { raised_ = true; }

 private:
  sigset_t saved_;
  bool alreadyPending_ = false;
  bool raised_ = false;
};

}  // namespace

PipeTransfers::PipeTransfers(std::chrono::milliseconds stallTimeout, size_t maxTransfers)
    : stallTimeout_(stallTimeout), maxTransfers_(std::max<size_t>(maxTransfers, 1)) {}

size_t PipeTransfers::DefaultMaxTransfers() {
  constexpr size_t kMost = 64;
  rlimit limit{};
  if (getrlimit(RLIMIT_NOFILE, &limit) != 0 || limit.rlim_cur == RLIM_INFINITY) return kMost;
  return std::clamp<size_t>(static_cast<size_t>(limit.rlim_cur / 4), 1, kMost);
}

PipeTransfers::~PipeTransfers() {
  for (const Transfer& transfer : transfers_) close(transfer.fd);
}

void PipeTransfers::Start(int fd, Bytes bytes, Clock::time_point now) {
  if (fd < 0) return;
  // Nothing to send, or as many readers waiting as are let wait: an empty answer at once.
  if (!bytes || bytes->empty() || transfers_.size() >= maxTransfers_) {
    close(fd);
    return;
  }
  // The descriptor came from another process: it must not block the program, nor leak into a
  // program it starts.
  const int flags = fcntl(fd, F_GETFL);
  if (flags < 0 || fcntl(fd, F_SETFL, flags | O_NONBLOCK) < 0) {
    close(fd);
    return;
  }
  fcntl(fd, F_SETFD, FD_CLOEXEC);
  transfers_.push_back(Transfer{fd, std::move(bytes), 0, now});
  Pump(now);
}

PipeTransfers::Progress PipeTransfers::WriteSome(Transfer& transfer, Clock::time_point now) {
  const std::string& bytes = *transfer.bytes;
  while (transfer.offset < bytes.size()) {
    const size_t piece = std::min(kMaxWrite, bytes.size() - transfer.offset);
    const ssize_t written = write(transfer.fd, bytes.data() + transfer.offset, piece);
    if (written > 0) {
      transfer.offset += static_cast<size_t>(written);
      transfer.lastProgress = now;
      continue;
    }
    if (written < 0 && errno == EINTR) continue;
    if (written < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) return Progress::Waiting;
    return Progress::Failed;
  }
  return Progress::Done;
}

void PipeTransfers::Pump(Clock::time_point now) {
  if (transfers_.empty()) return;
  SigpipeBlock block;
  std::erase_if(transfers_, [&](Transfer& transfer) {
    const Progress progress = WriteSome(transfer, now);
    if (progress == Progress::Waiting) return false;
    if (progress == Progress::Failed && errno == EPIPE) block.Raised();
    close(transfer.fd);
    return true;
  });
}

void PipeTransfers::AddPollFds(std::vector<pollfd>& fds) const {
  for (const Transfer& transfer : transfers_) fds.push_back(pollfd{transfer.fd, POLLOUT, 0});
}

std::optional<int> PipeTransfers::NextTimeoutMs(Clock::time_point now) const {
  if (transfers_.empty()) return std::nullopt;
  Clock::time_point nearest = Clock::time_point::max();
  for (const Transfer& transfer : transfers_) {
    nearest = std::min(nearest, transfer.lastProgress + stallTimeout_);
  }
  const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(nearest - now).count();
  return static_cast<int>(std::clamp<decltype(left)>(left, 0, INT_MAX));
}

void PipeTransfers::ExpireStalled(Clock::time_point now) {
  std::erase_if(transfers_, [&](const Transfer& transfer) {
    if (now - transfer.lastProgress < stallTimeout_) return false;
    close(transfer.fd);
    return true;
  });
}

}  // namespace platform::wayland
