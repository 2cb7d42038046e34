// The parser of stored form descriptions: a small hand-written lexer and a recursive descent over
// the grammar in FormReader.h. Every path through it consumes input or stops with an error, and
// nesting is bounded, so no input can make it loop or exhaust the stack.

#include <charconv>
#include <cstdint>
#include <limits>
#include <memory>

#include "framework/FormReader.h"

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

bool SameKeyword(std::string_view word, std::string_view keyword) {
  if (word.size() != keyword.size()) return false;
  for (size_t i = 0; i < word.size(); ++i) {
    char c = word[i];
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    if (c != keyword[i]) return false;
  }
  return true;
}

void AppendUtf8(std::string& out, uint32_t code) {
  if (code < 0x80) {
    out += static_cast<char>(code);
  } else if (code < 0x800) {
    out += static_cast<char>(0xC0 | (code >> 6));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else if (code < 0x10000) {
    out += static_cast<char>(0xE0 | (code >> 12));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (code >> 18));
    out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  }
}

enum class Tok { EndOfFile, Ident, Integer, Real, String, Symbol };

struct Token {
  Tok kind = Tok::EndOfFile;
  std::string text;  // identifier, string contents, or the literal text of a number
  int64_t integer = 0;
  double real = 0;
  char symbol = 0;
  int line = 0;
};

class Parser {
 public:
  Parser(std::string_view text, const std::string& sourceName) : text_(text), source_(sourceName) {}

  TObjectDesc ParseFile() {
    const Token first = Next();
    if (first.kind != Tok::Ident || !SameKeyword(first.text, "object"))
      Fail(first.line, "Expected 'object' but found " + Describe(first));
    TObjectDesc desc = ParseObject(first.line, 1);
    const Token rest = Next();
    if (rest.kind != Tok::EndOfFile)
      Fail(rest.line, "Expected end of file but found " + Describe(rest));
    return desc;
  }

 private:
  [[noreturn]] void Fail(int line, const std::string& message) const {
    throw EReadError(source_ + "(" + std::to_string(line) + "): " + message);
  }

  static std::string Describe(const Token& t) {
    switch (t.kind) {
      case Tok::EndOfFile: return "end of file";
      case Tok::String: return "a string";
      case Tok::Symbol: return std::string("'") + t.symbol + "'";
      default: return "'" + t.text + "'";
    }
  }

  // ---- Lexer ----

  bool AtEnd() const { return pos_ >= text_.size(); }
  char Cur() const { return pos_ < text_.size() ? text_[pos_] : '\0'; }
  char At(size_t i) const { return i < text_.size() ? text_[i] : '\0'; }

