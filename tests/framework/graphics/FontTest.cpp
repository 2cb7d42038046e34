#include <gtest/gtest.h>

#include <map>

#include "framework/classes/ClassRegistry.h"
#include "framework/classes/FormReader.h"
#include "framework/graphics/Brush.h"
#include "framework/graphics/Font.h"
#include "framework/graphics/Pen.h"

namespace framework {
namespace {

TEST(MulDivTest, RoundsHalvesAwayFromZero) {
  EXPECT_EQ(MulDiv(3, 1, 2), 2);
  EXPECT_EQ(MulDiv(-3, 1, 2), -2);
  EXPECT_EQ(MulDiv(5, 1, 3), 2);
  EXPECT_EQ(MulDiv(3, -1, 2), -2);
  EXPECT_EQ(MulDiv(7, 3, 0), -1);
  EXPECT_EQ(MulDiv(INT32_MAX, INT32_MAX, 1), INT32_MAX);
}

TEST(FontTest, SizeAndHeightConvertAtNinetySixPixelsPerInch) {
  TFont font;
  EXPECT_EQ(font.Name(), "MS Sans Serif");
  EXPECT_EQ(font.Height(), -11);
  EXPECT_EQ(font.Size(), 8);  // 11 * 72 / 96 = 8.25
  font.SetSize(10);
  EXPECT_EQ(font.Height(), -13);  // 13.33
  font.SetSize(9);
  EXPECT_EQ(font.Height(), -12);
  font.SetSize(8);
  EXPECT_EQ(font.Height(), -11);  // 10.67
  font.SetHeight(-16);
  EXPECT_EQ(font.Size(), 12);
  font.SetHeight(-13);
  EXPECT_EQ(font.Size(), 10);  // 9.75
  font.SetHeight(16);          // a cell height: the size comes out negative, as on Windows
  EXPECT_EQ(font.Size(), -12);
}

TEST(FontTest, OnChangeFiresOncePerRealChange) {
  TFont font;
  int changes = 0;
  TObject* sender = nullptr;
  font.OnChange = [&](TObject* s) {
    ++changes;
    sender = s;
  };
  font.SetName("MS Sans Serif");
  font.SetHeight(-11);
  font.SetSize(8);  // Height -11 again
  font.SetColor(platform::clWindowText);
  font.SetStyle(0x100);  // no known style bit: still no style
  font.SetCharset(DEFAULT_CHARSET);
  EXPECT_EQ(changes, 0);

  font.SetName("Arial");
  font.SetStyle(fsBold | fsUnderline);
  font.SetColor(platform::clRed);
  font.SetCharset(300);  // clamped to 255
  EXPECT_EQ(changes, 4);
  EXPECT_EQ(sender, &font);
  EXPECT_EQ(font.Charset(), 255);

  TFont other;
  other.Assign(&font);
  changes = 0;
  font.Assign(&other);  // the same values
  EXPECT_EQ(changes, 0);
  other.SetHeight(-20);
  other.SetStyle(fsItalic);
  other.SetColor(platform::clBlue);
  font.Assign(&other);  // three differences, one notification
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(font.Height(), -20);
  EXPECT_EQ(font.Style(), TFontStyles{fsItalic});
  EXPECT_EQ(font.Color(), platform::clBlue);
  EXPECT_EQ(font.Name(), "Arial");

  TBrush brush;
  EXPECT_THROW(font.Assign(&brush), EConvertError);
  EXPECT_THROW(font.Assign(nullptr), EConvertError);
}

TEST(FontTest, HandleFollowsTheRequestButNotTheColour) {
  TFont font;
  font.SetName("Arial");
  font.SetHeight(-14);
  font.SetStyle(fsBold | fsItalic | fsStrikeOut);
  const platform::HFONT handle = font.Handle();
  ASSERT_NE(handle, nullptr);
  const platform::LogFont& request = platform::FontRequest(handle);
  EXPECT_EQ(request.FaceName, "Arial");
  EXPECT_EQ(request.Height, -14);
  EXPECT_EQ(request.Weight, platform::FW_BOLD);
  EXPECT_TRUE(request.Italic);
  EXPECT_FALSE(request.Underline);
  EXPECT_TRUE(request.StrikeOut);
  font.SetColor(platform::clRed);
  EXPECT_EQ(font.Handle(), handle);
  font.SetHeight(-15);
  EXPECT_NE(font.Handle(), handle);
  EXPECT_EQ(platform::FontRequest(font.Handle()).Height, -15);
}

// Sets properties of obj as a description would, from "Path = value" lines.
void ReadInto(TObject* obj, const std::string& lines) {
  const TObjectDesc desc = ParseFormDescription("object X: TX\n" + lines + "end\n", "test");
  TReader reader(nullptr, "test");
  for (const TPropertyAssignment& p : desc.properties) reader.SetProperty(obj, p);
}

// The properties obj would write, by name, as their value's text or integer.
std::map<std::string, std::string> Written(const TObject* obj) {
  std::map<std::string, std::string> out;
  for (const TPropInfo* p : obj->ClassInfo().AllProperties()) {
    if (!p->write) continue;
    if (auto v = p->write(obj)) {
      std::string text =
          v->kind == TFormValue::Kind::Integer ? std::to_string(v->integer) : v->text;
      for (const std::string& element : v->list) text += (text.empty() ? "" : ",") + element;
      out[p->name] = text;
    }
  }
  return out;
}

TEST(FontTest, PublishedPropertiesReadAndWriteOnlyWhatDiffersFromTheDefaults) {
  TFont font;
  EXPECT_TRUE(Written(&font).empty());
  ReadInto(&font,
           "Name = 'Courier New'\nHeight = -13\nStyle = [fsBold, fsUnderline]\n"
           "Charset = ANSI_CHARSET\nColor = clRed\n");
  EXPECT_EQ(font.Name(), "Courier New");
  EXPECT_EQ(font.Height(), -13);
  EXPECT_EQ(font.Style(), TFontStyles{fsBold | fsUnderline});
  EXPECT_EQ(font.Charset(), ANSI_CHARSET);
  EXPECT_EQ(font.Color(), platform::clRed);
  const std::map<std::string, std::string> expected = {{"Charset", "ANSI_CHARSET"},
                                                       {"Color", "clRed"},
                                                       {"Height", "-13"},
                                                       {"Name", "Courier New"},
                                                       {"Style", "fsBold,fsUnderline"}};
  EXPECT_EQ(Written(&font), expected);

  ReadInto(&font, "Size = 12\nCharset = 204\n");
  EXPECT_EQ(font.Height(), -16);
  EXPECT_EQ(Written(&font)["Charset"], "RUSSIAN_CHARSET");
  ReadInto(&font, "Charset = 3\n");
  EXPECT_EQ(Written(&font)["Charset"], "3");
  TFont copy;
  AssignPublishedProperties(&font, &copy);  // as owners copy their published parts
  EXPECT_EQ(Written(&copy), Written(&font));
  EXPECT_THROW(ReadInto(&font, "Charset = KLINGON_CHARSET\n"), EReadError);
  EXPECT_THROW(ReadInto(&font, "Charset = 256\n"), EReadError);
  EXPECT_THROW(ReadInto(&font, "Style = [fsShadow]\n"), EReadError);
}

TEST(BrushPenTest, DefaultsNotificationsAndPublishedValues) {
  TBrush brush;
  TPen pen;
  EXPECT_EQ(brush.Color(), platform::clWhite);
  EXPECT_EQ(brush.Style(), bsSolid);
  EXPECT_EQ(pen.Color(), platform::clBlack);
  EXPECT_EQ(pen.Width(), 1);
  EXPECT_EQ(pen.Style(), psSolid);
  EXPECT_TRUE(Written(&brush).empty());
  EXPECT_TRUE(Written(&pen).empty());

  int changes = 0;
  brush.OnChange = [&](TObject*) { ++changes; };
  pen.OnChange = [&](TObject*) { ++changes; };
  brush.SetColor(platform::clWhite);
  pen.SetWidth(0);  // taken as 1: no change
  EXPECT_EQ(changes, 0);
  ReadInto(&brush, "Style = bsClear\nColor = clBtnFace\n");
  ReadInto(&pen, "Width = 3\nStyle = psClear\n");
  EXPECT_EQ(changes, 4);
  EXPECT_EQ(brush.Handle(), platform::ClearBrush());
  EXPECT_EQ(Written(&brush),
            (std::map<std::string, std::string>{{"Color", "clBtnFace"}, {"Style", "bsClear"}}));
  EXPECT_EQ(Written(&pen),
            (std::map<std::string, std::string>{{"Style", "psClear"}, {"Width", "3"}}));

  TBrush copy;
  copy.Assign(&brush);
  EXPECT_EQ(copy.Color(), platform::clBtnFace);
  EXPECT_EQ(copy.Style(), bsClear);
  TPen penCopy;
  penCopy.Assign(&pen);
  EXPECT_EQ(penCopy.Width(), 3);
}

}  // namespace
}  // namespace framework
