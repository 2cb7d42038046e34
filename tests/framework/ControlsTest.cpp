// Controls on forms: tab order, focus notices, mouse routing to non-windowed children with
// enter and leave, painting of children, modal showing, the error report and hints.

#include <string>
#include <vector>

#include "framework/Canvas.h"
#include "framework/CustomControl.h"
#include "framework/Form.h"
#include "framework/GraphicControl.h"
#include "framework/HintWindow.h"
#include "platform/windows/Timer.h"
#include "tests/framework/FrameworkFixture.h"

namespace framework::test {
namespace {

using platform::Bounds;

// A focusable windowed control that records its notices and fills itself with its colour.
class Box : public TCustomControl {
 public:
  Box(TComponent* owner, std::vector<std::string>* log) : TCustomControl(owner), log_(log) {
    SetTabStop(true);
  }
  void WndProc(TMessage& m) override {
    if (m.Msg == CM_ENTER) log_->push_back(Name() + ".enter");
    if (m.Msg == CM_EXIT) log_->push_back(Name() + ".exit");
    if (m.Msg == CM_MOUSEENTER) log_->push_back(Name() + ".mouseenter");
    if (m.Msg == CM_MOUSELEAVE) log_->push_back(Name() + ".mouseleave");
    TCustomControl::WndProc(m);
  }

 protected:
  void Paint() override {
    Canvas()->Brush()->SetColor(Color());
    Canvas()->FillRect(ClientRect());
  }

 private:
  std::vector<std::string>* log_;
};

// A non-windowed child that records what reaches it.
class Dot : public TGraphicControl {
 public:
  Dot(TComponent* owner, std::vector<std::string>* log) : TGraphicControl(owner), log_(log) {}
  void WndProc(TMessage& m) override {
    if (m.Msg == CM_MOUSEENTER) log_->push_back(Name() + ".mouseenter");
    if (m.Msg == CM_MOUSELEAVE) log_->push_back(Name() + ".mouseleave");
    if (m.Msg == platform::WM_LBUTTONDOWN)
      log_->push_back(Name() + ".down@" + std::to_string(platform::GET_X_LPARAM(m.LParam)) + "," +
                      std::to_string(platform::GET_Y_LPARAM(m.LParam)));
    TGraphicControl::WndProc(m);
  }

 protected:
  void Paint() override {
    Canvas()->Brush()->SetColor(platform::clRed);
    Canvas()->FillRect(ClientRect());
  }

 private:
  std::vector<std::string>* log_;
};

class ControlsTest : public FrameworkTest {
 protected:
  void SetUp() override {
    FrameworkTest::SetUp();
    form = new TForm(app.get());
    form->SetBorderStyle(bsNone);
    form->SetBounds(100, 100, 300, 100);
    panel = new Box(form, &log);
    panel->SetName("panel");
    panel->SetTabStop(false);
    panel->SetControlStyle(panel->ControlStyle() | csAcceptsControls);
    panel->SetBounds(0, 0, 300, 50);
    panel->SetParent(form);
    for (int i = 0; i < 3; ++i) {
      auto* b = new Box(form, &log);
      b->SetName("b" + std::to_string(i));
      b->SetBounds(10 + i * 60, 10, 50, 30);
      b->SetParent(panel);
      boxes.push_back(b);
    }
    last = new Box(form, &log);
    last->SetName("last");
    last->SetBounds(10, 60, 50, 30);
    last->SetParent(form);
  }

