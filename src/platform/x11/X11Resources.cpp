#include "platform/x11/X11Resources.h"

namespace platform::x11 {

namespace {

std::string_view Trimmed(std::string_view text) {
  const auto first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  const auto last = text.find_last_not_of(" \t\r");
  return text.substr(first, last - first + 1);
}

}  // namespace

std::optional<std::string> FindResourceEntry(std::string_view database, std::string_view name) {
  while (!database.empty()) {
    const auto end = database.find('\n');
    const std::string_view line = database.substr(0, end);
    database = end == std::string_view::npos ? std::string_view() : database.substr(end + 1);
    const std::string_view entry = Trimmed(line);
    if (entry.empty() || entry.front() == '!') continue;
    const auto colon = entry.find(':');
    if (colon == std::string_view::npos || Trimmed(entry.substr(0, colon)) != name) continue;
    return std::string(Trimmed(entry.substr(colon + 1)));
  }
  return std::nullopt;
}

}  // namespace platform::x11
