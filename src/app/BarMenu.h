#pragma once
// The bar's context menu. A right-click anywhere on the bar but a snippet slot opens it at the
// pointer: the skins the user can choose (the active one marked), a separator, "Edit text..." and
// "Exit", which do what the bar's buttons do. Choosing a skin applies it to every window at once.

#include <memory>
#include <string>

#include "platform/Types.h"

class TForm1;

namespace skin {
class TsPopupMenu;
}

namespace app {

class TBarMenu {
 public:
  // Hooks the right-clicks of the bar and of the controls on it.
  explicit TBarMenu(TForm1& bar);
  ~TBarMenu();
  TBarMenu(const TBarMenu&) = delete;
  TBarMenu& operator=(const TBarMenu&) = delete;

  // Fills the menu with what holds now and opens it at the screen point.
  void Open(platform::TPoint screen);
  skin::TsPopupMenu& Menu() const { return *menu_; }

 private:
  void Fill();

  TForm1& bar_;
  std::unique_ptr<skin::TsPopupMenu> menu_;
};

}  // namespace app
