// JPEG through libjpeg-turbo. libjpeg reports fatal errors through error_exit, which must not
// return; ours longjmps back to the setjmp of the step that called into the library. So that the
// jump never skips a C++ destructor, every setjmp lives in a small step function whose locals are
// all trivial, and everything with a destructor (the bitmap, the guards that destroy the libjpeg
// objects and free the output buffer) lives in the caller, outside the jump's path.

#include <csetjmp>
#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

// jpeglib.h uses size_t and FILE without including their headers: it comes after them.
// clang-format off
#include <jpeglib.h>
#include <jerror.h>
// clang-format on

#include "platform/Exception.h"
#include "platform/images/ImageCodecs.h"

namespace platform {

namespace {

// A legitimate progressive file has about ten scans; thousands of tiny scans only make the
// decoder re-run its passes until a fuzzer's patience runs out.
constexpr int kMaxScans = 200;

struct ErrorManager {
  jpeg_error_mgr pub;  // first, so libjpeg's pointer to it is a pointer to the whole
  std::jmp_buf jump;
  char message[JMSG_LENGTH_MAX];
};

[[noreturn]] void ErrorExit(j_common_ptr cinfo) {
  auto* err = reinterpret_cast<ErrorManager*>(cinfo->err);
  (*cinfo->err->format_message)(cinfo, err->message);
  std::longjmp(err->jump, 1);
}

// Warnings are counted and otherwise silent, except that data ending early is an error: libjpeg
// would carry on and fill the rest of the picture with grey, and a truncated file should be
// refused rather than shown half grey.
void EmitMessage(j_common_ptr cinfo, int level) {
  if (level >= 0) return;  // trace messages
  ++cinfo->err->num_warnings;
  if (cinfo->err->msg_code == JWRN_JPEG_EOF) ErrorExit(cinfo);
}

void OutputMessage(j_common_ptr) {}

void InstallErrorManager(ErrorManager& err) {
  jpeg_std_error(&err.pub);
  err.pub.error_exit = ErrorExit;
  err.pub.emit_message = EmitMessage;
  err.pub.output_message = OutputMessage;
  err.message[0] = '\0';
}

[[noreturn]] void FailWithMessage(const char* prefix, const ErrorManager& err) {
  throw EInvalidGraphic(std::string(prefix) + ": " + err.message);
}

// ---- decoding -------------------------------------------------------------------------------

struct DecodeState {
  jpeg_decompress_struct info;
  ErrorManager error;
  jpeg_progress_mgr progress;
};

void LimitScans(j_common_ptr cinfo) {
  if (!cinfo->is_decompressor) return;
  auto* info = reinterpret_cast<j_decompress_ptr>(cinfo);
  if (info->input_scan_number > kMaxScans) {
    auto* err = reinterpret_cast<ErrorManager*>(cinfo->err);
    std::snprintf(err->message, sizeof err->message, "more than %d scans", kMaxScans);
    std::longjmp(err->jump, 1);
  }
}

class DecompressGuard {
 public:
  explicit DecompressGuard(jpeg_decompress_struct* info) : info_(info) {}
  ~DecompressGuard() { jpeg_destroy_decompress(info_); }  // safe on a never-created, zeroed struct
  DecompressGuard(const DecompressGuard&) = delete;
  DecompressGuard& operator=(const DecompressGuard&) = delete;

