#include "skin/forms/sTitleParts.h"

#include "framework/classes/ClassBuilder.h"

namespace skin {

using framework::TClassBuilder;
using framework::TClassInfo;

const TClassInfo& TsTitleButton::StaticClassInfo() {
  using B = TsTitleButton;
  static const TClassInfo info =
      TClassBuilder<B>("TsTitleButton", framework::TCollectionItem::StaticClassInfo())
          .String("Name", &B::Name)
          .Boolean("Enabled", &B::Enabled, true)
          .Boolean("Visible", &B::Visible, true)
          .Object("Glyph", &B::Glyph);
  return info;
}

TsTitleButton::TsTitleButton(framework::TCollection* collection)
    : framework::TCollectionItem(collection), glyph_(std::make_unique<framework::TBitmap>()) {}

TsTitleButtons::TsTitleButtons()
    : framework::TCollection([](framework::TCollection* c) { return new TsTitleButton(c); }) {}

const TClassInfo& TsTitleIcon::StaticClassInfo() {
  using I = TsTitleIcon;
  static const TClassInfo info = TClassBuilder<I>("TsTitleIcon", TPersistent::StaticClassInfo())
                                     .Object("Glyph", &I::Glyph)
                                     .Integer("Width", &I::Width, 0)
                                     .Integer("Height", &I::Height, 0);
  return info;
}

TsTitleIcon::TsTitleIcon() : glyph_(std::make_unique<framework::TBitmap>()) {}

}  // namespace skin
