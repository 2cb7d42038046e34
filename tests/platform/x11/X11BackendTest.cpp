// The X11 backend on a virtual screen: what other X clients (xprop, xwininfo, xdotool, a probe
// connection of the test's own) see of its windows, and what it reports of their input.
// Tests named *NoWindowManager* run on a screen without openbox (the x11_tests_nowm entry).

#include "platform/x11/X11Backend.h"

// GoogleTest before Xlib: Xlib #defines names (None, Bool, Status) that GoogleTest uses.
#include <gtest/gtest.h>

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/shape.h>
#include <X11/keysym.h>
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "platform/Exception.h"
#include "platform/windows/Messages.h"
#include "platform/x11/X11EventClock.h"
#include "platform/x11/X11Hints.h"
#include "platform/x11/X11Keyboard.h"
#include "platform/x11/X11Stacking.h"

namespace platform::x11 {
namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;
using Kind = NativeEvent::Kind;

HWND FakeHandle(uintptr_t n) { return reinterpret_cast<HWND>(n << 4); }

// Runs a shell command with a deadline and gives its standard output.
std::string Sh(const std::string& command) {
  std::string out;
  FILE* pipe = popen(("timeout 10 " + command + " 2>/dev/null").c_str(), "r");
  if (!pipe) return out;
  char buffer[4096];
  size_t n = 0;
  while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0) out.append(buffer, n);
  pclose(pipe);
  return out;
}

std::string Hex(unsigned long id) {
  char text[32];
  std::snprintf(text, sizeof text, "0x%lx", id);
  return text;
}

int FieldAfter(const std::string& text, const std::string& label) {
  const size_t at = text.find(label);
  return at == std::string::npos ? -99999 : std::atoi(text.c_str() + at + label.size());
}

struct RecordingSink : NativeEventSink {
  std::vector<NativeEvent> events;
  std::function<void(const NativeEvent&)> onEvent;
  void OnNativeEvent(const NativeEvent& event) override {
    events.push_back(event);
    if (onEvent) onEvent(event);
  }
  int Count(Kind kind, HWND window) const {
    int n = 0;
    for (const NativeEvent& e : events) n += e.kind == kind && e.window == window;
    return n;
  }
  const NativeEvent* Last(Kind kind, HWND window) const {
    for (auto it = events.rbegin(); it != events.rend(); ++it) {
      if (it->kind == kind && it->window == window) return &*it;
    }
    return nullptr;
  }
};

class X11BackendTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_NE(std::getenv("DISPLAY"), nullptr) << "run under tests/e2e/lib/with-xvfb.sh";
    backend_ = CreateX11Backend({"snipwell", "Snipwell"});
    backend_->SetEventSink(&sink_);
    probe_ = XOpenDisplay(nullptr);
    ASSERT_NE(probe_, nullptr);
    // Parked away from every test window (without --sync: the pointer may already be there).
    Sh("xdotool mousemove 0 0");
  }
  void TearDown() override {
    if (backend_) backend_->Shutdown();
    for (::Window w : probeWindows_) XDestroyWindow(probe_, w);
    if (probe_) XCloseDisplay(probe_);
  }

  bool PumpUntil(const std::function<bool()>& done, milliseconds timeout = milliseconds(4000)) {
    const auto deadline = Clock::now() + timeout;
    while (!done()) {
      if (Clock::now() > deadline) return false;
      backend_->WaitForEvents(20);
    }
    return true;
  }

  // Creates, shows and waits until the window has been exposed (so it is on screen).
  HWND ShowWindow(uintptr_t n, const TopLevelStyle& style) {
    const HWND hwnd = FakeHandle(n);
    backend_->CreateTopLevel(hwnd, style);
    backend_->ShowTopLevel(hwnd, true);
    EXPECT_TRUE(PumpUntil([&] { return sink_.Count(Kind::Exposed, hwnd) > 0; })) << "never exposed";
    return hwnd;
  }

  static TopLevelStyle BarSpec(const TRect& bounds) {
    TopLevelStyle style;
    style.bounds = bounds;
    style.title = "Snipwell";
    style.topmost = true;
    style.skipTaskbar = true;
    style.noActivate = true;
    return style;
  }

  unsigned long Xid(HWND hwnd) { return NativeWindowId(*backend_, hwnd); }

  TRect WorkArea() { return backend_->Monitors().front().rcWork; }
  int Announced(Kind kind) const { return sink_.Count(kind, nullptr); }

  // Where other clients see the window (absolute position and size), once it settled there.
  bool WaitForGeometry(HWND hwnd, const TRect& expected, std::string* seen) {
    return PumpUntil([&] {
      *seen = Sh("xwininfo -id " + Hex(Xid(hwnd)));
      return FieldAfter(*seen, "Absolute upper-left X:") == expected.Left &&
             FieldAfter(*seen, "Absolute upper-left Y:") == expected.Top &&
             FieldAfter(*seen, "Width:") == expected.Width() &&
             FieldAfter(*seen, "Height:") == expected.Height() &&
             seen->find("IsViewable") != std::string::npos;
    });
  }

  std::string FocusedWindow() {
    const std::string out = Sh("xdotool getwindowfocus");
    return std::to_string(std::strtoul(out.c_str(), nullptr, 10));
  }

  // A plain client window of the test's own, managed by the window manager and focused by it.
  ::Window MakeClientWindow(const TRect& r, long eventMask = NoEventMask) {
    XSetWindowAttributes attributes{};
    attributes.background_pixel = WhitePixel(probe_, DefaultScreen(probe_));
    attributes.event_mask = eventMask;
    const ::Window w = XCreateWindow(
        probe_, DefaultRootWindow(probe_), r.Left, r.Top, static_cast<unsigned>(r.Width()),
        static_cast<unsigned>(r.Height()), 0, CopyFromParent, InputOutput, CopyFromParent,
        CWBackPixel | CWEventMask, &attributes);
    probeWindows_.push_back(w);
    XMapWindow(probe_, w);
    XSync(probe_, False);
    return w;
  }

  // Whether these windows stand in this order (bottom to top) among the root's children.
  bool StackedInOrder(const std::vector<unsigned long>& bottomToTop) {
    ::Window rootReturn = None, parent = None, *children = nullptr;
    unsigned count = 0;
    XQueryTree(probe_, DefaultRootWindow(probe_), &rootReturn, &parent, &children, &count);
    std::vector<unsigned long> seen;
    for (unsigned i = 0; i < count; ++i) {
      if (std::find(bottomToTop.begin(), bottomToTop.end(), children[i]) != bottomToTop.end())
        seen.push_back(children[i]);
    }
    if (children) XFree(children);
    return seen == bottomToTop;
  }

  // The server's present time, from a zero-length property append on a window of the probe.
  Time ProbeServerTime() {
    const ::Window w = XCreateSimpleWindow(probe_, DefaultRootWindow(probe_), 0, 0, 1, 1, 0, 0, 0);
    XSelectInput(probe_, w, PropertyChangeMask);
    XChangeProperty(probe_, w, XA_WM_NAME, XA_STRING, 8, PropModeAppend, nullptr, 0);
    XSync(probe_, False);
    XEvent event{};
    const auto deadline = Clock::now() + milliseconds(2000);
    while (!XCheckTypedWindowEvent(probe_, w, PropertyNotify, &event) && Clock::now() < deadline) {
      std::this_thread::sleep_for(milliseconds(5));
    }
    XDestroyWindow(probe_, w);
    XSync(probe_, False);
    return event.xproperty.time;
  }

  // What a window manager sends a globally active window it means to focus.
  void OfferFocus(HWND hwnd) {
    XEvent message{};
    message.xclient.type = ClientMessage;
    message.xclient.window = Xid(hwnd);
    message.xclient.message_type = XInternAtom(probe_, "WM_PROTOCOLS", False);
    message.xclient.format = 32;
    message.xclient.data.l[0] = static_cast<long>(XInternAtom(probe_, "WM_TAKE_FOCUS", False));
    message.xclient.data.l[1] = static_cast<long>(ProbeServerTime());
    XSendEvent(probe_, Xid(hwnd), False, NoEventMask, &message);
    XSync(probe_, False);
  }

  std::vector<uint32_t> ReadPixels(HWND hwnd, int width, int height) {
    std::vector<uint32_t> pixels;
    SyncWithServer(*backend_);
    XImage* image = XGetImage(probe_, Xid(hwnd), 0, 0, static_cast<unsigned>(width),
                              static_cast<unsigned>(height), AllPlanes, ZPixmap);
    if (!image) return pixels;
    for (int y = 0; y < height; ++y) {
      for (int x = 0; x < width; ++x)
        pixels.push_back(static_cast<uint32_t>(XGetPixel(image, x, y)) & 0xFFFFFF);
    }
    XDestroyImage(image);
    return pixels;
  }

  std::unique_ptr<Backend> backend_;
  RecordingSink sink_;
  Display* probe_ = nullptr;
  std::vector<::Window> probeWindows_;
};

