#pragma once
// UTF-8 decoding as the program needs it everywhere: a byte that does not start a valid sequence
// (overlong forms, surrogates and values above U+10FFFF included) stands for itself, its Latin-1
// character, so any bytes can be shown and nothing is ever read past the end.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace platform {

// The code point starting at text[i]; i moves past it. Requires i < text.size().
inline uint32_t NextCodePoint(std::string_view text, size_t& i) {
  const auto* p = reinterpret_cast<const unsigned char*>(text.data());
  const size_t n = text.size();
  const unsigned char b = p[i];
  const int len = b < 0x80 ? 1 : (b >> 5) == 6 ? 2 : (b >> 4) == 14 ? 3 : (b >> 3) == 30 ? 4 : 0;
  if (len == 1) {
    ++i;
    return b;
  }
  bool valid = len > 0 && i + static_cast<size_t>(len) <= n;
  uint32_t cp = len == 2 ? (b & 0x1Fu) : len == 3 ? (b & 0x0Fu) : (b & 0x07u);
  for (int k = 1; valid && k < len; ++k) {
    if ((p[i + k] & 0xC0) != 0x80)
      valid = false;
    else
      cp = (cp << 6) | (p[i + k] & 0x3Fu);
  }
  if (valid) {
    static constexpr uint32_t kMin[] = {0, 0, 0x80, 0x800, 0x10000};
    if (cp < kMin[len] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) valid = false;
  }
  if (!valid) {
    ++i;
    return b;
  }
  i += static_cast<size_t>(len);
  return cp;
}

// The UTF-8 bytes of a code point (U+FFFD for values that are not characters).
inline std::string EncodeUtf8(uint32_t cp) {
  if (cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) cp = 0xFFFD;
  std::string out;
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (cp >> 18));
    out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
  return out;
}

}  // namespace platform
