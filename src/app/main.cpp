// Snipwell: seven text snippets in a bar at the bottom of the screen; hovering a snippet puts it
// on the clipboard.

#include <malloc.h>

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <memory>
#include <optional>
#include <string>

#include "app/CommandLine.h"
#include "app/ProgramClasses.h"
#include "app/ScaleFactor.h"
#include "app/Settings.h"
#include "app/SingleInstance.h"
#include "app/SkinChoice.h"
#include "app/SnippetLocation.h"
#include "app/StoredSkins.h"
#include "app/Unit1.h"
#include "app/Unit2.h"
#include "framework/controls/Image.h"
#include "framework/forms/Application.h"
#include "framework/graphics/DisplayScale.h"
#include "framework/graphics/Icon.h"
#include "framework/graphics/Picture.h"
#include "platform/Backend.h"
#include "platform/x11/X11Backend.h"
#include "skin/data/sSkinManager.h"

namespace {

// --list-skins: the names to choose a skin by, one a line, without a window.
int ListSkins() {
  try {
    const std::unique_ptr<skin::TsSkinManager> holder = app::StoredSkinsHolder();
    for (const std::string& name : app::ChoosableSkins(*holder)) std::printf("%s\n", name.c_str());
    return 0;
  } catch (const std::exception& e) {
    std::fprintf(stderr, "snipwell: %s\n", e.what());
    return 1;
  }
}

// The factor the windows are drawn at, chosen once the desktop is there to ask for its Xft.dpi:
// --scale, else the settings' [Display] Scale, else GDK_SCALE, else Xft.dpi.
void ChooseDisplayScale(const app::TCommandLineOptions& options, const app::TSettings& settings) {
  const char* gdkScale = std::getenv("GDK_SCALE");
  const app::ScaleChoice choice =
      app::ResolveScale(options.Scale, settings.Value("Display", "Scale"),
                        gdkScale ? std::optional<std::string>(gdkScale) : std::nullopt,
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
  app::TCommandLineOptions options;
  try {
    options = app::ParseCommandLine(argc, argv);
  } catch (const app::ECommandLine& e) {
    std::fprintf(stderr, "snipwell: %s\n%s", e.what(), app::UsageText().c_str());
    return app::kUsageExitCode;
  }
  if (options.Help) {
    std::fputs(app::UsageText().c_str(), stdout);
    return 0;
  }
  if (options.Version) {
    std::printf("%s\n", app::kVersionText);
    return 0;
  }
  if (options.ListSkins) return ListSkins();
  const app::TSnippetLocation snippetFile = app::ChooseSnippetLocation(options.Config);
  app::UseSnippetLocation(snippetFile);

  try {
    platform::InstallBackend(platform::x11::CreateX11Backend({"snipwell", "Snipwell"}));
  } catch (const std::exception& e) {
    std::fprintf(stderr, "snipwell: %s\n", e.what());
    return 1;
  }
  // One bar per desktop: a second start raises the first one's and ends; naming another snippet
  // file with --config is an error then, not a second bar.
  if (const auto second = app::ClaimSingleInstance(
          snippetFile.Path,
          options.Config ? app::TSnippetFileChoice::Named : app::TSnippetFileChoice::Usual)) {
    std::fprintf(stderr, "%s\n", second->Message.c_str());
    platform::InstallBackend(nullptr);
    return second->ExitCode;
  }
  const app::TSettings settings;
  ChooseDisplayScale(options, settings);
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
      // Every window exists now, so the chosen skin reaches them all.
      app::ApplyStartSkin(*Form1->sSkinManager1, options.Skin, settings);
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
