// The timer component on the desktop's virtual clock, and the clipboard object's counted opening,
// its failures and the difference between an empty text and none.

#include <stdexcept>
#include <string>
#include <vector>

#include "framework/classes/ClassBuilder.h"
#include "framework/classes/FormReader.h"
#include "framework/controls/ClipboardObject.h"
#include "framework/forms/TimerComponent.h"
#include "tests/framework/StandardControlsFixture.h"

namespace framework::test {
namespace {

using TimerTest = StandardControlsTest;

TEST_F(TimerTest, TicksEveryIntervalWhileEnabledWithAHandler) {
  auto* timer = Create<TTimer>(app.get());
  timer->SetInterval(100);
  EXPECT_FALSE(timer->Running());  // nothing to call yet
  int ticks = 0;
  timer->SetOnTimer([&](TObject* sender) {
    EXPECT_EQ(sender, timer);
    ++ticks;
  });
  EXPECT_TRUE(timer->Running());
  Pump();
  EXPECT_EQ(ticks, 0);
  desktop->Advance(100);
  Pump();
  EXPECT_EQ(ticks, 1);
  // However late the loop comes, one tick per look.
  desktop->Advance(350);
  Pump();
  EXPECT_EQ(ticks, 2);
  timer->SetEnabled(false);
  desktop->Advance(1000);
  Pump();
  EXPECT_EQ(ticks, 2);
  timer->SetEnabled(true);
  timer->SetInterval(0);
  EXPECT_FALSE(timer->Running());
  timer->SetInterval(50);
  desktop->Advance(50);
  Pump();
  EXPECT_EQ(ticks, 3);
  delete timer;
  desktop->Advance(1000);
  Pump();
  EXPECT_EQ(ticks, 3);
}

TEST_F(TimerTest, AFailingHandlerIsReportedAndTheTimerGoesOn) {
  std::vector<std::string> reports;
  app->OnException = [&](TObject*, const std::exception& e) { reports.push_back(e.what()); };
  TTimer timer(nullptr);
  timer.SetInterval(10);
  timer.SetOnTimer([](TObject*) { throw Exception("tick failed"); });
  for (int i = 0; i < 3; ++i) {
    desktop->Advance(10);
    Pump();
  }
  EXPECT_EQ(reports, (std::vector<std::string>{"tick failed", "tick failed", "tick failed"}));
  EXPECT_TRUE(timer.Running());
}

// A form class with a tick handler for descriptions.
class TimerForm : public TForm {
 public:
  using TForm::TForm;
  static const TClassInfo& StaticClassInfo() {
    static const TClassInfo info =
        TClassBuilder<TimerForm>("TTimerTestForm", TForm::StaticClassInfo())
            .Method<TNotifyEvent>("Tick", &TimerForm::Tick)
            .Field("Timer1", &TimerForm::Timer1);
    return info;
  }
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
  void Tick(TObject*) { ++ticks; }
  TTimer* Timer1 = nullptr;
  int ticks = 0;
};

TEST_F(TimerTest, ATimerReadFromADescriptionStartsOnceRead) {
  auto* form = Create<TimerForm>(app.get());
  ReadComponentRes(form,
                   "object TimerTest: TTimerTestForm\n"
                   "  object Timer1: TTimer\n"
                   "    Interval = 200\n"
                   "    OnTimer = Tick\n"
                   "  end\n"
                   "end\n",
                   "TimerTest");
  ASSERT_NE(form->Timer1, nullptr);
  EXPECT_TRUE(form->Timer1->Running());
  desktop->Advance(200);
  Pump();
  EXPECT_EQ(form->ticks, 1);
  EXPECT_THROW(
      ReadComponentRes(
          Create<TimerForm>(app.get()),
          "object T: TTimerTestForm\n  object Timer1: TTimer\n    Interval = -5\n  end\nend\n",
          "T"),
      EReadError);
}

using ClipboardTest = StandardControlsTest;

TEST_F(ClipboardTest, NestedOpensReachThePlatformOnce) {
  TClipboard clipboard;
  clipboard.Open();
  clipboard.SetAsText("first");
  clipboard.Open();
  clipboard.SetAsText("second");
  clipboard.Close();
  EXPECT_EQ(desktop->ClipboardPublishCount(), 0);  // still open
  EXPECT_EQ(clipboard.OpenCount(), 1);
  clipboard.Close();
  EXPECT_EQ(desktop->ClipboardPublishCount(), 1);
  EXPECT_EQ(desktop->ClipboardContents(), std::optional<std::string>("second"));
  // Unbracketed, each operation opens and closes by itself.
  clipboard.SetAsText("a");
  clipboard.SetAsText("b");
  EXPECT_EQ(desktop->ClipboardPublishCount(), 3);
  clipboard.Close();  // not open: nothing happens
  EXPECT_EQ(clipboard.OpenCount(), 0);
}

TEST_F(ClipboardTest, AClipboardThatCannotBeHadFailsWithItsMessage) {
  desktop->SetClipboardContents(std::string("theirs"));
  desktop->SetClipboardAvailable(false);
  TClipboard clipboard;
  try {
    clipboard.SetAsText("mine");
    FAIL() << "no failure";
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message(), "Cannot open clipboard");
  }
  EXPECT_THROW(clipboard.AsText(), Exception);
  EXPECT_EQ(clipboard.OpenCount(), 0);
  desktop->SetClipboardAvailable(true);
  EXPECT_EQ(clipboard.AsText(), "theirs");
  // Published at the last close, and failing there: the object is closed all the same.
  clipboard.Open();
  clipboard.SetAsText("mine");
  desktop->SetClipboardAvailable(false);
  EXPECT_THROW(clipboard.Close(), Exception);
  EXPECT_EQ(clipboard.OpenCount(), 0);
  desktop->SetClipboardAvailable(true);
  EXPECT_EQ(clipboard.AsText(), "theirs");
}

TEST_F(ClipboardTest, AnEmptyTextIsNotNoText) {
  TClipboard clipboard;
  desktop->SetClipboardContents(std::nullopt);
  EXPECT_FALSE(clipboard.HasFormat(CF_TEXT));
  EXPECT_EQ(clipboard.AsText(), "");
  clipboard.SetAsText("");
  EXPECT_TRUE(clipboard.HasFormat(CF_TEXT));
  EXPECT_EQ(desktop->ClipboardContents(), std::optional<std::string>(""));
  EXPECT_EQ(clipboard.AsText(), "");
  // Texts are bytes up to the first zero byte, both ways.
  clipboard.SetAsText(std::string("ab\0cd", 5));
  EXPECT_EQ(desktop->ClipboardContents(), std::optional<std::string>("ab"));
  desktop->SetClipboardContents(std::string("x\0y", 3));
  EXPECT_EQ(clipboard.AsText(), "x");
  // Emptied, the clipboard holds no text of ours (the platform publishes it as an empty text).
  clipboard.Clear();
  EXPECT_EQ(clipboard.AsText(), "");
}

TEST_F(ClipboardTest, AnObjectFreedWhileOpenClosesTheClipboard) {
  {
    TClipboard forgetful;
    forgetful.Open();
  }
  TClipboard next;
  next.SetAsText("after");
  EXPECT_EQ(desktop->ClipboardContents(), std::optional<std::string>("after"));
}

}  // namespace
}  // namespace framework::test
