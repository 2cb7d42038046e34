#pragma once
// The rendered glyphs of one font: greyscale coverage bitmaps and advances, made by FreeType the
// first time a character is drawn or measured and kept for the life of the font. Characters the
// font's face lacks come from a fallback face (DejaVu Sans, then whatever fontconfig finds) sized
// to match; only when none has them is the face's own missing-glyph shape used.
// Platform-internal; FreeType types are only named here, never used.

#include <array>
#include <cstdint>
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

 private:
  const Glyph& Lookup(char32_t ch);
  Glyph Render(char32_t ch);
  // The glyph from one face at one size; the bitmap treatment applies to the font's own face.
  Glyph RenderFrom(FT_FaceRec_* face, FT_SizeRec_* size, unsigned glyphIndex, bool ownFace);
  FT_SizeRec_* FallbackSize(FT_FaceRec_* face);

  GlyphSource source_;
  FontSystem& system_;
  std::array<const Glyph*, 256> latin_{};
  std::unordered_map<char32_t, Glyph> glyphs_;  // nodes stay put, so latin_ may point into it
  std::vector<std::pair<FT_FaceRec_*, FT_SizeRec_*>> fallbackSizes_;
};

}  // namespace platform
