// Stored skins through the description format: what is written, that everything reads back, and
// that bad picture data costs only that picture.

#include <algorithm>

#include "framework/classes/FormReader.h"
#include "skin/data/sGradientData.h"
#include "skin/data/sStrUtils.h"
#include "tests/skin/SkinTestSupport.h"

namespace skin::test {
namespace {

uint32_t ReadLE32(const std::vector<uint8_t>& bytes, size_t at) {
  return bytes[at] | (bytes[at + 1] << 8) | (bytes[at + 2] << 16) |
         (static_cast<uint32_t>(bytes[at + 3]) << 24);
}

std::string Hex(const std::vector<uint8_t>& bytes) {
  static const char digits[] = "0123456789ABCDEF";
  std::string text;
  for (uint8_t b : bytes) {
    text += digits[b >> 4];
    text += digits[b & 15];
  }
  return text;
}

std::vector<uint8_t> WithCount(uint32_t count, std::vector<uint8_t> bytes) {
  std::vector<uint8_t> data = {static_cast<uint8_t>(count), static_cast<uint8_t>(count >> 8),
                               static_cast<uint8_t>(count >> 16),
                               static_cast<uint8_t>(count >> 24)};
  data.resize(4 + bytes.size());
  std::copy(bytes.begin(), bytes.end(), data.begin() + 4);
  return data;
}

class StoredSkinTest : public SkinTest {
 protected:
  // A form-like root holding one manager, written out and read back into a fresh root.
  std::string Write(const std::function<void(TsSkinManager*)>& fill) {
    framework::TComponent root(nullptr);
    root.SetName("Form1");
    auto* manager = new TsSkinManager(&root);
    manager->SetName("sSkinManager1");
    fill(manager);
    return framework::WriteComponentRes(&root);
  }
  TsSkinManager* Read(framework::TComponent& root, const std::string& text) {
    framework::ReadComponentRes(&root, text, "Unit1.dfm");
    return dynamic_cast<TsSkinManager*>(root.FindComponent("sSkinManager1"));
  }
};

TEST_F(StoredSkinTest, NewItemsStartEmptyWithTheDeclaredDefaults) {
  TsSkinManager manager(nullptr);
  TsStoredSkin* skin = manager.InternalSkins()->AddItem();
  EXPECT_EQ(manager.InternalSkins()->Owner(), &manager);
  EXPECT_EQ(skin->GeneralData()->Owner(), skin);
  EXPECT_EQ(skin->Images()->Owner(), skin);
  EXPECT_EQ(skin->Patterns()->Owner(), skin);
  EXPECT_EQ(skin->Shadow1Blur, -1);
  EXPECT_EQ(skin->Version, 0);
  EXPECT_TRUE(skin->MasterBitmap()->Empty());
  TsSkinGeneral* g = skin->GeneralData()->AddItem();
  EXPECT_EQ(g->Color, 0);
  EXPECT_EQ(g->Bevel, cbNone);
  EXPECT_FALSE(g->ShadowEnabled);
  EXPECT_TRUE(skin->Images()->AddItem()->Image()->Empty());
  EXPECT_TRUE(skin->Patterns()->AddItem()->Image()->Empty());
  EXPECT_EQ(manager.SkinDirectory(), "c:\\Skins");
  EXPECT_TRUE(manager.IsDefault());
  EXPECT_TRUE(manager.Active());
  EXPECT_TRUE(manager.SkinnedPopups());
}

TEST_F(StoredSkinTest, RoundTripKeepsEveryPropertyAndPicture) {
  const std::string text = Write([](TsSkinManager* m) {
    TsStoredSkin* skin = AddTestSkin(m, "BlueIce (internal)");
    skin->Description = "It's a skin";
    TsSkinGeneral* g = skin->GeneralData()->Items(3);
    g->Bevel = cbRaisedHard;
    g->HotBevel = cbLoweredHard;
    g->ShadowEnabled = true;
    g->ParentClass = "EDIT";
    g->GradientData = "16444627;12094791;99;0;0;12094791;12094791;0;0;0";
    g->BorderColor2 = platform::clWhite;
    TsStoredSkin* other = AddTestSkin(m, "BlueGauze (internal)");
    other->Shadow1Blur = -1;
    other->Version = 0;
    m->MenuSupport()->IcoLineSkin = "ICOLINE";
    m->SetSkinName("BlueIce (internal)");
  });
  // What the format holds: versions as short reals, integers always, defaults and empty texts not.
  EXPECT_NE(text.find("Version = 4.83\n"), std::string::npos);
  EXPECT_NE(text.find("Shadow1Blur = 4"), std::string::npos);
  EXPECT_EQ(text.find("Shadow1Blur = -1"), std::string::npos);
  EXPECT_NE(text.find("ShadowDontUse = False"), std::string::npos);
  EXPECT_NE(text.find("Bevel = cbRaisedHard"), std::string::npos);
  EXPECT_NE(text.find("BorderColor2 = clWhite"), std::string::npos);
  EXPECT_NE(text.find("MasterBitmap.Data = {"), std::string::npos);
  EXPECT_EQ(text.find("ParentClass = ''"), std::string::npos);
  // Pictures are written only where they are: the own pictures of masks and the first pattern of
  // each shared picture, one of each per skin.
  size_t pictures = 0;
  for (size_t at = text.find("Image.Data"); at != std::string::npos;
       at = text.find("Image.Data", at + 1))
    ++pictures;
  EXPECT_EQ(pictures, 4u);

  framework::TComponent root(nullptr);
  TsSkinManager* read = Read(root, text);
  ASSERT_NE(read, nullptr);
  ASSERT_EQ(read->InternalSkins()->Count(), 2);
  EXPECT_EQ(framework::WriteComponentRes(&root), text);

  TsStoredSkin* skin = read->InternalSkins()->Items(0);
  EXPECT_EQ(skin->Description, "It's a skin");
  EXPECT_EQ(skin->Version, 4.83);
  EXPECT_EQ(read->InternalSkins()->Items(1)->Shadow1Blur, -1);
  EXPECT_EQ(skin->GeneralData()->Items(3)->Bevel, cbRaisedHard);
  EXPECT_EQ(skin->GeneralData()->Items(9)->SectionName, "");
  // The stored pictures keep their 8-bit form; the description's bytes are a count and a BMP file
  // with its pixels at 1078.
  EXPECT_EQ(skin->MasterBitmap()->PixelFormat(), framework::pf8bit);
  EXPECT_EQ(skin->MasterBitmap()->DIB(), Make8Bit(64, 48));
  const std::vector<uint8_t> data = skin->MasterBitmap()->WriteData();
  ASSERT_GT(data.size(), 1078u + 4);
  EXPECT_EQ(ReadLE32(data, 0), data.size() - 4);
  EXPECT_EQ(data[4], 'B');
  EXPECT_EQ(data[5], 'M');
  EXPECT_EQ(ReadLE32(data, 4 + 2), data.size() - 4);
  EXPECT_EQ(ReadLE32(data, 4 + 10), 1078u);
  EXPECT_EQ(skin->Images()->Items(5)->Image()->DIB(), Make8Bit(36, 24));
  EXPECT_EQ(skin->Patterns()->Items(0)->Image()->Bytes(), MakeJpegBytes(16, 16, 0x336699));
  EXPECT_TRUE(skin->Patterns()->Items(1)->Image()->Empty());
  EXPECT_EQ(read->SkinName(), "BlueIce (internal)");
  EXPECT_EQ(read->Tables().FindSection("PANEL"), 3);
}

TEST_F(StoredSkinTest, AssigningStoredSkinsCopiesThem) {
  TsSkinManager source(nullptr);
  AddTestSkin(&source, "A");
  TsSkinManager target(nullptr);
  target.SetInternalSkins(source.InternalSkins());
  source.InternalSkins()->Items(0)->MasterBitmap()->SetSize(1, 1);
  source.InternalSkins()->Items(0)->GeneralData()->Items(0)->SectionName = "CHANGED";
  TsStoredSkin* copy = target.InternalSkins()->Items(0);
  EXPECT_EQ(copy->Name(), "A");
  EXPECT_EQ(copy->MasterBitmap()->Width(), 64);
  EXPECT_EQ(copy->GeneralData()->Items(0)->SectionName, "GLOBALINFO");
  EXPECT_EQ(copy->Images()->Items(5)->Image()->Width(), 36);
  EXPECT_EQ(copy->Patterns()->Items(0)->Image()->Width(), 16);
}

TEST_F(StoredSkinTest, BadPictureDataCostsOnlyThatPicture) {
  const std::vector<uint8_t> bmp = platform::WriteBmp(Make8Bit(20, 10));
  const std::vector<uint8_t> truncatedBmp(bmp.begin(), bmp.begin() + 1100);
  const std::vector<uint8_t> jpeg = MakeJpegBytes(16, 16, 0x123456);
  const std::vector<uint8_t> truncatedJpeg(jpeg.begin(),
                                           jpeg.begin() + static_cast<long>(jpeg.size() / 2));
  const std::string text =
      "object Form1: TComponent\n"
      "  object sSkinManager1: TsSkinManager\n"
      "    InternalSkins = <\n"
      "      item\n"
      "        Name = 'Bad'\n"
      "        GeneralData = <\n"
      "          item\n"
      "            SectionName = 'EDIT'\n"
      "            Color = 255\n"
      "            FontColor = '0 x -1 -1 -1'\n"
      "            Transparency = 7\n"
      "          end\n"
      "          item\n"
      "            SectionName = 'BUTTON'\n"
      "          end>\n"
      "        Images = <\n"
      "          item\n"
      "            SectionName = 'A'\n"
      "            Image.Data = {" +
      Hex(WithCount(0xFFFFFFF0u, {0x42, 0x4D})) +
      "}\n"
      "            Name = 'A.BMP'\n"
      "            PropertyName = 'BORDERSMASK'\n"
      "          end\n"
      "          item\n"
      "            SectionName = 'B'\n"
      "            Image.Data = {" +
      Hex(WithCount(static_cast<uint32_t>(bmp.size() + 10), bmp)) +
      "}\n"
      "            Name = 'B.BMP'\n"
      "            PropertyName = 'BORDERSMASK'\n"
      "          end\n"
      "          item\n"
      "            SectionName = 'C'\n"
      "            Image.Data = {" +
      Hex(WithCount(static_cast<uint32_t>(bmp.size()), bmp)) +
      "}\n"
      "            Name = 'C.BMP'\n"
      "            PropertyName = 'BORDERSMASK'\n"
      "          end>\n"
      "        Patterns = <\n"
      "          item\n"
      "            SectionName = 'FORM'\n"
      "            Image.Data = {" +
      Hex(WithCount(static_cast<uint32_t>(truncatedJpeg.size()), truncatedJpeg)) +
      "}\n"
      "            Name = 'BG.JPG'\n"
      "            PropertyName = 'PATTERN'\n"
      "          end>\n"
      "        MasterBitmap.Data = {" +
      Hex(WithCount(static_cast<uint32_t>(truncatedBmp.size()), truncatedBmp)) +
      "}\n"
      "        Shadow1Color = 42\n"
      "      end>\n"
      "    SkinName = 'Bad'\n"
      "  end\n"
      "end\n";
  framework::TComponent root(nullptr);
  TsSkinManager* manager = Read(root, text);
  ASSERT_NE(manager, nullptr);
  TsStoredSkin* skin = manager->InternalSkins()->Items(0);
  EXPECT_TRUE(skin->MasterBitmap()->Empty());
  EXPECT_EQ(skin->Shadow1Color, 42);
  EXPECT_TRUE(skin->Images()->Items(0)->Image()->Empty());  // absurd count
  EXPECT_TRUE(skin->Images()->Items(1)->Image()->Empty());  // count beyond the data
  EXPECT_EQ(skin->Images()->Items(2)->Image()->Width(), 20);
  EXPECT_TRUE(skin->Patterns()->Items(0)->Image()->Empty());

  // The skin still loads: empty pictures, whole records up to the bad word, the rest intact.
  EXPECT_TRUE(manager->SkinData().SkinReady);
  EXPECT_TRUE(manager->Tables().MasterBitmap->Empty());
  ASSERT_EQ(manager->Tables().Masks.size(), 3u);
  EXPECT_EQ(manager->Tables().Masks[0].R, (platform::TRect{0, 0, 0, 0}));
  EXPECT_EQ(manager->Tables().Masks[2].R, (platform::TRect{0, 0, 20, 10}));
  EXPECT_TRUE(manager->Tables().Patterns[0].Img->Empty());
  const TsGeneralData& edit = manager->Tables().Sections[0];
  EXPECT_EQ(edit.Color, 255);
  EXPECT_EQ(edit.Transparency, 7);
  EXPECT_EQ(edit.FontColor, (TsFontColors{0, 0, 0, 0, 0}));
  EXPECT_EQ(manager->Tables().FindSection("BUTTON"), 1);
}

// Stored pictures are decoded when first asked for (a program reads every stored skin and shows
// one): until then the data read is what they hold, and whatever replaces it wins.
TEST(StoredPictureTest, DataIsKeptUntilAskedForAndGivesWayToWhatReplacesIt) {
  auto data = [](const std::vector<uint8_t>& file) {
    return WithCount(static_cast<uint32_t>(file.size()), file);
  };
  const std::vector<uint8_t> small = data(platform::WriteBmp(Make8Bit(20, 10)));
  const std::vector<uint8_t> large = data(platform::WriteBmp(Make8Bit(30, 12)));

  TsStoredBitmap unread;
  unread.ReadData(small);
  EXPECT_EQ(unread.WriteData(), small);  // written back as read, byte for byte
  EXPECT_EQ(unread.Decoded()->Width(), 20);

  TsStoredBitmap readTwice;
  readTwice.ReadData(small);
  readTwice.ReadData(large);
  EXPECT_EQ(readTwice.Decoded()->Width(), 30);

  framework::TBitmap other;
  other.SetDIB(Make8Bit(7, 5));
  TsStoredBitmap assigned;
  assigned.ReadData(small);
  assigned.Assign(&other);
  EXPECT_EQ(assigned.Decoded()->Width(), 7);

  const std::vector<uint8_t> jpeg = MakeJpegBytes(16, 8, 0x123456);
  TsStoredJPEG pattern;
  pattern.ReadData(data(jpeg));
  EXPECT_EQ(pattern.Decoded()->Height(), 8);
  pattern.ReadData(WithCount(4, {1, 2, 3, 4}));
  EXPECT_TRUE(pattern.Decoded()->Empty());
}

TEST(GradientDataTest, ParsesFiveWordGroups) {
  const TsGradArray two = ParseGradientData("14732489;11509661;100;0;0;11509661;11509661;0;0;0");
  ASSERT_EQ(two.size(), 2u);
  EXPECT_EQ(two[0].StartColor, 14732489);
  EXPECT_EQ(two[0].EndColor, 11509661);
  EXPECT_EQ(two[0].Share, 100);
  EXPECT_EQ(two[1].Share, 0);
  EXPECT_EQ(ParseGradientData(";;1;2;;250;1;0;6;7").size(),
            1u);  // seven words, empty ones not counted
  EXPECT_EQ(ParseGradientData("1;2;250;1;0")[0].Share, 100);
  EXPECT_EQ(ParseGradientData("1;2;-5;1;0")[0].Share, 251);  // the low byte of -5
  EXPECT_EQ(ParseGradientData("1;2;50;3;0")[0].Kind, 3);
  EXPECT_TRUE(ParseGradientData(" ").empty());
  EXPECT_TRUE(ParseGradientData("N/A").empty());
  EXPECT_TRUE(ParseGradientData("").empty());
  EXPECT_THROW(ParseGradientData("1;2;x;0;0"), framework::EConvertError);
  try {
    ParseGradientData("1;2;x;0;0");
  } catch (const framework::EConvertError& e) {
    EXPECT_STREQ(e.what(), "'x' is not a valid integer value");
  }
}

TEST(SkinTextTest, IntegersInTheNotationsSkinsUse) {
  EXPECT_EQ(TryStrToInt("-2147483648"), -2147483647 - 1);
  EXPECT_EQ(TryStrToInt("2147483647"), 2147483647);
  EXPECT_FALSE(TryStrToInt("2147483648"));
  EXPECT_EQ(TryStrToInt("$FF00FF"), 0xFF00FF);
  EXPECT_EQ(TryStrToInt("0x10"), 16);
  EXPECT_EQ(TryStrToInt("$FFFFFFFF"), -1);
  EXPECT_FALSE(TryStrToInt("$1FFFFFFFF"));
  EXPECT_EQ(TryStrToInt("  12"), 12);
  EXPECT_FALSE(TryStrToInt("12 "));
  EXPECT_FALSE(TryStrToInt(""));
  EXPECT_FALSE(TryStrToInt("-"));
  EXPECT_FALSE(TryStrToInt("$"));
  EXPECT_FALSE(TryStrToInt("99999999999999999999999"));
}

}  // namespace
}  // namespace skin::test
