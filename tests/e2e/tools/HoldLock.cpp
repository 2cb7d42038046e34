// Another copy of the program in the middle of loading the snippet file, for end-to-end tests: it
// holds the shared lock a loading copy holds (an open-file-description lock, as the program's
// own), so that a save meanwhile fails with the sharing violation. It prints "locked" once it
// holds the lock and keeps it until killed. Usage: e2e_hold_lock <file>

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: e2e_hold_lock <file>\n");
    return 2;
  }
  const int fd = ::open(argv[1], O_RDONLY | O_CLOEXEC);
  struct flock lock = {};
  lock.l_type = F_RDLCK;
  lock.l_whence = SEEK_SET;
  if (fd < 0 || ::fcntl(fd, F_OFD_SETLK, &lock) != 0) {
    std::perror("e2e_hold_lock");
    return 1;
  }
  std::printf("locked\n");
  std::fflush(stdout);
  for (;;) ::pause();
}
