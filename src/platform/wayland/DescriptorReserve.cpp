#include "platform/wayland/DescriptorReserve.h"

#include <fcntl.h>
#include <unistd.h>

namespace platform::wayland {

DescriptorReserve::DescriptorReserve(size_t count) : count_(count) {
  fds_.reserve(count_);
  Restore();
}

DescriptorReserve::~DescriptorReserve() { Release(); }

void DescriptorReserve::Release() {
  for (const int fd : fds_) ::close(fd);
  fds_.clear();
}

void DescriptorReserve::Restore() {
  while (fds_.size() < count_) {
    const int fd = fds_.empty() ? ::open("/dev/null", O_RDONLY | O_CLOEXEC)
                                : ::fcntl(fds_.front(), F_DUPFD_CLOEXEC, 0);
    if (fd < 0) return;  // the table is full: the reserve holds what it could take
    fds_.push_back(fd);
  }
}

}  // namespace platform::wayland
