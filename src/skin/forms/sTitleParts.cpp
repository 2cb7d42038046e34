#include "skin/forms/sTitleParts.h"

#include "framework/ClassRegistry.h"

namespace skin {

using framework::TClassBuilder;
using framework::TClassInfo;

const TClassInfo& TsTitleButton::StaticClassInfo() {
  static const TClassInfo info = [] {
    TClassInfo c("TsTitleButton", &framework::TCollectionItem::StaticClassInfo());
    using B = TsTitleButton;
    TClassBuilder<B>(c)
        .String(
            "Name", [](const B& b) { return b.Name; },
            [](B& b, const std::string& v) { b.Name = v; })
        .Boolean(
            "Enabled", [](const B& b) { return b.Enabled; }, [](B& b, bool v) { b.Enabled = v; },
            true)
        .Boolean(
            "Visible", [](const B& b) { return b.Visible; }, [](B& b, bool v) { b.Visible = v; },
            true)
        .Object("Glyph", [](B& b) -> framework::TPersistent* { return b.Glyph(); });
    return c;
  }();
  return info;
}

TsTitleButton::TsTitleButton(framework::TCollection* collection)
    : framework::TCollectionItem(collection), glyph_(std::make_unique<framework::TBitmap>()) {}

TsTitleButtons::TsTitleButtons()
    : framework::TCollection([](framework::TCollection* c) { return new TsTitleButton(c); }) {}

const TClassInfo& TsTitleIcon::StaticClassInfo() {
  static const TClassInfo info = [] {
    TClassInfo c("TsTitleIcon", &TPersistent::StaticClassInfo());
    using I = TsTitleIcon;
    TClassBuilder<I>(c)
        .Object("Glyph", [](I& i) -> framework::TPersistent* { return i.Glyph(); })
        .Integer(
            "Width", [](const I& i) { return i.Width; }, [](I& i, int v) { i.Width = v; }, 0)
        .Integer(
            "Height", [](const I& i) { return i.Height; }, [](I& i, int v) { i.Height = v; }, 0);
    return c;
  }();
  return info;
}

TsTitleIcon::TsTitleIcon() : glyph_(std::make_unique<framework::TBitmap>()) {}

}  // namespace skin
