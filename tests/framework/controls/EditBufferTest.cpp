// The edit's text model: character boundaries of UTF-8 text with invalid bytes, word steps, and
// editing under a length limit counted in characters.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "framework/controls/EditBuffer.h"
#include "platform/Utf8.h"

namespace framework {
namespace {

// "a", "é" (2 bytes), "€" (3), U+1F600 (4), "b": boundaries 0 1 3 6 10 11.
const std::string kMixed =
    "a\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80"
    "b";

TEST(EditBuffer, StepsOverWholeUtf8Characters) {
  EditBuffer b;
  b.SetText(kMixed);
  EXPECT_EQ(b.CharCount(), 5u);
  std::vector<size_t> forward;
  for (size_t p = 0; p < kMixed.size(); p = b.NextChar(p)) forward.push_back(b.NextChar(p));
  EXPECT_EQ(forward, (std::vector<size_t>{1, 3, 6, 10, 11}));
  std::vector<size_t> backward;
  for (size_t p = kMixed.size(); p > 0; p = b.PrevChar(p)) backward.push_back(b.PrevChar(p));
  EXPECT_EQ(backward, (std::vector<size_t>{10, 6, 3, 1, 0}));
  // A position inside a character means the character's start.
  EXPECT_EQ(b.Snap(2), 1u);
  EXPECT_EQ(b.Snap(8), 6u);
  EXPECT_EQ(b.Snap(99), kMixed.size());
  b.Select(4, 9);
  EXPECT_EQ(b.SelStart(), 3u);
  EXPECT_EQ(b.SelText(), "\xE2\x82\xAC");
}

TEST(EditBuffer, InvalidBytesAreCharactersOfTheirOwn) {
  EditBuffer b;
  // A stray continuation byte, a lone lead byte, a truncated sequence and an overlong form.
  const std::string text =
      "\x80"
      "a\xC3"
      "b\xE2\x82"
      "\xC0\xAF";
  b.SetText(text);
  EXPECT_EQ(b.CharCount(), 8u);
  EXPECT_EQ(b.NextChar(2), 3u);
  EXPECT_EQ(b.NextChar(4), 5u);
  // Editing next to them leaves every other byte as it was.
  b.Select(3, 3);
  EXPECT_TRUE(b.ReplaceSelection("x", 0));
  EXPECT_EQ(b.Text(),
            "\x80"
            "a\xC3"
            "xb\xE2\x82"
            "\xC0\xAF");
  b.MoveCaret(b.Text().size(), false);
  EXPECT_TRUE(b.DeleteBackward());
  EXPECT_EQ(b.Text(),
            "\x80"
            "a\xC3"
            "xb\xE2\x82"
            "\xC0");
}

TEST(EditBuffer, DeletingRemovesWholeCharactersAndTheSelection) {
  EditBuffer b;
  b.SetText(kMixed);
  b.MoveCaret(10, false);
  EXPECT_TRUE(b.DeleteBackward());  // the 4-byte character
  EXPECT_EQ(b.Text(),
            "a\xC3\xA9\xE2\x82\xAC"
            "b");
  EXPECT_EQ(b.Caret(), 6u);
  b.MoveCaret(1, false);
  EXPECT_TRUE(b.DeleteForward());  // é
  EXPECT_EQ(b.Text(),
            "a\xE2\x82\xAC"
            "b");
  b.Select(1, 4);
  EXPECT_TRUE(b.DeleteBackward());  // the selection only
  EXPECT_EQ(b.Text(), "ab");
  b.MoveCaret(0, false);
  EXPECT_FALSE(b.DeleteBackward());
  b.MoveCaret(2, false);
  EXPECT_FALSE(b.DeleteForward());
}

TEST(EditBuffer, MaxLengthCountsCharactersNotBytes) {
  EditBuffer b;
  b.SetText("\xC3\xA9");  // one character, two bytes
  b.MoveCaret(2, false);
  // Room for two more characters: two euro signs (six bytes) of three.
  EXPECT_TRUE(b.ReplaceSelection("\xE2\x82\xAC\xE2\x82\xAC\xE2\x82\xAC", 3));
  EXPECT_EQ(b.Text(), "\xC3\xA9\xE2\x82\xAC\xE2\x82\xAC");
  EXPECT_FALSE(b.ReplaceSelection("x", 3));
  // What a replacement removes makes room.
  b.Select(0, 2);
  EXPECT_TRUE(b.ReplaceSelection("xyz", 3));
  EXPECT_EQ(b.Text(), "x\xE2\x82\xAC\xE2\x82\xAC");
  EXPECT_EQ(b.Caret(), 1u);
  EXPECT_TRUE(b.ReplaceSelection("abc", 0));
  EXPECT_EQ(b.CharCount(), 6u);
}

TEST(EditBuffer, WordStepsAndWordSelection) {
  EditBuffer b;
  b.SetText("one  two,three\tfour ");
  EXPECT_EQ(b.NextWordStart(0), 5u);
  EXPECT_EQ(b.NextWordStart(6), 15u);  // punctuation belongs to the word
  EXPECT_EQ(b.NextWordStart(15), 20u);
  EXPECT_EQ(b.PrevWordStart(20), 15u);
  EXPECT_EQ(b.PrevWordStart(15), 5u);
  EXPECT_EQ(b.PrevWordStart(4), 0u);
  size_t start = 0;
  size_t end = 0;
  b.WordAt(7, start, end);
  EXPECT_EQ(b.Text().substr(start, end - start), "two,three");
  b.WordAt(3, start, end);  // on the blanks
  EXPECT_EQ(start, 3u);
  EXPECT_EQ(end, 5u);
  b.WordAt(b.Text().size(), start, end);  // after the last character: the run before it
  EXPECT_EQ(b.Text().substr(start, end - start), " ");
}

TEST(EditBuffer, InsertedBytesThatJoinANeighbourKeepTheCaretOnABoundary) {
  EditBuffer b;
  b.SetText("\xC3");  // a lone lead byte: one character
  b.MoveCaret(1, false);
  EXPECT_TRUE(b.ReplaceSelection("\xA9", 0));  // together they are "é"
  EXPECT_EQ(b.CharCount(), 1u);
  EXPECT_EQ(b.Caret(), 2u);
  b.Select(1, 1);
  EXPECT_EQ(b.Caret(), 0u);
}

}  // namespace
}  // namespace framework

