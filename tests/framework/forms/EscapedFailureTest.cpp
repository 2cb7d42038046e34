// Failures that escape handlers run from a message loop are reported and the loop goes on: from a
// timer, from a paint (reported once, not asked for again and again), and inside a modal form's
// loop. And the tool tip stays small whatever its text.

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "framework/controls/HintWindow.h"
#include "framework/graphics/Brush.h"
#include "framework/graphics/Canvas.h"
#include "platform/text/Font.h"
#include "platform/windows/Paint.h"
#include "platform/windows/Timer.h"
#include "tests/framework/StandardControlsFixture.h"

namespace framework::test {
namespace {

constexpr platform::UINT kPing = platform::WM_USER + 7;

class EscapedFailureTest : public StandardControlsTest {
 protected:
  void SetUp() override {
    StandardControlsTest::SetUp();
    app->OnException = [this](TObject*, const std::exception& e) { reports.push_back(e.what()); };
  }
  void TearDown() override {
    if (window && platform::IsWindow(window)) platform::DestroyWindow(window);
    StandardControlsTest::TearDown();
  }
  // A top-level window whose procedure is `handler` for every message it is given.
  void MakeWindow(std::function<void(platform::UINT)> handler) {
    platform::CreateWindowParams p;
    p.ClassName = "Failing";
    p.Style = platform::WS_POPUP | platform::WS_VISIBLE;
    p.Bounds = platform::Bounds(10, 10, 50, 30);
    p.WindowProc = [this, handler](platform::HWND h, platform::UINT m, platform::WPARAM w,
                                   platform::LPARAM l) -> platform::LRESULT {
      if (m == kPing) ++pings;
      handler(m);
      if (m == platform::WM_PAINT) {
        platform::PAINTSTRUCT ps;
        platform::BeginPaint(h, &ps);
        platform::EndPaint(h, &ps);
        return 0;
      }
      return platform::DefWindowProc(h, m, w, l);
    };
    window = platform::CreateWindowEx(p);
    Pump();
  }
  // The program still answers: a message posted now is handled.
  bool Answers() {
    const int before = pings;
    platform::PostMessage(window, kPing, 0, 0);
    Pump();
    return pings == before + 1;
  }

