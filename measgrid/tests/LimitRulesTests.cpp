#include <gtest/gtest.h>

#include "LimitRules.h"
#include "runtime/Error.h"

using namespace measgrid;

namespace {

struct CompareCase {
    const char* value;
    const char* limit;
    EvalCode expected;
};

// German regional settings: decimal comma.
const CompareCase kGermanCases[] = {
    {"14,38", "<14,38", kPasses},  {"14,39", "<14,38", kFails},
    {"1", ">1", kPasses},          {"0,99", ">1", kFails},
    {" 1,5 ", " <2 ", kPasses},    {"1.000", "<999", kFails},   // grouping separator
    {"12", "", kNotEvaluable},     {"12", "<", kNotEvaluable},
    {"12", "<abc", kNotEvaluable}, {"12", "14", kNotEvaluable},
    {"", "<5", kNotEvaluable},     {"abc", "<5", kNotEvaluable},
    {">200", ">1", kPasses},       {">200", "<1", kFails},
    {"<0,01", ">0,5", kFails},     {"<0,01", "<0,5", kPasses},
    {"o.r.", "<3", kFails},        {"o.r.", ">1", kPasses},
    {"o.r.", "", kNotEvaluable},   {"O.R.", "<3", kNotEvaluable},  // exact text only
    {"-1", ">-2", kPasses},        {"1e3", "<999", kFails},
};

TEST(GrenzwertVergleich, GermanSettings) {
    const auto de = rt::Regional::german();
    for (const auto& c : kGermanCases)
        EXPECT_EQ(GrenzwertVergleichRaw(c.value, c.limit, de), c.expected) << c.value << " vs " << c.limit;
}

TEST(GrenzwertVergleich, EnglishSettingsReadTheDecimalPoint) {
    const auto en = rt::Regional::english();
    const CompareCase cases[] = {
        {"14.38", "<14.38", kPasses}, {"14.39", "<14.38", kFails},
        {"0.99", ">1", kFails},       {"1,000", "<999", kFails},
        {"14,39", "<14.38", kFails},  // "14,39" reads as 1439 with "," grouping
    };
    for (const auto& c : cases)
        EXPECT_EQ(GrenzwertVergleichRaw(c.value, c.limit, en), c.expected) << c.value << " vs " << c.limit;
}

TEST(FaktorErmitteln, TakesTheNumericExpressionAtTheEnd) {
    const std::pair<const char*, const char*> cases[] = {
        {"x1", "1"}, {"x1/2", "1/2"}, {"x5 S", "5"}, {"S", ""}, {"", ""},
        {"x1/2 S", "1/2"}, {"2", "2"}, {"x0,5", "0,5"}, {"a=1:", "=1"},
        {"Faktor ü 5", "5"}, {"x(1+1)", "(1+1)"},
    };
    for (const auto& [in, out] : cases) EXPECT_EQ(FaktorErmitteln(in), out) << in;
}

TEST(SchleifenGrenzwert, DerivesTheLoopResistanceLimit) {
    const auto de = rt::Regional::german();
    const std::pair<const char*, const char*> cases[] = {
        {">80", "<2,88"}, {"B16", "<14,38"}, {">0", ""}, {"", ""}, {">", ""},
        {">-5", ""}, {">abc", ""}, {">160", "<1,44"}, {">1000", "<0,23"},
    };
    for (const auto& [in, out] : cases) EXPECT_EQ(SchleifenGrenzwertRaw(in, de), out) << in;
    EXPECT_EQ(SchleifenGrenzwertRaw(">80", rt::Regional::english()), "<2.88");
}

TEST(SchleifenGrenzwert, OverflowIsAnError) {
    try {
        SchleifenGrenzwertRaw(">1E-320", rt::Regional::english());
        FAIL() << "expected overflow";
    } catch (const rt::Error& e) {
        EXPECT_EQ(e.number(), 6);
    }
}

TEST(CombineEvaluations, FailureWinsAndTwoUnknownsStayUnknown) {
    EXPECT_EQ(combineEvaluations(kFails, kNotEvaluable), kFails);
    EXPECT_EQ(combineEvaluations(kPasses, kFails), kFails);
    EXPECT_EQ(combineEvaluations(kNotEvaluable, kNotEvaluable), kNotEvaluable);
    EXPECT_EQ(combineEvaluations(kNotEvaluable, kPasses), kPasses);
}

} // namespace
