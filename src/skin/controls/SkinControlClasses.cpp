#include "skin/controls/SkinControlClasses.h"

#include "framework/classes/ClassRegistry.h"
#include "framework/forms/StandardClasses.h"
#include "skin/controls/sButton.h"
#include "skin/controls/sCheckBox.h"
#include "skin/controls/sEdit.h"
#include "skin/controls/sLabel.h"
#include "skin/controls/sPanel.h"
#include "skin/data/SkinDataClasses.h"

namespace skin {

void RegisterSkinControlClasses() {
  framework::RegisterStandardClasses();
  RegisterSkinDataClasses();
  for (const framework::TClassInfo* info :
       {&TsPanel::StaticClassInfo(), &TsEdit::StaticClassInfo(), &TsButton::StaticClassInfo(),
        &TsCheckBox::StaticClassInfo(), &TsLabel::StaticClassInfo(), &TsLabelFX::StaticClassInfo()})
    framework::RegisterClass(*info);
}

}  // namespace skin
