// The parser of stored form descriptions: a recursive descent over the grammar in FormReader.h,
// on the tokens of FormLexer. Every path through it consumes input or stops with an error, and
// nesting is bounded, so no input can make it loop or exhaust the stack.

#include <cstdint>
#include <memory>
#include <span>

#include "framework/classes/FormLexer.h"
#include "framework/classes/FormReader.h"

namespace framework {

namespace {

class Parser {
 public:
  Parser(std::string_view text, const std::string& sourceName) : lexer_(text, sourceName) {}

  TObjectDesc ParseFile() {
    const TFormToken first = Next();
    if (first.kind != TFormTokenKind::Ident || !SameKeyword(first.text, "object"))
      Fail(first.line, "Expected 'object' but found " + Describe(first));
    TObjectDesc desc = ParseObject(first.line, 1);
    const TFormToken rest = Next();
    if (rest.kind != TFormTokenKind::EndOfFile)
      Fail(rest.line, "Expected end of file but found " + Describe(rest));
    return desc;
  }

 private:
  [[noreturn]] void Fail(int line, const std::string& message) const { lexer_.Fail(line, message); }
  static std::string Describe(const TFormToken& t) { return TFormLexer::Describe(t); }
  const TFormToken& Peek() { return lexer_.Peek(); }
  TFormToken Next() { return lexer_.Next(); }

  // ---- Grammar ----

  TFormToken ExpectIdent(const char* what) {
    TFormToken t = Next();
    if (t.kind != TFormTokenKind::Ident)
      Fail(t.line, std::string("Expected ") + what + " but found " + Describe(t));
    return t;
  }

  void ExpectSymbol(char symbol) {
    const TFormToken t = Next();
    if (t.kind != TFormTokenKind::Symbol || t.symbol != symbol)
      Fail(t.line, std::string("Expected '") + symbol + "' but found " + Describe(t));
  }

  bool PeekSymbol(char symbol) {
    const TFormToken& t = Peek();
    return t.kind == TFormTokenKind::Symbol && t.symbol == symbol;
  }

  bool PeekKeyword(std::string_view keyword) {
    const TFormToken& t = Peek();
    return t.kind == TFormTokenKind::Ident && SameKeyword(t.text, keyword);
  }

  void CheckDepth(int depth, int line) const {
    if (depth > kMaxFormNesting) Fail(line, "Blocks are nested too deeply");
  }

  // After "object": "Name: TClass" or just "TClass", properties, nested objects, "end".
  TObjectDesc ParseObject(int line, int depth) {
    CheckDepth(depth, line);
    TObjectDesc desc;
    desc.line = line;
    const TFormToken first = ExpectIdent("a component name");
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
      const TFormToken& t = Peek();
      if (t.kind == TFormTokenKind::Ident && SameKeyword(t.text, "end")) {
        Next();
        return desc;
      }
      if (t.kind == TFormTokenKind::Ident && SameKeyword(t.text, "object")) {
        const int childLine = Next().line;
        desc.children.push_back(ParseObject(childLine, depth + 1));
        continue;
      }
      if (t.kind != TFormTokenKind::Ident)
        Fail(t.line, "Expected a property name, 'object' or 'end' but found " + Describe(t));
      if (!desc.children.empty())
        Fail(t.line, "Expected 'object' or 'end' but found " + Describe(t) +
                         " (properties come before nested objects)");
      desc.properties.push_back(ParseAssignment(depth));
    }
  }

  TPropertyAssignment ParseAssignment(int depth) {
    const TFormToken name = ExpectIdent("a property name");
    TPropertyAssignment assignment;
    assignment.path = name.text;
    assignment.line = name.line;
    assignment.source = included_;
    ExpectSymbol('=');
    assignment.value.push_back(ParseValue(depth));
    return assignment;
  }

  // A string token followed by any number of "+ string".
  std::string ParseStringExpression(TFormToken first) {
    std::string text = std::move(first.text);
    while (PeekSymbol('+')) {
      Next();
      const TFormToken more = Next();
      if (more.kind != TFormTokenKind::String)
        Fail(more.line, "Expected a string after '+' but found " + Describe(more));
      text += more.text;
    }
    return text;
  }

