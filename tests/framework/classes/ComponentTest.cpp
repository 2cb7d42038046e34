// Ownership, names, notifications and free notifications of components.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "framework/classes/Component.h"

namespace framework {
namespace {

using Journal = std::vector<std::string>;

// Writes its destruction and every notification it hears to a journal.
class TWatcher : public TComponent {
 public:
  TWatcher(TComponent* owner, const std::string& name, Journal* journal)
      : TComponent(owner), journal_(journal) {
    SetName(name);
  }
  ~TWatcher() override {
    Destroying();
    journal_->push_back("free " + Name());
  }
  void Notification(TComponent* component, TOperation operation) override {
    TComponent::Notification(component, operation);
    journal_->push_back(Name() + (operation == opInsert ? " insert " : " remove ") +
                        component->Name());
    if (operation == opRemove && component == watched) watched = nullptr;
  }
  TComponent* watched = nullptr;

 private:
  Journal* journal_;
};

TEST(ComponentTest, OwnerFreesItsComponentsLastInsertedFirst) {
  Journal journal;
  auto owner = std::make_unique<TComponent>(nullptr);
  new TWatcher(owner.get(), "A", &journal);
  auto* b = new TWatcher(owner.get(), "B", &journal);
  new TWatcher(b, "B1", &journal);
  new TWatcher(owner.get(), "C", &journal);
  EXPECT_EQ(owner->ComponentCount(), 3);
  EXPECT_EQ(owner->FindComponent("B"), b);
  EXPECT_EQ(owner->FindComponent("B1"), nullptr);  // owned by B, not by the owner
  journal.clear();
  owner.reset();
  EXPECT_EQ(journal, (Journal{"free C", "free B", "free B1", "free A"}));
}

TEST(ComponentTest, SiblingsHearInsertionsAndRemovals) {
  Journal journal;
  TComponent owner(nullptr);
  auto* watcher = new TWatcher(&owner, "W", &journal);
  // Named before it joins, so the notification can tell who it is.
  auto* other = new TWatcher(nullptr, "X", &journal);
  owner.InsertComponent(other);
  EXPECT_EQ(journal, (Journal{"W insert X"}));
  journal.clear();
  delete other;
  EXPECT_EQ(journal, (Journal{"free X", "W remove X"}));
  journal.clear();

  // Moving a component to another owner is a removal here and an insertion there.
  TComponent elsewhere(nullptr);
  auto* moved = new TWatcher(&owner, "M", &journal);
  journal.clear();
  elsewhere.InsertComponent(moved);
  EXPECT_EQ(moved->Owner(), &elsewhere);
  EXPECT_EQ(journal, (Journal{"W remove M"}));
  EXPECT_EQ(owner.ComponentCount(), 1);
  EXPECT_EQ(owner.Components()[0], watcher);
}

TEST(ComponentTest, FreeNotificationTellsWhoeverReferencesAComponent) {
  Journal journal;
  TComponent formA(nullptr), formB(nullptr);
  auto* holder = new TWatcher(&formA, "Holder", &journal);
  auto* target = new TWatcher(&formB, "Target", &journal);
  holder->watched = target;
  target->FreeNotification(holder);
  journal.clear();
  delete target;
  EXPECT_EQ(holder->watched, nullptr);
  EXPECT_EQ(journal, (Journal{"free Target", "Holder remove Target"}));
}

TEST(ComponentTest, RemovedFreeNotificationIsForgottenOnBothSides) {
  Journal journal;
  auto* holder = new TWatcher(nullptr, "Holder", &journal);
  auto* target = new TWatcher(nullptr, "Target", &journal);
  target->FreeNotification(holder);
  holder->RemoveFreeNotification(target);
  // Freeing the holder first must leave nothing in the target that points at it.
  delete holder;
  delete target;
  EXPECT_EQ(journal, (Journal{"free Holder", "free Target"}));
}

TEST(ComponentTest, NamesAreUniqueAmongAnOwnersComponents) {
  TComponent owner(nullptr);
  auto* a = new TComponent(&owner);
  auto* b = new TComponent(&owner);
  a->SetName("Edit1");
  EXPECT_THROW(b->SetName("Edit1"), Exception);
  b->SetName("Edit2");
  a->SetName("Edit1");  // its own name again is no clash
  EXPECT_EQ(owner.FindComponent("Edit2"), b);
  EXPECT_EQ(owner.FindComponent(""), nullptr);
}

}  // namespace
}  // namespace framework