// ---- Connection --------------------------------------------------------------------------

TEST(X11BackendConnection, NoDisplayGivesAClearException) {
  const char* saved = std::getenv("DISPLAY");
  const std::string keep = saved ? saved : "";
  setenv("DISPLAY", ":4999", 1);
  try {
    CreateX11Backend({"snipwell", "Snipwell"});
    ADD_FAILURE() << "a backend without a display";
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message(), "Cannot open display");
  }
  if (saved)
    setenv("DISPLAY", keep.c_str(), 1);
  else
    unsetenv("DISPLAY");
}

// ---- Window hints and placement -----------------------------------------------------------

TEST_F(X11BackendTest, BarStandsExactlyWhereAskedAboveEverythingWithoutDecorations) {
  const TRect bounds = Bounds(130, 217, 1019, 56);
  const HWND bar = ShowWindow(1, BarSpec(bounds));
  std::string geometry;
  EXPECT_TRUE(WaitForGeometry(bar, bounds, &geometry)) << geometry;

  const std::string props = Sh("xprop -id " + Hex(Xid(bar)));
  EXPECT_NE(props.find("_NET_WM_STATE_ABOVE"), std::string::npos) << props;
  EXPECT_NE(props.find("_NET_WM_STATE_SKIP_TASKBAR"), std::string::npos);
  EXPECT_NE(props.find("_NET_WM_STATE_SKIP_PAGER"), std::string::npos);
  EXPECT_NE(props.find("_MOTIF_WM_HINTS(_MOTIF_WM_HINTS) = 0x2, 0x0, 0x0, 0x0, 0x0"),
            std::string::npos);
  EXPECT_NE(props.find("_NET_WM_WINDOW_TYPE(ATOM) = _NET_WM_WINDOW_TYPE_DOCK"), std::string::npos);
  EXPECT_NE(props.find("WM_CLASS(STRING) = \"snipwell\", \"Snipwell\""), std::string::npos);
  EXPECT_NE(props.find("_NET_WM_DESKTOP(CARDINAL) = 4294967295"), std::string::npos);
  EXPECT_NE(props.find("_NET_WM_PID(CARDINAL) = " + std::to_string(getpid())), std::string::npos);
  EXPECT_NE(props.find("WM_DELETE_WINDOW"), std::string::npos);
  EXPECT_NE(props.find("WM_TAKE_FOCUS"), std::string::npos);
  EXPECT_NE(props.find("Client accepts input or input focus: False"), std::string::npos);
  EXPECT_NE(props.find("_NET_WM_NAME(UTF8_STRING) = \"Snipwell\""), std::string::npos);
  EXPECT_EQ(props.find("_NET_WM_STRUT"), std::string::npos) << "a strut would shrink the work area";

  // Moved by the program: exactly there again.
  const TRect moved = Bounds(40, 900, 700, 40);
  backend_->MoveTopLevel(bar, moved);
  EXPECT_TRUE(WaitForGeometry(bar, moved, &geometry)) << geometry;

  // Hidden, then shown again: the window manager forgot the states in between.
  backend_->ShowTopLevel(bar, false);
  EXPECT_TRUE(PumpUntil(
      [&] { return Sh("xwininfo -id " + Hex(Xid(bar))).find("IsUnMapped") != std::string::npos; }));
  backend_->ShowTopLevel(bar, true);
  EXPECT_TRUE(WaitForGeometry(bar, moved, &geometry)) << geometry;
  EXPECT_TRUE(PumpUntil([&] {
    return Sh("xprop -id " + Hex(Xid(bar)) + " _NET_WM_STATE").find("_NET_WM_STATE_ABOVE") !=
           std::string::npos;
  }));
}

TEST_F(X11BackendTest, DialogIsModalTransientForItsOwnerAndTakesTheFocus) {
  const HWND bar = ShowWindow(1, BarSpec(Bounds(100, 100, 600, 40)));
  TopLevelStyle style;
  style.bounds = Bounds(300, 300, 320, 200);
  style.title = "Edit";
  style.dialog = true;
  style.owner = bar;
  const HWND dialog = ShowWindow(2, style);

  const std::string props = Sh("xprop -id " + Hex(Xid(dialog)));
  EXPECT_NE(props.find("WM_TRANSIENT_FOR(WINDOW): window id # " + Hex(Xid(bar))), std::string::npos)
      << props;
  EXPECT_NE(props.find("_NET_WM_STATE_MODAL"), std::string::npos);
  EXPECT_NE(props.find("_NET_WM_WINDOW_TYPE_DIALOG"), std::string::npos);
  EXPECT_NE(props.find("window id # of group leader: " + Hex(Xid(bar))), std::string::npos);
  EXPECT_NE(props.find("Client accepts input or input focus: True"), std::string::npos);

  EXPECT_TRUE(PumpUntil([&] { return sink_.Count(Kind::FocusGained, dialog) > 0; }));
  EXPECT_EQ(FocusedWindow(), std::to_string(Xid(dialog)));
  std::string geometry;
  EXPECT_TRUE(WaitForGeometry(dialog, style.bounds, &geometry)) << geometry;
}

