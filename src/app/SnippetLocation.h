#pragma once
// Which snippet file a run of the program uses, decided once at start:
//  1. the file named by --config;
//  2. else Config.txt beside the program, when it is there (a portable copy, and every set-up
//     from before per-user files): read and written as always;
//  3. else the user's own, $XDG_CONFIG_HOME/snipwell/Config.txt (~/.config/snipwell/Config.txt),
//     whose folder is made when a save needs it. When that file does not exist yet and the
//     installation carries example snippets (<prefix>/share/snipwell/Config.txt), they are copied
//     to it first, so that the first start shows them instead of reporting a missing file.
// Until a run decides, the slots use Config.txt beside the program, found anew at every load and
// save, as the program always has.

#include <optional>
#include <string>

#include "app/SnippetFile.h"

namespace app {

struct TSnippetLocation {
  std::string Path;
  // The user's own file: its folder is made when a save finds it missing.
  bool MakeFolder = false;
};

// The folders it looks in are passed in, so that the choice can be tried without the real ones:
// besideProgram and userFolder end with "/" (userFolder empty without a home), examples is the
// installation's example file (empty without one). Copying the examples never fails the start:
// when it cannot be done, a line on standard error says why and the file stays missing.
TSnippetLocation ChooseSnippetLocation(const std::optional<std::string>& configOption,
                                       const std::string& besideProgram,
                                       const std::string& userFolder, const std::string& examples);
// The same with this program's folders.
TSnippetLocation ChooseSnippetLocation(const std::optional<std::string>& configOption);

// Load and save at a location (SnippetFile.h says how). The user's own file is missing, not badly
// named, while its folder does not exist yet (2 "File not found"), and a save makes that folder.
int LoadSnippets(const TSnippetLocation& location, TSnippets& fields);
void SaveSnippets(const TSnippetLocation& location, const TSnippets& fields);

// The location the slots load from and save to; nullopt goes back to Config.txt beside the
// program, found anew at every load and save.
void UseSnippetLocation(std::optional<TSnippetLocation> location);
TSnippetLocation CurrentSnippetLocation();

}  // namespace app
