#pragma once
// The desktop's resource database: the RESOURCE_MANAGER text xrdb leaves on the root window, one
// "name:<blanks>value" entry a line ("Xft.dpi:\t192"), lines starting with "!" being comments.

#include <optional>
#include <string>
#include <string_view>

namespace platform::x11 {

// The value of the entry named exactly name (blanks around the name and the value taken away),
// the first when there are several; nullopt when there is none.
std::optional<std::string> FindResourceEntry(std::string_view database, std::string_view name);

}  // namespace platform::x11