TEST_F(X11BackendTest, ToolTipIsAnUnmanagedTipExactlyWhereShownWithoutTheFocus) {
  const HWND bar = ShowWindow(1, BarSpec(Bounds(100, 100, 600, 40)));
  TopLevelStyle style;
  style.bounds = Bounds(317, 151, 120, 19);
  style.topmost = true;
  style.noActivate = true;
  style.toolTip = true;
  style.owner = bar;
  const HWND tip = ShowWindow(2, style);

  const std::string info = Sh("xwininfo -id " + Hex(Xid(tip)));
  EXPECT_NE(info.find("Override Redirect State: yes"), std::string::npos) << info;
  EXPECT_NE(info.find("Absolute upper-left X:  317"), std::string::npos) << info;
  EXPECT_NE(info.find("Absolute upper-left Y:  151"), std::string::npos);
  const std::string props = Sh("xprop -id " + Hex(Xid(tip)) + " _NET_WM_WINDOW_TYPE");
  EXPECT_NE(props.find("_NET_WM_WINDOW_TYPE_TOOLTIP"), std::string::npos) << props;
  // Never framed: no window manager's frame window lies between it and the root.
  const std::string tree = Sh("xwininfo -children -id " + Hex(Xid(tip)));
  const size_t parent = tree.find("Parent window id:");
  ASSERT_NE(parent, std::string::npos) << tree;
  EXPECT_NE(tree.substr(parent, tree.find('\n', parent) - parent).find("(the root window)"),
            std::string::npos)
      << tree;
  EXPECT_NE(FocusedWindow(), std::to_string(Xid(tip)));
}

// ---- Presenting ---------------------------------------------------------------------------

DIBitmap Pattern(int width, int height, int bitsPerPixel, RowOrder order, int seed) {
  DIBitmap dib(width, height, bitsPerPixel, order);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      dib.SetPixel(x, y,
                   RGB(static_cast<uint8_t>(x * 7 + seed), static_cast<uint8_t>(y * 11 + seed),
                       static_cast<uint8_t>(x * y + seed * 3)));
    }
  }
  return dib;
}

uint32_t ScreenValue(TColor color) {
  return (static_cast<uint32_t>(GetRValue(color)) << 16) |
         (static_cast<uint32_t>(GetGValue(color)) << 8) | GetBValue(color);
}

TEST_F(X11BackendTest, PresentShowsExactlyTheBackBufferPixelsOfTheRegion) {
  constexpr int kW = 64;
  constexpr int kH = 48;
  TopLevelStyle style = BarSpec(Bounds(500, 400, kW, kH));
  const HWND hwnd = ShowWindow(1, style);
  ASSERT_EQ(DefaultDepth(probe_, DefaultScreen(probe_)), 24);

  const auto expectShown = [&](const std::vector<TColor>& expected, const char* what) {
    std::vector<uint32_t> want;
    for (TColor c : expected) want.push_back(ScreenValue(c));
    std::vector<uint32_t> got;
    PumpUntil([&] { return (got = ReadPixels(hwnd, kW, kH)) == want; }, milliseconds(2000));
    int wrong = 0;
    for (size_t i = 0; i < want.size() && i < got.size(); ++i) wrong += got[i] != want[i];
    EXPECT_EQ(got.size(), want.size()) << what;
    EXPECT_EQ(wrong, 0) << what;
  };
  const auto colors = [&](const DIBitmap& dib) {
    std::vector<TColor> out;
    for (int y = 0; y < kH; ++y)
      for (int x = 0; x < kW; ++x) out.push_back(dib.Pixel(x, y));
    return out;
  };

  const DIBitmap topDown = Pattern(kW, kH, 24, RowOrder::TopDown, 1);
  backend_->Present(hwnd, topDown, Region(Bounds(0, 0, kW, kH)));
  expectShown(colors(topDown), "top-down");

  const DIBitmap bottomUp = Pattern(kW, kH, 24, RowOrder::BottomUp, 40);
  backend_->Present(hwnd, bottomUp, Region(Bounds(0, 0, kW, kH)));
  expectShown(colors(bottomUp), "bottom-up");

  const DIBitmap wide = Pattern(kW, kH, 32, RowOrder::BottomUp, 90);
  backend_->Present(hwnd, wide, Region(Bounds(0, 0, kW, kH)));
  expectShown(colors(wide), "32-bit");

  // Only the region's parts change; a part beyond the bitmap is cut off, not read.
  const DIBitmap next = Pattern(kW, kH, 24, RowOrder::BottomUp, 150);
  const Region area = Region::FromRects({Bounds(5, 5, 15, 10), Bounds(30, 20, 30, 20),
                                         Bounds(50, 40, 500, 500), Bounds(-20, -20, 10, 10)});
  backend_->Present(hwnd, next, area);
  std::vector<TColor> expected = colors(wide);
  for (int y = 0; y < kH; ++y) {
    for (int x = 0; x < kW; ++x) {
      if (area.Contains(x, y)) expected[static_cast<size_t>(y) * kW + x] = next.Pixel(x, y);
    }
  }
  expectShown(expected, "partial region");

  // A smaller back buffer (the window shrinks later) and refused depths.
  backend_->Present(hwnd, Pattern(10, 10, 24, RowOrder::TopDown, 7), Region(Bounds(0, 0, kW, kH)));
  EXPECT_THROW(backend_->Present(hwnd, DIBitmap(8, 8, 8), Region(Bounds(0, 0, 8, 8))), Exception);
}

// ---- Input --------------------------------------------------------------------------------

TEST_F(X11BackendTest, PointerMovesClicksWheelAndLeaveArriveInClientCoordinates) {
  const HWND hwnd = ShowWindow(1, BarSpec(Bounds(200, 300, 300, 100)));
  std::string geometry;
  ASSERT_TRUE(WaitForGeometry(hwnd, Bounds(200, 300, 300, 100), &geometry)) << geometry;

  Sh("xdotool mousemove --sync 250 340");
  ASSERT_TRUE(PumpUntil([&] {
    const NativeEvent* e = sink_.Last(Kind::PointerMove, hwnd);
    return e && e->point == Point(50, 40);
  }));
  // Known from the window's own events while the pointer is over it, asked of the server after.
  EXPECT_EQ(backend_->CursorPos(), Point(250, 340));

  Sh("xdotool click 1");
  ASSERT_TRUE(PumpUntil([&] { return sink_.Count(Kind::ButtonUp, hwnd) == 1; }));
  const NativeEvent* down = sink_.Last(Kind::ButtonDown, hwnd);
  ASSERT_NE(down, nullptr);
  EXPECT_EQ(down->button, 1);
  EXPECT_EQ(down->point, Point(50, 40));
  EXPECT_EQ(down->keyState, unsigned{MK_LBUTTON});
  EXPECT_EQ(sink_.Last(Kind::ButtonUp, hwnd)->keyState, 0u);

  Sh("xdotool keydown shift click 3 keyup shift");
  ASSERT_TRUE(PumpUntil([&] { return sink_.Count(Kind::ButtonUp, hwnd) == 2; }));
  EXPECT_EQ(sink_.Last(Kind::ButtonDown, hwnd)->button, 3);
  EXPECT_EQ(sink_.Last(Kind::ButtonDown, hwnd)->keyState, unsigned{MK_RBUTTON | MK_SHIFT});

  Sh("xdotool click 4 click 5");
  ASSERT_TRUE(PumpUntil([&] { return sink_.Count(Kind::Wheel, hwnd) == 2; }));
  std::vector<int> deltas;
  for (const NativeEvent& e : sink_.events)
    if (e.kind == Kind::Wheel) deltas.push_back(e.delta);
  EXPECT_EQ(deltas, (std::vector<int>{120, -120}));
  EXPECT_EQ(sink_.Count(Kind::ButtonDown, hwnd), 2) << "wheel notches are no button presses";

  // Two clicks 150 ms apart keep their distance on the event clock (double clicks depend on it),
  // even though they are read together.
  Sh("xdotool click --repeat 2 --delay 150 1");
  ASSERT_TRUE(PumpUntil([&] { return sink_.Count(Kind::ButtonDown, hwnd) == 4; }));
  std::vector<uint32_t> times;
  for (const NativeEvent& e : sink_.events)
    if (e.kind == Kind::ButtonDown) times.push_back(e.time);
  const uint32_t apart = times[3] - times[2];
  EXPECT_GE(apart, 100u);
  EXPECT_LE(apart, 400u);
  EXPECT_LE(static_cast<int32_t>(times[3] - backend_->TickCount()), 0)
      << "an event from the future";

  Sh("xdotool mousemove --sync 900 900");
  EXPECT_TRUE(PumpUntil([&] { return sink_.Count(Kind::PointerLeave, hwnd) == 1; }));
  Sh("xdotool mousemove --sync 910 905");
  EXPECT_EQ(backend_->CursorPos(), Point(910, 905)) << "a position from before the leave";
}

