#pragma once
// The values of a stored form description as the parser reads them, before any property is set:
// the description's syntax tree.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace framework {

struct TFormValue;

// "Path = value": Path may be dotted (Font.Height, SkinData.SkinSection).
struct TPropertyAssignment {
  std::string path;
  std::vector<TFormValue> value;  // exactly one element (a vector only to allow the recursion)
  int line = 0;
  // The resource it was read from, when not the description itself (shared by all of its lines).
  std::shared_ptr<const std::string> source;
  const TFormValue& Value() const { return value.front(); }
};

// One "item ... end" of a collection value.
struct TCollectionItemDesc {
  std::vector<TPropertyAssignment> properties;
  int line = 0;
};

struct TFormValue {
  enum class Kind { Integer, Real, String, Identifier, Set, Collection, StringList, Binary };
  Kind kind = Kind::Integer;
  int64_t integer = 0;
  double real = 0;                // kept as the double the text names
  std::string text;               // String, Identifier, and the literal text of a Real
  std::vector<std::string> list;  // Set elements, StringList entries
  std::vector<TCollectionItemDesc> items;
  std::vector<uint8_t> bytes;  // Binary
  int line = 0;
};

// "object Name: TClass ... end".
struct TObjectDesc {
  std::string name;
  std::string className;
  std::vector<TPropertyAssignment> properties;
  std::vector<TObjectDesc> children;
  int line = 0;
};

}  // namespace framework
