#pragma once
// The bar and the editor on the headless desktop, started as the program starts them, with the
// snippet file beside the test program and failures recorded instead of shown in a box.

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "app/ProgramClasses.h"
#include "app/Unit1.h"
#include "app/Unit2.h"
#include "framework/controls/CheckBox.h"
#include "framework/controls/Label.h"
#include "framework/forms/Application.h"
#include "platform/files/Files.h"
#include "platform/headless/HeadlessBackend.h"
#include "platform/windows/Input.h"
#include "platform/windows/Window.h"
#include "skin/controls/sButton.h"
#include "skin/controls/sCheckBox.h"
#include "skin/controls/sEdit.h"
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

  platform::HeadlessBackend* desktop = nullptr;
  std::unique_ptr<framework::TApplication> app;
  std::vector<std::string> reports;
};

}  // namespace snipwell::test
