#pragma once
// Gradients of skin sections: the gradient description text and its parsed form, which the skin
// manager builds at load time and the painters draw.
//
// The text is words separated by semicolons (empty words do not count); every five words make one
// segment: start colour, end colour, share of the extent in percent, kind (0 vertical,
// 1 horizontal, 2 four-corner), and a fifth word read for counting only. Only the first segment's
// kind decides the layout of the whole gradient.

#include <cstdint>
#include <string_view>
#include <vector>

#include "platform/drawing/Colors.h"

namespace skin {

struct TsGradSegment {
  platform::TColor StartColor = 0;
  platform::TColor EndColor = 0;
  uint8_t Share = 0;  // 0 to 100
  int32_t Kind = 0;
};
using TsGradArray = std::vector<TsGradSegment>;

// One segment per five words; the words of an incomplete last group are ignored, so a single
// blank, "N/A" or an empty text give no segments. A share above 100 is stored as 100 and one
// below 0 as 0. A word that is not an integer raises framework::EConvertError
// ("'<word>' is not a valid integer value"), which the skin loader handles.
TsGradArray ParseGradientData(std::string_view text);

}  // namespace skin
