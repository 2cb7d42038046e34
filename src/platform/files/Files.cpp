// Files over POSIX calls. Every descriptor lives in a FileDescriptor that closes it on every path,
// and every failure goes through RaiseInOutError so that the codes come from one place.

#include "platform/files/Files.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/random.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <ctime>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

namespace {

class FileDescriptor {
 public:
  FileDescriptor() = default;
  explicit FileDescriptor(int fd) : fd_(fd) {}
  ~FileDescriptor() { Reset(); }
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;

  int Get() const { return fd_; }
  bool Valid() const { return fd_ >= 0; }
  void Reset(int fd = -1) {
    if (fd_ >= 0) ::close(fd_);
    fd_ = fd;
  }
  int Release() {
    const int fd = fd_;
    fd_ = -1;
    return fd;
  }

 private:
  int fd_ = -1;
};

// A path the system can take: shorter than PATH_MAX with its terminating zero, and without a
// zero byte inside (which would silently cut it).
void CheckPath(const std::string& path) {
  if (path.empty() || path.size() >= PATH_MAX || path.find('\0') != std::string::npos)
    throw EInOutError(kErrorPathNotFound);
}

std::string FolderOf(const std::string& path) {
  const size_t slash = path.rfind('/');
  return slash == std::string::npos ? std::string("./") : path.substr(0, slash + 1);
}

std::string NameOf(const std::string& path) {
  const size_t slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

int OpenFile(const std::string& path, int flags, mode_t mode = 0) {
  int fd;
  do {
    fd = ::open(path.c_str(), flags | O_CLOEXEC, mode);
  } while (fd < 0 && errno == EINTR);
  return fd;
}

// Takes a whole-file lock without waiting; another holder of a conflicting lock is the sharing
// violation that Windows reports when a file is open in a mode that excludes ours.
void LockWholeFile(int fd, short type, const std::string& path) {
  struct flock lock = {};
  lock.l_type = type;
  lock.l_whence = SEEK_SET;
  lock.l_start = 0;
  lock.l_len = 0;
  lock.l_pid = 0;
  int result;
  do {
    result = ::fcntl(fd, F_OFD_SETLK, &lock);
  } while (result < 0 && errno == EINTR);
  if (result == 0) return;
  if (errno == EAGAIN || errno == EACCES) throw EInOutError(kErrorSharingViolation);
  RaiseInOutError(errno, path);
}

void WriteAll(int fd, std::string_view bytes, const std::string& path) {
  const char* p = bytes.data();
  size_t left = bytes.size();
  while (left > 0) {
    const ssize_t written = ::write(fd, p, left);
    if (written < 0) {
      if (errno == EINTR) continue;
      RaiseInOutError(errno, path);
    }
    p += written;
    left -= static_cast<size_t>(written);
  }
}

constexpr size_t kSuffixLength = 6;

// Six characters for a new file's name. Collisions are handled by O_EXCL (or EEXIST from the link)
// and another try, so the randomness only has to make them rare.
std::string UniqueSuffix() {
  static constexpr char kAlphabet[] =
      "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
  unsigned char random[kSuffixLength] = {};
  if (::getrandom(random, sizeof random, GRND_NONBLOCK) != static_cast<ssize_t>(sizeof random)) {
    // Without entropy yet (very early boot) the process id and the clock are different enough.
    const unsigned long seed = static_cast<unsigned long>(::getpid()) * 2654435761UL ^
                               static_cast<unsigned long>(::time(nullptr));
    for (size_t i = 0; i < sizeof random; ++i)
      random[i] = static_cast<unsigned char>(seed >> (i * 5));
  }
  std::string suffix(sizeof random, ' ');
  for (size_t i = 0; i < sizeof random; ++i)
    suffix[i] = kAlphabet[random[i] % (sizeof kAlphabet - 1)];
  return suffix;
}

// ".<name>.XXXXXX.tmp" in the target's folder: a new name for the new contents each time.
constexpr std::string_view kTemporaryEnding = ".tmp";

std::string TemporaryName(const std::string& target) {
  return FolderOf(target) + "." + NameOf(target) + "." + UniqueSuffix() +
         std::string(kTemporaryEnding);
}

bool IsTemporaryName(std::string_view name, const std::string& target) {
  const std::string prefix = "." + NameOf(target) + ".";
  return name.size() == prefix.size() + kSuffixLength + kTemporaryEnding.size() &&
         name.starts_with(prefix) && name.ends_with(kTemporaryEnding);
}

// The file system cannot make unnamed files (or the kernel predates them): O_TMPFILE includes
// O_DIRECTORY, so an old kernel reports the folder as a folder.
bool LacksUnnamedFiles(int error) {
  return error == EOPNOTSUPP || error == EISDIR || error == EINVAL;
}

// The new contents of a save. Where the file system allows, the file has no name at all while it is
// written (O_TMPFILE): a process killed then leaves nothing behind, since the kernel frees an
// unnamed file with its last descriptor. It is named only when complete and flushed, and renamed
// over the target at once; elsewhere it is created under its hidden name from the start.
//
// Either way the file carries an exclusive lock from before it has a name until the descriptor
// closes, after the rename. A hidden file nobody holds that lock on was left by a save that died
// between naming and renaming, and RemoveAbandoned clears it away.
class TemporaryFile {
 public:
  explicit TemporaryFile(const std::string& target) : target_(target) {
    const std::string folder = FolderOf(target);
    // 0666 as any new file: the umask decides, as for a file the program creates plainly.
    const int fd = OpenFile(folder, O_TMPFILE | O_WRONLY, 0666);
    if (fd >= 0) {
      fd_.Reset(fd);
    } else if (LacksUnnamedFiles(errno)) {
      CreateNamed();
    } else {
      RaiseInOutError(errno, target);
    }
    LockWholeFile(fd_.Get(), F_WRLCK, target);
  }
  ~TemporaryFile() {
    if (!path_.empty()) ::unlink(path_.c_str());
  }
  TemporaryFile(const TemporaryFile&) = delete;
  TemporaryFile& operator=(const TemporaryFile&) = delete;

  int Fd() const { return fd_.Get(); }
  // The name the errors of writing are reported for.
  const std::string& Target() const { return target_; }

  // Gives the complete, flushed file the target's name in one step.
  void ReplaceTarget() {
    if (path_.empty()) Name();
    if (::rename(path_.c_str(), target_.c_str()) != 0) RaiseInOutError(errno, target_);
    path_.clear();
  }

 private:
  void CreateNamed() {
    for (int attempt = 0; attempt < 100; ++attempt) {
      std::string candidate = TemporaryName(target_);
      const int fd = OpenFile(candidate, O_WRONLY | O_CREAT | O_EXCL, 0666);
      if (fd >= 0) {
        fd_.Reset(fd);
        path_ = std::move(candidate);
        return;
      }
      if (errno != EEXIST) RaiseInOutError(errno, candidate);
    }
    RaiseInOutError(EEXIST, target_);
  }

  // An unnamed file is linked through /proc: linking its descriptor itself (AT_EMPTY_PATH) needs
  // a privilege ordinary users lack, so that is only the way when /proc is not mounted.
  void Name() {
    const std::string self = "/proc/self/fd/" + std::to_string(fd_.Get());
    for (int attempt = 0; attempt < 100; ++attempt) {
      std::string candidate = TemporaryName(target_);
      int result = ::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, candidate.c_str(), AT_SYMLINK_FOLLOW);
      if (result != 0 && errno == ENOENT && ::access("/proc/self/fd", F_OK) != 0)
        result = ::linkat(fd_.Get(), "", AT_FDCWD, candidate.c_str(), AT_EMPTY_PATH);
      if (result == 0) {
        path_ = std::move(candidate);
        return;
      }
      if (errno != EEXIST) RaiseInOutError(errno, target_);
    }
    RaiseInOutError(EEXIST, target_);
  }

  std::string target_;
  FileDescriptor fd_;
  std::string path_;  // the hidden name while the file has one and is not yet the target
};

// Removes the hidden files of saves that died between naming their file and renaming it: those
// whose lock nobody holds any more. Best effort: whatever cannot be looked at stays.
void RemoveAbandoned(const std::string& target) {
  const std::string folder = FolderOf(target);
  struct CloseDir {
    void operator()(DIR* dir) const { ::closedir(dir); }
  };
  const std::unique_ptr<DIR, CloseDir> dir(::opendir(folder.c_str()));
  if (!dir) return;
  while (const dirent* entry = ::readdir(dir.get())) {
    const std::string_view name(entry->d_name);
    if (!IsTemporaryName(name, target)) continue;
    const std::string path = folder + std::string(name);
    FileDescriptor fd(OpenFile(path, O_WRONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY));
    struct stat opened, named;
    if (!fd.Valid() || ::fstat(fd.Get(), &opened) != 0 || !S_ISREG(opened.st_mode)) continue;
    struct flock lock = {};
    lock.l_type = F_WRLCK;
    lock.l_whence = SEEK_SET;
    if (::fcntl(fd.Get(), F_OFD_SETLK, &lock) != 0) continue;  // a save under way holds it
    // Still the same file under that name (not renamed and replaced meanwhile).
    if (::lstat(path.c_str(), &named) == 0 && named.st_dev == opened.st_dev &&
        named.st_ino == opened.st_ino)
      ::unlink(path.c_str());
  }
}

// The file a save really replaces: a symbolic link is followed so that the link survives.
std::string ResolveTarget(const std::string& path) {
  struct stat info;
  if (::lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return path;
  std::unique_ptr<char, decltype(&std::free)> resolved(::realpath(path.c_str(), nullptr),
                                                       &std::free);
  if (!resolved) RaiseInOutError(errno, path);
  std::string target(resolved.get());
  CheckPath(target);
  return target;
}

}  // namespace

std::string EInOutError::InOutErrorMessage(int code) {
  switch (code) {
    case 2: return "File not found";
    case 3: return "Invalid filename";
    case 4: return "Too many open files";
    case 5: return "File access denied";
    case 100: return "Read beyond end of file";
    case 101: return "Disk full";
    case 106: return "Invalid numeric input";
    default: return "I/O error " + std::to_string(code);
  }
}

int InOutErrorCode(int errnoValue, const std::string& path) {
  switch (errnoValue) {
    case ENOENT: {
      struct stat info;
      const std::string folder = FolderOf(path);
      const bool folderExists = ::stat(folder.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
      return folderExists ? kErrorFileNotFound : kErrorPathNotFound;
    }
    case ENOTDIR:
    case ENAMETOOLONG:
    case EINVAL: return kErrorPathNotFound;
    case EMFILE:
    case ENFILE: return kErrorTooManyOpenFiles;
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR: return kErrorAccessDenied;
    case ENOSPC:
    case EDQUOT: return kErrorDiskFull;
    case EIO: return kErrorIoDevice;
    default: return errnoValue;
  }
}

void RaiseInOutError(int errnoValue, const std::string& path) {
  throw EInOutError(InOutErrorCode(errnoValue, path));
}

std::string ExecutableFolder() {
  // The link's length is not known in advance; grow the buffer until the answer fits.
  std::string buffer(256, '\0');
  for (;;) {
    const ssize_t length = ::readlink("/proc/self/exe", buffer.data(), buffer.size());
    if (length < 0) RaiseInOutError(errno, "/proc/self/exe");
    if (static_cast<size_t>(length) < buffer.size()) {
      buffer.resize(static_cast<size_t>(length));
      break;
    }
    if (buffer.size() >= 16 * PATH_MAX) throw EInOutError(kErrorPathNotFound);
    buffer.resize(buffer.size() * 2);
  }
  return FolderOf(buffer);
}

void MakeFolders(const std::string& folder) {
  CheckPath(folder);
  // Each prefix ending before a "/" in turn, the whole path last.
  for (size_t end = folder.find('/', 1);; end = folder.find('/', end + 1)) {
    const std::string prefix = folder.substr(0, end);
    if (!prefix.empty() && ::mkdir(prefix.c_str(), 0700) != 0 && errno != EEXIST)
      RaiseInOutError(errno, prefix + "/");
    if (end == std::string::npos || end + 1 == folder.size()) break;
  }
  struct stat info;
  if (::stat(folder.c_str(), &info) != 0) RaiseInOutError(errno, folder);
  if (!S_ISDIR(info.st_mode)) throw EInOutError(kErrorPathNotFound);
}

SharedFileReader::SharedFileReader(const std::string& path) : path_(path) {
  CheckPath(path);
  // O_NONBLOCK keeps a pipe that has taken the file's name from blocking the open; it changes
  // nothing for a regular file.
  FileDescriptor fd(OpenFile(path, O_RDONLY | O_NONBLOCK | O_NOCTTY));
  if (!fd.Valid()) RaiseInOutError(errno, path);
  struct stat info;
  if (::fstat(fd.Get(), &info) != 0) RaiseInOutError(errno, path);
  if (!S_ISREG(info.st_mode)) throw EInOutError(kErrorAccessDenied);
  LockWholeFile(fd.Get(), F_RDLCK, path);
  size_ = static_cast<size_t>(info.st_size);
  fd_ = fd.Release();
}

SharedFileReader::~SharedFileReader() {
  if (fd_ >= 0) ::close(fd_);
}

size_t SharedFileReader::Read(void* buffer, size_t size) {
  for (;;) {
    const ssize_t got = ::read(fd_, buffer, size);
    if (got >= 0) return static_cast<size_t>(got);
    if (errno != EINTR) RaiseInOutError(errno, path_);
  }
}

std::string ReadFileShared(const std::string& path, size_t maxBytes) {
  SharedFileReader reader(path);
  std::string bytes;
  char chunk[65536];
  for (;;) {
    const size_t got = reader.Read(chunk, sizeof chunk);
    if (got == 0) return bytes;
    if (got > maxBytes - bytes.size())
      throw EOutOfResources("The file " + path + " is larger than " + std::to_string(maxBytes) +
                            " bytes");
    bytes.append(chunk, got);
  }
}

void RemoveAbandonedSaves(const std::string& path) {
  try {
    RemoveAbandoned(ResolveTarget(path));
  } catch (const Exception&) {
    // A link that leads nowhere has nothing beside it to clear.
  }
}

void AtomicWriteFile(const std::string& path, std::string_view bytes) {
  CheckPath(path);
  const std::string target = ResolveTarget(path);

  // The existing file, opened for writing: the check that the user may change it, and the handle
  // for the exclusive lock that keeps other copies from reading while it is being replaced.
  FileDescriptor old;
  struct stat oldInfo = {};
  if (::stat(target.c_str(), &oldInfo) == 0) {
    if (!S_ISREG(oldInfo.st_mode)) throw EInOutError(kErrorAccessDenied);
    old.Reset(OpenFile(target, O_WRONLY | O_NONBLOCK | O_NOCTTY));
    if (!old.Valid() && errno != ENOENT) RaiseInOutError(errno, target);
    if (old.Valid()) {
      LockWholeFile(old.Get(), F_WRLCK, target);
      if (::fstat(old.Get(), &oldInfo) != 0) RaiseInOutError(errno, target);
    }
  } else if (errno != ENOENT) {
    RaiseInOutError(errno, target);
  }

  RemoveAbandoned(target);

  TemporaryFile temp(target);
  WriteAll(temp.Fd(), bytes, temp.Target());
  if (old.Valid()) {
    // Only a privileged process may give the file away; a plain user's save of a file owned by
    // someone else (writable through its group) leaves the new file owned by the user who saved.
    if (oldInfo.st_uid != ::geteuid() || oldInfo.st_gid != ::getegid()) {
      [[maybe_unused]] const int ignored = ::fchown(temp.Fd(), oldInfo.st_uid, oldInfo.st_gid);
    }
    if (::fchmod(temp.Fd(), oldInfo.st_mode & 07777) != 0) RaiseInOutError(errno, temp.Target());
  }
  // Flushed before it has a name: the name must never stand for contents still on their way.
  if (::fsync(temp.Fd()) != 0) RaiseInOutError(errno, temp.Target());
  temp.ReplaceTarget();

  // The new file is in place and complete; flushing the folder makes the rename itself durable.
  // Its failure is not reported: the save has happened, and saying otherwise would make the
  // caller believe the old contents were still there.
  FileDescriptor folder(OpenFile(FolderOf(target), O_RDONLY | O_DIRECTORY));
  if (folder.Valid()) ::fsync(folder.Get());
}

}  // namespace platform
