#pragma once
// What the painters are told, by name rather than by position: the look a face is painted in,
// where it is painted, which section of which skin it shows, and which parts of a border mask are
// drawn.

#include <cstdint>
#include <string>

#include "framework/graphics/Bitmap.h"
#include "platform/Types.h"
#include "skin/data/sSkinTables.h"

namespace skin {

// The look of a face. It selects the section's values (the normal ones, or the hot ones for every
// other look) and the state image of its masks: masks hold their state images side by side in
// this order.
enum TsLook : uint8_t { lkNormal, lkHot, lkPressed };

// Where a face is painted: into Rect of Bitmap, for a control standing at Position in its parent
// (so that the parent's image behind it lines up), in Look. MaskFill is the colour key-coloured
// pixels of two-layer masks take where no parent image shows through (kKeyColor: none).
struct TsPaintTarget {
  framework::TBitmap* Bitmap = nullptr;
  platform::TPoint Position;
  platform::TRect Rect;
  TsLook Look = lkNormal;
  platform::TColor MaskFill = platform::clFuchsia;
};

// A section of a loaded skin: its index in Tables and its name, with the texture masks a binding
// found for it (-1: looked up by name while painting).
struct TsSectionRef {
  const TsSkinTables* Tables = nullptr;
  int Index = -1;
  std::string Name;
  int Texture = -1;
  int HotTexture = -1;
};

// The parts of a border mask drawn besides its edges and corners.
enum TsBorderFlag : uint8_t {
  bfFillCentre = 1 << 0,  // the centre (never for a one-layer mask with a BorderWidth)
  bfShowParent = 1 << 1,  // key-coloured corner pixels of a one-layer mask show the parent's image
};
using TsBorderFlags = uint8_t;

// Whether a caption is drawn in its section's colours or embossed, as a disabled control shows it.
enum TsTextState : uint8_t { txEnabled, txDisabled };

// Which part of a border mask a copy paints: edges and the centre mix every pixel through the
// mask; corners treat key-coloured pixels apart.
enum TsMaskPart : uint8_t { mpEdge, mpCorner };

}  // namespace skin
