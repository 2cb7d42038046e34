#include "tools/export/SkinExport.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <cstring>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "skin/data/sMaskForms.h"
#include "skin/data/sSkinManager.h"
#include "skin/data/sStrUtils.h"

namespace skintools {

namespace {

using skin::TsGeneralData;
using skin::TsMaskData;

constexpr const char* kMasterName = "MASTER.BMP";

void CheckText(const std::string& text, const std::string& what) {
  if (text.find_first_of("\r\n") != std::string::npos)
    throw ESkinExport(what + " holds a line break, which Options.dat cannot hold");
}

// A name that stays inside the folder: no separators, no "." or "..", no zero byte.
bool IsPlainFileName(const std::string& name) {
  return !name.empty() && name != "." && name != ".." &&
         name.find_first_of(std::string("/\\:\0", 4)) == std::string::npos;
}

std::string Bytes(const std::vector<uint8_t>& data) {
  return std::string(data.begin(), data.end());
}

std::string BmpBytes(const framework::TBitmap* bitmap) {
  std::vector<uint8_t> stream;
  bitmap->SaveToStream(stream);
  return Bytes(stream);
}

// A number right-aligned in width columns; nullopt when it does not fit.
std::optional<std::string> Fixed(int value, size_t width) {
  std::string text = std::to_string(value);
  if (text.size() > width) return std::nullopt;
  return std::string(width - text.size(), ' ') + text;
}

std::optional<std::string> Corners(const platform::TRect& r) {
  const auto l = Fixed(r.Left, 4), t = Fixed(r.Top, 4), rr = Fixed(r.Right, 4),
             b = Fixed(r.Bottom, 4);
  if (!l || !t || !rr || !b) return std::nullopt;
  return *l + " " + *t + " " + *rr + " " + *b;
}

bool SameMargins(const TsMaskData& a, const TsMaskData& b) {
  return a.WL == b.WL && a.WT == b.WT && a.WR == b.WR && a.WB == b.WB;
}

// What painting reads of a mask: the picture's area, states, kind and mode.
bool SameShape(const TsMaskData& a, const TsMaskData& b) {
  return a.R == b.R && a.ImageCount == b.ImageCount && a.MaskType == b.MaskType &&
         a.DrawMode == b.DrawMode && a.ImgType == b.ImgType && a.BorderWidth == b.BorderWidth;
}

// The text of a mask of the master bitmap and the form it was written in.
std::pair<std::string, skin::TsMaskForm> MasterMaskText(const TsMaskData& m) {
  const std::optional<std::string> corners = Corners(m.R);
  if (corners && m.ImgType == skin::itisaGlyph) {
    // Glyphs are drawn whole: their margins play no part.
    const auto count = Fixed(m.ImageCount, 1), type = Fixed(m.MaskType, 1);
    if (count && type) {
      const std::string text = "@" + *corners + " " + *count + " " + *type;
      TsMaskData back;
      skin::ReadGlyphForm(text, back);
      if (SameShape(back, m)) return {text, skin::mfGlyph};
    }
  }
  if (corners && m.ImgType == skin::itisaTexture) {
    // Textures are tiled or stretched whole: their margins play no part either.
    const auto mode = Fixed(m.DrawMode, 2), type = Fixed(m.MaskType, 1);
    if (mode && type) {
      const std::string text = "~" + *corners + " " + *mode + " " + *type;
      TsMaskData back;
      skin::ReadTextureForm(text, back);
      if (SameShape(back, m)) return {text, skin::mfTexture};
    }
  }
  if (m.ImgType == skin::itisaBorder) {
    const std::string text = "#(" + std::to_string(m.R.Left) + "," + std::to_string(m.R.Top) + "," +
                             std::to_string(m.R.Right) + "," + std::to_string(m.R.Bottom) + ")(" +
                             std::to_string(m.ImageCount) + "," + std::to_string(m.MaskType) + "," +
                             std::to_string(m.BorderWidth) + "," + std::to_string(m.DrawMode) + ")";
    TsMaskData back;
    back.PropertyName = m.PropertyName;
    if (skin::ReadRectangleForm(text, back) && SameShape(back, m) && SameMargins(back, m))
      return {text, skin::mfRectangle};
    const auto wl = Fixed(m.WL, 4), wt = Fixed(m.WT, 4), wr = Fixed(m.WR, 4), wb = Fixed(m.WB, 4),
               count = Fixed(m.ImageCount, 1), type = Fixed(m.MaskType, 1),
               mode = Fixed(m.DrawMode, 1), width = Fixed(m.BorderWidth, 1);
    if (corners && wl && wt && wr && wb && count && type && mode && width) {
      const std::string border = "^" + *corners + " " + *wl + " " + *wt + " " + *wr + " " + *wb +
                                 " " + *count + " " + *type + " " + *mode + " " + *width;
      TsMaskData back2;
      skin::ReadBorderForm(border, back2);
      if (SameShape(back2, m) && SameMargins(back2, m)) return {border, skin::mfBorder};
    }
  }
  throw ESkinExport("The mask " + m.SectionName + " " + m.PropertyName +
                    " cannot be written in any form that gives it back exactly");
}

// The text of a mask with a picture of its own, named name.
std::pair<std::string, skin::TsMaskForm> OwnPictureText(const TsMaskData& m,
                                                        const std::string& name) {
  if (m.DrawMode != 0 || m.BorderWidth != 0)
    throw ESkinExport("The mask " + m.SectionName + " " + m.PropertyName +
                      " has a draw mode or border width that a picture file cannot carry");
  TsMaskData plain;
  plain.R = m.R;
  skin::SetStates(plain, 3, 1);
  skin::DefaultMargins(plain);
  if (m.ImgType == skin::itisaBorder && SameShape(plain, m) && SameMargins(plain, m))
    return {name, skin::mfPictureFile};
  return {"!" + name + "!" + std::to_string(m.ImageCount) + "!" + std::to_string(m.MaskType) + "!" +
              std::to_string(m.ImgType) + "!" + std::to_string(m.WL) + "!" + std::to_string(m.WT) +
              "!" + std::to_string(m.WR) + "!" + std::to_string(m.WB),
          skin::mfPictureWithParams};
}

std::string Flag(bool value) { return value ? "TRUE" : "FALSE"; }

// Every key of a section record, in the order the records list their fields.
void WriteSectionKeys(std::string& out, const TsGeneralData& d) {
  auto key = [&](const char* name, const std::string& value) {
    CheckText(value, std::string("The value of ") + name + " in " + d.SectionName);
    out += name;
    out += '=';
    out += value;
    out += "\r\n";
  };
  auto number = [&](const char* name, int value) { key(name, std::to_string(value)); };
  if (!d.ParentClass.empty()) key("PARENTCLASS", d.ParentClass);
  number("COLOR", d.Color);
  number("BEVEL", d.Bevel);
  number("SHADOWBLUR", d.ShadowBlur);
  number("SHADOWOFFSET", d.ShadowOffset);
  number("SHADOWCOLOR", d.ShadowColor);
  number("SHADOWTRANSPARENCY", d.ShadowTransparency);
  key("SHADOWENABLED", Flag(d.ShadowEnabled));
  key("RESERVEDBOOLEAN", Flag(d.ReservedBoolean));
  const char* fontKeys[] = {"FONTCOLOR", "TCLEFT", "TCTOP", "TCRIGHT", "TCBOTTOM"};
  const char* hotFontKeys[] = {"HOTFONTCOLOR", "HOTTCLEFT", "HOTTCTOP", "HOTTCRIGHT",
                               "HOTTCBOTTOM"};
  for (size_t i = 0; i < 5; ++i) number(fontKeys[i], d.FontColor[i]);
  for (size_t i = 0; i < 5; ++i) number(hotFontKeys[i], d.HotFontColor[i]);
  number("TRANSPARENCY", d.Transparency);
  number("GRADIENTPERCENT", d.GradientPercent);
  number("IMAGEPERCENT", d.ImagePercent);
  key("GRADIENTDATA", d.GradientData);
  key("SHOWFOCUS", Flag(d.ShowFocus));
  key("FADINGENABLED", Flag(d.FadingEnabled));
  number("FADINGINTERVALIN", d.FadingIntervalIn);
  number("FADINGINTERVALOUT", d.FadingIntervalOut);
  number("FADINGITERATIONS", d.FadingIterations);
  number("HOTCOLOR", d.HotColor);
  number("HOTTRANSPARENCY", d.HotTransparency);
  number("HOTBEVEL", d.HotBevel);
  number("HOTGRADIENTPERCENT", d.HotGradientPercent);
  key("HOTGRADIENTDATA", d.HotGradientData);
  number("HOTIMAGEPERCENT", d.HotImagePercent);
  number("BORDERCOLOR1", d.BorderColor1);
  number("BORDERCOLOR2", d.BorderColor2);
}

std::string VersionText(double version) {
  char buffer[64];
  const auto result =
      std::to_chars(buffer, buffer + sizeof buffer, version, std::chars_format::general, 17);
  return std::string(buffer, result.ptr);
}

// The runtime tables of the stored skin, as the program builds them.
struct LoadedSkin {
  std::unique_ptr<skin::TsSkinManager> manager;
};

LoadedSkin Load(const skin::TsStoredSkin& stored) {
  LoadedSkin loaded;
  loaded.manager = std::make_unique<skin::TsSkinManager>(nullptr);
  // No skin directory: the stored skin itself, whatever folders exist on this machine.
  loaded.manager->SetSkinDirectory("");
  skin::TsStoredSkin* copy = loaded.manager->InternalSkins()->AddItem();
  copy->Assign(&stored);
  loaded.manager->SetSkinName(stored.Name());
  if (loaded.manager->SkinName() != stored.Name())
    throw ESkinExport("The stored skin \"" + stored.Name() + "\" could not be loaded");
  return loaded;
}

}  // namespace

SkinFolderFiles ExportSkin(const skin::TsStoredSkin& stored, MaskFormCounts* forms) {
  const LoadedSkin loaded = Load(stored);
  const skin::TsSkinManager& m = *loaded.manager;
  SkinFolderFiles files;
  MaskFormCounts counts{};
  auto addFile = [&](const std::string& name, std::string bytes) {
    if (!IsPlainFileName(name) || name == "Options.dat")
      throw ESkinExport("The picture name \"" + name + "\" is not a plain file name");
    const auto [at, added] = files.try_emplace(name, bytes);
    if (!added && at->second != bytes)
      throw ESkinExport("Two different pictures are named \"" + name + "\"");
  };

  // Each section's extra lines (masks and patterns), by upper-cased section name.
  std::map<std::string, std::string> extra;
  std::vector<std::string> extraOrder;
  auto line = [&](const std::string& section, const std::string& key, const std::string& value) {
    CheckText(key + value, "The mask or pattern " + section + " " + key);
    if (key.find('=') != std::string::npos || key.empty() || key.front() == '[' ||
        key.front() == ';')
      throw ESkinExport("The role \"" + key + "\" cannot be written as a key");
    const std::string upper = skin::UpperCase(section);
    if (!extra.count(upper)) extraOrder.push_back(section);
    extra[upper] += key + "=" + value + "\r\n";
  };

  if (!m.Tables().MasterBitmap.get() || m.Tables().MasterBitmap->Empty())
    throw ESkinExport("The skin has no master bitmap");
  addFile(kMasterName, BmpBytes(stored.MasterBitmap()));

  const skin::TsSkinImages& images = *stored.Images();
  for (size_t i = 0; i < m.Tables().Masks.size(); ++i) {
    const TsMaskData& mask = m.Tables().Masks[i];
    std::pair<std::string, skin::TsMaskForm> text;
    if (mask.Bmp) {
      const skin::TsSkinImage& item = *images.Items(static_cast<int>(i));
      if (item.Name.find(".BMP") == std::string::npos)
        throw ESkinExport("The picture name \"" + item.Name + "\" does not end in \".BMP\"");
      addFile(item.Name, BmpBytes(item.Image()));
      text = OwnPictureText(mask, item.Name);
    } else {
      text = MasterMaskText(mask);
    }
    line(mask.SectionName, mask.PropertyName, text.first);
    ++counts[text.second];
  }

  const skin::TsSkinPatterns& patterns = *stored.Patterns();
  for (int i = 0; i < patterns.Count(); ++i) {
    const skin::TsSkinPattern& item = *patterns.Items(i);
    const framework::TJPEGImage* picture = item.Image();
    for (int j = 0; picture->Empty() && j < patterns.Count(); ++j)
      if (patterns.Items(j)->Name == item.Name) picture = patterns.Items(j)->Image();
    if (picture->Empty()) continue;  // nothing to draw, nothing to write
    const std::string upper = skin::UpperCase(item.Name);
    if (upper.find(".JPG") == std::string::npos && upper.find(".JPEG") == std::string::npos)
      throw ESkinExport("The pattern name \"" + item.Name + "\" does not end in \".JPG\"");
    addFile(item.Name, Bytes(picture->Bytes()));
    line(skin::UpperCase(item.SectionName), skin::UpperCase(item.PropertyName), item.Name);
  }

  std::string out;
  std::set<std::string> written;
  bool info = false;
  auto section = [&](const std::string& name) {
    CheckText(name, "The section name \"" + name + "\"");
    if (!written.insert(skin::UpperCase(name)).second)
      throw ESkinExport("Two sections are named \"" + name + "\" (letter case aside)");
    out += "[" + name + "]\r\n";
    if (!info && skin::SameText(name, "GLOBALINFO")) {
      info = true;
      const skin::TsSkinData& d = m.SkinData();
      CheckText(d.Author + d.Description, "The author or description");
      out += "VERSION=" + VersionText(d.Version) + "\r\n";
      out += "AUTHOR=" + d.Author + "\r\n";
      out += "DESCRIPTION=" + d.Description + "\r\n";
      out += "SHADOW1COLOR=" + std::to_string(d.Shadow1Color) + "\r\n";
      out += "SHADOW1OFFSET=" + std::to_string(d.Shadow1Offset) + "\r\n";
      out += "SHADOW1BLUR=" + std::to_string(d.Shadow1Blur) + "\r\n";
      out += "SHADOW1TRANSPARENCY=" + std::to_string(d.Shadow1Transparency) + "\r\n";
      out += std::string("MASTERBITMAP=") + kMasterName + "\r\n";
    }
  };
  for (const TsGeneralData& d : m.Tables().Sections) {
    section(d.SectionName);
    WriteSectionKeys(out, d);
    const auto found = extra.find(skin::UpperCase(d.SectionName));
    if (found == extra.end()) continue;
    // Masks keep their names as written: they must be written under the name they carry.
    if (found->first != d.SectionName)
      throw ESkinExport("The section \"" + d.SectionName + "\" is not written in capitals");
    out += found->second;
    extra.erase(found);
  }
  // Masks and patterns of sections the skin has no record for keep a section of their own.
  for (const std::string& name : extraOrder) {
    const auto found = extra.find(skin::UpperCase(name));
    if (found == extra.end()) continue;
    section(name);
    out += found->second;
  }
  if (!info) {
    section("GLOBALINFO");
  }
  files["Options.dat"] = out;
  if (forms) *forms = counts;
  return files;
}

namespace {

// A descriptor closed when it goes out of scope.
class Descriptor {
 public:
  explicit Descriptor(int fd = -1) : fd_(fd) {}
  ~Descriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  Descriptor(Descriptor&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}
  Descriptor& operator=(Descriptor&& other) noexcept {
    std::swap(fd_, other.fd_);
    return *this;
  }
  int Get() const { return fd_; }
  // Closes it now, reporting whether the close succeeded.
  bool Close() {
    const int fd = std::exchange(fd_, -1);
    return fd < 0 || ::close(fd) == 0;
  }

