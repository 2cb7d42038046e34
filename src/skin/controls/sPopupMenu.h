#pragma once
// The skinned pop-up menu: the menu of the framework, painted by the active skin. The menu's body
// and frame are the skin's "MAINMENU" section with its border mask (the surface its menus stand
// on); every command is a "MENUITEM" over it in its font colours: in the normal state its
// background alone, when selected in the hot state with its border mask; separators are the
// "DIVIDER" section's colour. Without an active manager, or with a skin that has no "MENUITEM", the
// classic look stays.

#include "framework/controls/PopupMenu.h"

namespace skin {

class TsSkinManager;

class TsPopupMenu : public framework::TPopupMenu {
 public:
  explicit TsPopupMenu(framework::TComponent* owner);

  // nullptr: the default manager.
  TsSkinManager* SkinManager() const { return skinManager_; }
  void SetSkinManager(TsSkinManager* manager) { skinManager_ = manager; }

  // The manager whose skin paints the menu now, or nullptr for the classic look.
  TsSkinManager* PaintingManager() const;

 protected:
  void DrawBackground(framework::TBitmap* image) override;
  void DrawItem(framework::TBitmap* image, const framework::TMenuItem& item,
                const platform::TRect& rect, bool selected) override;
  void DrawSeparator(framework::TBitmap* image, const platform::TRect& rect) override;

 private:
  TsSkinManager* skinManager_ = nullptr;
};

}  // namespace skin
