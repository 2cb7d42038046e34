#include "framework/classes/Collection.h"

#include <algorithm>

#include "framework/classes/ClassBuilder.h"

namespace framework {

// ---- TCollectionItem ---------------------------------------------------------------------------

const TClassInfo& TCollectionItem::StaticClassInfo() {
  static const TClassInfo info =
      TClassBuilder<TCollectionItem>("TCollectionItem", TPersistent::StaticClassInfo());
  return info;
}

TCollectionItem::TCollectionItem(TCollection* collection) : collection_(collection) {
  // The item joins its collection at once, as the collection's Add expects.
  if (collection_) collection_->items_.push_back(this);
}

TCollectionItem::~TCollectionItem() {
  if (!collection_) return;
  TCollection* collection = collection_;
  auto& items = collection->items_;
  items.erase(std::remove(items.begin(), items.end(), this), items.end());
  collection_ = nullptr;
  collection->Update(nullptr);
}

int TCollectionItem::Index() const {
  if (!collection_) return -1;
  const auto& items = collection_->items_;
  auto it = std::find(items.begin(), items.end(), this);
  return it == items.end() ? -1 : static_cast<int>(it - items.begin());
}

void TCollectionItem::Assign(const TPersistent* source) {
  if (source && &source->ClassInfo() == &ClassInfo()) {
    AssignPublishedProperties(source, this);
    return;
  }
  TPersistent::Assign(source);
}

// ---- TCollection -------------------------------------------------------------------------------

const TClassInfo& TCollection::StaticClassInfo() {
  static const TClassInfo info =
      TClassBuilder<TCollection>("TCollection", TPersistent::StaticClassInfo());
  return info;
}

TCollection::TCollection(ItemFactory factory) : factory_(std::move(factory)) {}

TCollection::~TCollection() {
  // No OnChange while going away: whoever listens may be half destroyed too.
  while (!items_.empty()) {
    TCollectionItem* item = items_.back();
    items_.pop_back();
    item->collection_ = nullptr;
    delete item;
  }
}

TCollectionItem* TCollection::Item(int index) const {
  if (index < 0 || index >= Count())
    throw EListError("Collection index out of bounds (" + std::to_string(index) + ")");
  return items_[static_cast<size_t>(index)];
}

TCollectionItem* TCollection::Add() {
  if (!factory_) throw Exception(ClassName() + " cannot make items");
  TCollectionItem* item = factory_(this);
  if (!item) throw Exception(ClassName() + " made no item");
  if (item->collection_ != this) {
    // An item made without its collection still belongs to this one from now on.
    if (item->collection_) {
      auto& theirs = item->collection_->items_;
      theirs.erase(std::remove(theirs.begin(), theirs.end(), item), theirs.end());
    }
    item->collection_ = this;
    items_.push_back(item);
  }
  Update(item);
  return item;
}

void TCollection::Delete(int index) {
  delete Item(index);  // the item's destructor takes it out and reports the change
}

void TCollection::Clear() {
  if (items_.empty()) return;
  while (!items_.empty()) {
    TCollectionItem* item = items_.back();
    items_.pop_back();
    item->collection_ = nullptr;
    delete item;
  }
  Update(nullptr);
}

void TCollection::Assign(const TPersistent* source) {
  const auto* other = dynamic_cast<const TCollection*>(source);
  if (!other) {
    TPersistent::Assign(source);
    return;
  }
  if (other == this) return;
  Clear();
  for (const TCollectionItem* from : other->items_) Add()->Assign(from);
  Update(nullptr);
}

void TCollection::Update(TCollectionItem*) {
  if (OnChange) OnChange();
}

}  // namespace framework
