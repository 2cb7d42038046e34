#pragma once
// The bar and the editor on the headless desktop, started as the program starts them, with the
// snippet file beside the test program and failures recorded instead of shown in a box.

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <fstream>
#include <functional>
#include <iterator>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "app/ProgramClasses.h"
#include "app/Unit1.h"
#include "app/Unit2.h"
#include "framework/controls/CheckBox.h"
#include "framework/controls/Label.h"
#include "framework/forms/Application.h"
#include "framework/graphics/DisplayScale.h"
#include "platform/files/Files.h"
#include "platform/headless/HeadlessBackend.h"
#include "platform/windows/Input.h"
#include "platform/windows/Timer.h"
#include "platform/windows/Window.h"
#include "skin/controls/sButton.h"
#include "skin/controls/sCheckBox.h"
#include "skin/controls/sEdit.h"
#include "skin/controls/sFadeTimer.h"
#include "skin/controls/sLabel.h"
#include "skin/data/sSkinManager.h"

namespace snipwell::test {

using platform::TRect;

inline std::string ConfigPath() { return platform::ExecutableFolder() + "Config.txt"; }

inline void WriteConfig(const std::string& bytes) {
  std::ofstream out(ConfigPath(), std::ios::binary | std::ios::trunc);
  out << bytes;
}

inline std::string ReadConfig() {
  std::ifstream in(ConfigPath(), std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The texts of the golden pictures.
inline constexpr char kGoldenSnippets[] =
    "Sample Text 1\r\nSample Text 2\r\nSample Text 3\r\nSample Text 4\r\nSample Text 5\r\n"
    "Sample Text 6\r\nSample Text 7\r\n";

// The golden picture of what a stored skin shows: "BlueIce (internal)" names its pictures
// "blueice_<what>".
inline std::string GoldenName(std::string skin, const std::string& what) {
  skin = skin.substr(0, skin.find(' '));
  for (char& c : skin) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return skin + "_" + what;
}

// The user's hand while a modal loop runs: a hidden window whose 20 ms timer calls `tick` on
// every tick, from the loop's own dispatch, until the scope ends.
class PlayingUser {
 public:
  explicit PlayingUser(std::function<void()> tick) : tick_(std::move(tick)) {
    platform::CreateWindowParams p;
    p.ClassName = "User";
    p.Style = platform::WS_POPUP;
    p.Bounds = platform::Bounds(0, 0, 1, 1);
    p.WindowProc = [this](platform::HWND h, platform::UINT m, platform::WPARAM w,
                          platform::LPARAM l) -> platform::LRESULT {
      if (m != platform::WM_TIMER) return platform::DefWindowProc(h, m, w, l);
      tick_();
      return 0;
    };
    window_ = platform::CreateWindowEx(p);
    platform::SetTimer(window_, 1, 20);
  }
  ~PlayingUser() {
    platform::KillTimer(window_, 1);
    platform::DestroyWindow(window_);
  }
  PlayingUser(const PlayingUser&) = delete;
  PlayingUser& operator=(const PlayingUser&) = delete;

 private:
  std::function<void()> tick_;
  platform::HWND window_ = nullptr;
};

class BarTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::remove(ConfigPath().c_str());
    auto backend = std::make_unique<platform::HeadlessBackend>();
    desktop = backend.get();
    platform::InstallBackend(std::move(backend));
    RegisterProgramClasses();
  }
  void TearDown() override {
    app.reset();
    platform::InstallBackend(nullptr);
    std::remove(ConfigPath().c_str());
  }
  // Start-up as the program does it, with failures recorded instead of shown in a box.
  void Start() {
    app = std::make_unique<framework::TApplication>();
    app->SetTitle("Snipwell");
    app->OnException = [this](framework::TObject*, const std::exception& e) {
      reports.push_back(e.what());
    };
    app->CreateForm(Form1);
    app->CreateForm(Form2);
    Form1->Show();
    Pump();
  }
  void Pump() { app->ProcessMessages(); }
  void HoverSlot(int k) {  // 1 to 7
    const TRect r = Form1->Slots()[static_cast<size_t>(k - 1)]->BoundsRect();
    desktop->MoveMouse(Form1->Left() + r.Left + 20, Form1->Top() + r.Top + 10);
    Pump();
  }

  // The pointer comes to rest on slot k once its hint is set (by the copy of the first move), for
  // as long as the tip waits.
  void RestOnSlot(int k) {
    HoverSlot(k);
    platform::TPoint at;
    platform::GetCursorPos(&at);
    desktop->MoveMouse(at.X + 1, at.Y);
    Pump();
    desktop->Advance(static_cast<uint32_t>(app->HintPause));
    Pump();
  }

  // What the desktop shows of a top-level window.
  const platform::DIBitmap& ScreenOf(platform::HWND window) const {
    return desktop->Find(window)->screen;
  }
  // The pointer at (x, y) of the control as the stored description measures it: at a display
  // factor the scaled control is hit at the scaled point.
  void PointAt(const framework::TControl* c, int x, int y) {
    const int n = framework::DisplayScale();
    const platform::TPoint p = c->ClientToScreen({x * n, y * n});
    desktop->MoveMouse(p.X, p.Y);
    Pump();
  }
  void PointAway() {
    desktop->MoveMouse(Form1->Left() + 600, Form1->Top() - 100);
    Pump();
  }
  // Fade steps pass on the desktop's clock.
  void Tick(int steps = 1) {
    for (int i = 0; i < steps; ++i) {
      desktop->Advance(skin::kFadeInterval);
      Pump();
    }
  }
  // Long enough for any fade of the program's skins to end.
  void LetFadesEnd() { Tick(30); }

  // The editor shown, the pointer away from it and every fade ended.
  void ShowEditorAtRest() {
    Form2->Show();
    Pump();
    desktop->MoveMouse(0, 0);
    Pump();
    LetFadesEnd();
  }

  // The editor run modally from "Edit text...", as the user does it: a click on the button at
  // (x, y); while the editor's loop runs, the user plays on the timer's second tick. Should the
  // editor still be open on the 50th, it is closed, so that the test ends either way. Returns the
  // ticks counted.
  int ClickEditTextPlaying(int x, int y, const std::function<void()>& user) {
    int ticks = 0;
    const PlayingUser playing([&] {
      ++ticks;
      if (ticks == 2) user();
      if (ticks == 50 && Form2->Visible()) Form2->Close();
    });
    PointAt(Form1->sButton2, x, y);
    desktop->Click();
    Pump();
    return ticks;
  }

  platform::HeadlessBackend* desktop = nullptr;
  std::unique_ptr<framework::TApplication> app;
  std::vector<std::string> reports;
};

}  // namespace snipwell::test
