#include "platform/files/ProgramFolders.h"

#include <pwd.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <string_view>

#include "platform/files/Files.h"

namespace platform {

namespace {

std::string WithSlash(std::string folder) {
  if (!folder.empty() && folder.back() != '/') folder += '/';
  return folder;
}

// An absolute folder from the environment, ending with "/"; empty for anything else.
std::string AbsoluteFolderFrom(const char* variable) {
  const char* value = std::getenv(variable);
  if (!value || value[0] != '/') return {};
  return WithSlash(value);
}

std::string BelowHome(std::string_view relative) {
  const std::string home = HomeFolder();
  return home.empty() ? std::string() : home + std::string(relative);
}

}  // namespace

std::string HomeFolder() {
  std::string home = AbsoluteFolderFrom("HOME");
  if (!home.empty()) return home;
  long size = ::sysconf(_SC_GETPW_R_SIZE_MAX);
  std::string buffer(size > 0 ? static_cast<size_t>(size) : 16384, '\0');
  passwd entry = {};
  passwd* found = nullptr;
  if (::getpwuid_r(::getuid(), &entry, buffer.data(), buffer.size(), &found) == 0 && found &&
      found->pw_dir && found->pw_dir[0] == '/')
    return WithSlash(found->pw_dir);
  return {};
}

std::string ConfigHome() {
  std::string folder = AbsoluteFolderFrom("XDG_CONFIG_HOME");
  return folder.empty() ? BelowHome(".config/") : folder;
}

std::string DataHome() {
  std::string folder = AbsoluteFolderFrom("XDG_DATA_HOME");
  return folder.empty() ? BelowHome(".local/share/") : folder;
}

std::vector<std::string> DataDirs() {
  std::vector<std::string> dirs;
  if (const char* value = std::getenv("XDG_DATA_DIRS")) {
    std::string_view rest(value);
    while (!rest.empty()) {
      const size_t colon = rest.find(':');
      const std::string_view entry = rest.substr(0, colon);
      if (!entry.empty() && entry.front() == '/') dirs.push_back(WithSlash(std::string(entry)));
      rest = colon == std::string_view::npos ? std::string_view() : rest.substr(colon + 1);
    }
  }
  if (dirs.empty()) dirs = {"/usr/local/share/", "/usr/share/"};
  return dirs;
}

std::string UserConfigFolder() {
  const std::string home = ConfigHome();
  return home.empty() ? std::string() : home + kProgramFolderName + "/";
}

std::string InstalledDataFolder() {
  std::string folder;
  try {
    folder = ExecutableFolder();
  } catch (const EInOutError&) {
    return {};
  }
  constexpr std::string_view kBin = "/bin/";
  if (!folder.ends_with(kBin)) return {};
  folder.resize(folder.size() - kBin.size() + 1);
  return folder + "share/" + kProgramFolderName + "/";
}

std::vector<std::string> SkinFolders() {
  std::vector<std::string> folders;
  const auto add = [&folders](const std::string& folder) {
    if (!folder.empty() && std::find(folders.begin(), folders.end(), folder) == folders.end())
      folders.push_back(folder);
  };
  const std::string skins = std::string(kProgramFolderName) + "/skins/";
  const std::string dataHome = DataHome();
  if (!dataHome.empty()) add(dataHome + skins);
  for (const std::string& dir : DataDirs()) add(dir + skins);
  try {
    add(ExecutableFolder() + "Skins/");
  } catch (const EInOutError&) {
    // A program whose own path cannot be expressed has no folder beside it to look in.
  }
  return folders;
}

}  // namespace platform
