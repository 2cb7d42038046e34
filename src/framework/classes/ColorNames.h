#pragma once
// The colour names of descriptions (clWhite, clBtnFace, ...): the sixteen basic colours, the
// extended ones, clNone and clDefault, and the system colours, each with its value.

#include <optional>
#include <string>

#include "platform/drawing/Colors.h"

namespace framework {

// nullopt for a name that is not a colour name (names are case-sensitive).
std::optional<platform::TColor> IdentToColor(const std::string& ident);
// nullopt for a value that has no name.
std::optional<std::string> ColorToIdent(platform::TColor color);

}  // namespace framework
