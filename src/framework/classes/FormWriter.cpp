// Writing components back as stored form descriptions: the published properties that differ from
// their defaults become assignments, and the text is laid out the way the reader's grammar wants,
// two blanks per level.

#include <charconv>
#include <cmath>

#include "framework/classes/Collection.h"
#include "framework/classes/Component.h"
#include "framework/classes/FormReader.h"

namespace framework {

namespace {

// Long strings are cut into pieces joined with '+', at most this many bytes each.
constexpr size_t kStringPiece = 64;
// Binary data lines hold this many bytes (64 hex digits).
constexpr size_t kBinaryLine = 32;
// Nested objects are owned parts; deeper than this can only be a cycle.
constexpr int kMaxObjectDepth = 32;

std::string Indent(int n) { return std::string(static_cast<size_t>(std::max(n, 0)), ' '); }

// A line break and the blanks that start the next line.
void NewLine(std::string& out, int indent) {
  out += '\n';
  out.append(static_cast<size_t>(std::max(indent, 0)), ' ');
}

// One piece: printable runs quoted, quotes doubled, control characters as #nn. Bytes from 128 up
// are UTF-8 (or whatever the user typed) and pass through unchanged.
void AppendQuoted(std::string& out, std::string_view piece) {
  bool open = false;
  for (const char c : piece) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || byte == 0x7F) {
      if (open) out += '\'';
      open = false;
      out += '#';
      out += std::to_string(byte);
      continue;
    }
    if (!open) out += '\'';
    open = true;
    if (c == '\'') out += '\'';
    out += c;
  }
  if (open) out += '\'';
}

std::string FormatString(const std::string& text, int indent) {
  if (text.empty()) return "''";
  std::string out;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = std::min(text.size(), start + kStringPiece);
    // Keep a UTF-8 sequence in one piece, so each line of the description reads whole.
    while (end < text.size() && end > start + 1 &&
           (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80)
      --end;
    if (start > 0) {
      out += " +";
      NewLine(out, indent + 2);
    }
    AppendQuoted(out, std::string_view(text).substr(start, end - start));
    start = end;
  }
  return out;
}

std::string FormatReal(double v) {
  if (!std::isfinite(v)) throw Exception("A real value that is not finite cannot be written");
  char buffer[64];
  // The shortest text that reads back as exactly this double.
  const auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, v);
  std::string text(buffer, error == std::errc() ? end : buffer);
  if (text.find_first_of(".e") == std::string::npos) text += ".0";
  return text;
}

void AppendAssignments(std::string& out, const std::vector<TPropertyAssignment>& properties,
                       int indent) {
  for (const TPropertyAssignment& p : properties) {
    out += Indent(indent) + p.path + " = " + FormatFormValue(p.Value(), indent) + "\n";
  }
}

void CollectProperties(const TObject* obj, const std::string& prefix, int depth,
                       std::vector<TPropertyAssignment>& out) {
  if (depth > kMaxObjectDepth) throw Exception("Published objects nest too deeply to write");
  for (const TPropInfo* p : obj->ClassInfo().AllProperties()) {
    if (p->write) {
      if (std::optional<TFormValue> value = p->write(obj)) {
        TPropertyAssignment assignment;
        assignment.path = prefix + p->name;
        assignment.value.push_back(std::move(*value));
        out.push_back(std::move(assignment));
      }
    } else if (p->object) {
      // Writing does not change the object; the accessor is shared with the reader.
      if (const TPersistent* nested = p->object(const_cast<TObject*>(obj)))
        CollectProperties(nested, prefix + p->name + ".", depth + 1, out);
    }
  }
}

TObjectDesc DescribeComponent(const TComponent* component, const TComponent* root, int depth) {
  if (depth > kMaxFormNesting) throw Exception("Components are nested too deeply to write");
  TObjectDesc desc;
  desc.name = component->Name();
  desc.className = component->ClassName();
  desc.properties = WriteProperties(component);
  component->GetChildren(
      [&](TComponent* child) {
        desc.children.push_back(DescribeComponent(child, root, depth + 1));
      },
      root);
  return desc;
}

}  // namespace

std::string FormatFormValue(const TFormValue& value, int indent) {
  switch (value.kind) {
    case TFormValue::Kind::Integer: return std::to_string(value.integer);
    case TFormValue::Kind::Real: return FormatReal(value.real);
    case TFormValue::Kind::String: return FormatString(value.text, indent);
    case TFormValue::Kind::Identifier: return value.text;
    case TFormValue::Kind::Set: {
      std::string out = "[";
      for (size_t i = 0; i < value.list.size(); ++i) {
        if (i) out += ", ";
        out += value.list[i];
      }
      return out + "]";
    }
    case TFormValue::Kind::Collection: {
      std::string out = "<";
      for (const TCollectionItemDesc& item : value.items) {
        NewLine(out, indent + 2);
        out += "item\n";
        AppendAssignments(out, item.properties, indent + 4);
        out += Indent(indent + 2) + "end";
      }
      return out + ">";
    }
    case TFormValue::Kind::StringList: {
      std::string out = "(";
      for (const std::string& s : value.list) {
        NewLine(out, indent + 2);
        out += FormatString(s, indent + 2);
      }
      return out + ")";
    }
    case TFormValue::Kind::Binary: {
      static constexpr char kHex[] = "0123456789ABCDEF";
      std::string out = "{";
      for (size_t i = 0; i < value.bytes.size(); ++i) {
        if (i % kBinaryLine == 0) NewLine(out, indent + 2);
        out += kHex[value.bytes[i] >> 4];
        out += kHex[value.bytes[i] & 15];
      }
      return out + "}";
    }
  }
  return std::string();
}

std::string FormatObjectDesc(const TObjectDesc& desc, int indent) {
  std::string out = Indent(indent) + "object ";
  out += desc.name.empty() ? desc.className : desc.name + ": " + desc.className;
  out += "\n";
  AppendAssignments(out, desc.properties, indent + 2);
  for (const TObjectDesc& child : desc.children) out += FormatObjectDesc(child, indent + 2);
  out += Indent(indent) + "end\n";
  return out;
}

std::vector<TPropertyAssignment> WriteProperties(const TObject* obj) {
  std::vector<TPropertyAssignment> out;
  if (obj) CollectProperties(obj, std::string(), 0, out);
  return out;
}

std::optional<TFormValue> WriteCollectionValue(const TCollection* collection) {
  if (!collection || collection->Count() == 0) return std::nullopt;
  TFormValue value;
  value.kind = TFormValue::Kind::Collection;
  for (int i = 0; i < collection->Count(); ++i) {
    TCollectionItemDesc item;
    item.properties = WriteProperties(collection->Item(i));
    value.items.push_back(std::move(item));
  }
  return value;
}

std::string WriteComponentRes(const TComponent* root) {
  if (!root) throw Exception("No component to write");
  return FormatObjectDesc(DescribeComponent(root, root, 0));
}

}  // namespace framework
