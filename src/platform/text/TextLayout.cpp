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

// The text as paragraphs (runs between line ends), with prefix characters resolved.
std::vector<Paragraph> SplitParagraphs(std::string_view text, unsigned format) {
  const bool prefixes = (format & DT_NOPREFIX) == 0;
  const bool singleLine = (format & DT_SINGLELINE) != 0;
  std::vector<Paragraph> paragraphs;
  Paragraph current;
  bool pendingPrefix = false;
  bool endedWithBreak = false;
  size_t pos = 0;
  while (pos < text.size()) {
    const auto ch = static_cast<char32_t>(NextCodePoint(text, pos));
    if (ch == U'\r' || ch == U'\n') {
      if (ch == U'\r' && pos < text.size() && text[pos] == '\n') ++pos;
      pendingPrefix = false;
      if (singleLine) continue;
      paragraphs.push_back(std::move(current));
      current.clear();
      endedWithBreak = true;
      continue;
    }
    endedWithBreak = false;
    if (prefixes && ch == U'&') {
      if (pendingPrefix) current.push_back({U'&', false});
      pendingPrefix = !pendingPrefix;
      continue;
    }
    current.push_back({ch, pendingPrefix});
    pendingPrefix = false;
  }
  // Empty text (or a lone "&") has no line at all, as on Windows; a line end at the very end adds
  // none either.
  if (!current.empty() || (!endedWithBreak && !paragraphs.empty())) {
    paragraphs.push_back(std::move(current));
  }
  return paragraphs;
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

}  // namespace

TextLayout LayOutText(std::string_view text, unsigned format, int maxWidth,
                      const TextMeasure& measure) {
  const bool singleLine = (format & DT_SINGLELINE) != 0;
  const bool wordBreak = (format & DT_WORDBREAK) != 0 && !singleLine;
  const Placer placer(measure, format);
  TextLayout layout;
  for (const Paragraph& paragraph : SplitParagraphs(text, format)) {
    if (wordBreak) {
      BreakWords(paragraph, maxWidth, placer, layout.Lines);
    } else {
      layout.Lines.push_back(placer.Place(paragraph, 0, paragraph.size()));
    }
  }
  for (TextLine& line : layout.Lines) {
    if ((format & DT_END_ELLIPSIS) != 0 && !wordBreak && line.Width > maxWidth) {
      AddEndEllipsis(line, maxWidth, measure);
    }
    layout.Width = std::max(layout.Width, line.Width);
  }
  layout.Height = static_cast<int>(std::min<long long>(
      kMaxTextExtent, static_cast<long long>(layout.Lines.size()) * measure.LineHeight()));
  return layout;
}

}  // namespace platform
