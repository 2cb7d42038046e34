// Turning back buffers into the visual's pixels, and both ways of sending them: MIT-SHM and plain
// XPutImage (the way a remote display goes).

// GoogleTest before Xlib: Xlib #defines names (None, Bool, Status) that GoogleTest uses.
#include <gtest/gtest.h>

#include "platform/x11/X11Presenter.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <chrono>
#include <cstdlib>
#include <thread>
#include <vector>

#include "platform/Exception.h"

namespace platform::x11 {
namespace {

DIBitmap Pattern(int width, int height, int bitsPerPixel, RowOrder order, int seed) {
  DIBitmap dib(width, height, bitsPerPixel, order);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      dib.SetPixel(x, y,
                   RGB(static_cast<uint8_t>(x * 9 + seed), static_cast<uint8_t>(y * 5 + seed),
                       static_cast<uint8_t>((x ^ y) + seed)));
    }
  }
  return dib;
}

constexpr uint32_t kUntouched = 0xDEADBEEF;

std::vector<uint32_t> Convert(const DIBitmap& dib, const TRect& rect, const PixelLayout& layout) {
  std::vector<uint32_t> out(static_cast<size_t>(dib.Width()) * dib.Height(), kUntouched);
  ConvertToPixels(dib, rect, layout, reinterpret_cast<uint8_t*>(out.data()),
                  dib.Width() * sizeof(uint32_t));
  return out;
}

TEST(X11PixelLayout, EveryLayoutPlacesEachChannelAndTouchesOnlyTheRectangle) {
  struct Case {
    unsigned long red, green, blue;
    uint32_t (*expected)(TColor);
  };
  const Case cases[] = {
      {0xFF0000, 0xFF00, 0xFF,
       [](TColor c) {
         return (uint32_t{GetRValue(c)} << 16) | (uint32_t{GetGValue(c)} << 8) | GetBValue(c);
       }},
      {0xFF, 0xFF00, 0xFF0000,
       [](TColor c) {
         return uint32_t{GetRValue(c)} | (uint32_t{GetGValue(c)} << 8) |
                (uint32_t{GetBValue(c)} << 16);
       }},
      // 5-6-5: the top bits of each channel.
      {0xF800, 0x07E0, 0x1F,
       [](TColor c) {
         return (static_cast<uint32_t>(GetRValue(c) >> 3) << 11) |
                (static_cast<uint32_t>(GetGValue(c) >> 2) << 5) |
                static_cast<uint32_t>(GetBValue(c) >> 3);
       }},
  };
  for (const Case& c : cases) {
    const PixelLayout layout(c.red, c.green, c.blue);
    EXPECT_EQ(layout.isBgrx, c.red == 0xFF0000 && c.blue == 0xFF);
    // A rectangle inside, and the whole picture up to its last byte.
    for (const TRect rect : {Bounds(3, 2, 9, 6), Bounds(0, 0, 17, 11)}) {
      for (int bits : {24, 32}) {
        for (RowOrder order : {RowOrder::TopDown, RowOrder::BottomUp}) {
          const DIBitmap dib = Pattern(17, 11, bits, order, bits + static_cast<int>(order));
          const std::vector<uint32_t> got = Convert(dib, rect, layout);
          int wrong = 0;
          for (int y = 0; y < dib.Height(); ++y) {
            for (int x = 0; x < dib.Width(); ++x) {
              const uint32_t want = rect.Contains(x, y) ? c.expected(dib.Pixel(x, y)) : kUntouched;
              wrong += got[static_cast<size_t>(y) * dib.Width() + x] != want;
            }
          }
          EXPECT_EQ(wrong, 0) << std::hex << c.red << " " << std::dec << bits << " bits";
        }
      }
    }
  }
}

