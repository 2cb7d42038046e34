#include "app/SnippetFile.h"

#include <gtest/gtest.h>

#include "platform/Exception.h"
#include "platform/files/Files.h"
#include "tests/platform/files/FileTestSupport.h"

namespace app {
namespace {

using filetest::Outcome;
using filetest::ReadBytes;
using filetest::TempFolder;
using filetest::WriteBytes;

const TSnippets kOld = {"o1", "o2", "o3", "o4", "o5", "o6", "o7"};

// The slots after parsing `bytes` over kOld, and how many were set.
std::pair<int, TSnippets> Parse(std::string_view bytes) {
  TSnippets fields = kOld;
  const int count = ParseSnippets(bytes, fields);
  return {count, fields};
}

// The same bytes fed one at a time must give the same slots: the reader gets them in chunks, and
// a CR at the end of one chunk may meet its LF at the start of the next.
std::pair<int, TSnippets> ParseBytewise(std::string_view bytes) {
  TSnippets fields = kOld;
  TSnippetParser parser(fields);
  for (size_t i = 0; i < bytes.size() && !parser.Done(); ++i) parser.Feed(&bytes[i], 1);
  parser.Finish();
  return {parser.LineCount(), fields};
}

void ExpectSlots(std::string_view bytes, int count, const TSnippets& expected) {
  const auto whole = Parse(bytes);
  EXPECT_EQ(whole.first, count) << testing::PrintToString(std::string(bytes));
  EXPECT_EQ(whole.second, expected) << testing::PrintToString(std::string(bytes));
  EXPECT_EQ(ParseBytewise(bytes), whole) << testing::PrintToString(std::string(bytes));
}

TEST(SnippetFileTest, LineEndsAreLfOrCrLfAndALoneCrIsDropped) {
  ExpectSlots("a\r\nb", 2, {"a", "b", "o3", "o4", "o5", "o6", "o7"});
  ExpectSlots("a\nb\n", 2, {"a", "b", "o3", "o4", "o5", "o6", "o7"});
  ExpectSlots("a\r\nb\r\n", 2, {"a", "b", "o3", "o4", "o5", "o6", "o7"});
  ExpectSlots("a\rb\r\nc\r", 2, {"ab", "c", "o3", "o4", "o5", "o6", "o7"});
  ExpectSlots("a\r\r\nb\n\r\n", 3, {"a", "b", "", "o4", "o5", "o6", "o7"});
  ExpectSlots("\r", 1, {"", "o2", "o3", "o4", "o5", "o6", "o7"});
  ExpectSlots("\n\n", 2, {"", "", "o3", "o4", "o5", "o6", "o7"});
  ExpectSlots("", 0, kOld);
}

TEST(SnippetFileTest, CtrlZEndsTheFile) {
  ExpectSlots(
      "\x1a"
      "a\r\nb",
      0, kOld);
  ExpectSlots(
      "a\r\n\x1a"
      "b\r\nc",
      1, {"a", "o2", "o3", "o4", "o5", "o6", "o7"});
  // Inside a line it ends the line's text, and nothing after it is read.
  ExpectSlots(
      "ab\x1a"
      "cd\r\ne",
      1, {"ab", "o2", "o3", "o4", "o5", "o6", "o7"});
  ExpectSlots("a\r\x1a", 1, {"a", "o2", "o3", "o4", "o5", "o6", "o7"});
}

TEST(SnippetFileTest, LinesEightAndLaterAreIgnoredAndBytesPassUnchanged) {
  ExpectSlots("1\n2\n3\n4\n5\n6\n7\n8\n9\n10\n", 7, {"1", "2", "3", "4", "5", "6", "7"});
  ExpectSlots("1\n2\n3\n4\n5\n6\n7\r", 7, {"1", "2", "3", "4", "5", "6", "7"});
  const std::string odd = std::string(" \tgr\xc3\xbc\xc3\x9f \x00\xff\x80 ", 13);
  ExpectSlots(odd + "\r\n", 1, {odd, "o2", "o3", "o4", "o5", "o6", "o7"});
  const std::string thousand(1000, 'x');
  ExpectSlots(thousand, 1, {thousand, "o2", "o3", "o4", "o5", "o6", "o7"});
}

TEST(SnippetFileTest, AnAbsurdAmountOfTextIsRefusedKeepingTheLinesBefore) {
  TSnippets fields = kOld;
  TSnippetParser parser(fields, 10);
  parser.Feed("abc\n", 4);
  EXPECT_THROW(parser.Feed("0123456789", 10), platform::EOutOfResources);
  EXPECT_EQ(fields[0], "abc");
  EXPECT_EQ(fields[1], "o2");
}

TEST(SnippetFileTest, WritingGivesSevenCrLfLines) {
  EXPECT_EQ(FormatSnippets({"a", "", "c", "", "", "", "g"}), "a\r\n\r\nc\r\n\r\n\r\n\r\ng\r\n");
  EXPECT_EQ(FormatSnippets({"a", "b", "c", "d", "e", "f", ""}),
            "a\r\nb\r\nc\r\nd\r\ne\r\nf\r\n\r\n");
  EXPECT_EQ(FormatSnippets({}), "\r\n\r\n\r\n\r\n\r\n\r\n\r\n");
}

TEST(SnippetFileTest, ThePathIsTheExecutablesFolderAndConfigTxt) {
  EXPECT_EQ(SnippetFilePath("/opt/snipwell/"), "/opt/snipwell/Config.txt");
  EXPECT_EQ(SnippetFilePath(), platform::ExecutableFolder() + "Config.txt");
}

TEST(SnippetFileTest, SaveThenLoadGivesTheSameSnippets) {
  TempFolder folder;
  const TSnippets texts = {"a", "", "gr\xc3\xbc\xc3\x9f",    "\ttab ",
                           "",  "", std::string(100000, 'z')};
  SaveSnippets(folder.Path(), texts);
  EXPECT_EQ(ReadBytes(folder / "Config.txt"), FormatSnippets(texts));
  TSnippets loaded = kOld;
  EXPECT_EQ(LoadSnippets(folder.Path(), loaded), 7);
  EXPECT_EQ(loaded, texts);
}

// A save killed between creating its hidden file and filling it (where the file system has no
// unnamed files) leaves it empty or partial: loading at start clears it away, also when there is
// no snippet file yet, and leaves a save under way and other files alone.
TEST(SnippetFileTest, LoadingRemovesWhatAKilledSaveLeftBesideTheFile) {
  TempFolder folder;
  WriteBytes(folder / ".Config.txt.Abc123.tmp", "");
  WriteBytes(folder / ".Config.txt.Def456.tmp", "o1\r\no2\r\n");
  WriteBytes(folder / ".Config.txt.Live99.tmp", "another copy is saving");
  WriteBytes(folder / ".Notes.txt.Abc123.tmp", "not ours");
  filetest::LockHolder underWay(folder / ".Config.txt.Live99.tmp", F_WRLCK);
  ASSERT_TRUE(underWay.Locked());
  TSnippets fields = kOld;
  EXPECT_EQ(Outcome([&] { LoadSnippets(folder.Path(), fields); }), "2 File not found");
  EXPECT_EQ(filetest::Entries(folder.Path()),
            (std::vector<std::string>{".Config.txt.Live99.tmp", ".Notes.txt.Abc123.tmp"}));

  WriteBytes(folder / ".Config.txt.Ghi789.tmp", "partial");
  WriteBytes(folder / "Config.txt", "one\r\n");
  EXPECT_EQ(LoadSnippets(folder.Path(), fields), 1);
  EXPECT_EQ(
      filetest::Entries(folder.Path()),
      (std::vector<std::string>{".Config.txt.Live99.tmp", ".Notes.txt.Abc123.tmp", "Config.txt"}));
}

TEST(SnippetFileTest, LoadingKeepsTheSlotsAfterTheLastLineAndAcrossReadChunks) {
  TempFolder folder;
  // The CR LF after line 1 straddles the 64 KiB read chunks; the CR must not be lost or kept.
  const std::string first(65535, 'x');
  WriteBytes(folder / "Config.txt", first + "\r\nsecond\nthird");
  TSnippets fields = kOld;
  EXPECT_EQ(LoadSnippets(folder.Path(), fields), 3);
  EXPECT_EQ(fields, (TSnippets{first, "second", "third", "o4", "o5", "o6", "o7"}));

  WriteBytes(folder / "Config.txt", "");
  fields = kOld;
  EXPECT_EQ(LoadSnippets(folder.Path(), fields), 0);
  EXPECT_EQ(fields, kOld);
}

TEST(SnippetFileTest, FailuresCarryTheirMessagesAndChangeNoSlot) {
  TempFolder folder;
  TSnippets fields = kOld;
  EXPECT_EQ(Outcome([&] { LoadSnippets(folder.Path(), fields); }), "2 File not found");
  EXPECT_EQ(Outcome([&] { LoadSnippets(folder / "gone/", fields); }), "3 Invalid filename");
  EXPECT_EQ(Outcome([&] { SaveSnippets(folder / "gone/", fields); }), "3 Invalid filename");

  WriteBytes(folder / "Config.txt", "new\r\n");
  {
    filetest::LockHolder saving(folder / "Config.txt", F_WRLCK);
    ASSERT_TRUE(saving.Locked());
    EXPECT_EQ(Outcome([&] { LoadSnippets(folder.Path(), fields); }), "32 I/O error 32");
    EXPECT_EQ(Outcome([&] { SaveSnippets(folder.Path(), {}); }), "32 I/O error 32");
  }
  EXPECT_EQ(fields, kOld);
  EXPECT_EQ(ReadBytes(folder / "Config.txt"), "new\r\n");

  // Saving into a folder the user may not write (root may, so as nobody in a child).
  ::chmod((folder / "Config.txt").c_str(), 0666);
  const std::string result = filetest::InChild([&] {
    if (!filetest::BecomeNobody()) return std::string("no nobody");
    return Outcome([&] { SaveSnippets(folder.Path(), {"x"}); });
  });
  if (result == "no nobody") GTEST_SKIP() << "cannot switch to user nobody";
  EXPECT_EQ(result, "5 File access denied");
  EXPECT_EQ(ReadBytes(folder / "Config.txt"), "new\r\n");
}

}  // namespace
}  // namespace app

