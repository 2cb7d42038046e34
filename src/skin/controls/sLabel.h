#pragma once
// The skin engine's labels: TsCustomLabel (transparent from the start), TsLabel and TsLabelFX.
// Until skinning comes they draw as the class library's labels, under the skin engine's names, so
// the forms need not change when it does.

#include "framework/Label.h"

namespace skin {

class TsCustomLabel : public framework::TCustomLabel {
 public:
  explicit TsCustomLabel(framework::TComponent* owner);
  DECLARE_CLASS_INFO()
};

class TsLabel : public TsCustomLabel {
 public:
  explicit TsLabel(framework::TComponent* owner) : TsCustomLabel(owner) {}
  DECLARE_CLASS_INFO()
};

class TsLabelFX : public TsCustomLabel {
 public:
  explicit TsLabelFX(framework::TComponent* owner) : TsCustomLabel(owner) {}
  DECLARE_CLASS_INFO()
};

}  // namespace skin
