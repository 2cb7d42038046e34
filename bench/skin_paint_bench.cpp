// Painting the faces of the bar in the stored skin "BlueIce (internal)": an edit, a button in each
// state, the panel over the form's background, the mix of the fading animation, and every face of
// the bar together, each beside a memcpy of the same bytes in the same run (named
// <benchmark>/baseline_memcpy).

#include <benchmark/benchmark.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "app/AppResources.h"
#include "framework/classes/FormReader.h"
#include "framework/graphics/Bitmap.h"
#include "platform/drawing/Region.h"
#include "skin/data/SkinDataClasses.h"
#include "skin/data/sSkinManager.h"
#include "skin/paint/sBackground.h"
#include "skin/paint/sBlending.h"
#include "skin/paint/sBorderMask.h"
#include "skin/paint/sCommonDataBase.h"
#include "skin/paint/sStateImage.h"

namespace {

using framework::TBitmap;
using platform::TRect;
using skin::TCacheInfo;
using skin::TsCommonDataBase;
using skin::TsSkinManager;

TsSkinManager& BlueIce() {
  static std::unique_ptr<TsSkinManager> manager = [] {
    RegisterStoredSkins();
    skin::RegisterSkinDataClasses();
    auto m = std::make_unique<TsSkinManager>(nullptr);
    framework::ReadComponentRes(m.get(),
                                "object Bench: TsSkinManager\n  InternalSkins = <\n"
                                "    file 'skins/BlueIce/Skin.dfm'>\n"
                                "  SkinName = 'BlueIce (internal)'\nend\n",
                                "bench");
    return m;
  }();
  return *manager;
}

// A face of the bar: a binding of its section, its cache, and its place in its parent.
struct Face {
  Face(const std::string& section, TRect bounds) : data(nullptr, false), place(bounds) {
    data.Bind(&BlueIce(), section);
    cache = skin::NewBitmap24(bounds.Width(), bounds.Height());
  }
  TRect All() const { return {0, 0, place.Width(), place.Height()}; }

  TsCommonDataBase data;
  TRect place;
  std::unique_ptr<TBitmap> cache;
};

// The bar's form background, rendered once as the form skin provider renders it.
std::unique_ptr<TBitmap> FormBackground() {
  TsSkinManager& m = BlueIce();
  auto form = skin::NewBitmap24(1019, 56);
  const skin::TsSkinTables& tables = m.Tables();
  skin::PaintSectionBackground({&tables, tables.FindSection("FORM"), "FORM"}, {}, skin::kKeyColor,
                               {form.get(), {0, 0}, {0, 0, 1019, 56}});
  return form;
}

TCacheInfo Ready(TBitmap* parent) { return {parent, 0, 0, true}; }

void PaintFace(Face& f, const TCacheInfo& parent, bool fillCentre, int state) {
  skin::PaintControlFace(
      f.data, parent, fillCentre ? skin::bfFillCentre : 0,
      {f.cache.get(), f.place.TopLeft(), f.All(), static_cast<skin::TsLook>(state)});
}

void PaintButton(Face& f, const TCacheInfo& parent, int state) {
  const auto look = static_cast<skin::TsLook>(state);
  const skin::TsFaceColors faceColors(f.data, parent);
  skin::PaintControlBackground(
      f.data, parent, faceColors.Filled({f.cache.get(), f.place.TopLeft(), f.All(), look}));
  platform::Region region(f.All());
  skin::DrawBorderMaskWithRegion(
      f.cache.get(), region, skin::bfFillCentre, look,
      BlueIce().Tables().Masks[static_cast<size_t>(f.data.BorderMaskIndex)]);
  benchmark::DoNotOptimize(region.Rects().data());
}

// The baseline of a benchmark: one memcpy of as many bytes as its faces' bitmaps hold.
void Memcpy(benchmark::State& state, size_t bytes) {
  std::vector<uint8_t> from(bytes, 0x5A), to(bytes);
  for (auto _ : state) {
    std::memcpy(to.data(), from.data(), bytes);
    benchmark::DoNotOptimize(to.data());
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes));
}
size_t BitmapBytes(int width, int height) {
  return platform::DIBitmap::BytesPerRowFor(width, 24) * static_cast<size_t>(height);
}

// ---- an edit of the bar, 130 x 21, on the panel

