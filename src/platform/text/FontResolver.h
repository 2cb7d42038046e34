#pragma once
// Which font file serves a requested face. The names the program was designed with are mapped to
// faces that ship with the system and share their metrics: "MS Sans Serif" is the bitmap face of
// Wine's sserife.fon, "Arial", "Courier New" and "Times New Roman" are Liberation Sans, Mono and
// Serif. Every other name is matched by fontconfig, and DejaVu Sans stands in when nothing else
// can be had. Platform-internal: only the font code uses it.

#include <memory>
#include <string>

#include "platform/text/Font.h"

struct _FcConfig;  // NOLINT(bugprone-reserved-identifier): fontconfig's own name

namespace platform {

// One face in one file, and what the renderer has to add because the file lacks it.
struct FontSource {
  std::string File;
  int FaceIndex = 0;
  // A Windows .fon file: one face per size, the font picks the one whose height fits.
  bool WindowsBitmap = false;
  bool SyntheticBold = false;
  bool SyntheticItalic = false;
  friend bool operator==(const FontSource&, const FontSource&) = default;
};

class FontResolver {
 public:
  FontResolver();
  ~FontResolver();
  FontResolver(const FontResolver&) = delete;
  FontResolver& operator=(const FontResolver&) = delete;

  // The face for a request. File is empty only when fontconfig knows no font at all.
  FontSource Resolve(const LogFont& request);
  // DejaVu Sans in the requested style: the face of last resort and of missing characters.
  FontSource LastResort(bool bold, bool italic);
  // A face that has the character, for glyphs the chosen face lacks; File empty when none has it.
  FontSource FindFaceWithChar(char32_t ch);

  // Where Wine's bitmap "MS Sans Serif" lies; empty when it is not installed.
  static std::string WindowsSansSerifFile();

 private:
  _FcConfig* Config();
  FontSource Match(const std::string& family, bool bold, bool italic);

  _FcConfig* config_ = nullptr;
};

}  // namespace platform
