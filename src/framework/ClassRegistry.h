#pragma once
// Published classes and properties: what lets a stored form description name classes, set
// properties through their setters, bind events to a form's methods, and be written back.
//
// Each class describes itself once in a TClassInfo (its name, its parent class's description, how
// to make an instance, its published properties and, for forms, its published methods), built with
// TClassBuilder. RegisterClass makes a class known by name to the form reader.

#include <any>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <typeindex>
#include <utility>
#include <vector>

#include "framework/Component.h"
#include "framework/FormValue.h"
#include "framework/Persistent.h"
#include "platform/drawing/Colors.h"

namespace framework {

class TComponent;
class TCollection;
class TStrings;
class TReader;

// A failure while reading a form description; the reader puts the line in front of the message.
class EReadError : public Exception {
 public:
  using Exception::Exception;
};

enum class TPropKind {
  Integer,
  Real,
  String,
  Boolean,
  Enumeration,
  Set,
  Color,
  Object,
  Collection,
  Strings,
  Binary,
  Method
};

struct TPropInfo {
  std::string name;
  TPropKind kind = TPropKind::Integer;
  // Sets the property of obj from a description value; raises EReadError for a value of the wrong
  // kind or out of range.
  std::function<void(TObject* obj, const TFormValue& value, TReader& reader)> read;
  // The value as a description holds it, or nullopt when it equals the default (then it is not
  // written). Empty for properties that are never written (events).
  std::function<std::optional<TFormValue>(const TObject* obj)> write;
  // Object properties: the nested persistent object, for dotted paths and nested writing.
  // String-list properties have one too, so that "Lines.Strings = (...)" reaches the list.
  std::function<TPersistent*(TObject* obj)> object;
  // Copies the value from src to dst (objects of the same class) exactly, default or not; empty
  // for events and for object properties, which AssignPublishedProperties walks into instead.
  std::function<void(const TObject* src, TObject* dst)> copy;
};

class TClassInfo {
 public:
  using Factory = std::function<TComponent*(TComponent* owner)>;
  // A published method: the event type it can serve, and its binding to an instance, which gives
  // the event value (a std::function of that type) calling the method on `self`.
  struct MethodInfo {
    std::type_index eventType;
    std::function<std::any(TObject* self)> bind;
  };

  TClassInfo(std::string name, const TClassInfo* parent, Factory factory = {});

  const std::string& Name() const { return name_; }
  const TClassInfo* Parent() const { return parent_; }
  bool InheritsFrom(const std::string& className) const;
  bool CanCreate() const { return static_cast<bool>(factory_); }
  TComponent* CreateInstance(TComponent* owner) const;

  // Looks the property up here and in the parent classes; nullptr when there is none.
  // Property, method and field names are case-sensitive.
  const TPropInfo* FindProperty(const std::string& name) const;
  // Every property, the parent class's first, in the order they were published. A property that
  // a class publishes again under its parent's name takes the parent's place.
  std::vector<const TPropInfo*> AllProperties() const;
  // Publishing one name twice in the same class is a programming error (Exception).
  void AddProperty(TPropInfo info);

  // Looks the method up here and in the parent classes.
  const MethodInfo* FindMethod(const std::string& name) const;
  void AddMethod(const std::string& name, MethodInfo method);

  // A published field of a form class: the reader stores the component of that name in it, and
  // raises EReadError when the component is not of the field's class; nullptr clears the field
  // (the reader does so when it frees the components of a description it could not read).
  using FieldSetter = std::function<void(TObject* self, TComponent* component)>;
  const FieldSetter* FindField(const std::string& name) const;
  void AddField(const std::string& name, FieldSetter setter);

