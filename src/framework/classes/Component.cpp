#include "framework/classes/Component.h"

#include <algorithm>

#include "framework/classes/ClassBuilder.h"

namespace framework {

const TClassInfo& TComponent::StaticClassInfo() {
  static const TClassInfo info =
      TClassBuilder<TComponent>("TComponent", TPersistent::StaticClassInfo())
          .Creatable()
          // The name stands in the block's header ("object Name: TClass"), so it has no getter
          // here and is never written as a property; "Name = 'x'" still reads.
          .String("Name", nullptr, &TComponent::SetName)
          .Integer("Tag", &TComponent::Tag, 0);
  return info;
}

TComponent::TComponent(TComponent* owner) {
  if (owner) owner->InsertComponent(this);
}

TComponent::~TComponent() {
  Destroying();
  // Those who asked to be told go first, while this object is still whole.
  while (!freeNotifies_.empty()) {
    TComponent* other = freeNotifies_.back();
    freeNotifies_.pop_back();
    other->RemoveFreeNotification(this);
    other->Notification(this, opRemove);
  }
  DestroyComponents();
  if (owner_) owner_->RemoveComponent(this);
}

void TComponent::SetName(const std::string& name) {
  if (name == name_) return;
  if (!name.empty() && owner_) {
    if (TComponent* other = owner_->FindComponent(name); other && other != this)
      throw Exception("A component named " + name + " already exists");
  }
  name_ = name;
}

TComponent* TComponent::FindComponent(const std::string& name) const {
  if (name.empty()) return nullptr;
  for (TComponent* c : components_)
    if (c->name_ == name) return c;
  return nullptr;
}

void TComponent::SetState(TComponentStateFlag flag, bool on) {
  if (on)
    state_ |= flag;
  else
    state_ &= ~static_cast<TComponentState>(flag);
}

void TComponent::Destroying() { state_ |= csDestroying; }

void TComponent::Loaded() { SetState(csLoading, false); }

void TComponent::Notification(TComponent* component, TOperation operation) {
  if (operation == opRemove && component) RemoveFreeNotification(component);
  // Owned components hear about insertions and removals among their siblings.
  for (TComponent* c : std::vector<TComponent*>(components_))
    if (c != component) c->Notification(component, operation);
}

void TComponent::FreeNotification(TComponent* component) {
  if (!component || component == this) return;
  if (std::find(freeNotifies_.begin(), freeNotifies_.end(), component) == freeNotifies_.end())
    freeNotifies_.push_back(component);
  if (std::find(component->freeNotifies_.begin(), component->freeNotifies_.end(), this) ==
      component->freeNotifies_.end())
    component->freeNotifies_.push_back(this);
}

void TComponent::RemoveFreeNotification(TComponent* component) {
  // Both sides forget each other: a link left on the other side would call this component after
  // it is gone.
  if (!component) return;
  freeNotifies_.erase(std::remove(freeNotifies_.begin(), freeNotifies_.end(), component),
                      freeNotifies_.end());
  auto& theirs = component->freeNotifies_;
  theirs.erase(std::remove(theirs.begin(), theirs.end(), this), theirs.end());
}

void TComponent::SetParentComponent(TComponent*) {}

void TComponent::GetChildren(const std::function<void(TComponent*)>& proc,
                             const TComponent* root) const {
  // A form's own non-visual components are written inside it.
  if (root != this) return;
  for (TComponent* c : components_)
    if (!c->GetParentComponent()) proc(c);
}

void TComponent::InsertComponent(TComponent* component) {
  if (!component || component->owner_ == this) return;
  if (component->owner_) component->owner_->RemoveComponent(component);
  components_.push_back(component);
  component->owner_ = this;
  Notification(component, opInsert);
}

void TComponent::RemoveComponent(TComponent* component) {
  auto it = std::find(components_.begin(), components_.end(), component);
  if (it == components_.end()) return;
  if (!HasState(csDestroying)) Notification(component, opRemove);
  // Notification may have changed the list: look again.
  it = std::find(components_.begin(), components_.end(), component);
  if (it != components_.end()) components_.erase(it);
  component->owner_ = nullptr;
}

void TComponent::DestroyComponents() {
  while (!components_.empty()) {
    TComponent* c = components_.back();
    components_.pop_back();
    c->owner_ = nullptr;
    delete c;
  }
}

}  // namespace framework
