// Published classes: looking properties up through the class tree, the registry of class names,
// colour names, and copying published properties.

#include <gtest/gtest.h>

#include "StreamingTestClasses.h"
#include "framework/classes/ColorNames.h"
#include "framework/classes/FormReader.h"

namespace streaming_test {
namespace {

TEST(ClassRegistryTest, FindsPropertiesThroughParentClassesParentsFirst) {
  const TClassInfo& info = TTestControl::StaticClassInfo();
  EXPECT_TRUE(info.InheritsFrom("TComponent"));
  EXPECT_TRUE(info.InheritsFrom("TObject"));
  EXPECT_FALSE(info.InheritsFrom("TTestTimer"));
  ASSERT_NE(info.FindProperty("Tag"), nullptr);
  EXPECT_EQ(info.FindProperty("Tag")->kind, TPropKind::Integer);
  EXPECT_EQ(info.FindProperty("tag"), nullptr);
  const auto all = info.AllProperties();
  ASSERT_GE(all.size(), 3u);
  EXPECT_EQ(all[0]->name, "Name");
  EXPECT_EQ(all[1]->name, "Tag");
  EXPECT_EQ(all[2]->name, "Left");

  // A class that publishes a property again keeps its parent's place for it.
  TClassBuilder<TTestControl> builder("TDerived", info);
  builder.Integer(
      "Tag", [](const TTestControl&) { return 5; }, [](TTestControl&, int) {});
  const TClassInfo& derived = builder.Info();
  const auto derivedAll = derived.AllProperties();
  EXPECT_EQ(derivedAll.size(), all.size());
  EXPECT_EQ(derivedAll[1], derived.FindProperty("Tag"));
  EXPECT_NE(derivedAll[1], info.FindProperty("Tag"));
  EXPECT_THROW(builder.Integer("Tag", nullptr, [](TTestControl&, int) {}), Exception);
  EXPECT_THROW(derived.CreateInstance(nullptr), Exception);
}

TEST(ClassRegistryTest, RegistersEachNameForOneClass) {
  RegisterClass(TTestTimer::StaticClassInfo());
  RegisterClass(TTestTimer::StaticClassInfo());
  EXPECT_EQ(FindClass("TTestTimer"), &TTestTimer::StaticClassInfo());
  EXPECT_EQ(FindClass("TNoSuchClass"), nullptr);
  static const TClassInfo impostor("TTestTimer", &TComponent::StaticClassInfo());
  EXPECT_THROW(RegisterClass(impostor), Exception);
  EXPECT_EQ(FindClass("TTestTimer"), &TTestTimer::StaticClassInfo());
}

TEST(ClassRegistryTest, ColourNamesBothWays) {
  const char* names[] = {"clBlack",    "clMaroon",        "clGreen",     "clOlive",   "clNavy",
                         "clPurple",   "clTeal",          "clGray",      "clSilver",  "clRed",
                         "clLime",     "clYellow",        "clBlue",      "clFuchsia", "clAqua",
                         "clWhite",    "clMoneyGreen",    "clSkyBlue",   "clCream",   "clMedGray",
                         "clNone",     "clDefault",       "clScrollBar", "clBtnFace", "clInfoBk",
                         "clHotLight", "clMenuHighlight", "clMenuBar"};
  for (const char* name : names) {
    const auto color = IdentToColor(name);
    ASSERT_TRUE(color) << name;
    EXPECT_EQ(ColorToIdent(*color), name);
  }
  EXPECT_EQ(IdentToColor("clBtnFace"), platform::SystemColor(platform::COLOR_BTNFACE));
  EXPECT_EQ(IdentToColor("clRed"), 0x0000FF);
  EXPECT_EQ(IdentToColor("clMoneyGreen"), 0xC0DCC0);
  EXPECT_EQ(IdentToColor("clCream"), 0xF0FBFF);
  EXPECT_EQ(IdentToColor("clBtnface"), std::nullopt);
  EXPECT_EQ(ColorToIdent(12345), std::nullopt);
  // System colours may be written as unsigned 32-bit numbers too.
  EXPECT_EQ(ReadColorValue(MakeIntegerValue(0xFF00000F)), platform::clBtnFace);
  EXPECT_EQ(ReadColorValue(MakeIntegerValue(-16777201)), platform::clBtnFace);
}

TEST(ClassRegistryTest, AssignPublishedPropertiesCopiesEverythingDefaultOrNot) {
  TTestForm form(nullptr);
  TTestControl source(&form), dest(&form);
  source.left = 3;
  source.enabled = true;
  dest.enabled = false;  // the source's value is the default, and still copied
  source.boundLabel.font.height = -20;
  source.lines.SetText("a\nb");
  source.glyph = {1, 2};
  auto* item = static_cast<TTestItem*>(source.items.Add());
  item->caption = "x";
  static_cast<TTestSubItem*>(item->sub.Add())->value = 9;
  dest.items.Add();
  dest.items.Add();
  AssignPublishedProperties(&source, &dest);
  EXPECT_EQ(dest.left, 3);
  EXPECT_TRUE(dest.enabled);
  EXPECT_EQ(dest.boundLabel.font.height, -20);
  EXPECT_EQ(dest.lines.Text(), "a\r\nb\r\n");
  EXPECT_EQ(dest.glyph, source.glyph);
  ASSERT_EQ(dest.items.Count(), 1);
  const auto* copied = static_cast<TTestItem*>(dest.items.Item(0));
  EXPECT_EQ(copied->caption, "x");
  ASSERT_EQ(copied->sub.Count(), 1);
  EXPECT_EQ(static_cast<TTestSubItem*>(copied->sub.Item(0))->value, 9);
  EXPECT_NE(copied, item);

  TTestTimer timer(nullptr);
  EXPECT_THROW(AssignPublishedProperties(&timer, &dest), EConvertError);
}

}  // namespace
}  // namespace streaming_test
