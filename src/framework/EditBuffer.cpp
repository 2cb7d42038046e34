#include "framework/EditBuffer.h"

#include <algorithm>

#include "platform/Utf8.h"

namespace framework {

void EditBuffer::Reindex() {
  starts_.clear();
  for (size_t i = 0; i < text_.size();) {
    starts_.push_back(i);
    platform::NextCodePoint(text_, i);
  }
}

void EditBuffer::SetText(std::string text) {
  text_ = std::move(text);
  Reindex();
  anchor_ = caret_ = 0;
}

size_t EditBuffer::CharIndex(size_t position) const {
  return static_cast<size_t>(std::lower_bound(starts_.begin(), starts_.end(), position) -
                             starts_.begin());
}

size_t EditBuffer::Snap(size_t position) const {
  if (position >= text_.size()) return text_.size();
  // The last character starting at or before the position.
  const auto it = std::upper_bound(starts_.begin(), starts_.end(), position);
  return *(it - 1);
}

size_t EditBuffer::NextChar(size_t position) const {
  const size_t p = Snap(position);
  return p >= text_.size() ? p : CharStart(CharIndex(p) + 1);
}

size_t EditBuffer::PrevChar(size_t position) const {
  const size_t p = Snap(position);
  return p == 0 ? 0 : starts_[CharIndex(p) - 1];
}

void EditBuffer::Select(size_t anchor, size_t caret) {
  anchor_ = Snap(anchor);
  caret_ = Snap(caret);
}

void EditBuffer::MoveCaret(size_t position, bool extend) {
  caret_ = Snap(position);
  if (!extend) anchor_ = caret_;
}

bool EditBuffer::IsBlankAt(size_t index) const {
  size_t i = starts_[index];
  const uint32_t cp = platform::NextCodePoint(text_, i);
  return cp == ' ' || (cp >= 0x09 && cp <= 0x0D) || cp == 0xA0;
}

size_t EditBuffer::NextWordStart(size_t position) const {
  size_t i = CharIndex(Snap(position));
  const size_t n = CharCount();
  while (i < n && !IsBlankAt(i)) ++i;
  while (i < n && IsBlankAt(i)) ++i;
  return CharStart(i);
}

size_t EditBuffer::PrevWordStart(size_t position) const {
  size_t i = CharIndex(Snap(position));
  while (i > 0 && IsBlankAt(i - 1)) --i;
  while (i > 0 && !IsBlankAt(i - 1)) --i;
  return CharStart(i);
}

void EditBuffer::WordAt(size_t position, size_t& start, size_t& end) const {
  const size_t n = CharCount();
  if (n == 0) {
    start = end = 0;
    return;
  }
  const size_t i = std::min(CharIndex(Snap(position)), n - 1);
  const bool blank = IsBlankAt(i);
  size_t s = i;
  while (s > 0 && IsBlankAt(s - 1) == blank) --s;
  size_t e = i + 1;
  while (e < n && IsBlankAt(e) == blank) ++e;
  start = CharStart(s);
  end = CharStart(e);
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
  text_.replace(s, e - s, insert);
  Reindex();
  // Inserted bytes may join with their neighbours into one character: the caret keeps to a
  // boundary all the same.
  anchor_ = caret_ = Snap(s + insert.size());
  return true;
}

bool EditBuffer::DeleteBackward() {
  if (SelLength() > 0) return ReplaceSelection({}, 0);
  if (caret_ == 0) return false;
  const size_t from = PrevChar(caret_);
  text_.erase(from, caret_ - from);
  Reindex();
  anchor_ = caret_ = Snap(from);
  return true;
}

bool EditBuffer::DeleteForward() {
  if (SelLength() > 0) return ReplaceSelection({}, 0);
  if (caret_ >= text_.size()) return false;
  const size_t to = NextChar(caret_);
  text_.erase(caret_, to - caret_);
  Reindex();
  anchor_ = caret_ = Snap(caret_);
  return true;
}

}  // namespace framework
