// Both windows as BlueIce draws them: golden pictures of the whole bar at rest and with slot 3
// hot, and of the whole editor.

#include "skin/data/sSkinManager.h"
#include "tests/GoldenPicture.h"
#include "tests/app/BarFixture.h"

namespace {

using golden::ExpectGoldenPicture;
using snipwell::test::BarTest;
using snipwell::test::WriteConfig;

const char kSnippets[] =
    "Sample Text 1\r\nSample Text 2\r\nSample Text 3\r\nSample Text 4\r\nSample Text 5\r\n"
    "Sample Text 6\r\nSample Text 7\r\n";

class SkinnedWindows : public BarTest {
 protected:
  const platform::DIBitmap& Screen(framework::TForm* form) {
    return desktop->Find(form->Handle())->screen;
  }
};

TEST_F(SkinnedWindows, TheBarAtRest) {
  WriteConfig(kSnippets);
  Start();
  ExpectGoldenPicture(Screen(Form1), "app", "bar_at_rest");
}

TEST_F(SkinnedWindows, TheBarWithSlot3Hot) {
  WriteConfig(kSnippets);
  Start();
  HoverSlot(3);
  ExpectGoldenPicture(Screen(Form1), "app", "bar_slot3_hot");
}

TEST_F(SkinnedWindows, TheEditor) {
  WriteConfig(kSnippets);
  Start();
  Form2->Show();
  Pump();
  ExpectGoldenPicture(Screen(Form2), "app", "editor");
}

}  // namespace

TEST_F(SkinnedWindows, AnInactiveManagerLeavesThePlainLookAndActiveAgainTheSkinnedOne) {
  WriteConfig(kSnippets);
  Start();
  Form1->sSkinManager1->SetActive(false);
  Pump();
  ExpectGoldenPicture(Screen(Form1), "app", "bar_unskinned");
  Form1->sSkinManager1->SetActive(true);
  Pump();
  ExpectGoldenPicture(Screen(Form1), "app", "bar_at_rest");
}
