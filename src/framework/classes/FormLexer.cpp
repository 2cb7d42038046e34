#include "framework/classes/FormLexer.h"

#include <charconv>
#include <limits>

#include "framework/classes/PropertyValues.h"
#include "platform/Utf8.h"

namespace framework {

namespace {

bool IsIdentStart(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsIdentChar(char c) { return IsIdentStart(c) || IsDigit(c); }

int HexDigitValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace

bool SameKeyword(std::string_view word, std::string_view keyword) {
  if (word.size() != keyword.size()) return false;
  for (size_t i = 0; i < word.size(); ++i) {
    char c = word[i];
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    if (c != keyword[i]) return false;
  }
  return true;
}

void TFormLexer::Fail(int line, const std::string& message) const {
  throw EReadError(source_ + "(" + std::to_string(line) + "): " + message);
}

std::string TFormLexer::Describe(const TFormToken& t) {
  switch (t.kind) {
    case TFormTokenKind::EndOfFile: return "end of file";
    case TFormTokenKind::String: return "a string";
    case TFormTokenKind::Symbol: return std::string("'") + t.symbol + "'";
    default: return "'" + t.text + "'";
  }
}

// Skips blanks and line breaks (CR LF, LF and CR each count as one line).
void TFormLexer::SkipSpace() {
  while (!AtEnd()) {
    const char c = text_[pos_];
    if (c == '\n') {
      ++line_;
      ++pos_;
    } else if (c == '\r') {
      ++line_;
      ++pos_;
      if (Cur() == '\n') ++pos_;
    } else if (c == ' ' || c == '\t' || c == '\f' || c == '\v') {
      ++pos_;
    } else {
      break;
    }
  }
}

const TFormToken& TFormLexer::Peek() {
  if (!peeked_) {
    lookahead_ = Lex();
    peeked_ = true;
  }
  return lookahead_;
}

TFormToken TFormLexer::Next() {
  if (peeked_) {
    peeked_ = false;
    return std::move(lookahead_);
  }
  return Lex();
}

TFormToken TFormLexer::Lex() {
  SkipSpace();
  TFormToken t;
  t.line = line_;
  if (AtEnd()) return t;
  const char c = Cur();
  if (IsIdentStart(c)) {
    t.kind = TFormTokenKind::Ident;
    t.text = LexIdentifier();
    return t;
  }
  if (IsDigit(c) || c == '$' ||
      ((c == '-' || c == '+') && (IsDigit(At(pos_ + 1)) || At(pos_ + 1) == '$'))) {
    LexNumber(t);
    return t;
  }
  if (c == '\'' || c == '#') {
    t.kind = TFormTokenKind::String;
    t.text = LexString();
    return t;
  }
  switch (c) {
    case '=':
    case ':':
    case ',':
    case '[':
    case ']':
    case '<':
    case '>':
    case '(':
    case ')':
    case '{':
    case '}':
    case '+':
      t.kind = TFormTokenKind::Symbol;
      t.symbol = c;
      ++pos_;
      return t;
    default: break;
  }
  const auto byte = static_cast<unsigned char>(c);
  if (byte >= 0x21 && byte < 0x7F) Fail(line_, std::string("Unexpected character '") + c + "'");
  Fail(line_, "Unexpected character #" + std::to_string(byte));
}

// Letters, digits and '_', with dots between parts (Font.Height).
std::string TFormLexer::LexIdentifier() {
  const size_t start = pos_;
  for (;;) {
    while (IsIdentChar(Cur())) ++pos_;
    if (Cur() != '.') break;
    if (!IsIdentStart(At(pos_ + 1)))
      Fail(line_, "Invalid name '" + std::string(text_.substr(start, pos_ + 1 - start)) + "'");
    ++pos_;
  }
  return std::string(text_.substr(start, pos_ - start));
}

void TFormLexer::LexNumber(TFormToken& t) {
  const size_t start = pos_;
  bool negative = false;
  if (Cur() == '-' || Cur() == '+') {
    negative = Cur() == '-';
    ++pos_;
  }
  uint64_t magnitude = 0;
  bool tooLarge = false;
  bool real = false;
  if (Cur() == '$') {
    ++pos_;
    if (HexDigitValue(Cur()) < 0) Fail(line_, "Invalid hexadecimal number");
    for (int d; (d = HexDigitValue(Cur())) >= 0; ++pos_) {
      if (magnitude > (std::numeric_limits<uint64_t>::max() >> 4)) tooLarge = true;
      magnitude = (magnitude << 4) | static_cast<uint64_t>(d);
    }
  } else {
    const size_t digits = pos_;
    while (IsDigit(Cur())) ++pos_;
    if (Cur() == '.' && IsDigit(At(pos_ + 1))) {
      real = true;
      ++pos_;
      while (IsDigit(Cur())) ++pos_;
    }
    if ((Cur() == 'e' || Cur() == 'E') &&
        (IsDigit(At(pos_ + 1)) ||
         ((At(pos_ + 1) == '+' || At(pos_ + 1) == '-') && IsDigit(At(pos_ + 2))))) {
      real = true;
      pos_ += 2;
      while (IsDigit(Cur())) ++pos_;
    }
    const char* first = text_.data() + digits;
    const char* last = text_.data() + pos_;
    if (real) {
      double value = 0;
      const auto [end, error] = std::from_chars(first, last, value, std::chars_format::general);
      if (error != std::errc() || end != last)
        Fail(line_, "Real number out of range: " + std::string(text_.substr(start, pos_ - start)));
      t.real = negative ? -value : value;
    } else {
      const auto [end, error] = std::from_chars(first, last, magnitude);
      if (error == std::errc::result_out_of_range)
        tooLarge = true;
      else if (error != std::errc() || end != last)
        Fail(line_, "Invalid number");
    }
  }
  t.text = std::string(text_.substr(start, pos_ - start));
  // "12px" or "1.2.3" is a mistake, not a number followed by something else.
  if (IsIdentChar(Cur()) || Cur() == '.' || Cur() == '$')
    Fail(line_, "Invalid number '" + t.text + Cur() + "'");
  if (real) {
    t.kind = TFormTokenKind::Real;
    return;
  }
  const uint64_t limit = negative ? uint64_t{1} << 63 : static_cast<uint64_t>(INT64_MAX);
  if (tooLarge || magnitude > limit) Fail(line_, "Integer out of range: " + t.text);
  t.kind = TFormTokenKind::Integer;
  t.integer = negative ? static_cast<int64_t>(0 - magnitude) : static_cast<int64_t>(magnitude);
}

// Quoted parts and #nn character codes with nothing between them: 'a'#13#10'b'.
std::string TFormLexer::LexString() {
  std::string out;
  for (;;) {
    if (Cur() == '\'') {
      ++pos_;
      for (;;) {
        if (AtEnd() || Cur() == '\r' || Cur() == '\n') Fail(line_, "Unterminated string");
        if (Cur() == '\'') {
          if (At(pos_ + 1) != '\'') break;
          ++pos_;
        }
        out += Cur();
        ++pos_;
      }
      ++pos_;
    } else if (Cur() == '#') {
      ++pos_;
      uint32_t code = 0;
      bool any = false;
      if (Cur() == '$') {
        ++pos_;
        for (int d; (d = HexDigitValue(Cur())) >= 0; ++pos_) {
          any = true;
          if (code > 0x10FFFF) continue;  // refused below without overflowing
          code = (code << 4) | static_cast<uint32_t>(d);
        }
      } else {
        for (; IsDigit(Cur()); ++pos_) {
          any = true;
          if (code > 0x10FFFF) continue;
          code = code * 10 + static_cast<uint32_t>(Cur() - '0');
        }
      }
      if (!any) Fail(line_, "Expected a character code after '#'");
      if (code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
        Fail(line_, "Invalid character code #" + std::to_string(code));
      // Codes up to 255 are bytes, as the program's strings are; larger ones are characters.
      if (code <= 0xFF)
        out += static_cast<char>(code);
      else
        out += platform::EncodeUtf8(code);
    } else {
      return out;
    }
  }
}

bool TFormLexer::SkipFileKeyword() {
  SkipSpace();
  if (!SameKeyword(text_.substr(pos_, 4), "file") || IsIdentChar(At(pos_ + 4))) return false;
  pos_ += 4;
  return true;
}

std::vector<uint8_t> TFormLexer::ReadHexBytes() {
  std::vector<uint8_t> bytes;
  int high = -1;
  for (;;) {
    SkipSpace();
    if (AtEnd()) Fail(line_, "Unterminated binary data: expected '}'");
    const char c = Cur();
    ++pos_;
    if (c == '}') break;
    const int d = HexDigitValue(c);
    if (d < 0) Fail(line_, "Invalid character in binary data");
    if (high < 0) {
      high = d;
    } else {
      bytes.push_back(static_cast<uint8_t>((high << 4) | d));
      high = -1;
    }
  }
  if (high >= 0) Fail(line_, "Binary data has an odd number of hex digits");
  return bytes;
}

}  // namespace framework
