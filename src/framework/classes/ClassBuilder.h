#pragma once
// How a class publishes itself: TClassBuilder<C> makes C's TClassInfo, one line per published
// property, method or field. A property is given by member pointers (a getter and a setter, or
// the field that holds the value), or by lambdas where reading or writing needs more than that.
//
//   const TClassInfo& TCustomPanel::StaticClassInfo() {
//     static const TClassInfo info =
//         TClassBuilder<TCustomPanel>("TCustomPanel", TCustomControl::StaticClassInfo())
//             .Integer("BevelWidth", &TCustomPanel::BevelWidth, &TCustomPanel::SetBevelWidth, 1)
//             .EventProperty("OnResize", &TCustomPanel::OnResize);
//     return info;
//   }
//
// The class itself declares the pair StaticClassInfo/ClassInfo with DECLARE_CLASS_INFO().
//
// The optional last argument of a value property is its default: a value equal to it is not
// written to descriptions. Without one the value is always written (strings: the empty string is
// the default unless another is given). A property without a getter (nullptr) is read from
// descriptions but never written or copied.

#include <concepts>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

#include "framework/classes/ClassRegistry.h"
#include "framework/classes/PropertyValues.h"

namespace framework {

// A name/value table for enumerations and set elements.
template <typename E>
using TEnumNames = std::vector<std::pair<std::string, E>>;

namespace detail {

template <typename T>
struct IsUniquePtr : std::false_type {};
template <typename T>
struct IsUniquePtr<std::unique_ptr<T>> : std::true_type {};

// The object a member reaches: a getter's or a pointer field's value, the object a unique_ptr field
// owns, or the address of an object held by value.
template <typename R>
auto* ObjectPointer(R&& member) {
  using V = std::remove_cvref_t<R>;
  if constexpr (std::is_pointer_v<V>) {
    return member;
  } else if constexpr (IsUniquePtr<V>::value) {
    return member.get();
  } else {
    return &member;
  }
}

}  // namespace detail

template <typename C>
class TClassBuilder {
 public:
  // Starts the description of C under `name`, whose parent class is described by `parent`.
  TClassBuilder(std::string name, const TClassInfo& parent) : info_(std::move(name), &parent) {}

  // The finished description (every class keeps it in its StaticClassInfo's static).
  operator TClassInfo() const { return info_; }  // NOLINT(google-explicit-constructor)
  const TClassInfo& Info() const { return info_; }

  // The form reader may make instances, with `new C(owner)`.
  TClassBuilder& Creatable() {
    info_.SetFactory([](TComponent* owner) -> TComponent* { return new C(owner); });
    return *this;
  }

  // ---- Values: from a getter and a setter (member pointers or lambdas) -----------------------
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
  // E is taken from the table of names, or given: Enum<TAlign>(...).
  template <typename E>
  TClassBuilder& Enum(const std::string& name, std::type_identity_t<std::function<E(const C&)>> get,
                      std::type_identity_t<std::function<void(C&, E)>> set,
                      const TEnumNames<E>& names,
                      std::optional<std::type_identity_t<E>> def = std::nullopt);
  // A set is a bit mask; each named element is one bit value.
  TClassBuilder& Set(const std::string& name, std::function<uint32_t(const C&)> get,
                     std::function<void(C&, uint32_t)> set, const TEnumNames<uint32_t>& names,
                     std::optional<uint32_t> def = std::nullopt);
  // Written only when not empty; copied only when there is a setter.
  TClassBuilder& Binary(const std::string& name, std::function<std::vector<uint8_t>(const C&)> get,
                        std::function<void(C&, std::vector<uint8_t>)> set);

  // A reference to another component of the form (an image list, a control), named in
  // descriptions by that component's name. The reader sets it once the whole description is read,
  // so the component named may stand anywhere in it (ReadRoot); a name no component of the form
  // has, or a component of another class than T, is a read error naming the line; nil clears it.
  // Written as the component's name; not written while none (or a component without a name) is
  // set.
  template <typename T>
  TClassBuilder& Component(const std::string& name,
                           std::type_identity_t<std::function<T*(const C&)>> get,
                           std::type_identity_t<std::function<void(C&, T*)>> set);

