#pragma once
// Small value types shared by every layer: points, sizes and rectangles in pixels, and the
// handles and parameter types of windows and their messages.
// Rectangles are half-open, as on Windows: Right and Bottom are one past the last pixel.

#include <algorithm>
#include <cstdint>

namespace platform {

struct TPoint {
  int X = 0;
  int Y = 0;
  friend bool operator==(const TPoint&, const TPoint&) = default;
};

struct TSize {
  int cx = 0;
  int cy = 0;
  friend bool operator==(const TSize&, const TSize&) = default;
};

struct TRect {
  int Left = 0;
  int Top = 0;
  int Right = 0;
  int Bottom = 0;

  int Width() const { return Right - Left; }
  int Height() const { return Bottom - Top; }
  bool IsEmpty() const { return Right <= Left || Bottom <= Top; }
  bool Contains(TPoint p) const { return p.X >= Left && p.X < Right && p.Y >= Top && p.Y < Bottom; }
  bool Contains(int x, int y) const { return Contains(TPoint{x, y}); }
  bool Intersects(const TRect& r) const { return !Intersected(r).IsEmpty(); }
  TRect Intersected(const TRect& r) const {
    return {std::max(Left, r.Left), std::max(Top, r.Top), std::min(Right, r.Right),
            std::min(Bottom, r.Bottom)};
  }
  // The smallest rectangle holding both; an empty operand does not count.
  TRect United(const TRect& r) const {
    if (r.IsEmpty()) return *this;
    if (IsEmpty()) return r;
    return {std::min(Left, r.Left), std::min(Top, r.Top), std::max(Right, r.Right),
            std::max(Bottom, r.Bottom)};
  }
  TRect Translated(int dx, int dy) const { return {Left + dx, Top + dy, Right + dx, Bottom + dy}; }
  TRect Inflated(int dx, int dy) const { return {Left - dx, Top - dy, Right + dx, Bottom + dy}; }
  TPoint TopLeft() const { return {Left, Top}; }
  friend bool operator==(const TRect&, const TRect&) = default;
};

inline TRect Rect(int left, int top, int right, int bottom) { return {left, top, right, bottom}; }
inline TRect Bounds(int left, int top, int width, int height) {
  return {left, top, left + width, top + height};
}
inline TPoint Point(int x, int y) { return {x, y}; }

// Window handles are opaque numbers that are never reused: a handle that outlives its window
// names nothing (IsWindow is false).
struct HWND_;
using HWND = HWND_*;
using UINT = uint32_t;
using WPARAM = uintptr_t;
using LPARAM = intptr_t;
using LRESULT = intptr_t;

}  // namespace platform
