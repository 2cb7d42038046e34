#pragma once
// Small picture files made for the codec tests (tests/platform/images/data), read whole, and the
// check every codec passes on cut files.

#include <gtest/gtest.h>

#include <cstddef>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/Exception.h"

namespace platform::testdata {

inline std::vector<uint8_t> ReadFile(const std::string& name) {
  const std::string path = std::string(SNIPWELL_SOURCE_DIR) + "/tests/platform/images/data/" + name;
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("missing test file " + path);
  return std::vector<uint8_t>((std::istreambuf_iterator<char>(in)),
                              std::istreambuf_iterator<char>());
}

// The 16 x 16 picture behind the colour fixtures: red rises to the right, green downwards, blue
// stays 64. The grey fixtures hold (x + y) * 8 instead.
inline int FixtureRed(int x) { return x * 16; }
inline int FixtureGreen(int y) { return y * 16; }
constexpr int kFixtureBlue = 64;

// Each file decodes whole, and every shorter part of it is refused. The parts are exact-size
// copies, so that reading one byte too far is an AddressSanitizer error.
template <typename Decode>
void ExpectEveryTruncationRefused(const std::vector<std::vector<uint8_t>>& files, Decode decode) {
  for (const auto& file : files) {
    ASSERT_NO_THROW(decode(file));
    for (size_t cut = 0; cut < file.size(); ++cut) {
      const std::vector<uint8_t> part(file.begin(), file.begin() + static_cast<ptrdiff_t>(cut));
      EXPECT_THROW(decode(part), EInvalidGraphic) << "cut at " << cut << " of " << file.size();
    }
  }
}

}  // namespace platform::testdata