 private:
  std::string name_;
  const TClassInfo* parent_;
  Factory factory_;
  std::vector<TPropInfo> properties_;
  std::map<std::string, MethodInfo> methods_;
  std::map<std::string, FieldSetter> fields_;
};

// Makes a class known to the form reader by its name (registering again is harmless; another
// class under a name already taken is a programming error and raises Exception). The info must
// live as long as the program (each class's StaticClassInfo does).
void RegisterClass(const TClassInfo& info);
const TClassInfo* FindClass(const std::string& name);

// Copies every published property of src into dst, which must be of the same class (else
// EConvertError): values through TPropInfo::copy, nested objects property by property. Events are
// not copied. Collection items use it for Assign.
void AssignPublishedProperties(const TObject* src, TObject* dst);

// Colour names of descriptions (clWhite, clBtnFace, ...), both ways.
std::optional<platform::TColor> IdentToColor(const std::string& ident);
std::optional<std::string> ColorToIdent(platform::TColor color);

// A name/value table for enumerations and set elements.
template <typename E>
using TEnumNames = std::vector<std::pair<std::string, E>>;

// Builds the published part of class C (C derives from TObject).
template <typename C>
class TClassBuilder {
 public:
  explicit TClassBuilder(TClassInfo& info) : info_(info) {}

  TClassBuilder& Integer(const std::string& name, std::function<int(const C&)> get,
                         std::function<void(C&, int)> set, std::optional<int> def = std::nullopt);
  TClassBuilder& Real(const std::string& name, std::function<double(const C&)> get,
                      std::function<void(C&, double)> set,
                      std::optional<double> def = std::nullopt);
  TClassBuilder& String(const std::string& name, std::function<std::string(const C&)> get,
                        std::function<void(C&, const std::string&)> set,
                        std::optional<std::string> def = std::string());
  TClassBuilder& Boolean(const std::string& name, std::function<bool(const C&)> get,
                         std::function<void(C&, bool)> set, std::optional<bool> def = std::nullopt);
  TClassBuilder& Color(const std::string& name, std::function<platform::TColor(const C&)> get,
                       std::function<void(C&, platform::TColor)> set,
                       std::optional<platform::TColor> def = std::nullopt);
  template <typename E>
  TClassBuilder& Enum(const std::string& name, std::function<E(const C&)> get,
                      std::function<void(C&, E)> set, TEnumNames<E> names,
                      std::optional<E> def = std::nullopt);
  // A set is a bit mask; each named element is one bit value.
  TClassBuilder& Set(const std::string& name, std::function<uint32_t(const C&)> get,
                     std::function<void(C&, uint32_t)> set, TEnumNames<uint32_t> names,
                     std::optional<uint32_t> def = std::nullopt);
  TClassBuilder& Object(const std::string& name, std::function<TPersistent*(C&)> get);
  TClassBuilder& Collection(const std::string& name, std::function<TCollection*(C&)> get);
  TClassBuilder& Strings(const std::string& name, std::function<TStrings*(C&)> get);
  TClassBuilder& Binary(const std::string& name, std::function<std::vector<uint8_t>(const C&)> get,
                        std::function<void(C&, std::vector<uint8_t>)> set);
  // An event property of type Event (a std::function type): bound to a published method of the
  // form being read, found by name; never written.
  template <typename Event>
  TClassBuilder& EventProperty(const std::string& name, std::function<void(C&, Event)> set);
  // A published method of a form class, callable through events of type Event.
  template <typename Event, typename MethodPtr>
  TClassBuilder& Method(const std::string& name, MethodPtr method);
  // A published field of a form class holding the component of that name (T* C::*field).
  template <typename T>
  TClassBuilder& Field(const std::string& name, T* C::*field);

 private:
  template <typename V>
  void Add(const std::string& name, TPropKind kind,
           std::function<V(const TFormValue&, TReader&)> convert, std::function<V(const C&)> get,
           std::function<void(C&, V)> set, std::optional<V> def,
           std::function<TFormValue(const V&)> toValue);

