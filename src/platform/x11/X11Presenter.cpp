#include "platform/x11/X11Presenter.h"

#include <sys/ipc.h>
#include <sys/shm.h>

#include <algorithm>
#include <bit>
#include <cstring>

#if defined(__x86_64__)
#include <immintrin.h>
#endif

#include "platform/Exception.h"
#include "platform/windows/Screen.h"
#include "platform/x11/X11Errors.h"

namespace platform::x11 {

namespace {

// The table entry of one channel: the 8-bit value scaled to the mask's width and moved to its
// place.
void FillChannel(uint32_t (&table)[256], unsigned long mask) {
  const uint32_t m = static_cast<uint32_t>(mask);
  if (m == 0) {
    std::memset(table, 0, sizeof table);
    return;
  }
  const int shift = std::countr_zero(m);
  const int bits = std::popcount(m);
  for (uint32_t v = 0; v < 256; ++v) {
    const uint32_t scaled = bits >= 8 ? v << (bits - 8) : v >> (8 - bits);
    table[v] = (scaled << shift) & m;
  }
}

// One row of 3-byte pixels (B, G, R) as 4-byte ones (B, G, R, 0).
void WidenRowPlainly(const uint8_t* src, uint32_t* dst, int width) {
  for (int x = 0; x < width; ++x, src += 3)
    dst[x] = uint32_t{src[0]} | (uint32_t{src[1]} << 8) | (uint32_t{src[2]} << 16);
}

#if defined(__x86_64__)
// Four pixels at a time: 16 bytes loaded, their first 12 spread over 16 by one byte shuffle.
__attribute__((target("ssse3"))) void WidenRowByShuffles(const uint8_t* src, uint32_t* dst,
                                                         int width) {
  const __m128i spread = _mm_setr_epi8(0, 1, 2, -1, 3, 4, 5, -1, 6, 7, 8, -1, 9, 10, 11, -1);
  int x = 0;
  // A load reads 4 bytes past the four pixels: it stays within the row's pixels.
  for (; x + 6 <= width; x += 4) {
    const __m128i bgr = _mm_loadu_si128(reinterpret_cast<const __m128i*>(src + 3 * x));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(dst + x), _mm_shuffle_epi8(bgr, spread));
  }
  WidenRowPlainly(src + 3 * x, dst + x, width - x);
}
#endif

void WidenRow(const uint8_t* src, uint32_t* dst, int width) {
#if defined(__x86_64__)
  static const bool shuffles = __builtin_cpu_supports("ssse3") != 0;
  if (shuffles) {
    WidenRowByShuffles(src, dst, width);
    return;
  }
#endif
  WidenRowPlainly(src, dst, width);
}

template <int SourceBytes>
void ConvertBgrx(const DIBitmap& source, const TRect& rect, uint8_t* destination, size_t stride,
                 TPoint origin) {
  const int width = rect.Width();
  for (int y = rect.Top; y < rect.Bottom; ++y) {
    const uint8_t* src = source.ScanLine(y) + static_cast<size_t>(rect.Left) * SourceBytes;
    auto* dst =
        reinterpret_cast<uint32_t*>(destination + static_cast<size_t>(y - origin.Y) * stride) +
        (rect.Left - origin.X);
    if constexpr (SourceBytes == 3) {
      WidenRow(src, dst, width);
    } else {
      for (int x = 0; x < width; ++x, src += SourceBytes)
        dst[x] = uint32_t{src[0]} | (uint32_t{src[1]} << 8) | (uint32_t{src[2]} << 16);
    }
  }
}

template <int SourceBytes>
void ConvertByTables(const DIBitmap& source, const TRect& rect, const PixelLayout& layout,
                     uint8_t* destination, size_t stride, TPoint origin) {
  const int width = rect.Width();
  for (int y = rect.Top; y < rect.Bottom; ++y) {
    const uint8_t* src = source.ScanLine(y) + static_cast<size_t>(rect.Left) * SourceBytes;
    auto* dst =
        reinterpret_cast<uint32_t*>(destination + static_cast<size_t>(y - origin.Y) * stride) +
        (rect.Left - origin.X);
    for (int x = 0; x < width; ++x, src += SourceBytes) {
      dst[x] = layout.blue[src[0]] | layout.green[src[1]] | layout.red[src[2]];
    }
  }
}

}  // namespace

PixelLayout::PixelLayout(const Visual& visual)
    : PixelLayout(visual.red_mask, visual.green_mask, visual.blue_mask) {}

PixelLayout::PixelLayout(unsigned long redMask, unsigned long greenMask, unsigned long blueMask) {
  isBgrx = redMask == 0xFF0000 && greenMask == 0xFF00 && blueMask == 0xFF;
  FillChannel(red, redMask);
  FillChannel(green, greenMask);
  FillChannel(blue, blueMask);
}

