#pragma once
// The roots of the class library: TObject, and TPersistent, an object that can copy itself from
// another (Assign) and whose published properties are stored in form descriptions.

#include <functional>
#include <string>

#include "platform/Exception.h"

namespace framework {

using platform::Exception;

class TClassInfo;
class TObject;

// Declares, inside the body of a class that publishes anything, the pair every such class has:
// StaticClassInfo (defined in the class's source file, with TClassBuilder) and the ClassInfo
// override that answers with it.
#define DECLARE_CLASS_INFO()                               \
  static const ::framework::TClassInfo& StaticClassInfo(); \
  const ::framework::TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

// The event type of plain notifications (OnClick, OnChange, ...).
using TNotifyEvent = std::function<void(TObject* sender)>;

class TObject {
 public:
  virtual ~TObject() = default;
  // The class's published description (name, parent class, properties); see ClassRegistry.h.
  // Every class that publishes anything declares its own with DECLARE_CLASS_INFO().
  static const TClassInfo& StaticClassInfo();
  virtual const TClassInfo& ClassInfo() const { return StaticClassInfo(); }
  std::string ClassName() const;
  bool InheritsFrom(const std::string& className) const;
};

// Raised when an object is taken as a class it is not of.
class EInvalidCast : public Exception {
 public:
  using Exception::Exception;
};

// Raised when an Assign is asked between classes that cannot take each other's values.
class EConvertError : public Exception {
 public:
  using Exception::Exception;
};

class TPersistent : public TObject {
 public:
  // Copies what source holds. A class that knows the source's kind overrides Assign; otherwise the
  // source is asked to assign itself to this (AssignTo), and if neither can, EConvertError.
  virtual void Assign(const TPersistent* source);
  DECLARE_CLASS_INFO()

 protected:
  virtual void AssignTo(TPersistent* dest) const;
};

}  // namespace framework
