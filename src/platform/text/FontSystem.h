#pragma once
// The owner of everything fonts are made of: the FreeType library, the faces opened from font
// files (shared by all sizes), fontconfig (through FontResolver) and every Font ever made. One
// instance lives from the first use of a font to the end of the process, and its destructor hands
// everything back, so the process ends with nothing leaked. Platform-internal.

#include <map>
#include <memory>
#include <string>
#include <unordered_map>
#include <utility>

#include "platform/text/Font.h"
#include "platform/text/FontResolver.h"

struct FT_LibraryRec_;
struct FT_FaceRec_;

namespace platform {

class Font;

class FontSystem {
 public:
  static FontSystem& Instance();
  ~FontSystem();
  FontSystem(const FontSystem&) = delete;
  FontSystem& operator=(const FontSystem&) = delete;

  // The font for a request: made on the first request, the same object for every equal one.
  const Font& FontFor(const LogFont& request);

  FontResolver& Resolver() { return resolver_; }
  // A face of a font file, opened once and shared; nullptr when the file cannot be read as a font.
  FT_FaceRec_* OpenFace(const std::string& file, int faceIndex);
  // A face that has the character, DejaVu Sans first; nullptr when no face has it.
  FT_FaceRec_* FallbackFace(char32_t ch);

 private:
  FontSystem();

  struct LogFontHash {
    size_t operator()(const LogFont& font) const;
  };

  // Declared first, released last: the faces and fonts below depend on it.
  FT_LibraryRec_* library_ = nullptr;
  FontResolver resolver_;
  std::map<std::pair<std::string, int>, FT_FaceRec_*> faces_;  // nullptr: could not be opened
  FT_FaceRec_* dejaVu_ = nullptr;
  bool dejaVuLooked_ = false;
  std::unordered_map<char32_t, FT_FaceRec_*> fallbackByChar_;
  std::unordered_map<LogFont, std::unique_ptr<Font>, LogFontHash> fonts_;
};

}  // namespace platform
