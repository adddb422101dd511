#include <gtest/gtest.h>

#include "hosting/VariantLiteral.h"
#include "runtime/Error.h"

using hosting::formatLiteral;
using hosting::parseLiteral;

TEST(Literal, EveryKindRoundTrips) {
    const std::vector<rt::Variant> values{
        rt::Variant(), rt::Variant::null(), rt::Variant(std::shared_ptr<rt::Object>()),
        rt::Variant(true), rt::Variant(false), rt::Variant(std::int16_t(-32768)),
        rt::Variant(std::int32_t(2147483647)), rt::Variant(0.1), rt::Variant(2.0), rt::Variant(-1e300),
        rt::Variant("tab\there \"quoted\" back\\slash\nline ü€"), rt::Variant(""),
        rt::Variant::date(45322.0), rt::Variant::date(45322.5)};
    for (const auto& v : values) {
        const std::string text = formatLiteral(v);
        const rt::Variant back = parseLiteral(text);
        EXPECT_TRUE(back.identical(v) || (v.isObject() && back.isObject() && !back.objectValue())) << text;
    }
}

TEST(Literal, ReadsTheDocumentedForms) {
    struct Case { const char* text; rt::VarType type; const char* shown; };
    const Case cases[] = {
        {"42", rt::VarType::Long, "42"},          {"42%", rt::VarType::Integer, "42%"},
        {"42&", rt::VarType::Long, "42"},         {"-7", rt::VarType::Long, "-7"},
        {"3000000000", rt::VarType::Double, "3000000000#"}, {"2#", rt::VarType::Double, "2#"},
        {"1.5", rt::VarType::Double, "1.5"},      {"1E+20", rt::VarType::Double, "1E+20"},
        {" true ", rt::VarType::Boolean, "True"}, {"NULL", rt::VarType::Null, "Null"},
        {"#2024-01-31 14:05:00#", rt::VarType::Date, "#2024-01-31 14:05:00#"},
        {"\"a\\x41\"", rt::VarType::String, "\"aA\""},
    };
    for (const auto& c : cases) {
        const rt::Variant v = parseLiteral(c.text);
        EXPECT_EQ(v.type(), c.type) << c.text;
        EXPECT_EQ(formatLiteral(v), c.shown) << c.text;
    }
}

TEST(Literal, RejectsWhatIsNoLiteral) {
    for (const char* bad : {"", "abc", "\"open", "12abc", "1 2", "#2024-02-30#", "\"bad \\q\"", "--1"}) {
        try {
            parseLiteral(bad);
            ADD_FAILURE() << "accepted: " << bad;
        } catch (const rt::Error& e) {
            EXPECT_EQ(e.number(), 13) << bad;
        }
    }
    EXPECT_THROW(parseLiteral("40000%"), rt::Error);
}

TEST(Literal, ScanTakesOneLiteralFromALine) {
    rt::Variant v;
    const std::string_view line = "  \"a b\" 5";
    const std::size_t n = hosting::scanLiteral(line, v);
    EXPECT_EQ(n, 7u);
    EXPECT_EQ(v.stringValue(), "a b");
    EXPECT_EQ(hosting::scanLiteral(line.substr(n), v), 2u);
    EXPECT_EQ(v.longValue(), 5);
}
