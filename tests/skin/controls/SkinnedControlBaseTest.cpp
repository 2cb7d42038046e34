// What every skinned control has in common: it answers that it is skinned, takes a skin change
// only from the manager it is bound to, stores its disabled look as a set in descriptions, and
// shows that look once disabled.

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "framework/classes/FormReader.h"
#include "skin/controls/SkinControlClasses.h"
#include "tests/skin/controls/SkinnedButtonsFixture.h"

namespace skin::test {
namespace {

using SkinnedControlBaseTest = SkinnedButtonsTest;

void Announce(framework::TControl* control, uint16_t command, TsSkinManager* sender) {
  control->Perform(SM_SKINCMD, SkinWParam(command), reinterpret_cast<platform::LPARAM>(sender));
}

size_t Occurrences(const std::string& text, const std::string& part) {
  size_t count = 0;
  for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++count;
  return count;
}

TEST_F(SkinnedControlBaseTest, EveryControlTakesASkinChangeOnlyFromItsOwnManager) {
  ShowButtons();
  auto* other = framework::Create<TsSkinManager>(form);
  const std::vector<std::pair<framework::TWinControl*, TsCommonData*>> controls = {
      {panel, panel->SkinData()},
      {edit, edit->SkinData()},
      {button, button->SkinData()},
      {box, box->SkinData()}};
  for (const auto& [control, data] : controls) {
    SCOPED_TRACE(control->ClassName());
    EXPECT_TRUE(QuerySkinCommand(control, SKC_ISSKINNED));
    data->PaintDeferred = false;
    Announce(control, SKC_REMOVESKIN, other);
    Announce(control, SKC_SETNEWSKIN, other);
    EXPECT_TRUE(data->BoundToActiveSkin());
    EXPECT_FALSE(data->PaintDeferred);
    Announce(control, SKC_SETNEWSKIN, manager);
    EXPECT_TRUE(data->PaintDeferred);
  }
  // Each control repaints once the refresh of its own manager comes.
  for (const auto& [control, data] : controls) Announce(control, SKC_REFRESH, manager);
  Pump();
  for (const auto& [control, data] : controls) {
    SCOPED_TRACE(control->ClassName());
    EXPECT_FALSE(data->PaintDeferred);
    EXPECT_FALSE(data->BackgroundDirty);
  }
}

TEST_F(SkinnedControlBaseTest, TheDisabledLookIsStoredAsASetAndShowsOnceTheControlIsDisabled) {
  ShowButtons();
  RegisterSkinControlClasses();
  button->SetDisabledKind(dkGrayed);
  box->SetDisabledKind(dkBlended | dkGrayed);
  const std::string written = framework::WriteComponentRes(form);
  // The edit keeps the default, which is not written.
  EXPECT_EQ(Occurrences(written, "DisabledKind = "), 2u) << written;
  EXPECT_EQ(Occurrences(written, "DisabledKind = [dkGrayed]"), 1u);
  EXPECT_EQ(Occurrences(written, "DisabledKind = [dkBlended, dkGrayed]"), 1u);

  auto* read = framework::Create<framework::TForm>(app.get());
  framework::ReadComponentRes(read,
                              "object Read: TForm\n"
                              "  object Field: TsEdit\n"
                              "    DisabledKind = [dkGrayed]\n"
                              "  end\n"
                              "end\n",
                              "Read");
  auto* field = dynamic_cast<TsEdit*>(read->FindComponent("Field"));
  ASSERT_NE(field, nullptr);
  EXPECT_EQ(field->DisabledKind(), dkGrayed);

  // Grayed alone: the red face of the test skin loses its colour, and only while disabled.
  edit->SetDisabledKind(dkGrayed);
  Pump();
  const platform::DIBitmap& face = edit->SkinData()->CacheBitmap->DIB();
  const TColor enabled = face.Pixel(50, 10);
  EXPECT_NE(platform::GetRValue(enabled), platform::GetBValue(enabled));
  edit->SetEnabled(false);
  Pump();
  const TColor disabled = edit->SkinData()->CacheBitmap->DIB().Pixel(50, 10);
  EXPECT_EQ(platform::GetRValue(disabled), platform::GetGValue(disabled));
  EXPECT_EQ(platform::GetGValue(disabled), platform::GetBValue(disabled));
}

}  // namespace
}  // namespace skin::test
