#pragma once
// One bar per desktop. A start that finds the program running already asks it to raise its bar
// and ends, instead of laying a second bar over the first.

#include <optional>
#include <string>

namespace app {

// Which snippet file a start is to show: the usual one, or one the user named for this run.
enum class TSnippetFileChoice { Usual, Named };

// How a start that found the program running ends: the line for standard error, the exit code.
struct TSecondStart {
  std::string Message;
  int ExitCode = 0;
};

// Makes this start the desktop's running copy, showing `snippetFile`, and returns nullopt: the
// start goes on. When a copy runs already, it is asked to raise its bar and the start ends with
// code 0; a start named another snippet file than the running copy shows is an error instead (one
// bar shows one file; the user asked for the other).
std::optional<TSecondStart> ClaimSingleInstance(const std::string& snippetFile,
                                                TSnippetFileChoice choice);

// The file a path names, written out in full (absolute, without "." and "..", links followed as
// far as they exist), so that two spellings of one file compare equal. An empty path (a file
// that is not known) stays empty.
std::string FullSnippetPath(const std::string& path);

}  // namespace app
