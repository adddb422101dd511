#include "runtime/Convert.h"

#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>

#include "Internal.h"
#include "runtime/Error.h"
#include "runtime/Text.h"

namespace rt {

namespace {

inline bool isDigit(char c) { return c >= '0' && c <= '9'; }
inline bool isBlank(char c) { return c == ' ' || c == '\t'; }
inline bool isValBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }

inline bool at(std::string_view s, std::size_t i, std::string_view tok) {
    return !tok.empty() && s.substr(i, tok.size()) == tok;
}

// Length of a grouping separator at s[i], 0 if none. A blank grouping also
// takes the no-break spaces U+00A0 and U+202F.
std::size_t groupAt(std::string_view s, std::size_t i, const Regional& r) {
    if (r.grouping.empty() || r.grouping == r.decimal) return 0;
    if (at(s, i, r.grouping)) return r.grouping.size();
    if (r.grouping == " " || r.grouping == "\xC2\xA0" || r.grouping == "\xE2\x80\xAF") {
        if (at(s, i, " ")) return 1;
        if (at(s, i, "\xC2\xA0")) return 2;
        if (at(s, i, "\xE2\x80\xAF")) return 3;
    }
    return 0;
}

int digitValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return 99;
}

// Value of "&H"/"&O" digits: up to 0xFFFF read as a 16-bit, above as a
// 32-bit two's complement number (so "&HFFFF" is -1, "&H10000" is 65536).
// nullopt beyond 32 bits.
std::optional<double> radixValue(std::uint64_t v) {
    if (v <= 0xFFFF) return static_cast<double>(static_cast<std::int16_t>(static_cast<std::uint16_t>(v)));
    if (v <= 0xFFFFFFFFull) return static_cast<double>(static_cast<std::int32_t>(static_cast<std::uint32_t>(v)));
    return std::nullopt;
}

// Reads an ASCII number text "[-]digits[.digits][e[-]digits]"; out-of-range
// exponents give +-inf (too big) or 0 (too small).
double readAscii(const std::string& num, bool expNegative) {
    double v = 0;
    auto res = std::from_chars(num.data(), num.data() + num.size(), v);
    if (res.ec == std::errc::result_out_of_range) {
        const bool neg = !num.empty() && num[0] == '-';
        if (expNegative) return neg ? -0.0 : 0.0;
        return neg ? -std::numeric_limits<double>::infinity() : std::numeric_limits<double>::infinity();
    }
    return v;
}

double numOf(const Variant& v) {
    switch (v.type()) {
    case VarType::Integer: return v.integerValue();
    case VarType::Long: return v.longValue();
    case VarType::Double: return v.doubleValue();
    case VarType::Boolean: return v.boolValue() ? -1.0 : 0.0;
    case VarType::Date: return v.dateValue();
    default: return 0;
    }
}

int cmpD(double a, double b) { return a < b ? -1 : (a > b ? 1 : 0); }

} // namespace

std::optional<double> parseNumber(std::string_view s, const Regional& r) {
    std::size_t b = 0, e = s.size();
    while (b < e && isBlank(s[b])) ++b;
    while (e > b && isBlank(s[e - 1])) --e;
    if (b == e) return std::nullopt;
    s = s.substr(b, e - b);

    if (s.size() >= 3 && s[0] == '&') {
        const char k = s[1];
        const int radix = (k == 'h' || k == 'H') ? 16 : (k == 'o' || k == 'O') ? 8 : 0;
        if (radix == 0) return std::nullopt;
        std::uint64_t v = 0;
        for (std::size_t i = 2; i < s.size(); ++i) {
            const int d = digitValue(s[i]);
            if (d >= radix) return std::nullopt;
            v = v * radix + d;
            if (v > 0xFFFFFFFFull) return std::nullopt;
        }
        return radixValue(v);
    }

    std::size_t i = 0;
    bool neg = false, signSeen = false;
    if (s[i] == '+' || s[i] == '-') {
        neg = s[i] == '-';
        signSeen = true;
        ++i;
        while (i < s.size() && isBlank(s[i])) ++i;
    }
    std::string num;
    bool anyDigit = false;
    while (i < s.size()) {
        if (isDigit(s[i])) {
            num += s[i++];
            anyDigit = true;
        } else if (at(s, i, r.decimal)) {
            break;
        } else if (std::size_t g = anyDigit ? groupAt(s, i, r) : 0) {
            i += g;
        } else {
            break;
        }
    }
    if (at(s, i, r.decimal)) {
        i += r.decimal.size();
        num += '.';
        while (i < s.size() && isDigit(s[i])) {
            num += s[i++];
            anyDigit = true;
        }
    }
    if (!anyDigit) return std::nullopt;
    bool expNegative = false;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E' || s[i] == 'd' || s[i] == 'D')) {
        std::size_t j = i + 1;
        std::string ex = "e";
        if (j < s.size() && (s[j] == '+' || s[j] == '-')) {
            expNegative = s[j] == '-';
            ex += s[j++];
        }
        if (j >= s.size() || !isDigit(s[j])) return std::nullopt;
        while (j < s.size() && isDigit(s[j])) ex += s[j++];
        num += ex;
        i = j;
    }
    while (i < s.size() && isBlank(s[i])) ++i;
    if (i < s.size() && !signSeen && (s[i] == '+' || s[i] == '-')) {
        neg = s[i] == '-';
        ++i;
        while (i < s.size() && isBlank(s[i])) ++i;
    }
    if (i != s.size()) return std::nullopt;
    if (num[0] == '.') num.insert(num.begin(), '0');
    const double v = readAscii(num, expNegative);
    if (!std::isfinite(v)) return std::nullopt;
    return neg ? -v : v;
}