 private:
  int fd_;
};

[[noreturn]] void Refuse(const std::string& what) { throw ESkinExport(what); }

// Opens folder, making what is missing of it. Folders that were there are taken as the path names
// them, but the folder itself must not be a symbolic link, and neither may any folder this makes:
// a link put there meanwhile is refused rather than followed.
Descriptor OpenTargetFolder(const std::filesystem::path& folder) {
  const std::filesystem::path path = folder.lexically_normal();
  std::vector<std::string> parts;
  for (const std::filesystem::path& part : path.relative_path()) parts.push_back(part.string());
  while (!parts.empty() && parts.back().empty()) parts.pop_back();
  Descriptor at(::open(path.is_absolute() ? "/" : ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (at.Get() < 0) Refuse("Cannot open " + folder.string() + ": " + std::strerror(errno));
  for (size_t i = 0; i < parts.size(); ++i) {
    const std::string& part = parts[i];
    const bool last = i + 1 == parts.size();
    bool made = false;
    if (::mkdirat(at.Get(), part.c_str(), 0755) == 0)
      made = true;
    else if (errno != EEXIST)
      Refuse("Cannot make the folder " + folder.string() + ": " + std::strerror(errno));
    const int flags = O_RDONLY | O_DIRECTORY | O_CLOEXEC | (last || made ? O_NOFOLLOW : 0);
    Descriptor next(::openat(at.Get(), part.c_str(), flags));
    if (next.Get() < 0) {
      struct stat info = {};
      if (::fstatat(at.Get(), part.c_str(), &info, AT_SYMLINK_NOFOLLOW) == 0 &&
          S_ISLNK(info.st_mode))
        Refuse((last ? "The folder " : "The folder made for ") + folder.string() +
               " is a symbolic link; give the folder itself");
      Refuse("Cannot open " + folder.string() + ": " + std::strerror(errno));
    }
    at = std::move(next);
  }
  return at;
}

// A name for the file beside name while it is written: hidden, and not there yet.
std::string TemporaryNameFor(const std::string& name, int attempt) {
  return "." + name + "." + std::to_string(::getpid()) + "." + std::to_string(attempt) + ".tmp";
}

}  // namespace

void WriteSkinFolder(const SkinFolderFiles& files, const std::filesystem::path& folder) {
  for (const auto& [name, bytes] : files)
    if (!IsPlainFileName(name)) throw ESkinExport("\"" + name + "\" is not a plain file name");
  const Descriptor target = OpenTargetFolder(folder);
  for (const auto& [name, bytes] : files) {
    std::string temporary;
    Descriptor file;
    for (int attempt = 0; file.Get() < 0 && attempt < 100; ++attempt) {
      temporary = TemporaryNameFor(name, attempt);
      file = Descriptor(::openat(target.Get(), temporary.c_str(),
                                 O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644));
      if (file.Get() < 0 && errno != EEXIST) break;
    }
    if (file.Get() < 0)
      throw ESkinExport("Cannot create a file in " + folder.string() + ": " + std::strerror(errno));
    size_t done = 0;
    while (done < bytes.size()) {
      const ssize_t wrote = ::write(file.Get(), bytes.data() + done, bytes.size() - done);
      if (wrote < 0 && errno == EINTR) continue;
      if (wrote <= 0) break;
      done += static_cast<size_t>(wrote);
    }
    bool complete = done == bytes.size() && ::fchmod(file.Get(), 0644) == 0;
    if (!file.Close()) complete = false;
    // The rename replaces a link of that name; it never writes through one.
    if (!complete || ::renameat(target.Get(), temporary.c_str(), target.Get(), name.c_str()) != 0) {
      const std::string reason = std::strerror(errno);
      ::unlinkat(target.Get(), temporary.c_str(), 0);
      throw ESkinExport("Cannot write " + (folder / name).string() + ": " + reason);
    }
  }
}

}  // namespace skintools
