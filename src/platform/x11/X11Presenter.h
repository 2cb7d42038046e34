#pragma once
// Puts parts of a 24-bit back buffer on an X11 window: each rectangle is expanded into a 32-bit
// ZPixmap image laid out as the visual wants, then sent through MIT-SHM when the server shares
// memory with us, or with XPutImage otherwise. Small rectangles (a button's fade step) always go
// with XPutImage: the shared image may be rewritten only once the server has read it, and that
// round trip costs more than sending a few kilobytes down the socket.
// The image is a band of the window's full width and at most kBandBytes times the square of the
// device scale: the whole bar fits in one at every scale, and a larger window (the editor) is sent
// band by band rather than keeping a second copy of itself in shared memory for as long as the
// program runs.

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XShm.h>

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "platform/drawing/DIBitmap.h"
#include "platform/drawing/Region.h"

namespace platform::x11 {

// Where the visual keeps each channel of a 32-bit pixel.
struct PixelLayout {
  explicit PixelLayout(const Visual& visual);
  PixelLayout(unsigned long redMask, unsigned long greenMask, unsigned long blueMask);

  // Masks ff0000, ff00, ff: the pixel is the DIB's blue, green, red bytes read as one number.
  bool isBgrx = false;
  // Every other layout: one table per channel, indexed by the 8-bit value.
  uint32_t red[256];
  uint32_t green[256];
  uint32_t blue[256];
};

// Converts rect (already inside the bitmap) of a 24- or 32-bit DIB to 32-bit pixels at the same
// position of a destination whose row 0 is the bitmap's top row; with `origin`, the bitmap's
// pixel at origin lands at the destination's row 0, column 0 instead.
void ConvertToPixels(const DIBitmap& source, const TRect& rect, const PixelLayout& layout,
                     uint8_t* destination, size_t destinationStride, TPoint origin = {0, 0});

class X11Presenter {
 public:
  enum class SharedMemory { IfAvailable, Never };

  // Visual and depth of the windows it presents to (a depth-24 TrueColor visual whose images have
  // 32 bits per pixel; the backend checks that before making one).
  X11Presenter(Display* display, Visual* visual, int depth,
               SharedMemory sharedMemory = SharedMemory::IfAvailable);
  ~X11Presenter();
  X11Presenter(const X11Presenter&) = delete;
  X11Presenter& operator=(const X11Presenter&) = delete;

  // Shows the parts of area (client coordinates, clipped to the bitmap) of backBuffer on window.
  // Throws platform::Exception for a bitmap that is neither 24 nor 32 bits.
  void Present(::Window window, const DIBitmap& backBuffer, const Region& area);

  bool UsesSharedMemory() const { return shmEnabled_; }

  // Rectangles of at most this many pixels are sent plainly even where memory is shared.
  static constexpr int kPlainPixels = 16 * 1024;
  // The most the image of a band takes at the ordinary pixel density.
  static constexpr int kBandBytes = 256 * 1024;

 private:
  void WaitForServer();  // the server has read the shared image: it may be rewritten
  void PrepareImage(::Window window, int width, int height);
  bool GrowSharedSegment(size_t bytes);
  void ReleaseSharedSegment();
  void DestroyImage();
  void EnsureGc(::Window window);
  void PutPlainly(::Window window, const DIBitmap& backBuffer, const TRect& rect);
  void PutInBands(::Window window, const DIBitmap& backBuffer, const TRect& rect);

  Display* display_;
  Visual* visual_;
  int depth_;
  PixelLayout layout_;
  GC gc_ = nullptr;

  XImage* image_ = nullptr;
  bool imageIsShared_ = false;
  int bandRowsUsed_ = 0;  // the image's rows holding pixels put since the server last read it
  std::vector<uint8_t> buffer_;  // the image's pixels when not shared
  // The pixels of one small rectangle sent plainly: grown when needed, never cleared, since every
  // byte put is written first.
  std::unique_ptr<uint8_t[]> small_;
  size_t smallBytes_ = 0;

  bool shmEnabled_ = false;  // the server has MIT-SHM and attaching worked (so far)
  bool shmAttached_ = false;
  XShmSegmentInfo shmInfo_{};
  size_t shmBytes_ = 0;
  bool shmPutPending_ = false;  // the server may still read the segment
};

}  // namespace platform::x11
