#pragma once
// The bar: a borderless, always-on-top strip with the seven snippet slots, the label showing the
// text last copied, the copy-on-hover option, "Edit text..." and "Exit".

#include <array>
#include <memory>

#include "framework/forms/Form.h"

namespace skin {
class TsSkinProvider;
class TsButton;
class TsCheckBox;
class TsEdit;
class TsLabel;
class TsLabelFX;
class TsPanel;
class TsSkinManager;
}  // namespace skin
using skin::TsButton;
using skin::TsCheckBox;
using skin::TsEdit;
using skin::TsLabel;
using skin::TsLabelFX;
using skin::TsPanel;
using skin::TsSkinManager;
using skin::TsSkinProvider;
namespace app {
class TBarMenu;
}

class TForm1 : public framework::TForm {
 public:
  explicit TForm1(framework::TComponent* owner);
  ~TForm1() override;
  DECLARE_CLASS_INFO()

  TsSkinManager* sSkinManager1 = nullptr;
  TsSkinProvider* sSkinProvider1 = nullptr;
  TsLabel* sLabel1 = nullptr;
  TsLabel* sLabel2 = nullptr;
  TsButton* sButton1 = nullptr;
  TsPanel* sPanel1 = nullptr;
  TsEdit* sEdit1 = nullptr;
  TsEdit* sEdit2 = nullptr;
  TsEdit* sEdit3 = nullptr;
  TsEdit* sEdit4 = nullptr;
  TsEdit* sEdit5 = nullptr;
  TsEdit* sEdit6 = nullptr;
  TsEdit* sEdit7 = nullptr;
  TsCheckBox* sCheckBox1 = nullptr;
  TsButton* sButton2 = nullptr;
  TsLabelFX* sLabelFX1 = nullptr;

  void FormCreate(framework::TObject* Sender);
  void sEdit1MouseMove(framework::TObject* Sender, framework::TShiftState Shift, int X, int Y);
  void sButton1Click(framework::TObject* Sender);
  void FormShow(framework::TObject* Sender);
  void sCheckBox1Click(framework::TObject* Sender);
  void sButton2Click(framework::TObject* Sender);

  // Slots 1 to 7.
  std::array<TsEdit*, 7> Slots() const;
  // Shows a copied text in sLabel2, cut with "..." to the room before the title.
  void ShowCopiedText(const framework::TText& text);
  // The widest sLabel2 may be: from its left edge to a gap before the title.
  int CopiedTextRoom() const;

  // Puts the bar at the bottom centre of the primary monitor's work area.
  void PlaceOnWorkArea();

  void WndProc(framework::TMessage& Message) override;

  // The context menu of a right-click on the bar.
  app::TBarMenu& BarMenu() const { return *barMenu_; }

 private:
  std::unique_ptr<app::TBarMenu> barMenu_;
};

extern TForm1* Form1;
