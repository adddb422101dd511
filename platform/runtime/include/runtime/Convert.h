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
// "HH:mm:ss" when the time is not midnight; a date on day 0, 1899-12-30,
// gives the time alone, as the classic runtime). Objects raise error 13.
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
// optional blanks. Also accepts "&H"/"&O" prefixed integers (up to &HFFFF
// read as 16-bit, so "&HFFFF" is -1; up to 32 bits beyond). Blanks are
// spaces and tabs; a blank grouping (French, ...) also takes U+00A0/U+202F.
// nullopt when the text is not a number or outside the Double range.
std::optional<double> parseNumber(std::string_view s, const Regional& r);
bool isNumeric(const Variant& v, const Regional& r);   // IsNumeric

// Val: the number at the start of the text, "." as decimal separator,
// blanks (and tabs, line feeds) skipped anywhere in the number; 0 if none.
// Error 6 when the number is beyond the Double range.
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
// compare as numbers, a number and another text: the number is less. A Date
// and a text that parseDate() reads compare as dates; Booleans and Dates
// count as numbers (-1/0, the serial). An object raises error 13.
// nullopt when either side is Null (the comparison is neither true nor false).
std::optional<int> compare(const Variant& a, const Variant& b, const Regional& r, bool noCase = false);
// compare() == 0; false when either is Null.
bool equals(const Variant& a, const Variant& b, const Regional& r, bool noCase = false);

// Dates: serial days since 1899-12-30; the fraction is the time of day
// (for serials before day 0 too: -1.25 is 1899-12-29 06:00).
// dateSerial normalises months and days out of range (month 13 is January
// of the next year, day 0 the last day of the month before); the year is
// taken as given (no two-digit window).
double dateSerial(int year, int month, int day);
double timeSerial(int hour, int minute, int second);
struct DateParts { int year, month, day, hour, minute, second; };
// Rounds to whole seconds; error 6 outside the classic range 100-01-01 to
// 9999-12-31 (and for NaN).
DateParts dateParts(double serial);
std::string shortDateText(double serial, const Regional& r);   // Format(d, "Short Date")
// Reads a date in the short date form of the settings or ISO "yyyy-mm-dd[ hh:mm[:ss]]".
// In the short form the order of day, month and year follows the settings,
// ".", "/" and "-" all separate, one or two digits of a day or month, and a
// year of one or two digits is 2000-2029 (0-29) or 1930-1999 (30-99); a
// time " H:mm[:ss]" may follow, or the text be a time alone. Invalid dates
// (31.02.) give nullopt.
std::optional<double> parseDate(std::string_view s, const Regional& r);

} // namespace rt
