// Snipwell: seven text snippets in a bar at the bottom of the screen; hovering a snippet puts it
// on the clipboard.

#include <malloc.h>

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <optional>
#include <string>
#include <string_view>

#include "app/ProgramClasses.h"
#include "app/ScaleFactor.h"
#include "app/Unit1.h"
#include "app/Unit2.h"
#include "framework/controls/Image.h"
#include "framework/forms/Application.h"
#include "framework/graphics/DisplayScale.h"
#include "framework/graphics/Icon.h"
#include "framework/graphics/Picture.h"
#include "platform/Backend.h"
#include "platform/x11/X11Backend.h"

namespace {

// The value of --scale N (or --scale=N) on the command line; nullopt when it is not there.
std::optional<std::string> ScaleOption(int argc, char** argv) {
  std::optional<std::string> value;
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    if (arg == "--scale") {
      if (i + 1 < argc) {
        value = argv[++i];
      } else {
        std::fprintf(stderr, "snipwell: ignoring --scale: it needs a value (1, 2 or 3)\n");
      }
    } else if (arg.starts_with("--scale=")) {
      value = std::string(arg.substr(8));
    }
  }
  return value;
}

std::optional<std::string> Environment(const char* name) {
  const char* value = std::getenv(name);
  return value ? std::optional<std::string>(value) : std::nullopt;
}

// The factor the windows are drawn at, chosen once the desktop is there to ask for its Xft.dpi.
void ChooseDisplayScale(int argc, char** argv) {
  const app::ScaleChoice choice =
      app::ResolveScale(ScaleOption(argc, argv), std::nullopt, Environment("GDK_SCALE"),
                        platform::CurrentBackend().DesktopResource("Xft.dpi"));
  for (const std::string& warning : choice.Warnings)
    std::fprintf(stderr, "snipwell: %s\n", warning.c_str());
  framework::SetDisplayScale(choice.Factor);
}

}  // namespace

int main(int argc, char** argv) {
  // A snippet may be many megabytes, and its buffers come and go as it is loaded, edited and
  // saved. Buffers of a megabyte and more are mapped on their own and given back to the system
  // when freed, instead of the heap keeping what they held (the allocator would otherwise raise
  // that threshold to the size of the largest buffer it has freed).
  mallopt(M_MMAP_THRESHOLD, 1 << 20);
  try {
    platform::InstallBackend(platform::x11::CreateX11Backend({"snipwell", "Snipwell"}));
  } catch (const std::exception& e) {
    std::fprintf(stderr, "snipwell: %s\n", e.what());
    return 1;
  }
  ChooseDisplayScale(argc, argv);
  int exitCode = 0;
  {
    RegisterProgramClasses();

    framework::TApplication application;
    application.SetTitle("Snipwell");
    try {
      application.CreateForm(Form1);
      application.CreateForm(Form2);
      // The editor's picture is the program's icon, on every window of it.
      application.SetIcon(
          dynamic_cast<const framework::TIcon*>(Form2->Image1->Picture()->Graphic()));
      application.Run();
    } catch (const std::exception& e) {
      application.ShowException(e);
      exitCode = 1;
    }
  }
  // The forms are gone with the application; the desktop connection goes last, handing the
  // clipboard to a clipboard manager on the way.
  platform::InstallBackend(nullptr);
  return exitCode;
}
