// The bar's context menu on the headless desktop, driven by the mouse and the keys as a user
// would: where it opens and what it lists, choosing a skin, the editor and Exit from it, and the
// pointer and keyboard given back when it closes.

#include <string>
#include <vector>

#include "app/BarMenu.h"
#include "app/SkinChoice.h"
#include "skin/controls/sCommonData.h"
#include "skin/controls/sPanel.h"
#include "skin/controls/sPopupMenu.h"
#include "tests/GoldenPicture.h"
#include "tests/app/BarFixture.h"
#include "tests/platform/files/FileTestSupport.h"

namespace {

using platform::TPoint;
using platform::TRect;

const char kSeven[] = "one\r\ntwo\r\nthree\r\nfour\r\nfive\r\nsix\r\nseven\r\n";
enum Item { kBlueGauze, kBlueIce, kBluePlastic, kSeparator, kEditText, kExit };

class BarMenuTest : public snipwell::test::BarTest {
 protected:
  void SetUp() override {
    BarTest::SetUp();
    snipwell::test::WriteConfig(kSeven);
    Start();
  }

  skin::TsPopupMenu& Menu() const { return Form1->BarMenu().Menu(); }

  // A right-click at a point of a control on the bar.
  void RightClick(const framework::TControl* control, TPoint at = {5, 5}) {
    const TPoint p = control->ClientToScreen(at);
    desktop->MoveMouse(p);
    desktop->Click(3);
    Pump();
  }
  TPoint ItemCentre(int index) const {
    const TRect r = Menu().ItemRect(index);
    TRect window;
    platform::GetWindowRect(Menu().Handle(), &window);
    return {window.Left + (r.Left + r.Right) / 2, window.Top + (r.Top + r.Bottom) / 2};
  }
  void Key(int vk) {
    desktop->Key(vk);
    Pump();
  }
  std::vector<std::string> Captions() const {
    std::vector<std::string> captions;
    for (const framework::TMenuItem& item : Menu().Items()) captions.push_back(item.Caption);
    return captions;
  }
  // The one item marked, or -1.
  int Marked() const {
    int marked = -1;
    for (size_t i = 0; i < Menu().Items().size(); ++i) {
      if (!Menu().Items()[i].Checked) continue;
      if (marked >= 0) return -2;
      marked = static_cast<int>(i);
    }
    return marked;
  }
  bool MenuShown() const {
    const platform::HeadlessBackend::TopLevel* w = desktop->Find(Menu().Handle());
    return Menu().IsOpen() && w && w->visible;
  }

