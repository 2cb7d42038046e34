// Mouse routing, enter and leave, capture, double clicks, keys, focus, activation, the modal
// message box and the clipboard calls.

#include "platform/windows/Clipboard.h"
#include "platform/windows/Input.h"
#include "platform/windows/MessageBox.h"
#include "platform/windows/Timer.h"
#include "tests/platform/headless/HeadlessFixture.h"

namespace platform::test {
namespace {

class InputTest : public HeadlessTest {
 protected:
  void SetUp() override {
    HeadlessTest::SetUp();
    top = MakeWindow(nullptr, Bounds(100, 100, 200, 100), WS_POPUP | WS_VISIBLE);
    a = MakeWindow(top, Bounds(10, 10, 50, 50));
    b = MakeWindow(top, Bounds(100, 10, 50, 50));
    inner = MakeWindow(b, Bounds(10, 10, 20, 20));
    Pump();
    log.clear();
  }
  std::vector<Received> Of(UINT msg) const {
    std::vector<Received> out;
    for (const Received& r : log)
      if (r.msg == msg) out.push_back(r);
    return out;
  }
  HWND top, a, b, inner;
};

TEST_F(InputTest, MouseGoesToTheDeepestWindowInClientCoordinates) {
  interesting = {WM_MOUSEMOVE, WM_LBUTTONDOWN, WM_LBUTTONUP};
  desktop->MoveMouse(100 + 100 + 15, 100 + 10 + 12);
  desktop->Click();
  Pump();
  ASSERT_EQ(log.size(), 3u);
  for (const Received& r : log) EXPECT_EQ(r.hwnd, inner);
  EXPECT_EQ(GET_X_LPARAM(log[0].lParam), 5);
  EXPECT_EQ(GET_Y_LPARAM(log[0].lParam), 2);
  EXPECT_EQ(log[1].wParam & MK_LBUTTON, unsigned{MK_LBUTTON});
}

TEST_F(InputTest, EnterAndLeaveFollowThePointer) {
  interesting = {WM_MOUSEENTER, WM_MOUSELEAVE};
  desktop->MoveMouse(115, 115);  // a
  desktop->MoveMouse(205, 115);  // b
  desktop->MoveMouse(215, 125);  // inner
  desktop->MoveMouse(90, 90);    // off the window
  Pump();
  const std::vector<std::pair<HWND, UINT>> expected = {
      {a, WM_MOUSEENTER}, {a, WM_MOUSELEAVE},     {b, WM_MOUSEENTER},
      {b, WM_MOUSELEAVE}, {inner, WM_MOUSEENTER}, {inner, WM_MOUSELEAVE},
  };
  ASSERT_EQ(log.size(), expected.size());
  for (size_t i = 0; i < expected.size(); ++i) {
    EXPECT_EQ(log[i].hwnd, expected[i].first) << i;
    EXPECT_EQ(log[i].msg, expected[i].second) << i;
  }
}

TEST_F(InputTest, CaptureTakesEveryMouseMessage) {
  interesting = {WM_MOUSEMOVE, WM_LBUTTONUP, WM_CAPTURECHANGED};
  SetCapture(a);
  EXPECT_EQ(GetCapture(), a);
  desktop->MoveMouse(215, 125);  // over inner, but a has the capture
  desktop->Press();
  desktop->Release();
  Pump();
  ASSERT_FALSE(Of(WM_MOUSEMOVE).empty());
  for (const Received& r : Of(WM_MOUSEMOVE)) EXPECT_EQ(r.hwnd, a);
  EXPECT_EQ(Of(WM_MOUSEMOVE)[0].lParam, MAKELPARAM(215 - 110, 125 - 110));
  EXPECT_EQ(Of(WM_LBUTTONUP)[0].hwnd, a);
  ReleaseCapture();
  EXPECT_EQ(Of(WM_CAPTURECHANGED).size(), 1u);
  EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(InputTest, DisabledChildrenPassTheMouseToTheirParentAndDisabledWindowsGetNothing) {
  interesting = {WM_LBUTTONDOWN, WM_KEYDOWN};
  EnableWindow(inner, false);
  desktop->MoveMouse(215, 125);
  desktop->Click();
  Pump();
  ASSERT_EQ(log.size(), 1u);
  EXPECT_EQ(log[0].hwnd, b);
  log.clear();
  EnableWindow(top, false);
  desktop->FocusWindow(top);
  desktop->Click();
  desktop->Key(VK_UP);
  Pump();
  EXPECT_TRUE(log.empty());
}

TEST_F(InputTest, DoubleClicksFollowTimeAndDistance) {
  interesting = {WM_LBUTTONDOWN, WM_LBUTTONDBLCLK};
  desktop->MoveMouse(115, 115);
  desktop->Click();
  desktop->Advance(499);
  desktop->MoveMouse(119, 119);  // 4 pixels away
  desktop->Click();
  desktop->Advance(100);
  desktop->Click();  // a third press starts again
  desktop->Advance(500);
  desktop->Click();  // too late for a double click
  desktop->Advance(100);
  desktop->MoveMouse(124, 119);  // 5 pixels away
  desktop->Click();
  Pump();
  std::vector<UINT> got;
  for (const Received& r : log) got.push_back(r.msg);
  EXPECT_EQ(got, (std::vector<UINT>{WM_LBUTTONDOWN, WM_LBUTTONDBLCLK, WM_LBUTTONDOWN,
                                    WM_LBUTTONDOWN, WM_LBUTTONDOWN}));
}

TEST_F(InputTest, KeysAndTextGoToTheFocusWindow) {
  interesting = {WM_KEYDOWN, WM_KEYUP, WM_CHAR, WM_SETFOCUS, WM_KILLFOCUS};
  desktop->FocusWindow(top);
  Pump();
  SetFocus(a);
  SetFocus(b);
  EXPECT_EQ(GetFocus(), b);
  desktop->Key(VK_DOWN);
  desktop->Type("é\xff");   // a stray byte arrives as its Latin-1 character
  desktop->Key(VK_RETURN);  // keys that type no text still give their control character
  desktop->KeyDown(VK_CONTROL);
  desktop->Key('C');
  desktop->KeyUp(VK_CONTROL);
  Pump();
  std::vector<std::pair<UINT, WPARAM>> got;
  for (const Received& r : log) {
    if (r.msg == WM_SETFOCUS || r.msg == WM_KILLFOCUS) continue;
    EXPECT_EQ(r.hwnd, b);
    got.push_back({r.msg, r.wParam});
  }
  const std::vector<std::pair<UINT, WPARAM>> expected = {
      {WM_KEYDOWN, VK_DOWN},   {WM_KEYUP, VK_DOWN}, {WM_CHAR, 0xE9},       {WM_CHAR, 0xFF},
      {WM_KEYDOWN, VK_RETURN}, {WM_CHAR, 13},       {WM_KEYUP, VK_RETURN}, {WM_KEYDOWN, VK_CONTROL},
      {WM_KEYDOWN, 'C'},       {WM_CHAR, 3},        {WM_KEYUP, 'C'},       {WM_KEYUP, VK_CONTROL},
  };
  EXPECT_EQ(got, expected);
  // Focus moved a -> b with the right pairs.
  std::vector<std::pair<HWND, UINT>> focus;
  for (const Received& r : log)
    if (r.msg == WM_SETFOCUS || r.msg == WM_KILLFOCUS) focus.push_back({r.hwnd, r.msg});
  ASSERT_GE(focus.size(), 3u);
  EXPECT_EQ(focus[focus.size() - 3], std::make_pair(a, UINT{WM_SETFOCUS}));
  EXPECT_EQ(focus[focus.size() - 2], std::make_pair(a, UINT{WM_KILLFOCUS}));
  EXPECT_EQ(focus[focus.size() - 1], std::make_pair(b, UINT{WM_SETFOCUS}));
}

TEST_F(InputTest, KeyStateIsWhatItWasWhenEachMessageWasMade) {
  desktop->FocusWindow(top);
  Pump();
  SetFocus(a);
  std::vector<std::pair<int, bool>> seen;  // key, Shift down while handling it
  SetWindowProc(a, [&](HWND h, UINT m, WPARAM w, LPARAM l) -> LRESULT {
    if (m == WM_KEYDOWN) seen.push_back({static_cast<int>(w), GetKeyState(VK_SHIFT) < 0});
    return DefWindowProc(h, m, w, l);
  });
  // All of it arrives in one batch before any message is handled.
  desktop->KeyDown(VK_CONTROL);
  desktop->Key(VK_LEFT);
  desktop->KeyDown(VK_SHIFT);
  desktop->Key(VK_RIGHT);
  desktop->KeyUp(VK_SHIFT);
  desktop->KeyUp(VK_CONTROL);
  Pump();
  EXPECT_EQ(seen, (std::vector<std::pair<int, bool>>{
                      {VK_CONTROL, false}, {VK_LEFT, false}, {VK_SHIFT, true}, {VK_RIGHT, true}}));
  EXPECT_GE(GetKeyState(VK_SHIFT), 0);
  EXPECT_GE(GetKeyState(VK_CONTROL), 0);
}

TEST_F(InputTest, ActivationFollowsTheDesktopAndHoverNeverTakesIt) {
  interesting = {WM_ACTIVATE, WM_NCACTIVATE};
  HWND bar = MakeWindow(nullptr, Bounds(0, 900, 300, 50), WS_POPUP | WS_VISIBLE,
                        WS_EX_NOACTIVATE | WS_EX_TOPMOST);
  HWND slot = MakeWindow(bar, Bounds(10, 10, 50, 20));
  Pump();
  EXPECT_EQ(desktop->FocusedWindow(), nullptr);
  // Hovering and focusing inside the bar keep the desktop's keyboard where it was.
  desktop->MoveMouse(20, 920);
  Pump();
  SetFocus(slot);
  Pump();
  EXPECT_EQ(desktop->FocusedWindow(), nullptr);
  EXPECT_EQ(GetFocus(), slot);
  EXPECT_EQ(GetActiveWindow(), nullptr);
  // A click is the user choosing the bar: then it takes the keyboard.
  desktop->Click();
  Pump();
  EXPECT_EQ(desktop->FocusedWindow(), bar);
  EXPECT_EQ(GetActiveWindow(), bar);
  log.clear();
  // A click on an ordinary window activates it.
  desktop->MoveMouse(150, 150);
  desktop->Click();
  Pump();
  EXPECT_EQ(desktop->FocusedWindow(), top);
  EXPECT_EQ(GetActiveWindow(), top);
  ASSERT_EQ(Of(WM_ACTIVATE).size(), 2u);  // the bar goes inactive, then the window active
  EXPECT_EQ(Of(WM_ACTIVATE)[0].hwnd, bar);
  EXPECT_EQ(LOWORD(Of(WM_ACTIVATE)[0].wParam), WA_INACTIVE);
  EXPECT_EQ(Of(WM_ACTIVATE)[1].hwnd, top);
  EXPECT_EQ(LOWORD(Of(WM_ACTIVATE)[1].wParam), WA_ACTIVE);
  desktop->FocusWindow(nullptr);
  Pump();
  EXPECT_EQ(GetActiveWindow(), nullptr);
  EXPECT_EQ(LOWORD(Of(WM_ACTIVATE).back().wParam), WA_INACTIVE);
}

TEST_F(InputTest, MessageBoxIsModalAndClosesOnEnterOrOk) {
  desktop->FocusWindow(top);
  Pump();
  bool ran = false;
  // The box runs its own loop; the test acts from inside it through a timer.
  SetWindowProc(a, [&](HWND h, UINT m, WPARAM w, LPARAM l) -> LRESULT {
    if (m == WM_TIMER) {
      KillTimer(h, 1);
      EXPECT_FALSE(IsWindowEnabled(top));  // the program's other windows take no input
      ran = true;
      desktop->Key(VK_RETURN);
      return 0;
    }
    return DefWindowProc(h, m, w, l);
  });
  SetTimer(a, 1, 50);
  EXPECT_EQ(MessageBox(top, "File not found.", "Snipwell", MB_OK | MB_ICONERROR), IDOK);
  EXPECT_TRUE(ran);
  EXPECT_TRUE(IsWindowEnabled(top));
  Pump();
  EXPECT_EQ(GetActiveWindow(), top);  // the window that was active has the keyboard again
}

TEST_F(InputTest, AKeyHeldSinceItClosedAMessageBoxIsNotTypedIntoTheWindowBehind) {
  desktop->FocusWindow(top);
  Pump();
  SetFocus(a);
  // Return goes down in the box and closes it; its release never comes while the box is there.
  SetWindowProc(b, [&](HWND h, UINT m, WPARAM w, LPARAM l) -> LRESULT {
    if (m == WM_TIMER) {
      KillTimer(h, 1);
      desktop->KeyDown(VK_RETURN);
      return 0;
    }
    return DefWindowProc(h, m, w, l);
  });
  SetTimer(b, 1, 50);
  MessageBox(top, "File not found.", "Snipwell", MB_OK | MB_ICONERROR);
  Pump();
  ASSERT_EQ(desktop->FocusedWindow(), top);
  ASSERT_EQ(GetFocus(), a);
  interesting = {WM_KEYDOWN, WM_CHAR, WM_KEYUP};
  log.clear();
  // The desktop repeats the held key into the window that has the keyboard now.
  desktop->KeyDown(VK_RETURN);
  desktop->KeyDown(VK_RETURN);
  Pump();
  EXPECT_TRUE(log.empty());
  // Its release, and a press that goes down here, arrive as they are.
  desktop->KeyUp(VK_RETURN);
  desktop->KeyDown(VK_RETURN);
  desktop->KeyDown(VK_RETURN);
  Pump();
  std::vector<UINT> got;
  for (const Received& r : log) got.push_back(r.msg);
  EXPECT_EQ(got, (std::vector<UINT>{WM_KEYUP, WM_KEYDOWN, WM_CHAR, WM_KEYDOWN, WM_CHAR}));
  EXPECT_LT(GetKeyState(VK_RETURN), 0);
}

TEST_F(InputTest, AWindowTheUserMayResizeGivesTheDesktopItsSizeLimits) {
  std::vector<UINT> first;
  CreateWindowParams params;
  params.ClassName = "Sizeable";
  params.Style = WS_POPUP | WS_CAPTION | WS_THICKFRAME;
  params.Bounds = Bounds(10, 10, 900, 50);
  params.WindowProc = [&](HWND h, UINT m, WPARAM w, LPARAM l) -> LRESULT {
    if (first.empty() || first.back() != m) first.push_back(m);
    if (m == WM_GETMINMAXINFO) {
      auto* info = reinterpret_cast<MINMAXINFO*>(l);
      EXPECT_GT(info->ptMaxTrackSize.X, 0);  // the defaults are there to change
      info->ptMinTrackSize = {200, 100};
      info->ptMaxTrackSize = {640, 480};
      return 0;
    }
    return DefWindowProc(h, m, w, l);
  };
  const HWND sizeable = CreateWindowEx(params);
  ASSERT_NE(sizeable, nullptr);
  ASSERT_FALSE(first.empty());
  EXPECT_EQ(first.front(), UINT{WM_GETMINMAXINFO});  // asked before it is created
  const HeadlessBackend::TopLevel* shown = desktop->Find(sizeable);
  ASSERT_TRUE(shown && shown->style.resizable);
  EXPECT_EQ(shown->style.resizable->min, (TSize{200, 100}));
  EXPECT_EQ(shown->style.resizable->max, (TSize{640, 480}));
  // It starts within them.
  EXPECT_EQ(WindowBounds(sizeable), Bounds(10, 10, 640, 100));
  // A window of a fixed size is not asked: its size is the program's alone.
  EXPECT_FALSE(desktop->Find(top)->style.resizable);
  DestroyWindow(sizeable);
}

TEST_F(InputTest, ClipboardPublishesOnCloseAndCanBeUnavailable) {
  ASSERT_TRUE(OpenClipboard(top));
  EXPECT_FALSE(OpenClipboard(top));  // opening is not counted here: the framework counts
  EXPECT_TRUE(EmptyClipboard());
  EXPECT_TRUE(SetClipboardText(std::string("a\0b", 3)));
  EXPECT_EQ(desktop->ClipboardPublishCount(), 0);
  EXPECT_TRUE(CloseClipboard());
  EXPECT_EQ(desktop->ClipboardContents(), std::string("a\0b", 3));
  // Reading gives what another program put there.
  desktop->SetClipboardContents("from elsewhere");
  ASSERT_TRUE(OpenClipboard(top));
  EXPECT_EQ(GetClipboardText(), "from elsewhere");
  EXPECT_TRUE(CloseClipboard());
  EXPECT_EQ(desktop->ClipboardPublishCount(), 1);  // nothing was set: nothing published
  desktop->SetClipboardAvailable(false);
  EXPECT_FALSE(OpenClipboard(top));
}

}  // namespace
}  // namespace platform::test
