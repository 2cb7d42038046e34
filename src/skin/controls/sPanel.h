#pragma once
// TsPanel: the program's Panel control as the skin engine's class. Until skinning comes, it is the
// class library's control under the skin engine's name, so the forms need not change when it does.

#include "framework/Panel.h"

namespace skin {

class TsPanel : public framework::TPanel {
 public:
  explicit TsPanel(framework::TComponent* owner) : framework::TPanel(owner) {}
  DECLARE_CLASS_INFO()
};

}  // namespace skin
