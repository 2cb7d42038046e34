#pragma once
// TsCheckBox: the program's CheckBox control as the skin engine's class. Until skinning comes, it
// is the class library's control under the skin engine's name, so the forms need not change when it
// does.

#include "framework/CheckBox.h"

namespace skin {

class TsCheckBox : public framework::TCheckBox {
 public:
  explicit TsCheckBox(framework::TComponent* owner) : framework::TCheckBox(owner) {}
  DECLARE_CLASS_INFO()
};

}  // namespace skin
