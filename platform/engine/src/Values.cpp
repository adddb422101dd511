#include "Values.h"

#include <cmath>
#include <cstdio>
#include <limits>

#include "engine/Errors.h"
#include "runtime/Convert.h"
#include "runtime/Text.h"

namespace engine::detail {

std::string isoDateText(double serial) {
    rt::DateParts p = rt::dateParts(serial);
    char buf[32];
    std::snprintf(buf, sizeof buf, "%04d-%02d-%02d %02d:%02d:%02d", p.year, p.month, p.day, p.hour,
                  p.minute, p.second);
    return buf;
}

std::optional<double> parseIsoDate(std::string_view s) {
    // YYYY-MM-DD[ HH:MM[:SS]] (also with 'T')
    auto digits = [&](std::size_t pos, std::size_t n, int& out) {
        if (pos + n > s.size()) return false;
        int v = 0;
        for (std::size_t i = 0; i < n; ++i) {
            char c = s[pos + i];
            if (c < '0' || c > '9') return false;
            v = v * 10 + (c - '0');
        }
        out = v;
        return true;
    };
    int y, mo, d, h = 0, mi = 0, se = 0;
    if (s.size() < 10 || !digits(0, 4, y) || s[4] != '-' || !digits(5, 2, mo) || s[7] != '-' ||
        !digits(8, 2, d))
        return std::nullopt;
    if (mo < 1 || mo > 12 || d < 1 || d > 31) return std::nullopt;
    if (s.size() > 10) {
        if ((s[10] != ' ' && s[10] != 'T') || !digits(11, 2, h) || s.size() < 16 || s[13] != ':' ||
            !digits(14, 2, mi))
            return std::nullopt;
        if (s.size() > 16 && (s[16] != ':' || !digits(17, 2, se))) return std::nullopt;
    }
    double day = rt::dateSerial(y, mo, d);
    double t = rt::timeSerial(h, mi, se);
    return day >= 0 ? day + t : day - t;
}

void bindVariant(sqlite3_stmt* st, int index, const rt::Variant& v) {
    switch (v.type()) {
    case rt::VarType::Empty:
    case rt::VarType::Null:
    case rt::VarType::Object:
        sqlite3_bind_null(st, index);
        break;
    case rt::VarType::Integer:
        sqlite3_bind_int64(st, index, v.integerValue());
        break;
    case rt::VarType::Long:
        sqlite3_bind_int64(st, index, v.longValue());
        break;
    case rt::VarType::Double:
        sqlite3_bind_double(st, index, v.doubleValue());
        break;
    case rt::VarType::Boolean:
        sqlite3_bind_int64(st, index, v.boolValue() ? -1 : 0);
        break;
    case rt::VarType::String: {
        const std::string& s = v.stringValue();
        sqlite3_bind_text(st, index, s.data(), int(s.size()), SQLITE_TRANSIENT);
        break;
    }
    case rt::VarType::Date: {
        std::string s = isoDateText(v.dateValue());
        sqlite3_bind_text(st, index, s.data(), int(s.size()), SQLITE_TRANSIENT);
        break;
    }
    }
}

namespace {

rt::Variant numberVariant(sqlite3_stmt* st, int col) {
    if (sqlite3_column_type(st, col) == SQLITE_INTEGER) {
        sqlite3_int64 i = sqlite3_column_int64(st, col);
        if (i >= std::numeric_limits<std::int32_t>::min() && i <= std::numeric_limits<std::int32_t>::max())
            return rt::Variant(std::int32_t(i));
        return rt::Variant(double(i));
    }
    return rt::Variant(sqlite3_column_double(st, col));
}

rt::Variant textVariant(sqlite3_stmt* st, int col) {
    const unsigned char* p = sqlite3_column_text(st, col);
    return rt::Variant(std::string(reinterpret_cast<const char*>(p), std::size_t(sqlite3_column_bytes(st, col))));
}

} // namespace

rt::Variant readColumn(sqlite3_stmt* st, int col, FieldType type, bool typed) {
    int storage = sqlite3_column_type(st, col);
    if (storage == SQLITE_NULL) return rt::Variant::null();
    switch (type) {
    case FieldType::Date:
        if (storage == SQLITE_TEXT) {
            const unsigned char* p = sqlite3_column_text(st, col);
            std::string_view s(reinterpret_cast<const char*>(p), std::size_t(sqlite3_column_bytes(st, col)));
            if (auto d = parseIsoDate(s)) return rt::Variant::date(*d);
            return textVariant(st, col);
        }
        return rt::Variant::date(sqlite3_column_double(st, col));
    case FieldType::Boolean:
        if (storage == SQLITE_INTEGER || storage == SQLITE_FLOAT)
            return rt::Variant(sqlite3_column_double(st, col) != 0);
        break;
    case FieldType::Integer:
    case FieldType::Byte:
        if (storage == SQLITE_INTEGER) {
            sqlite3_int64 i = sqlite3_column_int64(st, col);
            if (i >= -32768 && i <= 32767) return rt::Variant(std::int16_t(i));
        }
        break;
    case FieldType::Text:
    case FieldType::Memo:
        if (typed && storage != SQLITE_TEXT && storage != SQLITE_BLOB) {
            // A number kept in a text field by another program: its text.
            return textVariant(st, col);
        }
        break;
    default:
        break;
    }
    if (storage == SQLITE_INTEGER || storage == SQLITE_FLOAT) return numberVariant(st, col);
    return textVariant(st, col);
}

namespace {

[[noreturn]] void conversionError() { throw err::make(err::DataTypeConversion); }

double numberOf(const rt::Variant& v, const rt::Regional& r) {
    switch (v.type()) {
    case rt::VarType::Integer: return v.integerValue();
    case rt::VarType::Long: return v.longValue();
    case rt::VarType::Double: return v.doubleValue();
    case rt::VarType::Boolean: return v.boolValue() ? -1 : 0;
    case rt::VarType::Date: return v.dateValue();
    case rt::VarType::String: {
        auto n = rt::parseNumber(v.stringValue(), r);
        if (!n) conversionError();
        return *n;
    }
    default: conversionError();
    }
}

double roundHalfEven(double d) {
    double f = std::floor(d);
    double diff = d - f;
    if (diff > 0.5) return f + 1;
    if (diff < 0.5) return f;
    return std::fmod(f, 2.0) == 0 ? f : f + 1;
}

} // namespace

rt::Variant coerceForField(const rt::Variant& v, FieldType type, int size, const rt::Regional& r) {
    if (v.isEmpty() || v.isNull()) return rt::Variant::null();
    if (v.isObject()) conversionError();
    switch (type) {
    case FieldType::Text:
    case FieldType::Memo: {
        std::string s;
        if (v.type() == rt::VarType::String) s = v.stringValue();
        else {
            try {
                s = rt::textOf(v, r);
            } catch (const rt::Error&) {
                conversionError();
            }
        }
        if (type == FieldType::Text && size > 0 && rt::text::len(s) > std::size_t(size))
            throw err::make(err::TextTooLong);
        return rt::Variant(std::move(s));
    }
    case FieldType::Boolean: {
        if (v.type() == rt::VarType::String) {
            const std::string& s = v.stringValue();
            if (rt::text::equalsNoCase(s, "true") || rt::text::equalsNoCase(s, "yes") ||
                rt::text::equalsNoCase(s, "on") || rt::text::equalsNoCase(s, r.trueText))
                return rt::Variant(true);
            if (rt::text::equalsNoCase(s, "false") || rt::text::equalsNoCase(s, "no") ||
                rt::text::equalsNoCase(s, "off") || rt::text::equalsNoCase(s, r.falseText))
                return rt::Variant(false);
        }
        return rt::Variant(numberOf(v, r) != 0);
    }
    case FieldType::Byte:
    case FieldType::Integer:
    case FieldType::Long: {
        double d = roundHalfEven(numberOf(v, r));
        double lo = type == FieldType::Byte ? 0 : type == FieldType::Integer ? -32768 : -2147483648.0;
        double hi = type == FieldType::Byte ? 255 : type == FieldType::Integer ? 32767 : 2147483647.0;
        if (!(d >= lo && d <= hi)) conversionError();
        if (type == FieldType::Long) return rt::Variant(std::int32_t(d));
        return rt::Variant(std::int16_t(d));
    }
    case FieldType::Single:
    case FieldType::Double:
    case FieldType::Currency: {
        double d = numberOf(v, r);
        if (!std::isfinite(d)) conversionError();
        if (type == FieldType::Currency) d = std::round(d * 10000.0) / 10000.0;
        if (type == FieldType::Single) d = double(float(d));
        return rt::Variant(d);
    }
    case FieldType::Date: {
        if (v.type() == rt::VarType::Date) return v;
        if (v.type() == rt::VarType::String) {
            if (auto d = parseIsoDate(v.stringValue())) return rt::Variant::date(*d);
            if (auto d = rt::parseDate(v.stringValue(), r)) return rt::Variant::date(*d);
            conversionError();
        }
        return rt::Variant::date(numberOf(v, r));
    }
    case FieldType::Binary:
        if (v.type() == rt::VarType::String) return v;
        conversionError();
    }
    return v;
}

} // namespace engine::detail
