#pragma once

namespace skin {

// Makes every class of the skin engine (the skinned controls, the form skin provider, and the class
// library's standard classes they stand on) known to the form reader by name.
void RegisterSkinFormClasses();

}  // namespace skin
