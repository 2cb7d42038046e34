#pragma once
// Text helpers of the skin data: the integer conversion that skin texts use (section records,
// gradient descriptions, INI values), word splitting and ASCII upper case.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "framework/classes/Persistent.h"

namespace skin {

// A 32-bit integer written in decimal with an optional sign, or in hexadecimal after "$", "0x" or
// "0X" (up to eight digits, read as the 32-bit pattern they give, as colours are written). Leading
// blanks are skipped; anything else around the number makes it unreadable.
std::optional<int> TryStrToInt(std::string_view text);
// As TryStrToInt; an unreadable text raises framework::EConvertError
// "'<text>' is not a valid integer value".
int StrToInt(std::string_view text);

// The maximal runs of characters that are not in delimiters, in order; empty runs do not count.
std::vector<std::string_view> SplitWords(std::string_view text, std::string_view delimiters);

// ASCII letters upper-cased; every other byte kept (section and role names are ASCII).
std::string UpperCase(std::string_view text);
bool SameText(std::string_view a, std::string_view b);
// True when part occurs in text, ASCII letter case aside.
bool ContainsText(std::string_view text, std::string_view part);

}  // namespace skin
