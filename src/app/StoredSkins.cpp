#include "app/StoredSkins.h"

#include "app/AppResources.h"
#include "framework/classes/FormReader.h"
#include "skin/data/SkinDataClasses.h"
#include "skin/data/sSkinManager.h"

namespace app {

std::unique_ptr<skin::TsSkinManager> StoredSkinsHolder() {
  RegisterStoredSkins();
  skin::RegisterSkinDataClasses();
  auto holder = std::make_unique<skin::TsSkinManager>(nullptr);
  framework::ReadComponentRes(holder.get(),
                              "object Skins: TsSkinManager\n"
                              "  Active = False\n"
                              "  InternalSkins = <\n"
                              "    file 'skins/BlueGauze/Skin.dfm'\n"
                              "    file 'skins/BlueIce/Skin.dfm'\n"
                              "    file 'skins/BluePlastic/Skin.dfm'>\n"
                              "end\n",
                              "stored skins");
  return holder;
}

}  // namespace app
