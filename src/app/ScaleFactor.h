#pragma once
// The whole-number factor the program's windows are drawn at, and where it comes from: the
// command line's --scale, then the settings file's [Display] Scale, then GDK_SCALE (which GTK and
// Qt programs obey), then the desktop's Xft.dpi (96 dots per inch a factor), else 1.

#include <optional>
#include <string>
#include <vector>

namespace app {

struct ScaleChoice {
  int Factor = 1;
  // One line for each value that was given but could not be used (no trailing newline).
  std::vector<std::string> Warnings;
};

// The first usable value in the order above. The first three must be 1, 2 or 3 written as a
// whole number; Xft.dpi is any positive number of dots per inch, giving round(dpi / 96) held to
// 1 to 3. A value that is set but unusable is passed over with a warning; an empty text counts as
// not set.
ScaleChoice ResolveScale(const std::optional<std::string>& commandLine,
                         const std::optional<std::string>& settings,
                         const std::optional<std::string>& gdkScale,
                         const std::optional<std::string>& xftDpi);

}  // namespace app
