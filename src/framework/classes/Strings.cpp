#include "framework/classes/Strings.h"

#include "framework/classes/ClassBuilder.h"

namespace framework {

namespace {

char LowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool SameText(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (LowerAscii(a[i]) != LowerAscii(b[i])) return false;
  return true;
}

}  // namespace

// ---- TStrings ----------------------------------------------------------------------------------

namespace {

// The list itself, as the one published property of every string list.
TPropInfo StringsProperty() {
  TPropInfo lines;
  lines.name = "Strings";
  lines.kind = TPropKind::Strings;
  lines.read = [](TObject* obj, const TFormValue& value, TReader&) {
    ReadStringsValue(static_cast<TStrings*>(obj), value);
  };
  lines.write = [](const TObject* obj) -> std::optional<TFormValue> {
    const auto* strings = static_cast<const TStrings*>(obj);
    if (strings->Count() == 0) return std::nullopt;
    TFormValue value;
    value.kind = TFormValue::Kind::StringList;
    for (int i = 0; i < strings->Count(); ++i) value.list.push_back(strings->Get(i));
    return value;
  };
  lines.copy = [](const TObject* src, TObject* dst) {
    static_cast<TStrings*>(dst)->Assign(static_cast<const TStrings*>(src));
  };
  return lines;
}

}  // namespace

const TClassInfo& TStrings::StaticClassInfo() {
  static const TClassInfo info = TClassBuilder<TStrings>("TStrings", TPersistent::StaticClassInfo())
                                     .Property(StringsProperty());
  return info;
}

int TStrings::Add(const std::string& s) {
  const int index = Count();
  Insert(index, s);
  return index;
}

int TStrings::IndexOf(const std::string& s) const {
  for (int i = 0; i < Count(); ++i)
    if (SameText(Get(i), s)) return i;
  return -1;
}

std::string TStrings::Text() const {
  std::string text;
  for (int i = 0; i < Count(); ++i) {
    text += Get(i);
    text += "\r\n";
  }
  return text;
}

void TStrings::SetText(const std::string& text) {
  Clear();
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find_first_of("\r\n", start);
    if (end == std::string::npos) {
      Add(text.substr(start));
      break;
    }
    Add(text.substr(start, end - start));
    // CR LF is one break; a lone CR or LF is one too.
    start = end + ((text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n') ? 2 : 1);
  }
}

std::string TStrings::Values(const std::string& name) const {
  for (int i = 0; i < Count(); ++i) {
    const std::string line = Get(i);
    const size_t equals = line.find('=');
    if (equals != std::string::npos && SameText(std::string_view(line).substr(0, equals), name))
      return line.substr(equals + 1);
  }
  return std::string();
}

void TStrings::Assign(const TPersistent* source) {
  const auto* other = dynamic_cast<const TStrings*>(source);
  if (!other) {
    TPersistent::Assign(source);
    return;
  }
  if (other == this) return;
  // Copied first, so a source that is a view onto this list still reads whole.
  std::vector<std::string> lines;
  lines.reserve(static_cast<size_t>(other->Count()));
  for (int i = 0; i < other->Count(); ++i) lines.push_back(other->Get(i));
  Clear();
  for (const std::string& line : lines) Add(line);
}

// ---- TStringList -------------------------------------------------------------------------------

const TClassInfo& TStringList::StaticClassInfo() {
  static const TClassInfo info =
      TClassBuilder<TStringList>("TStringList", TStrings::StaticClassInfo());
  return info;
}

namespace {

[[noreturn]] void ThrowIndexError(int index) {
  throw EStringListError("List index out of bounds (" + std::to_string(index) + ")");
}

}  // namespace

std::string TStringList::Get(int index) const {
  if (index < 0 || index >= Count()) ThrowIndexError(index);
  return items_[static_cast<size_t>(index)];
}

void TStringList::Put(int index, const std::string& s) {
  if (index < 0 || index >= Count()) ThrowIndexError(index);
  items_[static_cast<size_t>(index)] = s;
  Changed();
}

void TStringList::Insert(int index, const std::string& s) {
  if (index < 0 || index > Count()) ThrowIndexError(index);
  items_.insert(items_.begin() + index, s);
  Changed();
}

void TStringList::Delete(int index) {
  if (index < 0 || index >= Count()) ThrowIndexError(index);
  items_.erase(items_.begin() + index);
  Changed();
}

void TStringList::Clear() {
  if (items_.empty()) return;
  items_.clear();
  Changed();
}

void TStringList::Changed() {
  if (OnChange) OnChange();
}

}  // namespace framework
