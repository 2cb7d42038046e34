// Both windows as each of the three skins draws them: golden pictures of the whole bar at rest,
// with slot 3 hot, with the check box unticked, with "Exit" pressed and half-way through the fade
// onto "Edit text...", and of the whole editor; the tip and the error report in the skin's look;
// and the plain look while the manager is off.

#include "platform/windows/Paint.h"

#include "framework/controls/HintWindow.h"
#include "platform/windows/MessageBox.h"
#include "skin/controls/sFadeTimer.h"
#include "skin/data/sSkinManager.h"
#include "skin/forms/sMessageBox.h"
#include "tests/GoldenPicture.h"
#include "tests/app/BarFixture.h"

namespace {

using golden::ExpectGoldenPicture;
using snipwell::test::BarTest;
using snipwell::test::kGoldenSnippets;
using snipwell::test::WriteConfig;

class SkinnedWindows : public BarTest, public ::testing::WithParamInterface<const char*> {
 protected:
  void StartIn(const std::string& skinName) {
    WriteConfig(kGoldenSnippets);
    Start();
    Form1->sSkinManager1->SetSkinName(skinName);
    Pump();
    PointAway();
  }
  std::string Name(const std::string& what) const {
    return snipwell::test::GoldenName(GetParam(), what);
  }
};

TEST_P(SkinnedWindows, TheBarAtRest) {
  StartIn(GetParam());
  ExpectGoldenPicture(ScreenOf(Form1->Handle()), "app", Name("bar_at_rest"));
}

TEST_P(SkinnedWindows, TheBarWithSlot3Hot) {
  StartIn(GetParam());
  HoverSlot(3);
  ExpectGoldenPicture(ScreenOf(Form1->Handle()), "app", Name("bar_slot3_hot"));
}

// A hover repaints only what it changed (the slots that lose and take the focus, the label): after
// moving on and back the bar is as if slot 3 were hovered once, and as a whole repaint draws it.
TEST_P(SkinnedWindows, HoversOnAndBackRepaintEverythingTheyChange) {
  StartIn(GetParam());
  for (int k : {3, 4, 5, 4, 3}) HoverSlot(k);
  LetFadesEnd();
  ExpectGoldenPicture(ScreenOf(Form1->Handle()), "app", Name("bar_slot3_hot"));
  const platform::DIBitmap hovered = ScreenOf(Form1->Handle());
  platform::RedrawWindow(Form1->Handle(), nullptr, nullptr,
                         platform::RDW_INVALIDATE | platform::RDW_ALLCHILDREN);
  Pump();
  int differing = 0;
  for (int y = 0; y < hovered.Height(); ++y)
    for (int x = 0; x < hovered.Width(); ++x)
      differing += hovered.Pixel(x, y) != ScreenOf(Form1->Handle()).Pixel(x, y);
  EXPECT_EQ(differing, 0);
}

TEST_P(SkinnedWindows, TheBarWithTheCheckBoxUnticked) {
  StartIn(GetParam());
  PointAt(Form1->sCheckBox1, 7, 10);
  desktop->Click();
  Pump();
  EXPECT_FALSE(Form1->sCheckBox1->Checked());
  PointAway();
  LetFadesEnd();
  // The box keeps the focus the click gave it.
  ExpectGoldenPicture(ScreenOf(Form1->Handle()), "app", Name("bar_checkbox_unticked"));
}

TEST_P(SkinnedWindows, TheBarWithExitPressed) {
  StartIn(GetParam());
  PointAt(Form1->sButton1, 23, 13);
  LetFadesEnd();
  desktop->Press();
  Pump();
  LetFadesEnd();
  EXPECT_EQ(Form1->sButton1->CurrentState(), 2);
  ExpectGoldenPicture(ScreenOf(Form1->Handle()), "app", Name("bar_exit_pressed"));
  // Dragged off before the release: the bar stays.
  PointAway();
  desktop->Release();
  Pump();
  EXPECT_TRUE(Form1->Visible());
}

TEST_P(SkinnedWindows, TheBarHalfWayIntoTheHotLookOfEditText) {
  StartIn(GetParam());
  PointAt(Form1->sButton2, 32, 12);
  ASSERT_NE(Form1->sButton2->FadeTimer(), nullptr);
  EXPECT_EQ(Form1->sButton2->FadeTimer()->Iterations, 20);
  Tick(10);
  ExpectGoldenPicture(ScreenOf(Form1->Handle()), "app", Name("bar_edit_text_fading"));
  Tick(11);
  EXPECT_EQ(Form1->sButton2->FadeTimer(), nullptr);
}

TEST_P(SkinnedWindows, TheEditor) {
  StartIn(GetParam());
  ShowEditorAtRest();
  ExpectGoldenPicture(ScreenOf(Form2->Handle()), "app", Name("editor"));
}

TEST_P(SkinnedWindows, TheTipOfASlotStandsAboveTheBarInTheSkinsLook) {
  StartIn(GetParam());
  RestOnSlot(3);
  const framework::THintWindow* tip = app->HintWindow();
  ASSERT_TRUE(tip && tip->Showing());
  platform::TRect tipBounds;
  platform::TRect barBounds;
  platform::GetWindowRect(tip->Handle(), &tipBounds);
  platform::GetWindowRect(Form1->Handle(), &barBounds);
  // Neither the slot nor the labels under it are covered: the tip ends where the bar begins.
  EXPECT_EQ(tipBounds.Bottom, barBounds.Top);
  EXPECT_TRUE(tipBounds.Intersected(barBounds).IsEmpty());
  ExpectGoldenPicture(ScreenOf(tip->Handle()), "app", Name("hint"));
}

TEST_P(SkinnedWindows, AnErrorReportInTheSkinsLookClosesByItsButtonAndByReturn) {
  StartIn(GetParam());
  const std::string section = skin::MessageBoxSection();
  EXPECT_EQ(section, "DIALOG");
  const auto open = [&] {
    std::unique_ptr<skin::TsMessageForm> box(framework::Create<skin::TsMessageForm>(
        Form1->Handle(), "File not found.", "Snipwell", section));
    box->SetBounds(200, 300, box->Width(), box->Height());
    box->Show();
    platform::SetFocus(box->Button()->Handle());
    Pump();
    return box;
  };
  auto box = open();
  // The platform's box would have the same size and parts.
  const platform::MessageBoxLayout layout =
      platform::LayOutMessageBox("File not found.", "Snipwell");
  EXPECT_EQ(box->Width(), layout.Size.cx);
  EXPECT_EQ(box->Height(), layout.Size.cy);
  EXPECT_EQ(box->Button()->BoundsRect(), layout.Button);
  ExpectGoldenPicture(ScreenOf(box->Handle()), "app", Name("error_report"));

  desktop->MoveMouse(200 + layout.Button.Left + 30, 300 + layout.Button.Top + 10);
  Pump();
  EXPECT_FALSE(box->Done());
  desktop->Click();
  Pump();
  EXPECT_TRUE(box->Done());

  box = open();
  desktop->Key(platform::VK_RETURN);
  Pump();
  EXPECT_TRUE(box->Done());
}

INSTANTIATE_TEST_SUITE_P(Skins, SkinnedWindows,
                         ::testing::Values("BlueIce (internal)", "BlueGauze (internal)",
                                           "BluePlastic (internal)"));

using PlainWindows = BarTest;

TEST_F(PlainWindows, AnInactiveManagerLeavesThePlainLookAndActiveAgainTheSkinnedOne) {
  WriteConfig(kGoldenSnippets);
  Start();
  const platform::DIBitmap& screen = ScreenOf(Form1->Handle());
  Form1->sSkinManager1->SetActive(false);
  Pump();
  ExpectGoldenPicture(screen, "app", "bar_unskinned");
  Form1->sSkinManager1->SetActive(true);
  Pump();
  ExpectGoldenPicture(screen, "app", "blueice_bar_at_rest");
}

TEST_F(PlainWindows, AnInactiveManagerLeavesTheClassicTipAndMessageBox) {
  WriteConfig(kGoldenSnippets);
  Start();
  Form1->sSkinManager1->SetActive(false);
  Pump();
  EXPECT_EQ(skin::MessageBoxSection(), "");
  RestOnSlot(3);
  const framework::THintWindow* tip = app->HintWindow();
  ASSERT_TRUE(tip && tip->Showing());
  // The classic tip: a frame-coloured line round the info colour, just below the pointer (the
  // bar's labels are no concern of it).
  const platform::DIBitmap& face = ScreenOf(tip->Handle());
  EXPECT_EQ(face.Pixel(0, 0), platform::ColorToRGB(platform::clWindowFrame));
  EXPECT_EQ(face.Pixel(2, face.Height() - 2), platform::ColorToRGB(platform::clInfoBk));
  platform::TRect tipBounds;
  platform::GetWindowRect(tip->Handle(), &tipBounds);
  platform::TPoint pointer;
  platform::GetCursorPos(&pointer);
  EXPECT_EQ(tipBounds.Left, pointer.X);
}

}  // namespace
