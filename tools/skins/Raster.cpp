#include "tools/skins/Raster.h"

#include <limits>

namespace skins {

int ToSkinColor(const Rgb& c) {
  const auto byte = [](double v) {
    return static_cast<int>(std::lround(std::clamp(v, 0.0, 255.0)));
  };
  return byte(c.r) | (byte(c.g) << 8) | (byte(c.b) << 16);
}

Shape RoundRect(double left, double top, double right, double bottom, double radius) {
  const double cx = (left + right) / 2, cy = (top + bottom) / 2;
  const double hx = (right - left) / 2, hy = (bottom - top) / 2;
  radius = std::min({radius, hx, hy});
  return [=](double x, double y) {
    const double qx = std::abs(x - cx) - hx + radius;
    const double qy = std::abs(y - cy) - hy + radius;
    const double outside = std::hypot(std::max(qx, 0.0), std::max(qy, 0.0));
    return outside + std::min(std::max(qx, qy), 0.0) - radius;
  };
}

Shape Circle(double cx, double cy, double radius) {
  return [=](double x, double y) { return std::hypot(x - cx, y - cy) - radius; };
}

namespace {

double SegmentDistance(double x, double y, double x0, double y0, double x1, double y1) {
  const double dx = x1 - x0, dy = y1 - y0;
  const double length2 = dx * dx + dy * dy;
  const double t =
      length2 > 0 ? std::clamp(((x - x0) * dx + (y - y0) * dy) / length2, 0.0, 1.0) : 0.0;
  return std::hypot(x - (x0 + t * dx), y - (y0 + t * dy));
}

}  // namespace

Shape Segment(double x0, double y0, double x1, double y1, double width) {
  return [=](double x, double y) { return SegmentDistance(x, y, x0, y0, x1, y1) - width / 2; };
}

Shape Polyline(std::vector<std::pair<double, double>> points, double width) {
  return [points = std::move(points), width](double x, double y) {
    double best = std::numeric_limits<double>::max();
    for (size_t i = 1; i < points.size(); ++i) {
      best = std::min(best, SegmentDistance(x, y, points[i - 1].first, points[i - 1].second,
                                            points[i].first, points[i].second));
    }
    return best - width / 2;
  };
}

Shape Outline(Shape shape, double width) {
  return [shape = std::move(shape), width](double x, double y) {
    const double d = shape(x, y);
    return std::max(d, -(d + width));
  };
}

Shape Union(Shape a, Shape b) {
  return [a = std::move(a), b = std::move(b)](double x, double y) {
    return std::min(a(x, y), b(x, y));
  };
}

Shape Subtract(Shape from, Shape cut) {
  return [from = std::move(from), cut = std::move(cut)](double x, double y) {
    return std::max(from(x, y), -cut(x, y));
  };
}

Shape Intersect(Shape a, Shape b) {
  return [a = std::move(a), b = std::move(b)](double x, double y) {
    return std::max(a(x, y), b(x, y));
  };
}

Paint Solid(Rgb c) {
  return [c](double, double) { return c; };
}

Paint Vertical(double y0, Rgb top, double y1, Rgb bottom) {
  return [=](double, double y) {
    const double t = y1 > y0 ? std::clamp((y - y0) / (y1 - y0), 0.0, 1.0) : 0.0;
    return Mix(top, bottom, t);
  };
}

Paint VerticalStops(std::vector<std::pair<double, Rgb>> stops) {
  return [stops = std::move(stops)](double, double y) {
    if (y <= stops.front().first) return stops.front().second;
    for (size_t i = 1; i < stops.size(); ++i) {
      if (y <= stops[i].first) {
        const double span = stops[i].first - stops[i - 1].first;
        const double t = span > 0 ? (y - stops[i - 1].first) / span : 1.0;
        return Mix(stops[i - 1].second, stops[i].second, t);
      }
    }
    return stops.back().second;
  };
}

void Raster::Blend(int x, int y, const Rgb& c, double alpha) {
  if (x < 0 || y < 0 || x >= width_ || y >= height_ || alpha <= 0) return;
  Rgba& d = At(x, y);
  alpha = std::min(alpha, 1.0);
  const double out = alpha + d.a * (1 - alpha);
  if (out <= 0) return;
  const double keep = d.a * (1 - alpha) / out;
  const double add = alpha / out;
  d.c = {d.c.r * keep + c.r * add, d.c.g * keep + c.g * add, d.c.b * keep + c.b * add};
  d.a = out;
}

void Raster::Fill(const Shape& shape, const Paint& paint, double opacity) {
  for (int y = 0; y < height_; ++y) {
    for (int x = 0; x < width_; ++x) {
      const double px = x + 0.5, py = y + 0.5;
      const double coverage = std::clamp(0.5 - shape(px, py), 0.0, 1.0);
      if (coverage > 0) Blend(x, y, paint(px, py), coverage * opacity);
    }
  }
}

void Raster::Draw(const Raster& source, int x, int y) {
  for (int sy = 0; sy < source.Height(); ++sy) {
    for (int sx = 0; sx < source.Width(); ++sx) {
      const Rgba& s = source.At(sx, sy);
      Blend(x + sx, y + sy, s.c, s.a);
    }
  }
}

}  // namespace skins