namespace framework {
namespace {

// A text many index strides long, of characters of every length and bytes that stand alone.
std::string LongMixedText() {
  const char* pieces[] = {"a",    "\xC3\xA9", "\xE2\x82\xAC", "\xF0\x9F\x98\x80", " ",
                          "\xFF", "\xC3",     "\t",           "\xE2\x82",         "xyz"};
  std::string text;
  for (size_t i = 0; text.size() < 3000; ++i) text += pieces[(i * 3 + i / 7) % 10];
  return text;
}

TEST(EditBuffer, LongTextsFindEveryCharacterAsAWalkFromTheStartDoes) {
  const std::string text = LongMixedText();
  std::vector<size_t> starts;
  for (size_t i = 0; i < text.size(); platform::NextCodePoint(text, i)) starts.push_back(i);
  EditBuffer b;
  b.SetText(text);
  ASSERT_EQ(b.CharCount(), starts.size());
  ASSERT_GT(b.CharCount(), 3 * EditBuffer::kIndexStride);
  for (size_t k = 0; k < starts.size(); ++k) {
    ASSERT_EQ(b.CharStart(k), starts[k]) << k;
    ASSERT_EQ(b.CharIndex(starts[k]), k) << k;
    ASSERT_EQ(b.NextChar(starts[k]), k + 1 < starts.size() ? starts[k + 1] : text.size()) << k;
    if (k > 0) {
      ASSERT_EQ(b.PrevChar(starts[k]), starts[k - 1]) << k;
    }
  }
  EXPECT_EQ(b.CharStart(starts.size()), text.size());
  EXPECT_EQ(b.CharIndex(text.size()), starts.size());
  for (size_t p = 0; p < text.size(); ++p) {
    const size_t expected = *(std::upper_bound(starts.begin(), starts.end(), p) - 1);
    ASSERT_EQ(b.Snap(p), expected) << p;
  }
}

TEST(EditBuffer, WordStepsCrossIndexStridesInBothDirections) {
  // Words longer than a stride, blanks runs longer than one, and a word ending at a stride.
  const std::string word(150, 'w');
  const std::string text = word + std::string(70, ' ') + "\xC3\xA9" + word + " end";
  EditBuffer b;
  b.SetText(text);
  const size_t second = 150 + 70;
  EXPECT_EQ(b.NextWordStart(0), second);
  EXPECT_EQ(b.NextWordStart(10), second);
  EXPECT_EQ(b.PrevWordStart(text.size()), text.size() - 3);
  EXPECT_EQ(b.PrevWordStart(text.size() - 3), second);
  EXPECT_EQ(b.PrevWordStart(second), 0u);
  EXPECT_EQ(b.PrevWordStart(second - 5), 0u);
  size_t start = 0;
  size_t end = 0;
  b.WordAt(second + 100, start, end);
  EXPECT_EQ(start, second);
  EXPECT_EQ(end, second + 2 + 150);
  b.WordAt(160, start, end);  // inside the blanks
  EXPECT_EQ(start, 150u);
  EXPECT_EQ(end, second);
  b.WordAt(text.size(), start, end);  // the end: the last word
  EXPECT_EQ(start, text.size() - 3);
  EXPECT_EQ(end, text.size());
}

TEST(EditBuffer, EditsMakeANewTextAndLeaveTheSharedOneAsItWas) {
  EditBuffer b;
  b.SetText(std::string(1000, 'a'));
  const platform::SharedText before = b.Shared();
  b.Select(10, 20);
  ASSERT_TRUE(b.ReplaceSelection("xyz", 0));
  EXPECT_EQ(before.Str(), std::string(1000, 'a'));
  EXPECT_EQ(b.Text().size(), 993u);
  EXPECT_EQ(b.Text().substr(8, 7), "aaxyzaa");
  EXPECT_EQ(b.CharCount(), 993u);
  EXPECT_EQ(b.Caret(), 13u);
  // Handing the text on shares it.
  const platform::SharedText after = b.Shared();
  EXPECT_TRUE(after.Shares(b.Shared()));
}

}  // namespace
}  // namespace framework