TEST_F(X11BackendTest, KeysGiveVirtualKeysAndTypedTextWithoutControlCharacters) {
  TopLevelStyle style;
  style.bounds = Bounds(300, 200, 200, 100);
  style.topmost = true;
  const HWND hwnd = ShowWindow(1, style);
  backend_->Activate(hwnd);
  ASSERT_TRUE(PumpUntil([&] { return sink_.Count(Kind::FocusGained, hwnd) == 1; }));

  sink_.events.clear();
  Sh("xdotool key Up Down Escape Return Tab a shift+b 7 F5 Delete ctrl+alt+c");
  ASSERT_TRUE(PumpUntil([&] { return sink_.Count(Kind::KeyUp, hwnd) >= 14; }));
  std::vector<int> keys;
  std::string text;
  for (const NativeEvent& e : sink_.events) {
    if (e.kind == Kind::KeyDown) keys.push_back(e.virtualKey);
    if (e.kind == Kind::Text) text += e.text;
  }
  EXPECT_EQ(keys, (std::vector<int>{VK_UP, VK_DOWN, VK_ESCAPE, VK_RETURN, VK_TAB, 'A', VK_SHIFT,
                                    'B', '7', VK_F1 + 4, VK_DELETE, VK_CONTROL, VK_MENU, 'C'}));
  EXPECT_EQ(text, "aB7") << "ctrl+alt+c is a key, not text";
  for (const NativeEvent& e : sink_.events) {
    if (e.kind != Kind::KeyDown) continue;
    EXPECT_FALSE(e.repeat);
    if (e.virtualKey == 'B' || e.virtualKey == VK_SHIFT) {
      EXPECT_EQ(e.keyState, unsigned{MK_SHIFT}) << e.virtualKey;
    }
    if (e.virtualKey == 'C') {
      EXPECT_EQ(e.keyState, MK_CONTROL | kAltDown);
    }
  }

  sink_.events.clear();
  // xdotool types a character by binding a spare key to it for a moment, so the window has to
  // look the key up while xdotool still runs: pump meanwhile. xdotool decodes by the locale.
  std::atomic<bool> typing{true};
  std::thread typist([&] {
    Sh("env LC_ALL=C.UTF-8 xdotool type --delay 300 'é€'");
    typing = false;
  });
  PumpUntil([&] { return !typing.load(); }, milliseconds(8000));
  typist.join();
  std::string typed;
  EXPECT_TRUE(PumpUntil([&] {
    typed.clear();
    for (const NativeEvent& e : sink_.events)
      if (e.kind == Kind::Text) typed += e.text;
    return typed == "é€";
  })) << "typed: "
      << typed;

  // A held key repeats: presses without releases in between, all but the first marked.
  sink_.events.clear();
  Sh("xdotool keydown x sleep 0.9 keyup x");
  ASSERT_TRUE(PumpUntil([&] { return sink_.Count(Kind::KeyUp, hwnd) >= 1; }));
  backend_->WaitForEvents(100);
  std::vector<bool> repeats;
  for (const NativeEvent& e : sink_.events)
    if (e.kind == Kind::KeyDown) repeats.push_back(e.repeat);
  ASSERT_GE(repeats.size(), 2u) << "the server did not repeat";
  EXPECT_FALSE(repeats.front());
  EXPECT_EQ(std::count(repeats.begin(), repeats.end(), true),
            static_cast<long>(repeats.size() - 1));
  EXPECT_EQ(sink_.Count(Kind::KeyUp, hwnd), 1) << "auto-repeat must not look like releases";
}

TEST_F(X11BackendTest, HoverAndClickOnTheBarLeaveTheOtherWindowItsFocus) {
  const ::Window other = MakeClientWindow(Bounds(50, 50, 200, 200));
  Sh("xdotool windowactivate --sync " + std::to_string(other));
  ASSERT_TRUE(PumpUntil([&] { return FocusedWindow() == std::to_string(other); }));

  const HWND bar = ShowWindow(1, BarSpec(Bounds(400, 500, 500, 40)));
  std::string geometry;
  ASSERT_TRUE(WaitForGeometry(bar, Bounds(400, 500, 500, 40), &geometry)) << geometry;
  for (int x : {420, 600, 850}) {
    Sh("xdotool mousemove --sync " + std::to_string(x) + " 520");
    ASSERT_TRUE(PumpUntil([&] {
      const NativeEvent* e = sink_.Last(Kind::PointerMove, bar);
      return e && e->point == Point(x - 400, 20);
    }));
  }
  backend_->WaitForEvents(200);
  EXPECT_EQ(FocusedWindow(), std::to_string(other)) << "hover took the focus";
  // A focus-follows-mouse window manager would offer the focus now: it is turned down.
  OfferFocus(bar);
  backend_->WaitForEvents(200);
  EXPECT_EQ(FocusedWindow(), std::to_string(other)) << "the offer on hover was taken";

  Sh("xdotool click 1");
  ASSERT_TRUE(PumpUntil([&] { return sink_.Count(Kind::ButtonUp, bar) == 1; }));
  backend_->WaitForEvents(200);
  EXPECT_EQ(FocusedWindow(), std::to_string(other)) << "a click alone took the focus";
  EXPECT_EQ(sink_.Count(Kind::FocusGained, bar), 0);

  // The program takes it when it decides to (after a click on one of its fields)...
  backend_->Activate(bar);
  EXPECT_TRUE(PumpUntil([&] { return FocusedWindow() == std::to_string(Xid(bar)); }));
  EXPECT_TRUE(PumpUntil([&] { return sink_.Count(Kind::FocusGained, bar) == 1; }));

  // ...and accepts a window manager's offer right after a click on it.
  Sh("xdotool windowactivate --sync " + std::to_string(other));
  ASSERT_TRUE(PumpUntil([&] { return sink_.Count(Kind::FocusLost, bar) == 1; }));
  Sh("xdotool click 1");
  ASSERT_TRUE(PumpUntil([&] { return sink_.Count(Kind::ButtonUp, bar) == 2; }));
  OfferFocus(bar);
  EXPECT_TRUE(PumpUntil([&] { return FocusedWindow() == std::to_string(Xid(bar)); }));
}

