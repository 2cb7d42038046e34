// Controls on forms: tab order, focus notices, mouse routing to non-windowed children with
// enter and leave, painting of children, modal showing, the error report and hints.

#include <string>
#include <vector>

#include "framework/controls/CustomControl.h"
#include "framework/controls/GraphicControl.h"
#include "framework/controls/HintWindow.h"
#include "framework/forms/Form.h"
#include "framework/graphics/Canvas.h"
#include "platform/windows/Input.h"
#include "platform/windows/MessageBox.h"
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

// The error report stands over the window the user looks at and wholly inside the work area.
class ErrorReportPlacement : public ControlsTest {
 protected:
  // Reports a failure from inside the message loop (as a failing handler would, through a timer),
  // with `dialog` shown modally around it when given, and gives where the report's box stood:
  // read from inside the box's own loop, which Enter then ends.
  TRect ReportBounds(TForm* dialog = nullptr) {
    TRect box;
    platform::WNDPROC previous = platform::GetWindowProc(app->Handle());
    platform::SetWindowProc(app->Handle(),
                            [&](platform::HWND h, platform::UINT m, platform::WPARAM w,
                                platform::LPARAM l) -> platform::LRESULT {
                              if (m != platform::WM_TIMER || (w != 77 && w != 78))
                                return platform::CallWindowProc(previous, h, m, w, l);
                              platform::KillTimer(h, w);
                              if (w == 77) {
                                platform::SetTimer(h, 78, 10);
                                app->ShowException(Exception("File access denied"));
                                if (dialog) dialog->SetModalResult(mrCancel);
                              } else {
                                platform::GetWindowRect(platform::GetActiveWindow(), &box);
                                desktop->Key(platform::VK_RETURN);
                              }
                              return 0;
                            });
    platform::SetTimer(app->Handle(), 77, 10);
    if (dialog)
      dialog->ShowModal();
    else
      while (box.IsEmpty()) app->HandleMessage();
    platform::SetWindowProc(app->Handle(), previous);
    return box;
  }

  static TPoint Centre(const TRect& r) { return {r.Left + r.Width() / 2, r.Top + r.Height() / 2}; }
  const TRect workArea{0, 0, 1280, 994};  // a 30-pixel task bar at the bottom
};

TEST_F(ErrorReportPlacement, StandsOverTheOpenEditorNotOverTheBar) {
  desktop->SetWorkArea(workArea);
  form->SetBounds(131, 938, 1019, 56);  // the bar at the bottom of the work area
  form->Show();
  Pump();
  auto* editor = new TForm(app.get());
  editor->SetBorderStyle(bsNone);
  editor->SetBounds(263, 359, 753, 305);
  const TRect box = ReportBounds(editor);
  ASSERT_FALSE(box.IsEmpty());
  EXPECT_EQ(Centre(box).X, Centre(editor->BoundsRect()).X);
  EXPECT_NEAR(Centre(box).Y, Centre(editor->BoundsRect()).Y, 1);
}

TEST_F(ErrorReportPlacement, AnOwnerAtAnyEdgeOfTheWorkAreaKeepsTheBoxInside) {
  desktop->SetWorkArea(workArea);
  const TRect owners[] = {
      platform::Bounds(131, 938, 1019, 56),  // the bar at the bottom
      platform::Bounds(131, 0, 1019, 56),    // at the top
      platform::Bounds(0, 400, 60, 56),      // narrow, at the left
      platform::Bounds(1220, 400, 60, 56),   // narrow, at the right
      platform::Bounds(1200, 960, 300, 80),  // over the bottom right corner, partly off screen
  };
  for (const TRect& owner : owners) {
    form->SetBounds(owner.Left, owner.Top, owner.Width(), owner.Height());
    form->Show();
    Pump();
    const TRect box = ReportBounds();
    SCOPED_TRACE(std::to_string(owner.Left) + "," + std::to_string(owner.Top));
    ASSERT_FALSE(box.IsEmpty());
    EXPECT_EQ(box.Intersected(workArea), box) << "the box leaves the work area";
    // Centred on an owner wholly inside the work area and wider than the box.
    if (owner.Intersected(workArea) == owner && owner.Width() > box.Width()) {
      EXPECT_EQ(Centre(box).X, Centre(owner).X);
    }
  }
}

TEST_F(ErrorReportPlacement, StaysOnTheMonitorOfItsOwner) {
  // A second monitor to the right, larger, with a panel along its bottom.
  const TRect second{1280, 0, 3200, 1080};
  desktop->SetMonitors(
      {{{0, 0, 1280, 1024}, workArea, true}, {second, {1280, 0, 3200, 1050}, false}});
  form->SetBounds(3000, 1000, 300, 50);  // at the bottom right corner of the second monitor
  form->Show();
  Pump();
  const TRect box = ReportBounds();
  ASSERT_FALSE(box.IsEmpty());
  EXPECT_EQ(box.Intersected({1280, 0, 3200, 1050}), box) << "the box leaves the owner's monitor";
  EXPECT_EQ(box.Bottom, 1050);
}

TEST(ErrorReportBounds, CentredOnTheOwnerThenMovedInsideTheWorkArea) {
  using platform::Bounds;
  using platform::MessageBoxBounds;
  const TRect area{0, 30, 1280, 1024};  // a task bar at the top
  const platform::TSize size{300, 120};
  EXPECT_EQ(MessageBoxBounds(size, Bounds(100, 300, 500, 200), area), Bounds(200, 340, 300, 120));
  EXPECT_EQ(MessageBoxBounds(size, std::nullopt, area), Bounds(490, 467, 300, 120));
  EXPECT_EQ(MessageBoxBounds(size, Bounds(131, 968, 1019, 56), area), Bounds(490, 904, 300, 120));
  EXPECT_EQ(MessageBoxBounds(size, Bounds(131, 0, 1019, 56), area), Bounds(490, 30, 300, 120));
  EXPECT_EQ(MessageBoxBounds(size, Bounds(-50, 500, 60, 20), area), Bounds(0, 450, 300, 120));
  EXPECT_EQ(MessageBoxBounds(size, Bounds(1270, 500, 60, 20), area), Bounds(980, 450, 300, 120));
  // Larger than the work area: its caption and the start of its message stay on screen.
  EXPECT_EQ(MessageBoxBounds({1400, 1100}, Bounds(0, 0, 10, 10), area), Bounds(0, 30, 1400, 1100));
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
