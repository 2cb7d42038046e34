#pragma once
// Collections: owned lists of items of one class, stored in form descriptions as
// "< item ... end item ... end >".

#include <functional>
#include <memory>
#include <vector>

#include "framework/Persistent.h"

namespace framework {

class TCollection;

class TCollectionItem : public TPersistent {
 public:
  explicit TCollectionItem(TCollection* collection);
  ~TCollectionItem() override;
  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

  TCollection* Collection() const { return collection_; }
  int Index() const;

 private:
  friend class TCollection;
  TCollection* collection_;
};

class TCollection : public TPersistent {
 public:
  using ItemFactory = std::function<TCollectionItem*(TCollection*)>;
  explicit TCollection(ItemFactory factory);
  ~TCollection() override;
  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

  int Count() const { return static_cast<int>(items_.size()); }
  TCollectionItem* Item(int index) const { return items_.at(static_cast<size_t>(index)); }
  TCollectionItem* Add();
  void Delete(int index);
  void Clear();
  // Copies a collection of the same item class item by item.
  void Assign(const TPersistent* source) override;

  // Told after items are added, removed or changed.
  std::function<void()> OnChange;

 protected:
  virtual void Update(TCollectionItem* item);

 private:
  friend class TCollectionItem;
  ItemFactory factory_;
  std::vector<TCollectionItem*> items_;  // owned
};

}  // namespace framework
