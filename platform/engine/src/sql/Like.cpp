#include "sql/Like.h"

#include <cstdint>
#include <vector>

#include "runtime/Text.h"

namespace engine::sql {

namespace {

struct Element {
    enum class Kind { Char, Any, Star, Digit, Set } kind = Kind::Char;
    std::uint32_t ch = 0;
    bool negated = false;
    std::vector<std::pair<std::uint32_t, std::uint32_t>> ranges;

    bool matches(std::uint32_t c) const {
        switch (kind) {
        case Kind::Char: return c == ch;
        case Kind::Any: return true;
        case Kind::Digit: return c >= '0' && c <= '9';
        case Kind::Set: {
            bool in = false;
            for (const auto& r : ranges) in = in || (c >= r.first && c <= r.second);
            return in != negated;
        }
        case Kind::Star: return true;
        }
        return false;
    }
};

bool compile(const std::vector<std::uint32_t>& p, std::vector<Element>& out) {
    for (std::size_t i = 0; i < p.size(); ++i) {
        Element e;
        std::uint32_t c = p[i];
        if (c == '*') {
            e.kind = Element::Kind::Star;
            if (!out.empty() && out.back().kind == Element::Kind::Star) continue;
        } else if (c == '?') {
            e.kind = Element::Kind::Any;
        } else if (c == '#') {
            e.kind = Element::Kind::Digit;
        } else if (c == '[') {
            std::size_t j = i + 1;
            e.kind = Element::Kind::Set;
            if (j < p.size() && p[j] == '!') { e.negated = true; ++j; }
            bool closed = false;
            bool firstInSet = true;
            while (j < p.size()) {
                if (p[j] == ']' && !firstInSet) { closed = true; break; }
                if (p[j] == ']' && firstInSet) { closed = true; break; }   // "[]" matches nothing / "[!]" anything
                std::uint32_t lo = p[j], hi = p[j];
                if (j + 2 < p.size() && p[j + 1] == '-' && p[j + 2] != ']') {
                    hi = p[j + 2];
                    j += 3;
                } else {
                    ++j;
                }
                if (lo > hi) return false;   // [z-a] is an invalid pattern
                e.ranges.emplace_back(lo, hi);
                firstInSet = false;
            }
            if (!closed) return false;
            i = j;
            if (e.ranges.empty()) {
                if (!e.negated) {
                    // "[]" is the empty text: contributes nothing.
                    continue;
                }
                e.kind = Element::Kind::Any;   // "[!]" any one character
            }
        } else {
            e.kind = Element::Kind::Char;
            e.ch = c;
        }
        out.push_back(std::move(e));
    }
    return true;
}

} // namespace

bool likeMatch(std::string_view value, std::string_view pattern) {
    std::vector<std::uint32_t> v = rt::text::toCodePoints(value);
    std::vector<std::uint32_t> pc = rt::text::toCodePoints(pattern);
    for (auto& c : v) c = rt::text::upperChar(c);
    for (auto& c : pc) c = rt::text::upperChar(c);
    std::vector<Element> p;
    if (!compile(pc, p)) return false;
    // Greedy match with one backtrack point per star: linear in practice,
    // O(n * m) at worst.
    std::size_t vi = 0, pi = 0;
    std::size_t starP = SIZE_MAX, starV = 0;
    while (vi < v.size()) {
        if (pi < p.size() && p[pi].kind == Element::Kind::Star) {
            starP = pi++;
            starV = vi;
            continue;
        }
        if (pi < p.size() && p[pi].matches(v[vi])) {
            ++pi;
            ++vi;
            continue;
        }
        if (starP == SIZE_MAX) return false;
        pi = starP + 1;
        vi = ++starV;
    }
    while (pi < p.size() && p[pi].kind == Element::Kind::Star) ++pi;
    return pi == p.size();
}

} // namespace engine::sql
