#pragma once
// Runs each test on a fresh in-memory desktop, and records the messages windows receive.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/headless/HeadlessBackend.h"
#include "platform/windows/Window.h"

namespace platform::test {

struct Received {
  HWND hwnd;
  UINT msg;
  WPARAM wParam;
  LPARAM lParam;
};

class HeadlessTest : public ::testing::Test {
 protected:
  void SetUp() override {
    auto backend = std::make_unique<HeadlessBackend>();
    desktop = backend.get();
    InstallBackend(std::move(backend));
  }
  void TearDown() override { InstallBackend(nullptr); }

  // Handles every message the way the loop would, until nothing is left to do.
  void Pump() {
    MSG msg;
    while (PeekMessage(&msg, PM_REMOVE)) {
      if (msg.message == WM_QUIT) {
        quit = static_cast<int>(msg.wParam);
        continue;
      }
      DispatchMessage(msg);
    }
  }

  // A window that records what it receives (messages in `interesting`, or all when empty) and
  // otherwise behaves as a plain window.
  HWND MakeWindow(HWND parent, TRect bounds, uint32_t style = WS_VISIBLE, uint32_t exStyle = 0) {
    CreateWindowParams p;
    p.ClassName = "Test";
    p.Style = style | (parent && !(style & WS_POPUP) ? uint32_t{WS_CHILD} : 0u);
    p.ExStyle = exStyle;
    p.Bounds = bounds;
    p.Parent = parent;
    p.WindowProc = [this](HWND h, UINT m, WPARAM w, LPARAM l) -> LRESULT {
      if (interesting.empty() ||
          std::find(interesting.begin(), interesting.end(), m) != interesting.end())
        log.push_back({h, m, w, l});
      return DefWindowProc(h, m, w, l);
    };
    return CreateWindowEx(p);
  }

  std::vector<UINT> Messages(HWND hwnd) const {
    std::vector<UINT> out;
    for (const Received& r : log)
      if (r.hwnd == hwnd) out.push_back(r.msg);
    return out;
  }

  HeadlessBackend* desktop = nullptr;
  std::vector<Received> log;
  std::vector<UINT> interesting;
  int quit = -1;
};

}  // namespace platform::test
