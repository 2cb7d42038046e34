// Loading the stored skin "BlueIce (internal)" from its stored data (reading its description,
// decoding its pictures, converting them and building the tables), beside decoding the same BMP
// and JPEG bytes alone, in the same run; the load from already-read stored skins; recolouring;
// and mask look-ups beside a plain scan of the same names.

#include <benchmark/benchmark.h>

#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "app/AppResources.h"
#include "framework/classes/FormReader.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/DisplayScale.h"
#include "platform/images/ImageCodecs.h"
#include "skin/data/SkinDataClasses.h"
#include "skin/data/sColorAdjust.h"
#include "skin/data/sSkinManager.h"

namespace {

using namespace skin;

std::string Description(bool allThree) {
  std::string text = "object Bench: TsSkinManager\n  InternalSkins = <\n";
  if (allThree) text += "    file 'skins/BlueGauze/Skin.dfm'\n";
  text += "    file 'skins/BlueIce/Skin.dfm'\n";
  if (allThree) text += "    file 'skins/BluePlastic/Skin.dfm'\n";
  return text + "    >\n  SkinName = 'BlueIce (internal)'\nend\n";
}

void Register() {
  static const bool registered = [] {
    RegisterStoredSkins();
    RegisterSkinDataClasses();
    return true;
  }();
  (void)registered;
}

std::unique_ptr<TsSkinManager> ReadManager(bool allThree) {
  Register();
  auto manager = std::make_unique<TsSkinManager>(nullptr);
  framework::ReadComponentRes(manager.get(), Description(allThree), "bench");
  return manager;
}

// The stored data without the 32-bit count in front.
std::vector<uint8_t> Picture(const std::string& resource) {
  Register();
  const std::span<const uint8_t> data = framework::FindResource(resource);
  return std::vector<uint8_t>(data.begin() + 4, data.end());
}

// Baseline: decoding BlueIce's master bitmap, its own picture and its JPEG, nothing else.
void DecodePicturesBaseline(benchmark::State& state) {
  const std::vector<uint8_t> master = Picture("skins/BlueIce/MasterBitmap.data");
  const std::vector<uint8_t> own = Picture("skins/BlueIce/BTN_HUGE.BMP.data");
  const std::vector<uint8_t> jpeg = Picture("skins/BlueIce/BG.JPG.data");
  for (auto _ : state) {
    benchmark::DoNotOptimize(platform::ReadBmp(master).Bits());
    benchmark::DoNotOptimize(platform::ReadBmp(own).Bits());
    benchmark::DoNotOptimize(platform::DecodeJpeg(jpeg).Bits());
  }
}
BENCHMARK(DecodePicturesBaseline)->Unit(benchmark::kMicrosecond);

// The whole load of BlueIce from its stored description: parsing, decoding, converting, tables.
void LoadBlueIceFromStoredData(benchmark::State& state) {
  for (auto _ : state) {
    auto manager = ReadManager(false);
    benchmark::DoNotOptimize(manager->Tables().Sections.data());
  }
}
BENCHMARK(LoadBlueIceFromStoredData)->Unit(benchmark::kMicrosecond);

// What the bar's description costs at start-up: all three skins read, BlueIce loaded.
void ReadTheBarsThreeSkins(benchmark::State& state) {
  for (auto _ : state) {
    auto manager = ReadManager(true);
    benchmark::DoNotOptimize(manager->Tables().Sections.data());
  }
}
BENCHMARK(ReadTheBarsThreeSkins)->Unit(benchmark::kMicrosecond);

// Baseline: the one unavoidable step of a load, the master bitmap copied and made 24-bit.
void ConvertMasterBaseline(benchmark::State& state) {
  auto manager = ReadManager(false);
  const framework::TBitmap* source = manager->InternalSkins()->Items(0)->MasterBitmap();
  for (auto _ : state) {
    framework::TBitmap copy;
    copy.Assign(source);
    copy.SetPixelFormat(framework::pf24bit);
    benchmark::DoNotOptimize(copy.DIB().Bits());
  }
}
BENCHMARK(ConvertMasterBaseline)->Unit(benchmark::kMicrosecond);

// Loading again from the stored skin already read (what setting SkinName does), on an ordinary
// display and on one of scale 2 (every picture enlarged, every rectangle grown).
void LoadSkin(benchmark::State& state, int factor) {
  framework::SetDisplayScale(factor);
  auto manager = ReadManager(false);
  for (auto _ : state) {
    manager->SetSkinName("BlueIce (internal)");
    benchmark::DoNotOptimize(manager->Tables().Sections.data());
  }
  framework::SetDisplayScale(1);
}
BENCHMARK_CAPTURE(LoadSkin, x1, 1)->Name("LoadSkin")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(LoadSkin, x2, 2)->Name("LoadSkin/scale2")->Unit(benchmark::kMicrosecond);

// Baseline: the hue pass over the converted master bitmap alone.
void HueMasterBaseline(benchmark::State& state) {
  auto manager = ReadManager(false);
  framework::TBitmap bitmap;
  bitmap.SetDIB(manager->Tables().MasterBitmap->DIB());
  int offset = 0;
  for (auto _ : state) {
    AdjustBitmapHue(bitmap.DIB(), (offset += 37) % 360 + 1);
    benchmark::DoNotOptimize(bitmap.DIB().Bits());
  }
}
BENCHMARK(HueMasterBaseline)->Unit(benchmark::kMicrosecond);

// A changed HueOffset reloads the whole skin and recolours it.
void ReloadWithHue(benchmark::State& state) {
  auto manager = ReadManager(false);
  int offset = 0;
  for (auto _ : state) {
    manager->SetHueOffset((offset += 37) % 360 + 1);
    benchmark::DoNotOptimize(manager->Tables().Sections.data());
  }
}
BENCHMARK(ReloadWithHue)->Unit(benchmark::kMicrosecond);

// Baseline: finding the last mask's names by plain comparison over BlueIce's 89 masks.
void ScanNamesBaseline(benchmark::State& state) {
  auto manager = ReadManager(false);
  std::vector<std::pair<std::string, std::string>> names;
  for (const TsMaskData& m : manager->Tables().Masks)
    names.emplace_back(m.SectionName, m.PropertyName);
  const std::string section = "COMBOBOX", role = "BORDERSMASK";
  for (auto _ : state) {
    auto it = std::find_if(names.begin(), names.end(),
                           [&](const auto& n) { return n.first == section && n.second == role; });
    benchmark::DoNotOptimize(it);
  }
}
BENCHMARK(ScanNamesBaseline);

// The last mask of the table, found the way a control binds to it.
void FindMaskLate(benchmark::State& state) {
  auto manager = ReadManager(false);
  const int section = manager->Tables().FindSection("COMBOBOX");
  for (auto _ : state)
    benchmark::DoNotOptimize(manager->Tables().FindMask(section, "COMBOBOX", "BORDERSMASK"));
}
BENCHMARK(FindMaskLate);

// A skin folder whose 30,000 sections each inherit from the next (an "Options.dat" near its size
// limit), loaded and announced, beside the same for the stored skin above (LoadSkin): each
// section's values and parent are resolved once, so the chain costs what its size costs.
void LoadParentChainFolder(benchmark::State& state) {
  constexpr int kSections = 30000;
  const std::filesystem::path root =
      std::filesystem::temp_directory_path() / ("snipwell-bench-" + std::to_string(::getpid()));
  std::filesystem::create_directories(root / "Chain");
  {
    std::ofstream options(root / "Chain/Options.dat");
    options << "[GLOBALINFO]\n";
    for (int i = 0; i < kSections; ++i) options << "[C" << i << "]\nPARENTCLASS=C" << i + 1 << "\n";
    options << "[C" << kSections << "]\nCOLOR=255\n";
  }
  auto manager = ReadManager(false);
  manager->SetSkinDirectory(root.string());
  for (auto _ : state) {
    manager->SetSkinName("Chain");
    benchmark::DoNotOptimize(manager->Tables().FindMask(0, "C0", "BORDERSMASK"));
  }
  state.counters["sections"] = static_cast<double>(manager->Tables().Sections.size());
  manager.reset();
  std::filesystem::remove_all(root);
}
BENCHMARK(LoadParentChainFolder)->Unit(benchmark::kMicrosecond);

}  // namespace
