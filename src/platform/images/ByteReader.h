#pragma once
// A little-endian reader over a byte range that never reads past its end: every read checks the
// remaining length first and raises EInvalidGraphic naming what was being read, so a file parser
// built on it cannot step outside the caller's buffer whatever the file claims.

#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/Exception.h"

namespace platform {

class ByteReader {
 public:
  ByteReader(const uint8_t* data, size_t size) : data_(data), size_(size) {}

  size_t Size() const { return size_; }
  size_t Position() const { return pos_; }
  size_t Remaining() const { return size_ - pos_; }
  bool AtEnd() const { return pos_ == size_; }

  // The next n bytes, which the caller reads directly; the position moves past them.
  const uint8_t* Take(size_t n, const char* what) {
    Need(n, what);
    const uint8_t* p = data_ + pos_;
    pos_ += n;
    return p;
  }
  void Skip(size_t n, const char* what) { Take(n, what); }
  void Seek(size_t position, const char* what) {
    if (position > size_) Fail(what);
    pos_ = position;
  }

  uint8_t U8(const char* what) { return *Take(1, what); }
  uint16_t U16(const char* what) {
    const uint8_t* p = Take(2, what);
    return static_cast<uint16_t>(p[0] | (p[1] << 8));
  }
  uint32_t U32(const char* what) {
    const uint8_t* p = Take(4, what);
    return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
           (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[3]) << 24);
  }
  int32_t I32(const char* what) { return static_cast<int32_t>(U32(what)); }

 private:
  void Need(size_t n, const char* what) const {
    if (n > size_ - pos_) Fail(what);
  }
  [[noreturn]] static void Fail(const char* what) {
    throw EInvalidGraphic(std::string("Picture data is truncated: the ") + what + " is incomplete");
  }

  const uint8_t* data_;
  size_t size_;
  size_t pos_ = 0;
};

}  // namespace platform
