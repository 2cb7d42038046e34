#pragma once
// The standard controls' tests run on an in-memory desktop with an application object and a
// borderless form to put controls on; input is made as a user would make it and handled the way
// the application's loop handles it. Golden pictures are compared with PNG files under
// tests/golden/framework.

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>

#include "framework/Application.h"
#include "framework/Form.h"
#include "framework/StandardClasses.h"
#include "platform/drawing/DIBitmap.h"
#include "platform/headless/HeadlessBackend.h"
#include "platform/images/ImageCodecs.h"
#include "platform/windows/Window.h"

namespace framework::test {

class StandardControlsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    auto backend = std::make_unique<platform::HeadlessBackend>();
    desktop = backend.get();
    platform::InstallBackend(std::move(backend));
    app = std::make_unique<TApplication>();
    app->SetTitle("Snipwell");
    RegisterStandardClasses();
  }
  void TearDown() override {
    app.reset();
    platform::InstallBackend(nullptr);
  }

  // A borderless form at (100, 100), owned (and freed) by the application; not yet shown.
  TForm* MakeForm(int width, int height, TColor color = platform::clBtnFace) {
    auto* form = Create<TForm>(app.get());
    form->SetBorderStyle(bsNone);
    form->SetPosition(poDesigned);
    form->SetBounds(100, 100, width, height);
    form->SetColor(color);
    return form;
  }
  void ShowForm(TForm* form) {
    form->Show();
    Pump();
  }
  void Pump() { app->ProcessMessages(); }

  // Input at a point of a control, in its client coordinates.
  platform::TPoint At(const TControl* control, int x, int y) const {
    return control->ClientToScreen({x, y});
  }
  void MoveTo(const TControl* control, int x, int y) {
    desktop->MoveMouse(At(control, x, y));
    Pump();
  }
  void ClickAt(const TControl* control, int x, int y) {
    desktop->MoveMouse(At(control, x, y));
    desktop->Click();
    Pump();
  }
  void Key(int vk) {
    desktop->Key(vk);
    Pump();
  }
  // A key with a modifier (VK_SHIFT, VK_CONTROL) held around it. Each step is handled before the
  // next is made, as a person's keys are: the key state the controls read is the latest one.
  void KeyWith(int modifier, int vk) {
    desktop->KeyDown(modifier);
    Pump();
    Key(vk);
    desktop->KeyUp(modifier);
    Pump();
  }
  void Type(const std::string& text) {
    desktop->Type(text);
    Pump();
  }

  // What the desktop shows of the form.
  const platform::DIBitmap& Screen(TForm* form) { return desktop->Find(form->Handle())->screen; }

  // Compares the picture with tests/golden/framework/<name>.png. A missing file is written (and
  // every file when SNIPWELL_UPDATE_GOLDEN=1); a mismatch writes <name>.actual.png beside it.
  void ExpectGolden(const platform::DIBitmap& picture, const std::string& name) {
    const std::filesystem::path dir = std::filesystem::path(SNIPWELL_GOLDEN_DIR) / "framework";
    const std::filesystem::path file = dir / (name + ".png");
    const char* update = std::getenv("SNIPWELL_UPDATE_GOLDEN");
    if (!std::filesystem::exists(file) || (update && std::string(update) == "1")) {
      std::filesystem::create_directories(dir);
      platform::WritePngFile(picture, file.string());
      return;
    }
    const platform::DIBitmap expected = platform::ReadPngFile(file.string());
    bool same = expected.Width() == picture.Width() && expected.Height() == picture.Height();
    for (int y = 0; same && y < picture.Height(); ++y)
      same = std::memcmp(expected.ScanLine(y), picture.ScanLine(y),
                         static_cast<size_t>(picture.Width()) * 3) == 0;
    if (!same) {
      const std::filesystem::path actual = dir / (name + ".actual.png");
      platform::WritePngFile(picture, actual.string());
      ADD_FAILURE() << "The picture differs from " << file << "; what was drawn is in " << actual;
    }
  }

  platform::HeadlessBackend* desktop = nullptr;
  std::unique_ptr<TApplication> app;
};

}  // namespace framework::test
