#pragma once
// Small published classes for the streaming tests: a form with fields and handlers, controls with
// one property of every kind, a nested label with a font (BoundLabel.Font.Height), a collection
// whose items hold their own collection and binary data, and a non-visual component. Every setter
// writes to the form's log, with the component's state at that moment.

#include <functional>
#include <string>
#include <vector>

#include "framework/classes/ClassBuilder.h"
#include "framework/classes/Collection.h"
#include "framework/classes/Component.h"
#include "framework/classes/Strings.h"

namespace streaming_test {

using namespace framework;
using platform::TColor;

using TTestClickEvent = std::function<void(TComponent*)>;
using TTestChangeEvent = std::function<void(TComponent*, int)>;

enum TAlign { alNone, alTop, alClient };
enum TAnchor : uint32_t { akLeft = 1, akTop = 2, akRight = 4, akBottom = 8 };
enum TFontStyle : uint32_t { fsBold = 1, fsItalic = 2 };

class TTestForm;
TTestForm* FormOf(const TComponent* c);
void LogTo(const TComponent* c, const std::string& entry);

class TTestFont : public TPersistent {
 public:
  explicit TTestFont(const TComponent* component) : component_(component) {}
  static const TClassInfo& StaticClassInfo() {
    static const TClassInfo info =
        TClassBuilder<TTestFont>("TTestFont", TPersistent::StaticClassInfo())
            .Integer(
                "Height", [](const TTestFont& f) { return f.height; },
                [](TTestFont& f, int v) {
                  f.height = v;
                  LogTo(f.component_, "Font.Height");
                },
                -11)
            .String("Name", &TTestFont::name, std::string("MS Sans Serif"))
            .Set("Style", &TTestFont::style, {{"fsBold", fsBold}, {"fsItalic", fsItalic}}, 0u);
    return info;
  }
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

  int height = -11;
  std::string name = "MS Sans Serif";
  uint32_t style = 0;

 private:
  const TComponent* component_;
};

class TTestLabel : public TPersistent {
 public:
  explicit TTestLabel(const TComponent* component) : font(component) {}
  static const TClassInfo& StaticClassInfo() {
    static const TClassInfo info =
        TClassBuilder<TTestLabel>("TTestLabel", TPersistent::StaticClassInfo())
            .String("Caption", &TTestLabel::caption)
            .Object("Font", &TTestLabel::font);
    return info;
  }
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

  std::string caption;
  TTestFont font;
};

class TTestSubItem : public TCollectionItem {
 public:
  using TCollectionItem::TCollectionItem;
  static const TClassInfo& StaticClassInfo() {
    static const TClassInfo info =
        TClassBuilder<TTestSubItem>("TTestSubItem", TCollectionItem::StaticClassInfo())
            .Integer("Value", &TTestSubItem::value);
    return info;
  }
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
  int value = 0;
};

class TTestItem : public TCollectionItem {
 public:
  explicit TTestItem(TCollection* collection)
      : TCollectionItem(collection), sub([](TCollection* c) { return new TTestSubItem(c); }) {}
  static const TClassInfo& StaticClassInfo() {
    static const TClassInfo info =
        TClassBuilder<TTestItem>("TTestItem", TCollectionItem::StaticClassInfo())
            .String("Caption", &TTestItem::caption)
            .Integer("Width", &TTestItem::width, 0)
            .Real("Scale", &TTestItem::scale, 0.0)
            .Collection("Sub", &TTestItem::sub)
            .Binary(
                "Data", [](const TTestItem& i) { return i.data; },
                [](TTestItem& i, std::vector<uint8_t> v) { i.data = std::move(v); });
    return info;
  }
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

  std::string caption;
  int width = 0;
  double scale = 0;
  TCollection sub;
  std::vector<uint8_t> data;
};

// A control: placed in the component whose block encloses it, one property of every kind.
class TTestControl : public TComponent {
 public:
  explicit TTestControl(TComponent* owner)
      : TComponent(owner),
        boundLabel(this),
        items([](TCollection* c) { return new TTestItem(c); }) {}
  static const TClassInfo& StaticClassInfo() {
    static const TClassInfo info =
        TClassBuilder<TTestControl>("TTestControl", TComponent::StaticClassInfo())
            .Creatable()
            .Integer(
                "Left", [](const TTestControl& o) { return o.left; },
                [](TTestControl& o, int v) {
                  o.left = v;
                  o.Log("Left");
                })
            .Real(
                "Ratio", [](const TTestControl& o) { return o.ratio; },
                [](TTestControl& o, double v) {
                  o.ratio = v;
                  o.Log("Ratio");
                },
                0.0)
            .String(
                "Caption", [](const TTestControl& o) { return o.caption; },
                [](TTestControl& o, const std::string& v) {
                  o.caption = v;
                  o.Log("Caption");
                })
            .Boolean(
                "Enabled", [](const TTestControl& o) { return o.enabled; },
                [](TTestControl& o, bool v) {
                  o.enabled = v;
                  o.Log("Enabled");
                },
                true)
            .Enum<TAlign>(
                "Align", [](const TTestControl& o) { return o.align; },
                [](TTestControl& o, TAlign v) {
                  o.align = v;
                  o.Log("Align");
                },
                {{"alNone", alNone}, {"alTop", alTop}, {"alClient", alClient}}, alNone)
            .Set(
                "Anchors", [](const TTestControl& o) { return o.anchors; },
                [](TTestControl& o, uint32_t v) {
                  o.anchors = v;
                  o.Log("Anchors");
                },
                {{"akLeft", akLeft},
                 {"akTop", akTop},
                 {"akRight", akRight},
                 {"akBottom", akBottom}},
                uint32_t{akLeft | akTop})
            .Color(
                "Color", [](const TTestControl& o) { return o.color; },
                [](TTestControl& o, TColor v) {
                  o.color = v;
                  o.Log("Color");
                },
                platform::clBtnFace)
            .Object("BoundLabel", &TTestControl::boundLabel)
            .Collection("Items",
                        [](TTestControl& o) {
                          o.Log("Items");
                          return &o.items;
                        })
            .Strings("Lines", &TTestControl::lines)
            .Binary(
                "Glyph", [](const TTestControl& o) { return o.glyph; },
                [](TTestControl& o, std::vector<uint8_t> v) {
                  o.glyph = std::move(v);
                  o.Log("Glyph");
                })
            .Component<TTestControl>(
                "Partner", [](const TTestControl& o) { return o.partner; },
                [](TTestControl& o, TTestControl* v) {
                  o.partner = v;
                  o.Log("Partner=" + (v ? v->Name() : std::string("nil")));
                })
            .EventProperty("OnClick", &TTestControl::onClick)
            .EventProperty("OnChange", &TTestControl::onChange);
    return info;
  }
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

