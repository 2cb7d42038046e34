// Copy on hover: from a mouse-move message on a slot to the clipboard holding the slot's text, in
// process on the headless desktop, beside a plain copy of the same 100-byte string in the same run;
// and moving onto a slot of 30 MB (its text to the clipboard, the label and the tip, then the
// repaint), beside the same move onto a slot of 100 bytes.

#include <benchmark/benchmark.h>

#include <cstdint>
#include <fstream>
#include <memory>
#include <string>

#include "HeadlessBar.h"
#include "app/ProgramClasses.h"
#include "app/Unit1.h"
#include "app/Unit2.h"
#include "framework/forms/Application.h"
#include "platform/files/Files.h"
#include "platform/headless/HeadlessBackend.h"
#include "platform/windows/Window.h"
#include "skin/controls/sEdit.h"

namespace {

using bench::Blob;
using bench::HeadlessBar;

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
  std::string file;
  for (int k = 0; k < 7; ++k) file += kSnippet + "\r\n";
  HeadlessBar bar(file);
  const platform::HWND slot = Form1->sEdit3->Handle();
  for (auto _ : state) {
    platform::SendMessage(slot, platform::WM_MOUSEMOVE, 0, platform::MAKELPARAM(20, 10));
    benchmark::DoNotOptimize(bar.desktop->ClipboardContents());
  }
  if (bar.desktop->ClipboardContents() != kSnippet)
    state.SkipWithError("the clipboard does not hold the snippet");
}
BENCHMARK(BM_HoverToClipboard);

// From slot 4 onto slot 3, which holds range(0) bytes, and what the message loop does next.
void BM_MoveOntoSlot(benchmark::State& state) {
  HeadlessBar bar("one\r\ntwo\r\n" + Blob(static_cast<size_t>(state.range(0))) +
                  "\r\nfour\r\nfive\r\nsix\r\nseven\r\n");
  const platform::HWND from = Form1->sEdit4->Handle();
  const platform::HWND onto = Form1->sEdit3->Handle();
  for (auto _ : state) {
    platform::SendMessage(from, platform::WM_MOUSEMOVE, 0, platform::MAKELPARAM(20, 10));
    platform::SendMessage(onto, platform::WM_MOUSEMOVE, 0, platform::MAKELPARAM(20, 10));
    bar.application->ProcessMessages();
  }
  if (!bar.desktop->ClipboardShares(Form1->sEdit3->Text()))
    state.SkipWithError("the clipboard does not hold the slot's text");
}
BENCHMARK(BM_MoveOntoSlot)->Arg(100)->Arg(30'000'000)->Unit(benchmark::kMillisecond);

}  // namespace
