#pragma once
// What an HFONT points to: a face at one size with its metrics and glyph cache. Platform-internal:
// the rest of the program only passes HFONTs around.

#include <memory>
#include <string>
#include <vector>

#include "platform/text/Font.h"
#include "platform/text/GlyphCache.h"
#include "platform/text/TextLayout.h"

struct FT_FaceRec_;

namespace platform {

class FontSystem;

// A line drawn along the text (underline, strike-out): its top row counted downwards from the
// baseline (negative: above it) and its thickness in rows.
struct TextDecoration {
  int Offset = 0;
  int Thickness = 1;
};

// One size of a Windows bitmap face.
struct BitmapStrike {
  int CellHeight = 0;
  int InternalLeading = 0;
};

// Windows' choice among bitmap sizes: for a negative height the size whose character height (cell
// less internal leading) is closest to -height, for a positive one the size whose cell height is
// closest; the smaller one on a tie. -1 for an empty list, and -1 for a request more than
// kBitmapStrikeReach pixels above the largest size: Windows would enlarge the bitmap face by
// doubling its pixels, where the face's scalable stand-in draws smooth text at the size asked
// for (text on a dense display, two or three times the stored heights).
constexpr int kBitmapStrikeReach = 2;
int ChooseBitmapStrike(const std::vector<BitmapStrike>& strikes, int height);

class Font : public TextMeasure {
 public:
  // Throws EFontError when no face at all can be loaded.
  Font(const LogFont& request, FontSystem& system);
  Font(const Font&) = delete;
  Font& operator=(const Font&) = delete;

  const LogFont& Request() const { return request_; }
  const std::string& File() const { return file_; }
  const TextMetric& Metrics() const { return metrics_; }
  bool IsBitmap() const { return bitmap_; }
  const TextDecoration& Underline() const { return underline_; }
  const TextDecoration& StrikeOut() const { return strikeOut_; }

  // The glyph of a character, rendered on first use. Fonts belong to the user-interface thread.
  const Glyph& GlyphOf(char32_t ch) const { return glyphs_->Get(ch); }

  int Advance(char32_t ch) const override { return glyphs_->Advance(ch); }
  int AverageCharWidth() const override { return metrics_.tmAveCharWidth; }
  int LineHeight() const override { return metrics_.tmHeight; }
  const int* AsciiAdvances() const override;

 private:
  bool SetUpBitmap(const std::string& file, bool bold, bool italic, FontSystem& system);
  bool SetUpOutline(const std::string& file, int faceIndex, bool bold, bool italic,
                    FontSystem& system);
  // The cell of a face at the height asked for; false when the face cannot take a size. The
  // scalable face's widths, leading and line positions are set from its tables, a bitmap face's
  // from the size nearest to the cell.
  struct CellSize {
    int ascent = 0;
    int descent = 0;
    int emPixels = 0;
  };
  bool SizeScalableFace(FT_FaceRec_* face, int height, CellSize& cell);
  bool SizeBitmapFace(FT_FaceRec_* face, int height, CellSize& cell);

  LogFont request_;
  std::string file_;
  bool bitmap_ = false;
  TextMetric metrics_;
  TextDecoration underline_;
  TextDecoration strikeOut_;
  // Drawing through a const HFONT fills the cache.
  mutable std::unique_ptr<GlyphCache> glyphs_;
  mutable std::vector<int> asciiAdvances_;  // filled at the first need
};

}  // namespace platform
