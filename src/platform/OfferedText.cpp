#include "platform/OfferedText.h"

#include "platform/Utf8.h"

namespace platform {

OfferedText::OfferedText(const SharedText& text)
    : bytes_(text.Bytes() ? text.Bytes() : std::make_shared<const std::string>()) {}

const OfferedText::Bytes& OfferedText::Latin1() {
  if (!latin1_) latin1_ = std::make_shared<const std::string>(Utf8ToLatin1(*bytes_));
  return latin1_;
}

bool OfferedText::Holds(const SharedText& text) const {
  return bytes_ == text.Bytes() || *bytes_ == text.Str();
}

}  // namespace platform