bool isNumeric(const Variant& v, const Regional& r) {
    switch (v.type()) {
    case VarType::Empty:
    case VarType::Integer:
    case VarType::Long:
    case VarType::Double:
    case VarType::Boolean: return true;
    case VarType::String: return parseNumber(v.stringValue(), r).has_value();
    default: return false;  // Null, Date, Object
    }
}

double val(std::string_view s) {
    std::size_t i = 0;
    auto skip = [&] {
        while (i < s.size() && isValBlank(s[i])) ++i;
    };
    auto peek = [&]() -> char {
        skip();
        return i < s.size() ? s[i] : '\0';
    };
    if (peek() == '&') {
        const std::size_t save = i++;
        const char k = peek();
        const int radix = (k == 'h' || k == 'H') ? 16 : (k == 'o' || k == 'O') ? 8 : 0;
        if (radix != 0) {
            ++i;
            std::uint64_t v = 0;
            while (true) {
                const char c = peek();
                if (c == '\0' || digitValue(c) >= radix) break;
                v = v * radix + digitValue(c);
                if (v > 0xFFFFFFFFull) throw overflowError();
                ++i;
            }
            return *radixValue(v);
        }
        i = save;
        return 0;
    }
    std::string num;
    if (peek() == '+' || peek() == '-') {
        if (s[i] == '-') num += '-';
        ++i;
    }
    bool anyDigit = false;
    while (isDigit(peek())) {
        num += s[i++];
        anyDigit = true;
    }
    if (peek() == '.') {
        ++i;
        num += '.';
        while (isDigit(peek())) {
            num += s[i++];
            anyDigit = true;
        }
    }
    if (!anyDigit) return 0;
    bool expNegative = false;
    const char e = peek();
    if (e == 'e' || e == 'E' || e == 'd' || e == 'D') {
        const std::size_t save = i++;
        std::string ex = "e";
        if (peek() == '+' || peek() == '-') {
            expNegative = s[i] == '-';
            ex += s[i++];
        }
        if (isDigit(peek())) {
            while (isDigit(peek())) ex += s[i++];
            num += ex;
        } else {
            i = save;
            expNegative = false;
        }
    }
    // "-.5" and ".5" need a leading digit for from_chars.
    const std::size_t dot = num.find('.');
    if (dot != std::string::npos && (dot == 0 || !isDigit(num[dot - 1]))) num.insert(dot, "0");
    const double v = readAscii(num, expNegative);
    if (!std::isfinite(v)) throw overflowError();
    return v;
}

std::string numberToText(double d, const Regional& r) {
    if (std::isnan(d)) return "NaN";
    if (std::isinf(d)) return d > 0 ? "Infinity" : "-Infinity";
    if (d == 0) return "0";
    char buf[64];
    auto res = std::to_chars(buf, buf + sizeof buf, d, std::chars_format::scientific, 14);
    const std::string_view t(buf, static_cast<std::size_t>(res.ptr - buf));  // "-1.23400000000000e+05"
    std::size_t i = 0;
    const bool neg = t[0] == '-';
    if (neg) ++i;
    std::string digits;
    const std::size_t epos = t.find('e');
    for (std::size_t k = i; k < epos; ++k)
        if (isDigit(t[k])) digits += t[k];
    int exp = 0;
    std::from_chars(t.data() + epos + (t[epos + 1] == '+' ? 2 : 1), t.data() + t.size(), exp);
    while (digits.size() > 1 && digits.back() == '0') digits.pop_back();

    std::string out = neg ? "-" : "";
    if (exp >= 15 || exp < -4) {
        out += digits[0];
        if (digits.size() > 1) out += r.decimal + digits.substr(1);
        out += exp < 0 ? "E-" : "E+";
        const int a = exp < 0 ? -exp : exp;
        if (a < 10) out += '0';
        out += std::to_string(a);
    } else if (exp >= 0) {
        const std::size_t intLen = static_cast<std::size_t>(exp) + 1;
        if (digits.size() <= intLen) {
            out += digits + std::string(intLen - digits.size(), '0');
        } else {
            out += digits.substr(0, intLen) + r.decimal + digits.substr(intLen);
        }
    } else {
        out += "0" + r.decimal + std::string(static_cast<std::size_t>(-exp - 1), '0') + digits;
    }
    return out;
}

