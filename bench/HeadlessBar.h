#pragma once
// The benchmarks' bar: started as the program starts it, on the headless desktop, from a snippet
// file beside the executable holding the given bytes; the file goes with it.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <memory>
#include <string>

#include "app/ProgramClasses.h"
#include "app/Unit1.h"
#include "app/Unit2.h"
#include "framework/forms/Application.h"
#include "platform/files/Files.h"
#include "platform/headless/HeadlessBackend.h"
#include "platform/windows/Window.h"

namespace bench {

// A base64-like text of the given size: no blanks, no line ends.
inline std::string Blob(size_t bytes) {
  static const char kAlphabet[] =
      "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
  std::string text(bytes, 'A');
  uint32_t seed = 12345;
  for (char& c : text) {
    seed = seed * 1103515245 + 12345;
    c = kAlphabet[(seed >> 16) % 64];
  }
  return text;
}

class HeadlessBar {
 public:
  explicit HeadlessBar(const std::string& file)
      : config_(platform::ExecutableFolder() + "Config.txt") {
    std::ofstream(config_, std::ios::binary) << file;
    auto backend = std::make_unique<platform::HeadlessBackend>();
    desktop = backend.get();
    platform::InstallBackend(std::move(backend));
    RegisterProgramClasses();
    application = std::make_unique<framework::TApplication>();
    application->CreateForm(Form1);
    application->CreateForm(Form2);
    Form1->Show();
    application->ProcessMessages();
  }
  ~HeadlessBar() {
    application.reset();
    platform::InstallBackend(nullptr);
    std::remove(config_.c_str());
  }
  HeadlessBar(const HeadlessBar&) = delete;
  HeadlessBar& operator=(const HeadlessBar&) = delete;

  platform::HeadlessBackend* desktop = nullptr;
  std::unique_ptr<framework::TApplication> application;

 private:
  std::string config_;
};

}  // namespace bench
