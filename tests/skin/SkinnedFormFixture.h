#pragma once
// A skinned form on the in-memory desktop: a borderless form with its skin provider, a manager
// holding the small test skin, a panel on the form and an edit on the panel. The skin's sections
// can be adjusted before it is loaded.

#include <functional>
#include <string>

#include "framework/forms/Form.h"
#include "skin/controls/sEdit.h"
#include "skin/controls/sPanel.h"
#include "skin/forms/sSkinProvider.h"
#include "tests/skin/SkinTestSupport.h"

namespace skin::test {

// The stored section of that name in the skin, or nullptr.
inline TsSkinGeneral* StoredSection(TsStoredSkin* skin, const std::string& name) {
  for (int i = 0; i < skin->GeneralData()->Count(); ++i)
    if (skin->GeneralData()->Items(i)->SectionName == name) return skin->GeneralData()->Items(i);
  return nullptr;
}

class SkinnedFormTest : public SkinTest {
 protected:
  void SetUp() override {
    SkinTest::SetUp();
    desktop = dynamic_cast<platform::HeadlessBackend*>(&platform::CurrentBackend());
  }

  // The form and its provider, not yet shown; no manager yet.
  void MakeForm() {
    form = framework::Create<framework::TForm>(app.get());
    form->SetBorderStyle(framework::bsNone);
    form->SetPosition(framework::poDesigned);
    form->SetBounds(100, 100, 300, 120);
    form->SetColor(platform::clBtnFace);
    // A form made in code has no description to read: it is made once its constructor is done.
    form->SetState(framework::csCreating, false);
    provider = framework::Create<TsSkinProvider>(form);
  }
  // A manager on the form with the test skin, not yet loaded.
  TsStoredSkin* MakeManager() {
    manager = framework::Create<TsSkinManager>(form);
    return AddTestSkin(manager, "Test");
  }
  void MakeControls() {
    panel = framework::Create<TsPanel>(form);
    panel->SetParent(form);
    panel->SetBounds(0, 0, 200, 60);
    edit = framework::Create<TsEdit>(form);
    edit->SetParent(panel);
    edit->SetBounds(10, 10, 100, 21);
    edit->SetText("Snippet");
  }
  // Everything made, the skin loaded and the form shown and painted.
  void ShowSkinned() {
    MakeForm();
    TsStoredSkin* skin = MakeManager();
    if (adjust) adjust(skin);
    MakeControls();
    manager->SetSkinName("Test");
    form->Show();
    Pump();
  }
  void Pump() { app->ProcessMessages(); }

  platform::HeadlessBackend* desktop = nullptr;
  std::function<void(TsStoredSkin*)> adjust;
  framework::TForm* form = nullptr;
  TsSkinManager* manager = nullptr;
  TsSkinProvider* provider = nullptr;
  TsPanel* panel = nullptr;
  TsEdit* edit = nullptr;
};

}  // namespace skin::test
