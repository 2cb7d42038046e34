#include "app/BarMenu.h"

#include <algorithm>

#include "app/SkinChoice.h"
#include "app/Unit1.h"
#include "skin/controls/sEdit.h"
#include "skin/controls/sPopupMenu.h"
#include "skin/data/sSkinManager.h"

namespace app {

namespace {

// Every control on the bar, the bar's own face included, opens the menu on a right-click; the
// snippet slots keep theirs to themselves, as a text field's right-click belongs to its text.
void HookRightClicks(framework::TControl* control, TForm1& bar, TBarMenu& menu) {
  const auto slots = bar.Slots();
  if (std::find(slots.begin(), slots.end(), control) != slots.end()) return;
  framework::TMouseEvent previous = control->OnMouseUp;
  control->OnMouseUp = [control, previous, &menu](framework::TObject* sender,
                                                  framework::TMouseButton button,
                                                  framework::TShiftState shift, int x, int y) {
    if (previous) previous(sender, button, shift, x, y);
    if (button == framework::mbRight) menu.Open(control->ClientToScreen({x, y}));
  };
  if (framework::TWinControl* parent = control->AsWinControl()) {
    for (int i = 0; i < parent->ControlCount(); ++i)
      HookRightClicks(parent->Controls(i), bar, menu);
  }
}

}  // namespace

TBarMenu::TBarMenu(TForm1& bar) : bar_(bar), menu_(std::make_unique<skin::TsPopupMenu>(nullptr)) {
  menu_->SetSkinManager(bar.sSkinManager1);
  menu_->Font()->Assign(bar.Font());
  HookRightClicks(&bar, bar, *this);
}

TBarMenu::~TBarMenu() = default;

void TBarMenu::Fill() {
  menu_->Clear();
  if (skin::TsSkinManager* manager = bar_.sSkinManager1) {
    const std::string active = ActiveSkin(*manager);
    for (const std::string& name : ChoosableSkins(*manager)) {
      menu_->Add({name, name == active, [manager, name] { ChooseSkin(*manager, name); }});
    }
    menu_->Add({"-", false, {}});
  }
  TForm1* bar = &bar_;
  menu_->Add({"Edit text...", false, [bar] { bar->sButton2Click(bar); }});
  menu_->Add({"Exit", false, [bar] { bar->sButton1Click(bar); }});
}

void TBarMenu::Open(platform::TPoint screen) {
  Fill();
  menu_->Popup(screen.X, screen.Y);
}

}  // namespace app
