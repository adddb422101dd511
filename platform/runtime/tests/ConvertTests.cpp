// Conversions under pinned German and English regional settings.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <limits>

#include "runtime/Convert.h"
#include "runtime/Error.h"

using namespace rt;

namespace {

const Regional DE = Regional::german();
const Regional EN = Regional::english();

// Runs f and gives the runtime error number it raised (0 when none).
template <class F>
int errorOf(F f) {
    try {
        f();
    } catch (const Error& e) {
        return e.number();
    }
    return 0;
}

struct ParseCase {
    const char* text;
    bool ok;
    double value;
};

TEST(ParseNumber, German) {
    const ParseCase cases[] = {
        {"14,38", true, 14.38},   {"1.000,5", true, 1000.5}, {"1e3", true, 1000},
        {"1.000", true, 1000},    {"  -2,5  ", true, -2.5},  {"2,5-", true, -2.5},
        {"+7", true, 7},          {",5", true, 0.5},         {"1D2", true, 100},
        {"1,5E-1", true, 0.15},   {"&H1F", true, 31},        {"&hff", true, 255},
        {"&HFFFF", true, -1},     {"&H10000", true, 65536},  {"&O17", true, 15},
        {"0", true, 0},           {"1.5", true, 15},         {"\t3\t", true, 3},
        {"", false, 0},           {"-", false, 0},           {",", false, 0},
        {"abc", false, 0},        {"12abc", false, 0},       {"<5", false, 0},
        {"1e", false, 0},         {"1e+", false, 0},         {"--1", false, 0},
        {"-1-", false, 0},        {"1,2,3", false, 0},       {"1e999", false, 0},
        {"&H", false, 0},         {"&HG", false, 0},         {"&H123456789", false, 0},
        {".5", false, 0},         {"1,5.0", false, 0},       {"1 000", false, 0},
        {"   ", false, 0},        {"o.r.", false, 0},        {">200", false, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        const auto v = parseNumber(c.text, DE);
        ASSERT_EQ(v.has_value(), c.ok);
        if (c.ok) {
            EXPECT_DOUBLE_EQ(*v, c.value);
        }
        EXPECT_EQ(isNumeric(Variant(c.text), DE), c.ok);
    }
}

TEST(ParseNumber, English) {
    const ParseCase cases[] = {
        {"14.38", true, 14.38}, {"1,000.5", true, 1000.5}, {"-0.5", true, -0.5},
        {".5", true, 0.5},      {"1e3", true, 1000},       {"1,5", true, 15},
        {"14,38.", true, 1438}, {"5.", true, 5},           {"1.5.", false, 0},
        {"14;38", false, 0},    {"1.2.3", false, 0},       {"12 34", false, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        const auto v = parseNumber(c.text, EN);
        ASSERT_EQ(v.has_value(), c.ok);
        if (c.ok) {
            EXPECT_DOUBLE_EQ(*v, c.value);
        }
    }
}

TEST(ParseNumber, OtherSeparators) {
    const Regional fr = Regional::fromLocaleName("fr_FR.UTF-8");
    EXPECT_EQ(parseNumber("1 000,5", fr), 1000.5);
    EXPECT_EQ(parseNumber("1\xC2\xA0" "000,5", fr), 1000.5);
    EXPECT_EQ(parseNumber(" -3,25 ", fr), -3.25);
    const Regional ch = Regional::fromLocaleName("de_CH");
    EXPECT_EQ(parseNumber("1'000.25", ch), 1000.25);
}

TEST(IsNumeric, Kinds) {
    EXPECT_TRUE(isNumeric(Variant(), DE));
    EXPECT_TRUE(isNumeric(Variant(std::int16_t{3}), DE));
    EXPECT_TRUE(isNumeric(Variant(2.5), DE));
    EXPECT_TRUE(isNumeric(Variant(true), DE));
    EXPECT_FALSE(isNumeric(Variant::null(), DE));
    EXPECT_FALSE(isNumeric(Variant::date(1), DE));
    EXPECT_FALSE(isNumeric(Variant("x"), DE));
}

struct LongCase {
    Variant v;
    std::int32_t value;  // expected when err == 0
    int err;
};

TEST(ToLong, German) {
    const LongCase cases[] = {
        {Variant(2.5), 2, 0},
        {Variant(3.5), 4, 0},
        {Variant(-2.5), -2, 0},
        {Variant(-3.5), -4, 0},
        {Variant(2.4999), 2, 0},
        {Variant(0.5), 0, 0},
        {Variant(1.5), 2, 0},
        {Variant(-0.5), 0, 0},
        {Variant(2147483647.0), 2147483647, 0},
        {Variant(2147483647.4), 2147483647, 0},
        {Variant(2147483647.5), 0, err::Overflow},
        {Variant(-2147483648.5), -2147483648, 0},
        {Variant(-2147483648.6), 0, err::Overflow},
        {Variant(1e300), 0, err::Overflow},
        {Variant(std::numeric_limits<double>::quiet_NaN()), 0, err::Overflow},
        {Variant("1,5"), 2, 0},
        {Variant("2,5"), 2, 0},
        {Variant("1.000"), 1000, 0},
        {Variant(" 42 "), 42, 0},
        {Variant("&HFFFF"), -1, 0},
        {Variant("abc"), 0, err::TypeMismatch},
        {Variant(""), 0, err::TypeMismatch},
        {Variant::null(), 0, err::InvalidUseOfNull},
        {Variant(), 0, 0},
        {Variant(true), -1, 0},
        {Variant(false), 0, 0},
        {Variant(std::int16_t{-7}), -7, 0},
        {Variant(std::int32_t{123456}), 123456, 0},
        {Variant::date(36526.75), 36527, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(textOf(c.v, DE) + " / " + typeName(c.v.type()));
        std::int32_t got = 0;
        EXPECT_EQ(errorOf([&] { got = toLong(c.v, DE); }), c.err);
        if (c.err == 0) {
            EXPECT_EQ(got, c.value);
        }
    }
}

TEST(ToLong, EnglishTexts) {
    EXPECT_EQ(toLong(Variant("1,5"), EN), 15);
    EXPECT_EQ(toLong(Variant("1.5"), EN), 2);
    EXPECT_EQ(toLong(Variant("1,000.5"), EN), 1000);
    EXPECT_EQ(toLong(Variant("1,001.5"), EN), 1002);
}

TEST(ToInteger, RangeAndRounding) {
    const LongCase cases[] = {
        {Variant(32767.0), 32767, 0},
        {Variant(32767.5), 0, err::Overflow},
        {Variant(-32768.5), -32768, 0},
        {Variant(-32768.6), 0, err::Overflow},
        {Variant(std::int32_t{40000}), 0, err::Overflow},
        {Variant(std::int32_t{-300}), -300, 0},
        {Variant("0,5"), 0, 0},
        {Variant("1,5"), 2, 0},
        {Variant("x"), 0, err::TypeMismatch},
        {Variant::null(), 0, err::InvalidUseOfNull},
        {Variant(true), -1, 0},
        {Variant(), 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(textOf(c.v, DE));
        std::int16_t got = 0;
        EXPECT_EQ(errorOf([&] { got = toInteger(c.v, DE); }), c.err);
        if (c.err == 0) {
            EXPECT_EQ(got, c.value);
        }
    }
}

TEST(ToDoubleBool, Kinds) {
    EXPECT_EQ(toDouble(Variant("14,38"), DE), 14.38);
    EXPECT_EQ(toDouble(Variant("14.38"), EN), 14.38);
    EXPECT_EQ(toDouble(Variant(), DE), 0);
    EXPECT_EQ(toDouble(Variant(true), DE), -1);
    EXPECT_EQ(errorOf([] { toDouble(Variant::null(), DE); }), err::InvalidUseOfNull);
    EXPECT_EQ(errorOf([] { toDouble(Variant("a"), DE); }), err::TypeMismatch);

    EXPECT_TRUE(toBool(Variant("True"), DE));
    EXPECT_TRUE(toBool(Variant(" true "), DE));
    EXPECT_FALSE(toBool(Variant("FALSE"), DE));
    EXPECT_TRUE(toBool(Variant("0,5"), DE));
    EXPECT_FALSE(toBool(Variant("0"), DE));
    EXPECT_FALSE(toBool(Variant(), DE));
    EXPECT_TRUE(toBool(Variant(std::int32_t{2}), DE));
    EXPECT_EQ(errorOf([] { toBool(Variant("ja"), DE); }), err::TypeMismatch);
    EXPECT_EQ(errorOf([] { toBool(Variant::null(), DE); }), err::InvalidUseOfNull);
}

TEST(Val, Cases) {
    const struct {
        const char* text;
        double value;
    } cases[] = {
        {"  12 34.5x", 1234.5}, {"12 S", 12},   {"abc", 0},       {"-3.5e2", -350},
        {"", 0},                {"1,5", 1},     {".5", 0.5},      {"-.5", -0.5},
        {"1e", 1},              {"1e+", 1},     {"2D2", 200},     {"1.2.3", 1.2},
        {"- 5", -5},            {"+5", 5},      {"&H1F", 31},     {"&HFFFF", -1},
        {"&O10", 8},            {"&x", 0},      {"\t7\n8", 78},   {"1E-2", 0.01},
        {"--5", 0},             {"x12", 0},     {"0012", 12},     {"  ", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_DOUBLE_EQ(val(c.text), c.value);
    }
    EXPECT_EQ(errorOf([] { val("1e999"); }), err::Overflow);
    EXPECT_EQ(errorOf([] { val("&H1FFFFFFFF"); }), err::Overflow);
}

TEST(NumberToText, GermanAndEnglish) {
    const struct {
        double v;
        const char* de;
        const char* en;
    } cases[] = {
        {2.88, "2,88", "2.88"},
        {0.5, "0,5", "0.5"},
        {100, "100", "100"},
        {1e16, "1E+16", "1E+16"},
        {1e15, "1E+15", "1E+15"},
        {999999999999999.0, "999999999999999", "999999999999999"},
        {-0.0001, "-0,0001", "-0.0001"},
        {0.00001, "1E-05", "1E-05"},
        {1.5e-7, "1,5E-07", "1.5E-07"},
        {0, "0", "0"},
        {-0.0, "0", "0"},
        {-12.25, "-12,25", "-12.25"},
        {1.0 / 3.0, "0,333333333333333", "0.333333333333333"},
        {2.0 / 3.0, "0,666666666666667", "0.666666666666667"},
        {0.1 + 0.2, "0,3", "0.3"},
        {1234567.0, "1234567", "1234567"},
        {1.23456789012345678e20, "1,23456789012346E+20", "1.23456789012346E+20"},
        {1e-300, "1E-300", "1E-300"},
        {14.38, "14,38", "14.38"},
        {0.99999999999999999, "1", "1"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.en);
        EXPECT_EQ(numberToText(c.v, DE), c.de);
        EXPECT_EQ(numberToText(c.v, EN), c.en);
        // What is written reads back (to 15 digits) under the same settings.
        const auto back = parseNumber(c.de, DE);
        ASSERT_TRUE(back.has_value());
        EXPECT_NEAR(*back, c.v, std::fabs(c.v) * 1e-14);
    }
}

TEST(NumberToText, LoopLimitExample) {
    // The loop resistance limit: Int(230 / 80 * 100 + 0.5) / 100 is written "2,88".
    EXPECT_EQ("<" + numberToText(std::floor(230.0 / 80 * 100 + 0.5) / 100, DE), "<2,88");
    EXPECT_EQ("<" + numberToText(std::floor(230.0 / 16 * 100 + 0.5) / 100, DE), "<14,38");
}

TEST(TextOf, Kinds) {
    EXPECT_EQ(textOf(Variant(), DE), "");
    EXPECT_EQ(textOf(Variant::null(), DE), "");
    EXPECT_EQ(textOf(Variant(std::int16_t{-5}), DE), "-5");
    EXPECT_EQ(textOf(Variant(std::int32_t{70000}), DE), "70000");
    EXPECT_EQ(textOf(Variant(2.5), DE), "2,5");
    EXPECT_EQ(textOf(Variant(2.5), EN), "2.5");
    EXPECT_EQ(textOf(Variant(true), DE), "True");
    EXPECT_EQ(textOf(Variant(false), EN), "False");
    EXPECT_EQ(textOf(Variant("äx"), DE), "äx");
    const double d = dateSerial(2024, 3, 5);
    EXPECT_EQ(textOf(Variant::date(d), DE), "05.03.2024");
    EXPECT_EQ(textOf(Variant::date(d), EN), "03/05/2024");
    EXPECT_EQ(textOf(Variant::date(d + timeSerial(14, 7, 9)), DE), "05.03.2024 14:07:09");
    EXPECT_EQ(textOf(Variant::date(timeSerial(8, 30, 0)), DE), "08:30:00");
    struct Thing : Object {
        std::string typeName() const override { return "Thing"; }
    };
    EXPECT_EQ(errorOf([] { textOf(Variant(std::shared_ptr<Object>(std::make_shared<Thing>())), DE); }),
              err::TypeMismatch);
}

TEST(Compare, NullEmptyNumbersTexts) {
    const struct {
        Variant a, b;
        std::optional<int> de;
    } cases[] = {
        {Variant::null(), Variant(1.0), std::nullopt},
        {Variant(""), Variant::null(), std::nullopt},
        {Variant::null(), Variant::null(), std::nullopt},
        {Variant(), Variant(""), 0},
        {Variant(), Variant(std::int32_t{0}), 0},
        {Variant(), Variant(), 0},
        {Variant(), Variant(0.5), -1},
        {Variant("a"), Variant(), 1},
        {Variant(std::int16_t{2}), Variant(2.0), 0},
        {Variant(std::int32_t{2}), Variant(10.0), -1},
        {Variant(true), Variant(std::int32_t{-1}), 0},
        {Variant(14.38), Variant("14,38"), 0},
        {Variant("14,39"), Variant(14.38), 1},
        {Variant(5.0), Variant("abc"), -1},
        {Variant("abc"), Variant(5.0), 1},
        {Variant("10"), Variant("9"), -1},  // texts compare as texts
        {Variant("a"), Variant("B"), 1},    // binary
        {Variant("Äpfel"), Variant("äpfel"), -1},
        {Variant("x"), Variant("x"), 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(textOf(c.a, DE) + " ? " + textOf(c.b, DE));
        EXPECT_EQ(compare(c.a, c.b, DE), c.de);
        EXPECT_EQ(equals(c.a, c.b, DE), c.de == 0);
    }
    EXPECT_EQ(compare(Variant("ÄRGER"), Variant("ärger"), DE, true), 0);
    EXPECT_TRUE(equals(Variant("ÄRGER"), Variant("ärger"), DE, true));
    EXPECT_EQ(compare(Variant("a"), Variant("B"), DE, true), -1);
    EXPECT_EQ(compare(Variant(14.38), Variant("14.38"), EN), 0);
    EXPECT_FALSE(equals(Variant::null(), Variant::null(), DE));
    EXPECT_EQ(compare(Variant::date(dateSerial(2020, 1, 2)), Variant("02.01.2020"), DE), 0);
}

TEST(Dates, SerialsAndParts) {
    EXPECT_EQ(dateSerial(1899, 12, 30), 0);
    EXPECT_EQ(dateSerial(1900, 1, 1), 2);
    EXPECT_EQ(dateSerial(2000, 1, 1), 36526);
    EXPECT_EQ(dateSerial(2024, 13, 1), dateSerial(2025, 1, 1));
    EXPECT_EQ(dateSerial(2024, 3, 0), dateSerial(2024, 2, 29));
    EXPECT_EQ(dateSerial(2024, 0, 1), dateSerial(2023, 12, 1));
    EXPECT_DOUBLE_EQ(timeSerial(12, 0, 0), 0.5);
    EXPECT_DOUBLE_EQ(timeSerial(6, 0, 0), 0.25);

    const DateParts p = dateParts(dateSerial(2023, 11, 24) + timeSerial(23, 59, 59));
    EXPECT_EQ(p.year, 2023);
    EXPECT_EQ(p.month, 11);
    EXPECT_EQ(p.day, 24);
    EXPECT_EQ(p.hour, 23);
    EXPECT_EQ(p.minute, 59);
    EXPECT_EQ(p.second, 59);
    const DateParts q = dateParts(-1.25);  // 1899-12-29 06:00
    EXPECT_EQ(q.day, 29);
    EXPECT_EQ(q.hour, 6);
    const DateParts last = dateParts(dateSerial(9999, 12, 31));
    EXPECT_EQ(last.year, 9999);
    EXPECT_EQ(errorOf([] { dateParts(1e12); }), err::Overflow);
    EXPECT_EQ(errorOf([] { dateParts(std::nan("")); }), err::Overflow);

    // Round trip over a range of days, leap years included.
    for (int y : {100, 1600, 1899, 1900, 2000, 2024, 2100, 9999})
        for (int m = 1; m <= 12; ++m) {
            const DateParts r = dateParts(dateSerial(y, m, 28));
            EXPECT_EQ(r.year, y);
            EXPECT_EQ(r.month, m);
            EXPECT_EQ(r.day, 28);
        }
}

TEST(Dates, ShortTextAndParse) {
    const double d = dateSerial(2024, 3, 5);
    EXPECT_EQ(shortDateText(d, DE), "05.03.2024");
    EXPECT_EQ(shortDateText(d, EN), "03/05/2024");
    EXPECT_EQ(shortDateText(d, Regional::fromLocaleName("en_GB")), "05/03/2024");
    Regional shortForm = DE;
    shortForm.shortDate = "d.M.yy";
    EXPECT_EQ(shortDateText(d, shortForm), "5.3.24");

    const struct {
        const char* text;
        const Regional* r;
        std::optional<double> serial;
    } cases[] = {
        {"05.03.2024", &DE, d},
        {"5.3.2024", &DE, d},
        {"5.3.24", &DE, d},
        {" 05.03.2024 ", &DE, d},
        {"03/05/2024", &EN, d},
        {"2024-03-05", &DE, d},
        {"2024-03-05", &EN, d},
        {"05.03.2024 12:00", &DE, d + 0.5},
        {"2024-03-05 06:00:00", &EN, d + 0.25},
        {"2024-03-05T06:00", &EN, d + 0.25},
        {"12:00", &DE, 0.5},
        {"01.01.99", &DE, dateSerial(1999, 1, 1)},
        {"29.02.2024", &DE, dateSerial(2024, 2, 29)},
        {"29.02.2023", &DE, std::nullopt},
        {"31.04.2024", &DE, std::nullopt},
        {"13/01/2024", &EN, std::nullopt},
        {"05.03.", &DE, std::nullopt},
        {"", &DE, std::nullopt},
        {"abc", &DE, std::nullopt},
        {"05.03.2024 25:00", &DE, std::nullopt},
        {"05.03.2024 ", &DE, d},
        {"1.2.3.4", &DE, std::nullopt},
        {"123.03.2024", &DE, std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(parseDate(c.text, *c.r), c.serial);
    }
}

TEST(Regional, Presets) {
    EXPECT_EQ(DE.decimal, ",");
    EXPECT_EQ(DE.grouping, ".");
    EXPECT_EQ(DE.shortDate, "dd.MM.yyyy");
    EXPECT_EQ(DE.trueText, "True");
    EXPECT_EQ(DE.falseText, "False");
    EXPECT_EQ(EN.decimal, ".");
    EXPECT_EQ(EN.grouping, ",");
    EXPECT_EQ(EN.shortDate, "MM/dd/yyyy");
}

TEST(Regional, FromLocaleName) {
    const struct {
        const char* name;
        const char* decimal;
        const char* grouping;
        const char* shortDate;
    } cases[] = {
        {"de_DE.UTF-8", ",", ".", "dd.MM.yyyy"},
        {"de_AT", ",", ".", "dd.MM.yyyy"},
        {"de-DE", ",", ".", "dd.MM.yyyy"},
        {"de_CH.UTF-8", ".", "'", "dd.MM.yyyy"},
        {"en_GB.UTF-8", ".", ",", "dd/MM/yyyy"},
        {"en_US.UTF-8", ".", ",", "MM/dd/yyyy"},
        {"en", ".", ",", "MM/dd/yyyy"},
        {"fr_FR.UTF-8@euro", ",", " ", "dd/MM/yyyy"},
        {"it_IT", ",", ".", "dd/MM/yyyy"},
        {"es_ES", ",", ".", "dd/MM/yyyy"},
        {"nl_NL", ",", ".", "dd-MM-yyyy"},
        {"pl_PL", ",", " ", "dd.MM.yyyy"},
        {"cs_CZ", ",", " ", "dd.MM.yyyy"},
        {"sv_SE", ",", " ", "yyyy-MM-dd"},
        {"C", ".", ",", "MM/dd/yyyy"},
        {"POSIX", ".", ",", "MM/dd/yyyy"},
        {"C.UTF-8", ".", ",", "MM/dd/yyyy"},
        {"", ".", ",", "MM/dd/yyyy"},
        {"xx_YY", ".", ",", "MM/dd/yyyy"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const Regional r = Regional::fromLocaleName(c.name);
        EXPECT_EQ(r.decimal, c.decimal);
        EXPECT_EQ(r.grouping, c.grouping);
        EXPECT_EQ(r.shortDate, c.shortDate);
        EXPECT_EQ(r.trueText, "True");
    }
}

// Sets environment variables for one scope and restores them after.
class EnvGuard {
public:
    explicit EnvGuard(std::initializer_list<std::pair<const char*, const char*>> vars) {
        for (auto& [k, v] : vars) {
            const char* old = std::getenv(k);
            saved_.push_back({k, old ? std::optional<std::string>(old) : std::nullopt});
            if (v) setenv(k, v, 1);
            else unsetenv(k);
        }
    }
    ~EnvGuard() {
        for (auto& [k, v] : saved_) {
            if (v) setenv(k.c_str(), v->c_str(), 1);
            else unsetenv(k.c_str());
        }
    }

private:
    std::vector<std::pair<std::string, std::optional<std::string>>> saved_;
};

TEST(Regional, FromEnvironment) {
    {
        EnvGuard g({{"LC_ALL", "de_DE.UTF-8"}, {"LC_NUMERIC", "en_US.UTF-8"}, {"LC_TIME", "en_US"}, {"LANG", "C"}});
        const Regional r = Regional::fromEnvironment();
        EXPECT_EQ(r.decimal, ",");
        EXPECT_EQ(r.shortDate, "dd.MM.yyyy");
    }
    {
        EnvGuard g({{"LC_ALL", ""}, {"LC_NUMERIC", "de_DE.UTF-8"}, {"LC_TIME", "en_GB"}, {"LANG", "C"}});
        const Regional r = Regional::fromEnvironment();
        EXPECT_EQ(r.decimal, ",");
        EXPECT_EQ(r.grouping, ".");
        EXPECT_EQ(r.shortDate, "dd/MM/yyyy");
    }
    {
        EnvGuard g({{"LC_ALL", nullptr}, {"LC_NUMERIC", nullptr}, {"LC_TIME", nullptr}, {"LANG", "de_AT.UTF-8"}});
        const Regional r = Regional::fromEnvironment();
        EXPECT_EQ(r.decimal, ",");
        EXPECT_EQ(r.shortDate, "dd.MM.yyyy");
    }
    {
        EnvGuard g({{"LC_ALL", nullptr}, {"LC_NUMERIC", nullptr}, {"LC_TIME", nullptr}, {"LANG", nullptr}});
        const Regional r = Regional::fromEnvironment();
        EXPECT_EQ(r.decimal, ".");
        EXPECT_EQ(r.shortDate, "MM/dd/yyyy");
    }
}

} // namespace

namespace {

// Random texts from pieces that matter to the readers: nothing crashes, every
// failure is a runtime Error, and what parseNumber reads numberToText writes
// back readably.
TEST(Robustness, RandomTexts) {
    const char* pieces[] = {"0", "1", "9", "5", ".", ",", "-", "+", " ", "\t", "e", "E", "D", "&", "H",
                            "O", "F", ":", "/", "T", "x", "ä", "\xFC", "\xE2\x82", "\x80", "'", "\xC2\xA0"};
    const std::size_t n = sizeof pieces / sizeof pieces[0];
    std::uint32_t seed = 12345;
    auto next = [&] {
        seed = seed * 1664525u + 1013904223u;
        return seed >> 8;
    };
    const Regional settings[] = {DE, EN, Regional::fromLocaleName("fr_FR"), Regional::fromLocaleName("de_CH")};
    int numbers = 0, dates = 0;
    for (int round = 0; round < 20000; ++round) {
        std::string s;
        const std::size_t count = next() % 10;
        for (std::size_t k = 0; k < count; ++k) s += pieces[next() % n];
        SCOPED_TRACE(s);
        for (const Regional& r : settings) {
            if (auto v = parseNumber(s, r)) {
                ++numbers;
                ASSERT_TRUE(std::isfinite(*v));
                const auto back = parseNumber(numberToText(*v, r), r);
                ASSERT_TRUE(back.has_value()) << numberToText(*v, r);
                EXPECT_NEAR(*back, *v, std::fabs(*v) * 1e-14);
            }
            if (auto d = parseDate(s, r)) {
                ++dates;
                const std::string t = textOf(Variant::date(*d), r);
                EXPECT_FALSE(t.empty());
            }
            try {
                (void)toLong(Variant(s), r);
            } catch (const Error& e) {
                EXPECT_TRUE(e.number() == err::TypeMismatch || e.number() == err::Overflow);
            }
        }
        try {
            (void)val(s);
        } catch (const Error& e) {
            EXPECT_EQ(e.number(), err::Overflow);
        }
    }
    EXPECT_GT(numbers, 1000);  // the pieces make enough real numbers
}

} // namespace
