#include "skin/data/sIniText.h"

#include <unordered_map>

#include "skin/data/sStrUtils.h"

namespace skin {

std::optional<std::string> TsIniSection::Value(std::string_view key) const {
  for (const auto& [name, value] : Keys)
    if (SameText(name, key)) return value;
  return std::nullopt;
}

TsIniText::TsIniText(const std::vector<std::string>& lines) {
  TsIniSection* open = nullptr;
  // Sections by upper-cased name, so that a file of many sections is read in linear time.
  std::unordered_map<std::string, size_t> byName;
  for (std::string_view line : lines) {
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (line.empty() || line.front() == ';') continue;
    if (line.size() >= 2 && line.front() == '[' && line.back() == ']') {
      const std::string_view name = line.substr(1, line.size() - 2);
      const auto [at, added] = byName.try_emplace(UpperCase(name), sections_.size());
      if (added) sections_.push_back({std::string(name), {}});
      open = &sections_[at->second];
      continue;
    }
    if (!open) continue;
    const size_t equals = line.find('=');
    if (equals == std::string_view::npos) continue;
    open->Keys.emplace_back(std::string(line.substr(0, equals)),
                            std::string(line.substr(equals + 1)));
  }
}

TsIniText TsIniText::FromText(std::string_view text) {
  if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
  std::vector<std::string> lines;
  while (!text.empty()) {
    const size_t end = text.find('\n');
    lines.emplace_back(text.substr(0, end));
    if (end == std::string_view::npos) break;
    text.remove_prefix(end + 1);
  }
  return TsIniText(lines);
}

}  // namespace skin
