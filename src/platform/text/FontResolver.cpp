#include "platform/text/FontResolver.h"

#include <fontconfig/fontconfig.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <string_view>

namespace platform {

namespace {

// Weight 600 (semi-bold) and above is bold, as Windows' font mapper rounds it.
constexpr int kBoldWeight = 600;

std::string Lowered(std::string_view text) {
  std::string result(text);
  std::transform(result.begin(), result.end(), result.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return result;
}

// Windows face names the program's forms use, and the metric-compatible families that stand in.
struct FaceAlias {
  std::string_view windowsName;  // lower case
  std::string_view family;
};
constexpr std::array<FaceAlias, 4> kAliases{{
    {"arial", "Liberation Sans"},
    {"courier new", "Liberation Mono"},
    {"times new roman", "Liberation Serif"},
    {"microsoft sans serif", "Liberation Sans"},
}};

bool IsWindowsSansSerif(std::string_view lowered) {
  return lowered == "ms sans serif" || lowered == "ms shell dlg";
}

// The pattern's file, index, and whether the face found is bold and italic by itself.
FontSource SourceFromMatch(FcPattern* match, bool bold, bool italic) {
  FontSource source;
  FcChar8* file = nullptr;
  if (FcPatternGetString(match, FC_FILE, 0, &file) != FcResultMatch || file == nullptr)
    return source;
  source.File = reinterpret_cast<const char*>(file);
  int index = 0;
  if (FcPatternGetInteger(match, FC_INDEX, 0, &index) == FcResultMatch) source.FaceIndex = index;
  int weight = FC_WEIGHT_REGULAR;
  FcPatternGetInteger(match, FC_WEIGHT, 0, &weight);
  int slant = FC_SLANT_ROMAN;
  FcPatternGetInteger(match, FC_SLANT, 0, &slant);
  source.SyntheticBold = bold && weight < FC_WEIGHT_DEMIBOLD;
  source.SyntheticItalic = italic && slant == FC_SLANT_ROMAN;
  return source;
}

}  // namespace

FontResolver::FontResolver() = default;

FontResolver::~FontResolver() {
  if (config_ != nullptr) {
    FcConfigDestroy(config_);
    // Fontconfig keeps its caches of languages, object names and cache files until told to let go;
    // the font code is the only user, and this is the end of its life.
    FcFini();
  }
}

std::string FontResolver::WindowsSansSerifFile() {
  // Debian's fonts-wine, then the places other packagings of Wine use.
  static constexpr std::array<const char*, 3> kPlaces{
      "/usr/share/wine/fonts/sserife.fon",
      "/usr/lib/wine/fonts/sserife.fon",
      "/opt/wine-stable/share/wine/fonts/sserife.fon",
  };
  for (const char* place : kPlaces) {
    if (access(place, R_OK) == 0) return place;
  }
  return {};
}

_FcConfig* FontResolver::Config() {
  // Loaded on first use: a program that only draws with the bitmap face never reads the
  // fontconfig caches.
  if (config_ == nullptr) config_ = FcInitLoadConfigAndFonts();
  return config_;
}

FontSource FontResolver::Match(const std::string& family, bool bold, bool italic) {
  FcConfig* config = Config();
  if (config == nullptr) return {};
  FcPattern* pattern = FcPatternCreate();
  if (pattern == nullptr) return {};
  FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
  FcPatternAddInteger(pattern, FC_WEIGHT, bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
  FcPatternAddInteger(pattern, FC_SLANT, italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
  FcConfigSubstitute(config, pattern, FcMatchPattern);
  FcDefaultSubstitute(pattern);
  FcResult result = FcResultNoMatch;
  FcPattern* match = FcFontMatch(config, pattern, &result);
  FontSource source;
  if (match != nullptr) {
    source = SourceFromMatch(match, bold, italic);
    FcPatternDestroy(match);
  }
  FcPatternDestroy(pattern);
  return source;
}

FontSource FontResolver::Resolve(const LogFont& request) {
  const bool bold = request.Weight >= kBoldWeight;
  const std::string name = Lowered(request.FaceName);
  if (IsWindowsSansSerif(name)) {
    std::string file = WindowsSansSerifFile();
    if (!file.empty()) {
      FontSource source;
      source.File = std::move(file);
      source.WindowsBitmap = true;
      source.SyntheticBold = bold;
      source.SyntheticItalic = request.Italic;
      return source;
    }
    // Without Wine's face, the closest in width among the faces we can count on.
    return Match("Liberation Sans", bold, request.Italic);
  }
  std::string family = request.FaceName;
  for (const FaceAlias& alias : kAliases) {
    if (name == alias.windowsName) family = alias.family;
  }
  if (family.empty()) return LastResort(bold, request.Italic);
  FontSource source = Match(family, bold, request.Italic);
  if (source.File.empty()) return LastResort(bold, request.Italic);
  return source;
}

FontSource FontResolver::LastResort(bool bold, bool italic) {
  FontSource source = Match("DejaVu Sans", bold, italic);
  if (source.File.empty()) {
    static constexpr const char* kDejaVu = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";
    if (access(kDejaVu, R_OK) == 0) {
      source.File = kDejaVu;
      source.SyntheticBold = bold;
      source.SyntheticItalic = italic;
    }
  }
  return source;
}

FontSource FontResolver::FindFaceWithChar(char32_t ch) {
  FcConfig* config = Config();
  if (config == nullptr) return {};
  FcPattern* pattern = FcPatternCreate();
  FcCharSet* wanted = FcCharSetCreate();
  FontSource source;
  if (pattern != nullptr && wanted != nullptr) {
    FcCharSetAddChar(wanted, ch);
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>("DejaVu Sans"));
    FcPatternAddCharSet(pattern, FC_CHARSET, wanted);
    FcConfigSubstitute(config, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcPattern* match = FcFontMatch(config, pattern, &result);
    if (match != nullptr) {
      FcCharSet* has = nullptr;
      // The best match need not hold the character: only a face that does is worth opening.
      if (FcPatternGetCharSet(match, FC_CHARSET, 0, &has) == FcResultMatch && has != nullptr &&
          FcCharSetHasChar(has, ch)) {
        source = SourceFromMatch(match, false, false);
      }
      FcPatternDestroy(match);
    }
  }
  if (wanted != nullptr) FcCharSetDestroy(wanted);
  if (pattern != nullptr) FcPatternDestroy(pattern);
  return source;
}

}  // namespace platform
