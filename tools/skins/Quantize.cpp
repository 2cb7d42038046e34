#include "tools/skins/Quantize.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <limits>
#include <map>
#include <unordered_map>
#include <vector>

namespace skins {
namespace {

using platform::DIBitmap;

constexpr uint32_t kKey = 0xFF00FF;  // as $RRGGBB

struct Entry {
  uint32_t rgb;
  uint32_t count;
};

int Channel(uint32_t rgb, int c) { return static_cast<int>((rgb >> (16 - 8 * c)) & 0xFF); }

// One box of the median cut: a range of `entries`.
struct Box {
  size_t begin, end;
  uint64_t weight;
};

// Splits the box with the widest channel range at its weighted median, until there are `count`
// boxes or none can be split.
std::vector<Box> MedianCut(std::vector<Entry>& entries, size_t count) {
  std::vector<Box> boxes{{0, entries.size(), 0}};
  for (const Entry& e : entries) boxes[0].weight += e.count;
  while (boxes.size() < count) {
    int best = -1;
    int bestChannel = 0;
    double bestScore = 0;
    for (size_t i = 0; i < boxes.size(); ++i) {
      const Box& b = boxes[i];
      if (b.end - b.begin < 2) continue;
      for (int c = 0; c < 3; ++c) {
        int lo = 255, hi = 0;
        for (size_t k = b.begin; k < b.end; ++k) {
          lo = std::min(lo, Channel(entries[k].rgb, c));
          hi = std::max(hi, Channel(entries[k].rgb, c));
        }
        // Wide boxes holding many pixels are split first.
        const double score =
            static_cast<double>(hi - lo) * std::sqrt(static_cast<double>(b.weight));
        if (score > bestScore) {
          bestScore = score;
          best = static_cast<int>(i);
          bestChannel = c;
        }
      }
    }
    if (best < 0) break;
    Box box = boxes[static_cast<size_t>(best)];
    std::sort(entries.begin() + static_cast<ptrdiff_t>(box.begin),
              entries.begin() + static_cast<ptrdiff_t>(box.end),
              [bestChannel](const Entry& a, const Entry& b) {
                return Channel(a.rgb, bestChannel) < Channel(b.rgb, bestChannel);
              });
    uint64_t half = 0;
    size_t split = box.begin + 1;
    for (size_t k = box.begin; k + 1 < box.end; ++k) {
      half += entries[k].count;
      split = k + 1;
      if (half * 2 >= box.weight) break;
    }
    Box low{box.begin, split, 0}, high{split, box.end, 0};
    for (size_t k = low.begin; k < low.end; ++k) low.weight += entries[k].count;
    high.weight = box.weight - low.weight;
    boxes[static_cast<size_t>(best)] = low;
    boxes.push_back(high);
  }
  return boxes;
}

}  // namespace

DIBitmap ToIndexed(const DIBitmap& source) {
  const DIBitmap picture = source.BitsPerPixel() == 24 ? source : source.ConvertedTo(24);
  const int w = picture.Width(), h = picture.Height();
  std::unordered_map<uint32_t, uint32_t> histogram;
  for (int y = 0; y < h; ++y) {
    const uint8_t* row = picture.ScanLine(y);
    for (int x = 0; x < w; ++x) {
      const uint32_t rgb =
          (uint32_t{row[3 * x + 2]} << 16) | (uint32_t{row[3 * x + 1]} << 8) | row[3 * x];
      ++histogram[rgb];
    }
  }
  std::vector<Entry> entries;
  for (const auto& [rgb, count] : histogram) {
    if (rgb != kKey) entries.push_back({rgb, count});
  }
  std::sort(entries.begin(), entries.end(),
            [](const Entry& a, const Entry& b) { return a.rgb < b.rgb; });

  std::vector<uint32_t> colors{kKey};
  if (entries.size() <= 255) {
    for (const Entry& e : entries) colors.push_back(e.rgb);
  } else {
    for (const Box& b : MedianCut(entries, 255)) {
      double sum[3] = {0, 0, 0};
      for (size_t k = b.begin; k < b.end; ++k) {
        for (int c = 0; c < 3; ++c)
          sum[c] += static_cast<double>(Channel(entries[k].rgb, c)) * entries[k].count;
      }
      uint32_t rgb = 0;
      for (int c = 0; c < 3; ++c) {
        rgb =
            (rgb << 8) | static_cast<uint32_t>(std::lround(sum[c] / static_cast<double>(b.weight)));
      }
      if (rgb == kKey) rgb = 0xFE00FE;  // only true key pixels may be transparent
      colors.push_back(rgb);
    }
  }

  std::vector<platform::RGBQuad> palette(256);
  for (size_t i = 0; i < colors.size(); ++i) {
    palette[i] = {static_cast<uint8_t>(colors[i] & 0xFF),
                  static_cast<uint8_t>((colors[i] >> 8) & 0xFF),
                  static_cast<uint8_t>(colors[i] >> 16), 0};
  }
  std::unordered_map<uint32_t, uint8_t> nearest{{kKey, 0}};
  const auto lookup = [&](uint32_t rgb) {
    const auto found = nearest.find(rgb);
    if (found != nearest.end()) return found->second;
    size_t best = 1;
    int bestDistance = std::numeric_limits<int>::max();
    for (size_t i = 1; i < colors.size(); ++i) {
      int d = 0;
      for (int c = 0; c < 3; ++c) {
        const int delta = Channel(rgb, c) - Channel(colors[i], c);
        d += delta * delta;
      }
      if (d < bestDistance) {
        bestDistance = d;
        best = i;
      }
    }
    return nearest[rgb] = static_cast<uint8_t>(best);
  };

  DIBitmap indexed(w, h, 8);
  indexed.SetPalette(std::move(palette));
  for (int y = 0; y < h; ++y) {
    const uint8_t* row = picture.ScanLine(y);
    uint8_t* out = indexed.ScanLine(y);
    for (int x = 0; x < w; ++x) {
      out[x] =
          lookup((uint32_t{row[3 * x + 2]} << 16) | (uint32_t{row[3 * x + 1]} << 8) | row[3 * x]);
    }
  }
  return indexed;
}

}  // namespace skins