std::string textOf(const Variant& v, const Regional& r) {
    switch (v.type()) {
    case VarType::Empty:
    case VarType::Null: return {};
    case VarType::Integer: return std::to_string(v.integerValue());
    case VarType::Long: return std::to_string(v.longValue());
    case VarType::Double: return numberToText(v.doubleValue(), r);
    case VarType::Boolean: return v.boolValue() ? r.trueText : r.falseText;
    case VarType::String: return v.stringValue();
    case VarType::Date: {
        const double s = v.dateValue();
        if (!detail::hasDate(s)) return detail::timeText(s);
        std::string out = shortDateText(s, r);
        if (detail::hasTime(s)) out += " " + detail::timeText(s);
        return out;
    }
    case VarType::Object: break;
    }
    throw typeMismatchError();
}

std::int32_t roundToLong(double d) {
    if (std::isnan(d)) throw overflowError();
    const double f = std::floor(d);
    const double diff = d - f;
    double n = f;
    if (diff > 0.5 || (diff == 0.5 && std::fmod(f, 2.0) != 0)) n = f + 1;
    if (n < -2147483648.0 || n > 2147483647.0) throw overflowError();
    return static_cast<std::int32_t>(n);
}

std::int16_t roundToInteger(double d) {
    if (std::isnan(d) || d < -32768.5 || d > 32767.5) throw overflowError();
    const std::int32_t n = roundToLong(d);
    if (n < -32768 || n > 32767) throw overflowError();
    return static_cast<std::int16_t>(n);
}

double toDouble(const Variant& v, const Regional& r) {
    switch (v.type()) {
    case VarType::Empty: return 0;
    case VarType::Null: throw invalidUseOfNullError();
    case VarType::String: {
        if (auto n = parseNumber(v.stringValue(), r)) return *n;
        throw typeMismatchError();
    }
    case VarType::Object: throw typeMismatchError();
    default: return numOf(v);
    }
}

std::int32_t toLong(const Variant& v, const Regional& r) {
    switch (v.type()) {
    case VarType::Integer: return v.integerValue();
    case VarType::Long: return v.longValue();
    case VarType::Boolean: return v.boolValue() ? -1 : 0;
    default: return roundToLong(toDouble(v, r));
    }
}

std::int16_t toInteger(const Variant& v, const Regional& r) {
    switch (v.type()) {
    case VarType::Integer: return v.integerValue();
    case VarType::Boolean: return v.boolValue() ? -1 : 0;
    default: return roundToInteger(toDouble(v, r));
    }
}

bool toBool(const Variant& v, const Regional& r) {
    if (v.type() == VarType::Boolean) return v.boolValue();
    if (v.type() == VarType::String) {
        const std::string t = text::trim(v.stringValue());
        if (text::equalsNoCase(t, "True") || (!r.trueText.empty() && text::equalsNoCase(t, r.trueText))) return true;
        if (text::equalsNoCase(t, "False") || (!r.falseText.empty() && text::equalsNoCase(t, r.falseText)))
            return false;
    }
    return toDouble(v, r) != 0;
}

std::optional<int> compare(const Variant& a, const Variant& b, const Regional& r, bool noCase) {
    const VarType ta = a.type(), tb = b.type();
    if (ta == VarType::Null || tb == VarType::Null) return std::nullopt;
    if (ta == VarType::Object || tb == VarType::Object) throw typeMismatchError();
    const bool ea = ta == VarType::Empty, eb = tb == VarType::Empty;
    const bool sa = ta == VarType::String, sb = tb == VarType::String;
    if (ea && eb) return 0;
    if ((sa || ea) && (sb || eb)) {
        const std::string_view x = sa ? std::string_view(a.stringValue()) : std::string_view();
        const std::string_view y = sb ? std::string_view(b.stringValue()) : std::string_view();
        if (noCase) return text::compareNoCase(x, y);
        const int c = x.compare(y);
        return c < 0 ? -1 : (c > 0 ? 1 : 0);
    }
    if (!sa && !sb) return cmpD(numOf(a), numOf(b));  // numbers, dates, Empty as 0
    // One number (or date) and one text.
    const Variant& n = sa ? b : a;
    const std::string& t = sa ? a.stringValue() : b.stringValue();
    // A date and a date text compare as dates ("02.01.2020" would read as a
    // number with grouping separators in German).
    std::optional<double> tv;
    if (n.type() == VarType::Date) tv = parseDate(t, r);
    if (!tv) tv = parseNumber(t, r);
    if (!tv) return sa ? 1 : -1;  // the number is less
    return sa ? cmpD(*tv, numOf(n)) : cmpD(numOf(n), *tv);
}

bool equals(const Variant& a, const Variant& b, const Regional& r, bool noCase) {
    const auto c = compare(a, b, r, noCase);
    return c && *c == 0;
}

} // namespace rt
