#include "platform/text/TextLayout.h"

#include <algorithm>

#include "platform/Utf8.h"
#include "platform/text/Font.h"

namespace platform {

namespace {

constexpr char32_t kTab = U'\t';
constexpr int kTabStopChars = 8;

struct Item {
  char32_t ch = 0;
  bool prefixed = false;
};
using Paragraph = std::vector<Item>;

bool IsBlank(char32_t ch) { return ch == U' ' || ch == kTab; }

bool IsLineEnd(char32_t ch) { return ch == U'\r' || ch == U'\n'; }

// The characters of one line's bytes as layout sees them: prefix characters resolved, and line
// ends (which a line holds only under DT_SINGLELINE) dropped, each ending a pending prefix.
class LineWalker {
 public:
  LineWalker(std::string_view bytes, unsigned format)
      : bytes_(bytes), prefixes_((format & DT_NOPREFIX) == 0) {}

  bool Next(Item& item) {
    while (pos_ < bytes_.size()) {
      const auto ch = static_cast<char32_t>(NextCodePoint(bytes_, pos_));
      if (IsLineEnd(ch)) {
        pending_ = false;
        continue;
      }
      if (prefixes_ && ch == U'&') {
        if (pending_) {
          pending_ = false;
          item = {U'&', false};
          return true;
        }
        pending_ = true;
        continue;
      }
      item = {ch, pending_};
      pending_ = false;
      return true;
    }
    return false;
  }
  // Adds the advances of the plain characters that follow (printable ASCII, no "&" while prefixes
  // count, none marked) to width, while width is at most cap; returns how many it took.
  int TakePlain(const int* advances, int& width, int cap) {
    if (pending_ || width > cap) return 0;
    // Advances are never negative, so the limit applies once, at the end.
    const unsigned char special = prefixes_ ? '&' : 0;
    const size_t start = pos_;
    long long sum = width;
    while (pos_ < bytes_.size()) {
      const auto b = static_cast<unsigned char>(bytes_[pos_]);
      if (b < kFirstPlainAscii || b > kLastPlainAscii || b == special) break;
      sum += advances[b - kFirstPlainAscii];
      ++pos_;
      if (sum > cap) break;
    }
    width = static_cast<int>(std::min<long long>(kMaxTextExtent, sum));
    return static_cast<int>(pos_ - start);
  }
  // Whether a later "&" could still mark a character.
  bool MayMarkLater() const {
    return prefixes_ && (pending_ || bytes_.find('&', pos_) != std::string_view::npos);
  }

 private:
  std::string_view bytes_;
  bool prefixes_;
  size_t pos_ = 0;
  bool pending_ = false;
};

class Placer {
 public:
  Placer(const TextMeasure& measure, unsigned format)
      : measure_(measure),
        tabWidth_((format & DT_EXPANDTABS) != 0 ? kTabStopChars * measure.AverageCharWidth() : 0) {}

  // How far the character moves a pen that stands at x (counted from the line's start).
  int AdvanceAt(char32_t ch, int x) const {
    if (ch == kTab && tabWidth_ > 0) return (x / tabWidth_ + 1) * tabWidth_ - x;
    return measure_.Advance(ch);
  }
  const int* AsciiAdvances() const { return measure_.AsciiAdvances(); }

  TextLine Place(const Paragraph& items, size_t begin, size_t end) const {
    TextLine line;
    line.Chars.reserve(end - begin);
    int x = 0;
    for (size_t i = begin; i < end; ++i) {
      if (items[i].prefixed) line.Underlined = static_cast<int>(line.Chars.size());
      line.Chars.push_back({items[i].ch, x});
      x = std::min(kMaxTextExtent, x + AdvanceAt(items[i].ch, x));
    }
    line.Width = x;
    return line;
  }

