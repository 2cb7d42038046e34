#pragma once
// The settings file: $XDG_CONFIG_HOME/snipwell/snipwell.ini (~/.config/snipwell/snipwell.ini),
// INI text a person may also write by hand:
//
//   [Skin]
//   Name=BluePlastic
//
// The rules, kept apart from the file in TSettingsText:
//  - "[Name]" opens a section; "Key=Value" lines belong to the section open above them; lines
//    before the first section, lines without "=", and comments (";" or "#" first) are no setting;
//  - section names and keys are matched without regard to ASCII letter case, and blanks around a
//    section name, a key and a value do not count;
//  - of a key given twice in a section (or a section given twice), the first counts;
//  - a setting changed by the program replaces the value of that first line and leaves every
//    other line, comment and blank as it stood; a new key goes after the section's last setting,
//    a new section at the end.
//
// Reading never fails: a missing, unreadable or malformed file reads as no settings, and the
// program goes on with its defaults. The file is written only when the user changes a setting,
// in one step (as the snippet file is), so that it is never left half written.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace app {

class TSettingsText {
 public:
  TSettingsText() = default;
  // Lines end at LF or CR LF; a UTF-8 byte-order mark in front is not part of the first line.
  explicit TSettingsText(std::string_view text);

  std::optional<std::string> Value(std::string_view section, std::string_view key) const;
  // A value holding a line break cannot be kept in one line: raises platform::Exception.
  void SetValue(std::string_view section, std::string_view key, std::string_view value);
  // The lines, each ended by LF.
  std::string Text() const;

 private:
  struct Setting {
    size_t Line;
    size_t ValueStart;  // where the value begins in its line (after "=" and blanks)
  };
  std::optional<Setting> Find(std::string_view section, std::string_view key) const;
  // The line after the last line of the first section of that name; npos without one.
  size_t SectionEnd(std::string_view section) const;

  std::vector<std::string> lines_;
};

class TSettings {
 public:
  // The settings file of the user: UserConfigFolder() + "snipwell.ini"; empty without a home.
  static std::string DefaultPath();

  // Reads the file at path; reads nothing for an empty path.
  explicit TSettings(std::string path = DefaultPath());

  std::optional<std::string> Value(std::string_view section, std::string_view key) const;
  // Sets the value and saves the file at once, over what the file holds now (another copy of the
  // program, or the user, may have changed it meanwhile), making its folder when missing. Raises
  // platform::EInOutError when the file cannot be written (or there is no path), and leaves the
  // file as it was; the value is set in memory all the same.
  void Set(std::string_view section, std::string_view key, std::string_view value);

  const std::string& Path() const { return path_; }

 private:
  std::string path_;
  TSettingsText text_;
};

}  // namespace app
