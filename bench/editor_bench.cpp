// Typing into the snippet editor: one character typed into a field and the repaint that follows,
// in a field of 30 MB beside the same key in a field of 100 bytes, on the headless desktop; the
// caret at the start, in the middle or at the end (the second argument, in percent of the text).
// What a key costs must not grow with the text: only the part of the field that shows and the
// edit's bookkeeping around the caret.

#include <benchmark/benchmark.h>

#include <cstdint>
#include <string>

#include "HeadlessBar.h"
#include "app/Unit2.h"
#include "skin/controls/sEdit.h"

namespace {

using bench::Blob;
using bench::HeadlessBar;

void BM_TypeIntoField(benchmark::State& state) {
  const auto bytes = static_cast<size_t>(state.range(0));
  HeadlessBar bar(Blob(bytes) + "\r\ntwo\r\nthree\r\nfour\r\nfive\r\nsix\r\nseven\r\n");
  Form2->Show();
  bar.application->ProcessMessages();
  skin::TsEdit* field = Form2->sEdit1;
  field->SetSelStart(static_cast<int>(bytes * static_cast<size_t>(state.range(1)) / 100));
  bar.application->ProcessMessages();
  const platform::HWND handle = field->Handle();
  for (auto _ : state) {
    platform::SendMessage(handle, platform::WM_CHAR, 'x', 0);
    bar.application->ProcessMessages();
  }
  if (field->Text().size() != bytes + state.iterations() || field->SelStart() <= 0)
    state.SkipWithError("the keys did not reach the field");
  Form2->Hide();
}
BENCHMARK(BM_TypeIntoField)
    ->ArgsProduct({{100, 30'000'000}, {0, 50, 100}})
    ->Unit(benchmark::kMillisecond);

}  // namespace
