// The class library's picture drawing on the bar's largest surface (1019 x 56, 24 bits): a plain
// bitmap Draw, a transparent one (key colour skipped, pixel by pixel), and a JPEG pattern tiled
// over it, each beside memcpy moving the same bytes in the same run.

#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstring>
#include <vector>

#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"
#include "framework/graphics/JPEGImage.h"
#include "platform/images/ImageCodecs.h"

namespace {

using namespace framework;

constexpr int kWidth = 1019;
constexpr int kHeight = 56;
constexpr size_t kBytes = size_t{kWidth} * 3 * kHeight;

void Patterned(TBitmap& b) {
  for (int y = 0; y < b.Height(); ++y)
    for (int x = 0; x < b.Width(); ++x)
      b.DIB().SetPixel(x, y, (x + y) % 7 == 0 ? platform::clFuchsia : platform::RGB(x, y, x ^ y));
}

void Report(benchmark::State& state, size_t bytes) {
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(bytes));
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

void BitmapDraw(benchmark::State& state) {
  TBitmap source(kWidth, kHeight), target(kWidth, kHeight);
  Patterned(source);
  source.SetTransparent(state.range(0) != 0);
  source.SetTransparentColor(platform::clFuchsia);
  TCanvas* canvas = target.Canvas();
  for (auto _ : state) {
    canvas->Draw(0, 0, &source);
    benchmark::ClobberMemory();
  }
  Report(state, kBytes);
}

void JpegTiles(benchmark::State& state) {
  TBitmap tile(240, 240);
  Patterned(tile);
  TJPEGImage jpeg;
  jpeg.LoadFromStream(platform::EncodeJpeg(tile.DIB()));
  TBitmap target(kWidth, kHeight);
  TCanvas* canvas = target.Canvas();
  for (auto _ : state) {
    for (int x = 0; x < kWidth; x += 240) canvas->Draw(x, 0, &jpeg);
    benchmark::ClobberMemory();
  }
  Report(state, kBytes);
}

BENCHMARK(MemcpyBaseline);
BENCHMARK(BitmapDraw)->Arg(0)->ArgName("transparent");
BENCHMARK(BitmapDraw)->Arg(1)->ArgName("transparent");
BENCHMARK(JpegTiles);

}  // namespace
