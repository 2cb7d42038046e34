#include "skin/data/sGradientData.h"

#include <algorithm>

#include "skin/data/sStrUtils.h"

namespace skin {

TsGradArray ParseGradientData(std::string_view text) {
  TsGradArray result;
  if (text.empty()) return result;
  const std::vector<std::string_view> words = SplitWords(text, ";");
  const size_t count = words.size() / 5;
  result.resize(count);
  for (size_t k = 0; k < count; ++k) {
    TsGradSegment& segment = result[k];
    segment.StartColor = StrToInt(words[5 * k]);
    segment.EndColor = StrToInt(words[5 * k + 1]);
    // Stored in a byte: a negative share would otherwise wrap to a huge one and push the
    // segment's end past the rectangle.
    segment.Share = static_cast<uint8_t>(std::clamp(StrToInt(words[5 * k + 2]), 0, 100));
    segment.Kind = StrToInt(words[5 * k + 3]);
  }
  return result;
}

}  // namespace skin
