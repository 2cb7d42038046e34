#include "platform/text/GlyphCache.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_SIZES_H
#include FT_BITMAP_H
#include FT_SYNTHESIS_H

#include <algorithm>
#include <cstdlib>

#include "platform/text/FontSystem.h"

namespace platform {

namespace {

// Outline glyphs are fully hinted. At 11 to 13 pixels light hinting, which snaps only vertically,
// leaves most stems straddling two pixel columns in grey; the faces we stand on (Liberation,
// DejaVu) carry TrueType instructions made for Windows' grayscale rasteriser, and with the classic
// interpreter (chosen in FontSystem) they put stems on whole pixels, as Windows did, and give the
// hinted advances Windows measures with. Faces without instructions go to FreeType's auto-hinter
// in its normal mode. Embedded bitmaps are skipped so every face is antialiased alike.
constexpr FT_Int32 kOutlineLoadFlags = FT_LOAD_TARGET_NORMAL | FT_LOAD_NO_BITMAP;
constexpr FT_Render_Mode kOutlineRenderMode = FT_RENDER_MODE_NORMAL;

// A glyph bitmap larger than this is not kept (no face makes one below the height limit).
constexpr unsigned kMaxGlyphSide = 4096;

// Windows-1252's characters at 0x80 to 0x9F; 0 where the code page has none.
constexpr char32_t kWindows1252High[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,
};

// The Windows-1252 code of a character, -1 when the code page lacks it.
int ToWindows1252(char32_t ch) {
  if (ch < 0x80 || (ch >= 0xA0 && ch <= 0xFF)) return static_cast<int>(ch);
  for (int i = 0; i < 32; ++i) {
    if (kWindows1252High[i] != 0 && kWindows1252High[i] == ch) return 0x80 + i;
  }
  return -1;
}

// Copies a FreeType bitmap into the glyph as 0..255 coverage.
void CopyCoverage(FT_Library library, const FT_Bitmap& source, Glyph& glyph) {
  if (source.width == 0 || source.rows == 0 || source.width > kMaxGlyphSide ||
      source.rows > kMaxGlyphSide) {
    return;
  }
  FT_Bitmap gray;
  FT_Bitmap_Init(&gray);
  const FT_Bitmap* bitmap = &source;
  if (source.pixel_mode != FT_PIXEL_MODE_MONO && source.pixel_mode != FT_PIXEL_MODE_GRAY) {
    if (FT_Bitmap_Convert(library, &source, &gray, 1) != 0) {
      FT_Bitmap_Done(library, &gray);
      return;
    }
    bitmap = &gray;
  }
  const int width = static_cast<int>(bitmap->width);
  const int rows = static_cast<int>(bitmap->rows);
  const int pitch = bitmap->pitch;
  const int levels = bitmap->pixel_mode == FT_PIXEL_MODE_GRAY
                         ? std::max(2, static_cast<int>(bitmap->num_grays))
                         : 2;
  glyph.Width = width;
  glyph.Height = rows;
  glyph.Coverage.assign(static_cast<size_t>(width) * rows, 0);
  for (int y = 0; y < rows; ++y) {
    // A negative pitch stores the rows bottom-up.
    const uint8_t* row = pitch >= 0
                             ? bitmap->buffer + static_cast<ptrdiff_t>(y) * pitch
                             : bitmap->buffer + static_cast<ptrdiff_t>(rows - 1 - y) * -pitch;
    uint8_t* out = glyph.Coverage.data() + static_cast<size_t>(y) * width;
    if (bitmap->pixel_mode == FT_PIXEL_MODE_MONO) {
      for (int x = 0; x < width; ++x) out[x] = ((row[x >> 3] >> (7 - (x & 7))) & 1) != 0 ? 255 : 0;
    } else if (levels == 256) {
      std::copy(row, row + width, out);
    } else {
      for (int x = 0; x < width; ++x)
        out[x] = static_cast<uint8_t>(std::min(row[x], static_cast<uint8_t>(levels - 1)) * 255 /
                                      (levels - 1));
    }
  }
  FT_Bitmap_Done(library, &gray);
}

// Drops blank rows and columns around the ink, so drawing touches no pixel it need not.
void Trim(Glyph& glyph) {
  int left = glyph.Width, right = -1, top = glyph.Height, bottom = -1;
  for (int y = 0; y < glyph.Height; ++y) {
    const uint8_t* row = glyph.Coverage.data() + static_cast<size_t>(y) * glyph.Width;
    for (int x = 0; x < glyph.Width; ++x) {
      if (row[x] == 0) continue;
      left = std::min(left, x);
      right = std::max(right, x);
      top = std::min(top, y);
      bottom = std::max(bottom, y);
    }
  }
  if (right < 0) {
    glyph.Width = glyph.Height = 0;
    glyph.Coverage.clear();
    return;
  }
  const int width = right - left + 1;
  const int height = bottom - top + 1;
  if (width == glyph.Width && height == glyph.Height) return;
  std::vector<uint8_t> trimmed(static_cast<size_t>(width) * height);
  for (int y = 0; y < height; ++y) {
    const uint8_t* row = glyph.Coverage.data() + static_cast<size_t>(y + top) * glyph.Width + left;
    std::copy(row, row + width, trimmed.data() + static_cast<size_t>(y) * width);
  }
  glyph.Coverage = std::move(trimmed);
  glyph.Left += left;
  glyph.Top -= top;
  glyph.Width = width;
  glyph.Height = height;
}

// Windows' bold for bitmap faces: the glyph again one pixel to the right.
void DoubleStrike(Glyph& glyph) {
  if (glyph.Width == 0) return;
  const int width = glyph.Width + 1;
  std::vector<uint8_t> bold(static_cast<size_t>(width) * glyph.Height, 0);
  for (int y = 0; y < glyph.Height; ++y) {
    const uint8_t* row = glyph.Coverage.data() + static_cast<size_t>(y) * glyph.Width;
    uint8_t* out = bold.data() + static_cast<size_t>(y) * width;
    for (int x = 0; x < glyph.Width; ++x) {
      out[x] = std::max(out[x], row[x]);
      out[x + 1] = row[x];
    }
  }
  glyph.Coverage = std::move(bold);
  glyph.Width = width;
}

// Windows' italic for bitmap faces: each row moved right by half its height above the cell's
// bottom row.
void Shear(Glyph& glyph, int cellHeight, int ascent) {
  if (glyph.Width == 0) return;
  auto shiftOf = [&](int y) { return std::max(0, cellHeight - 1 - (ascent - glyph.Top + y)) / 2; };
  const int extra = shiftOf(0);
  const int width = glyph.Width + extra;
  std::vector<uint8_t> sheared(static_cast<size_t>(width) * glyph.Height, 0);
  for (int y = 0; y < glyph.Height; ++y) {
    const uint8_t* row = glyph.Coverage.data() + static_cast<size_t>(y) * glyph.Width;
    std::copy(row, row + glyph.Width, sheared.data() + static_cast<size_t>(y) * width + shiftOf(y));
  }
  glyph.Coverage = std::move(sheared);
  glyph.Width = width;
}

}  // namespace

GlyphCache::GlyphCache(const GlyphSource& source, FontSystem& system)
    : source_(source), system_(system) {}

const Glyph& GlyphCache::Lookup(char32_t ch) {
  auto found = glyphs_.find(ch);
  if (found == glyphs_.end()) found = glyphs_.emplace(ch, Render(ch)).first;
  if (ch < latin_.size()) latin_[ch] = &found->second;
  return found->second;
}

std::optional<GlyphCache::Source> GlyphCache::Resolve(char32_t ch) {
  // A tab outside DT_EXPANDTABS is a blank.
  if (ch == U'\t') ch = U' ';
  // C1 controls come from bytes of old ANSI text shown as Latin-1: show what those bytes meant.
  if (ch >= 0x80 && ch <= 0x9F) {
    ch = kWindows1252High[ch - 0x80];
    if (ch == 0) return std::nullopt;
  }
  // Other control characters (line ends among them) take no room.
  if (ch < 0x20 || ch == 0x7F) return std::nullopt;
  FT_Face face = source_.Face;
  unsigned index = 0;
  if (source_.Bitmap) {
    const int code = ToWindows1252(ch);
    if (code >= 0) index = FT_Get_Char_Index(face, static_cast<FT_ULong>(code));
  } else {
    index = FT_Get_Char_Index(face, ch);
  }
  if (index != 0) return Source{face, source_.Size, index, true};
  FT_Face fallback = system_.FallbackFace(ch);
  if (fallback != nullptr && fallback != face) {
    FT_Size size = FallbackSize(fallback);
    const unsigned fallbackIndex = FT_Get_Char_Index(fallback, ch);
    if (size != nullptr && fallbackIndex != 0) return Source{fallback, size, fallbackIndex, false};
  }
  // Nothing has it: the face's own missing-character shape.
  return Source{face, source_.Size, 0, true};
}

std::optional<int> GlyphCache::Load(const Source& from) {
  if (FT_Activate_Size(from.size) != 0) return std::nullopt;
  const bool bitmapFace = from.ownFace && source_.Bitmap;
  const FT_Int32 flags =
      bitmapFace || !FT_IS_SCALABLE(from.face) ? FT_LOAD_DEFAULT : kOutlineLoadFlags;
  if (FT_Load_Glyph(from.face, from.index, flags) != 0) return std::nullopt;
  FT_GlyphSlot slot = from.face->glyph;
  if (from.ownFace && !bitmapFace && slot->format == FT_GLYPH_FORMAT_OUTLINE) {
    if (source_.SlantOutline) FT_GlyphSlot_Oblique(slot);
    if (source_.EmboldenOutline) FT_GlyphSlot_Embolden(slot);
  }
  // Windows' bold for bitmap faces strikes the glyph twice, one pixel apart.
  const int doubleStrike = bitmapFace && source_.BitmapBold ? 1 : 0;
  return static_cast<int>((slot->advance.x + 32) >> 6) + doubleStrike;
}

int GlyphCache::Advance(char32_t ch) {
  if (ch < latin_.size() && latin_[ch] != nullptr) return latin_[ch]->Advance;
  if (const auto drawn = glyphs_.find(ch); drawn != glyphs_.end()) return drawn->second.Advance;
  if (const auto measured = advances_.find(ch); measured != advances_.end())
    return measured->second;
  const std::optional<Source> from = Resolve(ch);
  const int advance = from ? Load(*from).value_or(0) : 0;
  advances_.emplace(ch, advance);
  return advance;
}

Glyph GlyphCache::Render(char32_t ch) {
  const std::optional<Source> from = Resolve(ch);
  return from ? RenderFrom(*from) : Glyph{};
}

Glyph GlyphCache::RenderFrom(const Source& from) {
  Glyph glyph;
  const std::optional<int> advance = Load(from);
  if (!advance) return glyph;
  glyph.Advance = *advance;
  FT_GlyphSlot slot = from.face->glyph;
  if (slot->format != FT_GLYPH_FORMAT_BITMAP && FT_Render_Glyph(slot, kOutlineRenderMode) != 0)
    return glyph;
  glyph.Left = slot->bitmap_left;
  glyph.Top = slot->bitmap_top;
  CopyCoverage(slot->library, slot->bitmap, glyph);
  Trim(glyph);
  if (from.ownFace && source_.Bitmap) {
    if (source_.BitmapItalic) Shear(glyph, source_.CellHeight, source_.Ascent);
    if (source_.BitmapBold) DoubleStrike(glyph);
  }
  return glyph;
}

FT_SizeRec_* GlyphCache::FallbackSize(FT_FaceRec_* face) {
  for (const auto& [known, size] : fallbackSizes_) {
    if (known == face) return size;
  }
  FT_Size size = nullptr;
  if (FT_New_Size(face, &size) == 0) {
    bool sized = false;
    if (FT_Activate_Size(size) == 0) {
      if (FT_IS_SCALABLE(face)) {
        sized = FT_Set_Pixel_Sizes(face, 0,
                                   static_cast<FT_UInt>(std::max(1, source_.FallbackPixels))) == 0;
      } else if (face->num_fixed_sizes > 0) {
        // A bitmap-only face: the strike nearest in height.
        int best = 0;
        for (int i = 1; i < face->num_fixed_sizes; ++i) {
          if (std::abs(face->available_sizes[i].height - source_.FallbackPixels) <
              std::abs(face->available_sizes[best].height - source_.FallbackPixels)) {
            best = i;
          }
        }
        sized = FT_Select_Size(face, best) == 0;
      }
    }
    if (!sized) {
      FT_Done_Size(size);
      size = nullptr;
    }
  }
  fallbackSizes_.emplace_back(face, size);
  return size;
}

}  // namespace platform