 private:
  jpeg_decompress_struct* info_;
};

// Step one: read the headers and fix the output format. False on a libjpeg error.
bool ReadJpegHeader(DecodeState& s, const uint8_t* data, size_t size) {
  if (setjmp(s.error.jump)) return false;
  jpeg_create_decompress(&s.info);
  // Progressive files keep every coefficient in memory; without a backing store libjpeg refuses
  // a file that would need more than this instead of allocating it.
  s.info.mem->max_memory_to_use = static_cast<long>(DIBitmap::kMaxBytes);
  s.progress.progress_monitor = LimitScans;
  s.info.progress = &s.progress;
  jpeg_mem_src(&s.info, data, static_cast<unsigned long>(size));
  jpeg_read_header(&s.info, TRUE);
  return true;
}

bool PrepareJpegOutput(DecodeState& s) {
  if (setjmp(s.error.jump)) return false;
  s.info.out_color_space = JCS_EXT_BGR;  // straight into the bitmap's blue, green, red order
  jpeg_calc_output_dimensions(&s.info);
  return true;
}

// Step two: decode every row into the bitmap's rows (first row at row0, rows stride apart).
bool ReadJpegPixels(DecodeState& s, uint8_t* row0, ptrdiff_t stride) {
  if (setjmp(s.error.jump)) return false;
  jpeg_start_decompress(&s.info);
  while (s.info.output_scanline < s.info.output_height) {
    JSAMPROW row = row0 + static_cast<ptrdiff_t>(s.info.output_scanline) * stride;
    jpeg_read_scanlines(&s.info, &row, 1);
  }
  jpeg_finish_decompress(&s.info);
  return true;
}

// ---- encoding -------------------------------------------------------------------------------

// Output into a malloc'ed buffer that grows by doubling; the caller frees it on every path.
struct MemoryDestination {
  jpeg_destination_mgr pub;  // first, as libjpeg casts to it
  uint8_t* buffer;
  size_t capacity;
  size_t used;
};

[[noreturn]] void OutOfMemory(j_compress_ptr cinfo) {
  cinfo->err->msg_code = JERR_OUT_OF_MEMORY;
  ErrorExit(reinterpret_cast<j_common_ptr>(cinfo));
}

void InitDestination(j_compress_ptr cinfo) {
  auto* dest = reinterpret_cast<MemoryDestination*>(cinfo->dest);
  dest->capacity = 16384;
  dest->buffer = static_cast<uint8_t*>(std::malloc(dest->capacity));
  if (dest->buffer == nullptr) OutOfMemory(cinfo);
  dest->pub.next_output_byte = dest->buffer;
  dest->pub.free_in_buffer = dest->capacity;
}

boolean EmptyOutputBuffer(j_compress_ptr cinfo) {
  auto* dest = reinterpret_cast<MemoryDestination*>(cinfo->dest);
  const size_t grown = dest->capacity * 2;
  auto* buffer = static_cast<uint8_t*>(std::realloc(dest->buffer, grown));
  if (buffer == nullptr) OutOfMemory(cinfo);
  dest->buffer = buffer;
  // libjpeg calls this only with the buffer full, so everything up to capacity is written.
  dest->pub.next_output_byte = buffer + dest->capacity;
  dest->pub.free_in_buffer = grown - dest->capacity;
  dest->capacity = grown;
  return TRUE;
}

void TermDestination(j_compress_ptr cinfo) {
  auto* dest = reinterpret_cast<MemoryDestination*>(cinfo->dest);
  dest->used = dest->capacity - dest->pub.free_in_buffer;
}

struct EncodeState {
  jpeg_compress_struct info;
  ErrorManager error;
  MemoryDestination dest;
};

class CompressGuard {
 public:
  explicit CompressGuard(EncodeState* s) : s_(s) {}
  ~CompressGuard() {
    jpeg_destroy_compress(&s_->info);
    std::free(s_->dest.buffer);
  }
  CompressGuard(const CompressGuard&) = delete;
  CompressGuard& operator=(const CompressGuard&) = delete;