TEST_F(X11BackendTest, WindowManagerRequestsArriveAsCloseAndConfigure) {
  TopLevelStyle style;
  style.bounds = Bounds(600, 300, 120, 80);
  const HWND hwnd = ShowWindow(1, style);

  Sh("xdotool windowmove --sync " + std::to_string(Xid(hwnd)) + " 77 88");
  EXPECT_TRUE(PumpUntil([&] {
    const NativeEvent* e = sink_.Last(Kind::Configure, hwnd);
    return e && e->rect == Bounds(77, 88, 120, 80);
  }));

  XEvent message{};
  message.xclient.type = ClientMessage;
  message.xclient.window = Xid(hwnd);
  message.xclient.message_type = XInternAtom(probe_, "WM_PROTOCOLS", False);
  message.xclient.format = 32;
  message.xclient.data.l[0] = static_cast<long>(XInternAtom(probe_, "WM_DELETE_WINDOW", False));
  message.xclient.data.l[1] = CurrentTime;
  // Three requests in a row; the window system destroys the window at the first one, and nothing
  // more may reach it under the dead handle.
  for (int i = 0; i < 3; ++i) XSendEvent(probe_, Xid(hwnd), False, NoEventMask, &message);
  XSync(probe_, False);
  sink_.onEvent = [&](const NativeEvent& e) {
    if (e.kind == Kind::CloseRequest) backend_->DestroyTopLevel(e.window);
  };
  EXPECT_TRUE(PumpUntil([&] { return sink_.Count(Kind::CloseRequest, hwnd) > 0; }));
  backend_->WaitForEvents(100);
  EXPECT_EQ(sink_.Count(Kind::CloseRequest, hwnd), 1);
  EXPECT_EQ(Xid(hwnd), 0u);
}

TEST_F(X11BackendTest, PilesOfMotionShrinkToTheLastPosition) {
  const HWND hwnd = ShowWindow(1, BarSpec(Bounds(100, 600, 300, 50)));
  sink_.events.clear();
  for (int i = 0; i < 20; ++i) {
    XEvent motion{};
    motion.xmotion.type = MotionNotify;
    motion.xmotion.window = Xid(hwnd);
    motion.xmotion.x = i;
    motion.xmotion.y = 7;
    motion.xmotion.time = 1000 + i;
    XSendEvent(probe_, Xid(hwnd), False, PointerMotionMask, &motion);
  }
  XSync(probe_, False);
  ASSERT_TRUE(PumpUntil([&] {
    const NativeEvent* e = sink_.Last(Kind::PointerMove, hwnd);
    return e && e->point == Point(19, 7);
  }));
  EXPECT_LT(sink_.Count(Kind::PointerMove, hwnd), 20);
}

// ---- Title, icon, shape -------------------------------------------------------------------

std::vector<unsigned char> Property(Display* display, ::Window window, const char* name, Atom* type,
                                    int* format, unsigned long* count) {
  unsigned char* data = nullptr;
  unsigned long remaining = 0;
  std::vector<unsigned char> out;
  if (XGetWindowProperty(display, window, XInternAtom(display, name, False), 0, 1 << 20, False,
                         AnyPropertyType, type, format, count, &remaining, &data) == Success &&
      data) {
    const size_t unit = *format == 32 ? sizeof(long) : static_cast<size_t>(*format / 8);
    out.assign(data, data + *count * unit);
  }
  if (data) XFree(data);
  return out;
}

TEST_F(X11BackendTest, TitleIconAndShapeReachTheServer) {
  const HWND hwnd = ShowWindow(1, BarSpec(Bounds(700, 700, 40, 30)));
  Atom type = None;
  int format = 0;
  unsigned long count = 0;

  backend_->SetTitle(hwnd, "Snips \xC3\xA9 \xFF");
  SyncWithServer(*backend_);
  const auto name = Property(probe_, Xid(hwnd), "_NET_WM_NAME", &type, &format, &count);
  EXPECT_EQ(std::string(name.begin(), name.end()), "Snips \xC3\xA9 \xC3\xBF")
      << "a stray byte is Latin-1";
  EXPECT_NE(Sh("xprop -id " + Hex(Xid(hwnd)) + " WM_NAME").find("Snips"), std::string::npos);

  DIBitmap image(2, 2, 24, RowOrder::TopDown);
  image.SetPixel(0, 0, RGB(255, 0, 0));
  image.SetPixel(1, 0, RGB(0, 255, 0));
  image.SetPixel(0, 1, RGB(0, 0, 255));
  image.SetPixel(1, 1, RGB(1, 2, 3));
  DIBitmap mask(2, 2, 1, RowOrder::TopDown);
  mask.SetPalette({RGBQuad{255, 255, 255, 0}, RGBQuad{0, 0, 0, 0}});  // inverted: judged by index
  mask.SetPixelIndex(1, 1, 1);
  backend_->SetIcon(hwnd, image, &mask);
  SyncWithServer(*backend_);
  const auto icon = Property(probe_, Xid(hwnd), "_NET_WM_ICON", &type, &format, &count);
  ASSERT_EQ(count, 6u);
  // Xlib hands format-32 items back as sign-extended longs.
  std::vector<unsigned long> items;
  for (size_t i = 0; i < 6; ++i)
    items.push_back(reinterpret_cast<const unsigned long*>(icon.data())[i] & 0xFFFFFFFFul);
  EXPECT_EQ(items, (std::vector<unsigned long>{2, 2, 0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0}));
  EXPECT_TRUE(IconToArgb(DIBitmap(kMaxIconSide + 1, 4), nullptr).empty());

  const Region shape = Region::FromRects({Bounds(0, 0, 40, 10), Bounds(10, 10, 20, 20)});
  backend_->SetShape(hwnd, shape);
  SyncWithServer(*backend_);
  int n = 0;
  int ordering = 0;
  XRectangle* rects = XShapeGetRectangles(probe_, Xid(hwnd), ShapeBounding, &n, &ordering);
  std::vector<TRect> got;
  for (int i = 0; i < n; ++i)
    got.push_back(Bounds(rects[i].x, rects[i].y, rects[i].width, rects[i].height));
  if (rects) XFree(rects);
  EXPECT_EQ(got, shape.Rects());

  backend_->SetShape(hwnd, std::nullopt);
  SyncWithServer(*backend_);
  rects = XShapeGetRectangles(probe_, Xid(hwnd), ShapeBounding, &n, &ordering);
  ASSERT_EQ(n, 1);
  EXPECT_EQ(Bounds(rects[0].x, rects[0].y, rects[0].width, rects[0].height), Bounds(0, 0, 40, 30));
  XFree(rects);
}

