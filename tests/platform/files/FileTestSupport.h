#pragma once
// Helpers for tests of files: scratch folders, whole-file reads and writes, and running a step in
// a child process (to drop root's privileges, to have a second copy of the program holding a lock,
// or to change limits and mounts without touching the test program itself).

#include <fcntl.h>
#include <grp.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include "platform/files/Files.h"

namespace filetest {

// A fresh folder, removed with everything in it. Path() ends with "/".
class TempFolder {
 public:
  TempFolder() {
    const char* base = std::getenv("TMPDIR");
    std::string pattern =
        std::string(base != nullptr && *base != '\0' ? base : "/tmp") + "/snipwell-files-XXXXXX";
    if (::mkdtemp(pattern.data()) == nullptr) std::abort();
    path_ = pattern + "/";
    ::chmod(path_.c_str(), 0755);  // reachable for the unprivileged children
  }
  ~TempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::string& Path() const { return path_; }
  std::string operator/(const std::string& name) const { return path_ + name; }

 private:
  std::string path_;
};

// Sets (or, given nullptr, unsets) an environment variable for the scope, restoring it after.
class ScopedEnv {
 public:
  ScopedEnv(const char* name, const char* value) : name_(name) {
    const char* old = std::getenv(name);
    had_ = old != nullptr;
    if (had_) old_ = old;
    if (value)
      ::setenv(name, value, 1);
    else
      ::unsetenv(name);
  }
  ~ScopedEnv() {
    if (had_)
      ::setenv(name_.c_str(), old_.c_str(), 1);
    else
      ::unsetenv(name_.c_str());
  }
  ScopedEnv(const ScopedEnv&) = delete;
  ScopedEnv& operator=(const ScopedEnv&) = delete;

 private:
  std::string name_;
  std::string old_;
  bool had_ = false;
};

// A home of its own for the scope, so that nothing reads or writes the user's files: HOME,
// XDG_CONFIG_HOME (home/config), XDG_DATA_HOME (home/data) and XDG_DATA_DIRS (home/system) all
// point into a fresh folder. The folders themselves are not made.
class ScratchHome {
 public:
  ScratchHome()
      : home_("HOME", folder_.Path().c_str()),
        config_("XDG_CONFIG_HOME", (folder_ / "config").c_str()),
        data_("XDG_DATA_HOME", (folder_ / "data").c_str()),
        dirs_("XDG_DATA_DIRS", (folder_ / "system").c_str()) {}

  const TempFolder& Folder() const { return folder_; }
  std::string ConfigFolder() const { return folder_ / "config/snipwell/"; }
  std::string UserSkins() const { return folder_ / "data/snipwell/skins/"; }
  std::string SystemSkins() const { return folder_ / "system/snipwell/skins/"; }

 private:
  TempFolder folder_;
  ScopedEnv home_, config_, data_, dirs_;
};

inline std::string ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void WriteBytes(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

// The names in a folder, to see that no temporary file was left behind.
inline std::vector<std::string> Entries(const std::string& folder) {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(folder))
    names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

// "ok", or the failure as "<code> <message>" (other exceptions as "other: <what>").
inline std::string Outcome(const std::function<void()>& step) {
  try {
    step();
    return "ok";
  } catch (const platform::EInOutError& e) {
    return std::to_string(e.ErrorCode()) + " " + e.Message();
  } catch (const std::exception& e) {
    return std::string("other: ") + e.what();
  }
}

// Runs the step in a forked child and returns the text it produced. The child leaves with _exit,
// so it runs no destructors and no exit handlers of the test program.
inline std::string InChild(const std::function<std::string()>& step) {
  int pipeFds[2];
  if (::pipe2(pipeFds, O_CLOEXEC) != 0) return "pipe failed";
  const pid_t pid = ::fork();
  if (pid < 0) return "fork failed";
  if (pid == 0) {
    ::close(pipeFds[0]);
    std::string result;
    try {
      result = step();
    } catch (...) {
      result = "child threw";
    }
    size_t done = 0;
    while (done < result.size()) {
      const ssize_t n = ::write(pipeFds[1], result.data() + done, result.size() - done);
      if (n <= 0) break;
      done += static_cast<size_t>(n);
    }
    ::_exit(0);
  }
  ::close(pipeFds[1]);
  std::string result;
  char buffer[4096];
  for (ssize_t n; (n = ::read(pipeFds[0], buffer, sizeof buffer)) != 0;) {
    if (n < 0) {
      if (errno == EINTR) continue;
      break;
    }
    result.append(buffer, static_cast<size_t>(n));
  }
  ::close(pipeFds[0]);
  int status = 0;
  while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
  }
  if (!WIFEXITED(status)) return "child died";
  return result;
}

constexpr uid_t kNobody = 65534;

// In a child: become the unprivileged user "nobody", for whom permissions count (root bypasses
// them). False when the switch did not happen.
inline bool BecomeNobody() {
  return ::setgroups(0, nullptr) == 0 && ::setgid(kNobody) == 0 && ::setuid(kNobody) == 0 &&
         ::geteuid() == kNobody;
}

// A second copy of the program holding a whole-file lock on a file, as a loading (F_RDLCK) or a
// saving (F_WRLCK) copy does, until Release().
class LockHolder {
 public:
  LockHolder(const std::string& path, short type) {
    int ready[2], release[2];
    if (::pipe2(ready, O_CLOEXEC) != 0 || ::pipe2(release, O_CLOEXEC) != 0) return;
    pid_ = ::fork();
    if (pid_ == 0) {
      ::close(ready[0]);
      ::close(release[1]);
      // Classic record locks on purpose: the program's own locks must exclude them too.
      const int fd = ::open(path.c_str(), type == F_WRLCK ? O_RDWR : O_RDONLY);
      struct flock lock = {};
      lock.l_type = type;
      lock.l_whence = SEEK_SET;
      const char answer = fd >= 0 && ::fcntl(fd, F_SETLK, &lock) == 0 ? 'y' : 'n';
      if (::write(ready[1], &answer, 1) != 1) ::_exit(1);
      char ignored;
      while (::read(release[0], &ignored, 1) < 0 && errno == EINTR) {
      }
      ::_exit(0);
    }
    ::close(ready[1]);
    ::close(release[0]);
    release_ = release[1];
    char answer = 'n';
    locked_ = pid_ > 0 && ::read(ready[0], &answer, 1) == 1 && answer == 'y';
    ::close(ready[0]);
  }
  ~LockHolder() { Release(); }
  LockHolder(const LockHolder&) = delete;
  LockHolder& operator=(const LockHolder&) = delete;

  bool Locked() const { return locked_; }
  void Release() {
    if (release_ >= 0) ::close(release_);
    release_ = -1;
    if (pid_ > 0) {
      int status;
      while (::waitpid(pid_, &status, 0) < 0 && errno == EINTR) {
      }
    }
    pid_ = -1;
  }

 private:
  pid_t pid_ = -1;
  int release_ = -1;
  bool locked_ = false;
};

}  // namespace filetest