 private:
  const TextMeasure& measure_;
  int tabWidth_;
};

// The bytes of each line the text's line ends make (one line under DT_SINGLELINE). Empty text
// (or a lone "&") has no line at all, as on Windows; a line end at the very end adds none either.
std::vector<std::string_view> SplitLines(std::string_view text, unsigned format) {
  std::vector<std::string_view> lines;
  size_t start = 0;
  bool endedWithBreak = false;
  if ((format & DT_SINGLELINE) == 0) {
    // Each line end is found by a search for its byte, at the speed of memory.
    size_t nextCR = text.find('\r');
    size_t nextLF = text.find('\n');
    for (;;) {
      if (nextCR < start) nextCR = text.find('\r', start);
      if (nextLF < start) nextLF = text.find('\n', start);
      size_t pos = std::min(nextCR, nextLF);
      if (pos == std::string_view::npos) break;
      lines.push_back(text.substr(start, pos - start));
      if (text[pos] == '\r' && pos + 1 < text.size() && text[pos + 1] == '\n') ++pos;
      start = pos + 1;
    }
    endedWithBreak = !lines.empty() && start == text.size();
  }
  const std::string_view last = text.substr(start);
  Item first;
  const bool hasChars = LineWalker(last, format).Next(first);
  if (hasChars || (!endedWithBreak && !lines.empty())) lines.push_back(last);
  return lines;
}

Paragraph ItemsOf(std::string_view line, unsigned format) {
  Paragraph items;
  LineWalker walker(line, format);
  for (Item item; walker.Next(item);) items.push_back(item);
  return items;
}

// A line that is not broken at blanks: its width and the index of its marked character, found in
// one pass that keeps no character. Measuring stops once the width passes cap: what lies beyond
// cannot be seen (the width is then at least cap, not the whole line's).
struct LineMeasure {
  int width = 0;
  int underlined = -1;
};

LineMeasure MeasureLine(std::string_view line, unsigned format, const Placer& placer,
                        int cap = kMaxTextExtent) {
  LineMeasure m;
  LineWalker walker(line, format);
  const int* plain = placer.AsciiAdvances();
  int index = 0;
  Item item;
  for (;;) {
    if (plain != nullptr) index += walker.TakePlain(plain, m.width, cap);
    if (m.width > cap || !walker.Next(item)) break;
    if (item.prefixed) m.underlined = index;
    m.width = std::min(kMaxTextExtent, m.width + placer.AdvanceAt(item.ch, m.width));
    ++index;
  }
  // The last marked character is the one underlined, wherever it stands.
  if (walker.MayMarkLater()) {
    for (; walker.Next(item); ++index)
      if (item.prefixed) m.underlined = index;
  }
  return m;
}

// The characters of a measured line whose cells reach into [from, to] (pen positions from the
// line's start); the walk ends at the first character beyond.
TextLine PlaceLine(std::string_view line, unsigned format, const LineMeasure& measured, int from,
                   int to, const Placer& placer) {
  TextLine out;
  out.Width = measured.width;
  LineWalker walker(line, format);
  int x = 0;
  int index = 0;
  for (Item item; x <= to && walker.Next(item); ++index) {
    const int advance = placer.AdvanceAt(item.ch, x);
    if (x + advance >= from) {
      if (index == measured.underlined) out.Underlined = static_cast<int>(out.Chars.size());
      out.Chars.push_back({item.ch, x});
    }
    x = std::min(kMaxTextExtent, x + advance);
  }
  return out;
}

// Breaks one paragraph into lines no wider than maxWidth: at the last run of blanks that lets the
// line fit, else between characters; a line always takes at least one character. The blanks at a
// break belong to neither line.
void BreakWords(const Paragraph& items, int maxWidth, const Placer& placer,
                std::vector<TextLine>& out) {
  const size_t count = items.size();
  size_t start = 0;
  do {
    int x = 0;
    size_t breakEnd = start;     // where the line ends when broken at the last blanks
    size_t breakResume = start;  // the first character after those blanks
    size_t end = count;
    size_t next = count;
    for (size_t i = start; i < count; ++i) {
      const char32_t ch = items[i].ch;
      const int advance = placer.AdvanceAt(ch, x);
      if (IsBlank(ch)) {
        if (i > start && !IsBlank(items[i - 1].ch)) breakEnd = i;
        x = std::min(kMaxTextExtent, x + advance);
        breakResume = i + 1;
        continue;
      }
      if (x + advance > maxWidth && i > start) {
        if (breakEnd > start) {
          end = breakEnd;
          next = breakResume;
        } else {
          end = i;
          next = i;
        }
        break;
      }
      x = std::min(kMaxTextExtent, x + advance);
    }
    out.push_back(placer.Place(items, start, end));
    start = next;
  } while (start < count);
}

void AddEndEllipsis(TextLine& line, int maxWidth, const TextMeasure& measure) {
  const int dot = measure.Advance(U'.');
  const int ellipsis = 3 * dot;
  // The width of the line's first n characters.
  const auto widthOf = [&](size_t n) {
    return n < line.Chars.size() ? line.Chars[n].X : line.Width;
  };
  size_t keep = line.Chars.size();
  while (keep > 0 && widthOf(keep) + ellipsis > maxWidth) --keep;
  const int x = widthOf(keep);
  line.Chars.resize(keep);
  if (line.Underlined >= static_cast<int>(keep)) line.Underlined = -1;
  for (int i = 0; i < 3; ++i) line.Chars.push_back({U'.', x + i * dot});
  line.Width = x + ellipsis;
}

// How far a line must be measured: not at all when nothing can be seen, the whole of it when its
// width places or shortens it, else only up to what the viewport can show.
int MeasureCap(unsigned format, const TextViewport& viewport) {
  if (viewport.Right < viewport.Left || viewport.Bottom < viewport.Top) return -1;
  if ((format & (DT_CENTER | DT_RIGHT | DT_END_ELLIPSIS | DT_CALCRECT)) != 0) return kMaxTextExtent;
  return static_cast<int>(
      std::min<long long>(kMaxTextExtent, static_cast<long long>(viewport.Right) + viewport.Reach));
}

}  // namespace

TextLayout LayOutText(std::string_view text, unsigned format, int maxWidth,
                      const TextMeasure& measure, const TextViewport& viewport) {
  const bool singleLine = (format & DT_SINGLELINE) != 0;
  const bool wordBreak = (format & DT_WORDBREAK) != 0 && !singleLine;
  const bool ellipsis = (format & DT_END_ELLIPSIS) != 0 && !wordBreak;
  const Placer placer(measure, format);
  const int lineHeight = measure.LineHeight();
  TextLayout layout;
  for (const std::string_view bytes : SplitLines(text, format)) {
    if (wordBreak) {
      BreakWords(ItemsOf(bytes, format), maxWidth, placer, layout.Lines);
      continue;
    }
    const LineMeasure measured = MeasureLine(bytes, format, placer, MeasureCap(format, viewport));
    const long long top = static_cast<long long>(layout.Lines.size()) * lineHeight;
    // Measuring (DT_CALCRECT) needs the widths alone.
    const bool shows = (format & DT_CALCRECT) == 0 &&
                       top + lineHeight > viewport.Top - viewport.Reach &&
                       top < static_cast<long long>(viewport.Bottom) + viewport.Reach;
    if (ellipsis && measured.width > maxWidth) {
      // What fits before the ellipsis lies within the rectangle's width.
      TextLine line = PlaceLine(bytes, format, measured, 0, maxWidth, placer);
      AddEndEllipsis(line, maxWidth, measure);
      if (!shows) {
        line.Chars.clear();
        line.Underlined = -1;
      }
      layout.Lines.push_back(std::move(line));
      continue;
    }
    if (!shows) {
      TextLine hidden;
      hidden.Width = measured.width;
      layout.Lines.push_back(std::move(hidden));
      continue;
    }
    int shift = 0;
    if ((format & DT_CENTER) != 0) {
      shift = (maxWidth - measured.width) / 2;
    } else if ((format & DT_RIGHT) != 0) {
      shift = maxWidth - measured.width;
    }
    const long long from = static_cast<long long>(viewport.Left) - viewport.Reach - shift;
    const long long to = static_cast<long long>(viewport.Right) + viewport.Reach - shift;
    layout.Lines.push_back(PlaceLine(
        bytes, format, measured,
        static_cast<int>(std::clamp<long long>(from, -kMaxTextExtent, kMaxTextExtent)),
        static_cast<int>(std::clamp<long long>(to, -kMaxTextExtent, kMaxTextExtent)), placer));
  }
  for (const TextLine& line : layout.Lines) layout.Width = std::max(layout.Width, line.Width);
  layout.Height = static_cast<int>(std::min<long long>(
      kMaxTextExtent, static_cast<long long>(layout.Lines.size()) * lineHeight));
  return layout;
}

}  // namespace platform
