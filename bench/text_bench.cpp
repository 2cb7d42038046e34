// Drawing a snippet-sized caption (20 characters) with DrawText, beside copying the bytes of the
// caption's cell with memcpy, in the same run. The glyphs are cached after the first call, so
// what is measured is layout plus blending. And a line of 30 MB drawn into a slot's 130 pixels,
// beside the same for its first 20 characters: drawing costs what shows.

#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "platform/drawing/DIBitmap.h"
#include "platform/drawing/DeviceContext.h"
#include "platform/text/Font.h"

namespace {

using namespace platform;

constexpr std::string_view kText = "Sample snippet no. 3";  // 20 characters
static_assert(kText.size() == 20);

HFONT FontNamed(const char* face) {
  LogFont request;
  request.FaceName = face;
  request.Height = -11;
  return CreateFontIndirect(request);
}

TSize CellOf(HFONT font) {
  DIBitmap bitmap(1, 1);
  DeviceContext dc(&bitmap);
  SelectFont(&dc, font);
  TSize size;
  GetTextExtentPoint32(&dc, kText, &size);
  return size;
}

void DrawCaption(benchmark::State& state, const char* face) {
  const HFONT font = FontNamed(face);
  const TSize cell = CellOf(font);
  DIBitmap bitmap(cell.cx + 8, cell.cy + 4, 24);
  DeviceContext dc(&bitmap);
  SelectFont(&dc, font);
  SetBkMode(&dc, TRANSPARENT);
  SetTextColor(&dc, RGB(0x20, 0x30, 0x40));
  for (auto _ : state) {
    TRect rect{4, 2, 4 + cell.cx, 2 + cell.cy};
    benchmark::DoNotOptimize(DrawText(&dc, kText, &rect, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX));
    benchmark::ClobberMemory();
  }
  state.counters["cell_px"] = cell.cx * cell.cy;
}

void MeasureCaption(benchmark::State& state, const char* face) {
  const HFONT font = FontNamed(face);
  DIBitmap bitmap(1, 1);
  DeviceContext dc(&bitmap);
  SelectFont(&dc, font);
  TSize size;
  for (auto _ : state) {
    GetTextExtentPoint32(&dc, kText, &size);
    benchmark::DoNotOptimize(size);
  }
}

// The baseline: the bytes of the same cell, copied once.
void MemcpyCell(benchmark::State& state, const char* face) {
  const TSize cell = CellOf(FontNamed(face));
  const size_t bytes = static_cast<size_t>(cell.cx) * cell.cy * 3;
  std::vector<uint8_t> from(bytes, 0x5A), to(bytes);
  for (auto _ : state) {
    benchmark::DoNotOptimize(from.data());
    std::memcpy(to.data(), from.data(), bytes);
    benchmark::DoNotOptimize(to.data());
    benchmark::ClobberMemory();
  }
  state.counters["cell_px"] = cell.cx * cell.cy;
}

// One line into a slot-sized bitmap with TextOut, as a slot draws its text.
void DrawLineIntoSlot(benchmark::State& state) {
  std::string text(static_cast<size_t>(state.range(0)), ' ');
  for (size_t i = 0; i < text.size(); ++i) text[i] = kText[i % kText.size()];
  DIBitmap bitmap(130, 21, 24);
  DeviceContext dc(&bitmap);
  SelectFont(&dc, FontNamed("MS Sans Serif"));
  for (auto _ : state) {
    TextOut(&dc, 3, 3, text);
    benchmark::DoNotOptimize(bitmap.ScanLine(0));
  }
}

BENCHMARK_CAPTURE(DrawCaption, MsSansSerif11, "MS Sans Serif");
BENCHMARK_CAPTURE(MemcpyCell, MsSansSerif11, "MS Sans Serif");
BENCHMARK_CAPTURE(DrawCaption, Arial11, "Arial");
BENCHMARK_CAPTURE(MemcpyCell, Arial11, "Arial");
BENCHMARK_CAPTURE(MeasureCaption, Arial11, "Arial");

BENCHMARK(DrawLineIntoSlot)->Arg(20)->Arg(30'000'000);

}  // namespace
