// Both windows on a dense display, two and three times the stored sizes: the bar's size and
// place, the hover on every slot, the check box, "Exit" and "Edit text..." at the scaled
// positions; and golden pictures of the bar and the editor at factor 2 in each stored skin.

#include <algorithm>
#include <cctype>

#include "framework/controls/HintWindow.h"
#include "framework/graphics/DisplayScale.h"
#include "platform/windows/Timer.h"
#include "skin/controls/sFadeTimer.h"
#include "tests/GoldenPicture.h"
#include "tests/app/BarFixture.h"

namespace {

using golden::ExpectGoldenPicture;
using platform::TPoint;
using platform::TRect;
using snipwell::test::BarTest;
using snipwell::test::WriteConfig;

// A desktop the size of a 4K screen, the windows drawn factor times larger.
class ScaledBar : public BarTest {
 protected:
  void StartAt(int factor) {
    framework::SetDisplayScale(factor);
    desktop->SetVirtualScreenSize({3840, 2160});
    desktop->SetWorkArea({0, 0, 3840, 2160});
    WriteConfig(snipwell::test::kGoldenSnippets);
    Start();
  }
  void TearDown() override {
    BarTest::TearDown();
    framework::SetDisplayScale(1);
  }
};

class ScaledBarAt : public ScaledBar, public ::testing::WithParamInterface<int> {};

TEST_P(ScaledBarAt, SizesPlaceHoverCheckBoxAndButtonsFollowTheFactor) {
  const int n = GetParam();
  StartAt(n);
  EXPECT_TRUE(reports.empty());
  EXPECT_EQ(Form1->Width(), 1019 * n);
  EXPECT_EQ(Form1->Height(), 56 * n);
  EXPECT_EQ(Form1->Left(), 3840 / 2 - 1019 * n / 2);
  EXPECT_EQ(Form1->Top(), 2160 - 56 * n);
  EXPECT_EQ(Form2->Width(), 753 * n);
  EXPECT_EQ(Form2->Height(), 305 * n);
  // A slot's height is its font's cell and its frame, both scaled: a scalable face's cell is
  // not quite n times the bitmap face's.
  const TRect slot = Form1->sEdit4->BoundsRect();
  EXPECT_EQ(slot.Left, 420 * n);
  EXPECT_EQ(slot.Top, 4 * n);
  EXPECT_EQ(slot.Width(), 130 * n);
  EXPECT_GE(slot.Height(), 21 * n - 3);
  EXPECT_LE(slot.Height(), 21 * n);
  EXPECT_EQ(Form1->sEdit4->Font()->Height(), -11 * n);
  // The window on the desktop is as large as the form.
  const auto* window = desktop->Find(Form1->Handle());
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(window->screen.Width(), 1019 * n);
  EXPECT_EQ(window->screen.Height(), 56 * n);

  // Every slot copies at its scaled place, down to its last pixel row and column.
  const auto slots = Form1->Slots();
  for (size_t k = 0; k < slots.size(); ++k) {
    PointAt(slots[k], 10, 10);
    EXPECT_EQ(desktop->ClipboardContents(), "Sample Text " + std::to_string(k + 1));
  }
  PointAway();
  const TPoint corner =
      Form1->sEdit2->ClientToScreen({Form1->sEdit2->Width() - 1, Form1->sEdit2->Height() - 1});
  desktop->MoveMouse(corner.X, corner.Y);
  Pump();
  EXPECT_EQ(desktop->ClipboardContents(), "Sample Text 2");

  // The check box unticks where its scaled box is, and empties the clipboard.
  PointAt(Form1->sCheckBox1, 7, 10);
  desktop->Click();
  Pump();
  EXPECT_FALSE(Form1->sCheckBox1->Checked());
  EXPECT_EQ(desktop->ClipboardContents(), "");
  PointAt(Form1->sCheckBox1, 7, 10);
  desktop->Click();
  Pump();
  EXPECT_TRUE(Form1->sCheckBox1->Checked());

  // "Edit text..." opens the editor modally; a timer plays the user and clicks its "Cancel".
  bool editorShown = false;
  const int ticks = ClickEditTextPlaying(30, 12, [&] {
    editorShown = Form2->Visible();
    const TPoint cancel = Form2->sButton2->ClientToScreen({30 * n, 12 * n});
    desktop->MoveMouse(cancel.X, cancel.Y);
    desktop->Click();
  });
  EXPECT_TRUE(editorShown);
  EXPECT_LT(ticks, 50);
  EXPECT_FALSE(Form2->Visible());

  // A click just outside the scaled "Exit" leaves the bar; one inside it closes it.
  const TPoint outside = Form1->sButton1->ClientToScreen({-1, 13 * n});
  desktop->MoveMouse(outside.X, outside.Y);
  desktop->Click();
  Pump();
  EXPECT_FALSE(app->Terminated());
  PointAt(Form1->sButton1, 23, 13);
  desktop->Click();
  Pump();
  EXPECT_TRUE(app->Terminated());
}

INSTANTIATE_TEST_SUITE_P(Factors, ScaledBarAt, ::testing::Values(2, 3));

class ScaledSkinnedWindows : public ScaledBar, public ::testing::WithParamInterface<const char*> {
 protected:
  void StartIn(const std::string& skinName) {
    StartAt(2);
    Form1->sSkinManager1->SetSkinName(skinName);
    Pump();
    PointAway();
  }
  std::string Name(const std::string& what) const {
    return snipwell::test::GoldenName(GetParam(), "x2_" + what);
  }
};

TEST_P(ScaledSkinnedWindows, TheBarAtRest) {
  StartIn(GetParam());
  ExpectGoldenPicture(ScreenOf(Form1->Handle()), "app", Name("bar_at_rest"));
}

TEST_P(ScaledSkinnedWindows, TheEditor) {
  StartIn(GetParam());
  ShowEditorAtRest();
  ExpectGoldenPicture(ScreenOf(Form2->Handle()), "app", Name("editor"));
}

// The tip of a slot is as much larger as the bar: its font, margins and bound (600 pixels of text
// at factor 2, 16 lines), and it still ends where the bar begins.
TEST_P(ScaledSkinnedWindows, TheTipOfASlot) {
  StartIn(GetParam());
  const std::string longText =
      "A much longer snippet that goes on and on about the weather, the sea, the ships and "
      "everything else there is to say on a long afternoon";
  Form1->sEdit3->SetText(longText);
  RestOnSlot(3);
  const framework::THintWindow* tip = app->HintWindow();
  ASSERT_TRUE(tip && tip->Showing());
  EXPECT_EQ(tip->Shown(), longText);
  TRect tipBounds;
  platform::GetWindowRect(tip->Handle(), &tipBounds);
  EXPECT_GT(tipBounds.Width(), 300 + 8);
  EXPECT_LE(tipBounds.Width(), 600 + 16);
  EXPECT_EQ(tipBounds.Bottom, Form1->Top());
  ExpectGoldenPicture(ScreenOf(tip->Handle()), "app", Name("hint"));
}

INSTANTIATE_TEST_SUITE_P(Skins, ScaledSkinnedWindows,
                         ::testing::Values("BlueIce (internal)", "BlueGauze (internal)",
                                           "BluePlastic (internal)"));

}  // namespace
