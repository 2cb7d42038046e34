#include "framework/classes/Persistent.h"

#include "framework/classes/ClassBuilder.h"

namespace framework {

const TClassInfo& TObject::StaticClassInfo() {
  static const TClassInfo info("TObject", nullptr);
  return info;
}

std::string TObject::ClassName() const { return ClassInfo().Name(); }

bool TObject::InheritsFrom(const std::string& className) const {
  return ClassInfo().InheritsFrom(className);
}

const TClassInfo& TPersistent::StaticClassInfo() {
  static const TClassInfo info =
      TClassBuilder<TPersistent>("TPersistent", TObject::StaticClassInfo());
  return info;
}

void TPersistent::Assign(const TPersistent* source) {
  if (source) {
    source->AssignTo(this);
    return;
  }
  throw EConvertError("Cannot assign nil to a " + ClassName());
}

void TPersistent::AssignTo(TPersistent* dest) const {
  throw EConvertError("Cannot assign a " + ClassName() + " to a " + dest->ClassName());
}

}  // namespace framework
