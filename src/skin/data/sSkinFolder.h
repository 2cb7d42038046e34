#pragma once
// Skin folders: a skin read from a folder on disk instead of the stored skins. The folder holds
// "Options.dat", INI text whose every section is a skin section and whose keys are at the same
// time section properties, mask descriptions and JPEG pattern names, and the picture files it
// names. TsSkinFolder reads "Options.dat" once and builds a skin's three tables from it; the skin
// loader (LoadFolderSkin) adds the common sections and the colour adjustment as for a stored skin.
//
// Any file may be found in a skin folder, so nothing here trusts one: "Options.dat" and pictures
// are read only when they are regular files below a size limit, picture sizes are checked from
// their headers before any pixels are allocated, and one skin's pictures together stay within a
// budget, so that no folder can make loading hang or exhaust memory. Files that are missing are
// skipped; a picture that is there but cannot be used is left out with a note. A malformed number
// ends the loading of the skin, and so does a master bitmap that is there but cannot be used
// (every border and glyph is cut from it). Nothing is ever written to a skin folder.

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "framework/graphics/Bitmap.h"
#include "framework/graphics/JPEGImage.h"
#include "skin/data/sIniText.h"
#include "skin/data/sMaskData.h"
#include "skin/data/sSkinTables.h"

namespace skin {

struct TsSkinData;

// Where a skin folder's files come from: the disk, or (for fuzzing) a folder kept in memory.
class TsSkinFiles {
 public:
  virtual ~TsSkinFiles() = default;
  // True when something of that name exists (a folder or a pipe then fails to Read).
  virtual bool Exists(const std::string& path) const = 0;
  // The whole regular file; raises platform::Exception when it cannot be read, is not a regular
  // file, or holds more than maxBytes (refused before they are read).
  virtual std::string Read(const std::string& path, size_t maxBytes) const = 0;
  // The file a skin's text means by path: path itself, or where file names differ in letter case
  // from what skins written elsewhere say, the file that matches it (FindSkinFile).
  virtual std::string Find(const std::string& path) const { return path; }
};

// The files of the disk, read under a shared lock so that another copy replacing one is seen as
// a file that cannot be read.
const TsSkinFiles& DiskSkinFiles();

// Limits on what a skin folder may make the program read and hold.
struct TsSkinFolderLimits {
  static constexpr size_t kMaxSettingsBytes = size_t{1} << 20;  // "Options.dat"
  static constexpr size_t kMaxPictureBytes = size_t{32} << 20;  // one picture file
  static constexpr int kMaxPictureSide = 16384;
  // Pixels: a skin never shows more of a picture than a screen holds, and a 4K screen holds 8.3
  // million. So a picture may have 8 Mi pixels, and a skin's pictures 8 Mi together as they are
  // kept once loaded: counted at the size the display's factor enlarges them to, each mask's own
  // copy of a picture counted again, and a JPEG pattern's file (which it keeps) counted as a
  // pixel for every three bytes. At three bytes a pixel a skin holds at most 24 MB, and a load
  // peaks at that and one picture's file and decoding.
  static constexpr size_t kMaxPicturePixels = size_t{8} << 20;  // one picture
  // All pictures of one skin together: bytes read, and pixels held.
  static constexpr size_t kMaxTotalBytes = size_t{256} << 20;
  static constexpr size_t kMaxTotalPixels = size_t{8} << 20;
};

class TsSkinFolder {
 public:
  // Reads skinPath + "Options.dat" (skinPath as the skin's text names it, ending with "\").
  // Raises platform::Exception when the file cannot be read, is not a regular file or is larger
  // than kMaxSettingsBytes.
  TsSkinFolder(const TsSkinFiles& files, const std::string& skinPath);
  // The same over a settings text already read.
  TsSkinFolder(const TsSkinFiles& files, std::string skinPath, std::string_view settings);

  const TsIniText& Settings() const { return settings_; }
  // One line for each picture that is in the folder but could not be used, with what was left out
  // for it ("BTN.BMP: <reason>; the mask BUTTON BORDERSMASK is left out").
  const std::vector<std::string>& Notes() const { return notes_; }

  // First step: the master bitmap named by MASTERBITMAP of GLOBALINFO (none when no such file is
  // there; platform::Exception when it is there but cannot be read or decoded) and a mask record
  // for every key whose value is a mask description, in file order. Raises framework::EConvertError
  // for a number that cannot be read.
  void BuildMasks(TsSkinTables& tables);
  // Second step: every value naming a JPEG file that can be read: pictures of at least 90,000
  // pixels become patterns, smaller ones texture masks appended to the masks.
  void BuildPatterns(TsSkinTables& tables);
  // Third step: the skin-wide values of GLOBALINFO into info (raises framework::EConvertError
  // for an unreadable Shadow1 value), and one section record per section in file order, its
  // properties inherited through PARENTCLASS across the file.
  void ReadSkinInfo(TsSkinData& info) const;
  void BuildSections(TsGeneralDataArray& sections) const;

 private:
  // The picture file's bytes when it can be read within the limits and the skin's budget;
  // otherwise nullopt, and why says why.
  std::optional<std::string> ReadPicture(const std::string& path, std::string& why);
  std::string PathOf(const std::string& name) const;
  // The BMP file at path as a 24-bit picture; null (and why) when it cannot be read or decoded or
  // is beyond the limits.
  std::unique_ptr<framework::TBitmap> DecodeBitmap(const std::string& path, std::string& why);
  // The picture a skin text names, decoded once per load however many keys name it. The first
  // mask that names it takes the decoded picture itself; any other gets a copy of that mask's.
  struct TsDecoded {
    std::unique_ptr<framework::TBitmap> picture;  // until a mask takes it; null when unusable
    const framework::TBitmap* taken = nullptr;    // the picture of the mask that took it
    std::string why;                              // why it cannot be used
  };
  TsDecoded& Bitmap(const std::string& name);
  std::unique_ptr<framework::TBitmap> LoadBitmap(const std::string& name, std::string& why);
  // Gives m its own picture named name; false (with a note when the file is there) when it has
  // none.
  bool PictureOf(TsMaskData& m, const std::string& name, const TsIniSection& section,
                 const std::string& key);
  const framework::TJPEGImage* Jpeg(const std::string& name);
  void Note(const std::string& file, const std::string& why, const std::string& what);
  void AddMask(const TsIniSection& section, const std::string& key, const std::string& value,
               TsSkinTables& tables);

  const TsSkinFiles& files_;
  std::string skinPath_;
  TsIniText settings_;
  size_t bytesRead_ = 0;
  size_t pixelsHeld_ = 0;  // by the masks and patterns made so far (see TsSkinFolderLimits)
  std::unordered_map<std::string, TsDecoded> bitmaps_;
  std::unordered_map<std::string, std::unique_ptr<framework::TJPEGImage>> jpegs_;
  std::vector<std::string> notes_;
};

}  // namespace skin
