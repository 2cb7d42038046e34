#pragma once
// The file calls the program needs for its snippet file: where the executable lives, reading a
// file while no other copy of the program is replacing it, and replacing a file so that a failure
// or a crash at any moment leaves either the old or the new contents, never a mixture.
//
// Failures raise EInOutError with Windows' file error codes, so the messages read as the program
// has always shown them ("File not found", "File access denied", "Disk full", "I/O error 32").
//
// Sharing between copies of the program uses advisory open-file-description locks (fcntl
// F_OFD_SETLK): a reader holds a shared lock while it reads, a writer holds an exclusive lock on
// the file it is about to replace. They are taken without waiting: a conflict is the sharing
// violation, code 32, at once. Open-file-description locks rather than classic POSIX record locks
// because closing any other descriptor of the same file does not silently drop them, and because
// they conflict between descriptors of one process too; both kinds conflict with each other, so a
// program using classic locks on the file is excluded as well.

#include <cstddef>
#include <string>
#include <string_view>

#include "platform/Exception.h"

namespace platform {

// Windows' codes of the file failures the program reports by name.
constexpr int kErrorFileNotFound = 2;
constexpr int kErrorPathNotFound = 3;  // shown as "Invalid filename"
constexpr int kErrorTooManyOpenFiles = 4;
constexpr int kErrorAccessDenied = 5;
constexpr int kErrorSharingViolation = 32;
constexpr int kErrorDiskFull = 101;
// The device failed (EIO, whose own number 5 would wrongly say "File access denied").
constexpr int kErrorIoDevice = 1117;

// An input/output failure: the code says what went wrong and picks the message.
class EInOutError : public Exception {
 public:
  explicit EInOutError(int code) : Exception(InOutErrorMessage(code)), code_(code) {}
  int ErrorCode() const { return code_; }

  // 2 "File not found", 3 "Invalid filename", 4 "Too many open files", 5 "File access denied",
  // 100 "Read beyond end of file", 101 "Disk full", 106 "Invalid numeric input", any other
  // "I/O error <code>".
  static std::string InOutErrorMessage(int code);

 private:
  int code_;
};

// The one translation from errno to the code: ENOENT 2 (3 when the file's folder is missing too,
// as Windows tells a missing path from a missing file); ENOTDIR, ENAMETOOLONG, EINVAL 3; EMFILE,
// ENFILE 4; EACCES, EPERM, EROFS and EISDIR 5 (Windows refuses to open a folder as a file with
// "access denied"); ENOSPC, EDQUOT 101; EIO 1117; any other its own number. `path` is the file the
// failed call was about; it is only looked at for ENOENT.
int InOutErrorCode(int errnoValue, const std::string& path);
[[noreturn]] void RaiseInOutError(int errnoValue, const std::string& path);

// The folder of the running executable (from /proc/self/exe) with a trailing "/". It is read anew
// at every call; the working directory plays no part.
std::string ExecutableFolder();

// Makes the folder (ending with "/" or not) and the folders above it that are missing, each new
// one readable by its owner alone (a user's configuration is nobody else's business). A folder
// that exists already is left as it is. Raises EInOutError when one cannot be made.
void MakeFolders(const std::string& folder);

// A regular file opened for reading under a shared lock, held until the reader is destroyed.
// Opening fails with 3 when the path is longer than PATH_MAX allows (or holds a zero byte), with
// 32 while another copy of the program is replacing the file, with 5 when the path names a folder
// or anything other than a regular file (a pipe or a device would never end), and otherwise with
// the mapped error of the failed call.
class SharedFileReader {
 public:
  explicit SharedFileReader(const std::string& path);
  ~SharedFileReader();
  SharedFileReader(const SharedFileReader&) = delete;
  SharedFileReader& operator=(const SharedFileReader&) = delete;

  // Reads up to `size` bytes; 0 at the end of the file.
  size_t Read(void* buffer, size_t size);
  // The file's size when it was opened.
  size_t Size() const { return size_; }

 private:
  std::string path_;
  int fd_ = -1;
  size_t size_ = 0;
};

// The whole file, read under a shared lock. A file larger than maxBytes raises EOutOfResources
// before anything is allocated for it.
std::string ReadFileShared(const std::string& path, size_t maxBytes);

// Replaces the file at `path` by `bytes`, or creates it, without ever leaving a partial file:
//  1. takes an exclusive lock on the existing file, opened for writing, which also refuses a
//     file the user may not write (code 5), as overwriting it in place would; a rename alone
//     would replace a read-only file in a writable folder;
//  2. writes the bytes to a new file in the same folder that has no name yet (O_TMPFILE; where
//     the file system cannot do that, a file named ".<name>.XXXXXX.tmp" from the
//     start), flushes it to
//     disk and gives it the existing file's permissions (and, where allowed, its owner);
//  3. names it ".<name>.XXXXXX.tmp", renames it over the old file at once, then flushes the folder.
// A symbolic link is followed: the file it points to is replaced in its own folder and the link
// stays (a link to nothing fails as a missing file). On any failure the new file is removed, the
// old file stays as it was, and EInOutError carries the mapped code (5 for a read-only file or
// folder, 101 when the disk is full, 32 while another copy reads or replaces the file).
// A process killed in the middle leaves the old or the new file, whole, and nothing else, except
// when killed in the instant between steps 3's naming and renaming (Linux cannot link a file over
// another): the hidden file then holds the new contents whole, and the next save removes it.
void AtomicWriteFile(const std::string& path, std::string_view bytes);

// Removes what killed saves of path left beside it, as the next save would: hidden files of the
// names above that no save holds locked (where unnamed files are not available, a save killed
// before its file was full leaves such a file empty or partial). Best effort; never fails.
void RemoveAbandonedSaves(const std::string& path);

}  // namespace platform
