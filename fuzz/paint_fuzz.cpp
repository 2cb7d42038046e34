// Drives the skin painters with arbitrary input over the three stored skins: a section (one of
// the skin's, an index out of range, or a section of its own with arbitrary colours, shares and
// transparencies of any 32-bit value, and gradients, inheriting the masks of one of the program's
// sections), texture indices, a target bitmap of any small size with a rectangle anywhere, a
// state, a position and a parent image that may or may not be ready. Painters must draw inside
// their bitmaps or not at all: never crash, hang, leak or read outside a bitmap (the sanitizers
// watch).

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "app/AppResources.h"
#include "framework/classes/FormReader.h"
#include "framework/classes/Strings.h"
#include "platform/drawing/Region.h"
#include "skin/data/SkinDataClasses.h"
#include "skin/data/sSkinManager.h"
#include "skin/paint/sBackground.h"
#include "skin/paint/sBorderMask.h"
#include "skin/paint/sKeyRuns.h"
#include "skin/paint/sPixelAccess.h"
#include "skin/paint/sStateImage.h"
#include "skin/paint/sTexture.h"

namespace {

using skin::TsSkinManager;

// Reads the input front to back; past its end every value is 0.
class Input {
 public:
  Input(const uint8_t* data, size_t size) : data_(data), size_(size) {}
  uint8_t Byte() { return pos_ < size_ ? data_[pos_++] : 0; }
  int Small(int limit) { return Byte() % limit; }
  int16_t Int16() { return static_cast<int16_t>(Byte() | (Byte() << 8)); }
  // Mostly small values near the sizes that matter, now and then anything.
  int Coordinate() {
    const uint8_t kind = Byte();
    return kind < 200 ? static_cast<int>(Byte()) - 40 : Int16();
  }
  int32_t Int32() { return static_cast<int32_t>(Int16() & 0xFFFF) | (Int16() << 16); }