  // The user's folders point into a scratch folder: choosing a skin keeps it in the settings.
  filetest::ScratchHome home_;
};

TEST_F(BarMenuTest, ARightClickOnTheBarButNotOnASlotOpensTheSkinsAndTheCommands) {
  // On the bar's face, its buttons, its check box and its labels.
  for (framework::TControl* place :
       std::vector<framework::TControl*>{Form1, Form1->sPanel1, Form1->sButton1, Form1->sButton2,
                                         Form1->sCheckBox1, Form1->sLabel1}) {
    RightClick(place);
    ASSERT_TRUE(MenuShown()) << place->Name();
    EXPECT_EQ(Captions(), (std::vector<std::string>{"BlueGauze", "BlueIce", "BluePlastic", "-",
                                                    "Edit text...", "Exit"}));
    EXPECT_EQ(Marked(), kBlueIce);
    EXPECT_EQ(Menu().Selected(), -1);
    // A menu of its own kind that holds the desktop's input, the keyboard focus left with the
    // window the user types in.
    EXPECT_TRUE(desktop->Find(Menu().Handle())->style.popupMenu);
    EXPECT_EQ(desktop->InputGrab(), Menu().Handle());
    EXPECT_EQ(desktop->FocusedWindow(), nullptr);
    Key(platform::VK_ESCAPE);
    EXPECT_FALSE(MenuShown());
    EXPECT_EQ(desktop->InputGrab(), nullptr);
  }
  // A slot's right-click belongs to its text.
  RightClick(Form1->sEdit3);
  EXPECT_FALSE(Menu().IsOpen());
}

TEST_F(BarMenuTest, OpensAtThePointerAboveItWhenNoRoomBelowAndLeftOfItAtTheScreenEdge) {
  desktop->SetVirtualScreenSize({1280, 1024});
  Form1->SetBounds(1280 - 1019, 1024 - 56, 1019, 56);
  Pump();
  RightClick(Form1->sButton1, {10, 10});
  ASSERT_TRUE(MenuShown());
  const TPoint pointer = Form1->sButton1->ClientToScreen({10, 10});
  TRect r;
  platform::GetWindowRect(Menu().Handle(), &r);
  EXPECT_EQ(r.Bottom, pointer.Y);  // no room below the bar: above the pointer
  EXPECT_GE(r.Top, 0);
  EXPECT_LE(r.Right, 1280);
  EXPECT_EQ(r.Left, pointer.X < 1280 - r.Width() ? pointer.X : pointer.X - r.Width());
}

TEST_F(BarMenuTest, KeysMoveOverTheSeparatorWrapAroundAndEscapeChoosesNothing) {
  RightClick(Form1->sPanel1);
  Key(platform::VK_DOWN);
  EXPECT_EQ(Menu().Selected(), kBlueGauze);
  Key(platform::VK_UP);
  EXPECT_EQ(Menu().Selected(), kExit);  // wraps
  Key(platform::VK_UP);
  Key(platform::VK_UP);
  EXPECT_EQ(Menu().Selected(), kBluePlastic);  // over the separator
  Key(platform::VK_DOWN);
  EXPECT_EQ(Menu().Selected(), kEditText);
  Key(platform::VK_HOME);
  EXPECT_EQ(Menu().Selected(), kBlueGauze);
  Key(platform::VK_END);
  EXPECT_EQ(Menu().Selected(), kExit);
  Key(platform::VK_ESCAPE);
  EXPECT_FALSE(MenuShown());
  EXPECT_FALSE(app->Terminated());
  EXPECT_EQ(Form1->sSkinManager1->SkinName(), "BlueIce (internal)");
  // The keys reach the bar's world again only through the desktop's focus: none went astray.
  EXPECT_EQ(desktop->InputGrab(), nullptr);
}

TEST_F(BarMenuTest, ChoosingASkinByKeyAppliesItToTheBarAtOnceAndMarksIt) {
  const TPoint face = Form1->ClientToScreen({3, 3});
  const platform::TColor before = desktop->ScreenPixel(face);
  RightClick(Form1->sPanel1);
  Key(platform::VK_DOWN);
  Key(platform::VK_DOWN);
  Key(platform::VK_DOWN);
  Key(platform::VK_RETURN);
  EXPECT_FALSE(MenuShown());
  EXPECT_EQ(desktop->InputGrab(), nullptr);
  EXPECT_EQ(app::ActiveSkin(*Form1->sSkinManager1), "BluePlastic");
  EXPECT_NE(desktop->ScreenPixel(face), before);
  RightClick(Form1->sPanel1);
  EXPECT_EQ(Marked(), kBluePlastic);
}

TEST_F(BarMenuTest, ThePointerSelectsWhatItIsOverAndAReleaseThereChoosesIt) {
  RightClick(Form1->sButton2);
  desktop->MoveMouse(ItemCentre(kBlueGauze));
  Pump();
  EXPECT_EQ(Menu().Selected(), kBlueGauze);
  desktop->MoveMouse(ItemCentre(kSeparator));
  Pump();
  EXPECT_EQ(Menu().Selected(), -1);
  desktop->MoveMouse(ItemCentre(kExit));
  Pump();
  EXPECT_EQ(Menu().Selected(), kExit);
  desktop->Click();
  Pump();
  EXPECT_FALSE(MenuShown());
  EXPECT_TRUE(app->Terminated());  // as the bar's "Exit" does
}

TEST_F(BarMenuTest, APressElsewhereClosesTheMenuAndReachesNothingUnderIt) {
  int exits = 0;
  Form1->sButton1->OnClick = [&](framework::TObject*) { ++exits; };
  RightClick(Form1->sButton2);
  ASSERT_TRUE(MenuShown());
  // The button the pointer was over when the menu opened is no longer hot: the menu has the
  // pointer.
  EXPECT_FALSE(Form1->sButton2->SkinData()->MouseOver);
  // A click on the bar's "Exit" button while the menu is open only closes the menu.
  const TPoint exitButton = Form1->sButton1->ClientToScreen({20, 10});
  desktop->MoveMouse(exitButton);
  Pump();
  EXPECT_EQ(Menu().Selected(), -1);
  desktop->Click();
  Pump();
  EXPECT_FALSE(MenuShown());
  EXPECT_EQ(exits, 0);
  EXPECT_EQ(desktop->FocusedWindow(), nullptr);
  // A click on a slot's separator line is no choice either, and the menu stays.
  RightClick(Form1->sButton2);
  desktop->MoveMouse(ItemCentre(kSeparator));
  desktop->Click();
  Pump();
  EXPECT_TRUE(MenuShown());
  EXPECT_EQ(Form1->sSkinManager1->SkinName(), "BlueIce (internal)");
}

TEST_F(BarMenuTest, EditTextOpensTheEditorAsTheBarsButtonDoes) {
  bool editorShown = false;
  {
    const snipwell::test::PlayingUser user([&] {
      if (!Form2->Visible()) return;
      editorShown = true;
      Form2->Close();
    });
    RightClick(Form1->sPanel1);
    Key(platform::VK_END);
    Key(platform::VK_UP);
    Key(platform::VK_RETURN);
  }
  EXPECT_TRUE(editorShown);
  EXPECT_FALSE(Form2->Visible());
  EXPECT_FALSE(MenuShown());
}

TEST_F(BarMenuTest, NotShownWhenAnotherProgramHoldsTheInput) {
  desktop->SetGrabbedElsewhere(true);
  RightClick(Form1->sPanel1);
  EXPECT_FALSE(MenuShown());
  EXPECT_FALSE(Menu().Handle() && platform::IsWindowVisible(Menu().Handle()));
  desktop->SetGrabbedElsewhere(false);
  RightClick(Form1->sPanel1);
  EXPECT_TRUE(MenuShown());
}

// The menu as each skin draws it, with the editor's command selected; and in the classic look
// while no skin is active.
TEST_F(BarMenuTest, DrawnByEachSkinAndClassicWithoutOne) {
  for (const char* name : {"BlueGauze", "BlueIce", "BluePlastic"}) {
    Form1->sSkinManager1->SetSkinName(std::string(name) + " (internal)");
    Pump();
    RightClick(Form1->sPanel1);
    Key(platform::VK_END);
    Key(platform::VK_UP);
    golden::ExpectGoldenPicture(desktop->Find(Menu().Handle())->screen, "app",
                                std::string("menu_") + name);
    Key(platform::VK_ESCAPE);
  }
  Form1->sSkinManager1->SetActive(false);
  Pump();
  RightClick(Form1->sPanel1);
  Key(platform::VK_END);
  golden::ExpectGoldenPicture(desktop->Find(Menu().Handle())->screen, "app", "menu_classic");
}

}  // namespace
