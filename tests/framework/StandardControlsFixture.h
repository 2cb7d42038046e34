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

#include "framework/forms/Application.h"
#include "framework/forms/Form.h"
#include "framework/forms/StandardClasses.h"
#include "platform/drawing/DIBitmap.h"
#include "platform/headless/HeadlessBackend.h"
#include "platform/images/ImageCodecs.h"
#include "platform/windows/Window.h"
#include "tests/GoldenPicture.h"

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

  // Compares the picture with tests/golden/framework/<name>.png (see tests/GoldenPicture.h).
  void ExpectGolden(const platform::DIBitmap& picture, const std::string& name) {
    golden::ExpectGoldenPicture(picture, "framework", name);
  }

  platform::HeadlessBackend* desktop = nullptr;
  std::unique_ptr<TApplication> app;
};

}  // namespace framework::test
