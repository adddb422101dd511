#pragma once
// Conversions between Variant kinds, numbers and texts, as the classic
// runtime does them. Everything that depends on how the user writes numbers
// or dates takes the Regional settings explicitly.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "runtime/Regional.h"
#include "runtime/Variant.h"

namespace rt {

// "" & v: Empty and Null give "", numbers in the shortest regional form,
// Boolean as Regional::trueText/falseText, dates as short date (plus time
// "HH:mm:ss" when the time is not midnight). Objects raise error 13.
std::string textOf(const Variant& v, const Regional& r);

// CLng / CInt / CDbl / CBool. Texts are read with parseNumber(); a text that
// is not a number raises 13, Null raises 94, a value outside the range 6.
// Integer conversions round halves to the even neighbour.
std::int32_t toLong(const Variant& v, const Regional& r);
std::int16_t toInteger(const Variant& v, const Regional& r);
double toDouble(const Variant& v, const Regional& r);
bool toBool(const Variant& v, const Regional& r);

// Round half to even and check the range; error 6 on overflow or NaN.
std::int32_t roundToLong(double d);
std::int16_t roundToInteger(double d);

// The general text-to-number test: optional blanks, optional sign (leading,
// or trailing), digits with optional grouping separators, optional decimal
// separator with digits, optional exponent (E or D, optional sign, digits),
// optional blanks. Also accepts "&H"/"&O" prefixed integers. nullopt when
// the text is not a number.
std::optional<double> parseNumber(std::string_view s, const Regional& r);
bool isNumeric(const Variant& v, const Regional& r);   // IsNumeric

// Val: the number at the start of the text, "." as decimal separator,
// blanks (and tabs, line feeds) skipped anywhere in the number; 0 if none.
double val(std::string_view s);

// Shortest text that reads back as the same double (at most 15 significant
// digits, as the classic runtime prints), with the regional decimal
// separator, no grouping, no trailing zeros. 1e15 and above and below 1e-4
// use the exponent form "1E+15", "1E-05" (as the classic runtime: beyond 15
// digits a plain form would show digits that were rounded away).
std::string numberToText(double d, const Regional& r);

// Comparison as the language's relational operators do it for the kinds the
// system uses: Empty equals "" and 0; two numbers compare numerically; two
// texts compare exactly (binary) unless noCase; a number and a numeric text
// compare as numbers, a number and another text: the number is less.
// nullopt when either side is Null (the comparison is neither true nor false).
std::optional<int> compare(const Variant& a, const Variant& b, const Regional& r, bool noCase = false);
// compare() == 0; false when either is Null.
bool equals(const Variant& a, const Variant& b, const Regional& r, bool noCase = false);

// Dates: serial days since 1899-12-30.
double dateSerial(int year, int month, int day);
double timeSerial(int hour, int minute, int second);
struct DateParts { int year, month, day, hour, minute, second; };
DateParts dateParts(double serial);
std::string shortDateText(double serial, const Regional& r);   // Format(d, "Short Date")
// Reads a date in the short date form of the settings or ISO "yyyy-mm-dd[ hh:mm[:ss]]".
std::optional<double> parseDate(std::string_view s, const Regional& r);

} // namespace rt
