#pragma once
// The snippet editor: a borderless modal dialog with the seven fields, "OK" and "Cancel".

#include <array>

#include "framework/forms/Form.h"

namespace skin {
class TsSkinProvider;
class TsButton;
class TsEdit;
class TsLabelFX;
class TsPanel;
}  // namespace skin
using skin::TsButton;
using skin::TsEdit;
using skin::TsLabelFX;
using skin::TsPanel;
using skin::TsSkinProvider;

namespace framework {
class TImage;
}  // namespace framework

class TForm2 : public framework::TForm {
 public:
  explicit TForm2(framework::TComponent* owner);
  DECLARE_CLASS_INFO()

  TsSkinProvider* sSkinProvider1 = nullptr;
  TsPanel* sPanel1 = nullptr;
  TsEdit* sEdit1 = nullptr;
  TsEdit* sEdit2 = nullptr;
  TsEdit* sEdit3 = nullptr;
  TsEdit* sEdit4 = nullptr;
  TsEdit* sEdit5 = nullptr;
  TsEdit* sEdit6 = nullptr;
  TsEdit* sEdit7 = nullptr;
  TsButton* sButton1 = nullptr;
  TsButton* sButton2 = nullptr;
  TsLabelFX* sLabelFX2 = nullptr;
  TsLabelFX* sLabelFX3 = nullptr;
  TsLabelFX* sLabelFX4 = nullptr;
  TsLabelFX* sLabelFX5 = nullptr;
  TsLabelFX* sLabelFX6 = nullptr;
  TsLabelFX* sLabelFX7 = nullptr;
  TsLabelFX* sLabelFX8 = nullptr;
  TsLabelFX* sLabelFX1 = nullptr;
  framework::TImage* Image1 = nullptr;

  void sButton2Click(framework::TObject* Sender);
  void FormShow(framework::TObject* Sender);
  void sButton1Click(framework::TObject* Sender);
  void FormKeyDown(framework::TObject* Sender, uint16_t& Key, framework::TShiftState Shift);

  // Fields 1 to 7.
  std::array<TsEdit*, 7> Fields() const;
};

extern TForm2* Form2;