void ConvertToPixels(const DIBitmap& source, const TRect& rect, const PixelLayout& layout,
                     uint8_t* destination, size_t destinationStride, TPoint origin) {
  const bool wide = source.BitsPerPixel() == 32;
  if (layout.isBgrx) {
    if (wide) {
      ConvertBgrx<4>(source, rect, destination, destinationStride, origin);
    } else {
      ConvertBgrx<3>(source, rect, destination, destinationStride, origin);
    }
  } else if (wide) {
    ConvertByTables<4>(source, rect, layout, destination, destinationStride, origin);
  } else {
    ConvertByTables<3>(source, rect, layout, destination, destinationStride, origin);
  }
}

X11Presenter::X11Presenter(Display* display, Visual* visual, int depth, SharedMemory sharedMemory)
    : display_(display), visual_(visual), depth_(depth), layout_(*visual) {
  // Shared memory only helps when the server runs beside us; XShmAttach tells (a remote server
  // refuses it), so the first attach decides.
  shmEnabled_ = sharedMemory == SharedMemory::IfAvailable && XShmQueryExtension(display) == True;
}

X11Presenter::~X11Presenter() {
  DestroyImage();
  ReleaseSharedSegment();
  if (gc_) XFreeGC(display_, gc_);
}

void X11Presenter::WaitForServer() {
  if (!shmPutPending_) return;
  XSync(display_, False);
  shmPutPending_ = false;
}

void X11Presenter::DestroyImage() {
  if (!image_) return;
  // The pixels belong to buffer_ or to the shared segment, and XShm keeps its segment record in
  // obdata: neither is Xlib's to free.
  image_->data = nullptr;
  image_->obdata = nullptr;
  XDestroyImage(image_);
  image_ = nullptr;
}

void X11Presenter::ReleaseSharedSegment() {
  if (!shmAttached_) return;
  WaitForServer();
  XShmDetach(display_, &shmInfo_);
  XSync(display_, False);
  shmdt(shmInfo_.shmaddr);
  shmInfo_ = XShmSegmentInfo{};
  shmAttached_ = false;
  shmBytes_ = 0;
}

bool X11Presenter::GrowSharedSegment(size_t bytes) {
  DestroyImage();
  ReleaseSharedSegment();
  const int id = shmget(IPC_PRIVATE, bytes, IPC_CREAT | 0600);
  if (id < 0) return false;
  void* address = shmat(id, nullptr, 0);
  if (address == reinterpret_cast<void*>(-1)) {
    shmctl(id, IPC_RMID, nullptr);
    return false;
  }
  shmInfo_.shmid = id;
  shmInfo_.shmaddr = static_cast<char*>(address);
  shmInfo_.readOnly = False;
  bool attached = false;
  {
    X11ErrorTrap trap(display_);
    attached = XShmAttach(display_, &shmInfo_) != 0;
    if (trap.Failed()) attached = false;
  }
  // Marked for removal at once: the segment lives while the server or we are attached, and no
  // crash of either can leave it behind.
  shmctl(id, IPC_RMID, nullptr);
  if (!attached) {
    shmdt(address);
    shmInfo_ = XShmSegmentInfo{};
    return false;
  }
  shmAttached_ = true;
  shmBytes_ = bytes;
  return true;
}

void X11Presenter::EnsureGc(::Window window) {
  if (gc_) return;
  XGCValues values{};
  values.graphics_exposures = False;
  gc_ = XCreateGC(display_, window, GCGraphicsExposures, &values);
}

void X11Presenter::PrepareImage(::Window window, int width, int height) {
  EnsureGc(window);
  WaitForServer();
  bandRowsUsed_ = 0;
  if (image_ && image_->width == width && image_->height == height) return;
  DestroyImage();

  if (shmEnabled_) {
    image_ =
        XShmCreateImage(display_, visual_, static_cast<unsigned>(depth_), ZPixmap, nullptr,
                        &shmInfo_, static_cast<unsigned>(width), static_cast<unsigned>(height));
    if (image_ && image_->bits_per_pixel == 32) {
      const size_t bytes =
          static_cast<size_t>(image_->bytes_per_line) * static_cast<size_t>(height);
      if (bytes <= shmBytes_ || GrowSharedSegment(bytes)) {
        // GrowSharedSegment dropped the header made for the old segment: make it again.
        if (!image_) {
          image_ = XShmCreateImage(display_, visual_, static_cast<unsigned>(depth_), ZPixmap,
                                   nullptr, &shmInfo_, static_cast<unsigned>(width),
                                   static_cast<unsigned>(height));
        }
        if (image_) {
          image_->data = shmInfo_.shmaddr;
          imageIsShared_ = true;
          return;
        }
      }
    }
    // No shared memory after all: from now on plain XPutImage.
    DestroyImage();
    ReleaseSharedSegment();
    shmEnabled_ = false;
  }

  image_ = XCreateImage(display_, visual_, static_cast<unsigned>(depth_), ZPixmap, 0, nullptr,
                        static_cast<unsigned>(width), static_cast<unsigned>(height), 32, 0);
  if (!image_ || image_->bits_per_pixel != 32) {
    DestroyImage();
    throw Exception("The display cannot take 32-bit images");
  }
  // We write whole 32-bit pixels in our own byte order; Xlib swaps them if the server differs.
  image_->byte_order = std::endian::native == std::endian::little ? LSBFirst : MSBFirst;
  buffer_.resize(static_cast<size_t>(image_->bytes_per_line) * static_cast<size_t>(height));
  image_->data = reinterpret_cast<char*>(buffer_.data());
  imageIsShared_ = false;
}

