// Feeds arbitrary bytes as "Options.dat" to the skin folder reader, over a small folder kept in
// memory that holds the pictures the exported skins name (a master bitmap, the huge buttons' own
// pictures, BG.JPG) and a JPEG large enough to be a pattern. Building the mask, pattern and
// section tables and reading the skin information must either succeed or raise
// platform::Exception (a malformed number), never crash, hang, leak or read outside a file, and
// every record built must be one the painters can take: at least one state, mask types 0 or 1,
// no negative margins. The same folder, written to disk with a broken picture beside the good
// ones, is then loaded into a skin manager, and one face of each kind of control the program has
// is painted from it, normal and hot: extreme numbers, long or cyclic parent chains and pictures
// that cannot be decoded must reach the painters only as values they can take.

#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/Exception.h"
#include "platform/images/ImageCodecs.h"
#include "skin/data/sSkinFolder.h"
#include "skin/data/sSkinManager.h"
#include "skin/paint/sBackground.h"
#include "skin/paint/sPixelAccess.h"

namespace {

class MemoryFolder final : public skin::TsSkinFiles {
 public:
  MemoryFolder() {
    Add("MASTER.BMP", Bmp(64, 48));
    Add("BTN_HUGE.BMP", Bmp(36, 24));
    Add("BUTTONHUGE.BMP", Bmp(36, 24));
    Add("BG.JPG", Jpeg(24, 24));
    Add("BIG.JPG", Jpeg(300, 300));
  }
  bool Exists(const std::string& path) const override { return files_.count(path) != 0; }
  std::string Read(const std::string& path, size_t maxBytes) const override {
    const auto found = files_.find(path);
    if (found == files_.end()) throw platform::Exception("Cannot open file " + path);
    if (found->second.size() > maxBytes) throw platform::EOutOfResources("Too large: " + path);
    return found->second;
  }

 private:
  static std::string Bmp(int width, int height) {
    platform::DIBitmap dib(width, height, 8);
    std::vector<platform::RGBQuad> palette(256);
    palette[0] = {255, 0, 255, 0};
    palette[1] = {200, 120, 40, 0};
    dib.SetPalette(palette);
    for (int y = 0; y < height; ++y)
      for (int x = 0; x < width; ++x) dib.SetPixelIndex(x, y, static_cast<uint8_t>((x ^ y) & 1));
    const std::vector<uint8_t> bytes = platform::WriteBmp(dib);
    return std::string(bytes.begin(), bytes.end());
  }
  static std::string Jpeg(int width, int height) {
    platform::DIBitmap dib(width, height, 24);
    for (int y = 0; y < height; ++y)
      for (int x = 0; x < width; ++x) dib.SetPixel(x, y, platform::RGB(x, y, 90));
    const std::vector<uint8_t> bytes = platform::EncodeJpeg(dib, 80);
    return std::string(bytes.begin(), bytes.end());
  }
  void Add(const std::string& name, std::string bytes) { files_["/skin/" + name] = bytes; }

 public:
  // The folder's pictures written into folder on disk, with a truncated bitmap and a truncated
  // JPEG beside them.
  void WriteTo(const std::filesystem::path& folder) const {
    std::filesystem::create_directories(folder);
    for (const auto& [path, bytes] : files_)
      std::ofstream(folder / std::filesystem::path(path).filename(), std::ios::binary) << bytes;
    const std::string& master = files_.at("/skin/MASTER.BMP");
    std::ofstream(folder / "BROKEN.BMP", std::ios::binary) << master.substr(0, master.size() / 2);
    const std::string& jpeg = files_.at("/skin/BIG.JPG");
    std::ofstream(folder / "BROKEN.JPG", std::ios::binary) << jpeg.substr(0, jpeg.size() / 3);
  }

 private:
  std::map<std::string, std::string> files_;
};

// A skin directory of the process's own holding the skin folder "F", removed at exit. (Kept for
// the process's life, so the exit handler can still name it.)
const std::filesystem::path& SkinDirectory(const MemoryFolder& folder) {
  static const std::filesystem::path* const directory = [&] {
    std::string pattern =
        (std::filesystem::temp_directory_path() / "snipwell-fuzz-XXXXXX").string();
    if (!::mkdtemp(pattern.data())) std::abort();
    auto* path = new std::filesystem::path(pattern);
    folder.WriteTo(*path / "F");
    return path;
  }();
  static const bool removed = [] {
    std::atexit([] {
      std::error_code error;
      std::filesystem::remove_all(*directory, error);
    });
    return true;
  }();
  (void)removed;
  return *directory;
}

// Loads the settings as the skin folder "F" and paints a face of every kind of control from it.
void LoadAndPaint(const MemoryFolder& folder, std::string_view text) {
  const std::filesystem::path& directory = SkinDirectory(folder);
  std::ofstream(directory / "F/Options.dat", std::ios::binary | std::ios::trunc) << text;
  skin::TsSkinManager manager(nullptr);
  manager.SetSkinDirectory(directory.string());
  manager.SetSkinName("F");
  if (!manager.Active()) return;  // the folder failed and there is no stored skin to use
  auto parent = skin::NewBitmap24(48, 24);
  const skin::TCacheInfo info{parent.get(), 4, 2, true};
  for (const char* name : {"FORM", "PANEL", "EDIT", "BUTTON", "CHECKBOX", "GLOBALINFO"}) {
    const int section = manager.Tables().FindSection(name);
    for (skin::TsLook look : {skin::lkNormal, skin::lkHot}) {
      auto face = skin::NewBitmap24(40, 20);
      skin::PaintSection({&manager.Tables(), section, name}, info,
                         {face.get(), {4, 2}, {0, 0, 40, 20}, look}, skin::bfFillCentre);
    }
  }
}

void Check(bool condition) {
  if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const MemoryFolder folder;
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  skin::TsSkinFolder reader(folder, "c:\\skin\\", text);
  skin::TsSkinTables tables;
  skin::TsSkinData info;
  try {
    reader.BuildMasks(tables);
    reader.BuildPatterns(tables);
    reader.ReadSkinInfo(info);
    reader.BuildSections(tables.Sections);
  } catch (const platform::Exception&) {
    return 0;
  }
  for (const skin::TsMaskData& m : tables.Masks) {
    Check(m.ImageCount >= 1 && m.MaskType >= 0 && m.MaskType <= 1);
    Check(m.WL >= 0 && m.WT >= 0 && m.WR >= 0 && m.WB >= 0 && m.BorderWidth >= 0);
    Check(m.ImgType <= skin::itisaGlyph);
    if (m.Bmp) Check(m.Bmp->PixelFormat() == framework::pf24bit);
  }
  for (const skin::TsPatternData& p : tables.Patterns)
    Check(p.Img && p.Img->Width() * p.Img->Height() >= 90000);
  Check(tables.Sections.size() == reader.Settings().Sections().size());
  LoadAndPaint(folder, text);
  return 0;
}
