#include "platform/files/Files.h"

#include <gtest/gtest.h>
#include <sched.h>
#include <signal.h>
#include <sys/mman.h>
#include <sys/mount.h>
#include <sys/resource.h>

#include <atomic>
#include <chrono>
#include <climits>
#include <cstdio>
#include <ctime>
#include <random>

#include "tests/platform/files/FileTestSupport.h"

namespace platform {
namespace {

using filetest::Entries;
using filetest::InChild;
using filetest::Outcome;
using filetest::ReadBytes;
using filetest::TempFolder;
using filetest::WriteBytes;

using Names = std::vector<std::string>;

mode_t ModeOf(const std::string& path) {
  struct stat info;
  return ::stat(path.c_str(), &info) == 0 ? (info.st_mode & 07777) : 0;
}

// In a child: a private mount namespace (so nothing leaks to the host) with a tmpfs on `folder`.
bool MountTmpfs(const std::string& folder, const char* options) {
  return ::unshare(CLONE_NEWNS) == 0 &&
         ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0 &&
         ::mount("tmpfs", folder.c_str(), "tmpfs", 0, options) == 0;
}

TEST(FilesTest, MessagesFollowTheCodes) {
  EXPECT_EQ(EInOutError(2).Message(), "File not found");
  EXPECT_EQ(EInOutError(3).Message(), "Invalid filename");
  EXPECT_EQ(EInOutError(4).Message(), "Too many open files");
  EXPECT_EQ(EInOutError(5).Message(), "File access denied");
  EXPECT_EQ(EInOutError(100).Message(), "Read beyond end of file");
  EXPECT_EQ(EInOutError(101).Message(), "Disk full");
  EXPECT_EQ(EInOutError(106).Message(), "Invalid numeric input");
  EXPECT_EQ(EInOutError(32).Message(), "I/O error 32");
  EXPECT_EQ(EInOutError(32).ErrorCode(), 32);
}

TEST(FilesTest, ErrnoValuesMapToWindowsCodes) {
  TempFolder folder;
  const std::string file = folder / "x";
  const std::pair<int, int> table[] = {{ENOTDIR, 3}, {ENAMETOOLONG, 3}, {EINVAL, 3},   {EMFILE, 4},
                                       {ENFILE, 4},  {EACCES, 5},       {EPERM, 5},    {EROFS, 5},
                                       {EISDIR, 5},  {ENOSPC, 101},     {EDQUOT, 101}, {EIO, 1117},
                                       {EFBIG, 27},  {ETXTBSY, 26},     {ELOOP, ELOOP}};
  for (const auto& [error, code] : table) EXPECT_EQ(InOutErrorCode(error, file), code) << error;
  // A missing file in an existing folder is "not found"; a missing folder is a bad path.
  EXPECT_EQ(InOutErrorCode(ENOENT, file), 2);
  EXPECT_EQ(InOutErrorCode(ENOENT, folder / "gone/x"), 3);
}

TEST(FilesTest, ExecutableFolderIsTheProgramsOwnFolderWhateverTheWorkingDirectory) {
  const std::filesystem::path before = std::filesystem::current_path();
  std::filesystem::current_path("/");
  const std::string folder = ExecutableFolder();
  std::filesystem::current_path(before);
  ASSERT_FALSE(folder.empty());
  EXPECT_EQ(folder.front(), '/');
  EXPECT_EQ(folder.back(), '/');
  EXPECT_EQ(folder, ExecutableFolder());
  struct stat self;
  ASSERT_EQ(::stat("/proc/self/exe", &self), 0);
  bool found = false;
  for (const std::string& name : Entries(folder)) {
    struct stat info;
    if (::stat((folder + name).c_str(), &info) == 0 && info.st_ino == self.st_ino &&
        info.st_dev == self.st_dev)
      found = true;
  }
  EXPECT_TRUE(found) << folder << " does not hold the running program";
}

TEST(FilesTest, ReadingGivesEveryByteAndRefusesWhatIsNotAFile) {
  TempFolder folder;
  std::string bytes(200000, 'x');
  for (size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<char>(i * 7);  // zeros too
  WriteBytes(folder / "data", bytes);
  EXPECT_EQ(ReadFileShared(folder / "data", bytes.size()), bytes);
  EXPECT_THROW(ReadFileShared(folder / "data", bytes.size() - 1), EOutOfResources);

  WriteBytes(folder / "plain", "");
  std::filesystem::create_directory(folder / "dir");
  ASSERT_EQ(::mkfifo((folder / "fifo").c_str(), 0644), 0);
  const auto read = [](const std::string& path) {
    return Outcome([&] { ReadFileShared(path, 1000); });
  };
  EXPECT_EQ(read(folder / "plain"), "ok");
  EXPECT_EQ(read(folder / "missing"), "2 File not found");
  EXPECT_EQ(read(folder / "gone/Config.txt"), "3 Invalid filename");
  EXPECT_EQ(read(folder / "plain/Config.txt"), "3 Invalid filename");
  EXPECT_EQ(read(folder / "dir"), "5 File access denied");
  EXPECT_EQ(read(folder / "fifo"), "5 File access denied");  // and does not wait for a writer
  EXPECT_EQ(read(std::string(PATH_MAX, '/') + "x"), "3 Invalid filename");
  EXPECT_EQ(read(folder / std::string("da\0ta", 5)), "3 Invalid filename");
}

TEST(FilesTest, WritingReplacesTheFileWithExactlyTheBytesAndKeepsItsPermissions) {
  TempFolder folder;
  const std::string path = folder / "Config.txt";
  const mode_t umaskBefore = ::umask(027);
  AtomicWriteFile(path, std::string("new\0file\r\n", 10));
  ::umask(umaskBefore);
  EXPECT_EQ(ReadBytes(path), std::string("new\0file\r\n", 10));
  EXPECT_EQ(ModeOf(path), 0640u) << "a created file follows the umask";

  ASSERT_EQ(::chmod(path.c_str(), 0604), 0);
  AtomicWriteFile(path, "second");
  EXPECT_EQ(ReadBytes(path), "second");
  EXPECT_EQ(ModeOf(path), 0604u);
  AtomicWriteFile(path, "");
  EXPECT_EQ(ReadBytes(path), "");
  EXPECT_EQ(Entries(folder.Path()), Names{"Config.txt"}) << "no temporary file is left";
}

TEST(FilesTest, WritingThroughASymbolicLinkReplacesItsTargetAndKeepsTheLink) {
  TempFolder real, linked;
  WriteBytes(real / "Config.txt", "old");
  std::filesystem::create_symlink(real / "Config.txt", linked / "Config.txt");
  AtomicWriteFile(linked / "Config.txt", "new");
  EXPECT_EQ(ReadBytes(real / "Config.txt"), "new");
  EXPECT_TRUE(std::filesystem::is_symlink(linked / "Config.txt"));
  EXPECT_EQ(Entries(real.Path()), Names{"Config.txt"});
}

TEST(FilesTest, WritingToABadPathFailsAndLeavesNothing) {
  TempFolder folder;
  WriteBytes(folder / "plain", "keep");
  std::filesystem::create_directory(folder / "dir");
  const auto write = [](const std::string& path) {
    return Outcome([&] { AtomicWriteFile(path, "bytes"); });
  };
  EXPECT_EQ(write(folder / "gone/Config.txt"), "3 Invalid filename");
  EXPECT_EQ(write(folder / "plain/Config.txt"), "3 Invalid filename");
  EXPECT_EQ(write(folder / "dir"), "5 File access denied");
  EXPECT_EQ(write(std::string(PATH_MAX, '/') + "x"), "3 Invalid filename");
  EXPECT_TRUE(std::filesystem::is_directory(folder / "dir"));
  EXPECT_EQ(ReadBytes(folder / "plain"), "keep");
  EXPECT_EQ(Entries(folder.Path()), (Names{"dir", "plain"}));
}

// Root may write anything, so the permission cases run as "nobody" in a child.
TEST(FilesTest, ReadOnlyFilesAndFoldersAreRefusedWithAccessDenied) {
  if (::geteuid() != 0) GTEST_SKIP() << "setting files up for user nobody needs root";
  TempFolder own, locked;
  ASSERT_EQ(::chown(own.Path().c_str(), filetest::kNobody, filetest::kNobody), 0);
  const std::string readOnly = own / "Config.txt";
  WriteBytes(readOnly, "old");
  ASSERT_EQ(::chown(readOnly.c_str(), filetest::kNobody, filetest::kNobody), 0);
  ASSERT_EQ(::chmod(readOnly.c_str(), 0444), 0);
  const std::string unreadable = own / "secret";
  WriteBytes(unreadable, "x");
  ASSERT_EQ(::chown(unreadable.c_str(), filetest::kNobody, filetest::kNobody), 0);
  ASSERT_EQ(::chmod(unreadable.c_str(), 0), 0);
  // A writable file in a folder the user may not write: replacing it needs the folder.
  const std::string inLockedFolder = locked / "Config.txt";
  WriteBytes(inLockedFolder, "old");
  ASSERT_EQ(::chmod(inLockedFolder.c_str(), 0666), 0);

  const std::string results = InChild([&] {
    if (!filetest::BecomeNobody()) return std::string("no nobody");
    return Outcome([&] { AtomicWriteFile(readOnly, "new"); }) + "|" +
           Outcome([&] { AtomicWriteFile(inLockedFolder, "new"); }) + "|" +
           Outcome([&] { AtomicWriteFile(locked / "other.txt", "new"); }) + "|" +
           Outcome([&] { ReadFileShared(unreadable, 10); }) + "|" +
           Outcome([&] { ReadFileShared(readOnly, 10); }) + "|" +
           Outcome([&] { AtomicWriteFile(own / "mine.txt", "mine"); });
  });
  if (results == "no nobody") GTEST_SKIP() << "cannot switch to user nobody";
  EXPECT_EQ(results,
            "5 File access denied|5 File access denied|5 File access denied|"
            "5 File access denied|ok|ok");
  EXPECT_EQ(ReadBytes(readOnly), "old");
  EXPECT_EQ(ReadBytes(inLockedFolder), "old");
  EXPECT_EQ(Entries(own.Path()), (Names{"Config.txt", "mine.txt", "secret"}));
  EXPECT_EQ(Entries(locked.Path()), Names{"Config.txt"});
}

TEST(FilesTest, AFullDiskKeepsTheOldFileAndFreesTheSpace) {
  TempFolder folder;
  const std::string path = folder / "Config.txt";
  const std::string results = InChild([&] {
    if (!MountTmpfs(folder.Path(), "size=64k")) return std::string("no mount");
    WriteBytes(path, "old\r\n");
    const std::string full = Outcome([&] { AtomicWriteFile(path, std::string(1 << 20, 'n')); });
    const std::string old = ReadBytes(path);
    std::string names;
    for (const std::string& name : Entries(folder.Path())) names += name + ";";
    // The failed attempt's blocks were given back: a save that fits now succeeds.
    const std::string fits = Outcome([&] { AtomicWriteFile(path, std::string(40000, 'f')); });
    return full + "|" + old + "|" + names + "|" + fits;
  });
  if (results == "no mount") GTEST_SKIP() << "cannot mount a small tmpfs here";
  EXPECT_EQ(results, "101 Disk full|old\r\n|Config.txt;|ok");
}

TEST(FilesTest, AReadOnlyFileSystemIsAccessDenied) {
  TempFolder folder;
  const std::string path = folder / "Config.txt";
  const std::string results = InChild([&] {
    if (!MountTmpfs(folder.Path(), "size=64k")) return std::string("no mount");
    WriteBytes(path, "old");
    if (::mount(nullptr, folder.Path().c_str(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr) != 0)
      return std::string("no mount");
    return Outcome([&] { AtomicWriteFile(path, "new"); }) + "|" + ReadFileShared(path, 10);
  });
  if (results == "no mount") GTEST_SKIP() << "cannot mount a tmpfs here";
  EXPECT_EQ(results, "5 File access denied|old");
}

// A write that stops part-way through (here at the file size limit) must not touch the old file.
TEST(FilesTest, AWriteFailingPartWayLeavesTheOldFileWhole) {
  TempFolder folder;
  const std::string path = folder / "Config.txt";
  WriteBytes(path, "old contents");
  const std::string result = InChild([&] {
    ::signal(SIGXFSZ, SIG_IGN);
    const rlimit limit = {16384, 16384};
    if (::setrlimit(RLIMIT_FSIZE, &limit) != 0) return std::string("no limit");
    return Outcome([&] { AtomicWriteFile(path, std::string(1 << 20, 'n')); });
  });
  EXPECT_EQ(result, "27 I/O error 27");
  EXPECT_EQ(ReadBytes(path), "old contents");
  EXPECT_EQ(Entries(folder.Path()), Names{"Config.txt"});
}

TEST(FilesTest, RunningOutOfDescriptorsIsTooManyOpenFiles) {
  TempFolder folder;
  WriteBytes(folder / "Config.txt", "x");
  const std::string result = InChild([&] {
    const int lowestFree = ::open("/dev/null", O_RDONLY);
    ::close(lowestFree);
    const rlimit limit = {static_cast<rlim_t>(lowestFree), static_cast<rlim_t>(lowestFree)};
    if (::setrlimit(RLIMIT_NOFILE, &limit) != 0) return std::string("no limit");
    return Outcome([&] { ReadFileShared(folder / "Config.txt", 10); }) + "|" +
           Outcome([&] { AtomicWriteFile(folder / "Config.txt", "y"); });
  });
  EXPECT_EQ(result, "4 Too many open files|4 Too many open files");
  EXPECT_EQ(ReadBytes(folder / "Config.txt"), "x");
}

TEST(FilesTest, AnotherCopysLocksAreSharingViolations) {
  TempFolder folder;
  const std::string path = folder / "Config.txt";
  WriteBytes(path, "old");
  const auto read = [&] { return Outcome([&] { ReadFileShared(path, 10); }); };
  const auto write = [&] { return Outcome([&] { AtomicWriteFile(path, "new"); }); };
  {
    filetest::LockHolder saving(path, F_WRLCK);
    ASSERT_TRUE(saving.Locked());
    EXPECT_EQ(read(), "32 I/O error 32");
    EXPECT_EQ(write(), "32 I/O error 32");
  }
  {
    filetest::LockHolder loading(path, F_RDLCK);
    ASSERT_TRUE(loading.Locked());
    EXPECT_EQ(read(), "ok") << "readers share";
    EXPECT_EQ(write(), "32 I/O error 32");
  }
  EXPECT_EQ(ReadBytes(path), "old");
  EXPECT_EQ(Entries(folder.Path()), Names{"Config.txt"});
  EXPECT_EQ(write(), "ok");
  EXPECT_EQ(ReadBytes(path), "new");
}

// One copy saves over and over while this one loads: every load sees one whole version or is
// told to wait (32), never a mixture, and the saver's lock is really seen.
TEST(FilesTest, LoadsBesideAnotherCopysSavesSeeWholeFilesOrFailWith32) {
  TempFolder folder;
  const std::string path = folder / "Config.txt";
  const std::string a(300000, 'a'), b(200000, 'b');
  WriteBytes(path, a);
  const pid_t saver = ::fork();
  ASSERT_GE(saver, 0);
  if (saver == 0) {
    int saved = 0;
    for (int i = 0; saved < 20 && i < 100000; ++i) {
      try {
        AtomicWriteFile(path, saved % 2 == 0 ? b : a);
        ++saved;
      } catch (const EInOutError&) {
        // The loader holds its shared lock just now: the next round tries again.
      }
    }
    ::_exit(saved);
  }
  int whole = 0, refused = 0, other = 0, status = 0;
  while (::waitpid(saver, &status, WNOHANG) == 0) {
    try {
      const std::string got = ReadFileShared(path, 1 << 20);
      (got == a || got == b ? whole : other)++;
    } catch (const EInOutError& e) {
      (e.ErrorCode() == 32 ? refused : other)++;
    }
    // Leave the saver moments without a reader, or it would rarely get its lock at all.
    const timespec pause = {0, 200000};
    ::nanosleep(&pause, nullptr);
  }
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 20) << "saves did not get through beside the loads";
  EXPECT_EQ(other, 0);
  EXPECT_GT(whole, 0);
  EXPECT_GT(refused, 0) << "no load ever met the saver's exclusive lock";
  EXPECT_EQ(Entries(folder.Path()), Names{"Config.txt"});
}

// A save killed at any instant leaves the old or the new file, whole, and nothing beside it. The
// saver marks in shared memory when it is inside a save, so the test knows its kills hit saves
// under way; the kill's moment is spread over three saves' time, measured here first.
TEST(FilesTest, ASaveKilledAtAnyInstantLeavesAWholeFileAndNothingElse) {
  // A sanitized process forks slowly; fewer rounds keep its run within the test's time.
#ifdef __SANITIZE_ADDRESS__
  constexpr int kRounds = 250;
#else
  constexpr int kRounds = 1000;
#endif
  TempFolder folder;
  const std::string path = folder / "Config.txt";
  const std::string a(48 << 10, 'a'), b(64 << 10, 'b');
  const auto start = std::chrono::steady_clock::now();
  for (int i = 0; i < 5; ++i) AtomicWriteFile(path, i % 2 == 0 ? b : a);
  const auto saveTime = (std::chrono::steady_clock::now() - start) / 5;
  const long spreadNs = std::max<long>(
      200000, 3 * std::chrono::duration_cast<std::chrono::nanoseconds>(saveTime).count());

  auto* saving = static_cast<std::atomic<int>*>(::mmap(nullptr, sizeof(std::atomic<int>),
                                                       PROT_READ | PROT_WRITE,
                                                       MAP_SHARED | MAP_ANONYMOUS, -1, 0));
  ASSERT_NE(saving, MAP_FAILED);
  std::mt19937 random(12345);
  int sawOld = 0, sawNew = 0, killedInSave = 0, namedButNotRenamed = 0;
  for (int round = 0; round < kRounds; ++round) {
    saving->store(0);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      try {
        for (int i = 0;; ++i) {
          saving->store(1);
          AtomicWriteFile(path, i % 2 == 0 ? b : a);
          saving->store(0);
        }
      } catch (...) {
        ::_exit(1);
      }
    }
    const timespec pause = {0, static_cast<long>(random() % static_cast<unsigned long>(spreadNs))};
    ::nanosleep(&pause, nullptr);
    ::kill(child, SIGKILL);
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status)) << "round " << round << ": the saver failed by itself";
    killedInSave += saving->load();

