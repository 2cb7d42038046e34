#pragma once
// The text of a single-line editor with its caret and selection.
//
// The text is kept exactly as bytes. Positions are byte offsets, but every position the buffer
// hands out or keeps lies on a character boundary: characters are UTF-8 sequences, and a byte that
// does not start a valid sequence is a character of its own (shown as its Latin-1 character), as
// platform/Utf8.h decodes. Words are runs of characters other than blanks (space, tab, the line
// and page ends, and no-break space), as the classic edit control's default word breaking has it.
//
// The text is shared with whoever else holds it (the class library's string semantics): an edit
// makes a new text, and giving the text away copies no bytes. Characters are found through the
// start of every kIndexStride-th one, so a text of many megabytes costs a small index, not a
// word per character; finding a character walks at most kIndexStride of them.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "platform/SharedText.h"

namespace framework {

class EditBuffer {
 public:
  static constexpr size_t kIndexStride = 64;

  EditBuffer() { Reindex(); }

  const std::string& Text() const { return text_; }
  const platform::SharedText& Shared() const { return text_; }
  // Replaces the text; the caret goes to the start with nothing selected.
  void SetText(platform::SharedText text);

  // The selection runs from the anchor (where it was started) to the caret (where it grows).
  size_t Anchor() const { return anchor_; }
  size_t Caret() const { return caret_; }
  size_t SelStart() const { return anchor_ < caret_ ? anchor_ : caret_; }
  size_t SelEnd() const { return anchor_ < caret_ ? caret_ : anchor_; }
  size_t SelLength() const { return SelEnd() - SelStart(); }
  std::string SelText() const { return text_.substr(SelStart(), SelLength()); }
  // Sets anchor and caret, each clamped to the text and moved back to the start of the character
  // it falls in.
  void Select(size_t anchor, size_t caret);
  void SelectAll() { Select(0, text_.size()); }
  // Moves the caret; with extend the anchor stays (the selection grows or shrinks), else it
  // follows (nothing selected).
  void MoveCaret(size_t position, bool extend);

  // Characters.
  size_t CharCount() const { return count_; }
  // The index of the character starting at a boundary (CharCount() for the end).
  size_t CharIndex(size_t position) const;
  // The boundary before character i (the text's size for i = CharCount()).
  size_t CharStart(size_t index) const;
  size_t Snap(size_t position) const;
  size_t NextChar(size_t position) const;
  size_t PrevChar(size_t position) const;
  // Ctrl+Right: past the rest of the word and the blanks after it. Ctrl+Left: back over blanks
  // to the start of the word before.
  size_t NextWordStart(size_t position) const;
  size_t PrevWordStart(size_t position) const;
  // The run (of word characters, or of blanks) holding the character at position (the one before
  // it at the end of the text): what a double click selects.
  void WordAt(size_t position, size_t& start, size_t& end) const;

  // Editing. Each returns whether an edit happened (something deleted or inserted); the caret
  // ends after what was inserted, or where the deletion was, with nothing selected.
  // Replaces the selection by insert, cut to the whole characters that keep the text within
  // maxLength characters (0: no limit).
  bool ReplaceSelection(std::string_view insert, size_t maxLength);
  // Backspace and Delete: the selection, or else the character before or after the caret.
  bool DeleteBackward();
  bool DeleteForward();

 private:
  void Reindex();
  void Replace(size_t from, size_t to, std::string_view insert);
  bool IsBlankAt(size_t position) const;
  // The boundary before the run of characters, ending at position, that are blanks (or are not).
  size_t BackOver(size_t position, bool blanks) const;
  // The last indexed character start at or before the position.
  size_t IndexedBefore(size_t position) const;

  platform::SharedText text_;
  std::vector<size_t> indexed_;  // byte offset of characters 0, kIndexStride, 2 * kIndexStride...
  size_t count_ = 0;
  size_t anchor_ = 0;
  size_t caret_ = 0;
};

}  // namespace framework
