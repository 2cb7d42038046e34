#pragma once
// GDI's gradient fill in triangle mode.
//
// The rule. Vertex channels are 16-bit values. A pixel (x, y) is filled by a triangle when the
// point (x, y) lies inside it or on an edge that is a top or left edge (the usual top-left rule),
// so triangles sharing an edge fill each of its pixels once and a rectangle split into triangles
// (R.Left, R.Top)-(R.Right, R.Bottom) fills columns R.Left..R.Right-1 and rows R.Top..R.Bottom-1.
// Its colour is the barycentric interpolation of the three vertices' channels at (x, y), in exact
// integer arithmetic, truncated, and the result's high byte is the pixel's byte (channel >> 8).
//
// Precisely, in surface coordinates (y grows downwards), with the vertices ordered so that the
// doubled area A = (x1 - x0)(y2 - y0) - (y1 - y0)(x2 - x0) is positive (swapping 1 and 2 if
// needed; the order given does not matter), edge i runs from vertex i+1 to vertex i+2 (mod 3) and
//   w_i(x, y) = (y_a - y_b)(x - x_a) + (x_b - x_a)(y - y_a)   for that edge a -> b,
// which is A times vertex i's barycentric weight. An edge is a top edge when y_b = y_a and
// x_b > x_a, a left edge when y_b < y_a. The pixel is filled when every w_i >= 0 and w_i > 0 for
// each edge that is neither top nor left. Each channel is then
//   c = floor((w_0 c_0 + w_1 c_1 + w_2 c_2) / A),   the pixel byte c >> 8,
// and the alpha channel is not used (the fourth byte of a 32-bit pixel is set to 0).
// A triangle with A = 0 draws nothing. Triangles whose vertices lie more than 2^22 pixels apart
// in x or in y are refused (the products above must fit 64 bits).

#include <cstdint>

#include "platform/drawing/DeviceContext.h"

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

// Fills each triangle of the mesh; vertex positions are logical coordinates of the context, and
// only pixels within its effective clip are drawn. False, with nothing drawn, for another mode, a
// vertex index beyond the vertices, a triangle too large, or a context without a 24- or 32-bit
// bitmap.
bool GradientFill(HDC dc, const TriVertex* vertices, uint32_t vertexCount,
                  const GradientTriangle* triangles, uint32_t triangleCount, uint32_t mode);

}  // namespace platform
