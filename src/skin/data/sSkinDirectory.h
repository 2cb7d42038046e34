#pragma once
// Where skin folders are looked for. SkinDirectory is resolved by text rules written for Windows
// paths ("c:\Skins", "..\Skins", ".\Skins"), and the result is then mapped onto this platform:
// every "\" becomes "/" and a leading drive letter with its colon is dropped. The Windows skin
// directory "c:\Skins" itself stands for the skin folders of a Linux desktop (see SkinFolderRoots).

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace skin {

// The folder of the program file, ending with a separator; nullopt when the platform cannot express
// its path (a folder deeper than the path limit). The skin directory is then unknown, and there are
// no folder skins: the program starts all the same.
std::optional<std::string> ApplicationFolder();

// The text rules, with appFolder the application folder (ending with "\" or "/"):
// 1. a value beginning with ".." is taken from the parent of appFolder: its last folder name is
//    removed (the separator before it kept), the value loses its first three characters, and the
//    rest is appended;
// 2. a value beginning with ".\" or "./" loses those two characters and is appended to appFolder;
// 3. any other value without ":" is appended to appFolder, except an empty value and a single
//    letter (a drive), which rule 4 alone handles (otherwise its cases for them could never occur),
//    and a path from this platform's root ("/..."), which is absolute as a drive's is;
// 4. a trailing separator is ensured: an empty result stays empty, a final "\" stays, a final "/"
//    becomes "\", a one-character result (a drive letter) gets ":\", any other gets "\".
std::string ResolveSkinDirectory(std::string_view value, std::string_view appFolder);

// A path as the text rules give it, as this platform names it.
std::string PlatformPath(std::string_view path);

// The folders a skin directory names, as this platform names them, each ending with "/", in the
// order they are searched. "c:\Skins" (however its letters are written; it maps to "/Skins/")
// stands for the desktop's skin folders: the user's data folder, each system data folder, then
// Skins beside the program (platform::SkinFolders). Any other value is the one folder it resolves
// to; an empty value, or a program whose own folder is unknown, names none.
std::vector<std::string> SkinFolderRoots(std::string_view skinDirectory);

// A file named in a skin's text, as this platform names it: a name with a drive (":") or from this
// platform's root ("/") stands as it is; any other, "\BG.BMP" too, lies in skinPath (the skin's
// folder, ending with a separator). A name may lead out of the folder ("..\Shared\BG.JPG"):
// skins share pictures.
std::string SkinFilePath(std::string_view name, std::string_view skinPath);

// The file on disk that a skin's path names. Skins are written where file names are matched
// without regard to letter case ("MASTER.BMP" for "master.bmp"): when nothing of the exact name
// exists, each part of the path that does not exist as written is matched to an entry of its
// folder ignoring ASCII letter case. path itself when nothing matches.
std::string FindSkinFile(const std::string& path);

}  // namespace skin