namespace framework {
namespace {

// A measure of widths as a font's would be: each character's advance by its first byte.
int64_t Advance(std::string_view run, size_t) {
  int64_t width = 0;
  for (size_t i = 0; i < run.size();) {
    const auto lead = static_cast<unsigned char>(run[i]);
    platform::NextCodePoint(run, i);
    width += 3 + lead % 7;
  }
  return width;
}

// Every character start, index and x of the buffer against a walk over its text from the start.
void ExpectMatchesAWalk(const EditBuffer& b, size_t step) {
  const std::string& text = b.Text();
  std::vector<size_t> starts;
  std::vector<int64_t> xs;
  int64_t x = 0;
  for (size_t i = 0; i < text.size();) {
    starts.push_back(i);
    xs.push_back(x);
    const size_t from = i;
    platform::NextCodePoint(text, i);
    x += Advance(std::string_view(text).substr(from, i - from), 1);
  }
  ASSERT_EQ(b.CharCount(), starts.size()) << step;
  ASSERT_EQ(b.Width(), x) << step;
  ASSERT_EQ(b.XOf(starts.size()), x) << step;
  for (size_t k = 0; k < starts.size(); ++k) {
    ASSERT_EQ(b.CharStart(k), starts[k]) << step << " " << k;
    ASSERT_EQ(b.CharIndex(starts[k]), k) << step << " " << k;
    ASSERT_EQ(b.XOf(k), xs[k]) << step << " " << k;
    int64_t at = -1;
    ASSERT_EQ(b.LastCharAtOrBefore(xs[k], at), k) << step << " " << k;
    ASSERT_EQ(at, xs[k]);
  }
}

TEST(EditBuffer, EditsAnywhereKeepCharactersAndWidthsAsAWalkFindsThem) {
  // Typing in one place for long (the marks around it must split), jumping about, deleting runs
  // across many marks, pasting long runs, and bytes that join their neighbours into characters.
  EditBuffer b;
  b.SetMeasure(&Advance);
  b.SetText(LongMixedText());
  ExpectMatchesAWalk(b, 0);
  const char* inserts[] = {"x", "\xC3", "\xA9", "\xE2\x82", "\xAC", " ", "\xF0\x9F\x98\x80", ""};
  uint32_t seed = 7;
  auto next = [&seed](size_t n) {
    seed = seed * 1103515245 + 12345;
    return n == 0 ? 0 : (seed >> 8) % n;
  };
  size_t place = b.Text().size() / 2;
  for (size_t step = 1; step <= 400; ++step) {
    const size_t kind = next(10);
    if (kind == 0) place = next(b.Text().size() + 1);  // the caret goes elsewhere
    if (kind == 1) {
      const size_t anchor = next(b.Text().size() + 1);  // a selection, replaced
      b.Select(anchor, next(b.Text().size() + 1));
    } else {
      b.Select(place, place);
    }
    if (kind == 2) {
      const size_t from = next(100);
      b.ReplaceSelection(LongMixedText().substr(from, next(400)), 0);
    } else if (kind == 3) {
      b.DeleteBackward();
    } else if (kind == 4) {
      b.DeleteForward();
    } else {
      b.ReplaceSelection(inserts[next(8)], 0);
    }
    place = b.Caret();
    ExpectMatchesAWalk(b, step);
    if (HasFatalFailure()) return;
  }
}

TEST(EditBuffer, ATextHeldByTheBufferAloneIsChangedInPlace) {
  EditBuffer b;
  b.SetText(std::string(1000, 'a'));
  const char* bytes = b.Text().data();
  b.Select(500, 501);
  ASSERT_TRUE(b.ReplaceSelection("x", 0));
  EXPECT_EQ(b.Text().data(), bytes);  // no new text of a thousand bytes for one key
  ASSERT_TRUE(b.DeleteBackward());
  EXPECT_EQ(b.Text().data(), bytes);
  EXPECT_EQ(b.Text().substr(498, 3), "aaa");
}

}  // namespace
}  // namespace framework
