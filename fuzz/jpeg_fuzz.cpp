// Feeds arbitrary bytes to the JPEG decoder: it must either return a bitmap or raise
// platform::Exception, never crash, read outside the input, leak or allocate without bound.

#include <cstddef>
#include <cstdint>

#include "platform/Exception.h"
#include "platform/images/ImageCodecs.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  try {
    const platform::DIBitmap bitmap = platform::DecodeJpeg(data, size);
    // Touch the last stored byte so a buffer smaller than the bitmap claims would show.
    if (bitmap.SizeInBytes() > 0) {
      volatile uint8_t last = bitmap.Bits()[bitmap.SizeInBytes() - 1];
      (void)last;
    }
  } catch (const platform::Exception&) {
  }
  return 0;
}
