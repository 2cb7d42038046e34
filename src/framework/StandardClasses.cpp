#include "framework/StandardClasses.h"

#include "framework/Button.h"
#include "framework/CheckBox.h"
#include "framework/ClassRegistry.h"
#include "framework/CustomEdit.h"
#include "framework/Form.h"
#include "framework/Image.h"
#include "framework/Label.h"
#include "framework/Panel.h"
#include "framework/TimerComponent.h"

namespace framework {

void RegisterStandardClasses() {
  for (const TClassInfo* info : {
           &TComponent::StaticClassInfo(),     &TControl::StaticClassInfo(),
           &TWinControl::StaticClassInfo(),    &TGraphicControl::StaticClassInfo(),
           &TCustomControl::StaticClassInfo(), &TCustomForm::StaticClassInfo(),
           &TForm::StaticClassInfo(),          &TCustomPanel::StaticClassInfo(),
           &TPanel::StaticClassInfo(),         &TCustomEdit::StaticClassInfo(),
           &TEdit::StaticClassInfo(),          &TButtonControl::StaticClassInfo(),
           &TButton::StaticClassInfo(),        &TCustomCheckBox::StaticClassInfo(),
           &TCheckBox::StaticClassInfo(),      &TCustomLabel::StaticClassInfo(),
           &TLabel::StaticClassInfo(),         &TImage::StaticClassInfo(),
           &TTimer::StaticClassInfo(),
       })
    RegisterClass(*info);
}

}  // namespace framework
