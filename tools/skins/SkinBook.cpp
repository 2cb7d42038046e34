#include "tools/skins/SkinBook.h"

#include <algorithm>
#include <stdexcept>

namespace skins {
namespace {

bool Overlaps(const platform::TRect& a, const platform::TRect& b) {
  return a.Left < b.Right && b.Left < a.Right && a.Top < b.Bottom && b.Top < a.Bottom;
}

}  // namespace

void Layout(SkinDefinition& skin) {
  std::vector<platform::TRect> taken;
  std::vector<std::pair<std::string, Picture*>> floating;
  for (auto& [key, picture] : skin.pictures) {
    const int w = std::max(picture.pixels.Width(), picture.areaWidth), h = picture.pixels.Height();
    if (picture.at) {
      picture.placed = {picture.at->X, picture.at->Y, picture.at->X + w, picture.at->Y + h};
      if (picture.placed.Right > skin.masterWidth || picture.placed.Bottom > skin.masterHeight) {
        throw std::runtime_error(skin.Name + ": picture " + key +
                                 " lies outside the master bitmap");
      }
      taken.push_back(picture.placed);
    } else {
      floating.emplace_back(key, &picture);
    }
  }
  std::stable_sort(floating.begin(), floating.end(), [](const auto& a, const auto& b) {
    const auto& pa = a.second->pixels;
    const auto& pb = b.second->pixels;
    return pa.Height() != pb.Height() ? pa.Height() > pb.Height() : pa.Width() > pb.Width();
  });
  for (auto& [key, picture] : floating) {
    const int w = picture->pixels.Width(), h = picture->pixels.Height();
    bool placed = false;
    for (int y = 0; y + h <= skin.masterHeight && !placed; ++y) {
      for (int x = 0; x + w <= skin.masterWidth && !placed; ++x) {
        const platform::TRect r{x, y, x + w, y + h};
        const platform::TRect padded{x - 1, y - 1, x + w + 1, y + h + 1};
        if (std::none_of(taken.begin(), taken.end(),
                         [&](const platform::TRect& t) { return Overlaps(padded, t); })) {
          picture->placed = r;
          taken.push_back(r);
          placed = true;
        }
      }
    }
    if (!placed) throw std::runtime_error(skin.Name + ": no room for picture " + key);
  }
}

platform::DIBitmap ComposeMaster(const SkinDefinition& skin) {
  platform::DIBitmap master(skin.masterWidth, skin.masterHeight, 24);
  for (int y = 0; y < skin.masterHeight; ++y) {
    uint8_t* row = master.ScanLine(y);
    for (int x = 0; x < skin.masterWidth; ++x) {
      row[3 * x] = 255;
      row[3 * x + 1] = 0;
      row[3 * x + 2] = 255;
    }
  }
  for (const auto& [key, picture] : skin.pictures) {
    const int w = picture.pixels.Width();
    for (int y = 0; y < picture.pixels.Height(); ++y) {
      std::copy_n(picture.pixels.ScanLine(y), 3 * w,
                  master.ScanLine(picture.placed.Top + y) + 3 * picture.placed.Left);
    }
  }
  return master;
}

const Picture& MaskPicture(const SkinDefinition& skin, const Mask& mask) {
  const auto& table = mask.own ? skin.ownPictures : skin.pictures;
  const auto found = table.find(mask.picture);
  if (found == table.end()) {
    throw std::runtime_error(skin.Name + ": mask " + mask.SectionName + " " + mask.PropertyName +
                             " names the unknown picture " + mask.picture);
  }
  return found->second;
}

platform::TRect MaskRect(const SkinDefinition& skin, const Mask& mask) {
  const Picture& picture = MaskPicture(skin, mask);
  if (mask.own) return {0, 0, picture.pixels.Width(), picture.pixels.Height()};
  return picture.placed;
}

}  // namespace skins
