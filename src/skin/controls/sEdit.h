#pragma once
// TsEdit: the program's Edit control as the skin engine's class. Until skinning comes, it is the
// class library's control under the skin engine's name, so the forms need not change when it does.

#include "framework/CustomEdit.h"

namespace skin {

class TsEdit : public framework::TEdit {
 public:
  explicit TsEdit(framework::TComponent* owner) : framework::TEdit(owner) {}
  DECLARE_CLASS_INFO()
};

}  // namespace skin
