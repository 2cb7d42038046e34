#pragma once
// The rendered glyphs of one font: greyscale coverage bitmaps and advances, made by FreeType the
// first time a character is drawn or measured and kept for the life of the font. Characters the
// font's face lacks come from a fallback face (DejaVu Sans, then whatever fontconfig finds) sized
// to match; only when none has them is the face's own missing-glyph shape used.
// Platform-internal; FreeType types are only named here, never used.

#include <array>
#include <cstdint>
#include <optional>
#include <unordered_map>
#include <vector>

struct FT_FaceRec_;
struct FT_SizeRec_;

namespace platform {

class FontSystem;

struct Glyph {
  int Left = 0;   // the ink's left column, counted from the pen position
  int Top = 0;    // the ink's top row, counted upwards from the baseline
  int Width = 0;  // of the coverage bitmap; 0 for a glyph without ink
  int Height = 0;
  int Advance = 0;  // how far the pen moves
  // Width * Height values, row by row from the top: 0 leaves the pixel alone, 255 is the full
  // text colour.
  std::vector<uint8_t> Coverage;
};

// How a font's glyphs are made from its face.
struct GlyphSource {
  FT_FaceRec_* Face = nullptr;
  FT_SizeRec_* Size = nullptr;
  // A Windows bitmap face: indexed by Windows-1252 codes, drawn as it is.
  bool Bitmap = false;
  // Bitmap faces: bold drawn twice one pixel apart, italic sheared over the cell.
  bool BitmapBold = false;
  bool BitmapItalic = false;
  int CellHeight = 0;
  int Ascent = 0;
  // Outline faces without their own bold or italic file.
  bool EmboldenOutline = false;
  bool SlantOutline = false;
  // The em size, in pixels, that fallback faces are set to.
  int FallbackPixels = 0;
};

class GlyphCache {
 public:
  GlyphCache(const GlyphSource& source, FontSystem& system);
  GlyphCache(const GlyphCache&) = delete;
  GlyphCache& operator=(const GlyphCache&) = delete;

  const Glyph& Get(char32_t ch) {
    if (ch < latin_.size() && latin_[ch] != nullptr) return *latin_[ch];
    return Lookup(ch);
  }

  // How far the pen moves after ch: Get(ch).Advance, found without rendering the glyph when it
  // has not been drawn yet (measuring text needs nothing else).
  int Advance(char32_t ch);

 private:
  // Where a character's glyph comes from.
  struct Source {
    FT_FaceRec_* face = nullptr;
    FT_SizeRec_* size = nullptr;
    unsigned index = 0;
    bool ownFace = false;  // the bitmap treatment applies only to the font's own face
  };
  // The character drawn for ch (a tab is a blank, C1 controls are Windows-1252's characters) and
  // where its glyph comes from; nullopt for a character without ink or room.
  std::optional<Source> Resolve(char32_t ch);
  // Loads the glyph into its face's slot as drawn (hinted, slanted, emboldened) and gives its
  // advance; nullopt when FreeType fails.
  std::optional<int> Load(const Source& from);

  const Glyph& Lookup(char32_t ch);
  Glyph Render(char32_t ch);
  Glyph RenderFrom(const Source& from);
  FT_SizeRec_* FallbackSize(FT_FaceRec_* face);

  GlyphSource source_;
  FontSystem& system_;
  std::array<const Glyph*, 256> latin_{};
  std::unordered_map<char32_t, Glyph> glyphs_;  // nodes stay put, so latin_ may point into it
  std::unordered_map<char32_t, int> advances_;  // of characters measured but not drawn
  std::vector<std::pair<FT_FaceRec_*, FT_SizeRec_*>> fallbackSizes_;
};

}  // namespace platform
