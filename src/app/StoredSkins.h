#pragma once
// The program's stored skins without its windows: a skin manager that holds them, inactive, for
// the command line's list of skins and the skin export tool. The bar's description names the same
// three.

#include <memory>

namespace skin {
class TsSkinManager;
}

namespace app {

// Registers what it needs itself; safe to call more than once.
std::unique_ptr<skin::TsSkinManager> StoredSkinsHolder();

}  // namespace app
