#pragma once
// Raster: a small floating-point RGBA canvas for drawing skin pictures. Shapes are given as
// signed distance functions (negative inside, in pixels); a pixel's coverage is taken from the
// distance at its centre, clamped to one pixel of falloff, so straight edges on whole pixel
// positions stay crisp and curves are antialiased. Colours are 0..255 per channel, not
// premultiplied; drawing is source-over.

#include <algorithm>
#include <cmath>
#include <functional>
#include <vector>

namespace skins {

struct Rgb {
  double r = 0, g = 0, b = 0;
};

inline Rgb Mix(const Rgb& a, const Rgb& b, double t) {
  return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}
inline Rgb Scale(const Rgb& c, double k) { return {c.r * k, c.g * k, c.b * k}; }
// From a colour written $RRGGBB, as designers write it.
constexpr Rgb Hex(unsigned rgb) {
  return {static_cast<double>((rgb >> 16) & 0xFF), static_cast<double>((rgb >> 8) & 0xFF),
          static_cast<double>(rgb & 0xFF)};
}
// The skin's own colour value ($00BBGGRR, red in the low byte).
int ToSkinColor(const Rgb& c);

struct Rgba {
  Rgb c;
  double a = 0;
};

// A signed distance in pixels at a point: < 0 inside.
using Shape = std::function<double(double x, double y)>;
// The colour at a point.
using Paint = std::function<Rgb(double x, double y)>;

Shape RoundRect(double left, double top, double right, double bottom, double radius);
Shape Circle(double cx, double cy, double radius);
// A stroke of the given width along the segment from (x0, y0) to (x1, y1), with round ends.
Shape Segment(double x0, double y0, double x1, double y1, double width);
// A stroke along a polyline.
Shape Polyline(std::vector<std::pair<double, double>> points, double width);
// A ring of the given width just inside the shape's edge.
Shape Outline(Shape shape, double width);
Shape Union(Shape a, Shape b);
Shape Subtract(Shape from, Shape cut);
Shape Intersect(Shape a, Shape b);

Paint Solid(Rgb c);
// Colour from `top` at row y0 to `bottom` at row y1 (clamped outside).
Paint Vertical(double y0, Rgb top, double y1, Rgb bottom);
// Piecewise linear over rows: stops given as (row, colour), ascending.
Paint VerticalStops(std::vector<std::pair<double, Rgb>> stops);

class Raster {
 public:
  Raster() = default;
  Raster(int width, int height)
      : width_(width), height_(height), px_(static_cast<size_t>(width * height)) {}

  int Width() const { return width_; }
  int Height() const { return height_; }
  Rgba& At(int x, int y) { return px_[static_cast<size_t>(y * width_ + x)]; }
  const Rgba& At(int x, int y) const { return px_[static_cast<size_t>(y * width_ + x)]; }

  // Source-over of colour c with the given opacity.
  void Blend(int x, int y, const Rgb& c, double alpha);
  // Fills the shape with the paint at the given opacity.
  void Fill(const Shape& shape, const Paint& paint, double opacity = 1.0);
  // Draws another raster over this one with its top-left corner at (x, y).
  void Draw(const Raster& source, int x, int y);

 private:
  int width_ = 0;
  int height_ = 0;
  std::vector<Rgba> px_;
};

}  // namespace skins