  // ---- Values: from the field that holds them (a field of C or of a base class of C) ---------
  template <typename B>
  TClassBuilder& Integer(const std::string& name, int B::*field,
                         std::optional<int> def = std::nullopt) {
    return Integer(name, Getter(field), Setter(field), def);
  }
  template <typename B>
  TClassBuilder& Real(const std::string& name, double B::*field,
                      std::optional<double> def = std::nullopt) {
    return Real(name, Getter(field), Setter(field), def);
  }
  template <typename B>
  TClassBuilder& String(const std::string& name, std::string B::*field,
                        std::optional<std::string> def = std::string()) {
    return String(name, Getter(field), Setter(field), std::move(def));
  }
  template <typename B>
  TClassBuilder& Boolean(const std::string& name, bool B::*field,
                         std::optional<bool> def = std::nullopt) {
    return Boolean(name, Getter(field), Setter(field), def);
  }
  template <typename B>
  TClassBuilder& Color(const std::string& name, platform::TColor B::*field,
                       std::optional<platform::TColor> def = std::nullopt) {
    return Color(name, Getter(field), Setter(field), def);
  }
  template <typename E, typename B>
  requires std::is_enum_v<E> TClassBuilder& Enum(
      const std::string& name, E B::*field, const TEnumNames<E>& names,
      std::optional<std::type_identity_t<E>> def = std::nullopt) {
    return Enum<E>(name, Getter(field), Setter(field), names, def);
  }
  template <typename B>
  TClassBuilder& Set(const std::string& name, uint32_t B::*field, const TEnumNames<uint32_t>& names,
                     std::optional<uint32_t> def = std::nullopt) {
    return Set(name, Getter(field), Setter(field), names, def);
  }

  // ---- Owned parts: `member` is a getter, a field holding a pointer or a unique_ptr, a field
  // holding the part itself, or a lambda taking C& -------------------------------------------
  // A nested object: descriptions set its properties as "Name.Property = value".
  template <typename Member>
  TClassBuilder& Object(const std::string& name, Member member);
  template <typename Member>
  TClassBuilder& Collection(const std::string& name, Member member);
  template <typename Member>
  TClassBuilder& Strings(const std::string& name, Member member);

  // ---- Events, methods and fields of forms -------------------------------------------------
  // An event property: bound to a published method of the form being read, found by name; never
  // written. From the field that holds the handler, a setter taking it, or a lambda (with the
  // event type given: EventProperty<TNotifyEvent>(name, lambda)).
  template <typename Event, typename B>
  requires(!std::is_function_v<Event>) TClassBuilder& EventProperty(const std::string& name,
                                                                    Event B::*field) {
    return EventProperty<Event>(
        name, std::function<void(C&, Event)>([field](C& o, Event e) { o.*field = std::move(e); }));
  }
  template <typename Event, typename B>
  TClassBuilder& EventProperty(const std::string& name, void (B::*setter)(Event)) {
    return EventProperty<Event>(name, std::function<void(C&, Event)>(
                                          [setter](C& o, Event e) { (o.*setter)(std::move(e)); }));
  }
  template <typename Event>
  TClassBuilder& EventProperty(const std::string& name,
                               std::type_identity_t<std::function<void(C&, Event)>> set);
  // A published method of a form class, callable through events of type Event.
  template <typename Event, typename MethodPtr>
  TClassBuilder& Method(const std::string& name, MethodPtr method);
  // A published field of a form class holding the component of that name (T* C::*field).
  template <typename T>
  TClassBuilder& Field(const std::string& name, T* C::*field);

  // A property whose reading and writing are made by hand (TPropInfo says what each part does).
  TClassBuilder& Property(TPropInfo property) {
    info_.AddProperty(std::move(property));
    return *this;
  }

 private:
  template <typename V, typename B>
  static std::function<V(const C&)> Getter(V B::*field) {
    return [field](const C& o) { return o.*field; };
  }
  template <typename V, typename B>
  static std::function<void(C&, V)> Setter(V B::*field) {
    return [field](C& o, V v) { o.*field = std::move(v); };
  }
  template <typename Member>
  static auto* PartOf(const Member& member, C& object) {
    return detail::ObjectPointer(std::invoke(member, object));
  }

  template <typename V>
  void Add(const std::string& name, TPropKind kind,
           std::function<V(const TFormValue&, TReader&)> convert, std::function<V(const C&)> get,
           std::function<void(C&, V)> set, std::optional<V> def,
           std::function<TFormValue(const V&)> toValue);

