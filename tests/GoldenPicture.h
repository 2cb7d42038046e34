#pragma once
// Golden pictures: a drawn picture compared byte for byte with a PNG file under tests/golden. A
// missing file is written (and every file when SNIPWELL_UPDATE_GOLDEN=1), to be looked at before
// it is committed; a mismatch writes <name>.actual.png beside the golden one.

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>

#include "platform/drawing/DIBitmap.h"
#include "platform/images/ImageCodecs.h"

namespace golden {

inline void ExpectGoldenPicture(const platform::DIBitmap& picture, const std::string& folder,
                                const std::string& name) {
  const std::filesystem::path dir = std::filesystem::path(SNIPWELL_GOLDEN_DIR) / folder;
  const std::filesystem::path file = dir / (name + ".png");
  const char* update = std::getenv("SNIPWELL_UPDATE_GOLDEN");
  if (!std::filesystem::exists(file) || (update && std::string(update) == "1")) {
    std::filesystem::create_directories(dir);
    platform::WritePngFile(picture, file.string());
    return;
  }
  const platform::DIBitmap expected = platform::ReadPngFile(file.string());
  bool same = expected.Width() == picture.Width() && expected.Height() == picture.Height();
  for (int y = 0; same && y < picture.Height(); ++y)
    same = std::memcmp(expected.ScanLine(y), picture.ScanLine(y),
                       static_cast<size_t>(picture.Width()) * 3) == 0;
  if (!same) {
    const std::filesystem::path actual = dir / (name + ".actual.png");
    platform::WritePngFile(picture, actual.string());
    ADD_FAILURE() << "The picture differs from " << file << "; what was drawn is in " << actual;
  }
}

}  // namespace golden