    const std::string got = ReadBytes(path);
    ASSERT_TRUE(got == a || got == b) << "round " << round << ": " << got.size() << " bytes";
    (got == a ? sawOld : sawNew)++;
    const Names names = Entries(folder.Path());
    if (names.size() > 1) {
      // Only the instant between naming the complete file and renaming it can leave a name, and
      // then the whole new contents under it, which the next save clears away.
      ASSERT_EQ(names.size(), 2u) << "round " << round;
      ASSERT_EQ(names[0].rfind(".Config.txt.", 0), 0u) << names[0];
      const std::string left = ReadBytes(folder / names[0]);
      ASSERT_TRUE(left == a || left == b) << "round " << round << ": a partial file was left";
      ++namedButNotRenamed;
    }
  }
  ::munmap(saving, sizeof(std::atomic<int>));
  AtomicWriteFile(path, a);
  EXPECT_EQ(Entries(folder.Path()), Names{"Config.txt"});
  EXPECT_GT(sawOld, 0);
  EXPECT_GT(sawNew, 0);
  EXPECT_GT(killedInSave, kRounds / 10) << "too few kills came in the middle of a save";
  std::printf("kills inside a save: %d of %d; left named between naming and renaming: %d\n",
              killedInSave, kRounds, namedButNotRenamed);
}

// What a killed save may leave (a hidden file nobody holds locked) goes with the next save; a
// save under way, another copy's, keeps its file, and other files keep theirs.
TEST(FilesTest, TheNextSaveRemovesWhatAKilledSaveLeftButNotASaveUnderWay) {
  TempFolder folder;
  const std::string path = folder / "Config.txt";
  WriteBytes(path, "old");
  WriteBytes(folder / ".Config.txt.Abc123.tmp", "new, never renamed");
  WriteBytes(folder / ".Config.txt.Live99.tmp", "another copy is saving");
  WriteBytes(folder / ".Config.txt.backup", "the user's own");
  WriteBytes(folder / ".Other.txt.Abc123.tmp", "not ours");
  filetest::LockHolder underWay(folder / ".Config.txt.Live99.tmp", F_WRLCK);
  ASSERT_TRUE(underWay.Locked());
  AtomicWriteFile(path, "new");
  EXPECT_EQ(ReadBytes(path), "new");
  EXPECT_EQ(Entries(folder.Path()), (Names{".Config.txt.Live99.tmp", ".Config.txt.backup",
                                           ".Other.txt.Abc123.tmp", "Config.txt"}));
}

}  // namespace
}  // namespace platform
