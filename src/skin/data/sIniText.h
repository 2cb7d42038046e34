#pragma once
// INI text as skins write it (common sections, skin settings files): "[NAME]" opens a section,
// "KEY=value" lines belong to the open section, lines beginning with ";" are comments, and lines
// before the first section or without "=" are ignored. Section names and keys are matched without
// regard to ASCII letter case; the value is the rest of the line after the first "=". Blanks
// (spaces, tabs) around a line, around a section's name inside its brackets, and on either side of
// the first "=" are not part of anything, as in the INI readers these files are written for:
// "[EDIT] " opens EDIT, and " COLOR = 254" is COLOR with the value "254".
// A section named again continues the first one; of a key given twice the first value counts.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

namespace skin {

struct TsIniSection {
  std::string Name;                                       // as written between the brackets
  std::vector<std::pair<std::string, std::string>> Keys;  // in text order

  // The value of the first key equal to key (ignoring letter case), or nullopt.
  std::optional<std::string> Value(std::string_view key) const;
  // The same without a copy: null when there is no such key.
  const std::string* Find(std::string_view key) const;
};

class TsIniText {
 public:
  TsIniText() = default;
  explicit TsIniText(const std::vector<std::string>& lines);
  // The lines of a whole text (ends of line "\n" or "\r\n"; a UTF-8 byte-order mark in front is
  // not part of the first line).
  static TsIniText FromText(std::string_view text);

  // In the order they first appear.
  const std::vector<TsIniSection>& Sections() const { return sections_; }
  bool Empty() const { return sections_.empty(); }

 private:
  // Reads one line (without its "\n") into the sections.
  void AddLine(std::string_view line);

  std::vector<TsIniSection> sections_;
  // Sections by upper-cased name, so that a text of many sections is read in linear time.
  std::unordered_map<std::string, size_t> byName_;
  size_t open_ = SIZE_MAX;  // the section the lines belong to, SIZE_MAX before the first
};

}  // namespace skin
