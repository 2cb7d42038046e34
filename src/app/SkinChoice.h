#pragma once
// Choosing the skin every window is drawn with, by name, and keeping the choice.
//
// Names: a stored skin is named with or without " (internal)" ("BlueGauze" and
// "BlueGauze (internal)" are one skin; lists show the short name); a skin folder is named by its
// folder's name. A folder named like a stored skin (either way) stands in for it, as the skin
// manager has always let a folder do.
//
// The choice is kept in the settings file as [Skin] Name=...; --skin chooses for one run.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace skin {
class TsSkinManager;
}

namespace app {

class TSettings;

// The skin drawn with when nothing else is chosen, or the chosen one cannot be used.
inline constexpr char kDefaultSkinName[] = "BlueIce (internal)";

// The names to choose from: the stored skins in stored order, then the folder skins (those not
// standing in for a stored skin) by name. What --list-skins prints and the menu lists.
std::vector<std::string> ChoosableSkins(const skin::TsSkinManager& manager);
// The name among ChoosableSkins of the skin the manager draws with.
std::string ActiveSkin(const skin::TsSkinManager& manager);
// The manager's SkinName that draws the skin called name (a folder standing in for a stored skin
// included); nullopt when there is no such skin.
std::optional<std::string> SkinNameFor(const skin::TsSkinManager& manager, std::string_view name);

// Draws every window with the skin called name at once (the manager announces it to every form),
// and keeps the choice in the settings file. A name that is no skin changes nothing and raises
// platform::Exception; a settings file that cannot be written raises platform::EInOutError after
// the skin is applied.
void ChooseSkin(skin::TsSkinManager& manager, const std::string& name);

// At start, once the windows exist: the skin of --skin, else the one the settings keep, else the
// one the bar's description names. An unknown name, or a skin folder that fails to load, prints
// one line on standard error and leaves BlueIce (a stored skin's own folder failing leaves the
// stored skin, as the manager does).
void ApplyStartSkin(skin::TsSkinManager& manager, const std::optional<std::string>& skinOption,
                    const TSettings& settings);

}  // namespace app
