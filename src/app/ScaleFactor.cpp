#include "app/ScaleFactor.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <string_view>

#include "framework/graphics/DisplayScale.h"

namespace app {

namespace {

std::string_view Trimmed(std::string_view text) {
  const auto first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// A factor written as a whole number from 1 to 3, else nullopt.
std::optional<int> ReadFactor(std::string_view text) {
  text = Trimmed(text);
  int value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  if (value < framework::kMinDisplayScale || value > framework::kMaxDisplayScale)
    return std::nullopt;
  return value;
}

// Dots per inch as a positive number, whole or not, else nullopt.
std::optional<double> ReadDpi(std::string_view text) {
  text = Trimmed(text);
  double value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size() || !std::isfinite(value) ||
      value <= 0)
    return std::nullopt;
  return value;
}

bool Given(const std::optional<std::string>& value) { return value && !Trimmed(*value).empty(); }

}  // namespace

ScaleChoice ResolveScale(const std::optional<std::string>& commandLine,
                         const std::optional<std::string>& settings,
                         const std::optional<std::string>& gdkScale,
                         const std::optional<std::string>& xftDpi) {
  ScaleChoice choice;
  struct Source {
    const std::optional<std::string>& value;
    const char* name;
  };
  for (const Source& source :
       {Source{commandLine, "--scale"}, Source{settings, "Scale"}, Source{gdkScale, "GDK_SCALE"}}) {
    if (!Given(source.value)) continue;
    if (const std::optional<int> factor = ReadFactor(*source.value)) {
      choice.Factor = *factor;
      return choice;
    }
    choice.Warnings.push_back(std::string("ignoring ") + source.name + " \"" + *source.value +
                              "\": the scale must be 1, 2 or 3");
  }
  if (Given(xftDpi)) {
    if (const std::optional<double> dpi = ReadDpi(*xftDpi)) {
      choice.Factor = std::clamp(static_cast<int>(std::lround(*dpi / 96.0)),
                                 framework::kMinDisplayScale, framework::kMaxDisplayScale);
      return choice;
    }
    choice.Warnings.push_back("ignoring Xft.dpi \"" + *xftDpi +
                              "\": the resolution must be a positive number");
  }
  return choice;
}

}  // namespace app
