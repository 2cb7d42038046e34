// Reading stored form descriptions into components and writing them back.

#include <gtest/gtest.h>

#include <cfloat>
#include <cstring>
#include <memory>

#include "StreamingTestClasses.h"
#include "framework/classes/FormReader.h"

namespace streaming_test {
namespace {

const uint8_t kGlyph[] = {1, 2, 3, 250};

constexpr const char* kDescription = R"(object Form1: TTestForm
  Caption = 'Main'
  object Panel1: TTestControl
    Left = 10
    Color = clWhite
    Align = alClient
    object Button1: TTestControl
      Left = 4
      Ratio = 4.83
      Caption = 'It''s' +
        ' OK'#13#10'!'
      Enabled = False
      Anchors = [akLeft, akBottom]
      Color = 13282167
      BoundLabel.Caption = 'Name'
      BoundLabel.Font.Height = -13
      BoundLabel.Font.Style = [fsBold]
      Items = <
        item
          Caption = 'first'
          Width = 40
          Scale = 1.5
          Sub = <
            item
              Value = 7
            end
            item
              Value = -8
            end>
        end
        item
          Caption = 'second'
          Data = {0A0b FF
            00}
        end>
      Lines.Strings = (
        'one'
        'two')
      Glyph = { file 'test/glyph.bin' }
      OnClick = Button1Click
      OnChange = EditChange
    end
  end
  object Timer1: TTestTimer
    Interval = 250
  end
end
)";

class StreamingTest : public ::testing::Test {
 protected:
  void SetUp() override {
    RegisterTestClasses();
    RegisterResource("test/glyph.bin", kGlyph);
  }
  std::unique_ptr<TTestForm> Read(std::string_view text) {
    auto form = std::make_unique<TTestForm>(nullptr);
    ReadComponentRes(form.get(), text, "Unit1.dfm");
    return form;
  }
};

TEST_F(StreamingTest, SetsEveryKindOfPropertyThroughItsSetter) {
  auto form = Read(kDescription);
  EXPECT_EQ(form->Name(), "Form1");
  EXPECT_EQ(form->caption, "Main");
  ASSERT_NE(form->Panel1, nullptr);
  ASSERT_NE(form->Button1, nullptr);
  ASSERT_NE(form->Timer1, nullptr);
  const TTestControl& b = *form->Button1;
  EXPECT_EQ(form->Panel1->left, 10);
  EXPECT_EQ(form->Panel1->color, platform::clWhite);
  EXPECT_EQ(form->Panel1->align, alClient);
  EXPECT_EQ(b.left, 4);
  EXPECT_EQ(b.ratio, 4.83);
  EXPECT_EQ(b.caption, "It's OK\r\n!");
  EXPECT_FALSE(b.enabled);
  EXPECT_EQ(b.anchors, uint32_t{akLeft | akBottom});
  EXPECT_EQ(b.color, 13282167);
  EXPECT_EQ(b.boundLabel.caption, "Name");
  EXPECT_EQ(b.boundLabel.font.height, -13);
  EXPECT_EQ(b.boundLabel.font.style, uint32_t{fsBold});
  EXPECT_EQ(b.boundLabel.font.name, "MS Sans Serif");
  ASSERT_EQ(b.items.Count(), 2);
  const auto* first = static_cast<const TTestItem*>(b.items.Item(0));
  const auto* second = static_cast<const TTestItem*>(b.items.Item(1));
  EXPECT_EQ(first->caption, "first");
  EXPECT_EQ(first->width, 40);
  EXPECT_EQ(first->scale, 1.5);
  ASSERT_EQ(first->sub.Count(), 2);
  EXPECT_EQ(static_cast<const TTestSubItem*>(first->sub.Item(1))->value, -8);
  EXPECT_EQ(second->data, (std::vector<uint8_t>{0x0A, 0x0B, 0xFF, 0x00}));
  EXPECT_EQ(b.lines.Text(), "one\r\ntwo\r\n");
  EXPECT_EQ(b.glyph, std::vector<uint8_t>(std::begin(kGlyph), std::end(kGlyph)));
  EXPECT_EQ(form->Timer1->interval, 250);

  // Events call the form's published methods.
  ASSERT_TRUE(b.onClick && b.onChange);
  b.onClick(form->Button1);
  b.onChange(nullptr, 42);
  EXPECT_EQ(form->clicks, std::vector<TComponent*>{form->Button1});
  EXPECT_EQ(form->changes, std::vector<int>{42});
}

TEST_F(StreamingTest, ReadsInStreamOrderAndCallsLoadedOnceAtTheEnd) {
  auto form = Read(kDescription);
  const std::vector<std::string> expected = {
      "Form.Caption",
      "Panel1.Parent=Form1 loading",
      "Panel1.Left loading reading",
      "Panel1.Color loading reading",
      "Panel1.Align loading reading",
      "Button1.Parent=Panel1 loading",
      "Button1.Left loading reading",
      "Button1.Ratio loading reading",
      "Button1.Caption loading reading",
      "Button1.Enabled loading reading",
      "Button1.Anchors loading reading",
      "Button1.Color loading reading",
      "Font.Height",
      "Button1.Items loading reading",
      "Button1.Glyph loading reading",
      // The root first, then the others in reading order, each losing csLoading before its own.
      "Form.Loaded",
      "Panel1.Loaded",
      "Button1.Loaded",
      "Timer1.Loaded",
  };
  EXPECT_EQ(form->log, expected);
  for (const TComponent* c :
       {static_cast<TComponent*>(form.get()), static_cast<TComponent*>(form->Panel1),
        static_cast<TComponent*>(form->Button1), static_cast<TComponent*>(form->Timer1)})
    EXPECT_EQ(c->ComponentState() & (csLoading | csReading | csCreating), 0u) << c->Name();
}

TEST_F(StreamingTest, RootOwnsEveryComponentAndEnclosingBlocksAreParents) {
  auto form = Read(kDescription);
  ASSERT_EQ(form->ComponentCount(), 3);
  EXPECT_EQ(form->Components()[0], form->Panel1);
  EXPECT_EQ(form->Components()[1], form->Button1);
  EXPECT_EQ(form->Components()[2], form->Timer1);
  EXPECT_EQ(form->Panel1->GetParentComponent(), form.get());
  EXPECT_EQ(form->Button1->GetParentComponent(), form->Panel1);
  EXPECT_EQ(form->Timer1->Owner(), form.get());
}

TEST_F(StreamingTest, WritingAndReadingBackGivesTheSameComponents) {
  auto form = Read(kDescription);
  const std::string text = WriteComponentRes(form.get());
  auto copy = Read(text);
  EXPECT_EQ(WriteComponentRes(copy.get()), text);

  const TTestControl& a = *form->Button1;
  ASSERT_NE(copy->Button1, nullptr);
  const TTestControl& b = *copy->Button1;
  EXPECT_EQ(b.GetParentComponent(), copy->Panel1);
  EXPECT_EQ(b.ratio, a.ratio);
  EXPECT_EQ(b.caption, a.caption);
  EXPECT_EQ(b.enabled, a.enabled);
  EXPECT_EQ(b.anchors, a.anchors);
  EXPECT_EQ(b.color, a.color);
  EXPECT_EQ(b.boundLabel.font.height, a.boundLabel.font.height);
  EXPECT_EQ(b.boundLabel.font.style, a.boundLabel.font.style);
  ASSERT_EQ(b.items.Count(), 2);
  EXPECT_EQ(static_cast<TTestItem*>(b.items.Item(0))->sub.Count(), 2);
  EXPECT_EQ(static_cast<TTestItem*>(b.items.Item(1))->data,
            static_cast<TTestItem*>(a.items.Item(1))->data);
  EXPECT_EQ(b.lines.Text(), a.lines.Text());
  EXPECT_EQ(b.glyph, a.glyph);
  EXPECT_EQ(copy->Timer1->interval, 250);
  EXPECT_EQ(copy->Panel1->color, platform::clWhite);

  // Values equal to their defaults are left out; colours with names keep them.
  EXPECT_EQ(text.find("Name ="), std::string::npos);
  EXPECT_EQ(text.find("Font.Name"), std::string::npos);
  EXPECT_EQ(text.find("Tag"), std::string::npos);
  EXPECT_NE(text.find("    Color = clWhite\n"), std::string::npos);
  EXPECT_NE(text.find("Enabled = False"), std::string::npos);
  EXPECT_EQ(text.find("Enabled = True"), std::string::npos);
  EXPECT_NE(text.find("BoundLabel.Font.Height = -13"), std::string::npos);
  EXPECT_NE(text.find("Lines.Strings = ("), std::string::npos);
  EXPECT_NE(text.find("object Timer1: TTestTimer\n    Interval = 250\n  end"), std::string::npos);
}

TEST_F(StreamingTest, RealsAndColoursSurviveTheRoundTripExactly) {
  const double reals[] = {4.83,         0.1,  1.0 / 3, 1e-300,      DBL_MAX,
                          DBL_TRUE_MIN, -2.5, 1e21,    123456789.0, 5.0};
  const TColor colors[] = {platform::clBtnFace, platform::clNone, 0x00C0DCC0, 0x00123456,
                           platform::clBlack};
  for (size_t i = 0; i < std::size(reals); ++i) {
    TTestForm form(nullptr);
    form.SetName("Form1");
    auto* c = Create<TTestControl>(&form);
    c->SetName("Panel1");
    c->SetParentComponent(&form);
    c->ratio = reals[i];
    c->color = colors[i % std::size(colors)];
    auto back = Read(WriteComponentRes(&form));
    ASSERT_NE(back->Panel1, nullptr);
    EXPECT_EQ(std::memcmp(&back->Panel1->ratio, &reals[i], sizeof(double)), 0) << reals[i];
    EXPECT_EQ(back->Panel1->color, c->color);
  }
}

TEST_F(StreamingTest, ReadsIntoAComponentWithoutFieldsOrName) {
  TComponent root(nullptr);
  ReadComponentRes(&root, "object TComponent\n  Tag = 3\n  object TTestTimer\n  end\nend\n", "x");
  EXPECT_EQ(root.Tag, 3);
  EXPECT_EQ(root.ComponentCount(), 1);
}

TEST_F(StreamingTest, AComponentReferenceFindsItsComponentWhereverItStandsAndIsWrittenAsItsName) {
  auto form = Read(R"(object Form1: TTestForm
  object Panel1: TTestControl
    Partner = Button1
    object Button1: TTestControl
      Partner = Panel1
    end
  end
  object Label1: TTestControl
    Partner = Button1
    Partner = nil
  end
end
)");
  ASSERT_NE(form->Panel1, nullptr);
  EXPECT_EQ(form->Panel1->partner, form->Button1);
  EXPECT_EQ(form->Button1->partner, form->Panel1);
  // Set once every component exists, in the order the description names them, before any Loaded;
  // a later assignment (nil) holds over an earlier reference.
  const std::vector<std::string> expected = {"Panel1.Parent=Form1 loading",
                                             "Button1.Parent=Panel1 loading",
                                             "Label1.Parent=Form1 loading",
                                             "Label1.Partner=nil loading reading",
                                             "Panel1.Partner=Button1 loading",
                                             "Button1.Partner=Panel1 loading",
                                             "Form.Loaded",
                                             "Panel1.Loaded",
                                             "Button1.Loaded",
                                             "Label1.Loaded"};
  EXPECT_EQ(form->log, expected);
  EXPECT_EQ(static_cast<TTestControl*>(form->FindComponent("Label1"))->partner, nullptr);

  const std::string written = WriteComponentRes(form.get());
  EXPECT_NE(written.find("    Partner = Button1\n"), std::string::npos) << written;
  auto again = Read(written);
  EXPECT_EQ(again->Panel1->partner, again->Button1);
  EXPECT_EQ(again->Button1->partner, again->Panel1);
}

// ---- Errors -------------------------------------------------------------------------------------

struct ReadErrorCase {
  const char* line4;  // the fourth line of a description, inside Button1's block
  int line;           // where the error is
  const char* message;
};

class ReadErrorTest : public StreamingTest, public ::testing::WithParamInterface<ReadErrorCase> {};

TEST_P(ReadErrorTest, NamesTheLineAndLeavesNoComponent) {
  const ReadErrorCase& c = GetParam();
  const std::string text = std::string(
                               "object Form1: TTestForm\n  object Panel1: TTestControl\n"
                               "    object Button1: TTestControl\n") +
                           c.line4 + "\n    end\n  end\nend\n";
  auto form = std::make_unique<TTestForm>(nullptr);
  auto* existing = Create<TTestTimer>(form.get());  // made by the form itself: it stays
  try {
    ReadComponentRes(form.get(), text, "Unit1.dfm");
    FAIL() << "no error for: " << c.line4;
  } catch (const EReadError& e) {
    const std::string where = "Unit1.dfm(" + std::to_string(c.line) + "): ";
    EXPECT_EQ(e.Message().rfind(where, 0), 0u) << e.Message();
    EXPECT_NE(e.Message().find(c.message), std::string::npos) << e.Message();
  }
  ASSERT_EQ(form->ComponentCount(), 1);
  EXPECT_EQ(form->Components()[0], existing);
  EXPECT_EQ(form->Panel1, nullptr);
  EXPECT_EQ(form->Button1, nullptr);
  EXPECT_FALSE(form->HasState(csLoading));
  EXPECT_EQ(std::count(form->log.begin(), form->log.end(), "Form.Loaded"), 0);
}

INSTANTIATE_TEST_SUITE_P(
    EveryKind, ReadErrorTest,
    ::testing::Values(
        ReadErrorCase{"      Left = 'x'", 4, "expected an integer, found a string"},
        ReadErrorCase{"      Left = 4294967296", 4, "out of range"},
        ReadErrorCase{"      Ratio = True", 4, "expected a number"},
        ReadErrorCase{"      Caption = 12", 4, "expected a string"},
        ReadErrorCase{"      Enabled = Yes", 4, "expected True or False"},
        ReadErrorCase{"      Align = alBottom", 4, "'alBottom'"},
        ReadErrorCase{"      Partner = Nowhere", 4, "Component 'Nowhere' not found"},
        ReadErrorCase{"      Partner = Form1", 4, "Form1 cannot be the Partner"},
        ReadErrorCase{"      Partner = 'Panel1'", 4, "expected the name of a component"},
        ReadErrorCase{"      Align = 1", 4, "Invalid property value"},
        ReadErrorCase{"      Anchors = [akLeft, akMiddle]", 4, "'akMiddle'"},
        ReadErrorCase{"      Anchors = akLeft", 4, "Invalid property value"},
        ReadErrorCase{"      Color = clPink", 4, "unknown colour clPink"},
        ReadErrorCase{"      Color = 'red'", 4, "expected a colour"},
        ReadErrorCase{"      Color = 4294967296", 4, "out of range"},
        ReadErrorCase{"      Items = 3", 4, "expected a collection"},
        ReadErrorCase{"      Lines.Strings = 'a'", 4, "expected a string list"},
        ReadErrorCase{"      Glyph = 12", 4, "expected binary data"},
        ReadErrorCase{"      BoundLabel = 1", 4, "holds an object"},
        ReadErrorCase{"      Colour = clRed", 4, "Unknown property 'Colour'"},
        ReadErrorCase{"      Left.X = 1", 4, "Unknown property 'Left.X'"},
        ReadErrorCase{"      BoundLabel.Font.Size = 1", 4,
                      "Unknown property 'BoundLabel.Font.Size'"},
        ReadErrorCase{"      OnClick = EditChange", 4, "EditChange does not have the type"},
        ReadErrorCase{"      OnClick = Button2Click", 4,
                      "Button2Click is not a published method of TTestForm"},
        ReadErrorCase{"      OnClick = 'Button1Click'", 4, "the name of an event handler"},
        ReadErrorCase{"      Items = <\n        item\n          Width = 'x'\n        end>", 6,
                      "Error reading Width"},
        ReadErrorCase{"      Items = <\n        item\n          Sub = <\n            item\n"
                      "              Value = 1.5\n            end>\n        end>",
                      8, "Error reading Value"},
        ReadErrorCase{"      object Inner: TUnknownClass\n      end", 4,
                      "Class TUnknownClass not found"},
        ReadErrorCase{"      object Inner: TTestForm\n      end", 4, "cannot be created"},
        ReadErrorCase{"      object Inner: TBrokenControl\n      end", 4,
                      "Cannot make a broken control"},
        ReadErrorCase{"      object Panel1: TTestControl\n      end", 4,
                      "A component named Panel1 already exists"},
        ReadErrorCase{"      object Timer1: TTestControl\n      end", 4,
                      "not of the class its field holds"},
        ReadErrorCase{
            "      object Inner: TTestControl\n        Left = 1\n        Top = 2\n      end", 6,
            "Unknown property 'Top'"}));

// Resources compiled into the program stay where they are; others are copied, so the caller's
// buffer may go. Either way a name keeps the bytes it was first given.
TEST(Resources, StaticBytesAreKeptInPlaceOthersCopiedAndANameKeepsItsBytes) {
  static const uint8_t kCompiledIn[] = {'a', 'b', 'c'};
  RegisterStaticResource("test/static.bin", kCompiledIn);
  EXPECT_EQ(FindResource("test/static.bin").data(), kCompiledIn);
  RegisterStaticResource("test/static.bin", kCompiledIn);  // again: harmless
  const uint8_t other[] = {'a', 'b', 'd'};
  EXPECT_THROW(RegisterStaticResource("test/static.bin", other), Exception);
  EXPECT_THROW(RegisterResource("test/static.bin", other), Exception);

  {
    std::vector<uint8_t> passing = {'x', 'y'};
    RegisterResource("test/copied.bin", passing);
    EXPECT_NE(FindResource("test/copied.bin").data(), passing.data());
    passing.assign(100, 0);
  }
  EXPECT_EQ(FindResourceText("test/copied.bin"), "xy");
  EXPECT_EQ(FindResourceText("test/static.bin"), "abc");
}

TEST_F(StreamingTest, ItemsFromAResourceAreReadAndTheirErrorsNameIt) {
  const std::string items = "item\n  Width = 7\nend\nitem\n  Width = 'x'\nend\n";
  RegisterResource("test/items.dfm",
                   std::span(reinterpret_cast<const uint8_t*>(items.data()), items.size()));
  const std::string good = "item\n  Width = 7\nend\n";
  RegisterResource("test/good.dfm",
                   std::span(reinterpret_cast<const uint8_t*>(good.data()), good.size()));
  const auto describe = [](const std::string& resource) {
    return "object Form1: TTestForm\n  object Panel1: TTestControl\n    object Button1: "
           "TTestControl\n"
           "      Items = < file '" +
           resource + "' >\n    end\n  end\nend\n";
  };
  auto form = std::make_unique<TTestForm>(nullptr);
  ReadComponentRes(form.get(), describe("test/good.dfm"), "Unit1.dfm");
  ASSERT_NE(form->Button1, nullptr);
  EXPECT_EQ(form->Button1->items.Count(), 1);

  auto other = std::make_unique<TTestForm>(nullptr);
  try {
    ReadComponentRes(other.get(), describe("test/items.dfm"), "Unit1.dfm");
    FAIL();
  } catch (const EReadError& e) {
    EXPECT_EQ(e.Message().rfind("test/items.dfm(5): Error reading Width", 0), 0u) << e.Message();
  }
}

TEST_F(StreamingTest, SyntaxErrorsLeaveTheFormUntouched) {
  auto form = std::make_unique<TTestForm>(nullptr);
  EXPECT_THROW(ReadComponentRes(form.get(), "object Form1: TTestForm\n  Caption = 'x'\n  object",
                                "Unit1.dfm"),
               EReadError);
  EXPECT_EQ(form->caption, "");
  EXPECT_EQ(form->ComponentCount(), 0);
}

}  // namespace
}  // namespace streaming_test
