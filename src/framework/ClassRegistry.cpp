#include "framework/ClassRegistry.h"

#include <array>
#include <cmath>
#include <mutex>

#include "framework/Collection.h"
#include "framework/FormReader.h"
#include "framework/Strings.h"

namespace framework {

using platform::TColor;

// ---- TClassInfo --------------------------------------------------------------------------------

TClassInfo::TClassInfo(std::string name, const TClassInfo* parent, Factory factory)
    : name_(std::move(name)), parent_(parent), factory_(std::move(factory)) {}

bool TClassInfo::InheritsFrom(const std::string& className) const {
  for (const TClassInfo* c = this; c; c = c->parent_)
    if (c->name_ == className) return true;
  return false;
}

TComponent* TClassInfo::CreateInstance(TComponent* owner) const {
  if (!factory_) throw Exception("Cannot create an instance of " + name_);
  return factory_(owner);
}

const TPropInfo* TClassInfo::FindProperty(const std::string& name) const {
  for (const TClassInfo* c = this; c; c = c->parent_)
    for (const TPropInfo& p : c->properties_)
      if (p.name == name) return &p;
  return nullptr;
}

std::vector<const TPropInfo*> TClassInfo::AllProperties() const {
  std::vector<const TPropInfo*> all =
      parent_ ? parent_->AllProperties() : std::vector<const TPropInfo*>{};
  for (const TPropInfo& p : properties_) {
    bool replaced = false;
    for (const TPropInfo*& inherited : all) {
      if (inherited->name == p.name) {
        inherited = &p;
        replaced = true;
        break;
      }
    }
    if (!replaced) all.push_back(&p);
  }
  return all;
}

void TClassInfo::AddProperty(TPropInfo info) {
  for (const TPropInfo& p : properties_)
    if (p.name == info.name)
      throw Exception(name_ + " publishes the property " + info.name + " twice");
  properties_.push_back(std::move(info));
}

const TClassInfo::MethodInfo* TClassInfo::FindMethod(const std::string& name) const {
  for (const TClassInfo* c = this; c; c = c->parent_)
    if (auto it = c->methods_.find(name); it != c->methods_.end()) return &it->second;
  return nullptr;
}

void TClassInfo::AddMethod(const std::string& name, MethodInfo method) {
  if (!methods_.emplace(name, std::move(method)).second)
    throw Exception(name_ + " publishes the method " + name + " twice");
}

const TClassInfo::FieldSetter* TClassInfo::FindField(const std::string& name) const {
  for (const TClassInfo* c = this; c; c = c->parent_)
    if (auto it = c->fields_.find(name); it != c->fields_.end()) return &it->second;
  return nullptr;
}

void TClassInfo::AddField(const std::string& name, FieldSetter setter) {
  if (!fields_.emplace(name, std::move(setter)).second)
    throw Exception(name_ + " publishes the field " + name + " twice");
}

// ---- The registry ------------------------------------------------------------------------------

namespace {

struct ClassTable {
  std::mutex lock;
  std::map<std::string, const TClassInfo*> byName;
};

ClassTable& Classes() {
  static ClassTable table;
  return table;
}

}  // namespace

void RegisterClass(const TClassInfo& info) {
  ClassTable& table = Classes();
  std::lock_guard guard(table.lock);
  auto [it, inserted] = table.byName.emplace(info.Name(), &info);
  if (!inserted && it->second != &info)
    throw Exception("Two different classes are registered under the name " + info.Name());
}

const TClassInfo* FindClass(const std::string& name) {
  ClassTable& table = Classes();
  std::lock_guard guard(table.lock);
  auto it = table.byName.find(name);
  return it == table.byName.end() ? nullptr : it->second;
}

// ---- Colour names ------------------------------------------------------------------------------

namespace {

struct ColorName {
  const char* name;
  TColor color;
};

// In the order ColorToIdent prefers when two names share a value (none do today).
constexpr std::array<ColorName, 52> kColorNames = {{
    {"clBlack", platform::clBlack},
    {"clMaroon", platform::clMaroon},
    {"clGreen", platform::clGreen},
    {"clOlive", platform::clOlive},
    {"clNavy", platform::clNavy},
    {"clPurple", platform::clPurple},
    {"clTeal", platform::clTeal},
    {"clGray", platform::clGray},
    {"clSilver", platform::clSilver},
    {"clRed", platform::clRed},
    {"clLime", platform::clLime},
    {"clYellow", platform::clYellow},
    {"clBlue", platform::clBlue},
    {"clFuchsia", platform::clFuchsia},
    {"clAqua", platform::clAqua},
    {"clWhite", platform::clWhite},
    {"clMoneyGreen", 0xC0DCC0},
    {"clSkyBlue", 0xF0CAA6},
    {"clCream", 0xF0FBFF},
    {"clMedGray", 0xA4A0A0},
    {"clNone", platform::clNone},
    {"clDefault", platform::clDefault},
    {"clScrollBar", platform::clScrollBar},
    {"clBackground", platform::clBackground},
    {"clActiveCaption", platform::clActiveCaption},
    {"clInactiveCaption", platform::clInactiveCaption},
    {"clMenu", platform::clMenu},
    {"clWindow", platform::clWindow},
    {"clWindowFrame", platform::clWindowFrame},
    {"clMenuText", platform::clMenuText},
    {"clWindowText", platform::clWindowText},
    {"clCaptionText", platform::clCaptionText},
    {"clActiveBorder", platform::clActiveBorder},
    {"clInactiveBorder", platform::clInactiveBorder},
    {"clAppWorkSpace", platform::clAppWorkSpace},
    {"clHighlight", platform::clHighlight},
    {"clHighlightText", platform::clHighlightText},
    {"clBtnFace", platform::clBtnFace},
    {"clBtnShadow", platform::clBtnShadow},
    {"clGrayText", platform::clGrayText},
    {"clBtnText", platform::clBtnText},
    {"clInactiveCaptionText", platform::clInactiveCaptionText},
    {"clBtnHighlight", platform::clBtnHighlight},
    {"cl3DDkShadow", platform::cl3DDkShadow},
    {"cl3DLight", platform::cl3DLight},
    {"clInfoText", platform::clInfoText},
    {"clInfoBk", platform::clInfoBk},
    {"clHotLight", platform::clHotLight},
    {"clGradientActiveCaption", platform::clGradientActiveCaption},
    {"clGradientInactiveCaption", platform::clGradientInactiveCaption},
    {"clMenuHighlight", platform::clMenuHighlight},
    {"clMenuBar", platform::clMenuBar},
}};

// How an unexpected value is named in messages.
std::string DescribeValue(const TFormValue& value) {
  switch (value.kind) {
    case TFormValue::Kind::Integer: return "the integer " + std::to_string(value.integer);
    case TFormValue::Kind::Real: return "a real number";
    case TFormValue::Kind::String: return "a string";
    case TFormValue::Kind::Identifier: return "the identifier " + value.text;
    case TFormValue::Kind::Set: return "a set";
    case TFormValue::Kind::Collection: return "a collection";
    case TFormValue::Kind::StringList: return "a string list";
    case TFormValue::Kind::Binary: return "binary data";
  }
  return "an unknown value";
}

[[noreturn]] void ThrowWrongKind(const char* expected, const TFormValue& value) {
  ThrowPropertyError(std::string("Invalid property value: expected ") + expected + ", found " +
                     DescribeValue(value));
}

}  // namespace

std::optional<TColor> IdentToColor(const std::string& ident) {
  for (const ColorName& c : kColorNames)
    if (ident == c.name) return c.color;
  return std::nullopt;
}

std::optional<std::string> ColorToIdent(TColor color) {
  for (const ColorName& c : kColorNames)
    if (color == c.color) return std::string(c.name);
  return std::nullopt;
}

// ---- Reading values ----------------------------------------------------------------------------

void ThrowPropertyError(const std::string& message) { throw EReadError(message); }

int64_t ReadIntegerValue(const TFormValue& value) {
  if (value.kind != TFormValue::Kind::Integer) ThrowWrongKind("an integer", value);
  return value.integer;
}

double ReadRealValue(const TFormValue& value) {
  if (value.kind == TFormValue::Kind::Real) return value.real;
  // Every 64-bit integer has a nearest double; that is the value meant.
  if (value.kind == TFormValue::Kind::Integer) return static_cast<double>(value.integer);
  ThrowWrongKind("a number", value);
}

std::string ReadStringValue(const TFormValue& value) {
  if (value.kind != TFormValue::Kind::String) ThrowWrongKind("a string", value);
  return value.text;
}

bool ReadBooleanValue(const TFormValue& value) {
  if (value.kind == TFormValue::Kind::Identifier) {
    if (value.text == "True") return true;
    if (value.text == "False") return false;
  }
  ThrowWrongKind("True or False", value);
}

TColor ReadColorValue(const TFormValue& value) {
  if (value.kind == TFormValue::Kind::Integer) {
    // Colours are 32-bit patterns: $FF00000F may be written unsigned as well as negative.
    if (value.integer < INT32_MIN || value.integer > int64_t{UINT32_MAX})
      ThrowPropertyError("Invalid property value: colour " + std::to_string(value.integer) +
                         " is out of range");
    return static_cast<TColor>(static_cast<uint32_t>(value.integer));
  }
  if (value.kind == TFormValue::Kind::Identifier) {
    if (auto color = IdentToColor(value.text)) return *color;
    ThrowPropertyError("Invalid property value: unknown colour " + value.text);
  }
  ThrowWrongKind("a colour", value);
}

std::any BindMethodValue(const TFormValue& value, TReader& reader, std::type_index eventType) {
  if (value.kind != TFormValue::Kind::Identifier)
    ThrowWrongKind("the name of an event handler", value);
  TComponent* root = reader.Root();
  const TClassInfo::MethodInfo* method = root ? root->ClassInfo().FindMethod(value.text) : nullptr;
  if (!method)
    ThrowPropertyError("Event handler " + value.text + " is not a published method of " +
                       (root ? root->ClassName() : std::string("the form")));
  if (method->eventType != eventType)
    ThrowPropertyError("Event handler " + value.text + " does not have the type this event needs");
  return method->bind(root);
}

void ReadCollectionValue(TCollection* collection, const TFormValue& value, TReader& reader) {
  if (value.kind != TFormValue::Kind::Collection) ThrowWrongKind("a collection", value);
  if (!collection) ThrowPropertyError("The collection does not exist");
  collection->Clear();
  for (const TCollectionItemDesc& itemDesc : value.items) {
    TCollectionItem* item = collection->Add();
    for (const TPropertyAssignment& assignment : itemDesc.properties)
      reader.SetProperty(item, assignment);
  }
}

void ReadStringsValue(TStrings* strings, const TFormValue& value) {
  if (value.kind != TFormValue::Kind::StringList) ThrowWrongKind("a string list", value);
  if (!strings) ThrowPropertyError("The string list does not exist");
  strings->Clear();
  for (const std::string& s : value.list) strings->Add(s);
}

std::vector<uint8_t> ReadBinaryValue(const TFormValue& value) {
  if (value.kind != TFormValue::Kind::Binary) ThrowWrongKind("binary data", value);
  return value.bytes;
}

// ---- Making values -----------------------------------------------------------------------------

TFormValue MakeIntegerValue(int64_t v) {
  TFormValue value;
  value.kind = TFormValue::Kind::Integer;
  value.integer = v;
  return value;
}

TFormValue MakeRealValue(double v) {
  // A description has no way to spell infinities and NaN; refusing here keeps the failure at the
  // object that holds the value instead of in a later, unreadable description.
  if (!std::isfinite(v))
    throw Exception("A real property value that is not finite cannot be stored");
  TFormValue value;
  value.kind = TFormValue::Kind::Real;
  value.real = v;
  value.text = FormatFormValue(value, 0);
  return value;
}

TFormValue MakeStringValue(const std::string& v) {
  TFormValue value;
  value.kind = TFormValue::Kind::String;
  value.text = v;
  return value;
}

TFormValue MakeIdentValue(const std::string& v) {
  TFormValue value;
  value.kind = TFormValue::Kind::Identifier;
  value.text = v;
  return value;
}

TFormValue MakeColorValue(TColor v) {
  if (auto ident = ColorToIdent(v)) return MakeIdentValue(*ident);
  return MakeIntegerValue(v);
}

// ---- Copying -----------------------------------------------------------------------------------

namespace {

void AssignProperties(const TObject* src, TObject* dst, int depth) {
  // Nested objects are owned parts; a chain this deep can only be a cycle.
  if (depth > 32) throw EConvertError("Published objects nest too deeply to copy");
  if (&src->ClassInfo() != &dst->ClassInfo())
    throw EConvertError("Cannot assign a " + src->ClassName() + " to a " + dst->ClassName());
  for (const TPropInfo* p : dst->ClassInfo().AllProperties()) {
    if (p->copy) {
      p->copy(src, dst);
    } else if (p->object && p->kind == TPropKind::Object) {
      TPersistent* from = p->object(const_cast<TObject*>(src));
      TPersistent* to = p->object(dst);
      if (from && to && from != to) AssignProperties(from, to, depth + 1);
    }
  }
}

}  // namespace

void AssignPublishedProperties(const TObject* src, TObject* dst) {
  if (!src || !dst || src == dst) return;
  AssignProperties(src, dst, 0);
}

void AssignCollection(TCollection* dst, const TCollection* src) {
  if (dst && src && dst != src) dst->Assign(src);
}

void AssignStrings(TStrings* dst, const TStrings* src) {
  if (dst && src && dst != src) dst->Assign(src);
}

}  // namespace framework
