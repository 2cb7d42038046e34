#include "app/Settings.h"

#include <utility>

#include "platform/Exception.h"
#include "platform/files/Files.h"
#include "platform/files/ProgramFolders.h"
#include "skin/data/sStrUtils.h"

namespace app {

namespace {

constexpr std::string_view kBlanks = " \t";
// A settings file is a few lines; anything larger is no settings file of ours.
constexpr size_t kMaxSettingsBytes = size_t{1} << 20;

std::string_view Trimmed(std::string_view text) {
  const size_t start = text.find_first_not_of(kBlanks);
  if (start == std::string_view::npos) return {};
  const size_t end = text.find_last_not_of(kBlanks);
  return text.substr(start, end - start + 1);
}

// The name of the section a line opens, or nullopt when it opens none.
std::optional<std::string_view> SectionName(std::string_view line) {
  const std::string_view trimmed = Trimmed(line);
  if (trimmed.size() < 2 || trimmed.front() != '[' || trimmed.back() != ']') return std::nullopt;
  return Trimmed(trimmed.substr(1, trimmed.size() - 2));
}

bool IsComment(std::string_view line) {
  const std::string_view trimmed = Trimmed(line);
  return !trimmed.empty() && (trimmed.front() == ';' || trimmed.front() == '#');
}

bool IsSetting(std::string_view line) {
  return !IsComment(line) && line.find('=') != std::string_view::npos;
}

}  // namespace

TSettingsText::TSettingsText(std::string_view text) {
  if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
  while (!text.empty()) {
    const size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    if (line.ends_with('\r')) line.remove_suffix(1);
    lines_.emplace_back(line);
    text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
  }
}

std::optional<TSettingsText::Setting> TSettingsText::Find(std::string_view section,
                                                          std::string_view key) const {
  bool inSection = false;
  bool seen = false;  // the first section of that name is the one
  for (size_t i = 0; i < lines_.size(); ++i) {
    const std::string_view line = lines_[i];
    if (const std::optional<std::string_view> name = SectionName(line)) {
      if (seen && inSection) return std::nullopt;
      inSection = skin::SameText(*name, section);
      seen = seen || inSection;
      continue;
    }
    if (!inSection || !IsSetting(line)) continue;
    const size_t equals = line.find('=');
    if (!skin::SameText(Trimmed(line.substr(0, equals)), key)) continue;
    const size_t start = line.find_first_not_of(kBlanks, equals + 1);
    return Setting{i, start == std::string_view::npos ? line.size() : start};
  }
  return std::nullopt;
}

size_t TSettingsText::SectionEnd(std::string_view section) const {
  size_t end = std::string::npos;
  for (size_t i = 0; i < lines_.size(); ++i) {
    const std::optional<std::string_view> name = SectionName(lines_[i]);
    if (end != std::string::npos) {
      if (name) break;
      // After the section's last setting, so that blanks and comments before the next section
      // stay with it.
      if (IsSetting(lines_[i])) end = i + 1;
    } else if (name && skin::SameText(*name, section)) {
      end = i + 1;
    }
  }
  return end;
}

std::optional<std::string> TSettingsText::Value(std::string_view section,
                                                std::string_view key) const {
  const std::optional<Setting> setting = Find(section, key);
  if (!setting) return std::nullopt;
  return std::string(Trimmed(std::string_view(lines_[setting->Line]).substr(setting->ValueStart)));
}

void TSettingsText::SetValue(std::string_view section, std::string_view key,
                             std::string_view value) {
  if (value.find_first_of("\r\n") != std::string_view::npos)
    throw platform::Exception("A setting cannot hold a line break");
  if (const std::optional<Setting> setting = Find(section, key)) {
    std::string& line = lines_[setting->Line];
    line.replace(setting->ValueStart, std::string::npos, value);
    return;
  }
  std::string line = std::string(key) + "=" + std::string(value);
  const size_t end = SectionEnd(section);
  if (end != std::string::npos) {
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(end), std::move(line));
    return;
  }
  if (!lines_.empty() && !Trimmed(lines_.back()).empty()) lines_.emplace_back();
  lines_.push_back("[" + std::string(section) + "]");
  lines_.push_back(std::move(line));
}

std::string TSettingsText::Text() const {
  std::string text;
  for (const std::string& line : lines_) {
    text += line;
    text += '\n';
  }
  return text;
}

std::string TSettings::DefaultPath() {
  const std::string folder = platform::UserConfigFolder();
  return folder.empty() ? std::string() : folder + "snipwell.ini";
}

TSettings::TSettings(std::string path) : path_(std::move(path)) {
  if (path_.empty()) return;
  try {
    text_ = TSettingsText(platform::ReadFileShared(path_, kMaxSettingsBytes));
  } catch (const platform::Exception&) {
    // No settings to read: the defaults hold.
  }
}

std::optional<std::string> TSettings::Value(std::string_view section, std::string_view key) const {
  return text_.Value(section, key);
}

void TSettings::Set(std::string_view section, std::string_view key, std::string_view value) {
  text_.SetValue(section, key, value);
  if (path_.empty()) throw platform::EInOutError(platform::kErrorPathNotFound);
  TSettingsText current;
  try {
    current = TSettingsText(platform::ReadFileShared(path_, kMaxSettingsBytes));
  } catch (const platform::EInOutError& e) {
    // A file that is not there yet starts empty; one that cannot be read is not replaced by a
    // file holding only this setting.
    if (e.ErrorCode() != platform::kErrorFileNotFound &&
        e.ErrorCode() != platform::kErrorPathNotFound)
      throw;
  }
  current.SetValue(section, key, value);
  const std::string folder = path_.substr(0, path_.rfind('/') + 1);
  if (!folder.empty()) platform::MakeFolders(folder);
  platform::AtomicWriteFile(path_, current.Text());
  text_ = std::move(current);
}

}  // namespace app
