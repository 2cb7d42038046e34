#pragma once
// Published classes and properties: what lets a stored form description name classes, set
// properties through their setters, bind events to a form's methods, and be written back.
//
// Each class describes itself once in a TClassInfo (its name, its parent class's description, how
// to make an instance, its published properties and, for forms, its published methods), built with
// TClassBuilder (ClassBuilder.h). RegisterClass makes a class known by name to the form reader.

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

#include "framework/classes/Component.h"
#include "framework/classes/FormValue.h"
#include "framework/classes/Persistent.h"

namespace framework {

class TComponent;
class TReader;

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
  Method,
  Component  // a reference to another component of the form, by its name
};

struct TPropInfo {
  std::string name;
  TPropKind kind = TPropKind::Integer;
  // Sets the property of obj from a description value; raises EReadError (PropertyValues.h) for a
  // value of the wrong kind or out of range.
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
  void SetFactory(Factory factory) { factory_ = std::move(factory); }

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

}  // namespace framework
