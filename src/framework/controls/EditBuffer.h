#pragma once
// The text of a single-line editor with its caret and selection.
//
// The text is kept exactly as bytes. Positions are byte offsets, but every position the buffer
// hands out or keeps lies on a character boundary: characters are UTF-8 sequences, and a byte that
// does not start a valid sequence is a character of its own (shown as its Latin-1 character), as
// platform/Utf8.h decodes. Words are runs of characters other than blanks (space, tab, the line
// and page ends, and no-break space), as the classic edit control's default word breaking has it.
//
// The text is shared with whoever else holds it (the class library's string semantics): giving the
// text away copies no bytes, and an edit of a text somebody else holds makes a new one. A text held
// by the buffer alone is changed in place, so a key typed into a text of many megabytes moves only
// the bytes after the caret.
//
// Characters are found through marks: the start of a character every kIndexStride of them or so
// (never more than twice that apart), with the character's index and its x (the widths of the
// characters before it added up, by a measure the edit's layout gives). Marks before the last
// edit's place are kept from the text's start, marks after it from the text's end; an edit thus
// changes only the marks around it, and moving the place of editing converts the marks passed
// over. A key costs the characters around the caret, not the text.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/SharedText.h"

namespace framework {

class EditBuffer {
 public:
  static constexpr size_t kIndexStride = 64;

  // What a run of whole characters (chars of them) measures across.
  using Measure = std::function<int64_t(std::string_view run, size_t chars)>;

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
  size_t CharCount() const { return total_.chr; }
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

  // Widths. The measure is asked for the whole text now and after each SetText, and for the
  // characters around each edit; without one every x is 0.
  void SetMeasure(Measure measure);
  // The x of the boundary before character i (the text's width for i = CharCount()).
  int64_t XOf(size_t index) const;
  int64_t Width() const { return total_.x; }
  // The last character whose left edge lies at or before x, and that edge.
  size_t LastCharAtOrBefore(int64_t x, int64_t& charX) const;

  // Editing. Each returns whether an edit happened (something deleted or inserted); the caret
  // ends after what was inserted, or where the deletion was, with nothing selected.
  // Replaces the selection by insert, cut to the whole characters that keep the text within
  // maxLength characters (0: no limit).
  bool ReplaceSelection(std::string_view insert, size_t maxLength);
  // Backspace and Delete: the selection, or else the character before or after the caret.
  bool DeleteBackward();
  bool DeleteForward();

 private:
  struct Mark {
    size_t byte = 0;
    size_t chr = 0;
    int64_t x = 0;
    Mark operator-(const Mark& m) const { return {byte - m.byte, chr - m.chr, x - m.x}; }
  };

  void Reindex();
  // The x of every mark and the width, anew (0 without a measure).
  void MeasureAll();
  void Replace(size_t from, size_t to, std::string_view insert);
  // Marks the characters of the run from mark a (kept) up to mark b (kept, or the text's end) again
  // in that many runs, measuring each.
  void Remark(size_t a, size_t b, size_t count, size_t runs);
  int64_t MeasureRun(size_t from, size_t to, size_t chars) const;
  bool IsBlankAt(size_t position) const;
  // The boundary before the run of characters, ending at position, that are blanks (or are not).
  size_t BackOver(size_t position, bool blanks) const;

  // Mark i from the text's start, whichever way it is kept.
  Mark At(size_t i) const { return i < split_ ? marks_[i] : total_ - marks_[i]; }
  // Marks [0, split) are kept from the text's start, the others from its end.
  void MoveSplit(size_t split);
  // The last mark whose field is at or before the value (mark 0 at least).
  size_t LastMark(size_t Mark::*field, size_t value) const;
  size_t LastMarkAtX(int64_t x) const;

  platform::SharedText text_;
  std::vector<Mark> marks_;
  size_t split_ = 0;
  Mark total_;  // the text's size, its characters and its width
  Measure measure_;
  size_t anchor_ = 0;
  size_t caret_ = 0;
};

}  // namespace framework