  platform::HWND window = nullptr;
  int pings = 0;
  std::vector<std::string> reports;
};

TEST_F(EscapedFailureTest, ATimerThatFailsIsReportedAndTheLoopGoesOn) {
  int ticks = 0;
  MakeWindow([&](platform::UINT m) {
    if (m == platform::WM_TIMER && ++ticks == 1)
      throw Exception("Bitmap of 308 x 43346 pixels is too large");
  });
  platform::SetTimer(window, 1, 100);
  desktop->Advance(100);
  Pump();
  EXPECT_EQ(reports, std::vector<std::string>{"Bitmap of 308 x 43346 pixels is too large"});
  EXPECT_TRUE(Answers());
  // The timer keeps running: the next tick is handled as usual.
  desktop->Advance(100);
  Pump();
  EXPECT_EQ(ticks, 2);
  EXPECT_EQ(reports.size(), 1u);
}

TEST_F(EscapedFailureTest, APaintThatFailsIsReportedOnceNotAskedForAgainAndAgain) {
  bool failing = true;
  int paints = 0;
  MakeWindow([&](platform::UINT m) {
    if (m != platform::WM_PAINT) return;
    ++paints;
    if (failing) throw Exception("Out of system resources");
  });
  const int firstPaints = paints;
  EXPECT_EQ(reports.size(), 1u);  // the first paint, when the window showed
  Pump();
  Pump();
  EXPECT_EQ(paints, firstPaints);
  EXPECT_EQ(reports.size(), 1u);
  EXPECT_TRUE(Answers());
  // Invalidated anew, it is painted anew; succeeding now, nothing more is reported.
  failing = false;
  platform::InvalidateRect(window, nullptr, false);
  Pump();
  EXPECT_EQ(paints, firstPaints + 1);
  EXPECT_EQ(reports.size(), 1u);
}

TEST_F(EscapedFailureTest, AFormWhosePaintFailsShowsWhatItDrewAndGoesOn) {
  TForm* form = MakeForm(60, 40);
  form->OnPaint = [form](TObject*) {
    form->Canvas()->Brush()->SetColor(platform::RGB(200, 20, 20));
    form->Canvas()->FillRect({0, 0, 60, 40});
    throw Exception("Canvas does not allow drawing");
  };
  ShowForm(form);
  EXPECT_EQ(reports, std::vector<std::string>{"Canvas does not allow drawing"});
  // The paint was ended all the same: what it drew reached the screen.
  EXPECT_EQ(desktop->ScreenPixel({130, 120}), platform::RGB(200, 20, 20));
  form->OnPaint = nullptr;
  form->Invalidate();
  Pump();
  EXPECT_EQ(reports.size(), 1u);
}

TEST_F(EscapedFailureTest, AFailureInsideAModalLoopLeavesTheFormModalUntilItCloses) {
  TForm* main = MakeForm(300, 50);  // the first form made: the main form
  ShowForm(main);
  TForm* dialog = MakeForm(200, 100);
  int ticks = 0;
  bool modalWhenReported = false;
  MakeWindow([&](platform::UINT m) {
    if (m != platform::WM_TIMER) return;
    ++ticks;
    if (ticks == 1) {
      modalWhenReported = dialog->Visible();
      throw Exception("Cannot open clipboard");
    }
    if (ticks == 2) dialog->Close();
  });
  platform::SetTimer(window, 1, 10);
  // The clock moves while the modal loop waits, as it would on the desktop.
  const TModalResult result = dialog->ShowModal();
  EXPECT_EQ(result, mrCancel);
  EXPECT_EQ(ticks, 2);
  EXPECT_TRUE(modalWhenReported);
  EXPECT_EQ(reports, std::vector<std::string>{"Cannot open clipboard"});
  EXPECT_FALSE(dialog->Visible());
  platform::KillTimer(window, 1);
  EXPECT_TRUE(Answers());

  // A close handler that fails ends the modal loop with its failure, and takes the dialog away
  // rather than leaving it on screen over a main form that takes input again.
  dialog->OnClose = [](TObject*, TCloseAction&) { throw Exception("Invalid pointer operation"); };
  ticks = 1;
  platform::SetTimer(window, 1, 10);
  EXPECT_THROW(dialog->ShowModal(), Exception);
  platform::KillTimer(window, 1);
  EXPECT_FALSE(dialog->Visible());
  EXPECT_TRUE(platform::IsWindowEnabled(main->Handle()));
}

TEST_F(EscapedFailureTest, TheTipStaysSmallWhateverItsText) {
  platform::TextMetric tm;
  platform::HDC screen = platform::GetScreenDC();
  const int saved = platform::SaveDC(screen);
  platform::SelectFont(screen, platform::CreateFontIndirect(platform::LogFont{}));
  platform::GetTextMetrics(screen, &tm);
  platform::RestoreDC(screen, saved);
  const int maxWidth = THintWindow::kMaxWidth + 8;
  const int maxHeight = THintWindow::kMaxLines * tm.tmHeight + 4;

  std::string log;
  while (log.size() < 200 * 1024) log += "2026-12-07 INFO worker-3 request done in 12 ms; ";
  std::string lines;
  for (int i = 0; i < 5000; ++i) lines += "line\r\n";
  const std::string blob(300000, 'Q');
  for (const std::string* text : std::vector<const std::string*>{&log, &lines, &blob}) {
    THintWindow hint;
    hint.ActivateHint(*text, {20, 20});
    platform::TRect r;
    ASSERT_TRUE(platform::GetWindowRect(hint.Handle(), &r));
    EXPECT_LE(r.Width(), maxWidth);
    EXPECT_LE(r.Height(), maxHeight);
    EXPECT_GE(r.Height(), maxHeight - tm.tmHeight);  // the lines are used, not thrown away
    const std::string& shown = hint.Shown();
    ASSERT_GE(shown.size(), 4u);
    EXPECT_EQ(shown.substr(shown.size() - 3), "...");
    EXPECT_EQ(text->compare(0, shown.size() - 3, shown, 0, shown.size() - 3), 0);
    Pump();  // and it paints
  }
  // A text that fits is shown whole.
  THintWindow hint;
  hint.ActivateHint("Sample Text 3", {20, 20});
  EXPECT_EQ(hint.Shown(), "Sample Text 3");
  // The desktop is told it is a tip: never managed, never focused.
  const platform::HeadlessBackend::TopLevel* tip = desktop->Find(hint.Handle());
  ASSERT_NE(tip, nullptr);
  EXPECT_TRUE(tip->style.toolTip);
  EXPECT_TRUE(tip->style.noActivate);
  EXPECT_TRUE(tip->style.topmost);
}

}  // namespace
}  // namespace framework::test
