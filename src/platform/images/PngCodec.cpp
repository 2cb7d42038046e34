// PNG through libpng, used for golden test pictures. libpng reports errors by longjmp to the
// png_jmpbuf of the step that called it; as with JPEG, each setjmp sits in a step function with
// only trivial locals, and the objects with destructors (guards, bitmap, row table) live in the
// caller so the jump never skips one.

#include <png.h>

#include <cerrno>
#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "platform/Exception.h"
#include "platform/images/ImageCodecs.h"

namespace platform {

namespace {

struct ErrorState {
  char message[256];
};

[[noreturn]] void ErrorFn(png_structp png, png_const_charp message) {
  auto* err = static_cast<ErrorState*>(png_get_error_ptr(png));
  std::snprintf(err->message, sizeof err->message, "%s", message != nullptr ? message : "error");
  png_longjmp(png, 1);
}

void WarningFn(png_structp, png_const_charp) {}

// ---- decoding -------------------------------------------------------------------------------

struct MemorySource {
  const uint8_t* data;
  size_t size;
  size_t position;
};

void ReadFn(png_structp png, png_bytep out, size_t length) {
  auto* source = static_cast<MemorySource*>(png_get_io_ptr(png));
  if (length > source->size - source->position) png_error(png, "PNG data is truncated");
  std::memcpy(out, source->data + source->position, length);
  source->position += length;
}

class ReadGuard {
 public:
  ReadGuard(png_structp png, png_infop info) : png_(png), info_(info) {}
  ~ReadGuard() { png_destroy_read_struct(&png_, info_ != nullptr ? &info_ : nullptr, nullptr); }
  ReadGuard(const ReadGuard&) = delete;
  ReadGuard& operator=(const ReadGuard&) = delete;

 private:
  png_structp png_;
  png_infop info_;
};

struct PngSize {
  uint32_t width;
  uint32_t height;
  size_t rowBytes;
};

// Step one: the header, and transforms that turn any PNG into 8-bit blue, green, red. Palettes
// and low-depth grey are expanded, 16-bit samples scaled down, grey copied into three channels,
// and alpha (from an alpha channel or a tRNS chunk) dropped: the colour under a transparent pixel
// is kept as stored.
bool ReadPngHeader(png_structp png, png_infop info, MemorySource* source, PngSize* size) {
  if (setjmp(png_jmpbuf(png))) return false;
  png_set_read_fn(png, source, ReadFn);
  png_set_user_limits(png, DIBitmap::kMaxDimension, DIBitmap::kMaxDimension);
  png_read_info(png, info);
  png_set_expand(png);
  png_set_scale_16(png);
  png_set_strip_alpha(png);
  png_set_gray_to_rgb(png);
  png_set_bgr(png);
  png_set_interlace_handling(png);
  png_read_update_info(png, info);
  size->width = png_get_image_width(png, info);
  size->height = png_get_image_height(png, info);
  size->rowBytes = png_get_rowbytes(png, info);
  if (png_get_channels(png, info) != 3 || png_get_bit_depth(png, info) != 8)
    png_error(png, "unexpected pixel format after conversion");
  return true;
}

// Step two: every row (all passes of an interlaced file), then the chunks up to IEND, so a file
// cut short after its pixel data is still refused.
bool ReadPngPixels(png_structp png, png_bytepp rows) {
  if (setjmp(png_jmpbuf(png))) return false;
  png_read_image(png, rows);
  png_read_end(png, nullptr);
  return true;
}

// ---- encoding -------------------------------------------------------------------------------

struct MemorySink {
  uint8_t* buffer;
  size_t capacity;
  size_t used;
};

void WriteFn(png_structp png, png_bytep data, size_t length) {
  auto* sink = static_cast<MemorySink*>(png_get_io_ptr(png));
  if (length > sink->capacity - sink->used) {
    size_t grown = sink->capacity < 4096 ? 4096 : sink->capacity;
    while (grown - sink->used < length) grown *= 2;
    auto* buffer = static_cast<uint8_t*>(std::realloc(sink->buffer, grown));
    if (buffer == nullptr) png_error(png, "out of memory");
    sink->buffer = buffer;
    sink->capacity = grown;
  }
  std::memcpy(sink->buffer + sink->used, data, length);
  sink->used += length;
}

void FlushFn(png_structp) {}

class WriteGuard {
 public:
  WriteGuard(png_structp png, png_infop info, MemorySink* sink)
      : png_(png), info_(info), sink_(sink) {}
  ~WriteGuard() {
    png_destroy_write_struct(&png_, info_ != nullptr ? &info_ : nullptr);
    std::free(sink_->buffer);
  }
  WriteGuard(const WriteGuard&) = delete;
  WriteGuard& operator=(const WriteGuard&) = delete;

