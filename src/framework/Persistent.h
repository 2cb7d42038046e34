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

// The event type of plain notifications (OnClick, OnChange, ...).
using TNotifyEvent = std::function<void(TObject* sender)>;

class TObject {
 public:
  virtual ~TObject() = default;
  // The class's published description (name, parent class, properties); see ClassRegistry.h.
  // Every class that publishes anything has a StaticClassInfo and overrides ClassInfo with it.
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
  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

 protected:
  virtual void AssignTo(TPersistent* dest) const;
};

}  // namespace framework
