// The text format of stored form descriptions: values, layout, errors with their lines, and the
// writer's formatting reading back as what it wrote.

#include <gtest/gtest.h>

#include <string>

#include "framework/classes/FormReader.h"

namespace framework {
namespace {

TFormValue ParseValue(const std::string& value) {
  const TObjectDesc desc = ParseFormDescription("object A: T\n  P = " + value + "\nend\n", "t");
  EXPECT_EQ(desc.properties.size(), 1u);
  return desc.properties.at(0).Value();
}

TEST(FormParserTest, ReadsIntegersOfSixtyFourBits) {
  EXPECT_EQ(ParseValue("-9223372036854775808").integer, INT64_MIN);
  EXPECT_EQ(ParseValue("9223372036854775807").integer, INT64_MAX);
  EXPECT_EQ(ParseValue("$7FFFFFFFFFFFFFFF").integer, INT64_MAX);
  EXPECT_EQ(ParseValue("$FFFFFFFF").integer, 0xFFFFFFFFll);
  EXPECT_EQ(ParseValue("-$10").integer, -16);
  EXPECT_EQ(ParseValue("+5").integer, 5);
  EXPECT_EQ(ParseValue("0").kind, TFormValue::Kind::Integer);
}

TEST(FormParserTest, ReadsRealsToTheNearestDouble) {
  const TFormValue v = ParseValue("4.830000000000000000");
  EXPECT_EQ(v.kind, TFormValue::Kind::Real);
  EXPECT_EQ(v.real, 4.83);
  EXPECT_EQ(ParseValue("-1.5E-3").real, -0.0015);
  EXPECT_EQ(ParseValue("2e+10").real, 2e10);
  EXPECT_EQ(ParseValue("0.1").real, 0.1);
}

TEST(FormParserTest, ReadsStringsWithQuotesCodesAndConcatenation) {
  EXPECT_EQ(ParseValue("'It''s'").text, "It's");
  EXPECT_EQ(ParseValue("''").text, "");
  EXPECT_EQ(ParseValue("'a'#13#10'b'").text, "a\r\nb");
  EXPECT_EQ(ParseValue("#$41#66").text, "AB");
  EXPECT_EQ(ParseValue("#255").text, "\xFF");
  EXPECT_EQ(ParseValue("#8364").text, "\xE2\x82\xAC");
  EXPECT_EQ(ParseValue("'first ' +\n    'second' + #33").text, "first second!");
  EXPECT_EQ(ParseValue("'caf\xC3\xA9'").text, "caf\xC3\xA9");
}

TEST(FormParserTest, ReadsSetsCollectionsListsAndBinary) {
  const TFormValue set = ParseValue("[akLeft, akTop]");
  EXPECT_EQ(set.kind, TFormValue::Kind::Set);
  EXPECT_EQ(set.list, (std::vector<std::string>{"akLeft", "akTop"}));
  EXPECT_TRUE(ParseValue("[]").list.empty());

  const TFormValue items = ParseValue("<\n item\n  A = 1\n  B.C = <>\n end\n item\n end>");
  ASSERT_EQ(items.items.size(), 2u);
  EXPECT_EQ(items.items[0].line, 3);
  ASSERT_EQ(items.items[0].properties.size(), 2u);
  EXPECT_EQ(items.items[0].properties[1].path, "B.C");
  EXPECT_EQ(items.items[0].properties[1].line, 5);
  EXPECT_EQ(items.items[0].properties[1].Value().kind, TFormValue::Kind::Collection);
  EXPECT_TRUE(items.items[1].properties.empty());

  const TFormValue list = ParseValue("(\n 'a'\n 'b' + 'c'\n 'd'#9)");
  EXPECT_EQ(list.list, (std::vector<std::string>{"a", "bc", "d\t"}));

  EXPECT_EQ(ParseValue("{\n  0a0B ff\r\n  00 }").bytes,
            (std::vector<uint8_t>{0x0A, 0x0B, 0xFF, 0x00}));
  EXPECT_TRUE(ParseValue("{}").bytes.empty());
  const uint8_t resource[] = {9, 8, 7};
  RegisterResource("skins/parser.bin", resource);
  EXPECT_EQ(ParseValue("{ FILE 'skins/parser.bin' }").bytes, (std::vector<uint8_t>{9, 8, 7}));
  EXPECT_EQ(ParseValue("Button1Click").text, "Button1Click");
}

TEST(FormParserTest, ReadsNestedBlocksWithTheirLines) {
  const TObjectDesc desc = ParseFormDescription(
      "OBJECT Form1: TForm1\r\n  Left = 1\r\n  object Edit1: TEdit\r  end\n  object TTimer\n  "
      "End\nend",
      "t");
  EXPECT_EQ(desc.name, "Form1");
  EXPECT_EQ(desc.className, "TForm1");
  ASSERT_EQ(desc.properties.size(), 1u);
  EXPECT_EQ(desc.properties[0].line, 2);
  ASSERT_EQ(desc.children.size(), 2u);
  EXPECT_EQ(desc.children[0].name, "Edit1");
  EXPECT_EQ(desc.children[0].line, 3);
  EXPECT_EQ(desc.children[1].name, "");
  EXPECT_EQ(desc.children[1].className, "TTimer");
  EXPECT_EQ(desc.children[1].line, 5);
}

struct SyntaxCase {
  const char* text;
  int line;
  const char* message;
};

class FormSyntaxErrorTest : public ::testing::TestWithParam<SyntaxCase> {};

TEST_P(FormSyntaxErrorTest, NamesTheSourceAndLine) {
  const SyntaxCase& c = GetParam();
  try {
    ParseFormDescription(c.text, "Unit1.dfm");
    FAIL() << "no error for: " << c.text;
  } catch (const EReadError& e) {
    const std::string where = "Unit1.dfm(" + std::to_string(c.line) + "): ";
    EXPECT_EQ(e.Message().rfind(where, 0), 0u) << e.Message();
    EXPECT_NE(e.Message().find(c.message), std::string::npos) << e.Message();
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FormSyntaxErrorTest,
    ::testing::Values(
        SyntaxCase{"", 1, "Expected 'object' but found end of file"},
        SyntaxCase{"object Form1: TForm1\n  Left 1\nend", 2, "Expected '=' but found '1'"},
        SyntaxCase{"object Form1: TForm1\n  Left = 1\n", 3, "found end of file"},
        SyntaxCase{"object Form1: TForm1\nend\nextra", 3, "Expected end of file but found 'extra'"},
        SyntaxCase{"object Form1: TForm1\n  Caption = 'abc\nend", 2, "Unterminated string"},
        SyntaxCase{"object Form1: TForm1\n  Caption = 'a' +\nend", 3,
                   "Expected a string after '+' but found 'end'"},
        SyntaxCase{"object Form1: TForm1\n  Caption = #\nend", 2, "Expected a character code"},
        SyntaxCase{"object Form1: TForm1\n  Caption = #1114112\nend", 2, "Invalid character code"},
        SyntaxCase{"object Form1: TForm1\n  Caption = #55296\nend", 2, "Invalid character code"},
        SyntaxCase{"object Form1: TForm1\n  Left = 9223372036854775808\nend", 2,
                   "Integer out of range"},
        SyntaxCase{"object Form1: TForm1\n  Left = $10000000000000000\nend", 2,
                   "Integer out of range"},
        SyntaxCase{"object Form1: TForm1\n  Left = 12px\nend", 2, "Invalid number"},
        SyntaxCase{"object Form1: TForm1\n  Left = 1.2.3\nend", 2, "Invalid number"},
        SyntaxCase{"object Form1: TForm1\n  Left = $\nend", 2, "Invalid hexadecimal number"},
        SyntaxCase{"object Form1: TForm1\n  Ratio = 1e999\nend", 2, "out of range"},
        SyntaxCase{"object Form1: TForm1\n  Left = @\nend", 2, "Unexpected character '@'"},
        SyntaxCase{"object Form1: TForm1\n  Left = -\nend", 2, "Unexpected character '-'"},
        SyntaxCase{"object Form1: TForm1\n  Left = \x01\nend", 2, "Unexpected character #1"},
        SyntaxCase{"object Form1: TForm1\r\n  Left = 1\r  Top = ?\nend", 3,
                   "Unexpected character '?'"},
        SyntaxCase{"object Form1: TForm1\n  Font. = 1\nend", 2, "Invalid name 'Font.'"},
        SyntaxCase{"object Form1: TForm1\n  Left = =\nend", 2, "Expected a value but found '='"},
        SyntaxCase{"object Form1: TForm1\n  S = [a b]\nend", 2,
                   "Expected ',' or ']' but found 'b'"},
        SyntaxCase{"object Form1: TForm1\n  S = [a,\n]\nend", 3, "Expected a set element"},
        SyntaxCase{"object Form1: TForm1\n  S = ('a' 1)\nend", 2, "Expected a string or ')'"},
        SyntaxCase{"object Form1: TForm1\n  C = <\n  item\n  X = 1\n  >\nend", 5,
                   "Expected a property name"},
        SyntaxCase{"object Form1: TForm1\n  C = <\n  X = 1>\nend", 3,
                   "Expected 'item', 'file' or '>' but found 'X'"},
        SyntaxCase{"object Form1: TForm1\n  C = <\n  file 'nope.dfm'>\nend", 3,
                   "Unknown resource 'nope.dfm'"},
        SyntaxCase{"object Form1: TForm1\n  D = {0A0}\nend", 2, "odd number of hex digits"},
        SyntaxCase{"object Form1: TForm1\n  D = {0A\n 0G}\nend", 3,
                   "Invalid character in binary data"},
        SyntaxCase{"object Form1: TForm1\n  D = {0A\n", 3, "Unterminated binary data"},
        SyntaxCase{"object Form1: TForm1\n  D = { file 'nope.bin' }\nend", 2,
                   "Unknown resource 'nope.bin'"},
        SyntaxCase{"object Form1: TForm1\n  D = { file nope }\nend", 2, "Expected a resource path"},
        SyntaxCase{"object Form1: TForm1\n  object B: T\n  end\n  Left = 1\nend", 4,
                   "properties come before"},
        SyntaxCase{"object Form1.X: TForm1\nend", 1, "Invalid component name"},
        SyntaxCase{"object Form1: 12\nend", 1, "Expected a class name"}));

TEST(FormParserTest, CollectionItemsCanComeFromResourcesThatNameThemselvesInErrors) {
  const std::string items =
      "item\n  A = 1\nend\nitem\n  B = <\n    item\n      C = 2\n    end>\nend\n";
  RegisterResource("parser/items.dfm",
                   std::span(reinterpret_cast<const uint8_t*>(items.data()), items.size()));
  const TObjectDesc desc = ParseFormDescription(
      "object F: T\n  P = <\n    item\n      Z = 0\n    end\n    file 'parser/items.dfm'>\nend",
      "F.dfm");
  const TFormValue& p = desc.properties.at(0).Value();
  ASSERT_EQ(p.items.size(), 3u);
  EXPECT_EQ(p.items[0].properties.at(0).source, nullptr);  // from the description itself
  EXPECT_EQ(p.items[1].properties.at(0).path, "A");
  EXPECT_EQ(p.items[1].properties.at(0).line, 2);  // lines of the resource
  ASSERT_NE(p.items[1].properties.at(0).source, nullptr);
  EXPECT_EQ(*p.items[1].properties.at(0).source, "parser/items.dfm");
  ASSERT_NE(p.items[2].properties.at(0).Value().items.at(0).properties.at(0).source, nullptr);
  EXPECT_EQ(*p.items[2].properties.at(0).Value().items.at(0).properties.at(0).source,
            "parser/items.dfm");

  // A syntax error inside names the resource and its own line.
  const std::string broken = "item\n  A = 1\nend\nend\n";
  RegisterResource("parser/broken.dfm",
                   std::span(reinterpret_cast<const uint8_t*>(broken.data()), broken.size()));
  try {
    ParseFormDescription("object F: T\n  P = < file 'parser/broken.dfm' >\nend", "F.dfm");
    FAIL();
  } catch (const EReadError& e) {
    EXPECT_NE(e.Message().find("parser/broken.dfm(4): Expected 'item' or end of file"),
              std::string::npos)
        << e.Message();
  }
  // A resource that names itself ends as nesting too deep, not as a crash.
  const std::string loop = "item\n  P = < file 'parser/loop.dfm' >\nend\n";
  RegisterResource("parser/loop.dfm",
                   std::span(reinterpret_cast<const uint8_t*>(loop.data()), loop.size()));
  try {
    ParseFormDescription("object F: T\n  P = < file 'parser/loop.dfm' >\nend", "F.dfm");
    FAIL();
  } catch (const EReadError& e) {
    EXPECT_NE(e.Message().find("nested too deeply"), std::string::npos) << e.Message();
  }
}

TEST(FormParserTest, RefusesNestingTooDeepInsteadOfExhaustingTheStack) {
  std::string objects;
  for (int i = 0; i < 5000; ++i) objects += "object A: T\n";
  EXPECT_THROW(ParseFormDescription(objects, "t"), EReadError);
  std::string collections = "object A: T\n";
  for (int i = 0; i < 5000; ++i) collections += "P = < item\n";
  try {
    ParseFormDescription(collections, "t");
    FAIL();
  } catch (const EReadError& e) {
    EXPECT_NE(e.Message().find("nested too deeply"), std::string::npos) << e.Message();
  }
}

TEST(FormWriterTest, FormatsValuesTheParserReadsBack) {
  TFormValue s = MakeStringValue("It's\r\n");
  EXPECT_EQ(FormatFormValue(s, 0), "'It''s'#13#10");
  EXPECT_EQ(FormatFormValue(MakeStringValue(""), 0), "''");
  EXPECT_EQ(FormatFormValue(MakeRealValue(5.0), 0), "5.0");
  EXPECT_EQ(FormatFormValue(MakeRealValue(4.83), 0), "4.83");
  EXPECT_EQ(FormatFormValue(MakeRealValue(1e21), 0), "1e+21");
  EXPECT_EQ(FormatFormValue(MakeColorValue(platform::clBtnFace), 0), "clBtnFace");
  EXPECT_EQ(FormatFormValue(MakeColorValue(0x123456), 0), "1193046");
  EXPECT_THROW(MakeRealValue(1.0 / 0.0), Exception);

  TFormValue binary;
  binary.kind = TFormValue::Kind::Binary;
  for (int i = 0; i < 40; ++i) binary.bytes.push_back(static_cast<uint8_t>(i * 7));
  const std::string hex = FormatFormValue(binary, 2);
  ASSERT_EQ(hex.substr(0, 6), "{\n    ");
  EXPECT_EQ(hex.find('\n', 6), 6u + 64u);  // 32 bytes on the first line
  EXPECT_EQ(ParseValue(hex).bytes, binary.bytes);

  // Long strings are cut into pieces, never inside a UTF-8 sequence.
  std::string text = "x";  // puts a piece boundary inside a two-byte sequence
  for (int i = 0; i < 50; ++i) text += "\xC3\xA9'x";
  const std::string formatted = FormatFormValue(MakeStringValue(text), 2);
  EXPECT_NE(formatted.find(" +\n    '"), std::string::npos);
  EXPECT_EQ(ParseValue(formatted).text, text);
  for (size_t at = formatted.find('\n'); at != std::string::npos; at = formatted.find('\n', at + 1))
    EXPECT_NE(static_cast<unsigned char>(formatted[at + 6]) & 0xC0, 0x80u);
}

TEST(FormWriterTest, FormattedDescriptionsParseBackUnchanged) {
  const std::string text =
      "object Form1: TForm1\n  A = [x, y]\n  B = <\n    item\n      C = (\n        'p'\n        "
      "'q')\n"
      "      D = {\n        0102}\n      E = <>\n    end>\n  F = -2.5e-07\n  object TTimer\n    G "
      "= clRed\n  end\nend\n";
  const TObjectDesc desc = ParseFormDescription(text, "t");
  EXPECT_EQ(FormatObjectDesc(desc), text);
}

}  // namespace
}  // namespace framework
