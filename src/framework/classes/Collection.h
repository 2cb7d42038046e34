#pragma once
// Collections: owned lists of items of one class, stored in form descriptions as
// "< item ... end item ... end >".

#include <functional>
#include <memory>
#include <vector>

#include "framework/classes/Persistent.h"

namespace framework {

class TCollection;

// An index outside a list or collection.
class EListError : public Exception {
 public:
  using Exception::Exception;
};

class TCollectionItem : public TPersistent {
 public:
  explicit TCollectionItem(TCollection* collection);
  ~TCollectionItem() override;
  TCollectionItem(const TCollectionItem&) = delete;
  TCollectionItem& operator=(const TCollectionItem&) = delete;
  DECLARE_CLASS_INFO()

  TCollection* Collection() const { return collection_; }
  // The position in the collection; -1 when the item belongs to none.
  int Index() const;
  // Copies an item of the same class through its published properties (every one, default or
  // not, nested collections included); a class with state beyond those overrides it.
  void Assign(const TPersistent* source) override;

 private:
  friend class TCollection;
  TCollection* collection_;
};

class TCollection : public TPersistent {
 public:
  using ItemFactory = std::function<TCollectionItem*(TCollection*)>;
  explicit TCollection(ItemFactory factory);
  ~TCollection() override;
  TCollection(const TCollection&) = delete;
  TCollection& operator=(const TCollection&) = delete;
  DECLARE_CLASS_INFO()

  int Count() const { return static_cast<int>(items_.size()); }
  // Raises EListError for an index out of range.
  TCollectionItem* Item(int index) const;
  // A new item from the factory, at the end.
  TCollectionItem* Add();
  void Delete(int index);
  void Clear();
  // Copies another collection item by item: the items are made anew by this collection's factory
  // and Assign from the source's items (EConvertError when their classes differ).
  void Assign(const TPersistent* source) override;

  // Told after items are added, removed or assigned (not while the collection is destroyed).
  std::function<void()> OnChange;

 protected:
  // Runs after a change; item is the one changed, nullptr when several were.
  virtual void Update(TCollectionItem* item);

 private:
  friend class TCollectionItem;
  ItemFactory factory_;
  std::vector<TCollectionItem*> items_;  // owned
};

}  // namespace framework
