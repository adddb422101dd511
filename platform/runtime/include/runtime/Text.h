#pragma once
// Text functions that count in characters (UTF-8 code points), not bytes.
// Positions are 1-based as in the classic string functions. Invalid UTF-8
// bytes count as one character each and are kept unchanged.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace rt::text {

std::size_t len(std::string_view s);                          // Len
std::string left(std::string_view s, std::size_t n);          // Left
std::string right(std::string_view s, std::size_t n);         // Right
// Mid(s, start[, n]); start < 1 raises error 5; start beyond the end gives "".
std::string mid(std::string_view s, std::size_t start);
std::string mid(std::string_view s, std::size_t start, std::size_t n);

std::string upper(std::string_view s);   // UCase: ASCII, Latin-1, Latin Ext-A, Greek, Cyrillic
std::string lower(std::string_view s);   // LCase
std::string trim(std::string_view s);    // removes blanks (U+0020) at both ends
std::string ltrim(std::string_view s);
std::string rtrim(std::string_view s);

// InStr(start, haystack, needle) ignoring case; 0 when not found. An empty
// needle gives start (if start <= len + 1). start < 1 raises error 5.
std::size_t instrNoCase(std::size_t start, std::string_view haystack, std::string_view needle);
// InStr with exact (binary) comparison.
std::size_t instr(std::size_t start, std::string_view haystack, std::string_view needle);

// Case-insensitive equality and ordering (upper() of both sides).
bool equalsNoCase(std::string_view a, std::string_view b);
int compareNoCase(std::string_view a, std::string_view b);   // <0, 0, >0

std::uint32_t ascW(std::string_view s);  // code of the first character; error 5 on ""
std::string chrW(std::uint32_t code);    // one character as UTF-8
bool startsWith(std::string_view s, std::string_view prefix);

// Decode to code points and encode back. An invalid byte b decodes to the
// code 0xDC00 + b (a lone surrogate, never a real character), which
// fromCodePoints() and chrW() write back as the raw byte, so the round trip
// keeps any text unchanged; ascW() gives that code too. Other surrogates and
// codes above 0x10FFFF are written as U+FFFD.
std::vector<std::uint32_t> toCodePoints(std::string_view s);
std::string fromCodePoints(const std::vector<std::uint32_t>& cps);
// Simple case mapping of one code point (the ranges upper() names; ß and
// other characters without a one-character mapping stay).
std::uint32_t upperChar(std::uint32_t c);
std::uint32_t lowerChar(std::uint32_t c);

} // namespace rt::text
