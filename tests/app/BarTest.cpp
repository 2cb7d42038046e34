// The bar and the editor on the headless desktop: start-up and placement, copy on hover, the
// check box, and the editor's load, save, keys and closing.

#include "platform/windows/Timer.h"
#include "tests/app/BarFixture.h"

namespace {

using platform::TRect;
using snipwell::test::BarTest;
using snipwell::test::ConfigPath;
using snipwell::test::ReadConfig;
using snipwell::test::WriteConfig;

const char kSeven[] =
    "one\r\ntwo\r\n\r\nGr\xc3\xbc\xc3\x9f"
    "e\r\nfive\r\nsix\r\nseven\r\n";

TEST_F(BarTest, StartsFromTheFileAndSitsAtTheBottomCentreOfTheWorkArea) {
  WriteConfig(kSeven);
  desktop->SetWorkArea({0, 30, 1023, 1024});  // a panel at the top; odd width
  Start();
  EXPECT_TRUE(reports.empty());
  EXPECT_EQ(Form1->Left(), 2);         // 1023 div 2 - 1019 div 2
  EXPECT_EQ(Form1->Top(), 1024 - 56);  // at the work area's bottom, below the panel's 30
  EXPECT_EQ(Form1->sEdit4->Text(),
            "Gr\xc3\xbc\xc3\x9f"
            "e");
  EXPECT_EQ(Form1->sEdit3->Text(), "");
  ASSERT_NE(desktop->Find(Form1->Handle()), nullptr);
  EXPECT_TRUE(desktop->Find(Form1->Handle())->style.topmost);
  EXPECT_TRUE(desktop->Find(Form1->Handle())->style.skipTaskbar);
  EXPECT_FALSE(desktop->Find(Form1->Handle())->style.decorated);
  EXPECT_FALSE(Form2->Visible());
  // The bar carries the skins and makes BlueIce current for every window.
  ASSERT_NE(Form1->sSkinManager1, nullptr);
  EXPECT_EQ(Form1->sSkinManager1->InternalSkins()->Count(), 3);
  EXPECT_EQ(Form1->sSkinManager1->SkinName(), "BlueIce (internal)");
  EXPECT_TRUE(Form1->sSkinManager1->SkinData().SkinReady);
  EXPECT_EQ(Form1->sSkinManager1->SkinInfo(), "4.83");
  EXPECT_EQ(skin::DefaultManager(), Form1->sSkinManager1);
}

TEST_F(BarTest, WithoutTheFileOneReportTheStoredTextsAndTheBarInPlace) {
  Start();
  EXPECT_EQ(reports, (std::vector<std::string>{"File not found"}));
  EXPECT_EQ(Form1->Left(), 131);
  EXPECT_EQ(Form1->Top(), 994 - 56);
  EXPECT_EQ(Form1->sEdit7->Text(), "Sample Text 7");
}

TEST_F(BarTest, HoverCopiesFocusesSelectsAndShowsTheText) {
  WriteConfig(kSeven);
  Start();
  HoverSlot(4);
  EXPECT_EQ(desktop->ClipboardContents(),
            "Gr\xc3\xbc\xc3\x9f"
            "e");
  EXPECT_TRUE(Form1->sEdit4->Focused());
  EXPECT_EQ(Form1->sEdit4->SelLength(), static_cast<int>(Form1->sEdit4->Text().size()));
  EXPECT_EQ(Form1->sLabel2->Caption(),
            "Gr\xc3\xbc\xc3\x9f"
            "e");
  EXPECT_EQ(Form1->sEdit4->Hint(),
            "Gr\xc3\xbc\xc3\x9f"
            "e");
  // An empty slot puts the empty text there and empties the label.
  HoverSlot(3);
  EXPECT_EQ(desktop->ClipboardContents(), "");
  EXPECT_EQ(Form1->sLabel2->Caption(), "");
  // Hovering never takes the desktop's keyboard from the program the user types in.
  EXPECT_EQ(desktop->FocusedWindow(), nullptr);
}

TEST_F(BarTest, UntickedHoverChangesNothingAndUntickingEmptiesTheClipboard) {
  WriteConfig(kSeven);
  Start();
  HoverSlot(1);
  Form1->sCheckBox1->SetChecked(false);
  EXPECT_EQ(desktop->ClipboardContents(), "");
  EXPECT_EQ(Form1->sLabel2->Caption(), "");
  EXPECT_EQ(Form1->Hint(), "");
  EXPECT_EQ(Form1->sEdit1->Hint(), "one");  // the slots' hints stay
  desktop->SetClipboardContents("from elsewhere");
  HoverSlot(2);
  EXPECT_EQ(desktop->ClipboardContents(), "from elsewhere");
  EXPECT_FALSE(Form1->sEdit2->Focused());
  EXPECT_EQ(Form1->sEdit2->Hint(), "");
  Form1->sCheckBox1->SetChecked(true);
  EXPECT_EQ(desktop->ClipboardContents(), "from elsewhere");  // ticking copies nothing by itself
  HoverSlot(5);
  EXPECT_EQ(desktop->ClipboardContents(), "five");
}

TEST_F(BarTest, AClipboardThatCannotBeHadIsReportedAndTheNextMoveTriesAgain) {
  WriteConfig(kSeven);
  Start();
  desktop->SetClipboardAvailable(false);
  HoverSlot(6);
  EXPECT_EQ(reports, (std::vector<std::string>{"Cannot open clipboard"}));
  EXPECT_TRUE(Form1->sEdit6->Focused());     // what came before the failure stays done
  EXPECT_EQ(Form1->sLabel2->Caption(), "");  // what came after did not happen
  desktop->SetClipboardAvailable(true);
  desktop->MoveMouse(Form1->Left() + Form1->sEdit6->Left() + 21, Form1->Top() + 14);
  Pump();
  EXPECT_EQ(desktop->ClipboardContents(), "six");
}

TEST_F(BarTest, EditorReloadsAtShowSavesOnOkAndCopiesIntoTheBar) {
  WriteConfig("a\r\nb\r\nc\r\n");
  Start();
  Form2->Show();
  Pump();
  EXPECT_EQ(Form2->sEdit3->Text(), "c");
  EXPECT_EQ(Form2->sEdit4->Text(), "");  // no line for it: what it held (nothing yet)
  EXPECT_TRUE(Form2->sEdit1->Focused());
  // Cancelled edits are gone at the next show where the file has lines.
  Form2->sEdit2->SetText("typed");
  Form2->Hide();
  Form2->Show();
  Pump();
  EXPECT_EQ(Form2->sEdit2->Text(), "b");
  // OK: a, empty, c, empty, empty, empty, g.
  Form2->sEdit2->SetText("");
  Form2->sEdit7->SetText("g");
  Form2->sButton1Click(nullptr);
  EXPECT_EQ(ReadConfig(), "a\r\n\r\nc\r\n\r\n\r\n\r\ng\r\n");
  EXPECT_EQ(Form1->sEdit2->Text(), "");
  EXPECT_EQ(Form1->sEdit7->Text(), "g");
}

TEST_F(BarTest, AFailedLoadStillOpensTheEditorAndAFailedSaveKeepsItOpen) {
  WriteConfig(kSeven);
  Start();
  std::remove(ConfigPath().c_str());
  Form2->sEdit2->SetText("kept");
  Form2->Show();
  Pump();
  EXPECT_EQ(reports, (std::vector<std::string>{"File not found"}));
  EXPECT_TRUE(Form2->Visible());
  EXPECT_EQ(Form2->sEdit2->Text(), "kept");
  // A folder where the file should be: the save fails, the bar keeps its texts, the dialog stays.
  ASSERT_EQ(mkdir(ConfigPath().c_str(), 0755), 0);
  const std::string slot2 = Form1->sEdit2->Text();
  const platform::TPoint ok = Form2->sButton1->ClientToScreen({30, 15});
  desktop->MoveMouse(ok.X, ok.Y);
  desktop->Click();
  Pump();
  rmdir(ConfigPath().c_str());
  ASSERT_EQ(reports.size(), 2u);
  EXPECT_EQ(reports[1], "File access denied");
  EXPECT_TRUE(Form2->Visible());
  EXPECT_EQ(Form1->sEdit2->Text(), slot2);
}

TEST_F(BarTest, EditorKeysMoveThroughTheTabOrderWithWrapAroundAndEscCloses) {
  WriteConfig(kSeven);
  Start();
  Form2->Show();
  Pump();
  desktop->FocusWindow(Form2->Handle());
  Pump();
  ASSERT_TRUE(Form2->sEdit1->Focused());
  for (int i = 0; i < 7; ++i) desktop->Key(platform::VK_DOWN);
  Pump();
  EXPECT_TRUE(Form2->sButton1->Focused());
  desktop->Key(platform::VK_DOWN);
  desktop->Key(platform::VK_DOWN);
  Pump();
  EXPECT_TRUE(Form2->sEdit1->Focused());
  desktop->Key(platform::VK_UP);
  Pump();
  EXPECT_TRUE(Form2->sButton2->Focused());
  // Enter does nothing special; Esc closes as Cancel would, saving nothing.
  const std::string before = ReadConfig();
  Form2->sEdit1->SetFocus();
  desktop->Key(platform::VK_RETURN);
  Pump();
  EXPECT_TRUE(Form2->Visible());
  desktop->Key(platform::VK_ESCAPE);
  Pump();
  EXPECT_FALSE(Form2->Visible());
  EXPECT_EQ(ReadConfig(), before);
}

TEST_F(BarTest, ACopiedTextWiderThanTheRoomBeforeTheTitleIsCutThereAndKeptWholeElsewhere) {
  const std::string longText(200, 'W');
  WriteConfig("short\r\n" + longText + "\r\n");
  Start();
  HoverSlot(1);
  const int shortWidth = Form1->sLabel2->Width();
  EXPECT_LT(shortWidth, Form1->CopiedTextRoom());
  HoverSlot(2);
  EXPECT_EQ(Form1->sLabel2->Width(), Form1->CopiedTextRoom());
  EXPECT_LE(Form1->sLabel2->Left() + Form1->sLabel2->Width(), Form1->sLabelFX1->Left());
  EXPECT_EQ(Form1->sLabel2->Caption(), longText);
  EXPECT_EQ(Form1->sEdit2->Hint(), longText);
  EXPECT_TRUE(desktop->ClipboardShares(Form1->sEdit2->Text()));
  // Nothing of the text is drawn between the label's end and the title: the bar there is as it
  // is with the short text.
  const platform::DIBitmap& screen = desktop->Find(Form1->Handle())->screen;
  const int gapLeft = Form1->sLabel2->Left() + Form1->sLabel2->Width();
  const int top = Form1->sLabel2->Top();
  std::vector<platform::TColor> withLong;
  for (int x = gapLeft; x < Form1->sLabelFX1->Left(); ++x)
    for (int y = top; y < top + Form1->sLabel2->Height(); ++y)
      withLong.push_back(screen.Pixel(x, y));
  HoverSlot(1);
  EXPECT_EQ(Form1->sLabel2->Width(), shortWidth);
  std::vector<platform::TColor> withShort;
  for (int x = gapLeft; x < Form1->sLabelFX1->Left(); ++x)
    for (int y = top; y < top + Form1->sLabel2->Height(); ++y)
      withShort.push_back(screen.Pixel(x, y));
  EXPECT_EQ(withLong, withShort);
}

TEST_F(BarTest, HoverAndOkShareOneCopyOfASnippet) {
  const std::string big(1 << 20, 'b');
  WriteConfig("one\r\ntwo\r\n" + big + "\r\nfour\r\n");
  Start();
  HoverSlot(3);
  const platform::SharedText text = Form1->sEdit3->Text();
  EXPECT_EQ(text, big);
  EXPECT_TRUE(Form1->sLabel2->Caption().Shares(text));
  EXPECT_TRUE(Form1->sEdit3->Hint().Shares(text));
  EXPECT_TRUE(desktop->ClipboardShares(text));
  // OK hands the editor's texts to the bar as they are.
  Form2->Show();
  Pump();
  Form2->sEdit3->SetText(std::string(1 << 20, 'c'));
  Form2->sButton1Click(nullptr);
  EXPECT_TRUE(Form1->sEdit3->Text().Shares(Form2->sEdit3->Text()));
  EXPECT_EQ(Form1->sEdit3->Text().size(), size_t{1} << 20);
}

// The editor run modally from "Edit text...", as the user does it: while its loop runs, a timer
// plays the user, typing into field 3 and clicking OK through the desktop's event queue, with
// moves over the (disabled) bar queued behind the click.
TEST_F(BarTest, OkClosesTheModalEditorEvenWhenTheBarFailsToTakeTheNewTexts) {
  WriteConfig(kSeven);
  Start();
  Form1->sEdit3->OnChange = [](framework::TObject*) {
    throw framework::Exception("Out of system resources");
  };
  const int ticks = ClickEditTextPlaying(30, 12, [this] {
    Form2->sEdit3->SetText("changed");
    const platform::TPoint ok = Form2->sButton1->ClientToScreen({30, 15});
    desktop->MoveMouse(ok.X, ok.Y);
    desktop->Click();
    const TRect slot = Form1->sEdit1->BoundsRect();
    desktop->MoveMouse(Form1->Left() + slot.Left + 20, Form1->Top() + slot.Top + 10);
  });
  EXPECT_LT(ticks, 50);
  EXPECT_FALSE(Form2->Visible());
  EXPECT_EQ(reports, std::vector<std::string>{"Out of system resources"});
  EXPECT_EQ(ReadConfig(),
            "one\r\ntwo\r\nchanged\r\nGr\xc3\xbc\xc3\x9f"
            "e\r\nfive\r\nsix\r\nseven\r\n");
  // The bar is enabled again and copies on hover.
  HoverSlot(2);
  EXPECT_EQ(desktop->ClipboardContents(), "two");
}

}  // namespace
