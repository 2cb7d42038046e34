// Feeds arbitrary bytes to the BMP reader: it must either return a bitmap or raise
// platform::Exception, never crash, read outside the input, leak or allocate without bound. A
// bitmap it accepts must also survive writing and reading back unchanged.

#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "platform/Exception.h"
#include "platform/images/ImageCodecs.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  platform::DIBitmap bitmap;
  try {
    bitmap = platform::ReadBmp(data, size);
  } catch (const platform::Exception&) {
    return 0;
  }
  // Small pictures only, so the fuzzer's time goes into the reader.
  if (bitmap.SizeInBytes() > (size_t{1} << 20)) return 0;
  const platform::DIBitmap back = platform::ReadBmp(platform::WriteBmp(bitmap));
  if (back.Width() != bitmap.Width() || back.Height() != bitmap.Height()) std::abort();
  for (int y = 0; y < bitmap.Height(); ++y)
    for (int x = 0; x < bitmap.Width(); ++x)
      if (back.Pixel(x, y) != bitmap.Pixel(x, y)) std::abort();
  return 0;
}
