#include "app/CommandLine.h"

#include <algorithm>
#include <functional>
#include <vector>

namespace app {

namespace {

using TOptionSetter = std::function<void(TCommandLineOptions&, const std::string& value)>;

struct TOption {
  std::string_view Name;   // with its "--"
  std::string_view Value;  // what the value is called in the usage; empty for a flag
  std::string_view Help;
  TOptionSetter Set;  // given the value (empty for a flag)
};

// The options, one a line, in the order the usage lists them.
const std::vector<TOption>& Options() {
  using O = TCommandLineOptions;
  static const std::vector<TOption> options = {
      {"--skin", "NAME", "draw with this skin for this run (see --list-skins)",
       [](O& o, const std::string& v) { o.Skin = v; }},
      {"--config", "FILE", "keep the snippets in FILE for this run",
       [](O& o, const std::string& v) { o.Config = v; }},
      {"--scale", "N", "draw every window N times larger (1, 2 or 3)",
       [](O& o, const std::string& v) { o.Scale = v; }},
      {"--list-skins", "", "print the names of the skins to choose from, one a line, and end",
       [](O& o, const std::string&) { o.ListSkins = true; }},
      {"--version", "", "print the version and end",
       [](O& o, const std::string&) { o.Version = true; }},
      {"--help", "", "print this help and end", [](O& o, const std::string&) { o.Help = true; }},
  };
  return options;
}

const TOption* FindOption(std::string_view name) {
  for (const TOption& option : Options())
    if (option.Name == name) return &option;
  return nullptr;
}

}  // namespace

TCommandLineOptions ParseCommandLine(std::span<const std::string_view> arguments) {
  TCommandLineOptions result;
  for (size_t i = 0; i < arguments.size(); ++i) {
    const std::string_view argument = arguments[i];
    if (!argument.starts_with("--") || argument == "--")
      throw ECommandLine("unexpected argument '" + std::string(argument) + "'");
    const size_t equals = argument.find('=');
    const TOption* option = FindOption(argument.substr(0, equals));
    if (!option) throw ECommandLine("unknown option '" + std::string(argument) + "'");
    std::string value;
    if (option->Value.empty()) {
      if (equals != std::string_view::npos)
        throw ECommandLine("option '" + std::string(option->Name) + "' takes no value");
    } else if (equals != std::string_view::npos) {
      value = argument.substr(equals + 1);
    } else if (i + 1 < arguments.size()) {
      value = arguments[++i];
    } else {
      throw ECommandLine("option '" + std::string(option->Name) + "' needs a value (" +
                         std::string(option->Value) + ")");
    }
    if (!option->Value.empty() && value.empty())
      throw ECommandLine("option '" + std::string(option->Name) + "' needs a value (" +
                         std::string(option->Value) + ")");
    option->Set(result, value);
  }
  return result;
}

TCommandLineOptions ParseCommandLine(int argc, const char* const* argv) {
  std::vector<std::string_view> arguments;
  for (int i = 1; i < argc; ++i) arguments.emplace_back(argv[i]);
  return ParseCommandLine(arguments);
}

std::string UsageText() {
  std::string text = "Usage: snipwell [OPTION]...\n";
  text +=
      "Keeps seven text snippets in a bar at the bottom of the screen; moving the mouse over one\n"
      "puts its text on the clipboard.\n\n";
  size_t width = 0;
  for (const TOption& option : Options())
    width =
        std::max(width, option.Name.size() + (option.Value.empty() ? 0 : option.Value.size() + 1));
  for (const TOption& option : Options()) {
    std::string left = "  " + std::string(option.Name);
    if (!option.Value.empty()) left += " " + std::string(option.Value);
    left.resize(width + 4, ' ');
    text += left + std::string(option.Help) + "\n";
  }
  return text;
}

}  // namespace app
