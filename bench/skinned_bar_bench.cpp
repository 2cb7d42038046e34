// The skinned bar on the headless desktop: composing and presenting the whole bar with every cache
// dirty, and the mouse moving from slot 3 to slot 4 (both slots rendered again and presented),
// beside a plain copy of the bar's 1019 x 56 24-bit back buffer in the same run; both again on a
// display of scale 2 (2038 x 112, four times the pixels). And one step of a
// fade of the editor's 75 x 30 "OK" button (the frame mixed and put on the window, then
// presented), beside a copy of that button's pixels.

#include <benchmark/benchmark.h>

#include <cstring>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "HeadlessBar.h"
#include "app/ProgramClasses.h"
#include "app/Unit1.h"
#include "app/Unit2.h"
#include "framework/forms/Application.h"
#include "framework/graphics/DisplayScale.h"
#include "platform/files/Files.h"
#include "platform/headless/HeadlessBackend.h"
#include "platform/windows/Paint.h"
#include "platform/windows/Window.h"
#include "skin/controls/sButton.h"
#include "skin/controls/sCheckBox.h"
#include "skin/controls/sEdit.h"
#include "skin/controls/sPanel.h"
#include "skin/forms/sSkinProvider.h"

namespace {

constexpr int kBarWidth = 1019;
constexpr int kBarHeight = 56;

// Sets the display's scale for a benchmark's life.
class ScaleScope {
 public:
  explicit ScaleScope(int factor) { framework::SetDisplayScale(factor); }
  ~ScaleScope() { framework::SetDisplayScale(1); }
  ScaleScope(const ScaleScope&) = delete;
  ScaleScope& operator=(const ScaleScope&) = delete;
};

// The program's bar, shown and painted once, with the seven snippets read from the snippet file.
class ShownBar : public bench::HeadlessBar {
 public:
  ShownBar() : HeadlessBar(SampleSnippets()) {}

  void HoverSlot(int k) {
    const platform::TRect r = Form1->Slots()[static_cast<size_t>(k - 1)]->BoundsRect();
    desktop->MoveMouse(Form1->Left() + r.Left + 20, Form1->Top() + r.Top + 10);
    application->ProcessMessages();
  }
  const platform::DIBitmap& Screen() const { return desktop->Find(Form1->Handle())->screen; }

 private:
  static std::string SampleSnippets() {
    std::string file;
    for (int k = 1; k <= 7; ++k) file += "Sample Text " + std::to_string(k) + "\r\n";
    return file;
  }
};

// The baseline of each figure: a copy of as many 24-bit pixels as it paints.
void BM_BaselineMemcpy(benchmark::State& state, int width, int height) {
  const size_t bytes = static_cast<size_t>(width) * height * 3;
  std::vector<uint8_t> from(bytes, 0x5A);
  std::vector<uint8_t> to(bytes);
  for (auto _ : state) {
    std::memcpy(to.data(), from.data(), bytes);
    benchmark::DoNotOptimize(to.data());
    benchmark::ClobberMemory();
  }
}
BENCHMARK_CAPTURE(BM_BaselineMemcpy, bar, kBarWidth, kBarHeight)
    ->Name("FullBarPaint/baseline_memcpy");
BENCHMARK_CAPTURE(BM_BaselineMemcpy, bar2, kBarWidth * 2, kBarHeight * 2)
    ->Name("FullBarPaint/scale2/baseline_memcpy");

void BM_FullBarPaint(benchmark::State& state, int factor) {
  const ScaleScope scale(factor);
  ShownBar bar;
  std::vector<skin::TsCommonData*> bindings{Form1->sSkinProvider1->SkinData(),
                                            Form1->sPanel1->SkinData()};
  for (TsEdit* slot : Form1->Slots()) bindings.push_back(slot->SkinData());
  bindings.push_back(Form1->sButton1->SkinData());
  bindings.push_back(Form1->sButton2->SkinData());
  bindings.push_back(Form1->sCheckBox1->SkinData());
  const platform::HWND bar_window = Form1->Handle();
  for (auto _ : state) {
    for (skin::TsCommonData* data : bindings) data->BackgroundDirty = true;
    platform::RedrawWindow(bar_window, nullptr, nullptr,
                           platform::RDW_INVALIDATE | platform::RDW_ALLCHILDREN);
    bar.application->ProcessMessages();
  }
  for (skin::TsCommonData* data : bindings)
    if (data->BackgroundDirty) state.SkipWithError("a cache was left dirty");
  if (bar.Screen().Width() != kBarWidth * factor) state.SkipWithError("the bar was not presented");
}
BENCHMARK_CAPTURE(BM_FullBarPaint, x1, 1)->Name("FullBarPaint");
BENCHMARK_CAPTURE(BM_FullBarPaint, x2, 2)->Name("FullBarPaint/scale2");

void BM_HoverSlot3To4(benchmark::State& state, int factor) {
  const ScaleScope scale(factor);
  ShownBar bar;
  bar.HoverSlot(3);
  // Each step moves to the other slot, so every one is a move from one slot onto its neighbour.
  int next = 4;
  for (auto _ : state) {
    bar.HoverSlot(next);
    next = next == 4 ? 3 : 4;
  }
  if (!Form1->sEdit3->Focused() && !Form1->sEdit4->Focused())
    state.SkipWithError("no slot took the focus");
}
BENCHMARK_CAPTURE(BM_HoverSlot3To4, x1, 1)->Name("HoverSlot3To4");
BENCHMARK_CAPTURE(BM_HoverSlot3To4, x2, 2)->Name("HoverSlot3To4/scale2");

constexpr int kButtonWidth = 75;
constexpr int kButtonHeight = 30;

BENCHMARK_CAPTURE(BM_BaselineMemcpy, button, kButtonWidth, kButtonHeight)
    ->Name("FadeStep/baseline_memcpy");

void BM_FadeStep(benchmark::State& state) {
  ShownBar bar;
  Form2->Show();
  bar.application->ProcessMessages();
  skin::TsButton* ok = Form2->sButton1;
  if (ok->Width() != kButtonWidth || ok->Height() != kButtonHeight)
    state.SkipWithError("the OK button is not 75 x 30");
  // The pointer entering starts a fade; the benchmark shows its middle frame again and again.
  const platform::TRect r = ok->BoundsRect();
  bar.desktop->MoveMouse(Form2->Left() + ok->Parent()->Left() + r.Left + 30,
                         Form2->Top() + ok->Parent()->Top() + r.Top + 15);
  bar.application->ProcessMessages();
  skin::TsFadeTimer* timer = ok->FadeTimer();
  if (!timer) {
    state.SkipWithError("no fade started");
    return;
  }
  for (auto _ : state) {
    timer->Level = timer->Iterations / 2;
    timer->Step();
    bar.application->ProcessMessages();
  }
}
BENCHMARK(BM_FadeStep)->Name("FadeStep");

}  // namespace
