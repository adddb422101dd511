// SQL functions and the collation the translated statements use.
#include <sqlite3.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <string>

#include "runtime/Convert.h"
#include "runtime/Text.h"
#include "sql/Like.h"
#include "sql/Translator.h"

namespace engine::sql {

namespace {

// ---- collation -------------------------------------------------------------

int jetNoCase(void*, int n1, const void* p1, int n2, const void* p2) {
    const auto* a = static_cast<const unsigned char*>(p1);
    const auto* b = static_cast<const unsigned char*>(p2);
    const int n = n1 < n2 ? n1 : n2;
    // ASCII: compare upper-cased bytes until the first non-ASCII byte.
    int i = 0;
    for (; i < n; ++i) {
        unsigned char x = a[i], y = b[i];
        if ((x | y) & 0x80) break;
        if (x >= 'a' && x <= 'z') x = static_cast<unsigned char>(x - 32);
        if (y >= 'a' && y <= 'z') y = static_cast<unsigned char>(y - 32);
        if (x != y) return x < y ? -1 : 1;
    }
    if (i == n) return n1 == n2 ? 0 : (n1 < n2 ? -1 : 1);
    // The rest character by character (the common prefix is ASCII, so the
    // remainders start on character boundaries).
    return rt::text::compareNoCase(std::string_view(reinterpret_cast<const char*>(a + i), static_cast<std::size_t>(n1 - i)),
                                   std::string_view(reinterpret_cast<const char*>(b + i), static_cast<std::size_t>(n2 - i)));
}

// ---- helpers ---------------------------------------------------------------

// A value as the dialect turns it into text: whole doubles without ".0".
std::string textOf(sqlite3_value* v) {
    switch (sqlite3_value_type(v)) {
    case SQLITE_INTEGER: return std::to_string(sqlite3_value_int64(v));
    case SQLITE_FLOAT: {
        double d = sqlite3_value_double(v);
        char buf[40];
        if (std::isfinite(d) && d == std::floor(d) && std::fabs(d) < 1e15) {
            std::snprintf(buf, sizeof buf, "%.0f", d);
        } else {
            std::snprintf(buf, sizeof buf, "%.15g", d);
        }
        return buf;
    }
    case SQLITE_NULL: return {};
    default: {
        const unsigned char* t = sqlite3_value_text(v);
        return t ? std::string(reinterpret_cast<const char*>(t), static_cast<std::size_t>(sqlite3_value_bytes(v)))
                 : std::string();
    }
    }
}

bool anyNull(int argc, sqlite3_value** argv) {
    for (int i = 0; i < argc; ++i)
        if (sqlite3_value_type(argv[i]) == SQLITE_NULL) return true;
    return false;
}

void resultText(sqlite3_context* ctx, const std::string& s) {
    sqlite3_result_text(ctx, s.data(), static_cast<int>(s.size()), SQLITE_TRANSIENT);
}

// A number argument; false (and an error result) when it is no number.
bool numberArg(sqlite3_context* ctx, sqlite3_value* v, double& out) {
    switch (sqlite3_value_type(v)) {
    case SQLITE_INTEGER: out = static_cast<double>(sqlite3_value_int64(v)); return true;
    case SQLITE_FLOAT: out = sqlite3_value_double(v); return true;
    default: {
        auto parsed = rt::parseNumber(textOf(v), rt::Regional{});
        if (!parsed) {
            sqlite3_result_error(ctx, "Data type mismatch in criteria expression.", -1);
            return false;
        }
        out = *parsed;
        return true;
    }
    }
}

// Count argument of Left / Right / Mid: whole, not negative.
bool countArg(sqlite3_context* ctx, sqlite3_value* v, std::size_t& out, bool allowZero = true) {
    double d = 0;
    if (!numberArg(ctx, v, d)) return false;
    d = std::nearbyint(d);
    if (!(d >= (allowZero ? 0 : 1)) || d > 2147483647.0) {
        sqlite3_result_error(ctx, "Invalid procedure call or argument", -1);
        return false;
    }
    out = static_cast<std::size_t>(d);
    return true;
}

double roundHalfEven(double d) { return std::nearbyint(d); }   // default rounding mode: to nearest, ties even

// ---- text functions ----------------------------------------------------------

void fnConcat(sqlite3_context* ctx, int, sqlite3_value** argv) {
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL && sqlite3_value_type(argv[1]) == SQLITE_NULL) {
        sqlite3_result_null(ctx);   // Null & Null is Null; one Null counts as ""
        return;
    }
    resultText(ctx, textOf(argv[0]) + textOf(argv[1]));
}

void fnAdd(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
    if (anyNull(argc, argv)) { sqlite3_result_null(ctx); return; }
    if (sqlite3_value_type(argv[0]) == SQLITE_TEXT && sqlite3_value_type(argv[1]) == SQLITE_TEXT) {
        resultText(ctx, textOf(argv[0]) + textOf(argv[1]));
        return;
    }
    double a = 0, b = 0;
    if (!numberArg(ctx, argv[0], a) || !numberArg(ctx, argv[1], b)) return;
    sqlite3_result_double(ctx, a + b);
}

void fnLike(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
    if (anyNull(argc, argv)) { sqlite3_result_null(ctx); return; }
    sqlite3_result_int(ctx, likeMatch(textOf(argv[0]), textOf(argv[1])) ? 1 : 0);
}

void fnLen(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
    if (anyNull(argc, argv)) { sqlite3_result_null(ctx); return; }
    sqlite3_result_int64(ctx, static_cast<sqlite3_int64>(rt::text::len(textOf(argv[0]))));
}

void fnLeft(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
    if (anyNull(argc, argv)) { sqlite3_result_null(ctx); return; }
    std::size_t n = 0;
    if (!countArg(ctx, argv[1], n)) return;
    resultText(ctx, rt::text::left(textOf(argv[0]), n));
}

void fnRight(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
    if (anyNull(argc, argv)) { sqlite3_result_null(ctx); return; }
    std::size_t n = 0;
    if (!countArg(ctx, argv[1], n)) return;
    resultText(ctx, rt::text::right(textOf(argv[0]), n));
}

void fnMid(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
    if (anyNull(argc, argv)) { sqlite3_result_null(ctx); return; }
    std::size_t start = 0, n = 0;
    if (!countArg(ctx, argv[1], start, false)) return;
    if (argc == 3) {
        if (!countArg(ctx, argv[2], n)) return;
        resultText(ctx, rt::text::mid(textOf(argv[0]), start, n));
    } else {
        resultText(ctx, rt::text::mid(textOf(argv[0]), start));
    }
}

template <std::string (*F)(std::string_view)>
void fnText(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
    if (anyNull(argc, argv)) { sqlite3_result_null(ctx); return; }
    resultText(ctx, F(textOf(argv[0])));
}

void fnInstr(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
    if (anyNull(argc, argv)) { sqlite3_result_null(ctx); return; }
    std::size_t start = 1;
    int first = 0;
    if (argc == 3) {
        if (!countArg(ctx, argv[0], start, false)) return;
        first = 1;
    }
    sqlite3_result_int64(ctx, static_cast<sqlite3_int64>(
                                  rt::text::instrNoCase(start, textOf(argv[first]), textOf(argv[first + 1]))));
}

void fnVal(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
    if (anyNull(argc, argv)) { sqlite3_result_null(ctx); return; }
    sqlite3_result_double(ctx, rt::val(textOf(argv[0])));
}

void fnCStr(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
    if (anyNull(argc, argv)) { sqlite3_result_error(ctx, "Invalid use of Null", -1); return; }
    resultText(ctx, textOf(argv[0]));
}

template <long long Lo, long long Hi>
void fnCInteger(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
    if (anyNull(argc, argv)) { sqlite3_result_error(ctx, "Invalid use of Null", -1); return; }
    double d = 0;
    if (!numberArg(ctx, argv[0], d)) return;
    d = roundHalfEven(d);
    if (!(d >= static_cast<double>(Lo) && d <= static_cast<double>(Hi))) { sqlite3_result_error(ctx, "Overflow", -1); return; }
    sqlite3_result_int64(ctx, static_cast<sqlite3_int64>(d));
}

void fnCDbl(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
    if (anyNull(argc, argv)) { sqlite3_result_error(ctx, "Invalid use of Null", -1); return; }
    double d = 0;
    if (!numberArg(ctx, argv[0], d)) return;
    sqlite3_result_double(ctx, d);
}

// Int / Fix / Round: integers stay as they are.
template <int Mode>
void fnRounding(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
    if (anyNull(argc, argv)) { sqlite3_result_null(ctx); return; }
    double places = 0;
    if (argc == 2) {
        if (!numberArg(ctx, argv[1], places)) return;
        places = std::nearbyint(places);
        if (places < 0 || places > 15) { sqlite3_result_error(ctx, "Invalid procedure call or argument", -1); return; }
    }
    if (sqlite3_value_type(argv[0]) == SQLITE_INTEGER) { sqlite3_result_int64(ctx, sqlite3_value_int64(argv[0])); return; }
    double d = 0;
    if (!numberArg(ctx, argv[0], d)) return;
    if (Mode == 0) d = std::floor(d);
    else if (Mode == 1) d = std::trunc(d);
    else {
        const double f = std::pow(10.0, places);
        d = std::nearbyint(d * f) / f;   // halves to the even neighbour
    }
    sqlite3_result_double(ctx, d);
}

// Reads the two operands of an integer operator (\ and Mod): rounded halves
// to even, non-zero divisor, within 64 bits. False after setting the result
// (Null, or an error) when the operator cannot be applied.
bool integerOperands(sqlite3_context* ctx, int argc, sqlite3_value** argv, sqlite3_int64& x, sqlite3_int64& y) {
    if (anyNull(argc, argv)) { sqlite3_result_null(ctx); return false; }
    double a = 0, b = 0;
    if (!numberArg(ctx, argv[0], a) || !numberArg(ctx, argv[1], b)) return false;
    a = roundHalfEven(a);
    b = roundHalfEven(b);
    if (b == 0) { sqlite3_result_error(ctx, "Division by zero", -1); return false; }
    if (std::fabs(a) > 9.2e18 || std::fabs(b) > 9.2e18) { sqlite3_result_error(ctx, "Overflow", -1); return false; }
    x = static_cast<sqlite3_int64>(a);
    y = static_cast<sqlite3_int64>(b);
    return true;
}

void fnIDiv(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
    sqlite3_int64 x = 0, y = 1;
    if (!integerOperands(ctx, argc, argv, x, y)) return;
    if (y == -1) { sqlite3_result_int64(ctx, x == INT64_MIN ? x : -x); return; }
    sqlite3_result_int64(ctx, x / y);
}

void fnMod(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
    sqlite3_int64 x = 0, y = 1;
    if (!integerOperands(ctx, argc, argv, x, y)) return;
    sqlite3_result_int64(ctx, y == -1 ? 0 : x % y);
}

void fnPow(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
    if (anyNull(argc, argv)) { sqlite3_result_null(ctx); return; }
    double a = 0, b = 0;
    if (!numberArg(ctx, argv[0], a) || !numberArg(ctx, argv[1], b)) return;
    double r = std::pow(a, b);
    if (!std::isfinite(r)) { sqlite3_result_error(ctx, "Invalid procedure call or argument", -1); return; }
    sqlite3_result_double(ctx, r);
}

std::string nowText(bool withTime) {
    std::time_t t = std::time(nullptr);
    std::tm tm{};
    localtime_r(&t, &tm);
    char buf[32];
    if (withTime) std::strftime(buf, sizeof buf, "%Y-%m-%d %H:%M:%S", &tm);
    else std::strftime(buf, sizeof buf, "%Y-%m-%d 00:00:00", &tm);
    return buf;
}

void fnNow(sqlite3_context* ctx, int, sqlite3_value**) { resultText(ctx, nowText(true)); }
void fnDate(sqlite3_context* ctx, int, sqlite3_value**) { resultText(ctx, nowText(false)); }

// First / Last aggregates: the value of the first / last row (Null included).
struct FirstLast {
    sqlite3_value* value;
    bool set;
};

template <bool Last>
void aggStep(sqlite3_context* ctx, int, sqlite3_value** argv) {
    auto* st = static_cast<FirstLast*>(sqlite3_aggregate_context(ctx, sizeof(FirstLast)));
    if (!st) { sqlite3_result_error_nomem(ctx); return; }
    if (st->set && !Last) return;
    if (st->value) sqlite3_value_free(st->value);
    st->value = sqlite3_value_dup(argv[0]);
    st->set = true;
}

void aggFinal(sqlite3_context* ctx) {
    auto* st = static_cast<FirstLast*>(sqlite3_aggregate_context(ctx, 0));
    if (!st || !st->value) { sqlite3_result_null(ctx); return; }
    sqlite3_result_value(ctx, st->value);
    sqlite3_value_free(st->value);
    st->value = nullptr;
}

struct Fn {
    const char* name;
    int args;
    void (*f)(sqlite3_context*, int, sqlite3_value**);
    bool deterministic;
};

} // namespace

