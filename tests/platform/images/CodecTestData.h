#pragma once
// Small picture files made for the codec tests (tests/platform/images/data), read whole.

#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <vector>

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

}  // namespace platform::testdata
