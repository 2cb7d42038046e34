#pragma once
// Where the program's files are looked for on a Linux desktop, in one place:
//  - the executable's folder (a portable copy keeps its Config.txt and its Skins there);
//  - the user's configuration folder, $XDG_CONFIG_HOME/snipwell/ (~/.config/snipwell/ by
//    default): the per-user Config.txt and the settings file;
//  - the user's and the system's data folders, $XDG_DATA_HOME (~/.local/share) and each entry of
//    $XDG_DATA_DIRS (/usr/local/share:/usr/share), whose snipwell/skins hold skin folders;
//  - the installation's share/snipwell/ beside the bin folder the program was installed to,
//    holding the example snippets.
// Every folder ends with "/". Environment variables are read anew at every call. As the XDG base
// directory rules say, a variable that is unset, empty or not an absolute path counts as unset.

#include <string>
#include <vector>

namespace platform {

// The name of the program's own folders inside the configuration and data folders.
inline constexpr char kProgramFolderName[] = "snipwell";

// $HOME, else the user's home folder from the password database; empty when neither is known.
std::string HomeFolder();
// $XDG_CONFIG_HOME, else $HOME/.config/; empty when there is no home either.
std::string ConfigHome();
// $XDG_DATA_HOME, else $HOME/.local/share/; empty when there is no home either.
std::string DataHome();
// The entries of $XDG_DATA_DIRS in order (relative ones left out), else /usr/local/share/ and
// /usr/share/.
std::vector<std::string> DataDirs();

// ConfigHome()/snipwell/; empty without a configuration home.
std::string UserConfigFolder();
// <prefix>/share/snipwell/ for a program in <prefix>/bin/; empty when the executable's folder is
// not named "bin" or cannot be read.
std::string InstalledDataFolder();
// The folders that hold skin folders, in the order they are searched: DataHome()/snipwell/skins/,
// each DataDirs() entry's snipwell/skins/, then Skins/ beside the executable. Each folder once.
std::vector<std::string> SkinFolders();

}  // namespace platform
