#include "platform/text/FontSystem.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_DRIVER_H
#include FT_MODULE_H

#include <functional>

#include "platform/text/FontObject.h"

namespace platform {

FontSystem& FontSystem::Instance() {
  // A function-local static: made on first use, destroyed at exit after everything made later.
  static FontSystem system;
  return system;
}

FontSystem::FontSystem() {
  FT_Library library = nullptr;
  if (FT_Init_FreeType(&library) != 0) throw EFontError("The font renderer could not be started");
  // The classic TrueType interpreter runs a face's hints in both directions, as Windows' grayscale
  // rasteriser does; the newer default ignores horizontal hints and leaves stems grey at small
  // sizes. Where it is not built in, the default stays.
  FT_UInt interpreter = TT_INTERPRETER_VERSION_35;
  FT_Property_Set(library, "truetype", "interpreter-version", &interpreter);
  library_ = library;
}

FontSystem::~FontSystem() {
  // Fonts hold sizes of the faces, and faces belong to the library: release in that order.
  fonts_.clear();
  for (auto& [key, face] : faces_) {
    if (face != nullptr) FT_Done_Face(face);
  }
  faces_.clear();
  FT_Done_FreeType(library_);
}

size_t FontSystem::LogFontHash::operator()(const LogFont& font) const {
  size_t hash = std::hash<std::string>{}(font.FaceName);
  for (int value :
       {font.Height, font.Weight, static_cast<int>(font.Italic), static_cast<int>(font.Underline),
        static_cast<int>(font.StrikeOut), font.CharSet}) {
    hash = hash * 1000003u ^ std::hash<int>{}(value);
  }
  return hash;
}

const Font& FontSystem::FontFor(const LogFont& request) {
  auto found = fonts_.find(request);
  if (found != fonts_.end()) return *found->second;
  auto font = std::make_unique<Font>(request, *this);
  const Font& made = *font;
  fonts_.emplace(request, std::move(font));
  return made;
}

FT_FaceRec_* FontSystem::OpenFace(const std::string& file, int faceIndex) {
  const auto key = std::make_pair(file, faceIndex);
  auto found = faces_.find(key);
  if (found != faces_.end()) return found->second;
  FT_Face face = nullptr;
  if (file.empty() || faceIndex < 0 || FT_New_Face(library_, file.c_str(), faceIndex, &face) != 0) {
    face = nullptr;
  } else if (face->charmap == nullptr && face->num_charmaps > 0) {
    // Windows bitmap faces come with one charmap of their own code page, which FreeType does not
    // select by itself.
    FT_Set_Charmap(face, face->charmaps[0]);
  }
  faces_.emplace(key, face);
  return face;
}

FT_FaceRec_* FontSystem::FallbackFace(char32_t ch) {
  if (!dejaVuLooked_) {
    dejaVuLooked_ = true;
    const FontSource source = resolver_.LastResort(false, false);
    dejaVu_ = OpenFace(source.File, source.FaceIndex);
  }
  if (dejaVu_ != nullptr && FT_Get_Char_Index(dejaVu_, ch) != 0) return dejaVu_;
  auto found = fallbackByChar_.find(ch);
  if (found != fallbackByChar_.end()) return found->second;
  FT_Face face = nullptr;
  const FontSource source = resolver_.FindFaceWithChar(ch);
  if (!source.File.empty()) {
    face = OpenFace(source.File, source.FaceIndex);
    if (face != nullptr && FT_Get_Char_Index(face, ch) == 0) face = nullptr;
  }
  fallbackByChar_.emplace(ch, face);
  return face;
}

}  // namespace platform
