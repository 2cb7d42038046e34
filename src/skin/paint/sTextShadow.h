#pragma once
// The soft drop shadow of a text: a byte mask made from the text's pixels, stamped and blurred a
// number of times, then mixed into a picture in the shadow's colour. The mask keeps a border of
// one empty cell around the picture's area so that the blur reads no neighbour outside it.

#include <cstdint>
#include <optional>
#include <vector>

#include "platform/drawing/Colors.h"
#include "platform/drawing/DIBitmap.h"

namespace skin {

class TsShadowMask {
 public:
  // Makes the mask of the first width x height pixels of text (24 bits; a pixel whose blue byte is
  // not 0 is covered by the text, as white on black draws it): blur times, every covered cell is
  // made fully opaque again, then each cell becomes the mean of its four neighbours (one pass in
  // place, top to bottom and left to right, so up and left are already this pass's values). No
  // passes leave an empty mask.
  void Build(const platform::DIBitmap& text, int width, int height, int blur);

  // Mixes the shadow colour into the first width x height pixels of picture (24 bits) through the
  // mask: per channel (base * (255 - a) + shadow * a + 127) / 255, base being the pixel itself or,
  // when given, the background colour. Where the mask is empty the base is kept exactly.
  void MixInto(platform::DIBitmap& picture, platform::TColor shadow,
               std::optional<platform::TColor> background) const;

 private:
  int width_ = 0;
  int height_ = 0;
  std::vector<uint8_t> cells_;  // (width + 2) x (height + 2); grows, never shrinks
};

}  // namespace skin
