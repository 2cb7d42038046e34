#include "skin/data/sIniText.h"

#include "skin/data/sStrUtils.h"

namespace skin {

namespace {

// Blanks as the INI readers these files come from skip them: spaces and tabs.
std::string_view TrimBlanks(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  return text;
}

}  // namespace

std::optional<std::string> TsIniSection::Value(std::string_view key) const {
  if (const std::string* value = Find(key)) return *value;
  return std::nullopt;
}

const std::string* TsIniSection::Find(std::string_view key) const {
  for (const auto& [name, value] : Keys)
    if (SameText(name, key)) return &value;
  return nullptr;
}

TsIniText::TsIniText(const std::vector<std::string>& lines) {
  for (std::string_view line : lines) AddLine(line);
}

void TsIniText::AddLine(std::string_view line) {
  if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
  line = TrimBlanks(line);
  if (line.empty() || line.front() == ';') return;
  if (line.size() >= 2 && line.front() == '[' && line.back() == ']') {
    const std::string_view name = TrimBlanks(line.substr(1, line.size() - 2));
    const auto [at, added] = byName_.try_emplace(UpperCase(name), sections_.size());
    if (added) sections_.push_back({std::string(name), {}});
    open_ = at->second;
    return;
  }
  if (open_ == SIZE_MAX) return;
  const size_t equals = line.find('=');
  if (equals == std::string_view::npos) return;
  sections_[open_].Keys.emplace_back(std::string(TrimBlanks(line.substr(0, equals))),
                                     std::string(TrimBlanks(line.substr(equals + 1))));
}

TsIniText TsIniText::FromText(std::string_view text) {
  if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
  TsIniText ini;
  while (!text.empty()) {
    const size_t end = text.find('\n');
    ini.AddLine(text.substr(0, end));
    if (end == std::string_view::npos) break;
    text.remove_prefix(end + 1);
  }
  return ini;
}

}  // namespace skin
