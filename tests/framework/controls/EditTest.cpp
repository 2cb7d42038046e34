// The edit as the user drives it: typing, caret steps, selection by keys and mouse, read-only
// fields, the length limit, the clipboard keys, scrolling long text, and the caret's blinking.

#include <string>
#include <vector>

#include "framework/controls/CustomEdit.h"
#include "framework/graphics/Font.h"
#include "platform/Utf8.h"
#include "platform/text/Font.h"
#include "platform/windows/Input.h"
#include "platform/windows/Paint.h"
#include "tests/framework/StandardControlsFixture.h"

namespace framework::test {
namespace {

class EditTest : public StandardControlsTest {
 protected:
  void SetUp() override {
    StandardControlsTest::SetUp();
    form = MakeForm(300, 60);
    edit = Create<TEdit>(form);
    edit->SetParent(form);
    edit->SetBounds(8, 8, 200, 21);
    edit->OnChange = [this](TObject*) { changes.push_back(edit->Text()); };
    other = Create<TEdit>(form);
    other->SetParent(form);
    other->SetBounds(8, 32, 200, 21);
    ShowForm(form);
    edit->SetFocus();
    Pump();
  }
  // The x (client coordinates of the edit) halfway into the character starting at byte `at`.
  int XOf(size_t at) {
    edit->SetSelStart(static_cast<int>(at));
    return edit->CaretX() + 2;
  }

