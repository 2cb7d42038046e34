// Loading a skin of the program's size (64 sections, 89 masks, a 304 x 260 8-bit master bitmap,
// four patterns sharing one picture) and recolouring it, each beside the bare conversion of its
// master bitmap measured in the same run; and mask look-ups beside a plain scan of the same names.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "framework/Bitmap.h"
#include "platform/ImageCodecs.h"
#include "skin/data/sColorAdjust.h"
#include "skin/data/sSkinManager.h"

namespace {

using namespace skin;

platform::DIBitmap Master() {
  platform::DIBitmap dib(304, 260, 8);
  std::vector<platform::RGBQuad> palette(256);
  for (int i = 0; i < 256; ++i)
    palette[static_cast<size_t>(i)] = {static_cast<uint8_t>(i), static_cast<uint8_t>(255 - i),
                                       static_cast<uint8_t>(i * 7), 0};
  palette[0] = {255, 0, 255, 0};
  dib.SetPalette(palette);
  for (int y = 0; y < dib.Height(); ++y)
    for (int x = 0; x < dib.Width(); ++x) dib.SetPixelIndex(x, y, static_cast<uint8_t>((x * 3 + y) & 0xFF));
  return dib;
}

std::unique_ptr<TsSkinManager> MakeManager() {
  auto manager = std::make_unique<TsSkinManager>(nullptr);
  TsStoredSkin* skin = manager->InternalSkins()->AddItem();
  skin->SetName("BlueIce (internal)");
  skin->Version = 4.83;
  framework::TBitmap master;
  master.SetDIB(Master());
  skin->SetMasterBitmap(&master);
  for (int i = 0; i < 64; ++i) {
    TsSkinGeneral* g = skin->GeneralData()->AddItem();
    g->SectionName = i == 63 ? "" : "SECTION" + std::to_string(i);
    g->Color = 13282167;
    g->HotColor = 0xFFFFFF;
    g->FontColor = "0 16768169 -1 -1 -1";
    g->HotFontColor = "0 -1 -1 -1 -1";
    g->GradientData = "14071693;13878443;99;0;0;13878443;13878443;0;0;0";
    g->HotGradientData = g->GradientData;
  }
  for (int i = 0; i < 89; ++i) {
    TsSkinImage* m = skin->Images()->AddItem();
    m->SectionName = "SECTION" + std::to_string(i % 63);
    m->PropertyName = i < 63 ? "BORDERSMASK" : "GLYPH" + std::to_string(i);
    m->Left = (i * 7) % 250;
    m->Top = (i * 11) % 200;
    m->Right = m->Left + 48;
    m->Bottom = m->Top + 36;
    m->ImageCount = 3;
    m->MaskType = 1;
  }
  TsSkinImage* huge = skin->Images()->Items(60);
  huge->Name = "BTN_HUGE.BMP";
  framework::TBitmap own;
  own.SetDIB(platform::DIBitmap(288, 192, 24));
  huge->SetImage(&own);
  platform::DIBitmap picture(240, 240, 24);
  const std::vector<uint8_t> jpeg = platform::EncodeJpeg(picture, 90);
  for (const char* role : {"PATTERN", "HOTPATTERN", "HOTPATTERN", "PATTERN"}) {
    TsSkinPattern* p = skin->Patterns()->AddItem();
    p->SectionName = "SECTION1";
    p->PropertyName = role;
    p->Name = "BG.JPG";
    if (skin->Patterns()->Count() == 1) p->Image()->LoadFromStream(jpeg);
  }
  return manager;
}

// Baseline: the one unavoidable step of a load, the master bitmap copied and made 24-bit.
void ConvertMasterBaseline(benchmark::State& state) {
  framework::TBitmap source;
  source.SetDIB(Master());
  for (auto _ : state) {
    framework::TBitmap copy;
    copy.Assign(&source);
    copy.SetPixelFormat(framework::pf24bit);
    benchmark::DoNotOptimize(copy.DIB().Bits());
  }
}
BENCHMARK(ConvertMasterBaseline);

void LoadSkin(benchmark::State& state) {
  auto manager = MakeManager();
  for (auto _ : state) {
    manager->SetSkinName("BlueIce (internal)");
    benchmark::DoNotOptimize(manager->Sections().data());
  }
}
BENCHMARK(LoadSkin);

// Baseline: the hue pass over the converted master bitmap alone.
void HueMasterBaseline(benchmark::State& state) {
  framework::TBitmap bitmap;
  bitmap.SetDIB(Master().ConvertedTo(24));
  int offset = 0;
  for (auto _ : state) {
    AdjustBitmapHue(bitmap.DIB(), (offset += 37) % 360 + 1);
    benchmark::DoNotOptimize(bitmap.DIB().Bits());
  }
}
BENCHMARK(HueMasterBaseline);

// A changed HueOffset reloads the whole skin and recolours it.
void ReloadWithHue(benchmark::State& state) {
  auto manager = MakeManager();
  manager->SetSkinName("BlueIce (internal)");
  int offset = 0;
  for (auto _ : state) {
    manager->SetHueOffset((offset += 37) % 360 + 1);
    benchmark::DoNotOptimize(manager->Sections().data());
  }
}
BENCHMARK(ReloadWithHue);

// Baseline: finding the last of 89 role names by plain comparison.
void ScanNamesBaseline(benchmark::State& state) {
  std::vector<std::pair<std::string, std::string>> names;
  for (int i = 0; i < 89; ++i) names.emplace_back("SECTION" + std::to_string(i % 63), "NAME" + std::to_string(i));
  const std::string section = "SECTION25", role = "NAME88";
  for (auto _ : state) {
    auto it = std::find_if(names.begin(), names.end(),
                           [&](const auto& n) { return n.first == section && n.second == role; });
    benchmark::DoNotOptimize(it);
  }
}
BENCHMARK(ScanNamesBaseline);

void FindMaskLate(benchmark::State& state) {
  auto manager = MakeManager();
  manager->SetSkinName("BlueIce (internal)");
  const int section = manager->FindSection("SECTION25");
  for (auto _ : state) benchmark::DoNotOptimize(manager->FindMask(section, "SECTION25", "GLYPH88"));
}
BENCHMARK(FindMaskLate);

}  // namespace