  // Skips blanks and line breaks (CR LF, LF and CR each count as one line).
  void SkipSpace() {
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

  const Token& Peek() {
    if (!peeked_) {
      lookahead_ = Lex();
      peeked_ = true;
    }
    return lookahead_;
  }

  Token Next() {
    if (peeked_) {
      peeked_ = false;
      return std::move(lookahead_);
    }
    return Lex();
  }

  Token Lex() {
    SkipSpace();
    Token t;
    t.line = line_;
    if (AtEnd()) return t;
    const char c = Cur();
    if (IsIdentStart(c)) {
      t.kind = Tok::Ident;
      t.text = LexIdentifier();
      return t;
    }
    if (IsDigit(c) || c == '$' ||
        ((c == '-' || c == '+') && (IsDigit(At(pos_ + 1)) || At(pos_ + 1) == '$'))) {
      LexNumber(t);
      return t;
    }
    if (c == '\'' || c == '#') {
      t.kind = Tok::String;
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
        t.kind = Tok::Symbol;
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
  std::string LexIdentifier() {
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

  void LexNumber(Token& t) {
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
          Fail(line_,
               "Real number out of range: " + std::string(text_.substr(start, pos_ - start)));
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
      t.kind = Tok::Real;
      return;
    }
    const uint64_t limit = negative ? uint64_t{1} << 63 : static_cast<uint64_t>(INT64_MAX);
    if (tooLarge || magnitude > limit) Fail(line_, "Integer out of range: " + t.text);
    t.kind = Tok::Integer;
    t.integer = negative ? static_cast<int64_t>(0 - magnitude) : static_cast<int64_t>(magnitude);
  }

  // Quoted parts and #nn character codes with nothing between them: 'a'#13#10'b'.
  std::string LexString() {
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
          AppendUtf8(out, code);
      } else {
        return out;
      }
    }
  }

  // ---- Grammar ----

  Token ExpectIdent(const char* what) {
    Token t = Next();
    if (t.kind != Tok::Ident)
      Fail(t.line, std::string("Expected ") + what + " but found " + Describe(t));
    return t;
  }

  void ExpectSymbol(char symbol) {
    const Token t = Next();
    if (t.kind != Tok::Symbol || t.symbol != symbol)
      Fail(t.line, std::string("Expected '") + symbol + "' but found " + Describe(t));
  }

  bool PeekSymbol(char symbol) {
    const Token& t = Peek();
    return t.kind == Tok::Symbol && t.symbol == symbol;
  }

  bool PeekKeyword(std::string_view keyword) {
    const Token& t = Peek();
    return t.kind == Tok::Ident && SameKeyword(t.text, keyword);
  }

  void CheckDepth(int depth, int line) const {
    if (depth > kMaxFormNesting) Fail(line, "Blocks are nested too deeply");
  }

  // After "object": "Name: TClass" or just "TClass", properties, nested objects, "end".
  TObjectDesc ParseObject(int line, int depth) {
    CheckDepth(depth, line);
    TObjectDesc desc;
    desc.line = line;
    const Token first = ExpectIdent("a component name");
    if (PeekSymbol(':')) {
      Next();
      if (first.text.find('.') != std::string::npos)
        Fail(first.line, "Invalid component name '" + first.text + "'");
      desc.name = first.text;
      desc.className = ExpectIdent("a class name").text;
    } else {
      desc.className = first.text;
    }
    for (;;) {
      const Token& t = Peek();
      if (t.kind == Tok::Ident && SameKeyword(t.text, "end")) {
        Next();
        return desc;
      }
      if (t.kind == Tok::Ident && SameKeyword(t.text, "object")) {
        const int childLine = Next().line;
        desc.children.push_back(ParseObject(childLine, depth + 1));
        continue;
      }
      if (t.kind != Tok::Ident)
        Fail(t.line, "Expected a property name, 'object' or 'end' but found " + Describe(t));
      if (!desc.children.empty())
        Fail(t.line, "Expected 'object' or 'end' but found " + Describe(t) +
                         " (properties come before nested objects)");
      desc.properties.push_back(ParseAssignment(depth));
    }
  }

  TPropertyAssignment ParseAssignment(int depth) {
    const Token name = ExpectIdent("a property name");
    TPropertyAssignment assignment;
    assignment.path = name.text;
    assignment.line = name.line;
    assignment.source = included_;
    ExpectSymbol('=');
    assignment.value.push_back(ParseValue(depth));
    return assignment;
  }

  // A string token followed by any number of "+ string".
  std::string ParseStringExpression(Token first) {
    std::string text = std::move(first.text);
    while (PeekSymbol('+')) {
      Next();
      const Token more = Next();
      if (more.kind != Tok::String)
        Fail(more.line, "Expected a string after '+' but found " + Describe(more));
      text += more.text;
    }
    return text;
  }

  TFormValue ParseValue(int depth) {
    Token t = Next();
    TFormValue v;
    v.line = t.line;
    switch (t.kind) {
      case Tok::Integer:
        v.kind = TFormValue::Kind::Integer;
        v.integer = t.integer;
        return v;
      case Tok::Real:
        v.kind = TFormValue::Kind::Real;
        v.real = t.real;
        v.text = std::move(t.text);
        return v;
      case Tok::String:
        v.kind = TFormValue::Kind::String;
        v.text = ParseStringExpression(std::move(t));
        return v;
      case Tok::Ident:
        v.kind = TFormValue::Kind::Identifier;
        v.text = std::move(t.text);
        return v;
      case Tok::Symbol:
        switch (t.symbol) {
          case '[': ParseSet(v); return v;
          case '<':
            CheckDepth(depth + 1, t.line);
            ParseCollection(v, depth + 1);
            return v;
          case '(': ParseStringList(v); return v;
          case '{': ParseBinary(v); return v;
          default: break;
        }
        break;
      case Tok::EndOfFile: break;
    }
    Fail(t.line, "Expected a value but found " + Describe(t));
  }

  void ParseSet(TFormValue& v) {
    v.kind = TFormValue::Kind::Set;
    if (PeekSymbol(']')) {
      Next();
      return;
    }
    for (;;) {
      v.list.push_back(ExpectIdent("a set element").text);
      const Token t = Next();
      if (t.kind == Tok::Symbol && t.symbol == ']') return;
      if (t.kind != Tok::Symbol || t.symbol != ',')
        Fail(t.line, "Expected ',' or ']' but found " + Describe(t));
    }
  }

  void ParseCollection(TFormValue& v, int depth) {
    v.kind = TFormValue::Kind::Collection;
    for (;;) {
      const Token t = Next();
      if (t.kind == Tok::Symbol && t.symbol == '>') return;
      if (t.kind == Tok::Ident && SameKeyword(t.text, "file")) {
        ParseItemsFromResource(v, depth);
        continue;
      }
      if (t.kind != Tok::Ident || !SameKeyword(t.text, "item"))
        Fail(t.line, "Expected 'item', 'file' or '>' but found " + Describe(t));
      v.items.push_back(ParseItem(t.line, depth));
    }
  }

  TCollectionItemDesc ParseItem(int line, int depth) {
    TCollectionItemDesc item;
    item.line = line;
    while (!PeekKeyword("end")) item.properties.push_back(ParseAssignment(depth));
    Next();
    return item;
  }

  // After "file" in a collection: the named resource holds more items of the collection, read
  // as if they stood here; its errors and its assignments name the resource and its own lines.
  void ParseItemsFromResource(TFormValue& v, int depth) {
    const Token path = Next();
    if (path.kind != Tok::String)
      Fail(path.line, "Expected a resource path but found " + Describe(path));
    if (!HasResource(path.text)) Fail(path.line, "Unknown resource '" + path.text + "'");
    CheckDepth(depth + 1, path.line);
    Parser nested(FindResourceText(path.text), path.text);
    nested.included_ = std::make_shared<const std::string>(path.text);
    for (;;) {
      const Token t = nested.Next();
      if (t.kind == Tok::EndOfFile) return;
      if (t.kind != Tok::Ident || !SameKeyword(t.text, "item"))
        nested.Fail(t.line, "Expected 'item' or end of file but found " + Describe(t));
      v.items.push_back(nested.ParseItem(t.line, depth + 1));
    }
  }

  void ParseStringList(TFormValue& v) {
    v.kind = TFormValue::Kind::StringList;
    for (;;) {
      Token t = Next();
      if (t.kind == Tok::Symbol && t.symbol == ')') return;
      if (t.kind != Tok::String) Fail(t.line, "Expected a string or ')' but found " + Describe(t));
      v.list.push_back(ParseStringExpression(std::move(t)));
    }
  }

  // After '{': hex digits with blanks and line breaks anywhere, or "file 'path'", then '}'. The
  // lexer has not looked past the '{' (nothing peeked), so the raw text is read here.
  void ParseBinary(TFormValue& v) {
    v.kind = TFormValue::Kind::Binary;
    SkipSpace();
    if (SameKeyword(text_.substr(pos_, 4), "file") && !IsIdentChar(At(pos_ + 4))) {
      pos_ += 4;
      const Token path = Next();
      if (path.kind != Tok::String)
        Fail(path.line, "Expected a resource path but found " + Describe(path));
      if (!HasResource(path.text)) Fail(path.line, "Unknown resource '" + path.text + "'");
      const std::span<const uint8_t> bytes = FindResource(path.text);
      v.bytes.assign(bytes.begin(), bytes.end());
      ExpectSymbol('}');
      return;
    }
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
        v.bytes.push_back(static_cast<uint8_t>((high << 4) | d));
        high = -1;
      }
    }
    if (high >= 0) Fail(line_, "Binary data has an odd number of hex digits");
  }

  std::string_view text_;
  const std::string& source_;
  // The name of the resource a collection named, while parsing it: assignments carry it.
  std::shared_ptr<const std::string> included_;
  size_t pos_ = 0;
  int line_ = 1;
  Token lookahead_;
  bool peeked_ = false;
};

}  // namespace

TObjectDesc ParseFormDescription(std::string_view text, const std::string& sourceName) {
  return Parser(text, sourceName).ParseFile();
}

}  // namespace framework
