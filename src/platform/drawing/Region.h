#pragma once
// Regions: sets of pixels kept as a list of disjoint rectangles in y-x banded order (sorted by
// top, then left; rectangles of one band share Top and Bottom; touching rectangles of a band are
// merged, and vertically adjacent bands with the same spans are merged). Two regions holding the
// same pixels therefore hold the same list. Used for clipping and for window shapes.

#include <vector>

#include "platform/Types.h"

namespace platform {

// Results of region operations, as GDI reports them.
enum RegionKind : int { RGN_ERROR = 0, NULLREGION = 1, SIMPLEREGION = 2, COMPLEXREGION = 3 };
// Combination modes of CombineRgn.
enum CombineMode : int { RGN_AND = 1, RGN_OR = 2, RGN_XOR = 3, RGN_DIFF = 4, RGN_COPY = 5 };

class Region {
 public:
  Region() = default;
  explicit Region(const TRect& rect);
  static Region FromRects(const std::vector<TRect>& rects);

  bool IsEmpty() const { return rects_.empty(); }
  // NULLREGION, SIMPLEREGION or COMPLEXREGION.
  RegionKind Kind() const;
  const std::vector<TRect>& Rects() const { return rects_; }
  // The bounding box; an empty rectangle for an empty region.
  TRect Bounds() const;

  bool Contains(int x, int y) const;
  bool Contains(TPoint p) const { return Contains(p.X, p.Y); }
  // True when any pixel of the rectangle lies in the region.
  bool Intersects(const TRect& rect) const;

  void Offset(int dx, int dy);
  Region Translated(int dx, int dy) const;

  Region United(const Region& other) const;
  Region Subtracted(const Region& other) const;
  Region Intersected(const Region& other) const;
  Region Xored(const Region& other) const;
  Region United(const TRect& r) const { return United(Region(r)); }
  Region Subtracted(const TRect& r) const { return Subtracted(Region(r)); }
  Region Intersected(const TRect& r) const { return Intersected(Region(r)); }

  friend bool operator==(const Region&, const Region&) = default;

 private:
  std::vector<TRect> rects_;
};

// GDI's calls over regions, for code that reads like the original.
inline Region CreateRectRgn(int left, int top, int right, int bottom) {
  return Region(TRect{left, top, right, bottom});
}
// dest := a <mode> b; returns the kind of the result.
RegionKind CombineRgn(Region& dest, const Region& a, const Region& b, CombineMode mode);
inline RegionKind OffsetRgn(Region& rgn, int dx, int dy) {
  rgn.Offset(dx, dy);
  return rgn.Kind();
}
inline RegionKind GetRgnBox(const Region& rgn, TRect* box) {
  *box = rgn.Bounds();
  return rgn.Kind();
}
inline bool PtInRegion(const Region& rgn, int x, int y) { return rgn.Contains(x, y); }
inline bool RectInRegion(const Region& rgn, const TRect& rect) { return rgn.Intersects(rect); }
inline bool EqualRgn(const Region& a, const Region& b) { return a == b; }

}  // namespace platform