 private:
  const uint8_t* data_;
  size_t size_;
  size_t pos_ = 0;
};

const char* const kParents[] = {"FORM", "PANEL", "EDIT", "BUTTON", "CHECKBOX", "GLOBALINFO"};

std::unique_ptr<TsSkinManager> Load(const std::string& name) {
  auto manager = std::make_unique<TsSkinManager>(nullptr);
  framework::ReadComponentRes(manager.get(),
                              "object Fuzz: TsSkinManager\n"
                              "  InternalSkins = <\n"
                              "    file 'skins/BlueGauze/Skin.dfm'\n"
                              "    file 'skins/BlueIce/Skin.dfm'\n"
                              "    file 'skins/BluePlastic/Skin.dfm'>\n"
                              "  SkinName = '" +
                                  name + "'\nend\n",
                              "fuzz.dfm");
  return manager;
}

TsSkinManager* Manager(int which) {
  static std::unique_ptr<TsSkinManager> managers[3];
  static const char* const kNames[] = {"BlueIce (internal)", "BlueGauze (internal)",
                                       "BluePlastic (internal)"};
  if (!managers[which]) {
    static const bool registered = [] {
      RegisterStoredSkins();
      skin::RegisterSkinDataClasses();
      return true;
    }();
    (void)registered;
    managers[which] = Load(kNames[which]);
  }
  return managers[which].get();
}

// A section of the fuzzer's own, added to the skin as a common section.
void AddOwnSection(TsSkinManager* m, Input& in) {
  framework::TStringList lines;
  lines.Add("[FUZZ]");
  lines.Add(std::string("PARENTCLASS=") + kParents[in.Small(6)]);
  const char* const kIntegers[] = {"COLOR",           "HOTCOLOR",        "TRANSPARENCY",
                                   "HOTTRANSPARENCY", "GRADIENTPERCENT", "HOTGRADIENTPERCENT",
                                   "IMAGEPERCENT",    "HOTIMAGEPERCENT", "FONTCOLOR"};
  for (const char* key : kIntegers) {
    if (in.Byte() & 1) lines.Add(std::string(key) + "=" + std::to_string(in.Int32()));
  }
  for (const char* key : {"GRADIENTDATA", "HOTGRADIENTDATA"}) {
    std::string text;
    for (int words = in.Small(16); words > 0; --words) text += std::to_string(in.Int32()) + ";";
    if (!text.empty()) lines.Add(std::string(key) + "=" + text);
  }
  m->SetCommonSections(&lines);
  // A stored skin's description may hold any 32-bit value, which loading keeps as it is: the
  // section's numbers as such a description could give them.
  const int index = m->Tables().FindSection("FUZZ");
  if (!m->Tables().IsValidSectionIndex(index) || !(in.Byte() & 1)) return;
  auto& d = const_cast<skin::TsGeneralData&>(m->Tables().Sections[static_cast<size_t>(index)]);
  for (int32_t* field : {&d.Transparency, &d.HotTransparency, &d.GradientPercent,
                         &d.HotGradientPercent, &d.ImagePercent, &d.HotImagePercent})
    if (in.Byte() & 1) *field = in.Int32();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  Input in(data, size);
  TsSkinManager* m = Manager(in.Small(3));
  const bool own = in.Byte() < 40;
  if (own) {
    try {
      AddOwnSection(m, in);
    } catch (const std::exception&) {
      // The loader's own failures are not the painters' concern.
    }
  }
  const int sections = static_cast<int>(m->Tables().Sections.size());
  int section = own ? m->Tables().FindSection("FUZZ") : in.Small(sections + 2) - 1;
  const std::string name = m->Tables().IsValidSectionIndex(section)
                               ? m->Tables().Sections[static_cast<size_t>(section)].SectionName
                               : std::string("NONE");
  const int hotTexture = in.Small(static_cast<int>(m->Tables().Masks.size()) + 2) - 1;
  const int texture = in.Small(static_cast<int>(m->Tables().Masks.size()) + 2) - 1;

  auto bitmap = skin::NewBitmap24(in.Small(80), in.Small(48));
  const platform::TRect target{in.Coordinate(), in.Coordinate(), in.Coordinate(), in.Coordinate()};
  // Any look a byte can hold, also those past the three a mask has images for.
  const auto look = static_cast<skin::TsLook>(in.Byte());
  const skin::TsBorderFlags fill = (in.Byte() & 1) ? skin::bfFillCentre : 0;
  const platform::TPoint position{in.Coordinate(), in.Coordinate()};
  auto parent = skin::NewBitmap24(in.Small(120), in.Small(80));
  const skin::TCacheInfo info{parent.get(), in.Coordinate(), in.Coordinate(), (in.Byte() & 1) != 0};
  skin::ColorSlot() = (in.Byte() & 1) ? skin::kColorSlotUnset : in.Int32() & 0xFFFFFF;
  const platform::TColor maskFill = (in.Byte() & 1) ? skin::kKeyColor : in.Int32() & 0xFFFFFF;

  skin::PaintSection({&m->Tables(), section, name, texture, hotTexture}, info,
                     {bitmap.get(), position, target, look, maskFill}, fill);
  // The mask painters on their own, with the same values, for the mask the input names.
  const int maskIndex = in.Small(static_cast<int>(m->Tables().Masks.size()) + 1);
  if (m->Tables().IsValidMaskIndex(maskIndex)) {
    const skin::TsMaskData& mask = m->Tables().Masks[static_cast<size_t>(maskIndex)];
    skin::DrawBorderMask(bitmap.get(), target, fill | skin::bfShowParent, look, mask, info,
                         maskFill);
    platform::Region region(platform::TRect{0, 0, bitmap->Width(), bitmap->Height()});
    skin::DrawBorderMaskWithRegion(bitmap.get(), region, fill, look, mask);
    skin::DrawStateImage(bitmap.get(), position, look, mask, in.Small(3));
    platform::TRect area = target;
    skin::DrawTexture(bitmap.get(), area, nullptr, in.Small(12), &mask);
    area = target;
    skin::DrawMaskedTexture(bitmap.get(), area, info, (in.Byte() & 1) ? 10 : 0, mask, maskFill);
    std::vector<platform::TRect> runs;
    skin::CollectKeyRuns(runs, bitmap->Width(), mask, in.Byte() & 1, position.Y);
  }
  skin::PaintDisabledLook(bitmap.get(), static_cast<skin::TsDisabledKind>(in.Small(4)), nullptr,
                          position, info);
  skin::ColorSlot() = skin::kColorSlotUnset;
  if (own) m->SetCommonSections(nullptr);
  return 0;
}