// A window of the test's own connection, mapped and viewable (no window manager is assumed).
class X11PresenterOnScreen : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_NE(std::getenv("DISPLAY"), nullptr);
    display_ = XOpenDisplay(nullptr);
    ASSERT_NE(display_, nullptr);
    XVisualInfo info{};
    ASSERT_TRUE(XMatchVisualInfo(display_, DefaultScreen(display_), 24, TrueColor, &info));
    visual_ = info.visual;
    ASSERT_EQ(visual_, DefaultVisual(display_, DefaultScreen(display_)));
    XSetWindowAttributes attributes{};
    attributes.override_redirect = True;  // placed and shown without asking any window manager
    attributes.background_pixmap = None;
    window_ = XCreateWindow(display_, DefaultRootWindow(display_), 20, 20, kW, kH, 0, 24,
                            InputOutput, visual_, CWOverrideRedirect | CWBackPixmap, &attributes);
    XSelectInput(display_, window_, StructureNotifyMask);
    XMapRaised(display_, window_);
    XEvent event{};
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(3);
    while (!XCheckTypedWindowEvent(display_, window_, MapNotify, &event)) {
      ASSERT_LT(std::chrono::steady_clock::now(), deadline) << "never mapped";
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
  }
  void TearDown() override {
    if (display_) {
      XDestroyWindow(display_, window_);
      XCloseDisplay(display_);
    }
  }

  int CountWrongPixels(const DIBitmap& expected) {
    XSync(display_, False);
    XImage* image = XGetImage(display_, window_, 0, 0, kW, kH, AllPlanes, ZPixmap);
    if (!image) return -1;
    int wrong = 0;
    for (int y = 0; y < kH; ++y) {
      for (int x = 0; x < kW; ++x) {
        const TColor c = expected.Pixel(x, y);
        const uint32_t want =
            (uint32_t{GetRValue(c)} << 16) | (uint32_t{GetGValue(c)} << 8) | GetBValue(c);
        wrong += (static_cast<uint32_t>(XGetPixel(image, x, y)) & 0xFFFFFF) != want;
      }
    }
    XDestroyImage(image);
    return wrong;
  }

  void PresentSeveralPictures(X11Presenter& presenter) {
    for (int seed = 0; seed < 5; ++seed) {
      const DIBitmap dib =
          Pattern(kW, kH, 24, seed % 2 ? RowOrder::TopDown : RowOrder::BottomUp, seed * 31);
      presenter.Present(window_, dib, Region(Bounds(0, 0, kW, kH)));
      EXPECT_EQ(CountWrongPixels(dib), 0) << "picture " << seed;
    }
    // Smaller, then larger than the window: the image is made again, nothing beyond the bitmap
    // read.
    const DIBitmap small = Pattern(kW / 2, kH / 2, 24, RowOrder::BottomUp, 5);
    presenter.Present(window_, small, Region(Bounds(-5, -5, kW * 2, kH * 2)));
    const DIBitmap large = Pattern(kW * 3, kH * 2, 24, RowOrder::TopDown, 9);
    presenter.Present(window_, large, Region(Bounds(0, 0, kW, kH)));
    EXPECT_EQ(CountWrongPixels(large), 0);
    // Two strips that share one band of the image, each shown from its own rows of it.
    const DIBitmap strips = Pattern(kW, kH, 24, RowOrder::TopDown, 17);
    presenter.Present(
        window_, strips,
        Region(Bounds(0, 0, kW, kH / 4)).United(Region(Bounds(0, kH / 2, kW, kH / 4))));
    presenter.Present(window_, strips, Region(Bounds(0, kH / 4, kW, kH / 4)));
    presenter.Present(window_, strips, Region(Bounds(0, kH * 3 / 4, kW, kH / 4)));
    EXPECT_EQ(CountWrongPixels(strips), 0);
    // Fade steps: small parts (sent plainly even where memory is shared) between large ones, each
    // at its own place, none waiting for or overwriting another.
    for (int seed = 10; seed < 13; ++seed) {
      const DIBitmap next = Pattern(kW, kH, 24, RowOrder::BottomUp, seed);
      const TRect button = Bounds(seed, 7, 47, 26);
      presenter.Present(window_, next, Region(button));
      presenter.Present(window_, next, Region(Bounds(0, 0, kW, kH)).Subtracted(button));
      presenter.Present(window_, next, Region(Bounds(kW - 3, kH - 2, 3, 2)));
      EXPECT_EQ(CountWrongPixels(next), 0) << "picture " << seed;
    }
  }

  // Larger than the rectangles that are always sent plainly, and than one band of the image.
  static constexpr int kW = 400;
  static constexpr int kH = 200;
  Display* display_ = nullptr;
  Visual* visual_ = nullptr;
  ::Window window_ = None;
};

TEST_F(X11PresenterOnScreen, SharedMemoryShowsEveryPictureWhole) {
  X11Presenter presenter(display_, visual_, 24);
  PresentSeveralPictures(presenter);
  EXPECT_TRUE(presenter.UsesSharedMemory()) << "Xvfb on this machine shares memory";
  static_assert(kW * kH > X11Presenter::kPlainPixels, "the whole window must go through MIT-SHM");
  static_assert(kW * kH * 4 > X11Presenter::kBandBytes, "the whole window takes several bands");
}

TEST_F(X11PresenterOnScreen, PlainPutImageShowsEveryPictureWhole) {
  X11Presenter presenter(display_, visual_, 24, X11Presenter::SharedMemory::Never);
  PresentSeveralPictures(presenter);
  EXPECT_FALSE(presenter.UsesSharedMemory());
  EXPECT_THROW(presenter.Present(window_, DIBitmap(4, 4, 4), Region(Bounds(0, 0, 4, 4))),
               Exception);
}

}  // namespace
}  // namespace platform::x11