  TForm* form = nullptr;
  TEdit* edit = nullptr;
  TEdit* other = nullptr;
  std::vector<std::string> changes;
};

TEST_F(EditTest, TypedCharactersAreInsertedAsUtf8) {
  ASSERT_TRUE(edit->Focused());
  Type(
      "Gr\xC3\xBC\xC3\x9F"
      "e \xE2\x82\xAC");
  EXPECT_EQ(edit->Text(),
            "Gr\xC3\xBC\xC3\x9F"
            "e \xE2\x82\xAC");
  EXPECT_EQ(edit->SelStart(), static_cast<int>(edit->Text().size()));
  // One change per character typed, each seeing the text as it then is.
  ASSERT_EQ(changes.size(), 7u);
  EXPECT_EQ(changes[2], "Gr\xC3\xBC");
  EXPECT_TRUE(edit->Modified());
  // Control characters other than the edit's own keys type nothing.
  Key(platform::VK_RETURN);
  Key(platform::VK_ESCAPE);
  Key(platform::VK_TAB);
  EXPECT_EQ(changes.size(), 7u);
}

TEST_F(EditTest, CaretMovesAndBackspaceDeletesByWholeCharacters) {
  edit->SetText(
      "a\xC3\xA9\xE2\x82\xAC"
      "b");
  EXPECT_EQ(edit->SelStart(), 0);
  Key(platform::VK_END);
  std::vector<int> stops;
  for (int i = 0; i < 5; ++i) {
    Key(platform::VK_LEFT);
    stops.push_back(edit->SelStart());
  }
  EXPECT_EQ(stops, (std::vector<int>{6, 3, 1, 0, 0}));
  Key(platform::VK_RIGHT);
  Key(platform::VK_RIGHT);
  EXPECT_EQ(edit->SelStart(), 3);
  Key(platform::VK_BACK);  // é, both of its bytes
  EXPECT_EQ(edit->Text(),
            "a\xE2\x82\xAC"
            "b");
  Key(platform::VK_DELETE);  // €
  EXPECT_EQ(edit->Text(), "ab");
  EXPECT_EQ(edit->SelStart(), 1);
}

TEST_F(EditTest, InvalidBytesAreKeptAsTheyAre) {
  const std::string bytes =
      "\xFF"
      "a\xC3(\x80";
  edit->SetText(bytes);
  Key(platform::VK_END);
  Type("z");
  EXPECT_EQ(edit->Text(), bytes + "z");
  Key(platform::VK_HOME);
  Key(platform::VK_DELETE);
  EXPECT_EQ(edit->Text(), "a\xC3(\x80z");
  KeyWith(platform::VK_CONTROL, 'A');
  KeyWith(platform::VK_CONTROL, 'C');
  EXPECT_EQ(desktop->ClipboardContents(), std::optional<std::string>("a\xC3(\x80z"));
}

TEST_F(EditTest, ShiftWithArrowsHomeAndEndSelects) {
  edit->SetText("hello wide world");
  Key(platform::VK_HOME);
  for (int i = 0; i < 3; ++i) KeyWith(platform::VK_SHIFT, platform::VK_RIGHT);
  EXPECT_EQ(edit->SelText(), "hel");
  KeyWith(platform::VK_SHIFT, platform::VK_END);
  EXPECT_EQ(edit->SelText(), "hello wide world");
  KeyWith(platform::VK_SHIFT, platform::VK_HOME);
  EXPECT_EQ(edit->SelLength(), 0);
  // Ctrl steps by words; with Shift it selects them.
  desktop->KeyDown(platform::VK_CONTROL);
  Pump();
  Key(platform::VK_RIGHT);
  desktop->KeyDown(platform::VK_SHIFT);
  Pump();
  Key(platform::VK_RIGHT);
  desktop->KeyUp(platform::VK_SHIFT);
  desktop->KeyUp(platform::VK_CONTROL);
  Pump();
  EXPECT_EQ(edit->SelText(), "wide ");
  // An arrow without Shift drops the selection at its end.
  Key(platform::VK_LEFT);
  EXPECT_EQ(edit->SelStart(), 6);
  EXPECT_EQ(edit->SelLength(), 0);
}

TEST_F(EditTest, MouseSelectsByPressDragDoubleClickAndShiftClick) {
  edit->SetText("hello wide world");
  const int xWide = XOf(6);
  const int xWorld = XOf(11);
  const int xEnd = edit->Width() - 4;
  // A press puts the caret; dragging with the button held selects, beyond the end too.
  desktop->MoveMouse(At(edit, XOf(6) - 2, 10));
  desktop->Press();
  desktop->MoveMouse(At(edit, xEnd, 10));
  desktop->Release();
  Pump();
  EXPECT_EQ(edit->SelText(), "wide world");
  // A double click selects the word under the pointer.
  desktop->Advance(1000);
  desktop->MoveMouse(At(edit, xWorld, 10));
  desktop->Click();
  desktop->Click();
  Pump();
  EXPECT_EQ(edit->SelText(), "world");
  // A click with Shift held extends from where the selection was started.
  desktop->Advance(1000);
  ClickAt(edit, xWide, 10);
  EXPECT_EQ(edit->SelStart(), 6);
  desktop->Advance(1000);
  desktop->KeyDown(platform::VK_SHIFT);
  ClickAt(edit, 2, 10);
  desktop->KeyUp(platform::VK_SHIFT);
  Pump();
  EXPECT_EQ(edit->SelText(), "hello ");
}

TEST_F(EditTest, APressTakesTheFocusAndPlacesTheCaretWithoutSelectingAll) {
  other->SetText("second field");
  ASSERT_FALSE(other->Focused());
  ClickAt(other, 2, 10);
  EXPECT_TRUE(other->Focused());
  EXPECT_EQ(other->SelLength(), 0);
  EXPECT_EQ(other->SelStart(), 0);
  // Tabbing in selects everything (AutoSelect).
  edit->SetText("first");
  Key(platform::VK_TAB);
  EXPECT_TRUE(edit->Focused());
  EXPECT_EQ(edit->SelText(), "first");
}

TEST_F(EditTest, ReadOnlyRefusesChangesButSelectsAndCopies) {
  edit->SetText("fixed text");
  edit->SetReadOnly(true);
  desktop->SetClipboardContents(std::string("pasted"));
  Key(platform::VK_END);
  Type("x");
  Key(platform::VK_BACK);
  Key(platform::VK_HOME);
  Key(platform::VK_DELETE);
  KeyWith(platform::VK_CONTROL, 'V');
  KeyWith(platform::VK_SHIFT, platform::VK_INSERT);
  EXPECT_EQ(edit->Text(), "fixed text");
  KeyWith(platform::VK_CONTROL, 'A');
  EXPECT_EQ(edit->SelText(), "fixed text");
  KeyWith(platform::VK_CONTROL, 'X');  // cutting is changing: nothing happens
  EXPECT_EQ(edit->Text(), "fixed text");
  EXPECT_EQ(desktop->ClipboardContents(), std::optional<std::string>("pasted"));
  KeyWith(platform::VK_CONTROL, 'C');
  EXPECT_EQ(desktop->ClipboardContents(), std::optional<std::string>("fixed text"));
  EXPECT_TRUE(changes.size() == 1);  // only the text set in code
}

TEST_F(EditTest, MaxLengthLimitsWhatTheUserEntersInCharacters) {
  edit->SetMaxLength(4);
  Type(
      "a\xC3\xA9\xE2\x82\xAC"
      "bcd");
  EXPECT_EQ(edit->Text(),
            "a\xC3\xA9\xE2\x82\xAC"
            "b");
  // A paste takes what fits in place of the selection.
  desktop->SetClipboardContents(std::string("\xE2\x82\xAC\xE2\x82\xAC\xE2\x82\xAC"));
  KeyWith(platform::VK_SHIFT, platform::VK_LEFT);
  KeyWith(platform::VK_SHIFT, platform::VK_LEFT);
  KeyWith(platform::VK_CONTROL, 'V');
  EXPECT_EQ(edit->Text(), "a\xC3\xA9\xE2\x82\xAC\xE2\x82\xAC");
  // Text set in code is not cut.
  edit->SetText("longer than four");
  EXPECT_EQ(edit->Text(), "longer than four");
}

TEST_F(EditTest, CutCopyAndPasteKeys) {
  edit->SetText("alpha beta");
  edit->SetSelStart(6);
  edit->SetSelLength(4);
  KeyWith(platform::VK_CONTROL, 'X');
  EXPECT_EQ(edit->Text(), "alpha ");
  EXPECT_EQ(desktop->ClipboardContents(), std::optional<std::string>("beta"));
  Key(platform::VK_HOME);
  KeyWith(platform::VK_CONTROL, 'V');
  EXPECT_EQ(edit->Text(), "betaalpha ");
  KeyWith(platform::VK_SHIFT, platform::VK_HOME);
  KeyWith(platform::VK_CONTROL, platform::VK_INSERT);
  EXPECT_EQ(desktop->ClipboardContents(), std::optional<std::string>("beta"));
  KeyWith(platform::VK_SHIFT, platform::VK_DELETE);
  EXPECT_EQ(edit->Text(), "alpha ");
  Key(platform::VK_END);
  KeyWith(platform::VK_SHIFT, platform::VK_INSERT);
  EXPECT_EQ(edit->Text(), "alpha beta");
  // Pasted text ends at its first line end; a clipboard without text pastes nothing.
  desktop->SetClipboardContents(std::string(" one\r\ntwo"));
  KeyWith(platform::VK_CONTROL, 'V');
  EXPECT_EQ(edit->Text(), "alpha beta one");
  desktop->SetClipboardContents(std::nullopt);
  KeyWith(platform::VK_CONTROL, 'V');
  EXPECT_EQ(edit->Text(), "alpha beta one");
  // A clipboard another program holds makes the keys do nothing.
  desktop->SetClipboardAvailable(false);
  KeyWith(platform::VK_CONTROL, 'A');
  KeyWith(platform::VK_CONTROL, 'X');
  EXPECT_EQ(edit->Text(), "alpha beta one");
  EXPECT_THROW(edit->CopyToClipboard(), Exception);
}

TEST_F(EditTest, LongTextScrollsToKeepTheCaretVisible) {
  const std::string text =
      "The quick brown fox jumps over the lazy dog, twice: the quick brown fox";
  Type(text);
  const int left = edit->BorderInset();
  const int right = edit->Width() - edit->BorderInset();
  EXPECT_GT(edit->ScrollOffset(), 0);
  EXPECT_GE(edit->CaretX(), left);
  EXPECT_LT(edit->CaretX(), right);
  Key(platform::VK_HOME);
  EXPECT_EQ(edit->ScrollOffset(), 0);
  for (int i = 0; i < 30; ++i) Key(platform::VK_RIGHT);
  EXPECT_GE(edit->CaretX(), left);
  EXPECT_LT(edit->CaretX(), right);
  Key(platform::VK_END);
  EXPECT_LT(edit->CaretX(), right);
  // Deleting shrinks the text: no blank space is left after it while more could show.
  edit->SetText("short");
  EXPECT_EQ(edit->ScrollOffset(), 0);
}

TEST_F(EditTest, LongTextsPlaceCaretsAndClicksAsMeasuringEachCharacterDoes) {
  // Many index strides of characters of every width, with stray bytes.
  const char* pieces[] = {"Wq", "\xC3\xA9", "\xE2\x82\xAC", "i", "\xFF", "m", "1"};
  std::string text;
  for (size_t i = 0; text.size() < 4000; ++i) text += pieces[(i * 5 + i / 3) % 7];
  edit->SetText(text);
  std::vector<size_t> starts;
  std::vector<int> x{0};
  platform::HDC screen = platform::GetScreenDC();
  const int saved = platform::SaveDC(screen);
  platform::SelectFont(screen, edit->Font()->Handle());
  for (size_t i = 0; i < text.size();) {
    starts.push_back(i);
    const size_t from = i;
    platform::NextCodePoint(text, i);
    platform::TSize size;
    platform::GetTextExtentPoint32(screen, std::string_view(text).substr(from, i - from), &size);
    x.push_back(x.back() + size.cx);
  }
  platform::RestoreDC(screen, saved);
  const int origin = edit->BorderInset() + 1;
  for (size_t k = 0; k < starts.size(); k += 37) {
    SCOPED_TRACE(k);
    edit->SetSelStart(static_cast<int>(starts[k]));
    ASSERT_EQ(edit->CaretX(), origin + x[k] - edit->ScrollOffset());
    // A click at the caret's place puts the caret there (a while apart: no double clicks).
    desktop->Advance(1000);
    ClickAt(edit, edit->CaretX(), 10);
    ASSERT_EQ(edit->SelStart(), static_cast<int>(starts[k]));
  }
  Key(platform::VK_END);
  EXPECT_EQ(edit->CaretX(), origin + x.back() - edit->ScrollOffset());
  EXPECT_EQ(edit->ScrollOffset(), x.back() - (edit->Width() - 2 * edit->BorderInset() - 3));
}

TEST_F(EditTest, AtTwiceTheScaleTheFrameTheTextMarginAndTheCaretAreTwiceAsWide) {
  const int inset = edit->BorderInset();
  form->ScaleBy(2, 1);
  Pump();
  EXPECT_EQ(edit->BorderInset(), 2 * inset);
  EXPECT_EQ(edit->TextMargin(), 2);
  edit->SetText("Wide");
  Key(platform::VK_HOME);
  const int origin = 2 * inset + 2;
  EXPECT_EQ(edit->CaretX(), origin);
  platform::TSize size;
  {
    const platform::HDC screen = platform::GetScreenDC();
    const platform::SavedDC saved(screen);
    platform::SelectFont(screen, edit->Font()->Handle());
    platform::GetTextExtentPoint32(screen, "Wide", &size);
  }
  Key(platform::VK_END);
  EXPECT_EQ(edit->CaretX(), origin + size.cx);
  // Clicks land where the text shows: just inside its first letter, just inside its last.
  desktop->Advance(1000);
  ClickAt(edit, origin + 1, edit->Height() / 2);
  EXPECT_EQ(edit->SelStart(), 0);
  desktop->Advance(1000);
  ClickAt(edit, origin + size.cx - 1, edit->Height() / 2);
  EXPECT_EQ(edit->SelStart(), 4);
}

TEST_F(EditTest, UpAndDownAreLeftToTheForm) {
  std::vector<uint16_t> previewed;
  form->SetKeyPreview(true);
  form->OnKeyDown = [&](TObject*, uint16_t& key, TShiftState) { previewed.push_back(key); };
  std::vector<uint16_t> reached;
  edit->OnKeyDown = [&](TObject*, uint16_t& key, TShiftState) { reached.push_back(key); };
  edit->SetText("text");
  edit->SetSelStart(2);
  Key(platform::VK_UP);
  Key(platform::VK_DOWN);
  EXPECT_EQ(previewed, (std::vector<uint16_t>{platform::VK_UP, platform::VK_DOWN}));
  EXPECT_EQ(reached, (std::vector<uint16_t>{platform::VK_UP, platform::VK_DOWN}));
  EXPECT_EQ(edit->SelStart(), 2);
  EXPECT_EQ(edit->Text(), "text");
}

TEST_F(EditTest, ACaretBlinksOnlyAfterRecentInputAndNeverWhenReadOnly) {
  Type("x");
  EXPECT_TRUE(edit->CaretShowing());
  EXPECT_TRUE(edit->CaretBlinking());
  desktop->Advance(TCustomEdit::kCaretBlinkMs);
  Pump();
  EXPECT_FALSE(edit->CaretShowing());
  desktop->Advance(TCustomEdit::kCaretBlinkMs);
  Pump();
  EXPECT_TRUE(edit->CaretShowing());
  // Typing shows it at once.
  desktop->Advance(TCustomEdit::kCaretBlinkMs);
  Pump();
  EXPECT_FALSE(edit->CaretShowing());
  Type("y");
  EXPECT_TRUE(edit->CaretShowing());
  // Ten seconds without input: it stays on and the timer stops.
  for (uint32_t t = 0; t <= TCustomEdit::kCaretIdleMs; t += TCustomEdit::kCaretBlinkMs) {
    desktop->Advance(TCustomEdit::kCaretBlinkMs);
    Pump();
  }
  EXPECT_FALSE(edit->CaretBlinking());
  EXPECT_TRUE(edit->CaretShowing());
  // Read-only: shown, steady.
  edit->SetReadOnly(true);
  Key(platform::VK_LEFT);
  EXPECT_TRUE(edit->CaretShowing());
  EXPECT_FALSE(edit->CaretBlinking());
  // Another control takes the focus: no caret here.
  edit->SetReadOnly(false);
  other->SetFocus();
  Pump();
  EXPECT_FALSE(edit->CaretShowing());
  EXPECT_FALSE(edit->CaretBlinking());
}

TEST_F(EditTest, NoBlinkWhileTheFormIsNotActive) {
  desktop->FocusWindow(nullptr);  // the desktop gives the keyboard to another program
  Pump();
  Type("x");  // nothing arrives
  edit->SetSelStart(0);
  desktop->Advance(TCustomEdit::kCaretBlinkMs);
  Pump();
  EXPECT_FALSE(edit->CaretBlinking());
  EXPECT_EQ(edit->Text(), "");
}

TEST_F(EditTest, TextSetInCodeResetsTheSelectionAndTellsOnce) {
  edit->SetText("one two");
  edit->SelectAll();
  edit->SetText("three");
  EXPECT_EQ(edit->SelStart(), 0);
  EXPECT_EQ(edit->SelLength(), 0);
  edit->SetText("three");  // the same text: nothing happens
  EXPECT_EQ(changes, (std::vector<std::string>{"one two", "three"}));
  EXPECT_FALSE(edit->Modified());
  edit->SetSelStart(5);
  edit->SetSelLength(-2);
  EXPECT_EQ(edit->SelText(), "ee");
  edit->SetSelText("EE!");
  EXPECT_EQ(edit->Text(), "thrEE!");
}

TEST_F(EditTest, TheFrameIsDrawnApartFromTheTextArea) {
  // The colour the desktop shows at a point of the edit.
  auto pixel = [this](TEdit* e, int x, int y) { return desktop->ScreenPixel(At(e, x, y)); };
  const TColor shadow = platform::ColorToRGB(platform::clBtnShadow);
  // Made after the form was shown: the window system asks for the frame with the first paint.
  auto* late = Create<TEdit>(form);
  late->SetParent(form);
  late->SetBounds(212, 8, 80, 21);
  Pump();
  EXPECT_EQ(pixel(late, 0, 0), shadow);
  EXPECT_EQ(pixel(late, 1, 1), platform::ColorToRGB(platform::cl3DDkShadow));
  EXPECT_EQ(pixel(late, 2, 2), platform::ColorToRGB(platform::clWindow));
  // A frame property redraws the frame.
  late->SetCtl3D(false);
  Pump();
  EXPECT_EQ(pixel(late, 0, 0), platform::clBlack);
  EXPECT_EQ(pixel(late, 1, 1), platform::ColorToRGB(platform::clWindow));
  // A control that paints the frame itself keeps it: WM_PAINT draws only inside.
  int framePaints = 0;
  late->WindowProc = [&, base = late->WindowProc](TMessage& m) {
    if (m.Msg == platform::WM_NCPAINT) {
      ++framePaints;
      return;
    }
    base(m);
  };
  late->SetCtl3D(true);
  late->SetText("changed");
  Pump();
  EXPECT_EQ(framePaints, 1);
  EXPECT_EQ(pixel(late, 0, 0), platform::clBlack);
}

}  // namespace
}  // namespace framework::test
