#include "platform/wayland/TextOffer.h"

#include <algorithm>

namespace platform::wayland {

namespace {

constexpr std::string_view kLatin1Type = "STRING";

}  // namespace

TextOffer::TextOffer(const SharedText& text) : text_(text) {}

const std::vector<std::string>& TextOffer::MimeTypes() {
  static const std::vector<std::string> types = {"text/plain;charset=utf-8", "UTF8_STRING", "TEXT",
                                                 std::string(kLatin1Type)};
  return types;
}

TextOffer::Bytes TextOffer::BytesFor(std::string_view mimeType) {
  const std::vector<std::string>& types = MimeTypes();
  if (std::find(types.begin(), types.end(), mimeType) == types.end()) return nullptr;
  return mimeType == kLatin1Type ? text_.Latin1() : text_.Utf8();
}

}  // namespace platform::wayland
