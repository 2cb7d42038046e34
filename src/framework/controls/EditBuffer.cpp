#include "framework/controls/EditBuffer.h"

#include <algorithm>
#include <array>

#include "platform/Utf8.h"

namespace framework {

void EditBuffer::Reindex() {
  indexed_.clear();
  count_ = 0;
  const std::string& text = text_.Str();
  for (size_t i = 0; i < text.size(); ++count_) {
    if (count_ % kIndexStride == 0) indexed_.push_back(i);
    platform::NextCodePoint(text, i);
  }
}

void EditBuffer::SetText(platform::SharedText text) {
  text_ = std::move(text);
  Reindex();
  anchor_ = caret_ = 0;
}

void EditBuffer::Replace(size_t from, size_t to, std::string_view insert) {
  // A new text: whoever shares the old one keeps it as it was.
  std::string text;
  text.reserve(text_.size() - (to - from) + insert.size());
  text.append(text_.Str(), 0, from);
  text.append(insert);
  text.append(text_.Str(), to, std::string::npos);
  text_ = platform::SharedText(std::move(text));
  Reindex();
}

size_t EditBuffer::IndexedBefore(size_t position) const {
  const auto it = std::upper_bound(indexed_.begin(), indexed_.end(), position);
  return it == indexed_.begin() ? 0 : static_cast<size_t>(it - indexed_.begin()) - 1;
}

size_t EditBuffer::CharStart(size_t index) const {
  if (index >= count_) return text_.size();
  size_t i = indexed_[index / kIndexStride];
  for (size_t k = index % kIndexStride; k > 0; --k) platform::NextCodePoint(text_.Str(), i);
  return i;
}

size_t EditBuffer::CharIndex(size_t position) const {
  if (position >= text_.size()) return count_;
  const size_t slot = IndexedBefore(position);
  size_t index = slot * kIndexStride;
  for (size_t i = indexed_[slot]; i < position; ++index) platform::NextCodePoint(text_.Str(), i);
  return index;
}

size_t EditBuffer::Snap(size_t position) const {
  if (position >= text_.size()) return text_.size();
  // The last character starting at or before the position.
  size_t start = indexed_[IndexedBefore(position)];
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
    std::array<size_t, kIndexStride> starts{};
    size_t n = 0;
    for (size_t i = indexed_[IndexedBefore(p - 1)]; i < p; platform::NextCodePoint(text_.Str(), i))
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
  if (count_ == 0) {
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
