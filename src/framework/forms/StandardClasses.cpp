#include "framework/forms/StandardClasses.h"

#include "framework/classes/ClassRegistry.h"
#include "framework/controls/Button.h"
#include "framework/controls/CheckBox.h"
#include "framework/controls/CustomEdit.h"
#include "framework/controls/Image.h"
#include "framework/controls/Label.h"
#include "framework/controls/Panel.h"
#include "framework/forms/Form.h"
#include "framework/forms/TimerComponent.h"
#include "framework/graphics/ImageList.h"

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
           &TTimer::StaticClassInfo(),         &TCustomImageList::StaticClassInfo(),
           &TImageList::StaticClassInfo(),
       })
    RegisterClass(*info);
}

}  // namespace framework
