#include "platform/drawing/GradientFill.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <utility>

namespace platform {

namespace {

// Beyond this the products of the interpolation would not fit 64 bits (see the header).
constexpr int64_t kMaxExtent = int64_t{1} << 22;

struct Vertex {
  int64_t x, y;
  int64_t channel[3];  // blue, green, red: pixel byte order
};

// One edge a -> b as the function w(p) = A (p.x - a.x) + B (p.y - a.y), positive inside a
// triangle whose doubled area is positive. `least` is the smallest value that still counts as
// inside: 0 on top and left edges, 1 elsewhere.
struct Edge {
  int64_t ax, ay;
  int64_t A, B;
  int64_t least;

  Edge(const Vertex& a, const Vertex& b) : ax(a.x), ay(a.y), A(a.y - b.y), B(b.x - a.x) {
    const int64_t dx = b.x - a.x, dy = b.y - a.y;
    // With the vertices in this order (clockwise on the screen, y growing downwards), an edge
    // running upwards is a left edge and a level edge running rightwards is a top edge.
    const bool topLeft = dy < 0 || (dy == 0 && dx > 0);
    least = topLeft ? 0 : 1;
  }
  int64_t At(int64_t x, int64_t y) const { return A * (x - ax) + B * (y - ay); }
};

int64_t FloorDiv(int64_t a, int64_t b) {  // b > 0
  const int64_t q = a / b;
  return (a % b != 0 && a < 0) ? q - 1 : q;
}

int64_t CeilDiv(int64_t a, int64_t b) {  // b > 0
  const int64_t q = a / b;
  return (a % b != 0 && a > 0) ? q + 1 : q;
}

// Narrows [from, to) on row y to the pixels the edge lets in.
void NarrowSpan(const Edge& e, int64_t y, int64_t& from, int64_t& to) {
  // Need A (x - ax) >= least - B (y - ay).
  const int64_t need = e.least - e.B * (y - e.ay);
  if (e.A > 0) {
    from = std::max(from, e.ax + CeilDiv(need, e.A));
  } else if (e.A < 0) {
    to = std::min(to, e.ax + FloorDiv(-need, -e.A) + 1);
  } else if (need > 0) {
    to = from;  // a level edge whose outside holds the whole row
  }
}

void FillTriangle(DIBitmap& bitmap, const Region& clip, Vertex v0, Vertex v1, Vertex v2) {
  int64_t area = (v1.x - v0.x) * (v2.y - v0.y) - (v1.y - v0.y) * (v2.x - v0.x);
  if (area == 0) return;  // no pixel lies strictly inside, and edges of nothing are drawn
  if (area < 0) {
    std::swap(v1, v2);
    area = -area;
  }
  // Edge i is opposite vertex i; its function is that vertex's barycentric weight times area.
  const Edge edges[3] = {Edge(v1, v2), Edge(v2, v0), Edge(v0, v1)};
  const Vertex* vertex[3] = {&v0, &v1, &v2};

  int64_t stepQuot[3], stepRem[3];
  for (int c = 0; c < 3; ++c) {
    int64_t step = 0;
    for (int i = 0; i < 3; ++i) step += edges[i].A * vertex[i]->channel[c];
    stepQuot[c] = FloorDiv(step, area);
    stepRem[c] = step - stepQuot[c] * area;
  }

  const int64_t minX = std::min({v0.x, v1.x, v2.x}), maxX = std::max({v0.x, v1.x, v2.x});
  const int64_t minY = std::min({v0.y, v1.y, v2.y}), maxY = std::max({v0.y, v1.y, v2.y});
  const int bpp = bitmap.BitsPerPixel() / 8;
  for (const TRect& r : clip.Rects()) {
    if (r.Top > maxY) break;
    const int64_t top = std::max<int64_t>(r.Top, minY),
                  bottom = std::min<int64_t>(r.Bottom, maxY + 1);
    const int64_t left = std::max<int64_t>(r.Left, minX),
                  right = std::min<int64_t>(r.Right, maxX + 1);
    if (top >= bottom || left >= right) continue;
    for (int64_t y = top; y < bottom; ++y) {
      int64_t from = left, to = right;
      for (const Edge& e : edges) NarrowSpan(e, y, from, to);
      if (from >= to) continue;
      // Numerators at the first pixel, split into quotient and remainder by the area; stepping
      // right adds a constant, so each pixel costs additions only.
      int64_t quot[3], rem[3];
      for (int c = 0; c < 3; ++c) {
        int64_t sum = 0;
        for (int i = 0; i < 3; ++i) sum += edges[i].At(from, y) * vertex[i]->channel[c];
        quot[c] = sum / area;  // sum >= 0 inside the triangle
        rem[c] = sum % area;
      }
      uint8_t* p = bitmap.ScanLine(static_cast<int>(y)) + static_cast<size_t>(from) * bpp;
      for (int64_t x = from; x < to; ++x, p += bpp) {
        for (int c = 0; c < 3; ++c) {
          p[c] = static_cast<uint8_t>(quot[c] >> 8);
          quot[c] += stepQuot[c];
          rem[c] += stepRem[c];
          if (rem[c] >= area) {
            rem[c] -= area;
            ++quot[c];
          }
        }
        if (bpp == 4) p[3] = 0;
      }
    }
  }
}

}  // namespace

bool GradientFill(HDC dc, const TriVertex* vertices, uint32_t vertexCount,
                  const GradientTriangle* triangles, uint32_t triangleCount, uint32_t mode) {
  if (!dc || mode != GRADIENT_FILL_TRIANGLE) return false;
  if (triangleCount == 0) return true;
  if (!triangles || !vertices) return false;
  // The whole mesh is checked before anything is drawn, so a bad call changes no pixel.
  for (uint32_t t = 0; t < triangleCount; ++t) {
    const GradientTriangle& tri = triangles[t];
    if (tri.Vertex1 >= vertexCount || tri.Vertex2 >= vertexCount || tri.Vertex3 >= vertexCount)
      return false;
    const TriVertex& a = vertices[tri.Vertex1];
    const TriVertex& b = vertices[tri.Vertex2];
    const TriVertex& c = vertices[tri.Vertex3];
    const int64_t width = int64_t{std::max({a.x, b.x, c.x})} - std::min({a.x, b.x, c.x});
    const int64_t height = int64_t{std::max({a.y, b.y, c.y})} - std::min({a.y, b.y, c.y});
    if (width > kMaxExtent || height > kMaxExtent) return false;
  }
  DIBitmap* bitmap = dc->Surface();
  if (!bitmap || bitmap->Empty() || (bitmap->BitsPerPixel() != 24 && bitmap->BitsPerPixel() != 32))
    return false;

  const DeviceContext::State& state = dc->Current();
  const int64_t shiftX = int64_t{state.viewportOrg.X} - state.windowOrg.X + dc->Origin().X;
  const int64_t shiftY = int64_t{state.viewportOrg.Y} - state.windowOrg.Y + dc->Origin().Y;
  auto toSurface = [&](const TriVertex& v) {
    return Vertex{v.x + shiftX, v.y + shiftY, {v.Blue, v.Green, v.Red}};
  };
  const Region& clip = dc->EffectiveClip();
  for (uint32_t t = 0; t < triangleCount; ++t) {
    const GradientTriangle& tri = triangles[t];
    FillTriangle(*bitmap, clip, toSurface(vertices[tri.Vertex1]), toSurface(vertices[tri.Vertex2]),
                 toSurface(vertices[tri.Vertex3]));
  }
  return true;
}

}  // namespace platform
