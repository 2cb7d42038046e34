#pragma once
// One text as the program offers it on the Wayland clipboard: the types it is offered as, and the
// bytes each type gets. The types are the X clipboard's text targets under the same names (XWayland
// and Wayland programs ask by those names), so a reader gets the same answer from either side:
//   text/plain;charset=utf-8, UTF8_STRING, TEXT  the bytes, unchanged (NUL bytes included)
//   STRING                                       Latin-1 ('?' for characters above U+00FF)
// Nothing here touches the wire; the connection hands it the reader's request.

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/OfferedText.h"
#include "platform/SharedText.h"

namespace platform::wayland {

class TextOffer {
 public:
  using Bytes = OfferedText::Bytes;

  explicit TextOffer(const SharedText& text);

  // Every type the text is offered as, the most faithful first.
  static const std::vector<std::string>& MimeTypes();

  // The bytes a reader asking for this type gets, shared with the offer (the Latin-1 form is made
  // at the first request and kept); null for a type that is not offered.
  Bytes BytesFor(std::string_view mimeType);

  // Whether the offer holds this text (the very bytes, or equal ones).
  bool Holds(const SharedText& text) const { return text_.Holds(text); }

 private:
  OfferedText text_;
};

}  // namespace platform::wayland