  TForm* form = nullptr;
  Box* panel = nullptr;
  Box* last = nullptr;
  std::vector<Box*> boxes;
  std::vector<std::string> log;
};

TEST_F(ControlsTest, SelectNextFollowsTabOrderAndWrapsAround) {
  form->Show();
  Pump();
  boxes[2]->SetTabOrder(0);  // b2, b0, b1 inside the panel
  boxes[0]->SetFocus();
  Pump();
  std::vector<std::string> order;
  for (int i = 0; i < 5; ++i) {
    form->SelectNext(form->ActiveControl(), true, true);
    order.push_back(form->ActiveControl()->Name());
  }
  EXPECT_EQ(order, (std::vector<std::string>{"b1", "last", "b2", "b0", "b1"}));
  form->SelectNext(form->ActiveControl(), false, true);
  EXPECT_EQ(form->ActiveControl()->Name(), "b0");
  // A hidden or disabled control is passed over.
  boxes[1]->SetEnabled(false);
  form->SelectNext(boxes[0], true, true);
  EXPECT_EQ(form->ActiveControl(), last);
}

TEST_F(ControlsTest, FocusMovesWithExitThenEnterNotices) {
  form->Show();
  Pump();
  boxes[0]->SetFocus();
  Pump();
  log.clear();
  last->SetFocus();
  EXPECT_EQ(log, (std::vector<std::string>{"b0.exit", "panel.exit", "last.enter"}));
  EXPECT_TRUE(last->Focused());
  EXPECT_FALSE(boxes[0]->Focused());
}

TEST_F(ControlsTest, MouseReachesNonWindowedChildrenWithEnterAndLeave) {
  auto* dot = new Dot(form, &log);
  dot->SetName("dot");
  dot->SetBounds(250, 60, 20, 20);
  dot->SetParent(form);
  form->Show();
  Pump();
  log.clear();
  desktop->MoveMouse(100 + 255, 100 + 65);
  desktop->Click();
  desktop->MoveMouse(100 + 20, 100 + 70);  // onto `last`
  Pump();
  EXPECT_EQ(log, (std::vector<std::string>{"dot.mouseenter", "dot.down@5,5", "dot.mouseleave",
                                           "last.mouseenter"}));
  // The child is painted over its parent's face.
  EXPECT_EQ(desktop->ScreenPixel({100 + 255, 100 + 65}), platform::clRed);
}

TEST_F(ControlsTest, ShowModalDisablesTheOtherFormsUntilItEnds) {
  form->Show();
  Pump();
  auto* dialog = new TForm(app.get());
  dialog->SetBounds(0, 0, 200, 100);
  bool ran = false;
  auto* timerHost = new Box(dialog, &log);
  timerHost->SetParent(dialog);
  timerHost->OnClick = [&](TObject*) {};
  // Acts from inside the modal loop: the owner is disabled, then the dialog ends.
  dialog->OnShow = [&](TObject*) { platform::SetTimer(app->Handle(), 77, 10); };
  platform::WNDPROC previous = platform::GetWindowProc(app->Handle());
  platform::SetWindowProc(app->Handle(),
                          [&](platform::HWND h, platform::UINT m, platform::WPARAM w,
                              platform::LPARAM l) -> platform::LRESULT {
                            if (m == platform::WM_TIMER && w == 77) {
                              platform::KillTimer(h, 77);
                              ran = true;
                              EXPECT_FALSE(platform::IsWindowEnabled(form->Handle()));
                              EXPECT_TRUE(platform::IsWindowEnabled(dialog->Handle()));
                              dialog->SetModalResult(mrOk);
                              return 0;
                            }
                            return platform::CallWindowProc(previous, h, m, w, l);
                          });
  EXPECT_EQ(dialog->ShowModal(), mrOk);
  platform::SetWindowProc(app->Handle(), previous);
  EXPECT_TRUE(ran);
  EXPECT_TRUE(platform::IsWindowEnabled(form->Handle()));
  EXPECT_FALSE(dialog->Visible());
  EXPECT_THROW(
      {
        dialog->Show();
        dialog->ShowModal();
      },
      Exception);
}

TEST(ErrorReport, AppendsAFullStopAfterCharactersAboveIt) {
  EXPECT_EQ(ErrorReportText("File not found"), "File not found.");
  EXPECT_EQ(ErrorReportText("I/O error 32"), "I/O error 32.");  // '2' is above '.'
  EXPECT_EQ(ErrorReportText("Done."), "Done.");
  EXPECT_EQ(ErrorReportText("What?!"), "What?!");  // only the last character counts
  EXPECT_EQ(ErrorReportText("a-"), "a-");          // '-' is below '.'
  EXPECT_EQ(ErrorReportText(""), "");
  EXPECT_EQ(ErrorReportText("Grüße"), "Grüße.");  // the last byte of "e" is above '.'
}

TEST_F(ControlsTest, FailuresInHandlersAreReportedAndTheProgramGoesOn) {
  std::vector<std::string> reported;
  app->OnException = [&](TObject*, const std::exception& e) { reported.push_back(e.what()); };
  last->OnClick = [](TObject*) { throw Exception("File not found"); };
  form->Show();
  Pump();
  desktop->MoveMouse(100 + 20, 100 + 70);
  desktop->Click();
  Pump();
  EXPECT_EQ(reported, (std::vector<std::string>{"File not found"}));
  EXPECT_TRUE(form->Visible());
}

TEST_F(ControlsTest, HintsShowAfterThePauseHideOnLeaveAndClickAndFollowChanges) {
  form->SetShowHint(true);
  last->SetHint("first");
  form->Show();
  Pump();
  desktop->MoveMouse(100 + 20, 100 + 70);
  Pump();
  EXPECT_TRUE(!app->HintWindow() || !app->HintWindow()->Showing());
  desktop->Advance(500);
  Pump();
  ASSERT_NE(app->HintWindow(), nullptr);
  EXPECT_TRUE(app->HintWindow()->Showing());
  EXPECT_EQ(app->HintWindow()->Text(), "first");
  // The tip follows a hint that changes while it shows.
  last->SetHint("second");
  desktop->MoveMouse(100 + 21, 100 + 70);
  Pump();
  EXPECT_EQ(app->HintWindow()->Text(), "second");
  // A click hides it, and it stays hidden while the pointer stays.
  desktop->Click();
  Pump();
  EXPECT_FALSE(app->HintWindow()->Showing());
  desktop->Advance(1000);
  desktop->MoveMouse(100 + 22, 100 + 70);
  Pump();
  EXPECT_FALSE(app->HintWindow()->Showing());
  // Leaving and coming back shows it again after the pause; leaving hides it.
  desktop->MoveMouse(100 + 280, 100 + 90);
  desktop->MoveMouse(100 + 20, 100 + 70);
  Pump();
  desktop->Advance(500);
  Pump();
  EXPECT_TRUE(app->HintWindow()->Showing());
  desktop->MoveMouse(100 + 280, 100 + 90);
  Pump();
  EXPECT_FALSE(app->HintWindow()->Showing());
  // A control that goes while it is the hint's control leaves nothing pointing at it.
  desktop->MoveMouse(100 + 20, 100 + 70);
  Pump();
  delete last;
  last = nullptr;
  desktop->Advance(500);
  desktop->MoveMouse(100 + 25, 100 + 75);
  Pump();
  EXPECT_FALSE(app->HintWindow()->Showing());
}

}  // namespace
}  // namespace framework::test
