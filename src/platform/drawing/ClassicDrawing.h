#pragma once
// The classic Windows look that the standard controls and the message box are drawn in: 3D edges
// (sunken edit borders, raised button faces), the panel's bevel frames and the dotted focus frame
// (the embossed text of disabled controls is drawn with the text calls). Every colour is a system
// colour of the fixed classic palette.

#include "platform/Types.h"
#include "platform/drawing/Colors.h"
#include "platform/drawing/DeviceContext.h"

namespace platform {

// Edge kinds and sides of DrawEdge, with Windows' numbers.
enum : unsigned {
  BDR_RAISEDOUTER = 0x1,
  BDR_SUNKENOUTER = 0x2,
  BDR_RAISEDINNER = 0x4,
  BDR_SUNKENINNER = 0x8,
  EDGE_RAISED = BDR_RAISEDOUTER | BDR_RAISEDINNER,
  EDGE_SUNKEN = BDR_SUNKENOUTER | BDR_SUNKENINNER,
  EDGE_ETCHED = BDR_SUNKENOUTER | BDR_RAISEDINNER,
  EDGE_BUMP = BDR_RAISEDOUTER | BDR_SUNKENINNER,
};
enum : unsigned {
  BF_LEFT = 0x1,
  BF_TOP = 0x2,
  BF_RIGHT = 0x4,
  BF_BOTTOM = 0x8,
  BF_RECT = BF_LEFT | BF_TOP | BF_RIGHT | BF_BOTTOM,
  BF_MIDDLE = 0x800,   // fill the inside with the button face
  BF_SOFT = 0x1000,    // the lighter variant buttons use
  BF_ADJUST = 0x2000,  // shrink the rectangle by what was drawn
  BF_FLAT = 0x4000,    // one shadow-coloured line instead of 3D
  BF_MONO = 0x8000,    // one frame-coloured line instead of 3D
};

// Draws up to two one-pixel rings (outer, then inner) as Windows' DrawEdge does: the top and left
// sides of a ring in its upper-left colour, the bottom and right sides, corners included, in its
// lower-right colour. A single edge (outer or inner only) is drawn as the outer ring. On a dense
// display each ring is ringWidth pixels wide, drawn as that many one-pixel rings, so its corners
// keep their mitre.
void DrawEdge(HDC dc, TRect& rect, unsigned edge, unsigned flags, int ringWidth = 1);

// The VCL's Frame3D: `width` rings from the outside in, top and left in topColor, bottom and right
// (and the corners they share with the others) in bottomColor; rect becomes the area inside.
void Frame3D(HDC dc, TRect& rect, TColor topColor, TColor bottomColor, int width);

// The dotted focus frame: every other pixel of the rectangle's outline inverted, starting with
// its top-left pixel; drawing it twice restores what was there.
void DrawFocusRect(HDC dc, const TRect& rect);

// Inverts every pixel of the rectangle (the caret is drawn so: dark on light, light on dark).
void InvertRect(HDC dc, const TRect& rect);

}  // namespace platform