 private:
  png_structp png_;
  png_infop info_;
  MemorySink* sink_;
};

struct EncodeInput {
  const uint8_t* row0;
  ptrdiff_t stride;
  uint32_t width;
  uint32_t height;
  bool hasFiller;  // 32-bit rows: a fourth byte to drop
};

bool WritePng(png_structp png, png_infop info, MemorySink* sink, const EncodeInput& in) {
  if (setjmp(png_jmpbuf(png))) return false;
  png_set_write_fn(png, sink, WriteFn, FlushFn);
  png_set_IHDR(png, info, in.width, in.height, 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  png_set_bgr(png);
  if (in.hasFiller) png_set_filler(png, 0, PNG_FILLER_AFTER);
  for (uint32_t y = 0; y < in.height; ++y) {
    // libpng only reads the row; its parameter type just is not const.
    png_bytep row = const_cast<uint8_t*>(in.row0) + static_cast<ptrdiff_t>(y) * in.stride;
    png_write_row(png, row);
  }
  png_write_end(png, info);
  return true;
}

}  // namespace

DIBitmap DecodePng(const uint8_t* data, size_t size) {
  if (data == nullptr || size == 0) throw EInvalidGraphic("PNG data is empty");
  if (size < 8 || png_sig_cmp(data, 0, 8) != 0) throw EInvalidGraphic("Not a PNG file");
  ErrorState error{};
  png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, &error, ErrorFn, WarningFn);
  if (png == nullptr) throw EOutOfResources("Cannot create a PNG reader");
  png_infop info = png_create_info_struct(png);
  ReadGuard guard(png, info);
  if (info == nullptr) throw EOutOfResources("Cannot create a PNG reader");

  MemorySource source{data, size, 0};
  PngSize pngSize{};
  if (!ReadPngHeader(png, info, &source, &pngSize))
    throw EInvalidGraphic(std::string("Invalid PNG image: ") + error.message);
  const std::string sizeText =
      std::to_string(pngSize.width) + " x " + std::to_string(pngSize.height);
  if (pngSize.width == 0 || pngSize.height == 0)
    throw EInvalidGraphic("PNG image of " + sizeText + " pixels is empty");
  const auto width = static_cast<int>(pngSize.width);
  const auto height = static_cast<int>(pngSize.height);
  if (DIBitmap::BytesPerRowFor(width, 24) * pngSize.height > DIBitmap::kMaxBytes)
    throw EInvalidGraphic("PNG image of " + sizeText + " pixels is too large");
  if (pngSize.rowBytes != static_cast<size_t>(width) * 3)
    throw EInvalidGraphic("PNG image rows have an unexpected size");

  DIBitmap bitmap(width, height, 24);
  std::vector<png_bytep> rows(pngSize.height);
  for (int y = 0; y < height; ++y) rows[static_cast<size_t>(y)] = bitmap.ScanLine(y);
  if (!ReadPngPixels(png, rows.data()))
    throw EInvalidGraphic(std::string("Invalid PNG image: ") + error.message);
  return bitmap;
}

std::vector<uint8_t> EncodePng(const DIBitmap& bitmap) {
  if (bitmap.Empty()) throw EInvalidGraphic("Cannot encode an empty bitmap as PNG");
  const DIBitmap* source = &bitmap;
  DIBitmap converted;
  if (bitmap.BitsPerPixel() != 24 && bitmap.BitsPerPixel() != 32) {
    converted = bitmap.ConvertedTo(24);
    source = &converted;
  }
  ErrorState error{};
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, &error, ErrorFn, WarningFn);
  if (png == nullptr) throw EOutOfResources("Cannot create a PNG writer");
  png_infop info = png_create_info_struct(png);
  MemorySink sink{nullptr, 0, 0};
  WriteGuard guard(png, info, &sink);
  if (info == nullptr) throw EOutOfResources("Cannot create a PNG writer");

  const EncodeInput input{source->ScanLine(0), source->Stride(),
                          static_cast<uint32_t>(source->Width()),
                          static_cast<uint32_t>(source->Height()), source->BitsPerPixel() == 32};
  if (!WritePng(png, info, &sink, input))
    throw EInvalidGraphic(std::string("Cannot encode PNG image: ") + error.message);
  return std::vector<uint8_t>(sink.buffer, sink.buffer + sink.used);
}

void WritePngFile(const DIBitmap& bitmap, const std::string& path) {
  const std::vector<uint8_t> bytes = EncodePng(bitmap);
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  if (out)
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
  if (out) out.close();
  if (!out) throw Exception("Cannot write the picture file " + path + ": " + std::strerror(errno));
}

DIBitmap ReadPngFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw Exception("Cannot open the picture file " + path + ": " + std::strerror(errno));
  const std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)),
                                   std::istreambuf_iterator<char>());
  if (in.bad()) throw Exception("Cannot read the picture file " + path);
  return DecodePng(bytes.data(), bytes.size());
}

}  // namespace platform
