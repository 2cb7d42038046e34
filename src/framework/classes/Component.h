#pragma once
// Components: named persistent objects with an owner that frees them, a state, and the Loaded step
// that runs once a stored form description has been read.

#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "framework/classes/Persistent.h"

namespace framework {

enum TComponentStateFlag : uint32_t {
  csLoading = 1u << 0,  // properties are being read from a form description
  csReading = 1u << 1,  // this component's own properties are being read right now
  csWriting = 1u << 2,
  csDestroying = 1u << 3,  // the destructor has begun
  csDesigning = 1u << 4,   // never set in the running program
  csCreating = 1u << 5,    // the constructor and the reading of the description are under way
};
using TComponentState = uint32_t;

enum TOperation { opInsert, opRemove };

class TComponent : public TPersistent {
 public:
  explicit TComponent(TComponent* owner);
  ~TComponent() override;
  TComponent(const TComponent&) = delete;
  TComponent& operator=(const TComponent&) = delete;

  DECLARE_CLASS_INFO()

  const std::string& Name() const { return name_; }
  virtual void SetName(const std::string& name);
  TComponent* Owner() const { return owner_; }
  // The components this one owns, in the order they were inserted.
  const std::vector<TComponent*>& Components() const { return components_; }
  int ComponentCount() const { return static_cast<int>(components_.size()); }
  TComponent* FindComponent(const std::string& name) const;

  TComponentState ComponentState() const { return state_; }
  bool HasState(TComponentStateFlag flag) const { return (state_ & flag) != 0; }
  void SetState(TComponentStateFlag flag, bool on);

  // Runs after the constructor has finished (the most derived one included).
  virtual void AfterConstruction() {}
  // Runs once the whole form description holding this component has been read.
  virtual void Loaded();
  // Told when a component is inserted into or removed from an owner, and when a component that
  // asked for it with FreeNotification goes away.
  virtual void Notification(TComponent* component, TOperation operation);
  void FreeNotification(TComponent* component);
  void RemoveFreeNotification(TComponent* component);

  // Where a component stands in a form description: controls are placed inside their parent
  // control, other components directly inside the form. The reader calls SetParentComponent with
  // the component whose block encloses this one; the writer asks GetChildren for the blocks to
  // nest inside this one.
  virtual void SetParentComponent(TComponent* parent);
  virtual TComponent* GetParentComponent() const { return nullptr; }
  virtual void GetChildren(const std::function<void(TComponent*)>& proc,
                           const TComponent* root) const;

  void InsertComponent(TComponent* component);
  void RemoveComponent(TComponent* component);
  // Frees every owned component, last inserted first.
  void DestroyComponents();

  int Tag = 0;

 protected:
  // Marks destruction under way; derived destructors call it first so that notifications
  // during their clean-up see csDestroying.
  void Destroying();

 private:
  std::string name_;
  TComponent* owner_ = nullptr;
  std::vector<TComponent*> components_;
  std::vector<TComponent*> freeNotifies_;
  TComponentState state_ = 0;
};

// Makes a component of class T and runs its AfterConstruction, as the language runtime would.
template <typename T, typename... Args>
T* Create(Args&&... args) {
  T* object = new T(std::forward<Args>(args)...);
  object->AfterConstruction();
  return object;
}

// Frees a component (or any object) and clears the pointer.
template <typename T>
void FreeAndNil(T*& object) {
  T* doomed = object;
  object = nullptr;
  delete doomed;
}

}  // namespace framework
