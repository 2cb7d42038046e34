#pragma once
// Property values as descriptions hold them: reading a description value as the value of one kind
// of property, and making the description value that stands for a value. The property builders
// (ClassBuilder.h), the reader and the writer share them. Every reading raises EReadError for a
// value of the wrong kind or out of range.

#include <any>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <typeindex>
#include <vector>

#include "framework/classes/FormValue.h"
#include "framework/classes/Persistent.h"
#include "platform/drawing/Colors.h"

namespace framework {

class TCollection;
class TComponent;
class TStrings;
class TReader;

// A failure while reading a form description; the reader puts the line in front of the message.
class EReadError : public Exception {
 public:
  using Exception::Exception;
};
[[noreturn]] void ThrowPropertyError(const std::string& message);

int64_t ReadIntegerValue(const TFormValue& value);
// An integer is read as the nearest double.
double ReadRealValue(const TFormValue& value);
std::string ReadStringValue(const TFormValue& value);
// The identifiers True and False.
bool ReadBooleanValue(const TFormValue& value);
// A colour name, or a 32-bit number (signed or unsigned).
platform::TColor ReadColorValue(const TFormValue& value);
// The event value (of eventType) calling the published method the value names on the form being
// read.
std::any BindMethodValue(const TFormValue& value, TReader& reader, std::type_index eventType);
// Clears the collection, then adds an item for each item of the value, its properties set by the
// reader.
void ReadCollectionValue(TCollection* collection, const TFormValue& value, TReader& reader);
void ReadStringsValue(TStrings* strings, const TFormValue& value);
std::vector<uint8_t> ReadBinaryValue(const TFormValue& value);
// A component reference: the identifier nil (any letter case) sets none at once; any other name
// is handed to the reader, which sets the component of that name once the whole description is
// read (TReader::AddFixup).
void ReadComponentValue(const TFormValue& value, TReader& reader,
                        std::function<void(TComponent*)> set);

TFormValue MakeIntegerValue(int64_t v);
// Raises Exception for a value that is not finite: a description cannot spell it.
TFormValue MakeRealValue(double v);
TFormValue MakeStringValue(const std::string& v);
TFormValue MakeIdentValue(const std::string& v);
// The colour's name where it has one, else its number.
TFormValue MakeColorValue(platform::TColor v);
// The collection as a description holds it: one item per element with the item's properties that
// differ from their defaults; nullopt for an empty collection.
std::optional<TFormValue> WriteCollectionValue(const TCollection* collection);

// Assign between the collections or string lists of two objects of one class.
void AssignCollection(TCollection* dst, const TCollection* src);
void AssignStrings(TStrings* dst, const TStrings* src);

}  // namespace framework
