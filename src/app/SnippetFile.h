#pragma once
// The snippet file: "Config.txt" beside the executable, or in the user's configuration folder (see
// SnippetLocation.h), one snippet per line, line k for slot k. Loading fills the seven slots of
// the bar at its creation and of the editor at each show; saving writes the editor's seven slots
// on "OK".
//
// Bytes pass unchanged both ways (UTF-8 here; no byte-order mark, blanks and tabs kept). Files
// from other editors are accepted: see TSnippetParser. Failures raise platform::EInOutError with
// the Windows codes and messages the error report shows ("File not found", "File access denied",
// "Disk full", "I/O error 32", ...).

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

#include "platform/SharedText.h"

namespace app {

constexpr int kSnippetCount = 7;
// Shared texts: a snippet of many megabytes passes between the file, the fields and the bar
// without its bytes being copied.
using TSnippets = std::array<platform::SharedText, kSnippetCount>;

inline constexpr char kSnippetFileName[] = "Config.txt";

// The seven snippets are single lines typed into edit fields; more than this in them together is
// a damaged or foreign file, refused with EOutOfResources rather than exhausting memory.
constexpr size_t kMaxSnippetTextBytes = size_t{256} << 20;

// The reading rules, over bytes that may arrive in pieces of any size:
//  - a line ends at LF or at CR LF, and the line end is not part of its text;
//  - a CR not directly followed by LF is dropped and does not end the line (a file holding only a
//    CR therefore has one empty line);
//  - a Ctrl-Z (26) ends the file: where a line would begin it opens no line; inside a line it ends
//    that line's text, and nothing after it is read either;
//  - the last line needs no line end; a line end at the very end opens no further, empty line;
//  - lines have no length limit of their own; lines 8 and later do not matter, so the parser is
//    Done() after the seventh and its reader stops there.
// Slot k of the given fields is set the moment line k is complete; slots beyond the last line keep
// their texts. A line equal to what its slot holds leaves the slot's text as it is, shared, so
// reading an unchanged file again makes no second copy of a long snippet: the line is compared
// with the slot's text as it arrives and copied only from where it differs.
class TSnippetParser {
 public:
  explicit TSnippetParser(TSnippets& fields, size_t maxTextBytes = kMaxSnippetTextBytes);

  // Raises platform::EOutOfResources once the lines' text exceeds maxTextBytes; the slots of the
  // lines completed before stay set.
  void Feed(const char* data, size_t size);
  // The end of the data: a last line without a line end is complete now.
  void Finish();
  // At most this many bytes are still to come (a file's size). A line that outgrows a reading
  // piece then takes room for all of them at once instead of growing by doubling, which copies it
  // and holds it half as large again for a moment; room it does not fill is never touched.
  void ExpectAtMost(size_t bytes) { expected_ = bytes; }

  bool Done() const { return done_; }
  int LineCount() const { return count_; }

 private:
  void EndLine();

  TSnippets& fields_;
  size_t maxTextBytes_;
  size_t textBytes_ = 0;
  size_t expected_ = 0;
  size_t fed_ = 0;  // bytes fed before the current piece
  std::string current_;
  size_t matched_ = 0;    // bytes of the line read so far that equal the start of its slot's text
  bool matching_ = true;  // and nothing in the line differed from it so far
  int count_ = 0;
  bool inLine_ = false;
  bool pendingCR_ = false;
  bool done_ = false;
};

// The rules over a whole file's bytes; returns the number of slots set (0 to 7).
int ParseSnippets(std::string_view bytes, TSnippets& fields);

// The file as the program writes it: each of the seven texts followed by CR LF, nothing else.
std::string FormatSnippets(const TSnippets& fields);

// `folder` ends with "/"; the name follows directly. Without a folder: the executable's, read anew.
std::string SnippetFilePath(const std::string& folder);
std::string SnippetFilePath();

// Load: fills the slots from the file and returns how many were set; the others keep their texts.
// The file must exist (2 "File not found"); while another copy of the program saves it the load
// fails with 32 and changes nothing. Each slot is set as soon as its line is read, so a read that
// fails part-way leaves the slots of the lines already complete set and the others as they were.
int LoadSnippetFile(const std::string& path, TSnippets& fields);
int LoadSnippets(TSnippets& fields);
int LoadSnippets(const std::string& folder, TSnippets& fields);

// Save: replaces the file by the seven texts in one step, creating it when missing. On any failure
// the old file stays as it was (5 for a read-only file or folder, 101 when the disk is full, 32
// while another copy reads or saves it).
void SaveSnippetFile(const std::string& path, const TSnippets& fields);
void SaveSnippets(const TSnippets& fields);
void SaveSnippets(const std::string& folder, const TSnippets& fields);

}  // namespace app
