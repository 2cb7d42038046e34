// export_skin: writes one of the program's stored skins out as a skin folder.
//
//   export_skin <skin name> <folder>
//
// for example export_skin "BlueIce (internal)" ~/Skins/"BlueIce (internal)". Put the folder in the
// skin directory under the name of a skin and the program draws with the folder instead of its
// stored skin of that name; change the folder's pictures or Options.dat to change the look.

#include <exception>
#include <iostream>

#include "app/AppResources.h"
#include "framework/classes/FormReader.h"
#include "skin/data/SkinDataClasses.h"
#include "skin/data/sSkinManager.h"
#include "tools/export/SkinExport.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::cerr << "usage: export_skin <skin name> <folder>\n";
    return 2;
  }
  try {
    RegisterStoredSkins();
    skin::RegisterSkinDataClasses();
    skin::TsSkinManager holder(nullptr);
    framework::ReadComponentRes(&holder,
                                "object Skins: TsSkinManager\n"
                                "  Active = False\n"
                                "  InternalSkins = <\n"
                                "    file 'skins/BlueGauze/Skin.dfm'\n"
                                "    file 'skins/BlueIce/Skin.dfm'\n"
                                "    file 'skins/BluePlastic/Skin.dfm'>\n"
                                "end\n",
                                "export_skin");
    const int index = holder.InternalSkins()->IndexOfSkin(argv[1]);
    if (index < 0) {
      std::cerr << "export_skin: there is no stored skin named \"" << argv[1] << "\"\n";
      return 1;
    }
    skintools::MaskFormCounts forms{};
    const skintools::SkinFolderFiles files =
        skintools::ExportSkin(*holder.InternalSkins()->Items(index), &forms);
    skintools::WriteSkinFolder(files, argv[2]);
    std::cout << "wrote " << files.size() << " files to " << argv[2] << "\n";
    return 0;
  } catch (const std::exception& e) {
    std::cerr << "export_skin: " << e.what() << "\n";
    return 1;
  }
}
