#include "LimitRules.h"

#include <cmath>

#include "runtime/Convert.h"
#include "runtime/Error.h"
#include "runtime/Text.h"

namespace measgrid {

namespace {

bool isNumberChar(std::uint32_t c) { return c >= 40 && c <= 62; }

// First character of a text, or "" for an empty one.
std::string firstChar(std::string_view s) { return rt::text::left(s, 1); }

} // namespace

std::string FaktorErmitteln(std::string_view text) {
    const auto cps = rt::text::toCodePoints(text);
    // Positions below are 1-based, as the rule counts them.
    std::size_t end = 0;
    for (std::size_t i = cps.size(); i >= 1; --i) {
        const auto c = cps[i - 1];
        if (isNumberChar(c) && c != '=' && c != ':') {
            end = i;
            break;
        }
    }
    if (end == 0) return {};
    std::size_t begin = 0;  // position of the first character that is not a number character
    for (std::size_t i = end; i >= 1; --i) {
        if (!isNumberChar(cps[i - 1])) {
            begin = i;
            break;
        }
    }
    return rt::text::mid(text, begin + 1, end - begin);
}

std::string SchleifenGrenzwertRaw(std::string_view limit, const rt::Regional& r) {
    if (limit.empty()) return {};
    const std::string rest = rt::text::mid(limit, 2);
    const auto n = rt::parseNumber(rest, r);
    if (!n || !(*n > 0)) return {};
    const double scaled = 230.0 / *n * 100.0 + 0.5;
    if (!std::isfinite(scaled)) throw rt::overflowError();
    return "<" + rt::numberToText(std::floor(scaled) / 100.0, r);
}

EvalCode GrenzwertVergleichRaw(std::string_view valueIn, std::string_view limitIn, const rt::Regional& r) {
    const std::string v = rt::text::trim(valueIn);
    const std::string g = rt::text::trim(limitIn);
    const std::string p = firstChar(v);
    const std::string q = firstChar(g);
    const auto value = v.empty() ? std::nullopt : rt::parseNumber(v, r);

    if (!value || g.empty()) {
        if ((p == ">" && q == "<") || (p == "<" && q == ">")) return kFails;
        if ((p == ">" && q == ">") || (p == "<" && q == "<")) return kPasses;
        if (v == "o.r." && q == "<") return kFails;
        if (v == "o.r." && q == ">") return kPasses;
        return kNotEvaluable;
    }
    if (q == "<" || q == ">") {
        const auto bound = rt::parseNumber(rt::text::mid(g, 2), r);
        if (bound) {
            if (q == "<") return *value <= *bound ? kPasses : kFails;
            return *value >= *bound ? kPasses : kFails;
        }
    }
    return kNotEvaluable;
}

EvalCode combineEvaluations(EvalCode a, EvalCode b) {
    if (a == kFails || b == kFails) return kFails;
    if (a == kNotEvaluable && b == kNotEvaluable) return kNotEvaluable;
    return kPasses;
}

} // namespace measgrid
