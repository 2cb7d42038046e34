#pragma once

namespace skin {

// Makes the skinned controls (and the class library's standard classes they stand on) known to
// the form reader by name.
void RegisterSkinControlClasses();

}  // namespace skin
