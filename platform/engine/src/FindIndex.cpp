#include "FindIndex.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "runtime/Text.h"

namespace engine::detail {

namespace {

using Kind = FindValue::Kind;

bool isNumber(Kind k) { return k == Kind::Integer || k == Kind::Real; }

// An integer and a real are equal when the real is that whole number.
bool integerEqualsReal(std::int64_t i, double d) {
    if (!(d >= -9223372036854775808.0 && d < 9223372036854775808.0)) return false;
    if (d != std::floor(d)) return false;
    return static_cast<std::int64_t>(d) == i;
}

std::uint64_t mix(std::uint64_t h, std::uint64_t x) {
    h ^= x + 0x9e3779b97f4a7c15ULL + (h << 6) + (h >> 2);
    return h;
}

} // namespace

bool findEquals(const FindValue& a, const FindValue& b) {
    if (isNumber(a.kind) && isNumber(b.kind)) {
        if (a.kind == Kind::Integer && b.kind == Kind::Integer) return a.i == b.i;
        if (a.kind == Kind::Real && b.kind == Kind::Real) return a.d == b.d;
        return a.kind == Kind::Integer ? integerEqualsReal(a.i, b.d) : integerEqualsReal(b.i, a.d);
    }
    if (a.kind == Kind::Text && b.kind == Kind::Text) return rt::text::equalsNoCase(a.text, b.text);
    return false;
}

std::uint64_t findHash(const FindValue& v) {
    if (isNumber(v.kind)) {
        // Whole numbers hash as their real value, so 12 and 12.0 meet;
        // integers too large for a real share a group and are told apart
        // by findEquals().
        double d = v.kind == Kind::Integer ? static_cast<double>(v.i) : v.d;
        if (d == 0) d = 0;   // -0.0
        std::uint64_t bits = 0;
        std::memcpy(&bits, &d, sizeof bits);
        return mix(0x6e756dULL, bits);
    }
    // Texts: the upper-case code points, as the collation compares them.
    std::uint64_t h = 0x747874ULL;
    const std::string_view s = v.text;
    std::size_t i = 0;
    for (; i < s.size(); ++i) {
        unsigned char c = static_cast<unsigned char>(s[i]);
        if (c & 0x80) break;
        if (c >= 'a' && c <= 'z') c = static_cast<unsigned char>(c - 32);
        h = mix(h, c);
    }
    if (i < s.size())
        for (std::uint32_t cp : rt::text::toCodePoints(s.substr(i))) h = mix(h, rt::text::upperChar(cp));
    return h;
}

void ColumnIndex::clear() {
    buckets_.clear();
    valid = false;
    unusable = false;
}

void ColumnIndex::insert(std::uint32_t row, std::uint64_t hash) {
    auto& rows = buckets_[hash];
    rows.insert(std::lower_bound(rows.begin(), rows.end(), row), row);
}

void ColumnIndex::remove(std::uint32_t row, std::uint64_t hash) {
    auto it = buckets_.find(hash);
    if (it == buckets_.end()) return;
    auto& rows = it->second;
    auto at = std::lower_bound(rows.begin(), rows.end(), row);
    if (at != rows.end() && *at == row) rows.erase(at);
    if (rows.empty()) buckets_.erase(it);
}

const std::vector<std::uint32_t>* ColumnIndex::candidates(std::uint64_t hash) const {
    auto it = buckets_.find(hash);
    return it == buckets_.end() ? nullptr : &it->second;
}

} // namespace engine::detail
