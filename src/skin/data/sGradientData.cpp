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
    // At most 100, stored in a byte: a negative share keeps its low byte (-1 is 255), and the
    // drawing limits every segment's end to the rectangle.
    segment.Share = static_cast<uint8_t>(std::min(StrToInt(words[5 * k + 2]), 100));
    segment.Kind = StrToInt(words[5 * k + 3]);
  }
  return result;
}

}  // namespace skin