  TClassInfo info_;
};

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
  std::function<void(C&, std::string)> setter;
  if (set) setter = [set](C& c, std::string v) { set(c, v); };
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
TClassBuilder<C>& TClassBuilder<C>::Enum(const std::string& name,
                                         std::type_identity_t<std::function<E(const C&)>> get,
                                         std::type_identity_t<std::function<void(C&, E)>> set,
                                         const TEnumNames<E>& names,
                                         std::optional<std::type_identity_t<E>> def) {
  auto table = std::make_shared<TEnumNames<E>>(names);
  Add<E>(
      name, TPropKind::Enumeration,
      [table](const TFormValue& v, TReader&) {
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
                                        const TEnumNames<uint32_t>& names,
                                        std::optional<uint32_t> def) {
  auto table = std::make_shared<TEnumNames<uint32_t>>(names);
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
template <typename T>
TClassBuilder<C>& TClassBuilder<C>::Component(
    const std::string& name, std::type_identity_t<std::function<T*(const C&)>> get,
    std::type_identity_t<std::function<void(C&, T*)>> set) {
  TPropInfo p;
  p.name = name;
  p.kind = TPropKind::Component;
  p.read = [name, set](TObject* obj, const TFormValue& value, TReader& reader) {
    C& self = *static_cast<C*>(obj);
    ReadComponentValue(value, reader, [name, set, &self](TComponent* component) {
      T* typed = dynamic_cast<T*>(component);
      if (component && !typed)
        ThrowPropertyError("Component " + component->Name() + " cannot be the " + name +
                           " of this component");
      set(self, typed);
    });
  };
  if (get) {
    p.write = [get](const TObject* obj) -> std::optional<TFormValue> {
      const T* component = get(*static_cast<const C*>(obj));
      if (!component || component->Name().empty()) return std::nullopt;
      return MakeIdentValue(component->Name());
    };
    p.copy = [get, set](const TObject* src, TObject* dst) {
      set(*static_cast<C*>(dst), get(*static_cast<const C*>(src)));
    };
  }
  info_.AddProperty(std::move(p));
  return *this;
}

template <typename C>
template <typename Member>
TClassBuilder<C>& TClassBuilder<C>::Object(const std::string& name, Member member) {
  TPropInfo p;
  p.name = name;
  p.kind = TPropKind::Object;
  p.object = [member](TObject* obj) -> TPersistent* {
    return PartOf(member, *static_cast<C*>(obj));
  };
  p.read = [name](TObject*, const TFormValue&, TReader&) {
    ThrowPropertyError("Property " + name + " holds an object: set its properties with " + name +
                       ".Name = value");
  };
  info_.AddProperty(std::move(p));
  return *this;
}

template <typename C>
template <typename Member>
TClassBuilder<C>& TClassBuilder<C>::Collection(const std::string& name, Member member) {
  // The member gives the collection the object owns; writing and copying from an object do not
  // change that object, though they reach its collection through a non-const path.
  auto collectionOf = [member](const TObject* obj) -> TCollection* {
    return PartOf(member, *const_cast<C*>(static_cast<const C*>(obj)));
  };
  TPropInfo p;
  p.name = name;
  p.kind = TPropKind::Collection;
  p.read = [collectionOf](TObject* obj, const TFormValue& value, TReader& reader) {
    ReadCollectionValue(collectionOf(obj), value, reader);
  };
  p.write = [collectionOf](const TObject* obj) { return WriteCollectionValue(collectionOf(obj)); };
  p.copy = [collectionOf](const TObject* src, TObject* dst) {
    AssignCollection(collectionOf(dst), collectionOf(src));
  };
  info_.AddProperty(std::move(p));
  return *this;
}

template <typename C>
template <typename Member>
TClassBuilder<C>& TClassBuilder<C>::Strings(const std::string& name, Member member) {
  auto stringsOf = [member](const TObject* obj) -> TStrings* {
    return PartOf(member, *const_cast<C*>(static_cast<const C*>(obj)));
  };
  TPropInfo p;
  p.name = name;
  p.kind = TPropKind::Strings;
  p.read = [stringsOf](TObject* obj, const TFormValue& value, TReader&) {
    ReadStringsValue(stringsOf(obj), value);
  };
  // Written as "Lines.Strings = (...)" through the list's own Strings property.
  p.object = [stringsOf](TObject* obj) -> TPersistent* { return stringsOf(obj); };
  p.copy = [stringsOf](const TObject* src, TObject* dst) {
    AssignStrings(stringsOf(dst), stringsOf(src));
  };
  info_.AddProperty(std::move(p));
  return *this;
}

template <typename C>
template <typename Event>
TClassBuilder<C>& TClassBuilder<C>::EventProperty(
    const std::string& name, std::type_identity_t<std::function<void(C&, Event)>> set) {
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
