// Loading "BlueIce (internal)" from a skin folder (the stored skin exported by tools/export into a
// temporary folder: Options.dat read and parsed, master bitmap, own picture and BG.JPG read and
// decoded, the tables built) beside loading the same skin from the stored skins already read
// (what setting SkinName does), and beside the whole load from its stored description, in the
// same run.

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "app/AppResources.h"
#include "framework/classes/FormReader.h"
#include "skin/data/SkinDataClasses.h"
#include "skin/data/sSkinManager.h"
#include "tools/export/SkinExport.h"

namespace {

using namespace skin;

constexpr const char* kName = "BlueIce (internal)";

std::unique_ptr<TsSkinManager> ReadStored() {
  static const bool registered = [] {
    RegisterStoredSkins();
    RegisterSkinDataClasses();
    return true;
  }();
  (void)registered;
  auto manager = std::make_unique<TsSkinManager>(nullptr);
  framework::ReadComponentRes(manager.get(),
                              "object Bench: TsSkinManager\n"
                              "  SkinDirectory = ''\n"
                              "  InternalSkins = <\n"
                              "    file 'skins/BlueIce/Skin.dfm'>\n"
                              "  SkinName = 'BlueIce (internal)'\n"
                              "end\n",
                              "bench");
  return manager;
}

// The exported folder, made once per run and removed at exit.
const std::filesystem::path& ExportedFolder() {
  static const std::filesystem::path root = [] {
    std::string pattern =
        (std::filesystem::temp_directory_path() / "snipwell-bench-XXXXXX").string();
    if (!::mkdtemp(pattern.data())) std::abort();
    auto holder = ReadStored();
    skintools::WriteSkinFolder(skintools::ExportSkin(*holder->InternalSkins()->Items(0)),
                               std::filesystem::path(pattern) / kName);
    std::atexit([] {
      std::error_code error;
      std::filesystem::remove_all(ExportedFolder(), error);
    });
    return std::filesystem::path(pattern);
  }();
  return root;
}

// Baseline: BlueIce loaded again from the stored skin already read.
void LoadStoredBlueIce(benchmark::State& state) {
  auto manager = ReadStored();
  manager->SetSkinDirectory("");
  for (auto _ : state) {
    manager->SetSkinName(kName);
    benchmark::DoNotOptimize(manager->Tables().Sections.data());
  }
}
BENCHMARK(LoadStoredBlueIce)->Unit(benchmark::kMicrosecond);

// Baseline: the whole load from the stored description (parsing it and decoding its pictures).
void LoadBlueIceFromStoredData(benchmark::State& state) {
  for (auto _ : state) {
    auto manager = ReadStored();
    benchmark::DoNotOptimize(manager->Tables().Sections.data());
  }
}
BENCHMARK(LoadBlueIceFromStoredData)->Unit(benchmark::kMicrosecond);

// BlueIce loaded from its exported folder on disk.
void LoadBlueIceFromFolder(benchmark::State& state) {
  auto manager = ReadStored();
  manager->SetSkinDirectory(ExportedFolder().string());
  manager->SetSkinName(kName);
  if (manager->SkinData().SkinPath.empty()) {
    state.SkipWithError("the exported folder was not loaded");
    return;
  }
  for (auto _ : state) {
    manager->SetSkinName(kName);
    benchmark::DoNotOptimize(manager->Tables().Sections.data());
  }
}
BENCHMARK(LoadBlueIceFromFolder)->Unit(benchmark::kMicrosecond);

}  // namespace
