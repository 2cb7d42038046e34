#include "platform/text/Font.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_SIZES_H
#include FT_TRUETYPE_TABLES_H
#include FT_WINFONTS_H

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "platform/text/FontObject.h"
#include "platform/text/FontSystem.h"

namespace platform {

namespace {

// A height of 0 asks for the face's default size: the 8-point size of the program's dialogs.
constexpr int kDefaultHeight = -11;
// Larger heights are drawn at this size: beyond it glyph bitmaps would only waste memory.
constexpr int kMaxHeight = 1000;

int NormalizedHeight(int height) {
  if (height == 0) return kDefaultHeight;
  if (height < 0) return -std::min(kMaxHeight, height == INT32_MIN ? kMaxHeight : -height);
  return std::min(kMaxHeight, height);
}

int Round(double value) { return static_cast<int>(std::lround(value)); }

// The underline's rows: at least one pixel below the baseline and inside the cell where it fits.
TextDecoration UnderlineWithin(int offset, int thickness, int descent) {
  TextDecoration line;
  line.Thickness = std::max(1, thickness);
  line.Offset = std::max(1, offset);
  if (line.Offset + line.Thickness > descent) line.Offset = std::max(0, descent - line.Thickness);
  return line;
}

}  // namespace

int ChooseBitmapStrike(const std::vector<BitmapStrike>& strikes, int height) {
  const bool byCharacter = height < 0;
  const long wanted = std::labs(static_cast<long>(height));
  int best = -1;
  long bestDistance = 0;
  int bestSize = 0;
  long largest = 0;
  for (size_t i = 0; i < strikes.size(); ++i) {
    const int size =
        byCharacter ? strikes[i].CellHeight - strikes[i].InternalLeading : strikes[i].CellHeight;
    largest = std::max<long>(largest, size);
    const long distance = std::labs(size - wanted);
    if (best < 0 || distance < bestDistance || (distance == bestDistance && size < bestSize)) {
      best = static_cast<int>(i);
      bestDistance = distance;
      bestSize = size;
    }
  }
  if (wanted > largest + kBitmapStrikeReach) return -1;
  return best;
}

Font::Font(const LogFont& request, FontSystem& system) : request_(request) {
  FontResolver& resolver = system.Resolver();
  const bool bold = request.Weight >= 600;
  FontSource source = resolver.Resolve(request);
  if (source.WindowsBitmap) {
    if (SetUpBitmap(source.File, source.SyntheticBold, source.SyntheticItalic, system)) return;
    LogFont instead = request;
    instead.FaceName = "Arial";
    source = resolver.Resolve(instead);
  }
  if (SetUpOutline(source.File, source.FaceIndex, source.SyntheticBold, source.SyntheticItalic,
                   system))
    return;
  source = resolver.LastResort(bold, request.Italic);
  if (SetUpOutline(source.File, source.FaceIndex, source.SyntheticBold, source.SyntheticItalic,
                   system))
    return;
  throw EFontError("No font could be loaded for \"" + request.FaceName + "\"");
}

bool Font::SetUpBitmap(const std::string& file, bool bold, bool italic, FontSystem& system) {
  // Each size of a .fon file is a face of its own. Wine's sserife.fon holds three, all indexed by
  // Windows-1252 codes 32 to 255:
  //   cell 13: ascent 11, internal leading 2 (character height 11), average width 5, widest 11
  //   cell 16: ascent 13, internal leading 3 (character height 13), average width 7, widest 14
  //   cell 20: ascent 16, internal leading 4 (character height 16), average width 8, widest 16
  // so "MS Sans Serif" at -11 is the 13-pixel cell, as on Windows.
  std::vector<FT_Face> faces;
  std::vector<FT_WinFNT_HeaderRec> headers;
  std::vector<BitmapStrike> strikes;
  for (int index = 0; index < 16; ++index) {
    FT_Face face = system.OpenFace(file, index);
    if (face == nullptr) break;
    FT_WinFNT_HeaderRec header;
    if (FT_Get_WinFNT_Header(face, &header) != 0 || face->num_fixed_sizes < 1 ||
        header.pixel_height == 0)
      continue;
    faces.push_back(face);
    headers.push_back(header);
    strikes.push_back({header.pixel_height, header.internal_leading});
    if (index + 1 >= face->num_faces) break;
  }
  const int chosen = ChooseBitmapStrike(strikes, NormalizedHeight(request_.Height));
  if (chosen < 0) return false;
  FT_Face face = faces[chosen];
  const FT_WinFNT_HeaderRec& header = headers[chosen];
  FT_Size size = nullptr;
  if (FT_New_Size(face, &size) != 0) return false;
  if (FT_Activate_Size(size) != 0 || FT_Select_Size(face, 0) != 0) {
    FT_Done_Size(size);
    return false;
  }
  file_ = file;
  bitmap_ = true;
  metrics_.tmHeight = header.pixel_height;
  metrics_.tmAscent = std::min<int>(header.ascent, header.pixel_height);
  metrics_.tmDescent = metrics_.tmHeight - metrics_.tmAscent;
  metrics_.tmInternalLeading = header.internal_leading;
  metrics_.tmExternalLeading = header.external_leading;
  metrics_.tmAveCharWidth = header.avg_width;
  metrics_.tmMaxCharWidth = header.max_width + (bold ? 1 : 0);
  // The face carries no line positions: one pixel under the baseline, and a third of the
  // character height above it.
  underline_ = UnderlineWithin(1, 1, metrics_.tmDescent);
  strikeOut_ = {-Round((metrics_.tmAscent - metrics_.tmInternalLeading) / 3.0), 1};

  GlyphSource glyphs;
  glyphs.Face = face;
  glyphs.Size = size;
  glyphs.Bitmap = true;
  glyphs.BitmapBold = bold;
  glyphs.BitmapItalic = italic;
  glyphs.CellHeight = metrics_.tmHeight;
  glyphs.Ascent = metrics_.tmAscent;
  glyphs.FallbackPixels = metrics_.tmHeight - metrics_.tmInternalLeading;
  glyphs_ = std::make_unique<GlyphCache>(glyphs, system);
  return true;
}

bool Font::SetUpOutline(const std::string& file, int faceIndex, bool bold, bool italic,
                        FontSystem& system) {
  FT_Face face = system.OpenFace(file, faceIndex);
  if (face == nullptr) return false;
  FT_Size size = nullptr;
  if (FT_New_Size(face, &size) != 0) return false;
  if (FT_Activate_Size(size) != 0) {
    FT_Done_Size(size);
    return false;
  }
  const int height = NormalizedHeight(request_.Height);
  CellSize cell;
  const bool sized = FT_IS_SCALABLE(face) ? SizeScalableFace(face, height, cell)
                                          : SizeBitmapFace(face, height, cell);
  if (!sized) {
    FT_Done_Size(size);
    return false;
  }

  file_ = file;
  metrics_.tmAscent = cell.ascent;
  metrics_.tmDescent = cell.descent;
  metrics_.tmHeight = cell.ascent + cell.descent;
  metrics_.tmInternalLeading = std::max(0, metrics_.tmHeight - cell.emPixels);

  GlyphSource glyphs;
  glyphs.Face = face;
  glyphs.Size = size;
  glyphs.EmboldenOutline = bold;
  glyphs.SlantOutline = italic;
  glyphs.FallbackPixels = std::max(1, cell.emPixels);
  glyphs_ = std::make_unique<GlyphCache>(glyphs, system);
  // Faces without an average width in their OS/2 table: the width of "x", as Windows takes it.
  if (metrics_.tmAveCharWidth <= 0) metrics_.tmAveCharWidth = glyphs_->Advance(U'x');
  return true;
}

bool Font::SizeScalableFace(FT_Face face, int height, CellSize& cell) {
  const double unitsPerEm = face->units_per_EM > 0 ? face->units_per_EM : 2048;
  const TT_OS2* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
  const TT_HoriHeader* hhea =
      static_cast<const TT_HoriHeader*>(FT_Get_Sfnt_Table(face, FT_SFNT_HHEA));
  const TT_Postscript* post =
      static_cast<const TT_Postscript*>(FT_Get_Sfnt_Table(face, FT_SFNT_POST));
  // Windows measures the cell with the OS/2 table's Windows ascent and descent.
  double winAscent = os2 != nullptr ? os2->usWinAscent : face->ascender;
  double winDescent = os2 != nullptr ? os2->usWinDescent : -face->descender;
  if (winAscent + winDescent <= 0) {
    winAscent = face->ascender > 0 ? face->ascender : unitsPerEm * 0.8;
    winDescent = face->descender < 0 ? -face->descender : unitsPerEm * 0.2;
  }
  double pixelsPerEm = 0;
  if (height < 0) {
    pixelsPerEm = -height;
    cell.ascent = Round(winAscent * pixelsPerEm / unitsPerEm);
    cell.descent = Round(winDescent * pixelsPerEm / unitsPerEm);
  } else {
    pixelsPerEm = height * unitsPerEm / (winAscent + winDescent);
    cell.ascent = Round(height * winAscent / (winAscent + winDescent));
    cell.descent = height - cell.ascent;
  }
  const FT_F26Dot6 charSize = std::max<FT_F26Dot6>(64, std::lround(pixelsPerEm * 64));
  if (FT_Set_Char_Size(face, 0, charSize, 72, 72) != 0) return false;
  const double scale = pixelsPerEm / unitsPerEm;
  cell.emPixels = Round(pixelsPerEm);
  metrics_.tmAveCharWidth =
      os2 != nullptr && os2->xAvgCharWidth > 0 ? Round(os2->xAvgCharWidth * scale) : 0;
  metrics_.tmMaxCharWidth = Round(face->max_advance_width * scale);
  if (hhea != nullptr) {
    // The line gap less what the Windows cell already holds beyond the typographic one.
    const double gap =
        hhea->Line_Gap - ((winAscent + winDescent) - (hhea->Ascender - hhea->Descender));
    metrics_.tmExternalLeading = std::max(0, Round(gap * scale));
  }
  // The post table gives the underline's top edge; FreeType's own field is its centre.
  const double underlineTop = post != nullptr
                                  ? static_cast<FT_Short>(post->underlinePosition)
                                  : face->underline_position + face->underline_thickness / 2.0;
  underline_ = UnderlineWithin(Round(-underlineTop * scale),
                               Round(face->underline_thickness * scale), cell.descent);
  const double strikeTop =
      os2 != nullptr && os2->yStrikeoutPosition > 0 ? os2->yStrikeoutPosition : unitsPerEm * 0.26;
  const double strikeSize =
      os2 != nullptr && os2->yStrikeoutSize > 0 ? os2->yStrikeoutSize : face->underline_thickness;
  strikeOut_ = {-Round(strikeTop * scale), std::max(1, Round(strikeSize * scale))};
  return true;
}

bool Font::SizeBitmapFace(FT_Face face, int height, CellSize& cell) {
  if (face->num_fixed_sizes <= 0) return false;
  // A bitmap face other than Wine's: the size nearest to the cell asked for.
  const int wanted = std::abs(height);
  int best = 0;
  for (int i = 1; i < face->num_fixed_sizes; ++i) {
    if (std::abs(face->available_sizes[i].height - wanted) <
        std::abs(face->available_sizes[best].height - wanted))
      best = i;
  }
  if (FT_Select_Size(face, best) != 0) return false;
  cell.ascent = static_cast<int>(face->size->metrics.ascender >> 6);
  cell.descent = static_cast<int>(-face->size->metrics.descender >> 6);
  cell.emPixels = static_cast<int>(face->size->metrics.y_ppem);
  metrics_.tmMaxCharWidth = static_cast<int>(face->size->metrics.max_advance >> 6);
  underline_ = UnderlineWithin(1, 1, cell.descent);
  strikeOut_ = {-cell.ascent / 3, 1};
  return true;
}

const int* Font::AsciiAdvances() const {
  if (asciiAdvances_.empty()) {
    for (char32_t ch = kFirstPlainAscii; ch <= kLastPlainAscii; ++ch)
      asciiAdvances_.push_back(Advance(ch));
  }
  return asciiAdvances_.data();
}

HFONT CreateFontIndirect(const LogFont& logFont) {
  return &FontSystem::Instance().FontFor(logFont);
}

const LogFont& FontRequest(HFONT font) {
  return (font != nullptr ? font : DefaultFont())->Request();
}

std::string FontFile(HFONT font) { return (font != nullptr ? font : DefaultFont())->File(); }

HFONT DefaultFont() {
  static const HFONT font = CreateFontIndirect(LogFont{});
  return font;
}

}  // namespace platform
