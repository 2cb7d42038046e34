#pragma once
// The skins a user can choose from, and choosing one.

#include <string>
#include <vector>

namespace skin {
class TsSkinManager;
}

namespace app {

// The names of the skins the manager can load: its stored skins in stored order, then the skin
// folders by name.
std::vector<std::string> ChoosableSkins(const skin::TsSkinManager& manager);

// Applies the named skin at once to every window.
void ChooseSkin(skin::TsSkinManager& manager, const std::string& name);

}  // namespace app
