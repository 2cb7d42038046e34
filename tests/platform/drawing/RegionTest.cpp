#include <gtest/gtest.h>

#include <algorithm>
#include <bitset>
#include <climits>
#include <cstddef>
#include <cstdint>
#include <random>
#include <vector>

#include "platform/drawing/Region.h"

namespace platform {
namespace {

// Checks the banded form that makes equal pixel sets give equal lists.
::testing::AssertionResult IsCanonical(const Region& region) {
  const std::vector<TRect>& rects = region.Rects();
  size_t bandStart = 0;
  for (size_t i = 0; i < rects.size(); ++i) {
    const TRect& r = rects[i];
    if (r.IsEmpty()) return ::testing::AssertionFailure() << "empty rectangle at " << i;
    if (i == bandStart) continue;
    const TRect& p = rects[i - 1];
    if (r.Top == p.Top) {
      if (r.Bottom != p.Bottom) return ::testing::AssertionFailure() << "ragged band at " << i;
      if (r.Left <= p.Right) return ::testing::AssertionFailure() << "touching spans at " << i;
      continue;
    }
    // A new band starts at i: it must lie below the previous one, and if it touches it, it must
    // differ from it (otherwise they should have been one band).
    if (r.Top < p.Bottom) return ::testing::AssertionFailure() << "overlapping bands at " << i;
    size_t end = i;
    while (end < rects.size() && rects[end].Top == r.Top) ++end;
    if (r.Top == p.Bottom && end - i == i - bandStart) {
      bool same = true;
      for (size_t k = 0; k < end - i; ++k)
        same = same && rects[bandStart + k].Left == rects[i + k].Left &&
               rects[bandStart + k].Right == rects[i + k].Right;
      if (same) return ::testing::AssertionFailure() << "unmerged bands at " << i;
    }
    bandStart = i;
  }
  return ::testing::AssertionSuccess();
}

// A brute-force model: the pixels of the square [kMin, kMin + kGrid)^2, which holds every
// random rectangle below.
constexpr int kMin = -4;
constexpr int kGrid = 40;
using Pixels = std::bitset<kGrid * kGrid>;

size_t Bit(int x, int y) { return static_cast<size_t>((y - kMin) * kGrid + (x - kMin)); }

Pixels PixelsOf(const Region& region) {
  Pixels p;
  for (int y = kMin; y < kMin + kGrid; ++y)
    for (int x = kMin; x < kMin + kGrid; ++x) p[Bit(x, y)] = region.Contains(x, y);
  return p;
}

Pixels PixelsOf(const std::vector<TRect>& rects) {
  Pixels p;
  for (const TRect& r : rects)
    for (int y = std::max(r.Top, kMin); y < std::min(r.Bottom, kMin + kGrid); ++y)
      for (int x = std::max(r.Left, kMin); x < std::min(r.Right, kMin + kGrid); ++x)
        p[Bit(x, y)] = true;
  return p;
}

// The region of a pixel set built the naive way, one rectangle per pixel, for comparing lists.
Region RegionOf(const Pixels& pixels) {
  std::vector<TRect> rects;
  for (int y = kMin; y < kMin + kGrid; ++y)
    for (int x = kMin; x < kMin + kGrid; ++x)
      if (pixels[Bit(x, y)]) rects.push_back({x, y, x + 1, y + 1});
  return Region::FromRects(rects);
}

// Up to six rectangles, some empty, some overlapping, inside the model's square.
std::vector<TRect> RandomRects(std::mt19937& rng) {
  std::uniform_int_distribution<int> count(0, 6), coord(-2, 23), size(0, 12);
  std::vector<TRect> rects(static_cast<size_t>(count(rng)));
  for (TRect& r : rects) {
    r.Left = coord(rng);
    r.Top = coord(rng);
    r.Right = r.Left + size(rng);
    r.Bottom = r.Top + size(rng);
  }
  return rects;
}

TEST(RegionForm, OverlappingRectanglesBecomeBands) {
  // Two overlapping squares: a band for the first alone, one where both lie side by side (merged
  // into one span), one for the second alone.
  const Region r = Region::FromRects({{0, 0, 10, 10}, {5, 5, 15, 15}});
  EXPECT_EQ(r.Rects(), (std::vector<TRect>{{0, 0, 10, 5}, {0, 5, 15, 10}, {5, 10, 15, 15}}));
  EXPECT_TRUE(IsCanonical(r));
  EXPECT_EQ(r.Kind(), COMPLEXREGION);
  EXPECT_EQ(r.Bounds(), (TRect{0, 0, 15, 15}));
}

TEST(RegionForm, TouchingPiecesMergeIntoOneRectangle) {
  // Side by side pieces merge within a band, stacked equal bands merge vertically, and the order
  // of the input does not matter.
  const Region a = Region::FromRects({{5, 0, 10, 5}, {0, 0, 5, 5}, {0, 5, 10, 8}});
  EXPECT_EQ(a.Rects(), (std::vector<TRect>{{0, 0, 10, 8}}));
  EXPECT_EQ(a.Kind(), SIMPLEREGION);
  EXPECT_EQ(a, Region(TRect{0, 0, 10, 8}));
  // A gap of one pixel keeps two spans.
  const Region b = Region::FromRects({{0, 0, 4, 2}, {5, 0, 9, 2}});
  EXPECT_EQ(b.Rects().size(), 2u);
}

TEST(RegionForm, EmptyInputsGiveTheEmptyRegion) {
  EXPECT_TRUE(Region(TRect{5, 5, 5, 9}).IsEmpty());
  EXPECT_TRUE(Region(TRect{5, 5, 2, 9}).IsEmpty());
  const Region r = Region::FromRects({{0, 0, 0, 0}, {3, 3, 1, 1}});
  EXPECT_TRUE(r.IsEmpty());
  EXPECT_EQ(r.Kind(), NULLREGION);
  EXPECT_EQ(r.Bounds(), TRect{});
  EXPECT_EQ(r, Region());
  EXPECT_FALSE(r.Contains(0, 0));
  EXPECT_FALSE(r.Intersects({-100, -100, 100, 100}));
}

TEST(RegionQueries, ContainsAndIntersectsFollowHalfOpenEdges) {
  // An L shape with a hole-like notch: {0..9}x{0..4} plus {0..3}x{5..9}.
  const Region r = Region::FromRects({{0, 0, 10, 5}, {0, 5, 4, 10}});
  EXPECT_TRUE(r.Contains(0, 0));
  EXPECT_TRUE(r.Contains(9, 4));
  EXPECT_FALSE(r.Contains(10, 4));
  EXPECT_TRUE(r.Contains(3, 9));
  EXPECT_FALSE(r.Contains(4, 5));
  EXPECT_FALSE(r.Contains(3, 10));
  EXPECT_FALSE(r.Contains(-1, 0));
  EXPECT_TRUE(r.Intersects({3, 9, 4, 10}));
  EXPECT_FALSE(r.Intersects({4, 5, 20, 20}));  // the notch only
  EXPECT_FALSE(r.Intersects({10, 0, 12, 5}));  // touches the right edge from outside
  EXPECT_FALSE(r.Intersects({2, 2, 2, 8}));    // empty rectangle
  EXPECT_TRUE(PtInRegion(r, 1, 1));
  EXPECT_TRUE(RectInRegion(r, {-5, -5, 1, 1}));
  TRect box;
  EXPECT_EQ(GetRgnBox(r, &box), COMPLEXREGION);
  EXPECT_EQ(box, (TRect{0, 0, 10, 10}));
}

TEST(RegionQueries, OffsetMovesEveryPixelAndSaturatesAtTheLimits) {
  Region r = Region::FromRects({{0, 0, 10, 5}, {0, 5, 4, 10}});
  EXPECT_EQ(OffsetRgn(r, -3, 7), COMPLEXREGION);
  EXPECT_EQ(r, Region::FromRects({{-3, 7, 7, 12}, {-3, 12, 1, 17}}));
  EXPECT_EQ(r.Translated(3, -7), Region::FromRects({{0, 0, 10, 5}, {0, 5, 4, 10}}));
  // Pixels pushed past the coordinate range are dropped instead of wrapping around.
  Region edge = Region::FromRects({{INT_MAX - 10, 0, INT_MAX - 5, 3}, {0, 10, 5, 20}});
  edge.Offset(8, 0);
  EXPECT_TRUE(IsCanonical(edge));
  EXPECT_EQ(edge, Region::FromRects({{INT_MAX - 2, 0, INT_MAX, 3}, {8, 10, 13, 20}}));
  Region gone(TRect{INT_MIN, INT_MIN, INT_MIN + 4, INT_MIN + 4});
  gone.Offset(-10, -10);
  EXPECT_TRUE(gone.IsEmpty());
}

TEST(RegionAlgebra, CombineRgnModesOnKnownShapes) {
  const Region a(TRect{0, 0, 10, 10});
  const Region b(TRect{5, 0, 15, 10});
  Region d;
  EXPECT_EQ(CombineRgn(d, a, b, RGN_AND), SIMPLEREGION);
  EXPECT_EQ(d, Region(TRect{5, 0, 10, 10}));
  EXPECT_EQ(CombineRgn(d, a, b, RGN_OR), SIMPLEREGION);
  EXPECT_EQ(d, Region(TRect{0, 0, 15, 10}));
  EXPECT_EQ(CombineRgn(d, a, b, RGN_XOR), COMPLEXREGION);
  EXPECT_EQ(d.Rects(), (std::vector<TRect>{{0, 0, 5, 10}, {10, 0, 15, 10}}));
  EXPECT_EQ(CombineRgn(d, a, b, RGN_DIFF), SIMPLEREGION);
  EXPECT_EQ(d, Region(TRect{0, 0, 5, 10}));
  EXPECT_EQ(CombineRgn(d, b, a, RGN_DIFF), SIMPLEREGION);
  EXPECT_EQ(d, Region(TRect{10, 0, 15, 10}));
  EXPECT_EQ(CombineRgn(d, a, b, RGN_COPY), SIMPLEREGION);
  EXPECT_EQ(d, a);
  EXPECT_EQ(CombineRgn(d, a, a, RGN_DIFF), NULLREGION);
  EXPECT_TRUE(d.IsEmpty());
  // An unknown mode reports an error and leaves the destination alone.
  d = b;
  EXPECT_EQ(CombineRgn(d, a, b, static_cast<CombineMode>(9)), RGN_ERROR);
  EXPECT_EQ(d, b);
}

TEST(RegionAlgebra, DestinationMayBeAnOperand) {
  Region a(TRect{0, 0, 10, 10});
  const Region b(TRect{5, 5, 20, 20});
  EXPECT_EQ(CombineRgn(a, a, b, RGN_DIFF), COMPLEXREGION);
  EXPECT_EQ(a, Region::FromRects({{0, 0, 10, 5}, {0, 5, 5, 10}}));
  Region c(TRect{0, 0, 4, 4});
  EXPECT_EQ(CombineRgn(c, b, c, RGN_OR), COMPLEXREGION);
  EXPECT_EQ(PixelsOf(c), PixelsOf(std::vector<TRect>{{0, 0, 4, 4}, {5, 5, 20, 20}}));
}

TEST(RegionAlgebra, SubtractingAHoleKeepsTheFrame) {
  const Region frame = Region(TRect{0, 0, 10, 10}).Subtracted(TRect{3, 3, 7, 7});
  EXPECT_EQ(frame.Rects(),
            (std::vector<TRect>{{0, 0, 10, 3}, {0, 3, 3, 7}, {7, 3, 10, 7}, {0, 7, 10, 10}}));
  // Filling the hole again gives back the plain square, as one rectangle.
  EXPECT_EQ(frame.United(TRect{3, 3, 7, 7}), Region(TRect{0, 0, 10, 10}));
}

// Every operation against the pixel model, on seeded random regions; the canonical form is
// checked by comparing with the naive one-rectangle-per-pixel construction of the same set.
TEST(RegionAlgebra, MatchesAPixelModelOnRandomRegions) {
  std::mt19937 rng(20240611);
  int nonEmptyResults = 0;
  for (int round = 0; round < 400; ++round) {
    const std::vector<TRect> ra = RandomRects(rng), rb = RandomRects(rng);
    const Region a = Region::FromRects(ra), b = Region::FromRects(rb);
    const Pixels pa = PixelsOf(ra), pb = PixelsOf(rb);
    ASSERT_TRUE(IsCanonical(a));
    ASSERT_EQ(PixelsOf(a), pa);
    ASSERT_EQ(a, RegionOf(pa)) << "round " << round;

    struct Case {
      const char* name;
      Region result;
      Pixels expected;
    };
    // Besides two random regions, one random region against a plain rectangle large enough to
    // hold it, lie inside it or miss it, either way round: the shapes clipping meets most.
    std::uniform_int_distribution<int> corner(-4, 20), side(0, 36);
    TRect plain{corner(rng), corner(rng), 0, 0};
    plain.Right = std::min(plain.Left + side(rng), kMin + kGrid);
    plain.Bottom = std::min(plain.Top + side(rng), kMin + kGrid);
    const Region box(plain);
    const Pixels pc = PixelsOf(std::vector<TRect>{plain});
    const Case cases[] = {{"or", a.United(b), pa | pb},
                          {"and", a.Intersected(b), pa & pb},
                          {"diff", a.Subtracted(b), pa & ~pb},
                          {"xor", a.Xored(b), pa ^ pb},
                          {"or plain", a.United(box), pa | pc},
                          {"plain or", box.United(a), pa | pc},
                          {"and plain", a.Intersected(box), pa & pc},
                          {"plain and", box.Intersected(a), pa & pc},
                          {"diff plain", a.Subtracted(box), pa & ~pc},
                          {"plain diff", box.Subtracted(a), pc & ~pa}};
    for (const Case& c : cases) {
      ASSERT_TRUE(IsCanonical(c.result)) << c.name << " round " << round;
      ASSERT_EQ(PixelsOf(c.result), c.expected) << c.name << " round " << round;
      ASSERT_EQ(c.result, RegionOf(c.expected)) << c.name << " round " << round;
      ASSERT_EQ(c.result.Bounds(), RegionOf(c.expected).Bounds());
      if (!c.result.IsEmpty()) ++nonEmptyResults;
    }
    // Intersects agrees with the model for a random probe rectangle.
    const std::vector<TRect> probe = RandomRects(rng);
    for (const TRect& r : probe)
      ASSERT_EQ(a.Intersects(r), (PixelsOf(std::vector<TRect>{r}) & pa).any());
  }
  // The generator must produce interesting shapes, not mostly empty ones.
  EXPECT_GT(nonEmptyResults, 2000);
}

}  // namespace
}  // namespace platform