namespace app {
namespace {

TEST(SnippetFileTest, ALineEqualToWhatItsSlotHoldsKeepsTheSlotsOwnBytes) {
  // Equal lines, one of them long enough to arrive in several read chunks, keep the very text the
  // slot held; lines that are shorter, longer or differ anywhere (the last byte of a long one
  // too) are the file's.
  const std::string longText(200000, 'L');
  std::string changed = longText;
  changed.back() = 'M';
  const TSnippets old = {"same", "longer than the line", "short", "prefix", longText, longText, ""};
  const std::string bytes =
      "same\r\nlonger\r\nshort and more\r\nprefiX\r\n" + longText + "\r\n" + changed + "\r\n\r\n";
  const TSnippets expected = {"same", "longer", "short and more", "prefiX", longText, changed, ""};

  TempFolder folder;
  WriteBytes(folder / "Config.txt", bytes);
  TSnippets fields = old;
  EXPECT_EQ(LoadSnippets(folder.Path(), fields), 7);
  EXPECT_EQ(fields, expected);
  EXPECT_TRUE(fields[0].Shares(old[0]));
  EXPECT_TRUE(fields[4].Shares(old[4]));
  EXPECT_FALSE(fields[5].Shares(old[5]));

  TSnippets pieces = old;
  TSnippetParser parser(pieces);
  for (size_t i = 0; i < bytes.size(); i += 7)
    parser.Feed(&bytes[i], std::min<size_t>(7, bytes.size() - i));
  parser.Finish();
  EXPECT_EQ(pieces, expected);
  EXPECT_TRUE(pieces[4].Shares(old[4]));
}

}  // namespace
}  // namespace app