TEST_F(X11BackendTest, OpacityReachesTheServerAndAnOpaqueWindowCarriesNone) {
  const HWND hwnd = ShowWindow(1, BarSpec(Bounds(700, 700, 40, 30)));
  Atom type = None;
  int format = 0;
  unsigned long count = 0;
  const auto opacity = [&] {
    const auto value =
        Property(probe_, Xid(hwnd), "_NET_WM_WINDOW_OPACITY", &type, &format, &count);
    return count == 1 ? reinterpret_cast<const unsigned long*>(value.data())[0] & 0xFFFFFFFFul
                      : 0x100000000ul;  // none
  };
  backend_->SetOpacity(hwnd, 0);
  SyncWithServer(*backend_);
  EXPECT_EQ(opacity(), 0u);
  EXPECT_EQ(type, XA_CARDINAL);
  backend_->SetOpacity(hwnd, 128);
  SyncWithServer(*backend_);
  EXPECT_EQ(opacity(), 0x80808080u);
  backend_->SetOpacity(hwnd, 254);
  SyncWithServer(*backend_);
  EXPECT_EQ(opacity(), 0xFEFEFEFEu);
  backend_->SetOpacity(hwnd, 255);
  SyncWithServer(*backend_);
  EXPECT_EQ(opacity(), 0x100000000ul);
}

TEST(X11Keyboard, ControlCharactersNeverBecomeText) {
  EXPECT_EQ(WithoutControlCharacters("a\tb\r\n\x1b\x7f"
                                     "c\xC2\x85"
                                     "d\xC2\xA0\xC3\xA9"),
            "abcd\xC2\xA0\xC3\xA9");
  EXPECT_EQ(VirtualKeyFromKeysym(XK_KP_Up), VK_UP);
  EXPECT_EQ(VirtualKeyFromKeysym(XK_KP_7), VK_NUMPAD0 + 7);
  EXPECT_EQ(VirtualKeyFromKeysym(XK_ISO_Left_Tab), VK_TAB);
  EXPECT_EQ(VirtualKeyFromKeysym(XK_Next), VK_NEXT);
  EXPECT_EQ(VirtualKeyFromKeysym(XK_eacute), 0);
}

TEST(X11EventClock, ServerTimesKeepTheirDistancesAndNeverLieAhead) {
  X11EventClock clock;
  // Read 50 ms late, then an event 150 ms later read at once, across the 32-bit wrap of both
  // clocks.
  const uint32_t first = clock.Map(0xFFFFFF00u, 1000);
  EXPECT_EQ(first, 1000u);
  const uint32_t second = clock.Map(0xFFFFFF00u + 150, 1000 + 150);
  EXPECT_EQ(second - first, 150u);
  // An event that reached us faster than the first: it moves the offset rather than lie ahead.
  const uint32_t third = clock.Map(0xFFFFFF00u + 1000, 1000 + 990);
  EXPECT_EQ(third, 1990u);
  // A read delayed by half a second keeps the event's own time.
  EXPECT_EQ(clock.Map(0xFFFFFF00u + 1100, 2590), 2090u);
  // A server clock that fell a minute behind is taken afresh.
  EXPECT_EQ(clock.Map(0xFFFFFF00u + 1200, 2190 + 70000), 2190u + 70000);
}

// ---- Screens ------------------------------------------------------------------------------

TEST_F(X11BackendTest, WorkAreaLosesTheDockedPanelsStrut) {
  EXPECT_EQ(backend_->VirtualScreenSize(), (TSize{1280, 1024}));
  EXPECT_TRUE(PumpUntil([&] { return WorkArea() == Bounds(0, 0, 1280, 1024); })) << "no panel yet";

  // A panel along the bottom edge, 30 pixels high, as a desktop's task bar would be.
  XSetWindowAttributes attributes{};
  const ::Window panel = XCreateWindow(probe_, DefaultRootWindow(probe_), 0, 994, 1280, 30, 0,
                                       CopyFromParent, InputOutput, CopyFromParent, 0, &attributes);
  probeWindows_.push_back(panel);
  const Atom dock = XInternAtom(probe_, "_NET_WM_WINDOW_TYPE_DOCK", False);
  XChangeProperty(probe_, panel, XInternAtom(probe_, "_NET_WM_WINDOW_TYPE", False), XA_ATOM, 32,
                  PropModeReplace, reinterpret_cast<const unsigned char*>(&dock), 1);
  const long strut[12] = {0, 0, 0, 30, 0, 0, 0, 0, 0, 0, 0, 1279};
  XChangeProperty(probe_, panel, XInternAtom(probe_, "_NET_WM_STRUT_PARTIAL", False), XA_CARDINAL,
                  32, PropModeReplace, reinterpret_cast<const unsigned char*>(strut), 12);
  XMapWindow(probe_, panel);
  XSync(probe_, False);
  EXPECT_TRUE(PumpUntil([&] { return WorkArea() == Bounds(0, 0, 1280, 994); }))
      << "got height " << WorkArea().Height();

  // The answer is kept between changes: the program heard of each one.
  EXPECT_EQ(Announced(Kind::WorkAreaChanged), 1);
  EXPECT_EQ(Announced(Kind::DisplayChanged), 0);

  XDestroyWindow(probe_, panel);
  probeWindows_.clear();
  XSync(probe_, False);
  EXPECT_TRUE(PumpUntil([&] { return WorkArea() == Bounds(0, 0, 1280, 1024); }));
  EXPECT_EQ(Announced(Kind::WorkAreaChanged), 2);
}

// A dock along the bottom of the screen, reserving `height` pixels over [startX, endX].
::Window DockAtBottom(Display* display, int startX, int endX, int height) {
  const int rootHeight = DisplayHeight(display, DefaultScreen(display));
  XSetWindowAttributes attributes{};
  const ::Window panel =
      XCreateWindow(display, DefaultRootWindow(display), startX, rootHeight - height,
                    static_cast<unsigned>(endX - startX + 1), static_cast<unsigned>(height), 0,
                    CopyFromParent, InputOutput, CopyFromParent, 0, &attributes);
  const Atom dock = XInternAtom(display, "_NET_WM_WINDOW_TYPE_DOCK", False);
  XChangeProperty(display, panel, XInternAtom(display, "_NET_WM_WINDOW_TYPE", False), XA_ATOM, 32,
                  PropModeReplace, reinterpret_cast<const unsigned char*>(&dock), 1);
  const long strut[12] = {0, 0, 0, height, 0, 0, 0, 0, 0, 0, startX, endX};
  XChangeProperty(display, panel, XInternAtom(display, "_NET_WM_STRUT_PARTIAL", False), XA_CARDINAL,
                  32, PropModeReplace, reinterpret_cast<const unsigned char*>(strut), 12);
  XMapWindow(display, panel);
  XSync(display, False);
  return panel;
}