void EditFace(benchmark::State& state) {
  auto form = FormBackground();
  Face f("EDIT", platform::Bounds(8, 4, 130, 21));
  for (auto _ : state) {
    PaintFace(f, Ready(form.get()), true, 0);
    benchmark::DoNotOptimize(f.cache->DIB().Bits());
  }
}
BENCHMARK(EditFace)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(Memcpy, EditFace, BitmapBytes(130, 21))
    ->Name("EditFace/baseline_memcpy")
    ->Unit(benchmark::kMicrosecond);

// ---- the Cancel-sized button, 75 x 30, in state 0, 1 and 2

void ButtonFace(benchmark::State& state) {
  auto form = FormBackground();
  Face f("BUTTON", platform::Bounds(266, 20, 75, 30));
  for (auto _ : state) {
    PaintButton(f, Ready(form.get()), static_cast<int>(state.range(0)));
    benchmark::DoNotOptimize(f.cache->DIB().Bits());
  }
}
BENCHMARK(ButtonFace)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(Memcpy, ButtonFace, BitmapBytes(75, 30))
    ->Name("ButtonFace/baseline_memcpy")
    ->Unit(benchmark::kMicrosecond);

// ---- the bar's panel, 969 x 30, half transparent over the 1019 x 56 form background

void PanelFace(benchmark::State& state) {
  auto form = FormBackground();
  Face f("PANEL", platform::Bounds(0, 0, 969, 30));
  for (auto _ : state) {
    PaintFace(f, Ready(form.get()), false, 0);
    benchmark::DoNotOptimize(f.cache->DIB().Bits());
  }
}
BENCHMARK(PanelFace)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(Memcpy, PanelFace, BitmapBytes(969, 30))
    ->Name("PanelFace/baseline_memcpy")
    ->Unit(benchmark::kMicrosecond);

// ---- one step of a fade: MixBitmapWhole over a 75 x 30 button

void MixBitmapWhole(benchmark::State& state) {
  auto from = skin::NewBitmap24(75, 30);
  auto to = skin::NewBitmap24(75, 30);
  uint8_t weight = 0;
  for (auto _ : state) {
    skin::MixBitmapWhole(to.get(), from.get(), weight += 13);
    benchmark::DoNotOptimize(to->DIB().Bits());
  }
}
BENCHMARK(MixBitmapWhole)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(Memcpy, MixBitmapWhole, BitmapBytes(75, 30))
    ->Name("MixBitmapWhole/baseline_memcpy")
    ->Unit(benchmark::kMicrosecond);

// ---- every face of the bar once: the panel, seven edits on it, two buttons and the check box

void BarFaces(benchmark::State& state) {
  auto form = FormBackground();
  Face panel("PANEL", platform::Bounds(0, 0, 969, 30));
  std::vector<std::unique_ptr<Face>> edits;
  for (int left : {8, 145, 282, 420, 557, 694, 832})
    edits.push_back(std::make_unique<Face>("EDIT", platform::Bounds(left, 4, 130, 21)));
  Face exitButton("BUTTON", platform::Bounds(973, 2, 47, 26));
  Face editButton("BUTTON", platform::Bounds(744, 30, 65, 25));
  Face checkBox("CHECKBOX", platform::Bounds(820, 34, 198, 20));
  TsSkinManager& m = BlueIce();
  const skin::TsMaskData& box =
      m.Tables().Masks[static_cast<size_t>(m.Tables().FindMaskExact("GLOBALINFO", "BOXCHECKED"))];
  for (auto _ : state) {
    PaintFace(panel, Ready(form.get()), false, 0);
    for (auto& edit : edits) PaintFace(*edit, Ready(panel.cache.get()), true, 0);
    PaintButton(exitButton, Ready(form.get()), 0);
    PaintButton(editButton, Ready(form.get()), 0);
    PaintFace(checkBox, Ready(form.get()), true, 0);
    skin::DrawStateImage(checkBox.cache.get(), {2, 3}, skin::lkNormal, box, 1);
    benchmark::DoNotOptimize(checkBox.cache->DIB().Bits());
  }
}
BENCHMARK(BarFaces)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(Memcpy, BarFaces, BitmapBytes(1019, 56))
    ->Name("BarFaces/baseline_memcpy")
    ->Unit(benchmark::kMicrosecond);

}  // namespace
