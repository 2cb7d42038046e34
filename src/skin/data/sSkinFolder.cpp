#include "skin/data/sSkinFolder.h"

#include <algorithm>
#include <charconv>
#include <filesystem>
#include <system_error>
#include <unordered_map>
#include <utility>
#include <vector>

#include "framework/graphics/DisplayScale.h"
#include "framework/graphics/JPEGImage.h"
#include "platform/files/Files.h"
#include "platform/images/ImageCodecs.h"
#include "skin/data/sMaskForms.h"
#include "skin/data/sSectionKeys.h"
#include "skin/data/sSkinDirectory.h"
#include "skin/data/sSkinLoading.h"
#include "skin/data/sStrUtils.h"

namespace skin {

namespace {

using Limits = TsSkinFolderLimits;

// The skin's text shadow: blur passes and offset in pixels.
constexpr int32_t kMaxShadowBlur = 32;
constexpr int32_t kMaxShadowOffset = 32;

// A JPEG of at least this many pixels is a pattern; a smaller one becomes a texture mask.
constexpr int64_t kMinPatternPixels = 90000;

class DiskFiles final : public TsSkinFiles {
 public:
  bool Exists(const std::string& path) const override {
    std::error_code error;
    return std::filesystem::exists(path, error);
  }
  std::string Read(const std::string& path, size_t maxBytes) const override {
    return platform::ReadFileShared(path, maxBytes);
  }
  std::string Find(const std::string& path) const override { return FindSkinFile(path); }
};

bool IsGlobalInfo(const TsIniSection& section) { return SameText(section.Name, "GLOBALINFO"); }

// The keys of GLOBALINFO that hold the skin information and the master bitmap's name: free text
// and numbers, never mask or pattern descriptions (an author written "@home" is no glyph).
bool IsSkinInfoKey(std::string_view key) {
  for (const char* name : {"VERSION", "AUTHOR", "DESCRIPTION", "SHADOW1COLOR", "SHADOW1OFFSET",
                           "SHADOW1BLUR", "SHADOW1TRANSPARENCY", "MASTERBITMAP"})
    if (SameText(key, name)) return true;
  return false;
}

bool NamesJpeg(const std::string& value) {
  return ContainsText(value, ".JPG") || ContainsText(value, ".JPEG");
}

const uint8_t* Bytes(const std::string& data) {
  return reinterpret_cast<const uint8_t*>(data.data());
}

// "4.83": the version with "." as decimal separator whatever the locale; 0 when unreadable.
double ReadVersion(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  double value = 0;
  const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
  return result.ec == std::errc() ? value : 0;
}

}  // namespace

const TsSkinFiles& DiskSkinFiles() {
  static const DiskFiles files;
  return files;
}

TsSkinFolder::TsSkinFolder(const TsSkinFiles& files, const std::string& skinPath)
    : TsSkinFolder(files, skinPath,
                   files.Read(SkinFilePath("Options.dat", skinPath), Limits::kMaxSettingsBytes)) {}

TsSkinFolder::TsSkinFolder(const TsSkinFiles& files, std::string skinPath,
                           std::string_view settings)
    : files_(files), skinPath_(std::move(skinPath)), settings_(TsIniText::FromText(settings)) {}

// A picture's file as the skin names it, matched to the disk without regard to letter case when
// no file of the exact name is there.
std::string TsSkinFolder::PathOf(const std::string& name) const {
  return files_.Find(SkinFilePath(name, skinPath_));
}

std::optional<std::string> TsSkinFolder::ReadPicture(const std::string& path, std::string& why) {
  if (bytesRead_ >= Limits::kMaxTotalBytes) {
    why = "the skin's pictures are larger than " + std::to_string(Limits::kMaxTotalBytes) +
          " bytes together";
    return std::nullopt;
  }
  const size_t limit = std::min(Limits::kMaxPictureBytes, Limits::kMaxTotalBytes - bytesRead_);
  try {
    std::string bytes = files_.Read(path, limit);
    bytesRead_ += bytes.size();
    return bytes;
  } catch (const platform::EOutOfResources& e) {
    // Read up to the limit before it was refused: that counts against the skin's budget too.
    bytesRead_ += limit;
    why = e.Message();
  } catch (const platform::Exception& e) {
    why = e.Message();
  }
  return std::nullopt;
}

namespace {

// Empty when a picture of that size is within one picture's limits and the skin's remaining
// budget (it is then counted, enlarged by the display's factor, with keptBytes of a compressed
// file it keeps beside its pixels); otherwise why it is not.
std::string Admit(platform::TSize size, size_t& pixelsHeld, size_t keptBytes = 0) {
  if (size.cx < 1 || size.cy < 1) return "the picture is empty";
  if (size.cx > Limits::kMaxPictureSide || size.cy > Limits::kMaxPictureSide)
    return "the picture is wider or higher than " + std::to_string(Limits::kMaxPictureSide) +
           " pixels";
  const size_t pixels = static_cast<size_t>(size.cx) * static_cast<size_t>(size.cy);
  if (pixels > Limits::kMaxPicturePixels)
    return "the picture has more than " + std::to_string(Limits::kMaxPicturePixels) + " pixels";
  const auto factor = static_cast<size_t>(framework::DisplayScale());
  const size_t held = pixels * factor * factor + (keptBytes + 2) / 3;
  if (held > Limits::kMaxTotalPixels - pixelsHeld)
    return "the skin's pictures have more than " + std::to_string(Limits::kMaxTotalPixels) +
           " pixels together";
  pixelsHeld += held;
  return {};
}

}  // namespace

std::unique_ptr<framework::TBitmap> TsSkinFolder::DecodeBitmap(const std::string& path,
                                                               std::string& why) {
  std::optional<std::string> bytes = ReadPicture(path, why);
  if (!bytes) return nullptr;
  try {
    why = Admit(platform::ReadBmpSize(Bytes(*bytes), bytes->size()), pixelsHeld_);
    if (!why.empty()) return nullptr;
    auto bitmap = std::make_unique<framework::TBitmap>();
    bitmap->SetDIB(platform::ReadBmp(Bytes(*bytes), bytes->size()));
    // The file goes before the conversion makes a third copy of the picture.
    bytes.reset();
    bitmap->SetPixelFormat(framework::pf24bit);
    return bitmap;
  } catch (const platform::Exception& e) {
    why = e.Message();
    return nullptr;
  }
}

TsSkinFolder::TsDecoded& TsSkinFolder::Bitmap(const std::string& name) {
  const std::string path = PathOf(name);
  const auto [at, added] = bitmaps_.try_emplace(path);
  if (added) at->second.picture = DecodeBitmap(path, at->second.why);
  return at->second;
}

std::unique_ptr<framework::TBitmap> TsSkinFolder::LoadBitmap(const std::string& name,
                                                             std::string& why) {
  TsDecoded& decoded = Bitmap(name);
  if (decoded.picture) {
    // Counted when it was decoded.
    decoded.taken = decoded.picture.get();
    return std::move(decoded.picture);
  }
  if (!decoded.taken) {
    why = decoded.why;
    return nullptr;
  }
  why = Admit({decoded.taken->Width(), decoded.taken->Height()}, pixelsHeld_);
  if (!why.empty()) return nullptr;
  auto copy = std::make_unique<framework::TBitmap>();
  copy->Assign(decoded.taken);
  return copy;
}

void TsSkinFolder::Note(const std::string& file, const std::string& why, const std::string& what) {
  notes_.push_back(file + ": " + why + "; " + what);
}

const framework::TJPEGImage* TsSkinFolder::Jpeg(const std::string& name) {
  const std::string path = PathOf(name);
  const auto [at, added] = jpegs_.try_emplace(path);
  if (!added || !files_.Exists(path)) return at->second.get();
  std::string why;
  if (const std::optional<std::string> bytes = ReadPicture(path, why)) {
    try {
      why = Admit(platform::ReadJpegSize(Bytes(*bytes), bytes->size()), pixelsHeld_, bytes->size());
      if (why.empty()) {
        auto image = std::make_unique<framework::TJPEGImage>();
        image->LoadFromStream(Bytes(*bytes), bytes->size());
        if (image->Width() >= 1)
          at->second = std::move(image);
        else
          why = "the picture is empty";
      }
    } catch (const platform::Exception& e) {
      why = e.Message();
    }
  }
  if (!at->second) Note(name, why, "pictures naming it are left out");
  return at->second.get();
}

void TsSkinFolder::BuildMasks(TsSkinTables& tables) {
  tables.Masks.clear();
  std::unique_ptr<framework::TBitmap>& master = tables.MasterBitmap;
  master.reset();
  for (const TsIniSection& section : settings_.Sections()) {
    if (!IsGlobalInfo(section)) continue;
    const std::optional<std::string> name = section.Value("MASTERBITMAP");
    if (!name || name->empty() || !files_.Exists(PathOf(*name))) continue;
    // Every border and glyph is cut from the master bitmap: a skin without the one it names
    // would paint buttons without frames and check boxes without boxes, so it is no skin.
    std::string why;
    master = DecodeBitmap(PathOf(*name), why);
    if (!master) throw platform::Exception("the master bitmap " + *name + ": " + why);
    master->SetTransparentColor(platform::clFuchsia);
  }
  for (const TsIniSection& section : settings_.Sections()) {
    const bool global = IsGlobalInfo(section);
    for (const auto& [key, value] : section.Keys) {
      if (value.empty() || (global && IsSkinInfoKey(key))) continue;
      AddMask(section, key, value, tables);
    }
  }
}

bool TsSkinFolder::PictureOf(TsMaskData& m, const std::string& name, const TsIniSection& section,
                             const std::string& key) {
  // A file that is not there is passed over, as the format has it; one that is there and cannot
  // be used is worth a line.
  if (!files_.Exists(PathOf(name))) return false;
  std::string why;
  m.Bmp = LoadBitmap(name, why);
  if (!m.Bmp) Note(name, why, "the mask " + section.Name + " " + key + " is left out");
  return m.Bmp != nullptr;
}

void TsSkinFolder::AddMask(const TsIniSection& section, const std::string& key,
                           const std::string& value, TsSkinTables& tables) {
  TsMaskData m;
  m.Tables = &tables;
  // The fixed forms keep their names as written; the others are upper-cased.
  m.PropertyName = key;
  m.SectionName = section.Name;
  switch (MaskFormOf(value)) {
    case mfNone: return;
    case mfPictureWithParams: {
      const std::optional<TsPictureParams> p = ReadPictureParams(value);
      // Image types other than border, texture and glyph are outside the format.
      if (!p || p->ImgType < itisaBorder || p->ImgType > itisaGlyph) return;
      if (!PictureOf(m, p->FileName, section, key)) return;
      m.ImgType = static_cast<TacImgType>(p->ImgType);
      SetStates(m, p->ImageCount, p->MaskType);
      m.R = {0, 0, m.Bmp->Width(), m.Bmp->Height()};
      if (p->Margins) {
        m.WL = Clamp16((*p->Margins)[0], 0);
        m.WT = Clamp16((*p->Margins)[1], 0);
        m.WR = Clamp16((*p->Margins)[2], 0);
        m.WB = Clamp16((*p->Margins)[3], 0);
      } else {
        DefaultMargins(m);
      }
      break;
    }
    case mfGlyph: ReadGlyphForm(value, m); break;
    case mfBorder: ReadBorderForm(value, m); break;
    case mfTexture: ReadTextureForm(value, m); break;
    case mfPictureFile:
      if (!PictureOf(m, value, section, key)) return;
      m.PropertyName = UpperCase(key);
      m.SectionName = UpperCase(section.Name);
      SetStates(m, 3, 1);
      m.R = {0, 0, m.Bmp->Width(), m.Bmp->Height()};
      DefaultMargins(m);
      break;
    case mfRectangle:
      m.PropertyName = UpperCase(key);
      m.SectionName = UpperCase(section.Name);
      if (!ReadRectangleForm(value, m)) return;
      break;
  }
  tables.Masks.push_back(std::move(m));
}

void TsSkinFolder::BuildPatterns(TsSkinTables& tables) {
  tables.Patterns.clear();
  for (const TsIniSection& section : settings_.Sections()) {
    const bool global = IsGlobalInfo(section);
    for (const auto& [key, value] : section.Keys) {
      if (!NamesJpeg(value) || (global && IsSkinInfoKey(key))) continue;
      const framework::TJPEGImage* picture = Jpeg(value);
      if (!picture) continue;
      // Patterns share the decoded picture; a texture mask has a copy of its pixels.
      auto image = std::make_unique<framework::TJPEGImage>();
      image->Assign(picture);
      if (int64_t{image->Width()} * image->Height() >= kMinPatternPixels) {
        TsPatternData& p = tables.Patterns.emplace_back();
        p.Img = std::move(image);
        p.PropertyName = UpperCase(key);
        p.SectionName = UpperCase(section.Name);
        continue;
      }
      // A small picture is tiled as a texture of its own.
      if (const std::string why = Admit({image->Width(), image->Height()}, pixelsHeld_);
          !why.empty()) {
        Note(value, why, "the texture " + section.Name + " " + key + " is left out");
        continue;
      }
      TsMaskData m;
      m.Bmp = std::make_unique<framework::TBitmap>();
      m.Bmp->Assign(image.get());
      m.Bmp->SetPixelFormat(framework::pf24bit);
      m.PropertyName = UpperCase(key);
      m.SectionName = UpperCase(section.Name);
      m.ImgType = itisaTexture;
      m.ImageCount = 1;
      m.R = {0, 0, m.Bmp->Width(), m.Bmp->Height()};
      m.Tables = &tables;
      tables.Masks.push_back(std::move(m));
    }
  }
}

void TsSkinFolder::ReadSkinInfo(TsSkinData& info) const {
  info.Version = 0;
  info.Author.clear();
  info.Description.clear();
  info.Shadow1Color = 0;
  info.Shadow1Offset = 0;
  info.Shadow1Blur = -1;
  info.Shadow1Transparency = 0;
  for (const TsIniSection& section : settings_.Sections()) {
    if (!IsGlobalInfo(section)) continue;
    auto integer = [&](const char* key, int32_t& field) {
      if (const auto text = section.Value(key)) field = StrToInt(*text);
    };
    if (const auto text = section.Value("VERSION")) info.Version = ReadVersion(*text);
    info.Author = section.Value("AUTHOR").value_or("");
    info.Description = section.Value("DESCRIPTION").value_or("");
    integer("SHADOW1COLOR", info.Shadow1Color);
    integer("SHADOW1OFFSET", info.Shadow1Offset);
    integer("SHADOW1BLUR", info.Shadow1Blur);
    integer("SHADOW1TRANSPARENCY", info.Shadow1Transparency);
  }
  // Every blur pass costs a pass over the label, and offset and blur widen it: both are kept to
  // what a text shadow can use (-1, no skin shadow, stays).
  if (info.Shadow1Blur != -1) info.Shadow1Blur = std::clamp(info.Shadow1Blur, 0, kMaxShadowBlur);
  info.Shadow1Offset = std::clamp(info.Shadow1Offset, -kMaxShadowOffset, kMaxShadowOffset);
  info.Shadow1Transparency =
      std::clamp(info.Shadow1Transparency, 0, int32_t{TsSectionRanges::kMaxPercent});
}

void TsSkinFolder::BuildSections(TsGeneralDataArray& sections) const {
  const std::vector<TsIniSection>& file = settings_.Sections();
  const size_t count = file.size();
  std::unordered_map<std::string, size_t> byName;
  for (size_t i = 0; i < count; ++i) byName.try_emplace(UpperCase(file[i].Name), i);

  // The section a section inherits from: the one PARENTCLASS names anywhere in the file, not
  // itself.
  auto parentOf = [&](size_t i) -> std::optional<size_t> {
    const std::optional<std::string> name = file[i].Value("PARENTCLASS");
    if (!name || name->empty()) return std::nullopt;
    const auto found = byName.find(UpperCase(*name));
    if (found == byName.end() || found->second == i) return std::nullopt;
    return found->second;
  };

  // Each record is made once, after its parent's, so that a value a section does not give is its
  // parent's finished value, which already holds whatever the parent inherited in turn. A chain
  // that comes back to a section still being made (a cycle) ends there, without a parent.
  enum State : uint8_t { kWaiting, kMaking, kMade };
  std::vector<State> state(count, kWaiting);
  std::vector<TsGeneralData> records(count);
  const TsSectionKeyRules rules{.resolveColor = true, .inheritShadowColor = false};
  std::vector<size_t> chain;
  for (size_t first = 0; first < count; ++first) {
    if (state[first] == kMade) continue;
    chain.assign(1, first);
    state[first] = kMaking;
    const TsGeneralData* parent = nullptr;
    for (std::optional<size_t> next = parentOf(first); next; next = parentOf(chain.back())) {
      if (state[*next] == kMade) parent = &records[*next];
      if (state[*next] != kWaiting) break;
      state[*next] = kMaking;
      chain.push_back(*next);
    }
    for (auto link = chain.rbegin(); link != chain.rend(); ++link) {
      TsGeneralData& d = records[*link];
      d.SectionName = file[*link].Name;
      d.ParentClass = file[*link].Value("PARENTCLASS").value_or("");
      ReadSectionKeys(d, file[*link], parent, rules);
      state[*link] = kMade;
      parent = &d;
    }
  }
  sections = std::move(records);
}

}  // namespace skin
