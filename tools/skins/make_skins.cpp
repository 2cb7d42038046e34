// make_skins: draws the three stored skins and writes them where the program takes them from.
//
//   make_skins <repository root>
//
// For each skin it writes resources/skins/<folder>/Skin.dfm (the stored skin, one item of the
// skin manager's InternalSkins) with its pictures' stored data beside it, then reads the three
// back through a skin manager exactly as the program does and paints a contact sheet of each,
// docs/skins/<folder>.png, for review. Run it by hand after changing a skin; the build never
// runs it, so the committed skins only change when someone means them to.

#include <exception>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <memory>

#include "framework/classes/FormReader.h"
#include "framework/forms/StandardClasses.h"
#include "platform/images/ImageCodecs.h"
#include "skin/data/SkinDataClasses.h"
#include "skin/data/sSkinManager.h"
#include "tools/skins/ContactSheet.h"
#include "tools/skins/SkinBook.h"
#include "tools/skins/SkinFiles.h"

namespace {

void RegisterFile(const std::filesystem::path& root, const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  const std::vector<uint8_t> bytes{std::istreambuf_iterator<char>(in),
                                   std::istreambuf_iterator<char>()};
  framework::RegisterResource(std::filesystem::relative(file, root).generic_string(), bytes);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: make_skins <repository root>\n";
    return 2;
  }
  try {
    const std::filesystem::path repository = argv[1];
    const std::filesystem::path resources = repository / "resources";
    framework::RegisterStandardClasses();
    skin::RegisterSkinDataClasses();

    std::vector<std::pair<std::string, std::string>> written;  // skin name, folder
    std::string entries;
    for (skins::SkinDefinition (*make)() : {skins::BlueGauze, skins::BlueIce, skins::BluePlastic}) {
      skins::SkinDefinition definition = make();
      skins::Layout(definition);
      skin::TsSkinManager holder(nullptr);
      holder.SetActive(false);
      auto* stored = static_cast<skin::TsStoredSkin*>(holder.InternalSkins()->Add());
      skins::FillStoredSkin(definition, *stored);
      std::filesystem::remove_all(resources / "skins" / definition.folder);
      const std::string resource = skins::WriteSkinFiles(*stored, definition.folder, resources);
      entries += "    file '" + resource + "'\n";
      written.emplace_back(definition.Name, definition.folder);
      std::cout << "wrote " << resource << "\n";
    }

    // Read the skins back the way the program does, and paint what they look like.
    for (const auto& entry : std::filesystem::recursive_directory_iterator(resources / "skins")) {
      if (entry.is_regular_file()) RegisterFile(resources, entry.path());
    }
    std::filesystem::create_directories(repository / "docs" / "skins");
    for (const auto& [name, folder] : written) {
      const std::string description = "object SkinCheck: TsSkinManager\n  InternalSkins = <\n" +
                                      entries + "    >\n  SkinName = '" + name + "'\nend\n";
      auto manager = std::make_unique<skin::TsSkinManager>(nullptr);
      framework::ReadComponentRes(manager.get(), description, "make_skins");
      if (manager->SkinName() != name || !manager->SkinData().SkinReady) {
        throw std::runtime_error(name + " did not load");
      }
      const std::string png = (repository / "docs" / "skins" / (folder + ".png")).string();
      platform::WritePngFile(skins::ContactSheet(*manager), png);
      std::cout << "wrote " << png << "\n";
    }
    return 0;
  } catch (const std::exception& e) {
    std::cerr << "make_skins: " << e.what() << "\n";
    return 1;
  }
}
