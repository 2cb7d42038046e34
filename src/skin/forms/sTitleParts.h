#pragma once
// The title-bar parts a form skin provider keeps for bordered forms: extra title buttons and the
// title icon. The program's forms are borderless and store none; the classes exist so that
// descriptions holding them read and write back.

#include <memory>
#include <string>

#include "framework/classes/Collection.h"
#include "framework/graphics/Bitmap.h"

namespace skin {

class TsTitleButton : public framework::TCollectionItem {
 public:
  explicit TsTitleButton(framework::TCollection* collection);
  DECLARE_CLASS_INFO()

  std::string Name;
  bool Enabled = true;
  bool Visible = true;
  framework::TBitmap* Glyph() const { return glyph_.get(); }

 private:
  std::unique_ptr<framework::TBitmap> glyph_;
};

class TsTitleButtons : public framework::TCollection {
 public:
  TsTitleButtons();
  TsTitleButton* Items(int index) const { return static_cast<TsTitleButton*>(Item(index)); }
};

class TsTitleIcon : public framework::TPersistent {
 public:
  TsTitleIcon();
  DECLARE_CLASS_INFO()

  framework::TBitmap* Glyph() const { return glyph_.get(); }
  // 0: the glyph's own size.
  int Width = 0;
  int Height = 0;

 private:
  std::unique_ptr<framework::TBitmap> glyph_;
};

}  // namespace skin
