#include "platform/Utf8.h"

namespace platform {

namespace {

// Whether NextCodePoint took the bytes from `start` to `end` as a character of their own rather
// than a lone byte standing for its Latin-1 character.
bool DecodedAsUtf8(std::string_view text, size_t start, size_t end) {
  return end - start > 1 || static_cast<unsigned char>(text[start]) < 0x80;
}

}  // namespace

void AppendUtf8(std::string& out, uint32_t cp) {
  if (cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) cp = 0xFFFD;
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
}

bool IsValidUtf8(std::string_view text) {
  for (size_t i = 0; i < text.size();) {
    const size_t start = i;
    NextCodePoint(text, i);
    if (!DecodedAsUtf8(text, start, i)) return false;
  }
  return true;
}

std::string SanitizeUtf8(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size();) {
    const size_t start = i;
    const uint32_t cp = NextCodePoint(text, i);
    if (DecodedAsUtf8(text, start, i))
      out.append(text.substr(start, i - start));
    else
      AppendUtf8(out, cp);
  }
  return out;
}

std::string Utf8ToLatin1(std::string_view text, char unrepresentable) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size();) {
    const uint32_t cp = NextCodePoint(text, i);
    out += cp <= 0xFF ? static_cast<char>(cp) : unrepresentable;
  }
  return out;
}

std::string Latin1ToUtf8(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (const char c : text) AppendUtf8(out, static_cast<unsigned char>(c));
  return out;
}

}  // namespace platform
