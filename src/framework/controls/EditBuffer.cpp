#include "framework/controls/EditBuffer.h"

#include <algorithm>
#include <array>

#include "platform/Utf8.h"

namespace framework {

void EditBuffer::Reindex() {
  // As many marks as the text could need, at once: growing by doubling would hold the old table
  // beside the new one for a moment. Room a text of long characters leaves unused is not touched,
  // and a long text's table does not stay with a short one.
  const std::string& text = text_.Str();
  marks_ = std::vector<Mark>();
  marks_.reserve(text.size() / kIndexStride + 1);
  size_t count = 0;
  for (size_t i = 0; i < text.size(); ++count) {
    if (count % kIndexStride == 0) marks_.push_back({i, count, 0});
    platform::NextCodePoint(text, i);
  }
  if (marks_.empty()) marks_.push_back({});
  split_ = marks_.size();
  total_ = {text.size(), count, 0};
  MeasureAll();
}

void EditBuffer::MeasureAll() {
  MoveSplit(marks_.size());
  for (size_t i = 0; i < marks_.size(); ++i) {
    const Mark end = i + 1 < marks_.size() ? marks_[i + 1] : total_;
    const int64_t x = marks_[i].x + MeasureRun(marks_[i].byte, end.byte, end.chr - marks_[i].chr);
    (i + 1 < marks_.size() ? marks_[i + 1].x : total_.x) = x;
  }
}

void EditBuffer::SetText(platform::SharedText text) {
  text_ = std::move(text);
  Reindex();
  anchor_ = caret_ = 0;
}

void EditBuffer::SetMeasure(Measure measure) {
  measure_ = std::move(measure);
  MeasureAll();
}

int64_t EditBuffer::MeasureRun(size_t from, size_t to, size_t chars) const {
  if (!measure_ || chars == 0) return 0;
  return measure_(std::string_view(text_.Str()).substr(from, to - from), chars);
}

void EditBuffer::MoveSplit(size_t split) {
  // A mark kept from one end becomes the same mark kept from the other: total - m both ways.
  for (; split_ < split; ++split_) marks_[split_] = total_ - marks_[split_];
  while (split_ > split) {
    --split_;
    marks_[split_] = total_ - marks_[split_];
  }
}

size_t EditBuffer::LastMark(size_t Mark::*field, size_t value) const {
  size_t lo = 0;
  size_t hi = marks_.size();  // the answer lies in [lo, hi)
  while (hi - lo > 1) {
    const size_t mid = lo + (hi - lo) / 2;
    if (At(mid).*field <= value)
      lo = mid;
    else
      hi = mid;
  }
  return lo;
}

size_t EditBuffer::LastMarkAtX(int64_t x) const {
  size_t lo = 0;
  size_t hi = marks_.size();
  while (hi - lo > 1) {
    const size_t mid = lo + (hi - lo) / 2;
    if (At(mid).x <= x)
      lo = mid;
    else
      hi = mid;
  }
  return lo;
}

void EditBuffer::Replace(size_t from, size_t to, std::string_view insert) {
  // Whether a byte starts a character depends only on the three bytes on either side of it (a
  // sequence is at most four bytes long): marks more than three bytes before the edit and more
  // than three bytes after it stay character starts. Those between them go, and the characters
  // from the last such mark before the edit to the first one after it are marked again.
  const size_t a = from < 4 ? 0 : LastMark(&Mark::byte, from - 4);
  const size_t b = LastMark(&Mark::byte, to + 3) + 1;
  MoveSplit(b);
  const Mark oldEnd = b < marks_.size() ? total_ - marks_[b] : total_;

  if (std::string* own = text_.Unshared()) {
    own->replace(from, to - from, insert);
  } else {
    // A new text: whoever shares the old one keeps it as it was.
    std::string text;
    text.reserve(text_.size() - (to - from) + insert.size());
    text.append(text_.Str(), 0, from);
    text.append(insert);
    text.append(text_.Str(), to, std::string::npos);
    text_ = platform::SharedText(std::move(text));
  }
  total_.byte = text_.size();
  total_.chr -= oldEnd.chr - marks_[a].chr;
  total_.x -= oldEnd.x - marks_[a].x;

  const size_t runEnd = b < marks_.size() ? total_.byte - marks_[b].byte : total_.byte;
  size_t count = 0;
  for (size_t i = marks_[a].byte; i < runEnd; ++count) platform::NextCodePoint(text_.Str(), i);
  // As many runs as before while each stays within twice the stride (and holds a character), so
  // that typing in one place moves no mark; else runs of one stride or a little more.
  const size_t before = b - a;
  const size_t runs = count >= before && count <= 2 * kIndexStride * before
                          ? before
                          : std::max<size_t>(1, count / kIndexStride);
  Remark(a, b, count, runs);
}

void EditBuffer::Remark(size_t a, size_t b, size_t count, size_t runs) {
  // The old marks between a and b make room for the new ones.
  const size_t have = b - a - 1;
  const size_t want = runs - 1;
  if (want < have) {
    marks_.erase(marks_.begin() + static_cast<std::ptrdiff_t>(a + 1 + want),
                 marks_.begin() + static_cast<std::ptrdiff_t>(b));
  } else if (want > have) {
    marks_.insert(marks_.begin() + static_cast<std::ptrdiff_t>(b), want - have, Mark{});
  }
  split_ = a + runs;
  const std::string& text = text_.Str();
  const size_t runEnd = split_ < marks_.size() ? total_.byte - marks_[split_].byte : total_.byte;
  Mark at = marks_[a];
  size_t i = at.byte;
  for (size_t r = 1; r <= runs; ++r) {
    // Run r ends before character r * count / runs of the walk.
    const size_t chars = r * count / runs - (r - 1) * count / runs;
    const size_t start = i;
    for (size_t k = 0; k < chars; ++k) platform::NextCodePoint(text, i);
    if (r == runs) i = runEnd;  // the walk reaches the kept mark exactly
    const Mark next{i, at.chr + chars, at.x + MeasureRun(start, i, chars)};
    if (r < runs) marks_[a + r] = next;
    at = next;
  }
  total_.chr += at.chr - marks_[a].chr;
  total_.x += at.x - marks_[a].x;
}

size_t EditBuffer::CharStart(size_t index) const {
  if (index >= total_.chr) return text_.size();
  const Mark m = At(LastMark(&Mark::chr, index));
  size_t i = m.byte;
  for (size_t k = index - m.chr; k > 0; --k) platform::NextCodePoint(text_.Str(), i);
  return i;
}

size_t EditBuffer::CharIndex(size_t position) const {
  if (position >= text_.size()) return total_.chr;
  const Mark m = At(LastMark(&Mark::byte, position));
  size_t index = m.chr;
  for (size_t i = m.byte; i < position; ++index) platform::NextCodePoint(text_.Str(), i);
  return index;
}

int64_t EditBuffer::XOf(size_t index) const {
  if (index >= total_.chr) return total_.x;
  const Mark m = At(LastMark(&Mark::chr, index));
  if (m.chr == index) return m.x;
  return m.x + MeasureRun(m.byte, CharStart(index), index - m.chr);
}

size_t EditBuffer::LastCharAtOrBefore(int64_t x, int64_t& charX) const {
  const Mark m = At(LastMarkAtX(x));
  size_t k = m.chr;
  charX = m.x;
  for (size_t at = m.byte; k < total_.chr; ++k) {
    size_t next = at;
    platform::NextCodePoint(text_.Str(), next);
    const int64_t nextX = charX + MeasureRun(at, next, 1);
    if (nextX > x) break;
    charX = nextX;
    at = next;
  }
  return k;
}

size_t EditBuffer::Snap(size_t position) const {
  if (position >= text_.size()) return text_.size();
  // The last character starting at or before the position.
  size_t start = At(LastMark(&Mark::byte, position)).byte;
  for (size_t next = start; platform::NextCodePoint(text_.Str(), next), next <= position;)
    start = next;
  return start;
}

size_t EditBuffer::NextChar(size_t position) const {
  size_t p = Snap(position);
  if (p < text_.size()) platform::NextCodePoint(text_.Str(), p);
  return p;
}

size_t EditBuffer::PrevChar(size_t position) const {
  const size_t p = Snap(position);
  return p == 0 ? 0 : CharStart(CharIndex(p) - 1);
}

void EditBuffer::Select(size_t anchor, size_t caret) {
  anchor_ = Snap(anchor);
  caret_ = Snap(caret);
}

void EditBuffer::MoveCaret(size_t position, bool extend) {
  caret_ = Snap(position);
  if (!extend) anchor_ = caret_;
}

bool EditBuffer::IsBlankAt(size_t position) const {
  const uint32_t cp = platform::NextCodePoint(text_.Str(), position);
  return cp == ' ' || (cp >= 0x09 && cp <= 0x0D) || cp == 0xA0;
}

size_t EditBuffer::BackOver(size_t position, bool blanks) const {
  size_t p = position;
  while (p > 0) {
    // The characters of the indexed run that holds the one before p, walked forwards.
    std::array<size_t, 2 * kIndexStride> starts{};
    size_t n = 0;
    for (size_t i = At(LastMark(&Mark::byte, p - 1)).byte; i < p;
         platform::NextCodePoint(text_.Str(), i))
      starts[n++] = i;
    while (n > 0 && IsBlankAt(starts[n - 1]) == blanks) p = starts[--n];
    if (n > 0) break;
  }
  return p;
}

size_t EditBuffer::NextWordStart(size_t position) const {
  size_t p = Snap(position);
  while (p < text_.size() && !IsBlankAt(p)) p = NextChar(p);
  while (p < text_.size() && IsBlankAt(p)) p = NextChar(p);
  return p;
}

size_t EditBuffer::PrevWordStart(size_t position) const {
  return BackOver(BackOver(Snap(position), true), false);
}

void EditBuffer::WordAt(size_t position, size_t& start, size_t& end) const {
  if (total_.chr == 0) {
    start = end = 0;
    return;
  }
  // The character at the position, or the last one at the end of the text.
  size_t at = Snap(position);
  if (at >= text_.size()) at = PrevChar(at);
  const bool blank = IsBlankAt(at);
  start = BackOver(at, blank);
  end = NextChar(at);
  while (end < text_.size() && IsBlankAt(end) == blank) end = NextChar(end);
}

bool EditBuffer::ReplaceSelection(std::string_view insert, size_t maxLength) {
  const size_t s = SelStart();
  const size_t e = SelEnd();
  if (maxLength > 0) {
    const size_t kept = CharCount() - (CharIndex(e) - CharIndex(s));
    size_t room = maxLength > kept ? maxLength - kept : 0;
    size_t cut = 0;
    while (cut < insert.size() && room > 0) {
      platform::NextCodePoint(insert, cut);
      --room;
    }
    insert = insert.substr(0, cut);
  }
  if (insert.empty() && s == e) return false;
  Replace(s, e, insert);
  // Inserted bytes may join with their neighbours into one character: the caret keeps to a
  // boundary all the same.
  anchor_ = caret_ = Snap(s + insert.size());
  return true;
}

bool EditBuffer::DeleteBackward() {
  if (SelLength() > 0) return ReplaceSelection({}, 0);
  if (caret_ == 0) return false;
  const size_t from = PrevChar(caret_);
  Replace(from, caret_, {});
  anchor_ = caret_ = Snap(from);
  return true;
}

bool EditBuffer::DeleteForward() {
  if (SelLength() > 0) return ReplaceSelection({}, 0);
  if (caret_ >= text_.size()) return false;
  const size_t to = NextChar(caret_);
  Replace(caret_, to, {});
  anchor_ = caret_ = Snap(caret_);
  return true;
}

}  // namespace framework