 private:
  EncodeState* s_;
};

struct EncodeInput {
  const uint8_t* row0;
  ptrdiff_t stride;
  int width;
  int height;
  int bytesPerPixel;
  int quality;
};

bool CompressJpeg(EncodeState& s, const EncodeInput& in) {
  if (setjmp(s.error.jump)) return false;
  jpeg_create_compress(&s.info);
  s.dest.pub.init_destination = InitDestination;
  s.dest.pub.empty_output_buffer = EmptyOutputBuffer;
  s.dest.pub.term_destination = TermDestination;
  s.info.dest = &s.dest.pub;
  s.info.image_width = static_cast<JDIMENSION>(in.width);
  s.info.image_height = static_cast<JDIMENSION>(in.height);
  s.info.input_components = in.bytesPerPixel;
  s.info.in_color_space = in.bytesPerPixel == 4 ? JCS_EXT_BGRX : JCS_EXT_BGR;
  jpeg_set_defaults(&s.info);  // YCbCr with a JFIF header, 2x2 chroma subsampling
  jpeg_set_quality(&s.info, in.quality, TRUE);
  jpeg_start_compress(&s.info, TRUE);
  while (s.info.next_scanline < s.info.image_height) {
    // libjpeg only reads through this pointer; its row type just is not const.
    JSAMPROW row =
        const_cast<uint8_t*>(in.row0) + static_cast<ptrdiff_t>(s.info.next_scanline) * in.stride;
    jpeg_write_scanlines(&s.info, &row, 1);
  }
  jpeg_finish_compress(&s.info);
  return true;
}

}  // namespace

TSize ReadJpegSize(const uint8_t* data, size_t size) {
  if (data == nullptr || size == 0) throw EInvalidGraphic("JPEG data is empty");
  DecodeState state{};
  InstallErrorManager(state.error);
  state.info.err = &state.error.pub;
  DecompressGuard guard(&state.info);
  if (!ReadJpegHeader(state, data, size) || !PrepareJpegOutput(state))
    FailWithMessage("Invalid JPEG image", state.error);
  if (state.info.output_width > static_cast<JDIMENSION>(DIBitmap::kMaxDimension) ||
      state.info.output_height > static_cast<JDIMENSION>(DIBitmap::kMaxDimension))
    throw EInvalidGraphic("JPEG image of " + std::to_string(state.info.output_width) + " x " +
                          std::to_string(state.info.output_height) + " pixels is too large");
  return {static_cast<int>(state.info.output_width), static_cast<int>(state.info.output_height)};
}

DIBitmap DecodeJpeg(const uint8_t* data, size_t size) {
  if (data == nullptr || size == 0) throw EInvalidGraphic("JPEG data is empty");
  DecodeState state{};
  InstallErrorManager(state.error);
  state.info.err = &state.error.pub;
  DecompressGuard guard(&state.info);

  if (!ReadJpegHeader(state, data, size)) FailWithMessage("Invalid JPEG image", state.error);
  const J_COLOR_SPACE space = state.info.jpeg_color_space;
  if (space == JCS_CMYK || space == JCS_YCCK)
    throw EInvalidGraphic("CMYK JPEG images are not supported");
  if (space != JCS_GRAYSCALE && space != JCS_YCbCr && space != JCS_RGB)
    throw EInvalidGraphic("JPEG colour space " + std::to_string(static_cast<int>(space)) +
                          " is not supported");
  if (!PrepareJpegOutput(state)) FailWithMessage("Invalid JPEG image", state.error);

  const JDIMENSION width = state.info.output_width;
  const JDIMENSION height = state.info.output_height;
  const std::string sizeText = std::to_string(width) + " x " + std::to_string(height);
  if (width > static_cast<JDIMENSION>(DIBitmap::kMaxDimension) ||
      height > static_cast<JDIMENSION>(DIBitmap::kMaxDimension) ||
      DIBitmap::BytesPerRowFor(static_cast<int>(width), 24) * height > DIBitmap::kMaxBytes)
    throw EInvalidGraphic("JPEG image of " + sizeText + " pixels is too large");
  if (state.info.output_components != 3)
    throw EInvalidGraphic("JPEG image has an unexpected number of colour components");

  DIBitmap bitmap(static_cast<int>(width), static_cast<int>(height), 24);
  if (!ReadJpegPixels(state, bitmap.ScanLine(0), bitmap.Stride()))
    FailWithMessage("Invalid JPEG image", state.error);
  if (state.info.output_width != width || state.info.output_height != height)
    throw EInvalidGraphic("JPEG image changed its size while decoding");
  return bitmap;
}

std::vector<uint8_t> EncodeJpeg(const DIBitmap& bitmap, int quality) {
  if (bitmap.Empty()) throw EInvalidGraphic("Cannot encode an empty bitmap as JPEG");
  const DIBitmap* source = &bitmap;
  DIBitmap converted;
  if (bitmap.BitsPerPixel() != 24 && bitmap.BitsPerPixel() != 32) {
    converted = bitmap.ConvertedTo(24);
    source = &converted;
  }
  EncodeState state{};
  InstallErrorManager(state.error);
  state.info.err = &state.error.pub;
  CompressGuard guard(&state);

  const EncodeInput input{source->ScanLine(0), source->Stride(),           source->Width(),
                          source->Height(),    source->BitsPerPixel() / 8, quality};
  if (!CompressJpeg(state, input)) FailWithMessage("Cannot encode JPEG image", state.error);
  return std::vector<uint8_t>(state.dest.buffer, state.dest.buffer + state.dest.used);
}

}  // namespace platform
