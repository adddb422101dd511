#include "hosting/VariantLiteral.h"

#include <cctype>
#include <cmath>
#include <cstdio>
#include <limits>

#include "runtime/Convert.h"
#include "runtime/Error.h"
#include "runtime/Text.h"

namespace hosting {

namespace {

bool isBlank(char c) { return c == ' ' || c == '\t'; }
bool isWordChar(char c) {
    return std::isalnum(static_cast<unsigned char>(c)) || c == '_' || static_cast<unsigned char>(c) >= 0x80;
}

std::string quote(const std::string& s) {
    std::string out = "\"";
    for (char c : s) {
        switch (c) {
        case '"': out += "\\\""; break;
        case '\\': out += "\\\\"; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        case '\t': out += "\\t"; break;
        default:
            if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f) {
                char buf[8];
                std::snprintf(buf, sizeof buf, "\\x%02X", static_cast<unsigned char>(c));
                out += buf;
            } else {
                out += c;
            }
        }
    }
    out += '"';
    return out;
}

int hexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// s starts at the opening quote; returns bytes taken or 0.
std::size_t scanString(std::string_view s, std::string& out) {
    out.clear();
    for (std::size_t i = 1; i < s.size(); ++i) {
        char c = s[i];
        if (c == '"') return i + 1;
        if (c != '\\') { out += c; continue; }
        if (++i >= s.size()) return 0;
        switch (s[i]) {
        case '"': out += '"'; break;
        case '\\': out += '\\'; break;
        case 'n': out += '\n'; break;
        case 'r': out += '\r'; break;
        case 't': out += '\t'; break;
        case 'x': {
            if (i + 2 >= s.size()) return 0;
            int h = hexDigit(s[i + 1]), l = hexDigit(s[i + 2]);
            if (h < 0 || l < 0) return 0;
            out += static_cast<char>(h * 16 + l);
            i += 2;
            break;
        }
        default: return 0;
        }
    }
    return 0;
}

std::size_t scanNumber(std::string_view s, rt::Variant& out) {
    std::size_t i = 0;
    if (i < s.size() && (s[i] == '-' || s[i] == '+')) ++i;
    std::size_t digits = 0;
    while (i < s.size() && std::isdigit(static_cast<unsigned char>(s[i]))) { ++i; ++digits; }
    bool real = false;
    if (i < s.size() && s[i] == '.') {
        real = true;
        ++i;
        while (i < s.size() && std::isdigit(static_cast<unsigned char>(s[i]))) { ++i; ++digits; }
    }
    if (digits == 0) return 0;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        std::size_t j = i + 1;
        if (j < s.size() && (s[j] == '-' || s[j] == '+')) ++j;
        std::size_t expDigits = 0;
        while (j < s.size() && std::isdigit(static_cast<unsigned char>(s[j]))) { ++j; ++expDigits; }
        if (expDigits == 0) return 0;
        real = true;
        i = j;
    }
    const std::string text(s.substr(0, i));
    const double d = std::strtod(text.c_str(), nullptr);
    if (!std::isfinite(d)) throw rt::overflowError();
    char suffix = i < s.size() ? s[i] : '\0';
    if (suffix == '%' || suffix == '&' || suffix == '#') ++i;
    if (i < s.size() && isWordChar(s[i])) return 0;
    if (suffix == '#' || (real && suffix != '%' && suffix != '&')) {
        out = rt::Variant(d);
    } else if (suffix == '%') {
        if (real || d < -32768 || d > 32767) throw rt::overflowError();
        out = rt::Variant(static_cast<std::int16_t>(d));
    } else if (suffix == '&') {
        if (real || d < -2147483648.0 || d > 2147483647.0) throw rt::overflowError();
        out = rt::Variant(static_cast<std::int32_t>(d));
    } else if (d >= -2147483648.0 && d <= 2147483647.0) {
        out = rt::Variant(static_cast<std::int32_t>(d));
    } else {
        out = rt::Variant(d);
    }
    return i;
}

std::string two(int v) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%02d", v);
    return buf;
}

} // namespace

std::string formatLiteral(const rt::Variant& v) {
    switch (v.type()) {
    case rt::VarType::Empty: return "Empty";
    case rt::VarType::Null: return "Null";
    case rt::VarType::Integer: return std::to_string(v.integerValue()) + "%";
    case rt::VarType::Long: return std::to_string(v.longValue());
    case rt::VarType::Double: {
        std::string t = rt::numberToText(v.doubleValue(), rt::Regional::english());
        if (t.find_first_of(".E") == std::string::npos) t += '#';
        return t;
    }
    case rt::VarType::Boolean: return v.boolValue() ? "True" : "False";
    case rt::VarType::String: return quote(v.stringValue());
    case rt::VarType::Date: {
        const auto p = rt::dateParts(v.dateValue());
        std::string t = "#" + std::to_string(p.year) + "-" + two(p.month) + "-" + two(p.day);
        if (p.hour || p.minute || p.second) t += " " + two(p.hour) + ":" + two(p.minute) + ":" + two(p.second);
        return t + "#";
    }
    case rt::VarType::Object:
        return v.objectValue() ? "<" + v.objectValue()->typeName() + ">" : "Nothing";
    }
    return "?";
}

std::size_t scanLiteral(std::string_view text, rt::Variant& out) {
    std::size_t start = 0;
    while (start < text.size() && isBlank(text[start])) ++start;
    std::string_view s = text.substr(start);
    if (s.empty()) return 0;
    std::size_t n = 0;
    const char c = s[0];
    if (c == '"') {
        std::string str;
        n = scanString(s, str);
        if (n) out = rt::Variant(std::move(str));
    } else if (c == '#') {
        const auto close = s.find('#', 1);
        if (close == std::string_view::npos) return 0;
        auto d = rt::parseDate(s.substr(1, close - 1), rt::Regional::english());
        if (!d) return 0;
        out = rt::Variant::date(*d);
        n = close + 1;
    } else if (std::isdigit(static_cast<unsigned char>(c)) || c == '-' || c == '+' || c == '.') {
        n = scanNumber(s, out);
    } else {
        std::size_t i = 0;
        while (i < s.size() && isWordChar(s[i])) ++i;
        const std::string_view word = s.substr(0, i);
        using rt::text::equalsNoCase;
        if (equalsNoCase(word, "Empty")) out = rt::Variant();
        else if (equalsNoCase(word, "Null")) out = rt::Variant::null();
        else if (equalsNoCase(word, "Nothing")) out = rt::Variant(std::shared_ptr<rt::Object>());
        else if (equalsNoCase(word, "True")) out = rt::Variant(true);
        else if (equalsNoCase(word, "False")) out = rt::Variant(false);
        else return 0;
        n = i;
    }
    return n ? start + n : 0;
}

rt::Variant parseLiteral(std::string_view text) {
    rt::Variant v;
    std::size_t n = scanLiteral(text, v);
    if (n) {
        while (n < text.size() && isBlank(text[n])) ++n;
        if (n == text.size()) return v;
    }
    throw rt::Error(rt::err::TypeMismatch, "Type mismatch: not a value: " + std::string(text));
}

} // namespace hosting
