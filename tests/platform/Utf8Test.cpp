// UTF-8 in one place: decoding with the Latin-1 fallback, encoding, validation, sanitising and the
// Latin-1 conversions the clipboard's STRING target needs. The cases are the byte sequences that
// trip hand-written decoders: overlong forms, surrogates, values past U+10FFFF, sequences cut off
// by the end of the text, and continuation bytes without a lead.

#include "platform/Utf8.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace platform {
namespace {

std::vector<uint32_t> Decode(std::string_view text) {
  std::vector<uint32_t> out;
  for (size_t i = 0; i < text.size();) out.push_back(NextCodePoint(text, i));
  return out;
}

TEST(Utf8Test, DecodesCharactersAndTakesBrokenBytesAsLatin1) {
  EXPECT_EQ(Decode("a\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80"),
            (std::vector<uint32_t>{'a', 0xE9, 0x20AC, 0x1F600}));
  // Overlong "/" (C0 AF), a surrogate (ED A0 80), past U+10FFFF (F4 90 80 80): each byte alone.
  EXPECT_EQ(Decode("\xC0\xAF"), (std::vector<uint32_t>{0xC0, 0xAF}));
  EXPECT_EQ(Decode("\xED\xA0\x80"), (std::vector<uint32_t>{0xED, 0xA0, 0x80}));
  EXPECT_EQ(Decode("\xF4\x90\x80\x80"), (std::vector<uint32_t>{0xF4, 0x90, 0x80, 0x80}));
  // Cut off by the end of the text: never read past it.
  EXPECT_EQ(Decode("x\xE2\x82"), (std::vector<uint32_t>{'x', 0xE2, 0x82}));
  // A lead followed by something other than a continuation byte.
  EXPECT_EQ(Decode("\xC3("), (std::vector<uint32_t>{0xC3, '('}));
}

TEST(Utf8Test, EncodesEveryLengthAndReplacesWhatIsNoCharacter) {
  EXPECT_EQ(EncodeUtf8('A'), "A");
  EXPECT_EQ(EncodeUtf8(0xE9), "\xC3\xA9");
  EXPECT_EQ(EncodeUtf8(0x20AC), "\xE2\x82\xAC");
  EXPECT_EQ(EncodeUtf8(0x10FFFF), "\xF4\x8F\xBF\xBF");
  EXPECT_EQ(EncodeUtf8(0xD800), "\xEF\xBF\xBD");
  EXPECT_EQ(EncodeUtf8(0x110000), "\xEF\xBF\xBD");
  for (uint32_t cp : {0x7Fu, 0x80u, 0x7FFu, 0x800u, 0xFFFFu, 0x10000u}) {
    const std::string bytes = EncodeUtf8(cp);
    size_t i = 0;
    EXPECT_EQ(NextCodePoint(bytes, i), cp);
    EXPECT_EQ(i, bytes.size());
  }
}

TEST(Utf8Test, ValidatesAndSanitisesByteForByte) {
  EXPECT_TRUE(IsValidUtf8(""));
  EXPECT_TRUE(IsValidUtf8("caf\xC3\xA9 \xF0\x9F\x98\x80"));
  EXPECT_FALSE(IsValidUtf8("caf\xE9"));
  EXPECT_FALSE(IsValidUtf8("\xED\xA0\x80"));
  EXPECT_FALSE(IsValidUtf8("\xE2\x82"));
  // Valid sequences stay as they are; each stray byte becomes its Latin-1 character.
  EXPECT_EQ(SanitizeUtf8("caf\xC3\xA9"), "caf\xC3\xA9");
  EXPECT_EQ(SanitizeUtf8("caf\xE9!"), "caf\xC3\xA9!");
  EXPECT_EQ(SanitizeUtf8("\xC0\xAF"), "\xC3\x80\xC2\xAF");
  EXPECT_TRUE(IsValidUtf8(SanitizeUtf8("\xFF\xFE\xF4\x90\x80\x80\xE2\x82")));
}

TEST(Utf8Test, Latin1BothWays) {
  EXPECT_EQ(Utf8ToLatin1("caf\xC3\xA9 \xE2\x82\xAC"), "caf\xE9 ?");
  EXPECT_EQ(Utf8ToLatin1("\xE2\x82\xAC", '_'), "_");
  // A byte that is not UTF-8 is already the Latin-1 character it stands for.
  EXPECT_EQ(Utf8ToLatin1("caf\xE9"), "caf\xE9");
  EXPECT_EQ(Latin1ToUtf8("caf\xE9\x7F"), "caf\xC3\xA9\x7F");
  std::string every;
  for (int b = 0; b < 256; ++b) every += static_cast<char>(b);
  EXPECT_EQ(Utf8ToLatin1(Latin1ToUtf8(every)), every);
}

}  // namespace
}  // namespace platform