  TClassInfo& info_;
};

// Conversions of description values, shared by the builders; each raises EReadError.
int64_t ReadIntegerValue(const TFormValue& value);
double ReadRealValue(const TFormValue& value);
std::string ReadStringValue(const TFormValue& value);
bool ReadBooleanValue(const TFormValue& value);
platform::TColor ReadColorValue(const TFormValue& value);
std::any BindMethodValue(const TFormValue& value, TReader& reader, std::type_index eventType);
TFormValue MakeIntegerValue(int64_t v);
TFormValue MakeRealValue(double v);
TFormValue MakeStringValue(const std::string& v);
TFormValue MakeIdentValue(const std::string& v);
TFormValue MakeColorValue(platform::TColor v);
void ReadCollectionValue(TCollection* collection, const TFormValue& value, TReader& reader);
void ReadStringsValue(TStrings* strings, const TFormValue& value);
std::vector<uint8_t> ReadBinaryValue(const TFormValue& value);
// The collection as a description holds it: one item per element with the item's properties that
// differ from their defaults; nullopt for an empty collection.
std::optional<TFormValue> WriteCollectionValue(const TCollection* collection);
// Assign between the collections or string lists of two objects of one class.
void AssignCollection(TCollection* dst, const TCollection* src);
void AssignStrings(TStrings* dst, const TStrings* src);
[[noreturn]] void ThrowPropertyError(const std::string& message);

// ---------------------------------------------------------------------------------------------

template <typename C>
template <typename V>
void TClassBuilder<C>::Add(const std::string& name, TPropKind kind,
                           std::function<V(const TFormValue&, TReader&)> convert,
                           std::function<V(const C&)> get, std::function<void(C&, V)> set,
                           std::optional<V> def, std::function<TFormValue(const V&)> toValue) {
  TPropInfo p;
  p.name = name;
  p.kind = kind;
  p.read = [convert, set](TObject* obj, const TFormValue& value, TReader& reader) {
    set(*static_cast<C*>(obj), convert(value, reader));
  };
  if (get) {
    p.write = [get, def, toValue](const TObject* obj) -> std::optional<TFormValue> {
      const V v = get(*static_cast<const C*>(obj));
      if (def && v == *def) return std::nullopt;
      return toValue(v);
    };
    p.copy = [get, set](const TObject* src, TObject* dst) {
      set(*static_cast<C*>(dst), get(*static_cast<const C*>(src)));
    };
  }
  info_.AddProperty(std::move(p));
}

template <typename C>
TClassBuilder<C>& TClassBuilder<C>::Integer(const std::string& name,
                                            std::function<int(const C&)> get,
                                            std::function<void(C&, int)> set,
                                            std::optional<int> def) {
  Add<int>(
      name, TPropKind::Integer,
      [](const TFormValue& v, TReader&) {
        const int64_t i = ReadIntegerValue(v);
        if (i < INT32_MIN || i > INT32_MAX) ThrowPropertyError("Integer value out of range");
        return static_cast<int>(i);
      },
      get, set, def, [](const int& v) { return MakeIntegerValue(v); });
  return *this;
}

template <typename C>
TClassBuilder<C>& TClassBuilder<C>::Real(const std::string& name,
                                         std::function<double(const C&)> get,
                                         std::function<void(C&, double)> set,
                                         std::optional<double> def) {
  Add<double>(
      name, TPropKind::Real, [](const TFormValue& v, TReader&) { return ReadRealValue(v); }, get,
      set, def, [](const double& v) { return MakeRealValue(v); });
  return *this;
}

template <typename C>
TClassBuilder<C>& TClassBuilder<C>::String(const std::string& name,
                                           std::function<std::string(const C&)> get,
                                           std::function<void(C&, const std::string&)> set,
                                           std::optional<std::string> def) {
  std::function<void(C&, std::string)> setter = [set](C& c, std::string v) { set(c, v); };
  Add<std::string>(
      name, TPropKind::String, [](const TFormValue& v, TReader&) { return ReadStringValue(v); },
      get, setter, def, [](const std::string& v) { return MakeStringValue(v); });
  return *this;
}

template <typename C>
TClassBuilder<C>& TClassBuilder<C>::Boolean(const std::string& name,
                                            std::function<bool(const C&)> get,
                                            std::function<void(C&, bool)> set,
                                            std::optional<bool> def) {
  Add<bool>(
      name, TPropKind::Boolean, [](const TFormValue& v, TReader&) { return ReadBooleanValue(v); },
      get, set, def, [](const bool& v) { return MakeIdentValue(v ? "True" : "False"); });
  return *this;
}

template <typename C>
TClassBuilder<C>& TClassBuilder<C>::Color(const std::string& name,
                                          std::function<platform::TColor(const C&)> get,
                                          std::function<void(C&, platform::TColor)> set,
                                          std::optional<platform::TColor> def) {
  Add<platform::TColor>(
      name, TPropKind::Color, [](const TFormValue& v, TReader&) { return ReadColorValue(v); }, get,
      set, def, [](const platform::TColor& v) { return MakeColorValue(v); });
  return *this;
}

template <typename C>
template <typename E>
TClassBuilder<C>& TClassBuilder<C>::Enum(const std::string& name, std::function<E(const C&)> get,
                                         std::function<void(C&, E)> set, TEnumNames<E> names,
                                         std::optional<E> def) {
  auto table = std::make_shared<TEnumNames<E>>(std::move(names));
  Add<E>(
      name, TPropKind::Enumeration,
      [table, name](const TFormValue& v, TReader&) {
        if (v.kind != TFormValue::Kind::Identifier) ThrowPropertyError("Invalid property value");
        for (const auto& [ident, value] : *table)
          if (ident == v.text) return value;
        ThrowPropertyError("Invalid property value '" + v.text + "'");
      },
      get, set, def,
      [table](const E& value) {
        for (const auto& [ident, e] : *table)
          if (e == value) return MakeIdentValue(ident);
        return MakeIntegerValue(static_cast<int64_t>(value));
      });
  return *this;
}

template <typename C>
TClassBuilder<C>& TClassBuilder<C>::Set(const std::string& name,
                                        std::function<uint32_t(const C&)> get,
                                        std::function<void(C&, uint32_t)> set,
                                        TEnumNames<uint32_t> names, std::optional<uint32_t> def) {
  auto table = std::make_shared<TEnumNames<uint32_t>>(std::move(names));
  Add<uint32_t>(
      name, TPropKind::Set,
      [table](const TFormValue& v, TReader&) {
        if (v.kind != TFormValue::Kind::Set) ThrowPropertyError("Invalid property value");
        uint32_t bits = 0;
        for (const std::string& element : v.list) {
          bool found = false;
          for (const auto& [ident, bit] : *table) {
            if (ident == element) {
              bits |= bit;
              found = true;
            }
          }
          if (!found) ThrowPropertyError("Invalid property value '" + element + "'");
        }
        return bits;
      },
      get, set, def,
      [table](const uint32_t& bits) {
        TFormValue v;
        v.kind = TFormValue::Kind::Set;
        for (const auto& [ident, bit] : *table)
          if (bits & bit) v.list.push_back(ident);
        return v;
      });
  return *this;
}

template <typename C>
TClassBuilder<C>& TClassBuilder<C>::Object(const std::string& name,
                                           std::function<TPersistent*(C&)> get) {
  TPropInfo p;
  p.name = name;
  p.kind = TPropKind::Object;
  p.object = [get](TObject* obj) { return get(*static_cast<C*>(obj)); };
  p.read = [name](TObject*, const TFormValue&, TReader&) {
    ThrowPropertyError("Property " + name + " holds an object: set its properties with " + name +
                       ".Name = value");
  };
  info_.AddProperty(std::move(p));
  return *this;
}

template <typename C>
TClassBuilder<C>& TClassBuilder<C>::Collection(const std::string& name,
                                               std::function<TCollection*(C&)> get) {
  TPropInfo p;
  p.name = name;
  p.kind = TPropKind::Collection;
  p.read = [get](TObject* obj, const TFormValue& value, TReader& reader) {
    ReadCollectionValue(get(*static_cast<C*>(obj)), value, reader);
  };
  // The getter gives the collection the object owns; writing does not change it.
  p.write = [get](const TObject* obj) {
    return WriteCollectionValue(get(*const_cast<C*>(static_cast<const C*>(obj))));
  };
  p.copy = [get](const TObject* src, TObject* dst) {
    AssignCollection(get(*static_cast<C*>(dst)), get(*const_cast<C*>(static_cast<const C*>(src))));
  };
  info_.AddProperty(std::move(p));
  return *this;
}

template <typename C>
TClassBuilder<C>& TClassBuilder<C>::Strings(const std::string& name,
                                            std::function<TStrings*(C&)> get) {
  TPropInfo p;
  p.name = name;
  p.kind = TPropKind::Strings;
  p.read = [get](TObject* obj, const TFormValue& value, TReader&) {
    ReadStringsValue(get(*static_cast<C*>(obj)), value);
  };
  // Written as "Lines.Strings = (...)" through the list's own Strings property.
  p.object = [get](TObject* obj) -> TPersistent* { return get(*static_cast<C*>(obj)); };
  p.copy = [get](const TObject* src, TObject* dst) {
    AssignStrings(get(*static_cast<C*>(dst)), get(*const_cast<C*>(static_cast<const C*>(src))));
  };
  info_.AddProperty(std::move(p));
  return *this;
}

template <typename C>
TClassBuilder<C>& TClassBuilder<C>::Binary(const std::string& name,
                                           std::function<std::vector<uint8_t>(const C&)> get,
                                           std::function<void(C&, std::vector<uint8_t>)> set) {
  TPropInfo p;
  p.name = name;
  p.kind = TPropKind::Binary;
  p.read = [set](TObject* obj, const TFormValue& value, TReader&) {
    set(*static_cast<C*>(obj), ReadBinaryValue(value));
  };
  if (get) {
    p.write = [get](const TObject* obj) -> std::optional<TFormValue> {
      TFormValue v;
      v.kind = TFormValue::Kind::Binary;
      v.bytes = get(*static_cast<const C*>(obj));
      if (v.bytes.empty()) return std::nullopt;
      return v;
    };
    if (set) {
      p.copy = [get, set](const TObject* src, TObject* dst) {
        set(*static_cast<C*>(dst), get(*static_cast<const C*>(src)));
      };
    }
  }
  info_.AddProperty(std::move(p));
  return *this;
}

template <typename C>
template <typename Event>
TClassBuilder<C>& TClassBuilder<C>::EventProperty(const std::string& name,
                                                  std::function<void(C&, Event)> set) {
  TPropInfo p;
  p.name = name;
  p.kind = TPropKind::Method;
  p.read = [set](TObject* obj, const TFormValue& value, TReader& reader) {
    set(*static_cast<C*>(obj),
        std::any_cast<Event>(BindMethodValue(value, reader, std::type_index(typeid(Event)))));
  };
  info_.AddProperty(std::move(p));
  return *this;
}

template <typename C>
template <typename Event, typename MethodPtr>
TClassBuilder<C>& TClassBuilder<C>::Method(const std::string& name, MethodPtr method) {
  info_.AddMethod(name, {std::type_index(typeid(Event)), [method](TObject* self) -> std::any {
                           C* target = static_cast<C*>(self);
                           return Event([target, method](auto&&... args) {
                             (target->*method)(std::forward<decltype(args)>(args)...);
                           });
                         }});
  return *this;
}

template <typename C>
template <typename T>
TClassBuilder<C>& TClassBuilder<C>::Field(const std::string& name, T* C::*field) {
  info_.AddField(name, [name, field](TObject* self, TComponent* component) {
    T* typed = dynamic_cast<T*>(component);
    if (component && !typed)
      ThrowPropertyError("Component " + name + " is not of the class its field holds");
    static_cast<C*>(self)->*field = typed;
  });
  return *this;
}

}  // namespace framework
