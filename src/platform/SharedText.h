#pragma once
// Text whose bytes are shared by every holder, as the class library's strings are: copying a
// SharedText shares the bytes, and the bytes never change while shared; giving a holder other text
// makes a new value. A snippet of many megabytes is thus held once by the edit that shows it, the
// label that repeats it, its tool tip and the clipboard.
//
// It reads like a const std::string (it converts to one without copying) and compares by content.

#include <memory>
#include <ostream>
#include <string>
#include <string_view>
#include <utility>

namespace platform {

class SharedText {
 public:
  SharedText() = default;
  // Takes the text over (moved from, or copied once).
  SharedText(std::string text)  // NOLINT(google-explicit-constructor): a string is a text
      : bytes_(text.empty() ? nullptr : std::make_shared<std::string>(std::move(text))) {}
  SharedText(const char* text)  // NOLINT(google-explicit-constructor)
      : SharedText(std::string(text)) {}
  SharedText(std::string_view text)  // NOLINT(google-explicit-constructor)
      : SharedText(std::string(text)) {}

  const std::string& Str() const { return bytes_ ? *bytes_ : Empty(); }
  operator const std::string&() const { return Str(); }  // NOLINT(google-explicit-constructor)
  operator std::string_view() const { return Str(); }    // NOLINT(google-explicit-constructor)
  const char* data() const { return Str().data(); }
  const char* c_str() const { return Str().c_str(); }
  size_t size() const { return Str().size(); }
  bool empty() const { return Str().empty(); }
  char back() const { return Str().back(); }
  std::string substr(size_t pos, size_t count = std::string::npos) const {
    return Str().substr(pos, count);
  }
  size_t find(char ch, size_t pos = 0) const { return Str().find(ch, pos); }
  size_t find(std::string_view text, size_t pos = 0) const { return Str().find(text, pos); }

  // The bytes to change in place, when this holder is their only one, so that nobody sees them
  // change (an editor typing into a text of many megabytes); null when they are shared or empty.
  // The program's texts live on one thread: with a single holder nobody can take a share meanwhile.
  std::string* Unshared() {
    // Every text is made as a string of its own (not a const one), so changing it is sound.
    return bytes_ && bytes_.use_count() == 1 ? const_cast<std::string*>(bytes_.get()) : nullptr;
  }

  // Whether both hold the very same bytes (not merely equal ones).
  bool Shares(const SharedText& other) const { return bytes_ == other.bytes_; }
  // The bytes as one owner among others, for holders below the class library; null when empty.
  const std::shared_ptr<const std::string>& Bytes() const { return bytes_; }

  friend bool operator==(const SharedText& a, const SharedText& b) {
    return a.bytes_ == b.bytes_ || a.Str() == b.Str();
  }
  friend bool operator==(const SharedText& a, std::string_view b) { return a.Str() == b; }
  friend bool operator==(const SharedText& a, const std::string& b) { return a.Str() == b; }
  friend bool operator==(const SharedText& a, const char* b) { return a.Str() == b; }
  friend std::string operator+(const SharedText& a, std::string_view b) {
    std::string out = a.Str();
    out += b;
    return out;
  }
  friend std::string operator+(std::string_view a, const SharedText& b) {
    std::string out(a);
    out += b.Str();
    return out;
  }
  friend std::ostream& operator<<(std::ostream& out, const SharedText& text) {
    return out << text.Str();
  }

 private:
  static const std::string& Empty() {
    static const std::string empty;
    return empty;
  }

  std::shared_ptr<const std::string> bytes_;
};

}  // namespace platform
