// Both windows on a dense display, two and three times the stored sizes: the bar's size and
// place, the hover on every slot, the check box, "Exit" and "Edit text..." at the scaled
// positions; the context menu's items where its scaled pictures show them; and golden pictures of
// the bar, the editor, the tip, the menu and an error report at factor 2 in each stored skin.

#include <algorithm>
#include <cctype>

#include <memory>
#include <vector>

#include "app/BarMenu.h"
#include "framework/controls/HintWindow.h"
#include "framework/forms/Application.h"
#include "framework/graphics/DisplayScale.h"
#include "platform/windows/MessageBox.h"
#include "skin/controls/sFadeTimer.h"
#include "skin/controls/sPanel.h"
#include "skin/controls/sPopupMenu.h"
#include "skin/data/sSkinManager.h"
#include "skin/forms/sMessageBox.h"
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
  skin::TsPopupMenu& Menu() const { return Form1->BarMenu().Menu(); }
  // A right-click on the bar's face, at (x, y) as the stored description measures it; the menu
  // opens with "Edit text..." selected by the keys.
  void OpenMenuAt(int x, int y) {
    PointAt(Form1->sPanel1, x, y);
    desktop->Click(3);
    Pump();
    for (const int key : {platform::VK_END, platform::VK_UP}) {
      desktop->Key(key);
      Pump();
    }
  }
  TRect MenuBounds() const {
    TRect r;
    platform::GetWindowRect(Menu().Handle(), &r);
    return r;
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
  // Lengths inside the controls scale with them: the slot's frame and text margin, the buttons'
  // focus frames.
  EXPECT_EQ(Form1->sEdit4->TextMargin(), n);
  EXPECT_EQ(Form1->sButton1->FocusMargin(), n);
  EXPECT_EQ(Form2->sButton1->FocusMargin(), n);
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

// The items: three skins, a separator, then the two commands.
enum MenuItem { kEditText = 4, kExit = 5 };

// Down the middle of the menu, one pixel row at a time: which item the pointer selects on each row
// runs through the frame, the items and the separator at their scaled heights; the menu stands
// above the pointer, as there is no room for it below on the bar; a click on "Exit" where it
// shows ends the program.
TEST_F(ScaledBar, TheMenusItemsAreHitWhereTheyShowAtTheFactor) {
  StartAt(2);
  OpenMenuAt(300, 30);
  ASSERT_TRUE(Menu().IsOpen());
  ASSERT_EQ(Menu().Items().size(), 6U);
  TPoint pointer;
  platform::GetCursorPos(&pointer);
  const TRect menu = MenuBounds();
  EXPECT_EQ(menu.Bottom, pointer.Y);
  EXPECT_EQ(menu.Left, pointer.X);

  struct Run {
    int item;
    int rows;
  };
  std::vector<Run> runs;
  for (int y = menu.Top; y < menu.Bottom; ++y) {
    desktop->MoveMouse(menu.Left + menu.Width() / 2, y);
    Pump();
    if (runs.empty() || runs.back().item != Menu().Selected())
      runs.push_back({Menu().Selected(), 0});
    ++runs.back().rows;
  }
  // The frame, three skins, the separator, two commands, the frame: the items' height is the
  // scaled font's with its scaled room, never less than twice the ordinary 20 pixels.
  ASSERT_EQ(runs.size(), 8U);
  const int itemHeight = runs[1].rows;
  EXPECT_GE(itemHeight, 40);
  const std::vector<int> items{-1, 0, 1, 2, -1, kEditText, kExit, -1};
  const std::vector<int> rows{6, itemHeight, itemHeight, itemHeight, 18, itemHeight, itemHeight, 6};
  for (size_t i = 0; i < runs.size(); ++i) {
    EXPECT_EQ(runs[i].item, items[i]) << "run " << i;
    EXPECT_EQ(runs[i].rows, rows[i]) << "run " << i;
  }

  // Where "Exit" shows at factor 2, and nowhere it would at factor 1.
  desktop->MoveMouse(menu.Left + 40, menu.Bottom - 6 - itemHeight / 2);
  desktop->Click();
  Pump();
  EXPECT_FALSE(Menu().IsOpen());
  EXPECT_TRUE(app->Terminated());
}

// The menu in the classic look while no skin is active: its frame, separator and bullet drawn as
// thick as the factor makes a pixel.
TEST_F(ScaledBar, TheClassicMenu) {
  StartAt(2);
  Form1->sSkinManager1->SetActive(false);
  Pump();
  OpenMenuAt(300, 30);
  ExpectGoldenPicture(ScreenOf(Menu().Handle()), "app", "x2_menu_classic");
}

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

// Without a skin the platform draws the box itself: its frame, sign, lines and fonts twice the
// ordinary size, and OK is hit where it shows.
TEST_F(ScaledBar, ThePlainErrorReport) {
  StartAt(2);
  Form1->sSkinManager1->SetActive(false);
  Pump();
  const platform::MessageBoxLayout layout =
      platform::LayOutMessageBox("File not found.", "Snipwell");
  bool ran = false;
  {
    // The user looks at the box once it has the keyboard, then clicks OK.
    const snipwell::test::PlayingUser user([&] {
      const platform::HWND box = platform::GetFocus();
      const auto* window = desktop->Find(box);
      if (ran || !window) return;
      ran = true;
      ExpectGoldenPicture(window->screen, "app", "x2_error_report_plain");
      // Inside the scaled button, below where an ordinary one would end.
      TRect bounds;
      platform::GetWindowRect(box, &bounds);
      desktop->MoveMouse(bounds.Left + layout.Button.Left + 100,
                         bounds.Top + layout.Button.Top + 40);
      desktop->Click();
    });
    EXPECT_EQ(framework::ShowMessageBox(Form1->Handle(), "File not found.", "Snipwell",
                                        platform::MB_OK | platform::MB_ICONERROR),
              platform::IDOK);
  }
  EXPECT_TRUE(ran);
  EXPECT_EQ(layout.Icon.Width(), 64);
  EXPECT_EQ(layout.Button.Width(), 150);
  EXPECT_EQ(layout.Button.Height(), 46);
}

TEST_P(ScaledSkinnedWindows, TheMenu) {
  StartIn(GetParam());
  OpenMenuAt(300, 30);
  ASSERT_TRUE(Menu().IsOpen());
  ExpectGoldenPicture(ScreenOf(Menu().Handle()), "app", Name("menu"));
}

// The box, its sign, its button and its fonts twice the ordinary size; the button is hit where it
// shows.
TEST_P(ScaledSkinnedWindows, AnErrorReport) {
  StartIn(GetParam());
  const std::string section = skin::MessageBoxSection();
  ASSERT_FALSE(section.empty());
  const std::unique_ptr<skin::TsMessageForm> box(framework::Create<skin::TsMessageForm>(
      Form1->Handle(), "File not found.", "Snipwell", section));
  box->SetBounds(200, 300, box->Width(), box->Height());
  box->Show();
  platform::SetFocus(box->Button()->Handle());
  Pump();
  const platform::MessageBoxLayout layout =
      platform::LayOutMessageBox("File not found.", "Snipwell");
  EXPECT_EQ(layout.Icon.Width(), 64);
  EXPECT_EQ(layout.Button.Width(), 150);
  EXPECT_EQ(layout.Button.Height(), 46);
  EXPECT_EQ(box->Button()->BoundsRect(), layout.Button);
  EXPECT_EQ(box->Width(), layout.Size.cx);
  EXPECT_EQ(box->TextLabel()->Font()->Height(), -22);
  EXPECT_EQ(box->Button()->Font()->Height(), -22);
  ExpectGoldenPicture(ScreenOf(box->Handle()), "app", Name("error_report"));

  // Inside the scaled button, below where an ordinary one would end.
  desktop->MoveMouse(200 + layout.Button.Left + 100, 300 + layout.Button.Top + 40);
  desktop->Click();
  Pump();
  EXPECT_TRUE(box->Done());
}

INSTANTIATE_TEST_SUITE_P(Skins, ScaledSkinnedWindows,
                         ::testing::Values("BlueIce (internal)", "BlueGauze (internal)",
                                           "BluePlastic (internal)"));

}  // namespace
