// Parsing and formatting stored form descriptions of the size the main window carries (three
// stored skins: a few thousand section fields and some hundred kilobytes of bitmap hex), beside a
// baseline that only counts the lines of the same text: the least any reader must do.

#include <benchmark/benchmark.h>

#include <string>

#include "framework/classes/FormReader.h"

namespace {

// About the shape of one stored skin: 64 section records of 31 fields, 100 masks of 17 fields,
// and an 8-bit master bitmap of some 80 KB written as hex.
std::string SkinLikeDescription() {
  std::string text = "object sSkinManager1: TsSkinManager\n  InternalSkins = <";
  for (int skin = 0; skin < 3; ++skin) {
    text += "\n    item\n      Name = 'Skin " + std::to_string(skin) +
            " (internal)'\n      GeneralData = <";
    for (int s = 0; s < 64; ++s) {
      text += "\n        item\n          SectionName = 'SECTION" + std::to_string(s) + "'\n";
      for (int f = 0; f < 28; ++f)
        text += "          Field" + std::to_string(f) + " = " + std::to_string(13282167 + f) + "\n";
      text += "          GradientData = '14071693;13878443;99;0;0;13878443;13878443;0;0;0'\n";
      text += "          FontColor = '0 -1 -1 -1 -1'\n        end";
    }
    text += ">\n      Images = <";
    for (int m = 0; m < 100; ++m) {
      text += "\n        item\n          SectionName = 'MASK" + std::to_string(m) + "'\n";
      for (int f = 0; f < 16; ++f)
        text += "          F" + std::to_string(f) + " = " + std::to_string(m * f) + "\n";
      text += "        end";
    }
    text += ">\n      MasterBitmap.Data = {";
    for (int line = 0; line < 80 * 1024 / 32; ++line) {
      text += "\n        ";
      for (int i = 0; i < 32; ++i) text += "A5";
    }
    text += "}\n      Version = 4.83\n    end";
  }
  text += ">\n  SkinName = 'Skin 1 (internal)'\nend\n";
  return text;
}

const std::string& Text() {
  static const std::string text = SkinLikeDescription();
  return text;
}

void BM_BaselineCountLines(benchmark::State& state) {
  const std::string& text = Text();
  for (auto _ : state) {
    size_t lines = 0;
    for (const char c : text) lines += c == '\n';
    benchmark::DoNotOptimize(lines);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_BaselineCountLines);

void BM_ParseDescription(benchmark::State& state) {
  const std::string& text = Text();
  for (auto _ : state) {
    framework::TObjectDesc desc = framework::ParseFormDescription(text, "bench.dfm");
    benchmark::DoNotOptimize(desc);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_ParseDescription);

void BM_FormatDescription(benchmark::State& state) {
  const framework::TObjectDesc desc = framework::ParseFormDescription(Text(), "bench.dfm");
  for (auto _ : state) {
    std::string out = framework::FormatObjectDesc(desc);
    benchmark::DoNotOptimize(out);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * Text().size()));
}
BENCHMARK(BM_FormatDescription);

}  // namespace
