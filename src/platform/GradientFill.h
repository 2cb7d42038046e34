#pragma once
// GDI's gradient fill in triangle mode.
//
// The rule. Vertex channels are 16-bit values. A pixel (x, y) is filled by a triangle when the
// point (x, y) lies inside it or on an edge that is a top or left edge (the usual top-left rule),
// so triangles sharing an edge fill each of its pixels once and a rectangle split into triangles
// (R.Left, R.Top)-(R.Right, R.Bottom) fills columns R.Left..R.Right-1 and rows R.Top..R.Bottom-1.
// Its colour is the barycentric interpolation of the three vertices' channels at (x, y), in exact
// integer arithmetic, truncated, and the result's high byte is the pixel's byte (channel >> 8).

#include <cstdint>

#include "platform/DeviceContext.h"

namespace platform {

struct TriVertex {
  int32_t x = 0;
  int32_t y = 0;
  uint16_t Red = 0;
  uint16_t Green = 0;
  uint16_t Blue = 0;
  uint16_t Alpha = 0;
};

struct GradientTriangle {
  uint32_t Vertex1 = 0;
  uint32_t Vertex2 = 0;
  uint32_t Vertex3 = 0;
};

enum GradientFillMode : uint32_t {
  GRADIENT_FILL_RECT_H = 0,
  GRADIENT_FILL_RECT_V = 1,
  GRADIENT_FILL_TRIANGLE = 2,
};

// Fills each triangle of the mesh; vertex positions are logical coordinates of the context.
// False for another mode or a vertex index beyond the vertices.
bool GradientFill(HDC dc, const TriVertex* vertices, uint32_t vertexCount,
                  const GradientTriangle* triangles, uint32_t triangleCount, uint32_t mode);

}  // namespace platform
