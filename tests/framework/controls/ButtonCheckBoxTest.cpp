// How buttons click and check boxes change: the mouse, the space key, Enter and Esc through the
// form, changes made in code, and descriptions read at start.

#include <string>
#include <vector>

#include "framework/classes/ClassBuilder.h"
#include "framework/classes/FormReader.h"
#include "framework/controls/Button.h"
#include "framework/controls/CheckBox.h"
#include "framework/controls/CustomEdit.h"
#include "platform/windows/Input.h"
#include "tests/framework/StandardControlsFixture.h"

namespace framework::test {
namespace {

class ButtonTest : public StandardControlsTest {
 protected:
  void SetUp() override {
    StandardControlsTest::SetUp();
    form = MakeForm(300, 80);
    edit = Make<TEdit>(8, 8, 100, 21);
    ok = Make<TButton>(120, 8, 75, 25);
    ok->SetCaption("OK");
    ok->OnClick = [this](TObject*) { clicks.push_back("ok"); };
    cancel = Make<TButton>(200, 8, 75, 25);
    cancel->SetCaption("Cancel");
    cancel->OnClick = [this](TObject*) { clicks.push_back("cancel"); };
    ShowForm(form);
    edit->SetFocus();
    Pump();
  }
  template <typename T>
  T* Make(int left, int top, int width, int height) {
    T* control = Create<T>(form);
    control->SetParent(form);
    control->SetBounds(left, top, width, height);
    return control;
  }

