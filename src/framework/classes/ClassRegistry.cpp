#include "framework/classes/ClassRegistry.h"

#include <mutex>

namespace framework {

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

}  // namespace framework
