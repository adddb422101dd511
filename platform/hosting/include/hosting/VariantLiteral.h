#pragma once
// Text form of a Variant value, used by property bags saved in a host's
// form file and by the scenario runner's scripts:
//
//   Empty            Empty
//   Null             Null
//   Nothing          an object reference to no object
//   True, False      Boolean (-1 / 0)
//   42%              Integer (16-bit)
//   42  or  42&      Long (32-bit); a plain integer beyond 32 bits is a Double
//   1.5  1E+20  2#   Double (a "." or an exponent makes a Double; "#" forces it)
//   #2024-01-31#     Date; a time may follow: #2024-01-31 14:05:00#
//   "text"           String, UTF-8; escapes \" \\ \n \r \t \xHH
//
// Numbers are written with "." whatever the user's regional settings are,
// so a text form reads the same on every machine. Keywords ignore case.
#include <string>
#include <string_view>

#include "runtime/Variant.h"

namespace hosting {

// The literal of v; a reference to an object is written "<TypeName>", which
// parseLiteral does not read back.
std::string formatLiteral(const rt::Variant& v);

// Reads one literal (blanks around it allowed). Error 13 (type mismatch,
// with the text in the description) when the text is no literal.
rt::Variant parseLiteral(std::string_view text);

// Reads the literal at the start of text and returns how many bytes it
// took (blanks before it included); 0 when none starts there.
std::size_t scanLiteral(std::string_view text, rt::Variant& out);

} // namespace hosting
