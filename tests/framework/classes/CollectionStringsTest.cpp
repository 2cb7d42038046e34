// Collections and string lists.

#include <gtest/gtest.h>

#include "StreamingTestClasses.h"

namespace streaming_test {
namespace {

TCollection MakeItems() {
  return TCollection([](TCollection* c) { return new TTestItem(c); });
}

TEST(CollectionTest, ItemsKnowTheirPlaceAndChangesAreReported) {
  TCollection items([](TCollection* c) { return new TTestItem(c); });
  int changes = 0;
  items.OnChange = [&] { ++changes; };
  TCollectionItem* a = items.Add();
  TCollectionItem* b = items.Add();
  TCollectionItem* c = items.Add();
  EXPECT_EQ(changes, 3);
  EXPECT_EQ(b->Index(), 1);
  EXPECT_EQ(b->Collection(), &items);
  items.Delete(0);
  EXPECT_EQ(b->Index(), 0);
  delete c;  // an item freed directly leaves its collection
  ASSERT_EQ(items.Count(), 1);
  EXPECT_EQ(items.Item(0), b);
  EXPECT_EQ(changes, 5);
  EXPECT_THROW(items.Item(1), EListError);
  EXPECT_THROW(items.Delete(-1), EListError);
  items.Clear();
  EXPECT_EQ(items.Count(), 0);
  EXPECT_EQ(changes, 6);
  (void)a;
}

TEST(CollectionTest, AssignCopiesItemsWithTheirNestedCollections) {
  TCollection source([](TCollection* c) { return new TTestItem(c); });
  auto* first = static_cast<TTestItem*>(source.Add());
  first->caption = "one";
  first->scale = 0.25;
  first->data = {5, 6};
  static_cast<TTestSubItem*>(first->sub.Add())->value = 3;
  source.Add();

  TCollection dest([](TCollection* c) { return new TTestItem(c); });
  dest.Add();
  dest.Add();
  dest.Add();
  dest.Assign(&source);
  ASSERT_EQ(dest.Count(), 2);
  const auto* copy = static_cast<TTestItem*>(dest.Item(0));
  EXPECT_EQ(copy->caption, "one");
  EXPECT_EQ(copy->scale, 0.25);
  EXPECT_EQ(copy->data, first->data);
  ASSERT_EQ(copy->sub.Count(), 1);
  EXPECT_EQ(static_cast<TTestSubItem*>(copy->sub.Item(0))->value, 3);
  EXPECT_EQ(copy->sub.Item(0)->Collection(), &copy->sub);

  TCollection other([](TCollection* c) { return new TTestSubItem(c); });
  EXPECT_THROW(other.Assign(&source), EConvertError);
  TStringList notACollection;
  EXPECT_THROW(dest.Assign(&notACollection), EConvertError);
}

TEST(StringListTest, SplitsTextAtEveryKindOfLineBreak) {
  TStringList list;
  list.SetText("a\r\nb\nc\rd\r\n");
  EXPECT_EQ(list.Count(), 4);
  EXPECT_EQ(list.Get(2), "c");
  EXPECT_EQ(list.Text(), "a\r\nb\r\nc\r\nd\r\n");
  list.SetText("\r\n\n");
  EXPECT_EQ(list.Count(), 2);
  EXPECT_EQ(list.Get(0), "");
  list.SetText("");
  EXPECT_EQ(list.Count(), 0);
  EXPECT_EQ(list.Text(), "");
  list.SetText("last without break");
  EXPECT_EQ(list.Count(), 1);
}

TEST(StringListTest, EditsLooksUpAndReportsChanges) {
  TStringList list;
  int changes = 0;
  list.OnChange = [&] { ++changes; };
  EXPECT_EQ(list.Add("Width=10"), 0);
  EXPECT_EQ(list.Add("Name=Snip"), 1);
  list.Insert(0, "first");
  list.Put(0, "First");
  EXPECT_EQ(changes, 4);
  EXPECT_EQ(list.IndexOf("FIRST"), 0);
  EXPECT_EQ(list.IndexOf("missing"), -1);
  EXPECT_EQ(list.Values("name"), "Snip");
  EXPECT_EQ(list.Values("Height"), "");
  EXPECT_THROW(list.Get(3), EStringListError);
  EXPECT_THROW(list.Insert(4, "x"), EStringListError);
  EXPECT_THROW(list.Put(-1, "x"), EStringListError);
  list.Delete(0);
  EXPECT_EQ(list.Get(0), "Width=10");

  TStringList copy;
  copy.Add("old");
  copy.Assign(&list);
  EXPECT_EQ(copy.Text(), list.Text());
  copy.Assign(&copy);
  EXPECT_EQ(copy.Count(), 2);
  TCollection items = MakeItems();
  EXPECT_THROW(copy.Assign(&items), EConvertError);
}

}  // namespace
}  // namespace streaming_test
