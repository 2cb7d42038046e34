#pragma once
// Exporting a stored skin to a skin folder: "Options.dat" with one section per section record
// (every key written, so that nothing depends on defaults or inheritance), the master bitmap, the
// masks' own pictures and the JPEG patterns as files beside it.
//
// Each mask is written in the plainest form that gives back exactly the record the stored skin
// gives: a picture of its own alone by name, or with its parameters after "!"; a glyph of the
// master bitmap in the at-sign columns, a texture in the "~" columns; a border as a "#" rectangle
// when its margins follow from it, else in the "^" columns. A mask that no form gives back raises
// ESkinExport rather than being written differently.

#include <array>
#include <cstdint>
#include <filesystem>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

#include "skin/data/sMaskData.h"
#include "skin/data/sStoredSkin.h"

namespace skintools {

class ESkinExport : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// A skin folder in memory: file name to bytes, "Options.dat" among them.
using SkinFolderFiles = std::map<std::string, std::string>;

// How many masks were written in each form (indexed by skin::TsMaskForm).
using MaskFormCounts = std::array<int, 7>;

// The folder's files for a stored skin. Raises ESkinExport for a value the format cannot hold
// (a line break in a text, two sections whose names differ only in letter case, a mask no form
// gives back, a picture name that is not a plain file name).
SkinFolderFiles ExportSkin(const skin::TsStoredSkin& skin, MaskFormCounts* forms = nullptr);

// Writes the files into folder (made when missing). The folder is opened once and the files made
// in it relative to it: a folder that is a symbolic link, or a link in place of a folder this
// makes, is refused (ESkinExport). Each file is written beside its final name and renamed over it,
// so a link of that name in the folder is replaced, never written through, and nothing is ever
// written outside the folder.
void WriteSkinFolder(const SkinFolderFiles& files, const std::filesystem::path& folder);

}  // namespace skintools
