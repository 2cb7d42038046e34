#include "app/SnippetLocation.h"

#include <sys/stat.h>

#include <cstdio>
#include <filesystem>
#include <utility>

#include "platform/Exception.h"
#include "platform/files/Files.h"
#include "platform/files/ProgramFolders.h"

namespace app {

namespace {

std::optional<TSnippetLocation> chosen;

// Something of that name is there (a link to nothing too: the load then says what is wrong).
bool Present(const std::string& path) {
  struct stat info;
  return ::lstat(path.c_str(), &info) == 0;
}

std::string FolderOf(const std::string& path) { return path.substr(0, path.rfind('/') + 1); }

void CopyExamples(const std::string& examples, const std::string& userFolder,
                  const std::string& target) {
  try {
    const std::string bytes = platform::ReadFileShared(examples, kMaxSnippetTextBytes);
    platform::MakeFolders(userFolder);
    platform::AtomicWriteFile(target, bytes);
  } catch (const platform::Exception& e) {
    std::fprintf(stderr, "snipwell: cannot copy the example snippets %s to %s: %s\n",
                 examples.c_str(), target.c_str(), e.what());
  }
}

}  // namespace

TSnippetLocation ChooseSnippetLocation(const std::optional<std::string>& configOption,
                                       const std::string& besideProgram,
                                       const std::string& userFolder, const std::string& examples) {
  if (configOption) {
    // Made absolute now, so that the run keeps naming the same file whatever happens later.
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::absolute(*configOption, error);
    return {error ? *configOption : absolute.string(), false};
  }
  const std::string beside = besideProgram + kSnippetFileName;
  if (!besideProgram.empty() && (Present(beside) || userFolder.empty())) return {beside, false};
  const std::string own = userFolder + kSnippetFileName;
  if (!Present(own) && !examples.empty() && Present(examples))
    CopyExamples(examples, userFolder, own);
  return {own, true};
}

TSnippetLocation ChooseSnippetLocation(const std::optional<std::string>& configOption) {
  std::string besideProgram;
  try {
    besideProgram = platform::ExecutableFolder();
  } catch (const platform::EInOutError&) {
    // No folder of its own to look in; the user's file is the one.
  }
  const std::string installed = platform::InstalledDataFolder();
  return ChooseSnippetLocation(configOption, besideProgram, platform::UserConfigFolder(),
                               installed.empty() ? std::string() : installed + kSnippetFileName);
}

int LoadSnippets(const TSnippetLocation& location, TSnippets& fields) {
  try {
    return LoadSnippetFile(location.Path, fields);
  } catch (const platform::EInOutError& e) {
    if (location.MakeFolder && e.ErrorCode() == platform::kErrorPathNotFound &&
        !Present(FolderOf(location.Path)))
      throw platform::EInOutError(platform::kErrorFileNotFound);
    throw;
  }
}

void SaveSnippets(const TSnippetLocation& location, const TSnippets& fields) {
  if (location.MakeFolder) platform::MakeFolders(FolderOf(location.Path));
  SaveSnippetFile(location.Path, fields);
}

void UseSnippetLocation(std::optional<TSnippetLocation> location) { chosen = std::move(location); }

TSnippetLocation CurrentSnippetLocation() {
  if (chosen) return *chosen;
  return {SnippetFilePath(), false};
}

}  // namespace app
