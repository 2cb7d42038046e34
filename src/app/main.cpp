// Snipwell: seven text snippets in a bar at the bottom of the screen; hovering a snippet puts it
// on the clipboard.

#include <malloc.h>

#include <cstdio>
#include <exception>
#include <string>

#include "app/ProgramClasses.h"
#include "app/SingleInstance.h"
#include "app/SnippetFile.h"
#include "app/Unit1.h"
#include "app/Unit2.h"
#include "framework/controls/Image.h"
#include "framework/forms/Application.h"
#include "framework/graphics/Icon.h"
#include "framework/graphics/Picture.h"
#include "platform/Backend.h"
#include "platform/x11/X11Backend.h"

int main() {
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
  // One bar per desktop: a second start raises the first one's and ends. A snippet file whose
  // path cannot even be had is reported by the bar when it loads; here it is simply unknown.
  std::string snippetFile;
  try {
    snippetFile = app::SnippetFilePath();
  } catch (const std::exception&) {
    snippetFile.clear();
  }
  if (const auto second = app::ClaimSingleInstance(snippetFile, app::TSnippetFileChoice::Usual)) {
    std::fprintf(stderr, "%s\n", second->Message.c_str());
    platform::InstallBackend(nullptr);
    return second->ExitCode;
  }
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
