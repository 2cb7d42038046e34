#include "platform/wayland/TextOffer.h"

#include <algorithm>

#include "platform/Utf8.h"

namespace platform::wayland {

namespace {

constexpr std::string_view kLatin1Type = "STRING";

}  // namespace

TextOffer::TextOffer(const SharedText& text)
    : bytes_(text.Bytes() ? text.Bytes() : std::make_shared<const std::string>()) {}

const std::vector<std::string>& TextOffer::MimeTypes() {
  static const std::vector<std::string> types = {"text/plain;charset=utf-8", "UTF8_STRING", "TEXT",
                                                 std::string(kLatin1Type)};
  return types;
}

TextOffer::Bytes TextOffer::BytesFor(std::string_view mimeType) {
  const std::vector<std::string>& types = MimeTypes();
  if (std::find(types.begin(), types.end(), mimeType) == types.end()) return nullptr;
  if (mimeType != kLatin1Type) return bytes_;
  if (!latin1_) latin1_ = std::make_shared<const std::string>(Utf8ToLatin1(*bytes_));
  return latin1_;
}

bool TextOffer::Holds(const SharedText& text) const {
  return bytes_ == text.Bytes() || *bytes_ == text.Str();
}

}  // namespace platform::wayland
