#pragma once
// Makes the skin data classes known to the form reader, so that stored descriptions can hold a
// skin manager with its stored skins.

namespace skin {

void RegisterSkinDataClasses();

}  // namespace skin
