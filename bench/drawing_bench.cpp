// The drawing core's bulk operations on the bar's largest surface (1019 x 56, 24 bits), each
// beside the plain memory operation that moves the same bytes, measured in the same run.

#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstring>
#include <vector>

#include "platform/drawing/DIBitmap.h"
#include "platform/drawing/DeviceContext.h"
#include "platform/drawing/GradientFill.h"

namespace {

using namespace platform;

constexpr int kWidth = 1019;
constexpr int kHeight = 56;
constexpr size_t kBytes = size_t{kWidth} * 3 * kHeight;  // the pixels' bytes, padding excluded

DIBitmap Patterned(int w, int h, int bpp = 24) {
  DIBitmap b(w, h, bpp);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) b.SetPixel(x, y, RGB(x, y, x ^ y));
  return b;
}

void Report(benchmark::State& state, size_t bytes) {
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(bytes));
}

void MemsetBaseline(benchmark::State& state) {
  std::vector<uint8_t> buffer(kBytes);
  int value = 0;
  for (auto _ : state) {
    std::memset(buffer.data(), ++value & 0xFF, kBytes);
    benchmark::DoNotOptimize(buffer.data());
    benchmark::ClobberMemory();
  }
  Report(state, kBytes);
}

void MemcpyBaseline(benchmark::State& state) {
  std::vector<uint8_t> from(kBytes, 0x5A), to(kBytes);
  for (auto _ : state) {
    benchmark::DoNotOptimize(from.data());
    std::memcpy(to.data(), from.data(), kBytes);
    benchmark::DoNotOptimize(to.data());
    benchmark::ClobberMemory();
  }
  Report(state, kBytes);
}

void FillRect24(benchmark::State& state) {
  DIBitmap bitmap(kWidth, kHeight);
  DeviceContext dc(&bitmap);
  int value = 0;
  for (auto _ : state) {
    FillRect(&dc, {0, 0, kWidth, kHeight}, CreateSolidBrush(RGB(++value, 2, 3)));
    benchmark::ClobberMemory();
  }
  benchmark::DoNotOptimize(bitmap.Bits());
  Report(state, kBytes);
}

void BitBlt24(benchmark::State& state) {
  DIBitmap source = Patterned(kWidth, kHeight), target(kWidth, kHeight);
  DeviceContext src(&source), dst(&target);
  for (auto _ : state) {
    BitBlt(&dst, 0, 0, kWidth, kHeight, &src, 0, 0, SRCCOPY);
    benchmark::ClobberMemory();
  }
  benchmark::DoNotOptimize(target.Bits());
  Report(state, kBytes);
}

void BitBlt32To24(benchmark::State& state) {
  DIBitmap source = Patterned(kWidth, kHeight, 32), target(kWidth, kHeight);
  DeviceContext src(&source), dst(&target);
  for (auto _ : state) {
    BitBlt(&dst, 0, 0, kWidth, kHeight, &src, 0, 0, SRCCOPY);
    benchmark::ClobberMemory();
  }
  benchmark::DoNotOptimize(target.Bits());
  Report(state, kBytes);
}

void StretchBlt24Double(benchmark::State& state) {
  DIBitmap source = Patterned(kWidth / 2, kHeight / 2), target(kWidth, kHeight);
  DeviceContext src(&source), dst(&target);
  for (auto _ : state) {
    StretchBlt(&dst, 0, 0, kWidth, kHeight, &src, 0, 0, source.Width(), source.Height(), SRCCOPY);
    benchmark::ClobberMemory();
  }
  benchmark::DoNotOptimize(target.Bits());
  Report(state, kBytes);
}

void StretchBlt24Mirrored(benchmark::State& state) {
  DIBitmap source = Patterned(kWidth, kHeight), target(kWidth, kHeight);
  DeviceContext src(&source), dst(&target);
  for (auto _ : state) {
    StretchBlt(&dst, kWidth, 0, -kWidth, kHeight, &src, 0, 0, kWidth, kHeight, SRCCOPY);
    benchmark::ClobberMemory();
  }
  benchmark::DoNotOptimize(target.Bits());
  Report(state, kBytes);
}

// The four-corner gradient a skin section paints over a whole face.
void GradientFourCorner24(benchmark::State& state) {
  DIBitmap bitmap(kWidth, kHeight);
  DeviceContext dc(&bitmap);
  auto vertex = [](int x, int y, TColor c) {
    TriVertex v;
    v.x = x;
    v.y = y;
    v.Red = static_cast<uint16_t>(GetRValue(c) << 8);
    v.Green = static_cast<uint16_t>(GetGValue(c) << 8);
    v.Blue = static_cast<uint16_t>(GetBValue(c) << 8);
    return v;
  };
  const TriVertex vertices[] = {
      vertex(0, 0, RGB(200, 100, 50)), vertex(kWidth / 2, kHeight / 2, RGB(255, 255, 255)),
      vertex(kWidth, 0, RGB(10, 20, 30)), vertex(kWidth, kHeight, RGB(90, 200, 10)),
      vertex(0, kHeight, RGB(0, 0, 255))};
  const GradientTriangle triangles[] = {{0, 1, 2}, {1, 2, 3}, {0, 1, 4}, {4, 1, 3}};
  for (auto _ : state) {
    GradientFill(&dc, vertices, 5, triangles, 4, GRADIENT_FILL_TRIANGLE);
    benchmark::ClobberMemory();
  }
  benchmark::DoNotOptimize(bitmap.Bits());
  Report(state, kBytes);
}

// Pairs sit side by side in the output: the operation, then its baseline.
BENCHMARK(FillRect24)->Name("FillRect_1019x56_24bit");
BENCHMARK(MemsetBaseline)->Name("FillRect_1019x56_24bit/baseline_memset");
BENCHMARK(BitBlt24)->Name("BitBlt_1019x56_24to24");
BENCHMARK(MemcpyBaseline)->Name("BitBlt_1019x56_24to24/baseline_memcpy");
BENCHMARK(BitBlt32To24)->Name("BitBlt_1019x56_32to24");
BENCHMARK(MemcpyBaseline)->Name("BitBlt_1019x56_32to24/baseline_memcpy");
BENCHMARK(StretchBlt24Double)->Name("StretchBlt_509x28_to_1019x56");
BENCHMARK(MemcpyBaseline)->Name("StretchBlt_509x28_to_1019x56/baseline_memcpy");
BENCHMARK(StretchBlt24Mirrored)->Name("StretchBlt_1019x56_mirrored");
BENCHMARK(MemcpyBaseline)->Name("StretchBlt_1019x56_mirrored/baseline_memcpy");
BENCHMARK(GradientFourCorner24)->Name("GradientFill_4corner_1019x56");
BENCHMARK(MemsetBaseline)->Name("GradientFill_4corner_1019x56/baseline_memset");

}  // namespace
