#include "framework/classes/PropertyValues.h"

#include <cmath>

#include "framework/classes/Collection.h"
#include "framework/classes/ColorNames.h"
#include "framework/classes/Component.h"
#include "framework/classes/FormLexer.h"
#include "framework/classes/FormReader.h"
#include "framework/classes/Strings.h"

namespace framework {

using platform::TColor;

namespace {

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

void ReadComponentValue(const TFormValue& value, TReader& reader,
                        std::function<void(TComponent*)> set) {
  if (value.kind != TFormValue::Kind::Identifier) ThrowWrongKind("the name of a component", value);
  if (SameKeyword(value.text, "nil")) {
    set(nullptr);
    return;
  }
  reader.AddFixup(value.text, std::move(set));
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

void AssignCollection(TCollection* dst, const TCollection* src) {
  if (dst && src && dst != src) dst->Assign(src);
}

void AssignStrings(TStrings* dst, const TStrings* src) {
  if (dst && src && dst != src) dst->Assign(src);
}

}  // namespace framework