void X11Presenter::Present(::Window window, const DIBitmap& backBuffer, const Region& area) {
  if (backBuffer.BitsPerPixel() != 24 && backBuffer.BitsPerPixel() != 32) {
    throw Exception("Only 24- and 32-bit back buffers can be shown");
  }
  if (backBuffer.Empty() || area.IsEmpty()) return;
  const TRect whole{0, 0, backBuffer.Width(), backBuffer.Height()};
  if (!area.Bounds().Intersects(whole)) return;

  bool prepared = false;
  for (const TRect& r : area.Rects()) {
    const TRect rect = r.Intersected(whole);
    if (rect.IsEmpty()) continue;
    if (shmEnabled_ && rect.Width() * rect.Height() <= kPlainPixels) {
      PutPlainly(window, backBuffer, rect);
      continue;
    }
    if (!prepared) {
      const int bandBytes = kBandBytes * DeviceScale() * DeviceScale();
      const int bandRows = std::clamp(bandBytes / (backBuffer.Width() * 4), 1, whole.Height());
      PrepareImage(window, backBuffer.Width(), bandRows);
      prepared = true;
    }
    PutInBands(window, backBuffer, rect);
  }
}

void X11Presenter::PutInBands(::Window window, const DIBitmap& backBuffer, const TRect& rect) {
  auto* pixels = reinterpret_cast<uint8_t*>(image_->data);
  const size_t stride = static_cast<size_t>(image_->bytes_per_line);
  const int rows = image_->height;
  for (int top = rect.Top; top < rect.Bottom; top += rows) {
    const TRect band{rect.Left, top, rect.Right, std::min(rect.Bottom, top + rows)};
    if (bandRowsUsed_ + band.Height() > rows) {
      WaitForServer();
      bandRowsUsed_ = 0;
    }
    // The band's top row lands on the image's first unused row, its columns where they are.
    const int row = bandRowsUsed_;
    ConvertToPixels(backBuffer, band, layout_, pixels, stride, TPoint{0, band.Top - row});
    bandRowsUsed_ += band.Height();
    if (imageIsShared_) {
      XShmPutImage(display_, window, gc_, image_, band.Left, row, band.Left, band.Top,
                   static_cast<unsigned>(band.Width()), static_cast<unsigned>(band.Height()),
                   False);
      shmPutPending_ = true;
    } else {
      XPutImage(display_, window, gc_, image_, band.Left, row, band.Left, band.Top,
                static_cast<unsigned>(band.Width()), static_cast<unsigned>(band.Height()));
    }
  }
}

void X11Presenter::PutPlainly(::Window window, const DIBitmap& backBuffer, const TRect& rect) {
  EnsureGc(window);
  const size_t stride = static_cast<size_t>(rect.Width()) * 4;
  const size_t bytes = stride * static_cast<size_t>(rect.Height());
  if (bytes > smallBytes_) {
    small_.reset(new uint8_t[bytes]);
    smallBytes_ = bytes;
  }
  ConvertToPixels(backBuffer, rect, layout_, small_.get(), stride, rect.TopLeft());
  // A header of our own around the pixels: Xlib copies them into the request at once.
  XImage image{};
  image.width = rect.Width();
  image.height = rect.Height();
  image.format = ZPixmap;
  image.data = reinterpret_cast<char*>(small_.get());
  image.byte_order = std::endian::native == std::endian::little ? LSBFirst : MSBFirst;
  image.bitmap_unit = 32;
  image.bitmap_bit_order = image.byte_order;
  image.bitmap_pad = 32;
  image.depth = depth_;
  image.bytes_per_line = static_cast<int>(stride);
  image.bits_per_pixel = 32;
  image.red_mask = visual_->red_mask;
  image.green_mask = visual_->green_mask;
  image.blue_mask = visual_->blue_mask;
  if (XInitImage(&image) == 0) throw Exception("The display cannot take 32-bit images");
  XPutImage(display_, window, gc_, &image, 0, 0, rect.Left, rect.Top,
            static_cast<unsigned>(rect.Width()), static_cast<unsigned>(rect.Height()));
}

}  // namespace platform::x11
