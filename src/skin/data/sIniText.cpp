#include "skin/data/sIniText.h"

#include "skin/data/sStrUtils.h"

namespace skin {

std::optional<std::string> TsIniSection::Value(std::string_view key) const {
  for (const auto& [name, value] : Keys)
    if (SameText(name, key)) return value;
  return std::nullopt;
}

TsIniText::TsIniText(const std::vector<std::string>& lines) {
  TsIniSection* open = nullptr;
  for (std::string_view line : lines) {
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (line.empty() || line.front() == ';') continue;
    if (line.size() >= 2 && line.front() == '[' && line.back() == ']') {
      const std::string_view name = line.substr(1, line.size() - 2);
      open = nullptr;
      for (TsIniSection& section : sections_)
        if (SameText(section.Name, name)) open = &section;
      if (!open) {
        sections_.push_back({std::string(name), {}});
        open = &sections_.back();
      }
      continue;
    }
    if (!open) continue;
    const size_t equals = line.find('=');
    if (equals == std::string_view::npos) continue;
    open->Keys.emplace_back(std::string(line.substr(0, equals)),
                            std::string(line.substr(equals + 1)));
  }
}

}  // namespace skin
