// The reserve of descriptors under a full descriptor table: a message carrying as many
// descriptors as libwayland reads at once arrives whole only with the reserve given back.
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <unistd.h>

#include <dirent.h>
#include <cerrno>
#include <cstring>
#include <vector>

#include "gtest/gtest.h"
#include "platform/wayland/DescriptorReserve.h"

namespace platform::wayland {
namespace {

constexpr size_t kCarried = DescriptorReserve::kWaylandRead;

// Sends one byte with kCarried copies of fd attached, as the compositor sends readers' pipes.
void SendDescriptors(int socket, int fd) {
  char byte = 'x';
  iovec io{&byte, 1};
  std::vector<char> control(CMSG_SPACE(kCarried * sizeof(int)));
  msghdr message{};
  message.msg_iov = &io;
  message.msg_iovlen = 1;
  message.msg_control = control.data();
  message.msg_controllen = control.size();
  cmsghdr* header = CMSG_FIRSTHDR(&message);
  header->cmsg_level = SOL_SOCKET;
  header->cmsg_type = SCM_RIGHTS;
  header->cmsg_len = CMSG_LEN(kCarried * sizeof(int));
  const std::vector<int> fds(kCarried, fd);
  std::memcpy(CMSG_DATA(header), fds.data(), kCarried * sizeof(int));
  ASSERT_EQ(sendmsg(socket, &message, 0), 1);
}

// Receives one such message as libwayland does; how many descriptors arrived (closed at once),
// and whether the kernel had to drop some.
std::pair<size_t, bool> Receive(int socket) {
  char byte = 0;
  iovec io{&byte, 1};
  std::vector<char> control(CMSG_SPACE(kCarried * sizeof(int)));
  msghdr message{};
  message.msg_iov = &io;
  message.msg_iovlen = 1;
  message.msg_control = control.data();
  message.msg_controllen = control.size();
  EXPECT_EQ(recvmsg(socket, &message, MSG_CMSG_CLOEXEC), 1);
  size_t got = 0;
  for (cmsghdr* h = CMSG_FIRSTHDR(&message); h; h = CMSG_NXTHDR(&message, h)) {
    if (h->cmsg_level != SOL_SOCKET || h->cmsg_type != SCM_RIGHTS) continue;
    const size_t n = (h->cmsg_len - CMSG_LEN(0)) / sizeof(int);
    std::vector<int> fds(n);
    std::memcpy(fds.data(), CMSG_DATA(h), n * sizeof(int));
    for (const int fd : fds) close(fd);
    got += n;
  }
  return {got, (message.msg_flags & MSG_CTRUNC) != 0};
}

size_t OpenDescriptors() {
  size_t count = 0;
  DIR* dir = opendir("/proc/self/fd");
  if (!dir) return 0;
  while (readdir(dir)) ++count;
  closedir(dir);
  return count;
}

TEST(DescriptorReserve, AFullTableStillTakesTheDescriptorsOfOneRead) {
  int sockets[2];
  ASSERT_EQ(socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, sockets), 0);
  rlimit saved{};
  ASSERT_EQ(getrlimit(RLIMIT_NOFILE, &saved), 0);
  const rlim_t low = OpenDescriptors() + 3 * kCarried;
  if (saved.rlim_cur < low) GTEST_SKIP() << "the descriptor limit is lower than the test needs";
  rlimit limited = saved;
  limited.rlim_cur = low;
  ASSERT_EQ(setrlimit(RLIMIT_NOFILE, &limited), 0);
  std::vector<int> filler;
  {
    DescriptorReserve reserve;
    EXPECT_EQ(reserve.Held(), kCarried);
    // Everything else fills the table, as stalled readers or the program's own use would.
    for (int fd; (fd = open("/dev/null", O_RDONLY | O_CLOEXEC)) >= 0;) filler.push_back(fd);
    EXPECT_EQ(errno, EMFILE);

    // Without the reserve's room the kernel drops the descriptors (libwayland ends the
    // connection then); with it, every one arrives.
    SendDescriptors(sockets[1], sockets[1]);
    EXPECT_EQ(Receive(sockets[0]), std::make_pair(size_t{0}, true));
    SendDescriptors(sockets[1], sockets[1]);
    reserve.Release();
    EXPECT_EQ(Receive(sockets[0]), std::make_pair(kCarried, false));
    reserve.Restore();
    EXPECT_EQ(reserve.Held(), kCarried);

    // A table that stays fuller than before: the reserve holds what it can, and no more later.
    const int taken = open("/dev/null", O_RDONLY | O_CLOEXEC);
    EXPECT_LT(taken, 0);
    reserve.Release();
    filler.push_back(open("/dev/null", O_RDONLY | O_CLOEXEC));
    reserve.Restore();
    EXPECT_EQ(reserve.Held(), kCarried - 1);
  }
  for (const int fd : filler) close(fd);
  close(sockets[0]);
  close(sockets[1]);
  setrlimit(RLIMIT_NOFILE, &saved);
}

}  // namespace
}  // namespace platform::wayland
