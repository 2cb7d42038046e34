#pragma once
// A pop-up menu: a list of commands in a borderless window that opens at the pointer, takes the
// pointer and keyboard of the whole desktop while open (without taking the focus from the window
// the user types in) and closes when a command is chosen, on Escape or on a click anywhere else.
//
// Mouse: moving over an item selects it, releasing a button over it chooses it; a press outside
// the menu closes it. Keys: Up and Down move the selection (wrapping, over the separators), Home
// and End go to the first and last item, Return and Space choose the selected one, Escape closes.
//
// The menu paints itself in the classic look; skinned menus replace the three painters. Painting
// happens on an image of the whole menu, put on the window at once. Its measures below are pixels
// of an ordinary screen: on a dense display the menu multiplies them by the display's factor (its
// font is the caller's, already at that factor), and so are its lines and marks drawn.

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "framework/classes/Component.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"
#include "framework/graphics/Font.h"
#include "platform/windows/Window.h"

namespace framework {

struct TMenuItem {
  std::string Caption;
  bool Checked = false;  // marked with a bullet: the one chosen of a group
  std::function<void()> OnClick;
  bool IsSeparator() const { return Caption == "-"; }
};

class TPopupMenu : public TComponent {
 public:
  explicit TPopupMenu(TComponent* owner);
  ~TPopupMenu() override;

  // The items; a caption "-" makes a separator. Changing them closes an open menu.
  void Clear();
  void Add(TMenuItem item);
  const std::vector<TMenuItem>& Items() const { return items_; }

  // Opens the menu with its top-left at the screen point, or its bottom or right there when it
  // would not fit the screen below or beside it. False when the desktop would not give the menu
  // the input (another program holds it): a menu that could not be closed by a click elsewhere
  // is not shown.
  bool Popup(int x, int y);
  void CloseMenu();
  bool IsOpen() const { return open_; }

  // The selected item (-1: none), and the window while it exists.
  int Selected() const { return selected_; }
  platform::HWND Handle() const { return handle_; }
  // The item's place in the menu's client area; empty for an index out of range.
  TRect ItemRect(int index) const;

  TFont* Font() { return &font_; }

 protected:
  static constexpr int kFrame = 3;         // the frame around the items
  static constexpr int kGutter = 22;       // left of the captions: the bullet's column
  static constexpr int kRightMargin = 20;  // right of the captions
  static constexpr int kSeparatorHeight = 9;
  static constexpr int kMinItemHeight = 20;
  static constexpr int kItemPadding = 8;  // above and below the caption's text together

  // The menu's face without items (frame and body) over the whole image.
  virtual void DrawBackground(TBitmap* image);
  // One command at its rectangle, selected or not.
  virtual void DrawItem(TBitmap* image, const TMenuItem& item, const TRect& rect, bool selected);
  // A separator line across its rectangle.
  virtual void DrawSeparator(TBitmap* image, const TRect& rect);

  // The height of command items: the font's text height with room around it.
  int ItemHeight() const { return itemHeight_; }

 private:
  platform::LRESULT Proc(platform::HWND hwnd, platform::UINT msg, platform::WPARAM w,
                         platform::LPARAM l);
  void Layout();
  void Paint();
  void Select(int index);
  // The next selectable item after from (step +1) or before it (step -1), wrapping; -1 if none.
  int NextSelectable(int from, int step) const;
  int ItemAt(platform::TPoint client) const;
  void Choose(int index);
  void OnKey(int virtualKey);

  std::vector<TMenuItem> items_;
  std::vector<int> tops_;  // the top of each item in the client area
  TFont font_;
  int itemHeight_ = kMinItemHeight;
  TSize size_{};
  platform::HWND handle_ = nullptr;
  bool open_ = false;
  int selected_ = -1;
};

// The mark of a checked menu item: a small round bullet in the colour, centred at the point, five
// pixels across at the display's factor.
void DrawMenuBullet(TBitmap* image, platform::TPoint centre, platform::TColor color);

}  // namespace framework
