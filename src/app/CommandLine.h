#pragma once
// The program's command line. Started with no arguments it behaves as it always has; the options
// choose a skin or a snippet file for one run, or answer a question and end without a window.
//
// Options are long names, their values in the next argument or after "=" ("--skin BluePlastic",
// "--skin=BluePlastic"). An unknown option, a missing value, or an argument that is no option is
// a usage error: the caller prints the message and the usage on standard error and ends with
// kUsageExitCode.

#include <optional>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>

namespace app {

inline constexpr int kUsageExitCode = 2;
// The version comes from the build (the project's version, set once in CMake).
inline constexpr char kVersionText[] = "Snipwell " SNIPWELL_VERSION;

struct TCommandLineOptions {
  std::optional<std::string> Skin;    // --skin NAME: this run only, not saved
  std::optional<std::string> Config;  // --config FILE: the snippet file of this run
  std::optional<std::string> Scale;   // --scale N: the display factor (checked where chosen)
  bool ListSkins = false;             // --list-skins
  bool Version = false;               // --version
  bool Help = false;                  // --help
};

// A command line that cannot be followed; Message() says why, for a person.
class ECommandLine : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The arguments after the program's name. Raises ECommandLine.
TCommandLineOptions ParseCommandLine(std::span<const std::string_view> arguments);
TCommandLineOptions ParseCommandLine(int argc, const char* const* argv);

// "Usage: snipwell [OPTION]..." and every option with its value and what it does, one a line.
std::string UsageText();

}  // namespace app
