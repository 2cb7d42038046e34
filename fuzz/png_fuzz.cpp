// Feeds arbitrary bytes to the PNG decoder: it must either return a bitmap or raise
// platform::Exception, never crash, read outside the input, leak or allocate without bound. A
// picture it accepts must also survive encoding and decoding again unchanged.

#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "platform/Exception.h"
#include "platform/images/ImageCodecs.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  platform::DIBitmap bitmap;
  try {
    bitmap = platform::DecodePng(data, size);
  } catch (const platform::Exception&) {
    return 0;
  }
  // Small pictures only, so the fuzzer's time goes into the decoder.
  if (bitmap.SizeInBytes() > (size_t{1} << 20)) return 0;
  if (!(platform::DecodePng(platform::EncodePng(bitmap)) == bitmap)) std::abort();
  return 0;
}
