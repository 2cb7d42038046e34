#pragma once
// One text as the program offers it on a clipboard, to X and Wayland readers alike: its bytes,
// shared with the program and passed on unchanged (UTF-8 by convention), and the Latin-1 form
// ('?' for characters above U+00FF) that readers asking for the old STRING type get, made at the
// first such request and shared by every later one.

#include <memory>
#include <string>

#include "platform/SharedText.h"

namespace platform {

class OfferedText {
 public:
  using Bytes = std::shared_ptr<const std::string>;

  explicit OfferedText(const SharedText& text);

  // Never null.
  const Bytes& Utf8() const { return bytes_; }
  const Bytes& Latin1();
  // Whether this is the offer of that text: the very bytes, or equal ones.
  bool Holds(const SharedText& text) const;

 private:
  Bytes bytes_;
  Bytes latin1_;
};

}  // namespace platform
