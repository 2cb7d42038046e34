// Putting the bar's back buffer on an X11 window, beside copying the same bytes in memory, and the
// processor time an idle program spends waiting for events. Needs a display: run it under
// tests/e2e/lib/with-xvfb.sh; without DISPLAY every benchmark skips with a message.

#include <sys/resource.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

#include <benchmark/benchmark.h>

#include "platform/Exception.h"
#include "platform/x11/X11Backend.h"
#include "platform/x11/X11Presenter.h"

namespace {

using platform::Backend;
using platform::NativeEvent;

constexpr int kBarWidth = 1019;
constexpr int kBarHeight = 56;

struct ExposeWatch : platform::NativeEventSink {
  bool exposed = false;
  void OnNativeEvent(const NativeEvent& event) override {
    exposed = exposed || event.kind == NativeEvent::Kind::Exposed;
  }
};

platform::HWND Handle() { return reinterpret_cast<platform::HWND>(uintptr_t{0x10}); }

// A backend with the bar's window on screen, or nullptr after telling the state why not.
std::unique_ptr<Backend> BarOnScreen(benchmark::State& state, ExposeWatch& watch) {
  if (!std::getenv("DISPLAY")) {
    state.SkipWithError("DISPLAY is not set: run under tests/e2e/lib/with-xvfb.sh");
    return nullptr;
  }
  std::unique_ptr<Backend> backend;
  try {
    backend = platform::x11::CreateX11Backend({"snipwell", "Snipwell"});
  } catch (const platform::Exception& e) {
    state.SkipWithError(e.what());
    return nullptr;
  }
  backend->SetEventSink(&watch);
  platform::TopLevelStyle style;
  style.bounds = platform::Bounds(130, 200, kBarWidth, kBarHeight);
  style.topmost = true;
  style.noActivate = true;
  backend->CreateTopLevel(Handle(), style);
  backend->ShowTopLevel(Handle(), true);
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
  while (!watch.exposed && std::chrono::steady_clock::now() < deadline) backend->WaitForEvents(20);
  return backend;
}

platform::DIBitmap BarPicture() {
  platform::DIBitmap dib(kBarWidth, kBarHeight, 24);
  for (int y = 0; y < kBarHeight; ++y) {
    uint8_t* row = dib.ScanLine(y);
    for (int x = 0; x < kBarWidth * 3; ++x) row[x] = static_cast<uint8_t>(x * 7 + y * 13);
  }
  return dib;
}

// Present, then a round trip: the time until the server has the pixels on the window.
void BM_PresentBarFullRegion(benchmark::State& state) {
  ExposeWatch watch;
  std::unique_ptr<Backend> backend = BarOnScreen(state, watch);
  if (!backend) return;
  const platform::DIBitmap dib = BarPicture();
  const platform::Region whole(platform::Bounds(0, 0, kBarWidth, kBarHeight));
  for (auto _ : state) {
    backend->Present(Handle(), dib, whole);
    platform::x11::SyncWithServer(*backend);
  }
  state.counters["shm"] = platform::x11::UsesSharedMemory(*backend) ? 1 : 0;
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                          static_cast<int64_t>(dib.SizeInBytes()));
  backend->Shutdown();
}
BENCHMARK(BM_PresentBarFullRegion)->Unit(benchmark::kMicrosecond);

// The baseline: copying the back buffer's bytes once.
void BM_MemcpyBarBytes(benchmark::State& state) {
  const platform::DIBitmap dib = BarPicture();
  std::vector<uint8_t> copy(dib.SizeInBytes());
  for (auto _ : state) {
    std::memcpy(copy.data(), dib.Bits(), dib.SizeInBytes());
    benchmark::DoNotOptimize(copy.data());
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                          static_cast<int64_t>(dib.SizeInBytes()));
}
BENCHMARK(BM_MemcpyBarBytes)->Unit(benchmark::kMicrosecond);

// The bar's 24-bit pixels made the display's 32-bit ones, as every present does first.
void BM_ConvertBarToPixels(benchmark::State& state) {
  const platform::DIBitmap dib = BarPicture();
  const platform::x11::PixelLayout layout(0xFF0000, 0xFF00, 0xFF);
  std::vector<uint8_t> pixels(size_t{kBarWidth} * kBarHeight * 4);
  const platform::TRect whole = platform::Bounds(0, 0, kBarWidth, kBarHeight);
  for (auto _ : state) {
    platform::x11::ConvertToPixels(dib, whole, layout, pixels.data(), size_t{kBarWidth} * 4);
    benchmark::DoNotOptimize(pixels.data());
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                          static_cast<int64_t>(dib.SizeInBytes()));
}
BENCHMARK(BM_ConvertBarToPixels)->Unit(benchmark::kMicrosecond);

double CpuMilliseconds() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return (usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1000.0 +
         (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1000.0;
}

// An idle program: its window shown, waiting for events for 10 s. cpu_ms is the processor time
// the process used meanwhile (user + system).
void BM_IdleWaitTenSeconds(benchmark::State& state) {
  ExposeWatch watch;
  std::unique_ptr<Backend> backend = BarOnScreen(state, watch);
  if (!backend) return;
  backend->WaitForEvents(200);  // what the window manager still had to say
  double cpu = 0;
  for (auto _ : state) {
    const double before = CpuMilliseconds();
    const uint32_t start = backend->TickCount();
    for (uint32_t waited = 0; waited < 10000; waited = backend->TickCount() - start) {
      backend->WaitForEvents(10000 - waited);
    }
    cpu = CpuMilliseconds() - before;
  }
  state.counters["cpu_ms"] = cpu;
  backend->Shutdown();
}
BENCHMARK(BM_IdleWaitTenSeconds)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