  void SetParentComponent(TComponent* parent) override {
    parent_ = parent;
    Log("Parent=" + (parent ? parent->Name() : std::string("nil")));
  }
  TComponent* GetParentComponent() const override { return parent_; }
  void GetChildren(const std::function<void(TComponent*)>& proc,
                   const TComponent* root) const override {
    for (TComponent* c : root->Components())
      if (c->GetParentComponent() == this) proc(c);
  }
  void Loaded() override {
    TComponent::Loaded();
    Log("Loaded");
  }
  void Log(const std::string& what) const {
    LogTo(this, Name() + "." + what + (HasState(csLoading) ? " loading" : "") +
                    (HasState(csReading) ? " reading" : ""));
  }

  int left = 0;
  double ratio = 0;
  std::string caption;
  bool enabled = true;
  TAlign align = alNone;
  uint32_t anchors = akLeft | akTop;
  TColor color = platform::clBtnFace;
  TTestLabel boundLabel;
  TCollection items;
  TStringList lines;
  std::vector<uint8_t> glyph;
  TTestControl* partner = nullptr;
  TTestClickEvent onClick;
  TTestChangeEvent onChange;

 private:
  TComponent* parent_ = nullptr;
};

// A component that is not placed in anything: written directly inside the form.
class TTestTimer : public TComponent {
 public:
  using TComponent::TComponent;
  static const TClassInfo& StaticClassInfo() {
    static const TClassInfo info =
        TClassBuilder<TTestTimer>("TTestTimer", TComponent::StaticClassInfo())
            .Creatable()
            .Integer("Interval", &TTestTimer::interval, 1000);
    return info;
  }
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
  void Loaded() override {
    TComponent::Loaded();
    LogTo(this, Name() + ".Loaded");
  }
  int interval = 1000;
};

// A constructor that fails, for the clean-up after a failure while creating.
class TBrokenControl : public TComponent {
 public:
  explicit TBrokenControl(TComponent* owner) : TComponent(owner) {
    throw Exception("Cannot make a broken control");
  }
  static const TClassInfo& StaticClassInfo() {
    static const TClassInfo info =
        TClassBuilder<TBrokenControl>("TBrokenControl", TComponent::StaticClassInfo()).Creatable();
    return info;
  }
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
};

class TTestForm : public TComponent {
 public:
  using TComponent::TComponent;
  static const TClassInfo& StaticClassInfo() {
    static const TClassInfo info =
        TClassBuilder<TTestForm>("TTestForm", TComponent::StaticClassInfo())
            .String(
                "Caption", [](const TTestForm& f) { return f.caption; },
                [](TTestForm& f, const std::string& v) {
                  f.caption = v;
                  f.log.push_back("Form.Caption");
                })
            .Method<TTestClickEvent>("Button1Click", &TTestForm::Button1Click)
            .Method<TTestChangeEvent>("EditChange", &TTestForm::EditChange)
            .Field("Button1", &TTestForm::Button1)
            .Field("Panel1", &TTestForm::Panel1)
            .Field("Timer1", &TTestForm::Timer1);
    return info;
  }
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

  void GetChildren(const std::function<void(TComponent*)>& proc,
                   const TComponent* root) const override {
    for (TComponent* c : Components())
      if (!c->GetParentComponent() || c->GetParentComponent() == this) proc(c);
    (void)root;
  }
  void Loaded() override {
    TComponent::Loaded();
    log.push_back("Form.Loaded");
  }
  void Button1Click(TComponent* sender) { clicks.push_back(sender); }
  void EditChange(TComponent*, int value) { changes.push_back(value); }

  std::string caption;
  TTestControl* Button1 = nullptr;
  TTestControl* Panel1 = nullptr;
  TTestTimer* Timer1 = nullptr;
  std::vector<std::string> log;
  std::vector<TComponent*> clicks;
  std::vector<int> changes;
};

inline TTestForm* FormOf(const TComponent* c) {
  for (const TComponent* o = c; o; o = o->Owner())
    if (auto* form = dynamic_cast<const TTestForm*>(o)) return const_cast<TTestForm*>(form);
  return nullptr;
}

inline void LogTo(const TComponent* c, const std::string& entry) {
  if (TTestForm* form = FormOf(c)) form->log.push_back(entry);
}

inline void RegisterTestClasses() {
  RegisterClass(TTestControl::StaticClassInfo());
  RegisterClass(TTestTimer::StaticClassInfo());
  RegisterClass(TBrokenControl::StaticClassInfo());
  RegisterClass(TTestForm::StaticClassInfo());
}

}  // namespace streaming_test
