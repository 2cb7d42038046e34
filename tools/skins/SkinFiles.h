#pragma once
// Writing a skin where the program takes it from: resources/skins/<folder>/Skin.dfm holds the
// stored skin as one "item ... end" block of the manager's InternalSkins, and each picture's
// stored data (a 32-bit byte count followed by the BMP or JPEG file) lies beside it in a
// <name>.data file that the block names.

#include <filesystem>

#include "skin/data/sStoredSkin.h"
#include "tools/skins/SkinBook.h"

namespace skins {

// Fills a stored skin (laid out already) with everything the definition holds.
void FillStoredSkin(const SkinDefinition& definition, skin::TsStoredSkin& stored);
// Writes the skin's files under resourcesRoot; returns the resource name of its Skin.dfm.
std::string WriteSkinFiles(const skin::TsStoredSkin& stored, const std::string& folder,
                           const std::filesystem::path& resourcesRoot);

}  // namespace skins
