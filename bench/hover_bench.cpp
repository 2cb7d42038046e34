// Copy on hover: from a mouse-move message on a slot to the clipboard holding the slot's text, in
// process on the headless desktop, beside a plain copy of the same 100-byte string in the same run.

#include <benchmark/benchmark.h>

#include <fstream>
#include <memory>
#include <string>

#include "app/ProgramClasses.h"
#include "app/Unit1.h"
#include "app/Unit2.h"
#include "framework/Application.h"
#include "platform/files/Files.h"
#include "platform/headless/HeadlessBackend.h"
#include "platform/windows/Window.h"
#include "skin/controls/sEdit.h"

namespace {

const std::string kSnippet(100, 'x');

void BM_PlainCopy(benchmark::State& state) {
  std::string target;
  for (auto _ : state) {
    target = kSnippet;
    benchmark::DoNotOptimize(target.data());
  }
}
BENCHMARK(BM_PlainCopy);

void BM_HoverToClipboard(benchmark::State& state) {
  // The bar reads the snippet file beside the executable, as the program does.
  const std::string config = platform::ExecutableFolder() + "Config.txt";
  {
    std::ofstream out(config, std::ios::binary);
    for (int k = 0; k < 7; ++k) out << kSnippet << "\r\n";
  }
  auto backend = std::make_unique<platform::HeadlessBackend>();
  platform::HeadlessBackend* desktop = backend.get();
  platform::InstallBackend(std::move(backend));
  RegisterProgramClasses();
  {
    framework::TApplication application;
    application.CreateForm(Form1);
    application.CreateForm(Form2);
    Form1->Show();
    application.ProcessMessages();
    const platform::HWND slot = Form1->sEdit3->Handle();
    for (auto _ : state) {
      platform::SendMessage(slot, platform::WM_MOUSEMOVE, 0, platform::MAKELPARAM(20, 10));
      benchmark::DoNotOptimize(desktop->ClipboardContents());
    }
    if (desktop->ClipboardContents() != kSnippet)
      state.SkipWithError("the clipboard does not hold the snippet");
  }
  platform::InstallBackend(nullptr);
  std::remove(config.c_str());
}
BENCHMARK(BM_HoverToClipboard);

}  // namespace