  TFormValue ParseValue(int depth) {
    TFormToken t = Next();
    TFormValue v;
    v.line = t.line;
    switch (t.kind) {
      case TFormTokenKind::Integer:
        v.kind = TFormValue::Kind::Integer;
        v.integer = t.integer;
        return v;
      case TFormTokenKind::Real:
        v.kind = TFormValue::Kind::Real;
        v.real = t.real;
        v.text = std::move(t.text);
        return v;
      case TFormTokenKind::String:
        v.kind = TFormValue::Kind::String;
        v.text = ParseStringExpression(std::move(t));
        return v;
      case TFormTokenKind::Ident:
        v.kind = TFormValue::Kind::Identifier;
        v.text = std::move(t.text);
        return v;
      case TFormTokenKind::Symbol:
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
      case TFormTokenKind::EndOfFile: break;
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
      const TFormToken t = Next();
      if (t.kind == TFormTokenKind::Symbol && t.symbol == ']') return;
      if (t.kind != TFormTokenKind::Symbol || t.symbol != ',')
        Fail(t.line, "Expected ',' or ']' but found " + Describe(t));
    }
  }

  void ParseCollection(TFormValue& v, int depth) {
    v.kind = TFormValue::Kind::Collection;
    for (;;) {
      const TFormToken t = Next();
      if (t.kind == TFormTokenKind::Symbol && t.symbol == '>') return;
      if (t.kind == TFormTokenKind::Ident && SameKeyword(t.text, "file")) {
        ParseItemsFromResource(v, depth);
        continue;
      }
      if (t.kind != TFormTokenKind::Ident || !SameKeyword(t.text, "item"))
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
    const TFormToken path = Next();
    if (path.kind != TFormTokenKind::String)
      Fail(path.line, "Expected a resource path but found " + Describe(path));
    if (!HasResource(path.text)) Fail(path.line, "Unknown resource '" + path.text + "'");
    CheckDepth(depth + 1, path.line);
    Parser nested(FindResourceText(path.text), path.text);
    nested.included_ = std::make_shared<const std::string>(path.text);
    for (;;) {
      const TFormToken t = nested.Next();
      if (t.kind == TFormTokenKind::EndOfFile) return;
      if (t.kind != TFormTokenKind::Ident || !SameKeyword(t.text, "item"))
        nested.Fail(t.line, "Expected 'item' or end of file but found " + Describe(t));
      v.items.push_back(nested.ParseItem(t.line, depth + 1));
    }
  }

  void ParseStringList(TFormValue& v) {
    v.kind = TFormValue::Kind::StringList;
    for (;;) {
      TFormToken t = Next();
      if (t.kind == TFormTokenKind::Symbol && t.symbol == ')') return;
      if (t.kind != TFormTokenKind::String)
        Fail(t.line, "Expected a string or ')' but found " + Describe(t));
      v.list.push_back(ParseStringExpression(std::move(t)));
    }
  }

  // After '{': hex digits with blanks and line breaks anywhere, or "file 'path'", then '}'. The
  // lexer has not looked past the '{' (nothing peeked), so the raw text is read here.
  void ParseBinary(TFormValue& v) {
    v.kind = TFormValue::Kind::Binary;
    if (!lexer_.SkipFileKeyword()) {
      v.bytes = lexer_.ReadHexBytes();
      return;
    }
    const TFormToken path = Next();
    if (path.kind != TFormTokenKind::String)
      Fail(path.line, "Expected a resource path but found " + Describe(path));
    if (!HasResource(path.text)) Fail(path.line, "Unknown resource '" + path.text + "'");
    const std::span<const uint8_t> bytes = FindResource(path.text);
    v.bytes.assign(bytes.begin(), bytes.end());
    ExpectSymbol('}');
  }

  TFormLexer lexer_;
  // The name of the resource a collection named, while parsing it: assignments carry it.
  std::shared_ptr<const std::string> included_;
};

}  // namespace

TObjectDesc ParseFormDescription(std::string_view text, const std::string& sourceName) {
  return Parser(text, sourceName).ParseFile();
}

}  // namespace framework
