#include "platform/drawing/Region.h"

#include <algorithm>
#include <climits>
#include <cstddef>
#include <cstdint>

namespace platform {

namespace {

// A band: the rectangles rects[begin, end) of a region, all sharing top and bottom.
struct Band {
  int top;
  int bottom;
  size_t begin;
  size_t end;
};

std::vector<Band> BandsOf(const std::vector<TRect>& rects) {
  std::vector<Band> bands;
  size_t i = 0;
  while (i < rects.size()) {
    size_t j = i + 1;
    while (j < rects.size() && rects[j].Top == rects[i].Top) ++j;
    bands.push_back({rects[i].Top, rects[i].Bottom, i, j});
    i = j;
  }
  return bands;
}

// Which pixels the result keeps, as a truth table indexed by (in a) * 2 + (in b).
enum : unsigned {
  kKeepOr = 0b1110,
  kKeepAnd = 0b1000,
  kKeepXor = 0b0110,
  kKeepDiff = 0b0100,  // in a, not in b
};

bool Keeps(unsigned table, bool inA, bool inB) {
  return (table >> ((inA ? 2u : 0u) | (inB ? 1u : 0u))) & 1u;
}

// Appends to `out` the spans of one band's row where `table` holds, from the sorted, disjoint
// spans a[0, na) and b[0, nb). The result is sorted, disjoint and non-touching because a span is
// only closed where the truth value actually changes.
void CombineSpans(const TRect* a, size_t na, const TRect* b, size_t nb, unsigned table,
                  std::vector<TRect>& out, int top, int bottom) {
  // Each list contributes an edge at every Left and Right; walking both in x order, the state of
  // "inside a" and "inside b" flips at each of its edges.
  size_t ia = 0, ib = 0;
  bool inA = false, inB = false, inside = false;
  bool aAtRight = false, bAtRight = false;  // whether the next edge of a list is a Right
  int start = 0;
  while (ia < na || ib < nb) {
    const int xa = ia < na ? (aAtRight ? a[ia].Right : a[ia].Left) : INT_MAX;
    const int xb = ib < nb ? (bAtRight ? b[ib].Right : b[ib].Left) : INT_MAX;
    const int x = std::min(xa, xb);
    // Every edge at x is consumed before the state is looked at, so that a span ending where
    // another begins does not leave a zero-width gap.
    while (ia < na && (aAtRight ? a[ia].Right : a[ia].Left) == x) {
      inA = !aAtRight;
      if (aAtRight) ++ia;
      aAtRight = !aAtRight;
    }
    while (ib < nb && (bAtRight ? b[ib].Right : b[ib].Left) == x) {
      inB = !bAtRight;
      if (bAtRight) ++ib;
      bAtRight = !bAtRight;
    }
    const bool now = Keeps(table, inA, inB);
    if (now != inside) {
      if (now) {
        start = x;
      } else {
        out.push_back({start, top, x, bottom});
      }
      inside = now;
    }
  }
  // Both lists are exhausted only after their last Right edge, where neither is inside, and no
  // table keeps the (out, out) state, so no span is left open here.
}

// Appends the band [top, bottom) with the spans that CombineSpans left at out[first, end); merges
// it into the band above when that one touches it and has the same spans.
void CloseBand(std::vector<TRect>& out, size_t first, size_t& previousFirst, int top) {
  const size_t count = out.size() - first;
  if (count == 0) return;
  if (previousFirst < first && first - previousFirst == count && out[previousFirst].Bottom == top) {
    bool same = true;
    for (size_t k = 0; k < count && same; ++k)
      same = out[previousFirst + k].Left == out[first + k].Left &&
             out[previousFirst + k].Right == out[first + k].Right;
    if (same) {
      const int bottom = out[first].Bottom;
      for (size_t k = 0; k < count; ++k) out[previousFirst + k].Bottom = bottom;
      out.resize(first);
      return;
    }
  }
  previousFirst = first;
}

// The one sweep behind every operation: walks both regions band by band from the top, cutting
// at every top and bottom of either, and combines the rows of each slice with the truth table.
std::vector<TRect> Sweep(const std::vector<TRect>& a, const std::vector<TRect>& b, unsigned table) {
  std::vector<TRect> out;
  out.reserve(a.size() + b.size());
  const std::vector<Band> bandsA = BandsOf(a);
  const std::vector<Band> bandsB = BandsOf(b);
  size_t ia = 0, ib = 0;
  size_t previousFirst = SIZE_MAX;
  int y = INT_MAX;
  if (!bandsA.empty()) y = bandsA[0].top;
  if (!bandsB.empty()) y = std::min(y, bandsB[0].top);
  while (ia < bandsA.size() || ib < bandsB.size()) {
    // A list is "active" when its current band covers y; its next event is then the band's
    // bottom, otherwise the next band's top.
    const bool activeA = ia < bandsA.size() && bandsA[ia].top <= y;
    const bool activeB = ib < bandsB.size() && bandsB[ib].top <= y;
    const int nextA = ia < bandsA.size() ? (activeA ? bandsA[ia].bottom : bandsA[ia].top) : INT_MAX;
    const int nextB = ib < bandsB.size() ? (activeB ? bandsB[ib].bottom : bandsB[ib].top) : INT_MAX;
    const int next = std::min(nextA, nextB);
    if (activeA || activeB) {
      const size_t first = out.size();
      const TRect* spansA = activeA ? &a[bandsA[ia].begin] : nullptr;
      const size_t countA = activeA ? bandsA[ia].end - bandsA[ia].begin : 0;
      const TRect* spansB = activeB ? &b[bandsB[ib].begin] : nullptr;
      const size_t countB = activeB ? bandsB[ib].end - bandsB[ib].begin : 0;
      CombineSpans(spansA, countA, spansB, countB, table, out, y, next);
      CloseBand(out, first, previousFirst, y);
    }
    y = next;
    if (ia < bandsA.size() && bandsA[ia].bottom <= y) ++ia;
    if (ib < bandsB.size() && bandsB[ib].bottom <= y) ++ib;
  }
  return out;
}

int ClampToInt(int64_t v) { return static_cast<int>(std::clamp<int64_t>(v, INT_MIN, INT_MAX)); }

bool Covers(const TRect& outer, const TRect& inner) {
  return outer.Left <= inner.Left && outer.Top <= inner.Top && inner.Right <= outer.Right &&
         inner.Bottom <= outer.Bottom;
}

// What clipping asks most (a window's rectangle against a shape that lies apart from it or
// within it) is answered from the bounding boxes, without a sweep and its allocations.
enum class Overlap : uint8_t { kApart, kAInsideB, kBInsideA, kOther };

Overlap OverlapOf(const std::vector<TRect>& a, const TRect& boundsA, const std::vector<TRect>& b,
                  const TRect& boundsB) {
  if (!boundsA.Intersects(boundsB)) return Overlap::kApart;
  if (b.size() == 1 && Covers(b.front(), boundsA)) return Overlap::kAInsideB;
  if (a.size() == 1 && Covers(a.front(), boundsB)) return Overlap::kBInsideA;
  return Overlap::kOther;
}

}  // namespace

Region::Region(const TRect& rect) {
  if (!rect.IsEmpty()) rects_.push_back(rect);
}

Region Region::FromRects(const std::vector<TRect>& rects) {
  // Pairwise unions, as a balanced tree, so n overlapping rectangles cost n log n band merges
  // instead of a growing region being swept n times.
  std::vector<Region> level;
  level.reserve(rects.size());
  for (const TRect& r : rects)
    if (!r.IsEmpty()) level.emplace_back(r);
  if (level.empty()) return Region();
  while (level.size() > 1) {
    std::vector<Region> next;
    next.reserve((level.size() + 1) / 2);
    for (size_t i = 0; i + 1 < level.size(); i += 2) next.push_back(level[i].United(level[i + 1]));
    if (level.size() % 2) next.push_back(std::move(level.back()));
    level = std::move(next);
  }
  return std::move(level.front());
}

RegionKind Region::Kind() const {
  if (rects_.empty()) return NULLREGION;
  return rects_.size() == 1 ? SIMPLEREGION : COMPLEXREGION;
}

TRect Region::Bounds() const {
  if (rects_.empty()) return TRect{};
  // Bands are sorted by top and each band's rectangles by left: the first band holds the top,
  // the last the bottom; left and right need a look at every band.
  TRect box{INT_MAX, rects_.front().Top, INT_MIN, rects_.back().Bottom};
  for (const TRect& r : rects_) {
    box.Left = std::min(box.Left, r.Left);
    box.Right = std::max(box.Right, r.Right);
  }
  return box;
}

bool Region::Contains(int x, int y) const {
  // Bands do not overlap, so bottoms grow along the list: the first rectangle whose bottom lies
  // below y starts the only band that can hold the point.
  auto it = std::partition_point(rects_.begin(), rects_.end(),
                                 [y](const TRect& r) { return r.Bottom <= y; });
  for (; it != rects_.end() && it->Top <= y; ++it) {
    if (x < it->Left) return false;
    if (x < it->Right) return true;
  }
  return false;
}

bool Region::Intersects(const TRect& rect) const {
  if (rect.IsEmpty()) return false;
  auto it = std::partition_point(rects_.begin(), rects_.end(),
                                 [&rect](const TRect& r) { return r.Bottom <= rect.Top; });
  for (; it != rects_.end() && it->Top < rect.Bottom; ++it)
    if (it->Left < rect.Right && rect.Left < it->Right) return true;
  return false;
}

void Region::Offset(int dx, int dy) {
  if (rects_.empty() || (dx == 0 && dy == 0)) return;
  const TRect box = Bounds();
  const int64_t lo = INT_MIN, hi = INT_MAX;
  if (int64_t{box.Left} + dx >= lo && int64_t{box.Right} + dx <= hi &&
      int64_t{box.Top} + dy >= lo && int64_t{box.Bottom} + dy <= hi) {
    for (TRect& r : rects_) r = r.Translated(dx, dy);
    return;
  }
  // Pixels pushed past the coordinate range are dropped; the clamped rectangles are put back into
  // canonical form since clamping can empty some of them.
  std::vector<TRect> clamped;
  clamped.reserve(rects_.size());
  for (const TRect& r : rects_)
    clamped.push_back({ClampToInt(int64_t{r.Left} + dx), ClampToInt(int64_t{r.Top} + dy),
                       ClampToInt(int64_t{r.Right} + dx), ClampToInt(int64_t{r.Bottom} + dy)});
  *this = FromRects(clamped);
}

Region Region::Translated(int dx, int dy) const {
  Region copy = *this;
  copy.Offset(dx, dy);
  return copy;
}

Region Region::United(const Region& other) const {
  if (other.IsEmpty()) return *this;
  if (IsEmpty()) return other;
  switch (OverlapOf(rects_, Bounds(), other.rects_, other.Bounds())) {
    case Overlap::kAInsideB: return other;
    case Overlap::kBInsideA: return *this;
    default: break;
  }
  Region result;
  result.rects_ = Sweep(rects_, other.rects_, kKeepOr);
  return result;
}

Region Region::Subtracted(const Region& other) const {
  if (IsEmpty() || other.IsEmpty()) return *this;
  switch (OverlapOf(rects_, Bounds(), other.rects_, other.Bounds())) {
    case Overlap::kApart: return *this;
    case Overlap::kAInsideB: return Region();
    default: break;
  }
  Region result;
  result.rects_ = Sweep(rects_, other.rects_, kKeepDiff);
  return result;
}

Region Region::Intersected(const Region& other) const {
  if (IsEmpty() || other.IsEmpty()) return Region();
  switch (OverlapOf(rects_, Bounds(), other.rects_, other.Bounds())) {
    case Overlap::kApart: return Region();
    case Overlap::kAInsideB: return *this;
    case Overlap::kBInsideA: return other;
    case Overlap::kOther: break;
  }
  Region result;
  result.rects_ = Sweep(rects_, other.rects_, kKeepAnd);
  return result;
}

Region Region::Xored(const Region& other) const {
  Region result;
  result.rects_ = Sweep(rects_, other.rects_, kKeepXor);
  return result;
}

RegionKind CombineRgn(Region& dest, const Region& a, const Region& b, CombineMode mode) {
  // The result is built aside first, so dest may be a or b.
  Region result;
  switch (mode) {
    case RGN_AND: result = a.Intersected(b); break;
    case RGN_OR: result = a.United(b); break;
    case RGN_XOR: result = a.Xored(b); break;
    case RGN_DIFF: result = a.Subtracted(b); break;
    case RGN_COPY: result = a; break;
    default: return RGN_ERROR;  // dest is left as it was
  }
  dest = std::move(result);
  return dest.Kind();
}

}  // namespace platform
