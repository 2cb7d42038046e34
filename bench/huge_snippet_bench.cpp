// Snippets far beyond what a user types: hovering onto a slot of 30 MB (its text to the clipboard,
// the label and the tip, and the repaint), beside the same hover onto a slot of 100 bytes; and
// drawing a 30 MB line into a slot's 130 pixels, beside drawing 20 characters. In process, on the
// headless desktop.

#include <benchmark/benchmark.h>

#include <fstream>
#include <memory>
#include <string>

#include "app/AppResources.h"
#include "app/Unit1.h"
#include "app/Unit2.h"
#include "framework/Application.h"
#include "framework/ClassRegistry.h"
#include "platform/drawing/DIBitmap.h"
#include "platform/drawing/DeviceContext.h"
#include "platform/files/Files.h"
#include "platform/headless/HeadlessBackend.h"
#include "platform/text/Font.h"
#include "platform/windows/Window.h"
#include "skin/controls/SkinControlClasses.h"
#include "skin/controls/sEdit.h"

namespace {

// A base64-like text of the given size: no blanks, no line ends.
std::string Blob(size_t bytes) {
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

// Moves the pointer from slot 4 onto slot 3 (holding `bytes` bytes) and handles what follows, as
// the message loop would: the copy, the label, the repaint.
void HoverOntoSlot(benchmark::State& state) {
  const size_t bytes = static_cast<size_t>(state.range(0));
  const std::string config = platform::ExecutableFolder() + "Config.txt";
  {
    std::ofstream out(config, std::ios::binary);
    out << "one\r\ntwo\r\n" << Blob(bytes) << "\r\nfour\r\nfive\r\nsix\r\nseven\r\n";
  }
  auto backend = std::make_unique<platform::HeadlessBackend>();
  platform::HeadlessBackend* desktop = backend.get();
  platform::InstallBackend(std::move(backend));
  RegisterAppResources();
  RegisterStoredSkins();
  skin::RegisterSkinControlClasses();
  framework::RegisterClass(TForm1::StaticClassInfo());
  framework::RegisterClass(TForm2::StaticClassInfo());
  {
    framework::TApplication application;
    application.CreateForm(Form1);
    application.CreateForm(Form2);
    Form1->Show();
    application.ProcessMessages();
    const platform::HWND from = Form1->sEdit4->Handle();
    const platform::HWND onto = Form1->sEdit3->Handle();
    for (auto _ : state) {
      platform::SendMessage(from, platform::WM_MOUSEMOVE, 0, platform::MAKELPARAM(20, 10));
      platform::SendMessage(onto, platform::WM_MOUSEMOVE, 0, platform::MAKELPARAM(20, 10));
      application.ProcessMessages();
    }
    if (!desktop->ClipboardShares(Form1->sEdit3->Text()))
      state.SkipWithError("the clipboard does not hold the slot's text");
  }
  platform::InstallBackend(nullptr);
  std::remove(config.c_str());
}
BENCHMARK(HoverOntoSlot)->Arg(100)->Arg(30'000'000)->Unit(benchmark::kMillisecond);

// One line into a slot-sized bitmap, clipped as a slot's text area is.
void DrawLineIntoSlot(benchmark::State& state) {
  const std::string text = Blob(static_cast<size_t>(state.range(0)));
  platform::DIBitmap bitmap(130, 21, 24);
  platform::DeviceContext dc(&bitmap);
  platform::SelectFont(&dc, platform::CreateFontIndirect(platform::LogFont{}));
  for (auto _ : state) {
    platform::TextOut(&dc, 3, 3, text);
    benchmark::DoNotOptimize(bitmap.ScanLine(0));
  }
}
BENCHMARK(DrawLineIntoSlot)->Arg(20)->Arg(30'000'000)->Unit(benchmark::kMicrosecond);

}  // namespace
