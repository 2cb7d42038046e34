#pragma once
// Framework tests run on an in-memory desktop with an application object, and pump messages the
// way the application's loop does.

#include <gtest/gtest.h>

#include <memory>

#include "framework/forms/Application.h"
#include "platform/headless/HeadlessBackend.h"
#include "platform/windows/Window.h"

namespace framework::test {

class FrameworkTest : public ::testing::Test {
 protected:
  void SetUp() override {
    auto backend = std::make_unique<platform::HeadlessBackend>();
    desktop = backend.get();
    platform::InstallBackend(std::move(backend));
    app = std::make_unique<TApplication>();
    app->SetTitle("Snipwell");
  }
  void TearDown() override {
    app.reset();
    platform::InstallBackend(nullptr);
  }
  void Pump() { app->ProcessMessages(); }

  platform::HeadlessBackend* desktop = nullptr;
  std::unique_ptr<TApplication> app;
};

}  // namespace framework::test