void registerFunctions(sqlite3* db) {
    // Every name is emitted in double quotes: an unknown one must stay an
    // error ("no such column"), never silently become a text constant.
    sqlite3_db_config(db, SQLITE_DBCONFIG_DQS_DML, 0, nullptr);
    sqlite3_db_config(db, SQLITE_DBCONFIG_DQS_DDL, 0, nullptr);
    sqlite3_create_collation_v2(db, "JETNOCASE", SQLITE_UTF8, nullptr, jetNoCase, nullptr);
    static const Fn fns[] = {
        {"jet_concat", 2, fnConcat, true},
        {"jet_add", 2, fnAdd, true},
        {"jet_like", 2, fnLike, true},
        {"jet_len", 1, fnLen, true},
        {"jet_left", 2, fnLeft, true},
        {"jet_right", 2, fnRight, true},
        {"jet_mid", 2, fnMid, true},
        {"jet_mid", 3, fnMid, true},
        {"jet_ucase", 1, fnText<rt::text::upper>, true},
        {"jet_lcase", 1, fnText<rt::text::lower>, true},
        {"jet_trim", 1, fnText<rt::text::trim>, true},
        {"jet_ltrim", 1, fnText<rt::text::ltrim>, true},
        {"jet_rtrim", 1, fnText<rt::text::rtrim>, true},
        {"jet_instr", 2, fnInstr, true},
        {"jet_instr", 3, fnInstr, true},
        {"jet_val", 1, fnVal, true},
        {"jet_cstr", 1, fnCStr, true},
        {"jet_clng", 1, fnCInteger<-2147483648LL, 2147483647LL>, true},
        {"jet_cint", 1, fnCInteger<-32768LL, 32767LL>, true},
        {"jet_cdbl", 1, fnCDbl, true},
        {"jet_int", 1, fnRounding<0>, true},
        {"jet_fix", 1, fnRounding<1>, true},
        {"jet_round", 1, fnRounding<2>, true},
        {"jet_round", 2, fnRounding<2>, true},
        {"jet_idiv", 2, fnIDiv, true},
        {"jet_mod", 2, fnMod, true},
        {"jet_pow", 2, fnPow, true},
        {"jet_now", 0, fnNow, false},
        {"jet_date", 0, fnDate, false},
    };
    for (const Fn& f : fns)
        sqlite3_create_function_v2(db, f.name, f.args,
                                   SQLITE_UTF8 | (f.deterministic ? SQLITE_DETERMINISTIC : 0), nullptr, f.f,
                                   nullptr, nullptr, nullptr);
    sqlite3_create_function_v2(db, "jet_first", 1, SQLITE_UTF8, nullptr, nullptr, aggStep<false>, aggFinal, nullptr);
    sqlite3_create_function_v2(db, "jet_last", 1, SQLITE_UTF8, nullptr, nullptr, aggStep<true>, aggFinal, nullptr);
}

// ---- connect strings -------------------------------------------------------

ConnectString parseConnect(std::string_view connect) {
    ConnectString out;
    std::size_t i = 0;
    while (i <= connect.size()) {
        std::size_t semi = connect.find(';', i);
        if (semi == std::string_view::npos) semi = connect.size();
        std::string_view part = connect.substr(i, semi - i);
        std::size_t eq = part.find('=');
        if (eq != std::string_view::npos) {
            std::string key(part.substr(0, eq));
            while (!key.empty() && key.front() == ' ') key.erase(key.begin());
            while (!key.empty() && key.back() == ' ') key.pop_back();
            std::string value(part.substr(eq + 1));
            if (rt::text::equalsNoCase(key, "pwd")) out.password = value;
            else if (rt::text::equalsNoCase(key, "database")) {
                out.database = value;
                out.hasDatabase = true;
            }
        }
        i = semi + 1;
    }
    return out;
}

} // namespace engine::sql
