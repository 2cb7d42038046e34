#include "app/SingleInstance.h"

#include <filesystem>
#include <system_error>

#include "platform/Backend.h"

namespace app {

namespace {

// A running copy that ends just as it is found is looked for again; after this many in a row the
// start runs as the desktop's copy itself.
constexpr int kAttempts = 3;

}  // namespace

std::string FullSnippetPath(const std::string& path) {
  if (path.empty()) return path;
  std::error_code error;
  std::filesystem::path full = std::filesystem::absolute(path, error);
  if (error) return path;
  std::filesystem::path resolved = std::filesystem::weakly_canonical(full, error);
  return (error ? full.lexically_normal() : resolved).string();
}

std::optional<TSecondStart> ClaimSingleInstance(const std::string& snippetFile,
                                                TSnippetFileChoice choice) {
  platform::Backend& desktop = platform::CurrentBackend();
  const std::string ours = FullSnippetPath(snippetFile);
  for (int attempt = 0; attempt < kAttempts; ++attempt) {
    const std::optional<std::string> theirs = desktop.ClaimInstance(ours);
    if (!theirs) return std::nullopt;
    if (choice == TSnippetFileChoice::Named && *theirs != ours) {
      return TSecondStart{"snipwell: already running on this display with " + *theirs +
                              "; end it before starting with " + ours,
                          1};
    }
    if (desktop.RaiseRunningInstance()) {
      return TSecondStart{"snipwell: already running on this display; its bar was raised", 0};
    }
  }
  return std::nullopt;
}

}  // namespace app
