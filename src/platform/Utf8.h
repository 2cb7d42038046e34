#pragma once
// UTF-8 as the program needs it everywhere: decoding, encoding, validation and the conversions to
// and from Latin-1. The program's strings are bytes; a byte that does not start a valid sequence
// (overlong forms, surrogates and values above U+10FFFF included) stands for itself, its Latin-1
// character, so any bytes can be shown and nothing is ever read past the end.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace platform {

// The code point starting at text[i]; i moves past it. Requires i < text.size(). A byte that does
// not start a valid sequence is returned as its Latin-1 character, and i moves by one.
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

// Appends the UTF-8 bytes of a code point (U+FFFD for values that are not characters).
void AppendUtf8(std::string& out, uint32_t cp);
inline std::string EncodeUtf8(uint32_t cp) {
  std::string out;
  AppendUtf8(out, cp);
  return out;
}

// Whether every byte belongs to a valid UTF-8 sequence.
bool IsValidUtf8(std::string_view text);
// Valid UTF-8 as it is; every byte that is not part of a valid sequence becomes the UTF-8 of its
// Latin-1 character (what the program shows for it). For those who must hand out valid UTF-8.
std::string SanitizeUtf8(std::string_view text);

// Latin-1 for those who need one byte a character: a character above U+00FF becomes
// `unrepresentable`; a byte that is not part of a valid sequence stays itself.
std::string Utf8ToLatin1(std::string_view text, char unrepresentable = '?');
// Every byte as its Latin-1 character.
std::string Latin1ToUtf8(std::string_view text);

}  // namespace platform
