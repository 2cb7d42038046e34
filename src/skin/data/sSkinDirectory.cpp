#include "skin/data/sSkinDirectory.h"

#include <filesystem>
#include <system_error>
#include <utility>

#include "platform/files/Files.h"
#include "platform/files/ProgramFolders.h"
#include "skin/data/sStrUtils.h"

namespace skin {

namespace {

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

bool IsLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

// The folder above one that ends with a separator: its last name removed, the separator before it
// kept. A folder with no name left to remove stays as it is.
std::string ParentFolder(std::string_view folder) {
  size_t end = folder.size();
  while (end > 0 && IsSeparator(folder[end - 1])) --end;
  size_t start = end;
  while (start > 0 && !IsSeparator(folder[start - 1])) --start;
  if (start == 0) return std::string(folder);
  return std::string(folder.substr(0, start));
}

}  // namespace

std::optional<std::string> ApplicationFolder() {
  try {
    return platform::ExecutableFolder();
  } catch (const platform::EInOutError&) {
    return std::nullopt;
  }
}

std::string ResolveSkinDirectory(std::string_view value, std::string_view appFolder) {
  std::string result;
  if (value.substr(0, 2) == "..")
    result = ParentFolder(appFolder) + std::string(value.size() > 3 ? value.substr(3) : "");
  else if (value.substr(0, 2) == ".\\" || value.substr(0, 2) == "./")
    result = std::string(appFolder) + std::string(value.substr(2));
  // A lone letter is a drive and an empty value names nothing: rule 4 gives them their own
  // results, which it could never see if they were put after the application folder. A value
  // from the root ("/home/ann/Skins") is as absolute here as one with a drive is on Windows.
  else if (value.size() >= 2 && value.find(':') == std::string_view::npos && value.front() != '/')
    result = std::string(appFolder) + std::string(value);
  else
    result = std::string(value);

  if (result.empty() || result.back() == '\\') return result;
  if (result.back() == '/') {
    result.back() = '\\';
    return result;
  }
  if (result.size() == 1) return result + ":\\";
  return result + "\\";
}

std::string PlatformPath(std::string_view path) {
  if (path.size() >= 2 && IsLetter(path[0]) && path[1] == ':') path.remove_prefix(2);
  std::string result(path);
  for (char& c : result)
    if (c == '\\') c = '/';
  return result;
}

std::vector<std::string> SkinFolderRoots(std::string_view skinDirectory) {
  const std::optional<std::string> appFolder = ApplicationFolder();
  if (!appFolder) return {};
  const std::string resolved = ResolveSkinDirectory(skinDirectory, *appFolder);
  if (resolved.empty()) return {};
  std::string folder = PlatformPath(resolved);
  if (UpperCase(folder) == "/SKINS/") return platform::SkinFolders();
  return {std::move(folder)};
}

std::string SkinFilePath(std::string_view name, std::string_view skinPath) {
  // "\BG.BMP" lies in the skin's folder, as every name without a drive does; only this
  // platform's own root ("/") makes a name absolute.
  const bool absolute =
      name.find(':') != std::string_view::npos || (!name.empty() && name.front() == '/');
  return PlatformPath(absolute ? std::string(name) : std::string(skinPath) + std::string(name));
}

std::string FindSkinFile(const std::string& path) {
  namespace fs = std::filesystem;
  std::error_code error;
  if (path.empty() || fs::exists(path, error)) return path;
  const fs::path written(path);
  fs::path found = written.root_path();
  for (const fs::path& part : written.relative_path()) {
    const std::string name = part.string();
    const fs::path exact = found / part;
    if (name.empty() || name == "." || name == ".." || fs::exists(exact, error)) {
      found = exact;
      continue;
    }
    // Of several names that differ only in letter case, the first in byte order, so that the
    // same folder always gives the same picture.
    std::string match;
    for (fs::directory_iterator entry(found.empty() ? fs::path(".") : found, error), end;
         !error && entry != end; entry.increment(error)) {
      const std::string candidate = entry->path().filename().string();
      if (SameText(candidate, name) && (match.empty() || candidate < match)) match = candidate;
    }
    if (match.empty()) return path;
    found /= match;
  }
  return found.string();
}

}  // namespace skin
