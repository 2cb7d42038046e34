// snipwell-export-skin: writes one of the program's stored skins out as a skin folder, the start
// of a skin of one's own.
//
//   snipwell-export-skin NAME FOLDER
//   snipwell-export-skin --list
//
// for example snipwell-export-skin BlueIce ~/.local/share/snipwell/skins/MyBlue. A skin folder in
// one of the program's skin folders is a skin to choose by its folder's name; change its pictures
// or Options.dat to change the look.

#include <cstdio>
#include <exception>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "app/SkinChoice.h"
#include "app/StoredSkins.h"
#include "skin/data/sSkinManager.h"
#include "tools/export/SkinExport.h"

namespace {

constexpr char kUsage[] =
    "Usage: snipwell-export-skin NAME FOLDER\n"
    "       snipwell-export-skin --list\n"
    "Writes the stored skin NAME (BlueIce or \"BlueIce (internal)\") into FOLDER as a skin "
    "folder:\n"
    "Options.dat and its pictures. Put the folder into ~/.local/share/snipwell/skins, change it,\n"
    "and choose it by the folder's name.\n\n"
    "  --list    print the names of the stored skins, one a line, and end\n"
    "  --help    print this help and end\n";

}  // namespace

int main(int argc, char** argv) {
  const std::string_view first = argc > 1 ? argv[1] : "";
  if (argc == 2 && first == "--help") {
    std::fputs(kUsage, stdout);
    return 0;
  }
  const bool list = argc == 2 && first == "--list";
  if (!list && (argc != 3 || first.starts_with("--"))) {
    std::fputs(kUsage, stderr);
    return 2;
  }
  try {
    const std::unique_ptr<skin::TsSkinManager> holder = app::StoredSkinsHolder();
    // The stored skins alone: no skin folder stands in for one here.
    holder->SetSkinDirectory("");
    const skin::TsStoredSkins& stored = *holder->InternalSkins();
    if (list) {
      for (const std::string& name : app::ChoosableSkins(*holder))
        std::printf("%s\n", name.c_str());
      return 0;
    }
    const std::optional<std::string> name = app::SkinNameFor(*holder, first);
    const int index = name ? stored.IndexOfSkin(*name) : -1;
    if (index < 0) {
      std::fprintf(stderr, "snipwell-export-skin: there is no stored skin named \"%s\"\n", argv[1]);
      return 1;
    }
    skintools::MaskFormCounts forms{};
    const skintools::SkinFolderFiles files = skintools::ExportSkin(*stored.Items(index), &forms);
    skintools::WriteSkinFolder(files, argv[2]);
    std::printf("wrote %zu files to %s\n", files.size(), argv[2]);
    return 0;
  } catch (const std::exception& e) {
    std::fprintf(stderr, "snipwell-export-skin: %s\n", e.what());
    return 1;
  }
}
