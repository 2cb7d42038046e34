#pragma once
// The lexer of stored form descriptions: identifiers (with dotted parts), integers (decimal or
// $hex, with a sign), reals, strings ('quoted' parts and #nn character codes), symbols, and the
// raw hex digits of binary data. It counts lines (CR LF, LF and CR each end one) and reports every
// error as EReadError naming the source and the line. Every call consumes input or fails.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace framework {

enum class TFormTokenKind { EndOfFile, Ident, Integer, Real, String, Symbol };

struct TFormToken {
  TFormTokenKind kind = TFormTokenKind::EndOfFile;
  std::string text;  // identifier, string contents, or the literal text of a number
  int64_t integer = 0;
  double real = 0;
  char symbol = 0;
  int line = 0;
};

// Keywords (object, end, item, file) compare without regard to letter case.
bool SameKeyword(std::string_view word, std::string_view keyword);

class TFormLexer {
 public:
  // The text must outlive the lexer.
  TFormLexer(std::string_view text, std::string sourceName)
      : text_(text), source_(std::move(sourceName)) {}

  // The next token, without consuming it.
  const TFormToken& Peek();
  TFormToken Next();

  // Raw binary data, read right after its '{' (nothing may have been peeked): true and past the
  // keyword when "file" comes next; else ReadHexBytes reads hex digits, with blanks and line
  // breaks anywhere, up to and including the closing '}'.
  bool SkipFileKeyword();
  std::vector<uint8_t> ReadHexBytes();

  // "source(line): message" as EReadError.
  [[noreturn]] void Fail(int line, const std::string& message) const;
  int Line() const { return line_; }
  // How a token is named in messages: 'text', 'symbol', a string, end of file.
  static std::string Describe(const TFormToken& t);

 private:
  bool AtEnd() const { return pos_ >= text_.size(); }
  char Cur() const { return pos_ < text_.size() ? text_[pos_] : '\0'; }
  char At(size_t i) const { return i < text_.size() ? text_[i] : '\0'; }
  void SkipSpace();
  TFormToken Lex();
  std::string LexIdentifier();
  void LexNumber(TFormToken& t);
  std::string LexString();

  std::string_view text_;
  std::string source_;
  size_t pos_ = 0;
  int line_ = 1;
  TFormToken lookahead_;
  bool peeked_ = false;
};

}  // namespace framework
