#pragma once
// TsButton: the program's Button control as the skin engine's class. Until skinning comes, it is
// the class library's control under the skin engine's name, so the forms need not change when it
// does.

#include "framework/Button.h"

namespace skin {

class TsButton : public framework::TButton {
 public:
  explicit TsButton(framework::TComponent* owner) : framework::TButton(owner) {}
  DECLARE_CLASS_INFO()
};

}  // namespace skin