  TForm* form = nullptr;
  TEdit* edit = nullptr;
  TButton* ok = nullptr;
  TButton* cancel = nullptr;
  std::vector<std::string> clicks;
};

TEST_F(ButtonTest, AClickIsAPressAndAReleaseOverTheButton) {
  ClickAt(ok, 10, 10);
  EXPECT_EQ(clicks, (std::vector<std::string>{"ok"}));
  // The press took the focus.
  EXPECT_TRUE(ok->Focused());
  // Released elsewhere: no click; the button pops out while the pointer is off it.
  desktop->MoveMouse(At(cancel, 10, 10));
  desktop->Press();
  Pump();
  EXPECT_TRUE(cancel->Pushed());
  MoveTo(cancel, 200, 10);
  EXPECT_FALSE(cancel->Pushed());
  MoveTo(cancel, 12, 12);
  EXPECT_TRUE(cancel->Pushed());
  MoveTo(cancel, -30, 10);
  desktop->Release();
  Pump();
  EXPECT_FALSE(cancel->Pushed());
  EXPECT_EQ(clicks, (std::vector<std::string>{"ok"}));
  // A release over a button that was not pressed is no click either.
  desktop->MoveMouse(At(form, 2, 60));
  desktop->Press();
  desktop->MoveMouse(At(ok, 10, 10));
  desktop->Release();
  Pump();
  EXPECT_EQ(clicks, (std::vector<std::string>{"ok"}));
}

TEST_F(ButtonTest, SpacePushesTheButtonInAndItsReleaseClicks) {
  cancel->SetFocus();
  Pump();
  desktop->KeyDown(platform::VK_SPACE);
  Pump();
  EXPECT_TRUE(cancel->Pushed());
  EXPECT_TRUE(clicks.empty());
  desktop->KeyUp(platform::VK_SPACE);
  Pump();
  EXPECT_FALSE(cancel->Pushed());
  EXPECT_EQ(clicks, (std::vector<std::string>{"cancel"}));
}

TEST_F(ButtonTest, EnterPressesTheActiveButtonAndEscTheCancelButton) {
  // No default button: Enter in the edit does nothing special.
  Key(platform::VK_RETURN);
  EXPECT_TRUE(clicks.empty());
  ok->SetDefault(true);
  ok->SetModalResult(mrOk);
  cancel->SetCancel(true);
  cancel->SetModalResult(mrCancel);
  Pump();
  EXPECT_TRUE(ok->Active());
  Key(platform::VK_RETURN);
  EXPECT_EQ(clicks, (std::vector<std::string>{"ok"}));
  EXPECT_EQ(form->ModalResult(), mrOk);
  Key(platform::VK_ESCAPE);
  EXPECT_EQ(clicks, (std::vector<std::string>{"ok", "cancel"}));
  EXPECT_EQ(form->ModalResult(), mrCancel);
  // With the focus on a button, Enter presses that one, not the default.
  cancel->SetFocus();
  Pump();
  EXPECT_FALSE(ok->Active());
  EXPECT_TRUE(cancel->Active());
  Key(platform::VK_RETURN);
  EXPECT_EQ(clicks.back(), "cancel");
  // A disabled default button is not pressed.
  edit->SetFocus();
  ok->SetEnabled(false);
  clicks.clear();
  Key(platform::VK_RETURN);
  EXPECT_TRUE(clicks.empty());
}

TEST_F(ButtonTest, ADisabledButtonTakesNoClicks) {
  ok->SetEnabled(false);
  ClickAt(ok, 10, 10);
  EXPECT_TRUE(clicks.empty());
  EXPECT_FALSE(ok->Focused());
}

// A derived button that keeps the pushed state to itself, as a skinned button does: the native
// part then gives no clicks of its own.
class SelfDrawnButton : public TButton {
 public:
  using TButton::TButton;
  void WndProc(TMessage& m) override {
    if (m.Msg == BM_SETSTATE) return;
    TButton::WndProc(m);
  }
};

TEST_F(ButtonTest, DroppingTheButtonStateSilencesTheNativeClicks) {
  auto* own = Make<SelfDrawnButton>(120, 40, 75, 25);
  own->OnClick = [this](TObject*) { clicks.push_back("own"); };
  ClickAt(own, 10, 10);
  own->SetFocus();
  Pump();
  Key(platform::VK_SPACE);
  EXPECT_TRUE(clicks.empty());
  EXPECT_TRUE(own->Focused());
}

class CheckBoxTest : public ButtonTest {
 protected:
  void SetUp() override {
    ButtonTest::SetUp();
    box = Make<TCheckBox>(8, 40, 200, 17);
    box->SetCaption("Copy to Clipboard when mouse over");
    box->OnClick = [this](TObject*) { states.push_back(box->State()); };
    Pump();
  }
  TCheckBox* box = nullptr;
  std::vector<TCheckBoxState> states;
};

TEST_F(CheckBoxTest, EveryStateChangeRunsOnClick) {
  int changedNotices = 0;
  box->WindowProc = [this, &changedNotices, base = box->WindowProc](TMessage& m) {
    if (m.Msg == CM_CHANGED) ++changedNotices;
    base(m);
  };
  ClickAt(box, 6, 8);
  EXPECT_TRUE(box->Checked());
  EXPECT_TRUE(box->Focused());
  Key(platform::VK_SPACE);
  EXPECT_FALSE(box->Checked());
  box->SetChecked(true);
  box->SetChecked(true);  // no change, no click
  box->SetState(cbUnchecked);
  EXPECT_EQ(states, (std::vector<TCheckBoxState>{cbChecked, cbUnchecked, cbChecked, cbUnchecked}));
  EXPECT_EQ(changedNotices, 4);
  // Pressed on it and released off it: no change.
  desktop->MoveMouse(At(box, 6, 8));
  desktop->Press();
  desktop->MoveMouse(At(box, 6, 60));
  desktop->Release();
  Pump();
  EXPECT_FALSE(box->Checked());
  EXPECT_EQ(states.size(), 4u);
}

TEST_F(CheckBoxTest, AllowGrayedCyclesThroughThreeStates) {
  box->SetAllowGrayed(true);
  std::vector<TCheckBoxState> seen;
  for (int i = 0; i < 4; ++i) {
    box->Toggle();
    seen.push_back(box->State());
  }
  EXPECT_EQ(seen, (std::vector<TCheckBoxState>{cbGrayed, cbChecked, cbUnchecked, cbGrayed}));
  EXPECT_EQ(box->Perform(BM_GETCHECK), BST_INDETERMINATE);
}

TEST_F(CheckBoxTest, ClicksDisabledChangesTheStateQuietly) {
  box->SetClicksDisabled(true);
  box->SetChecked(true);
  box->SetClicksDisabled(false);
  EXPECT_TRUE(box->Checked());
  EXPECT_TRUE(states.empty());
}

// A form class whose description binds the check box's OnClick to a method.
class CheckForm : public TForm {
 public:
  using TForm::TForm;
  static const TClassInfo& StaticClassInfo() {
    static const TClassInfo info =
        TClassBuilder<CheckForm>("TCheckTestForm", TForm::StaticClassInfo())
            .Method<TNotifyEvent>("BoxClick", &CheckForm::BoxClick)
            .Field("Box", &CheckForm::Box);
    return info;
  }
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
  void BoxClick(TObject*) { ++clicks; }
  TCheckBox* Box = nullptr;
  int clicks = 0;
};

TEST_F(CheckBoxTest, CheckedInADescriptionIsNoClick) {
  auto* read = Create<CheckForm>(app.get());
  ReadComponentRes(read,
                   "object CheckTest: TCheckTestForm\n"
                   "  object Box: TCheckBox\n"
                   "    Left = 4\n"
                   "    OnClick = BoxClick\n"
                   "    Checked = True\n"
                   "  end\n"
                   "end\n",
                   "CheckTest");
  ASSERT_NE(read->Box, nullptr);
  EXPECT_TRUE(read->Box->Checked());
  EXPECT_EQ(read->clicks, 0);
  read->Box->SetChecked(false);
  EXPECT_EQ(read->clicks, 1);
}

}  // namespace
}  // namespace framework::test
