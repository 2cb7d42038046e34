#include "app/SnippetFile.h"

#include <algorithm>
#include <utility>

#include "platform/Exception.h"
#include "platform/files/Files.h"

namespace app {

namespace {

constexpr char kCtrlZ = 26;

// A line longer than this is taken for a long one: it reserves what the file may still hold.
constexpr size_t kShortLine = 65536;

bool IsSpecial(char c) { return c == '\n' || c == '\r' || c == kCtrlZ; }

}  // namespace

TSnippetParser::TSnippetParser(TSnippets& fields, size_t maxTextBytes)
    : fields_(fields), maxTextBytes_(maxTextBytes) {}

void TSnippetParser::EndLine() {
  // A long line that took room for the rest of a file holding more lines gives back what it
  // did not use.
  if (current_.capacity() - current_.size() > std::max(kShortLine, current_.size() / 4))
    current_.shrink_to_fit();
  platform::SharedText& slot = fields_[static_cast<size_t>(count_)];
  if (!matching_)
    slot = platform::SharedText(std::move(current_));
  else if (matched_ != slot.size())
    slot = platform::SharedText(slot.substr(0, matched_));  // the start of what it held
  current_ = std::string();
  matched_ = 0;
  matching_ = true;
  ++count_;
  inLine_ = false;
  if (count_ == kSnippetCount) done_ = true;
}

void TSnippetParser::Feed(const char* data, size_t size) {
  size_t i = 0;
  while (i < size && !done_) {
    const char c = data[i];
    if (pendingCR_) {
      pendingCR_ = false;
      if (c == '\n') {
        EndLine();
        ++i;
        continue;
      }
      // The CR stood alone: it is dropped and c is read as if the CR had not been there.
    }
    if (!inLine_) {
      if (c == kCtrlZ) {
        done_ = true;
        break;
      }
      inLine_ = true;
    }
    if (c == '\n') {
      EndLine();
      ++i;
    } else if (c == '\r') {
      pendingCR_ = true;
      ++i;
    } else if (c == kCtrlZ) {
      EndLine();
      done_ = true;
    } else {
      size_t end = i + 1;
      while (end < size && !IsSpecial(data[end])) ++end;
      const size_t run = end - i;
      if (run > maxTextBytes_ - textBytes_)
        throw platform::EOutOfResources("The snippet file holds more than " +
                                        std::to_string(maxTextBytes_) + " bytes of snippets");
      textBytes_ += run;
      if (matching_) {
        const std::string& old = fields_[static_cast<size_t>(count_)].Str();
        if (old.size() - matched_ >= run && old.compare(matched_, run, data + i, run) == 0) {
          matched_ += run;
          i = end;
          continue;
        }
        // The line differs from here on: it starts with what matched so far.
        matching_ = false;
        current_.assign(old, 0, matched_);
      }
      const size_t grown = current_.size() + run;
      if (grown > current_.capacity() && grown > kShortLine) {
        // Neither more than the file still holds nor more than the snippets may still take.
        const size_t left = expected_ > fed_ + i ? expected_ - (fed_ + i) : 0;
        const size_t allowed = maxTextBytes_ - textBytes_ + run;
        current_.reserve(current_.size() + std::max(run, std::min(left, allowed)));
      }
      current_.append(data + i, run);
      i = end;
    }
  }
  fed_ += size;
}

void TSnippetParser::Finish() {
  if (done_) return;
  pendingCR_ = false;  // a CR as the very last byte stands alone too
  if (inLine_) EndLine();
  done_ = true;
}

int ParseSnippets(std::string_view bytes, TSnippets& fields) {
  TSnippetParser parser(fields);
  parser.Feed(bytes.data(), bytes.size());
  parser.Finish();
  return parser.LineCount();
}

std::string FormatSnippets(const TSnippets& fields) {
  size_t size = 0;
  for (const platform::SharedText& text : fields) size += text.size() + 2;
  std::string bytes;
  bytes.reserve(size);
  for (const platform::SharedText& text : fields) {
    bytes += text.Str();
    bytes += "\r\n";
  }
  return bytes;
}

std::string SnippetFilePath(const std::string& folder) { return folder + kSnippetFileName; }

std::string SnippetFilePath() { return SnippetFilePath(platform::ExecutableFolder()); }

int LoadSnippets(TSnippets& fields) { return LoadSnippets(platform::ExecutableFolder(), fields); }

int LoadSnippets(const std::string& folder, TSnippets& fields) {
  return LoadSnippetFile(SnippetFilePath(folder), fields);
}

int LoadSnippetFile(const std::string& path, TSnippets& fields) {
  // What a save killed half-way left beside the file would otherwise stay until the next save.
  platform::RemoveAbandonedSaves(path);
  platform::SharedFileReader file(path);
  TSnippetParser parser(fields);
  parser.ExpectAtMost(file.Size());
  char chunk[65536];
  while (!parser.Done()) {
    const size_t got = file.Read(chunk, sizeof chunk);
    if (got == 0)
      parser.Finish();
    else
      parser.Feed(chunk, got);
  }
  return parser.LineCount();
}

void SaveSnippets(const TSnippets& fields) { SaveSnippets(platform::ExecutableFolder(), fields); }

void SaveSnippets(const std::string& folder, const TSnippets& fields) {
  SaveSnippetFile(SnippetFilePath(folder), fields);
}

void SaveSnippetFile(const std::string& path, const TSnippets& fields) {
  platform::AtomicWriteFile(path, FormatSnippets(fields));
}

}  // namespace app
