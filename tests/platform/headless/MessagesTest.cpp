// Message order, re-entrancy, subclassing, destruction and the loop's priorities.

#include <algorithm>

#include "platform/Exception.h"
#include "platform/windows/Paint.h"
#include "platform/windows/Timer.h"
#include "tests/platform/headless/HeadlessFixture.h"

namespace platform::test {
namespace {

using MessagesTest = HeadlessTest;

TEST_F(MessagesTest, CreationSendsCreateSizeMoveThenShows) {
  interesting = {WM_CREATE, WM_SIZE, WM_MOVE, WM_SHOWWINDOW};
  HWND top = MakeWindow(nullptr, Bounds(10, 20, 100, 50), WS_POPUP | WS_VISIBLE);
  ASSERT_TRUE(IsWindow(top));
  EXPECT_EQ(Messages(top), (std::vector<UINT>{WM_CREATE, WM_SIZE, WM_MOVE, WM_SHOWWINDOW}));
  EXPECT_EQ(LOWORD(static_cast<uintptr_t>(log[1].lParam)), 100);
  EXPECT_EQ(HIWORD(static_cast<uintptr_t>(log[1].lParam)), 50);
  ASSERT_NE(desktop->Find(top), nullptr);
  EXPECT_EQ(desktop->Find(top)->style.bounds, Bounds(10, 20, 100, 50));
  EXPECT_TRUE(desktop->Find(top)->visible);
}

// Window lists name a borderless window after the window that owns it (the application's),
// not after its internal caption; a window with a caption bar keeps its own name.
TEST_F(MessagesTest, BorderlessOwnedWindowsCarryTheirOwnersNameToTheDesktop) {
  const auto title = [&](HWND h) { return desktop->Find(h)->style.title; };
  HWND application = MakeWindow(nullptr, Bounds(0, 0, 1, 1), WS_POPUP, WS_EX_TOOLWINDOW);
  SetWindowText(application, "Snipwell");
  HWND bar = MakeWindow(application, Bounds(0, 0, 100, 20), WS_POPUP);
  SetWindowText(bar, "Form1");
  HWND editor = MakeWindow(bar, Bounds(0, 0, 100, 50), WS_POPUP, WS_EX_DLGMODALFRAME);
  HWND framed = MakeWindow(application, Bounds(0, 0, 100, 50), WS_POPUP | WS_CAPTION);
  SetWindowText(framed, "Settings");
  HWND ownEntry = MakeWindow(application, Bounds(0, 0, 100, 50), WS_POPUP, WS_EX_APPWINDOW);
  SetWindowText(ownEntry, "Own entry");
  EXPECT_EQ(title(application), "Snipwell");
  EXPECT_EQ(title(bar), "Snipwell");
  EXPECT_EQ(title(editor), "Snipwell") << "through the bar to the application";
  EXPECT_EQ(title(framed), "Settings");
  EXPECT_EQ(title(ownEntry), "Own entry");
  // The owner's new name reaches the windows that carry it.
  SetWindowText(application, "Snipwell 2");
  EXPECT_EQ(title(bar), "Snipwell 2");
  EXPECT_EQ(title(editor), "Snipwell 2");
  EXPECT_EQ(title(framed), "Settings");
  // Each window's own text stays what the program set.
  EXPECT_EQ(GetWindowText(bar), "Form1");
  EXPECT_EQ(desktop->Find(bar)->style.role, "Test");
}

// Only a layered top-level window takes an opacity, and only as a whole (no colour keys); one that
// stops being layered is opaque again.
TEST_F(MessagesTest, LayeredTopLevelWindowsAloneTakeAnOpacity) {
  const auto opacity = [&](HWND h) { return int{desktop->Find(h)->opacity}; };
  HWND plain = MakeWindow(nullptr, Bounds(0, 0, 50, 20), WS_POPUP | WS_VISIBLE);
  EXPECT_FALSE(SetLayeredWindowAttributes(plain, 0, 100, LWA_ALPHA));
  EXPECT_EQ(opacity(plain), 255);
  HWND layered = MakeWindow(nullptr, Bounds(0, 0, 50, 20), WS_POPUP | WS_VISIBLE, WS_EX_LAYERED);
  EXPECT_EQ(opacity(layered), 255) << "opaque until told otherwise";
  EXPECT_TRUE(SetLayeredWindowAttributes(layered, 0, 100, LWA_ALPHA));
  EXPECT_EQ(opacity(layered), 100);
  EXPECT_FALSE(SetLayeredWindowAttributes(layered, clWhite, 0, LWA_COLORKEY | LWA_ALPHA));
  EXPECT_EQ(opacity(layered), 100);
  EXPECT_TRUE(SetLayeredWindowAttributes(layered, 0, 30, 0)) << "without LWA_ALPHA: opaque";
  EXPECT_EQ(opacity(layered), 255);
  SetLayeredWindowAttributes(layered, 0, 0, LWA_ALPHA);
  SetWindowExStyle(layered, GetWindowExStyle(layered) & ~WS_EX_LAYERED);
  EXPECT_EQ(opacity(layered), 255);
  EXPECT_FALSE(SetLayeredWindowAttributes(layered, 0, 0, LWA_ALPHA));
  HWND child = MakeWindow(layered, Bounds(0, 0, 5, 5), WS_VISIBLE, WS_EX_LAYERED);
  EXPECT_FALSE(SetLayeredWindowAttributes(child, 0, 0, LWA_ALPHA));
}

TEST_F(MessagesTest, CreateFailsWhenTheProcedureRefuses) {
  CreateWindowParams p;
  p.Style = WS_POPUP;
  p.Bounds = Bounds(0, 0, 10, 10);
  p.WindowProc = [](HWND h, UINT m, WPARAM w, LPARAM l) -> LRESULT {
    return m == WM_CREATE ? -1 : DefWindowProc(h, m, w, l);
  };
  EXPECT_EQ(CreateWindowEx(p), nullptr);
  EXPECT_EQ(desktop->Find(nullptr), nullptr);
}

TEST_F(MessagesTest, SendMessageIsSynchronousAndReentrant) {
  std::vector<std::string> trace;
  HWND a = MakeWindow(nullptr, Bounds(0, 0, 10, 10), WS_POPUP);
  HWND b = MakeWindow(nullptr, Bounds(0, 0, 10, 10), WS_POPUP);
  SetWindowProc(a, [&](HWND h, UINT m, WPARAM w, LPARAM l) -> LRESULT {
    if (m != WM_USER) return DefWindowProc(h, m, w, l);
    trace.push_back("a" + std::to_string(w));
    return w == 0 ? 0 : SendMessage(b, WM_USER, w - 1) + 1;
  });
  SetWindowProc(b, [&](HWND h, UINT m, WPARAM w, LPARAM l) -> LRESULT {
    if (m != WM_USER) return DefWindowProc(h, m, w, l);
    trace.push_back("b" + std::to_string(w));
    return w == 0 ? 0 : SendMessage(a, WM_USER, w - 1) + 1;
  });
  EXPECT_EQ(SendMessage(a, WM_USER, 3), 3);
  EXPECT_EQ(trace, (std::vector<std::string>{"a3", "b2", "a1", "b0"}));
}

TEST_F(MessagesTest, SubclassingChainsToThePreviousProcedure) {
  HWND w = MakeWindow(nullptr, Bounds(0, 0, 10, 10), WS_POPUP);
  SetWindowText(w, "before");
  std::vector<UINT> seen;
  WNDPROC old;
  old = SetWindowProc(w, [&](HWND h, UINT m, WPARAM wp, LPARAM lp) -> LRESULT {
    seen.push_back(m);
    if (m == WM_USER + 1) return 42;
    return CallWindowProc(old, h, m, wp, lp);
  });
  ASSERT_TRUE(old);
  EXPECT_EQ(SendMessage(w, WM_USER + 1), 42);
  EXPECT_EQ(GetWindowText(w), "before");  // WM_GETTEXT went through to the old procedure
  EXPECT_EQ(seen, (std::vector<UINT>{WM_USER + 1, WM_GETTEXT}));
  DestroyWindow(w);  // before `old` goes out of scope
}

TEST_F(MessagesTest, DestroySendsDestroyParentFirstAndInvalidatesHandles) {
  interesting = {WM_DESTROY};
  HWND top = MakeWindow(nullptr, Bounds(0, 0, 100, 100), WS_POPUP | WS_VISIBLE);
  HWND child = MakeWindow(top, Bounds(0, 0, 50, 50));
  HWND grandchild = MakeWindow(child, Bounds(0, 0, 10, 10));
  HWND owned = MakeWindow(top, Bounds(0, 0, 20, 20), WS_POPUP);
  PostMessage(child, WM_USER);
  EXPECT_TRUE(DestroyWindow(top));
  ASSERT_EQ(log.size(), 4u);
  EXPECT_EQ(log[0].hwnd, owned);
  EXPECT_EQ(log[1].hwnd, top);
  EXPECT_EQ(log[2].hwnd, child);
  EXPECT_EQ(log[3].hwnd, grandchild);
  for (HWND h : {top, child, grandchild, owned}) EXPECT_FALSE(IsWindow(h));
  EXPECT_EQ(SendMessage(child, WM_USER), 0);
  log.clear();
  interesting.clear();
  Pump();  // the message posted to the child is dropped, not delivered to a stale window
  EXPECT_TRUE(log.empty());
  // A new window never gets an old handle.
  HWND again = MakeWindow(nullptr, Bounds(0, 0, 10, 10), WS_POPUP);
  for (HWND h : {top, child, grandchild, owned}) EXPECT_NE(again, h);
}

TEST_F(MessagesTest, AWindowMayDestroyItselfWhileHandlingAMessage) {
  HWND w = MakeWindow(nullptr, Bounds(0, 0, 10, 10), WS_POPUP | WS_VISIBLE);
  HWND c = MakeWindow(w, Bounds(0, 0, 5, 5));
  SetWindowProc(c, [&](HWND h, UINT m, WPARAM wp, LPARAM lp) -> LRESULT {
    if (m == WM_USER) {
      DestroyWindow(w);
      return IsWindow(h) ? 1 : 2;
    }
    return DefWindowProc(h, m, wp, lp);
  });
  EXPECT_EQ(SendMessage(c, WM_USER), 2);
  EXPECT_FALSE(IsWindow(w));
  Pump();
}

TEST_F(MessagesTest, LoopOrderIsPostedInputPaintTimerAndQuitEndsIt) {
  HWND w = MakeWindow(nullptr, Bounds(0, 0, 50, 50), WS_POPUP | WS_VISIBLE);
  desktop->FocusWindow(w);
  Pump();
  log.clear();
  interesting = {WM_USER, WM_KEYDOWN, WM_PAINT, WM_TIMER};
  SetTimer(w, 7, 10);
  desktop->Advance(20);
  InvalidateRect(w, nullptr, false);
  desktop->KeyDown(VK_UP);
  PostMessage(w, WM_USER);
  Pump();
  EXPECT_EQ(Messages(w), (std::vector<UINT>{WM_USER, WM_KEYDOWN, WM_PAINT, WM_TIMER}));
  KillTimer(w, 7);

  PostMessage(w, WM_USER + 5);
  PostQuitMessage(3);
  MSG msg;
  ASSERT_TRUE(GetMessage(&msg));
  EXPECT_EQ(msg.message, WM_USER + 5u);  // the quit waits until the queue is empty
  EXPECT_FALSE(GetMessage(&msg));
  EXPECT_EQ(msg.message, WM_QUIT);
  EXPECT_EQ(msg.wParam, 3u);
}

TEST_F(MessagesTest, TimersRunOnTheVirtualClockOncePerDueTime) {
  interesting = {WM_TIMER};
  HWND w = MakeWindow(nullptr, Bounds(0, 0, 10, 10), WS_POPUP);
  SetTimer(w, 1, 100);
  desktop->Advance(99);
  Pump();
  EXPECT_TRUE(log.empty());
  desktop->Advance(1);
  Pump();
  ASSERT_EQ(log.size(), 1u);
  EXPECT_EQ(log[0].wParam, 1u);
  // However late the loop is, one message per due time.
  desktop->Advance(350);
  Pump();
  EXPECT_EQ(log.size(), 2u);
  // GetMessage sleeps (the clock jumps) until the next timer is due.
  const uint32_t before = GetTickCount();
  MSG msg;
  ASSERT_TRUE(GetMessage(&msg));
  EXPECT_EQ(msg.message, WM_TIMER);
  EXPECT_EQ(GetTickCount() - before, 100u);
  EXPECT_TRUE(KillTimer(w, 1));
  EXPECT_FALSE(KillTimer(w, 1));
  // A window that goes takes its timers with it: nothing is left to wake the loop.
  SetTimer(w, 2, 100);
  DestroyWindow(w);
  // With nothing that could ever happen, waiting is an error rather than a hang.
  EXPECT_THROW(GetMessage(&msg), Exception);
}

// A window made only to take messages (a timer's) never reaches the desktop, is not shown, moved
// or broadcast to, and goes with the window system like any other.
TEST_F(MessagesTest, MessageOnlyWindowsTakeTimersAndPostsButNeverReachTheDesktop) {
  interesting = {WM_TIMER, WM_USER, WM_DESTROY, WM_SHOWWINDOW, WM_SETTINGCHANGE};
  HWND w = MakeWindow(HWND_MESSAGE, Bounds(0, 0, 10, 10), WS_POPUP | WS_VISIBLE);
  ASSERT_TRUE(IsWindow(w));
  EXPECT_EQ(desktop->Find(w), nullptr);
  EXPECT_FALSE(IsWindowVisible(w));
  EXPECT_FALSE(ShowWindow(w, SW_SHOW));
  EXPECT_FALSE(IsWindowVisible(w));
  EXPECT_TRUE(SetWindowPos(w, nullptr, 5, 5, 300, 200, SWP_NOZORDER));
  EXPECT_EQ(desktop->Find(w), nullptr);
  // Painting into it draws nowhere and fails nothing.
  HDC dc = GetDC(w);
  EXPECT_EQ(GetPixel(dc, 1, 1), CLR_INVALID);
  FillRect(dc, TRect{0, 0, 300, 200}, CreateSolidBrush(clBlack));
  ReleaseDC(w, dc);

  SetTimer(w, 1, 10);
  PostMessage(w, WM_USER, 7, 0);
  desktop->SetWorkArea(Bounds(0, 0, 800, 560));
  desktop->Advance(10);
  Pump();
  EXPECT_EQ(Messages(w), (std::vector<UINT>{WM_USER, WM_TIMER}));

  // The window system's reset destroys it with the top-level windows.
  log.clear();
  InstallBackend(std::make_unique<HeadlessBackend>());
  EXPECT_EQ(Messages(w), std::vector<UINT>{WM_DESTROY});
  EXPECT_FALSE(IsWindow(w));
}

}  // namespace
}  // namespace platform::test