TEST_F(X11BackendTest, TwoMonitorsThePrimaryFirstEachLessTheDocksOnIt) {
  ASSERT_EQ(backend_->Monitors().size(), 1u);
  // The screen split in two, the right half primary, as xrandr does it for a real pair.
  struct Restore {
    ~Restore() { Sh("sh -c 'xrandr --delmonitor R; xrandr --delmonitor L'"); }
  } restore;
  Sh("xrandr --setmonitor L 640/170x1024/270+0+0 screen");
  Sh("xrandr --setmonitor '*R' 640/170x1024/270+640+0 none");
  ASSERT_TRUE(PumpUntil([&] { return backend_->Monitors().size() == 2; }));
  EXPECT_GE(Announced(Kind::DisplayChanged), 1);
  std::vector<MonitorInfo> monitors = backend_->Monitors();
  EXPECT_EQ(monitors[0].rcMonitor, Bounds(640, 0, 640, 1024));
  EXPECT_TRUE(monitors[0].primary);
  EXPECT_EQ(monitors[1].rcMonitor, Bounds(0, 0, 640, 1024));
  EXPECT_FALSE(monitors[1].primary);

  // A panel on the left monitor only: _NET_WORKAREA, one rectangle for both, loses its height,
  // the right monitor does not.
  probeWindows_.push_back(DockAtBottom(probe_, 0, 639, 40));
  EXPECT_TRUE(PumpUntil([&] { return backend_->Monitors()[1].rcWork == Bounds(0, 0, 640, 984); }))
      << "left: height " << backend_->Monitors()[1].rcWork.Height();
  EXPECT_EQ(backend_->Monitors()[0].rcWork, Bounds(640, 0, 640, 1024));
  // One on the right monitor too, lower: each monitor loses its own.
  probeWindows_.push_back(DockAtBottom(probe_, 640, 1279, 25));
  EXPECT_TRUE(PumpUntil([&] { return backend_->Monitors()[0].rcWork == Bounds(640, 0, 640, 999); }))
      << "right: height " << backend_->Monitors()[0].rcWork.Height();
  EXPECT_EQ(backend_->Monitors()[1].rcWork, Bounds(0, 0, 640, 984));
  EXPECT_EQ(Announced(Kind::WorkAreaChanged), 2);
}

TEST_F(X11BackendTest, PerMonitorWorkAreasOfTheDesktopComeFirst) {
  ASSERT_EQ(WorkArea(), Bounds(0, 0, 1280, 1024));
  // GNOME's own answer: a top bar of 32 pixels.
  const ::Window root = DefaultRootWindow(probe_);
  const Atom areas = XInternAtom(probe_, "_GTK_WORKAREAS_D0", False);
  const long area[4] = {0, 32, 1280, 992};
  XChangeProperty(probe_, root, areas, XA_CARDINAL, 32, PropModeReplace,
                  reinterpret_cast<const unsigned char*>(area), 4);
  XSync(probe_, False);
  EXPECT_TRUE(PumpUntil([&] { return WorkArea() == Bounds(0, 32, 1280, 992); }));
  EXPECT_EQ(Announced(Kind::WorkAreaChanged), 1);
  XDeleteProperty(probe_, root, areas);
  XSync(probe_, False);
  EXPECT_TRUE(PumpUntil([&] { return WorkArea() == Bounds(0, 0, 1280, 1024); }));
}

// ---- One running copy ---------------------------------------------------------------------

// The place of a window's top-level ancestor (its frame, when managed) among the root's children,
// bottom first.
int StackingPosition(Display* display, ::Window window) {
  const ::Window root = DefaultRootWindow(display);
  ::Window top = window;
  for (;;) {
    ::Window rootReturn = None;
    ::Window parent = None;
    ::Window* children = nullptr;
    unsigned count = 0;
    if (!XQueryTree(display, top, &rootReturn, &parent, &children, &count)) return -1;
    if (children) XFree(children);
    if (parent == root || parent == None) break;
    top = parent;
  }
  ::Window rootReturn = None;
  ::Window parent = None;
  ::Window* children = nullptr;
  unsigned count = 0;
  XQueryTree(display, root, &rootReturn, &parent, &children, &count);
  int position = -1;
  for (unsigned i = 0; i < count; ++i) {
    if (children[i] == top) position = static_cast<int>(i);
  }
  if (children) XFree(children);
  return position;
}

TEST_F(X11BackendTest, ALaterStartFindsTheRunningCopyAndRaisesItsWindows) {
  EXPECT_EQ(backend_->ClaimInstance("/home/a/Config.txt"), std::nullopt);
  const HWND bar = ShowWindow(1, BarSpec(Bounds(100, 100, 300, 60)));
  // Another program's always-on-top window over the bar.
  const ::Window cover =
      XCreateSimpleWindow(probe_, DefaultRootWindow(probe_), 50, 50, 500, 200, 0, 0, 0x808080);
  probeWindows_.push_back(cover);
  const Atom above = XInternAtom(probe_, "_NET_WM_STATE_ABOVE", False);
  XChangeProperty(probe_, cover, XInternAtom(probe_, "_NET_WM_STATE", False), XA_ATOM, 32,
                  PropModeReplace, reinterpret_cast<const unsigned char*>(&above), 1);
  XMapRaised(probe_, cover);
  XSync(probe_, False);
  ASSERT_TRUE(PumpUntil(
      [&] { return StackingPosition(probe_, Xid(bar)) < StackingPosition(probe_, cover); }));

  {
    std::unique_ptr<Backend> later = CreateX11Backend({"snipwell", "Snipwell"});
    EXPECT_EQ(later->ClaimInstance("/home/b/Config.txt"), "/home/a/Config.txt");
    EXPECT_TRUE(later->RaiseRunningInstance());
  }
  EXPECT_TRUE(PumpUntil(
      [&] { return StackingPosition(probe_, Xid(bar)) > StackingPosition(probe_, cover); }));

  // Another program's selection of another name is no copy of this one.
  std::unique_ptr<Backend> other = CreateX11Backend({"otherprogram", "Otherprogram"});
  EXPECT_EQ(other->ClaimInstance("/x"), std::nullopt);
  other.reset();

  // Once the running copy ends, the next start is the desktop's copy.
  backend_->Shutdown();
  backend_.reset();
  std::unique_ptr<Backend> next = CreateX11Backend({"snipwell", "Snipwell"});
  EXPECT_EQ(next->ClaimInstance("/home/c/Config.txt"), std::nullopt);
  std::unique_ptr<Backend> last = CreateX11Backend({"snipwell", "Snipwell"});
  EXPECT_EQ(last->ClaimInstance("/home/d/Config.txt"), "/home/c/Config.txt");
}

// ---- Waiting ------------------------------------------------------------------------------

