#include "framework/classes/FormReader.h"

#include <algorithm>
#include <utility>

#include "framework/classes/Component.h"

namespace framework {

namespace {

// A read error that already names the source and line: passed on unchanged by outer levels (an
// item of a collection inside a property of a component), so the innermost line is the one told.
class ELocatedReadError : public EReadError {
 public:
  using EReadError::EReadError;
};

}  // namespace

TReader::TReader(TComponent* root, std::string sourceName)
    : root_(root), sourceName_(std::move(sourceName)) {}

namespace {

[[noreturn]] void FailAt(const std::string& source, int line, const std::string& message) {
  throw ELocatedReadError(source + "(" + std::to_string(line) + "): " + message);
}

// Runs step; a failure without a line gets this one. Failures of setters that are the program's
// own exceptions (a duplicate name, a picture that does not decode) become read errors too.
template <typename F>
void AtLine(const std::string& source, int line, const std::string& context, F&& step) {
  try {
    step();
  } catch (const ELocatedReadError&) {
    throw;
  } catch (const Exception& e) {
    FailAt(source, line, context.empty() ? e.Message() : context + ": " + e.Message());
  }
}

}  // namespace

void TReader::SetProperty(TObject* obj, const TPropertyAssignment& assignment) {
  const std::string& path = assignment.path;
  const int line = assignment.line;
  const std::string& source = assignment.source ? *assignment.source : sourceName_;
  if (!obj || assignment.value.size() != 1) FailAt(source, line, "Invalid property assignment");
  TObject* target = obj;
  size_t start = 0;
  for (;;) {
    const size_t dot = path.find('.', start);
    const std::string part =
        path.substr(start, dot == std::string::npos ? std::string::npos : dot - start);
    const TPropInfo* prop = target->ClassInfo().FindProperty(part);
    if (dot == std::string::npos) {
      if (!prop || !prop->read) FailAt(source, line, "Unknown property '" + path + "'");
      // The last assignment of a property holds: a reference still waiting from an earlier one
      // goes. Fix-ups the value leaves name this assignment (collections read their items' own
      // assignments inside it, so the outer one comes back afterwards).
      std::erase_if(fixups_,
                    [&](const TFixup& f) { return f.object == target && f.property == prop; });
      const TReading outer = reading_;
      reading_ = {&assignment, &source, target, prop};
      AtLine(source, line, "Error reading " + path,
             [&] { prop->read(target, assignment.Value(), *this); });
      reading_ = outer;
      return;
    }
    // Only nested objects have properties of their own.
    TPersistent* nested = nullptr;
    if (prop && prop->object)
      AtLine(source, line, "Error reading " + path, [&] { nested = prop->object(target); });
    if (!nested) FailAt(source, line, "Unknown property '" + path + "'");
    target = nested;
    start = dot + 1;
  }
}

void TReader::AddFixup(const std::string& name, std::function<void(TComponent*)> set) {
  TFixup fixup{reading_.object, reading_.property, name, std::move(set), sourceName_, 0,
               std::string()};
  if (reading_.assignment) {
    fixup.line = reading_.assignment->line;
    fixup.path = reading_.assignment->path;
  }
  if (reading_.source) fixup.source = *reading_.source;
  fixups_.push_back(std::move(fixup));
}

// Every component of the description exists now: the references find what they name.
void TReader::ResolveFixups() {
  std::vector<TFixup> fixups;
  fixups.swap(fixups_);
  for (const TFixup& fixup : fixups) {
    TComponent* component = fixup.name == root_->Name() ? root_ : root_->FindComponent(fixup.name);
    if (!component) FailAt(fixup.source, fixup.line, "Component '" + fixup.name + "' not found");
    AtLine(fixup.source, fixup.line, "Error reading " + fixup.path, [&] { fixup.set(component); });
  }
}

void TReader::ReadComponent(TComponent* component, const TObjectDesc& desc) {
  component->SetState(csReading, true);
  for (const TPropertyAssignment& assignment : desc.properties) SetProperty(component, assignment);
  component->SetState(csReading, false);
  for (const TObjectDesc& child : desc.children) CreateChild(component, child);
}

TComponent* TReader::CreateChild(TComponent* container, const TObjectDesc& desc) {
  const TClassInfo* info = FindClass(desc.className);
  if (!info) FailAt(sourceName_, desc.line, "Class " + desc.className + " not found");
  if (!info->CanCreate())
    FailAt(sourceName_, desc.line, "Class " + desc.className + " cannot be created");
  TComponent* child = nullptr;
  AtLine(sourceName_, desc.line, "Error creating " + desc.className,
         [&] { child = info->CreateInstance(root_); });
  if (!child) FailAt(sourceName_, desc.line, "Class " + desc.className + " made no component");
  // Recorded at once, so a failure from here on frees it.
  loaded_.push_back(child);
  AtLine(sourceName_, desc.line, std::string(), [&] {
    if (child->Owner() != root_) root_->InsertComponent(child);
    child->AfterConstruction();
    child->SetState(csLoading, true);
    child->SetName(desc.name);
    if (const TClassInfo::FieldSetter* field = root_->ClassInfo().FindField(desc.name);
        field && !desc.name.empty())
      (*field)(root_, child);
    child->SetParentComponent(container);
  });
  ReadComponent(child, desc);
  return child;
}

void TReader::ReadRoot(const TObjectDesc& desc) {
  if (!root_) throw EReadError(sourceName_ + ": there is no component to read into");
  loaded_.clear();
  fixups_.clear();
  reading_ = {};
  try {
    root_->SetState(csLoading, true);
    if (!desc.name.empty())
      AtLine(sourceName_, desc.line, std::string(), [&] { root_->SetName(desc.name); });
    ReadComponent(root_, desc);
    ResolveFixups();
  } catch (...) {
    fixups_.clear();
    // No half-built form stays behind: the components made so far go, children before the
    // components they were placed in, and the root's fields forget them.
    const TClassInfo& rootClass = root_->ClassInfo();
    for (TComponent* c : loaded_) {
      if (const TClassInfo::FieldSetter* field = rootClass.FindField(c->Name());
          field && !c->Name().empty()) {
        try {
          (*field)(root_, nullptr);
        } catch (const Exception&) {
          // A field that cannot be cleared keeps its value; the error being reported matters more.
        }
      }
    }
    for (auto it = loaded_.rbegin(); it != loaded_.rend(); ++it) {
      // One component's destructor may have freed another already; only those the root still
      // owns are alive to be freed.
      const auto& owned = root_->Components();
      if (std::find(owned.begin(), owned.end(), *it) != owned.end()) delete *it;
    }
    loaded_.clear();
    root_->SetState(csReading, false);
    root_->SetState(csLoading, false);
    throw;
  }
  // Loaded runs once everything is in place: the root first, then the others in reading order.
  std::vector<TComponent*> order;
  order.reserve(loaded_.size() + 1);
  order.push_back(root_);
  order.insert(order.end(), loaded_.begin(), loaded_.end());
  loaded_.clear();
  for (size_t i = 0; i < order.size(); ++i) {
    order[i]->SetState(csLoading, false);
    try {
      order[i]->Loaded();
    } catch (...) {
      // The form is whole but not usable; its creator frees it, and nothing may still look loading.
      for (size_t j = i + 1; j < order.size(); ++j) order[j]->SetState(csLoading, false);
      throw;
    }
  }
  for (TComponent* c : order) c->SetState(csCreating, false);
}

void ReadComponentRes(TComponent* root, std::string_view text, const std::string& sourceName) {
  const TObjectDesc desc = ParseFormDescription(text, sourceName);
  TReader reader(root, sourceName);
  reader.ReadRoot(desc);
}

}  // namespace framework
