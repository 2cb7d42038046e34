// Message dispatch: a message sent straight to a window procedure, and one posted, taken from the
// queue by the loop and dispatched, beside a plain call of the same procedure in the same run.

#include <benchmark/benchmark.h>

#include <memory>

#include "platform/headless/HeadlessBackend.h"
#include "platform/windows/Window.h"

namespace {

using namespace platform;

struct Desktop {
  Desktop() {
    InstallBackend(std::make_unique<HeadlessBackend>());
    CreateWindowParams p;
    p.Style = WS_POPUP;
    p.Bounds = Bounds(0, 0, 10, 10);
    p.WindowProc = [this](HWND h, UINT m, WPARAM w, LPARAM l) -> LRESULT {
      if (m == WM_USER) return counter += static_cast<LRESULT>(w);
      return DefWindowProc(h, m, w, l);
    };
    window = CreateWindowEx(p);
  }
  ~Desktop() { InstallBackend(nullptr); }
  HWND window = nullptr;
  LRESULT counter = 0;
};

void BM_PlainCall(benchmark::State& state) {
  LRESULT counter = 0;
  WNDPROC proc = [&counter](HWND, UINT m, WPARAM w, LPARAM) -> LRESULT {
    return m == WM_USER ? counter += static_cast<LRESULT>(w) : 0;
  };
  for (auto _ : state) benchmark::DoNotOptimize(proc(nullptr, WM_USER, 1, 0));
}
BENCHMARK(BM_PlainCall);

void BM_SendMessage(benchmark::State& state) {
  Desktop desktop;
  for (auto _ : state) benchmark::DoNotOptimize(SendMessage(desktop.window, WM_USER, 1, 0));
}
BENCHMARK(BM_SendMessage);

void BM_PostGetDispatch(benchmark::State& state) {
  Desktop desktop;
  MSG msg;
  for (auto _ : state) {
    PostMessage(desktop.window, WM_USER, 1, 0);
    PeekMessage(&msg, PM_REMOVE);
    benchmark::DoNotOptimize(DispatchMessage(msg));
  }
}
BENCHMARK(BM_PostGetDispatch);

}  // namespace