double CpuMilliseconds() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return (usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1000.0 +
         (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1000.0;
}

TEST_F(X11BackendTest, WaitingSleepsUntilTheTimeoutOrTheNextEvent) {
  const HWND hwnd = ShowWindow(1, BarSpec(Bounds(900, 100, 200, 100)));
  backend_->WaitForEvents(100);  // whatever the window manager still had to say
  sink_.events.clear();

  const double cpuBefore = CpuMilliseconds();
  const auto start = Clock::now();
  backend_->WaitForEvents(500);
  const auto waited = std::chrono::duration_cast<milliseconds>(Clock::now() - start).count();
  const double cpu = CpuMilliseconds() - cpuBefore;
  EXPECT_GE(waited, 480);
  EXPECT_LT(waited, 1500);
  EXPECT_LT(cpu, 20.0) << "the wait spun instead of sleeping";
  EXPECT_TRUE(sink_.events.empty());

  // Without a limit it returns as soon as input arrives (from another client, 200 ms later).
  std::atomic<bool> returned{false};
  std::thread mover([&] {
    std::this_thread::sleep_for(milliseconds(200));
    Display* other = XOpenDisplay(nullptr);
    for (int i = 0; i < 50 && !returned; ++i) {
      XWarpPointer(other, None, DefaultRootWindow(other), 0, 0, 0, 0, 950 + i % 3, 150);
      XSync(other, False);
      std::this_thread::sleep_for(milliseconds(100));
    }
    XCloseDisplay(other);
  });
  backend_->WaitForEvents(std::nullopt);
  returned = true;
  mover.join();
  EXPECT_GT(sink_.Count(Kind::PointerMove, hwnd), 0);

  // Zero just looks.
  const auto looked = Clock::now();
  backend_->WaitForEvents(0);
  EXPECT_LT(std::chrono::duration_cast<milliseconds>(Clock::now() - looked).count(), 100);
}

// ---- Clipboard through the backend --------------------------------------------------------

TEST_F(X11BackendTest, ClipboardTextGoesToOtherClientsAndComesBack) {
  const HWND hwnd = ShowWindow(1, BarSpec(Bounds(100, 800, 200, 40)));
  Sh("xdotool mousemove --sync 150 820");
  ASSERT_TRUE(PumpUntil([&] { return sink_.Count(Kind::PointerMove, hwnd) > 0; }));
  ASSERT_TRUE(backend_->ClipboardAvailable());
  ASSERT_TRUE(backend_->ClipboardPublish("snip \xC3\xA9"));

  std::string read;
  std::atomic<bool> done{false};
  std::thread reader([&] {
    read = Sh("xclip -o -selection clipboard");
    done = true;
  });
  PumpUntil([&] { return done.load(); }, milliseconds(8000));
  reader.join();
  EXPECT_EQ(read, "snip \xC3\xA9");
  EXPECT_EQ(backend_->ClipboardRead(), "snip \xC3\xA9");
}

// ---- Without a window manager -------------------------------------------------------------

TEST_F(X11BackendTest, NoWindowManagerWorkAreaIsTheWholeMonitor) {
  EXPECT_EQ(WorkArea(), Bounds(0, 0, 1280, 1024));

  // A window manager that died leaves its properties on the root: they must not count.
  const ::Window root = DefaultRootWindow(probe_);
  const ::Window gone = XCreateSimpleWindow(probe_, root, 0, 0, 1, 1, 0, 0, 0);
  XDestroyWindow(probe_, gone);
  const Atom check = XInternAtom(probe_, "_NET_SUPPORTING_WM_CHECK", False);
  const Atom workArea = XInternAtom(probe_, "_NET_WORKAREA", False);
  const long area[4] = {0, 0, 100, 100};
  XChangeProperty(probe_, root, check, XA_WINDOW, 32, PropModeReplace,
                  reinterpret_cast<const unsigned char*>(&gone), 1);
  XChangeProperty(probe_, root, workArea, XA_CARDINAL, 32, PropModeReplace,
                  reinterpret_cast<const unsigned char*>(area), 4);
  XSync(probe_, False);
  EXPECT_EQ(WorkArea(), Bounds(0, 0, 1280, 1024));
  XDeleteProperty(probe_, root, check);
  XDeleteProperty(probe_, root, workArea);
  XSync(probe_, False);
}

TEST_F(X11BackendTest, NoWindowManagerWindowsStandAndTakeTheFocusThemselves) {
  const TRect bounds = Bounds(33, 44, 300, 60);
  const HWND bar = ShowWindow(1, BarSpec(bounds));
  std::string geometry;
  EXPECT_TRUE(WaitForGeometry(bar, bounds, &geometry)) << geometry;

  TopLevelStyle style;
  style.bounds = Bounds(400, 400, 100, 100);
  const HWND other = ShowWindow(2, style);
  backend_->Activate(other);
  EXPECT_TRUE(PumpUntil([&] { return FocusedWindow() == std::to_string(Xid(other)); }));
  EXPECT_TRUE(PumpUntil([&] { return sink_.Count(Kind::FocusGained, other) == 1; }));
}

// Without a window manager nobody keeps the bar on top: it rises again itself when another
// program's window covers it, keeps the program's own windows above it in their order, leaves
// other programs' menus (override-redirect) above it, and never takes the keyboard doing so.
TEST_F(X11BackendTest, NoWindowManagerTheBarRisesAboveWindowsOpenedLater) {
  const HWND bar = ShowWindow(1, BarSpec(Bounds(100, 900, 600, 56)));
  TopLevelStyle boxStyle;
  boxStyle.bounds = Bounds(300, 850, 200, 100);
  boxStyle.topmost = true;
  boxStyle.dialog = true;
  boxStyle.owner = bar;
  const HWND box = ShowWindow(2, boxStyle);
  const auto order = [&](const std::vector<unsigned long>& bottomToTop) {
    return StackedInOrder(bottomToTop);
  };
  XSetInputFocus(probe_, PointerRoot, RevertToPointerRoot, CurrentTime);
  XSync(probe_, False);
  const std::string focus = FocusedWindow();

  const ::Window cover = MakeClientWindow(Bounds(50, 800, 600, 224));
  EXPECT_TRUE(PumpUntil([&] {
    return order({cover, Xid(bar), Xid(box)});
  })) << "the bar stays under a window opened later";
  EXPECT_EQ(FocusedWindow(), focus) << "rising took the keyboard";

  XSetWindowAttributes attributes{};
  attributes.override_redirect = True;
  const ::Window menu =
      XCreateWindow(probe_, DefaultRootWindow(probe_), 120, 880, 100, 100, 0, CopyFromParent,
                    InputOutput, CopyFromParent, CWOverrideRedirect, &attributes);
  probeWindows_.push_back(menu);
  XMapRaised(probe_, menu);
  XSync(probe_, False);
  PumpUntil([] { return false; }, milliseconds(300));
  EXPECT_TRUE(order({Xid(bar), Xid(box), menu})) << "another program's menu went under the bar";
}

// Another client that also keeps itself on top by raising itself whenever covered: the two must
// not take turns for ever. The bar gives up after a few raises, and still rises above a window
// opened later.
TEST_F(X11BackendTest, NoWindowManagerTheBarEndsARaisingWarWithAnotherOnTopClient) {
  const HWND bar = ShowWindow(1, BarSpec(Bounds(100, 900, 600, 56)));
  const ::Window rival = MakeClientWindow(Bounds(50, 850, 600, 150), VisibilityChangeMask);
  int rivalRaises = 0;
  const auto serveRival = [&] {
    while (XPending(probe_) > 0) {
      XEvent event{};
      XNextEvent(probe_, &event);
      if (event.type == VisibilityNotify && event.xvisibility.window == rival &&
          event.xvisibility.state != VisibilityUnobscured) {
        XRaiseWindow(probe_, rival);
        XFlush(probe_);
        ++rivalRaises;
      }
    }
    return false;
  };
  PumpUntil(serveRival, milliseconds(1500));
  EXPECT_GE(rivalRaises, 1) << "the bar never rose above the rival";
  EXPECT_LE(rivalRaises, RaisePolicy::kAnswersTolerated + 2) << "the raising went on";
  EXPECT_TRUE(StackedInOrder({Xid(bar), rival})) << "the rival keeps the top once the bar gave up";

  const ::Window cover = MakeClientWindow(Bounds(50, 800, 600, 224));
  EXPECT_TRUE(PumpUntil([&] {
    serveRival();
    return StackedInOrder({cover, Xid(bar)});
  })) << "the bar stays under a window opened later";
  const int raisesNow = rivalRaises;
  PumpUntil(serveRival, milliseconds(1200));
  EXPECT_LE(rivalRaises - raisesNow, RaisePolicy::kAnswersTolerated + 2) << "a second war";
}

}  // namespace
}  // namespace platform::x11
