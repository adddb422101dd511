#pragma once
// Hash indexes that answer Find criteria made of "field = constant" terms
// (joined by And) without evaluating the criterion row by row.
//
// FindValue: a value as a criterion compares it through SQLite, after the
// criterion's casts gave the field its column's kind. Null equals nothing;
// numbers (integers, reals, Yes/No as -1 / 0) compare by value, exactly;
// texts compare ignoring case (umlauts included) by the rules of the
// collation JETNOCASE; a number never equals a text. `Other` (dates, binary
// data) is not handled here: a field holding one takes the general path.
//
// ColumnIndex: the rows of one field grouped by the hash of their value,
// each group in ascending row order. Its RowSet builds it over fresh rows,
// keeps it up to date as cells change and rows are added, and trusts it
// for one generation of its cache only. Deleted rows may stay in it
// (callers skip them); a hash group holds candidates that callers confirm
// with findEquals().
#include <cstdint>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace engine::detail {

struct FindValue {
    enum class Kind { Null, Integer, Real, Text, Other };
    Kind kind = Kind::Null;
    std::int64_t i = 0;
    double d = 0;
    std::string_view text;   // valid while the value it was taken from is
};

// Equality as the criterion "a = b" decides it (false when either is Null).
bool findEquals(const FindValue& a, const FindValue& b);
// Equal values (findEquals) have equal hashes. Only for Integer, Real, Text.
std::uint64_t findHash(const FindValue& v);

class ColumnIndex {
public:
    void clear();
    // Adds a row; rows come in ascending order while building.
    void append(std::uint32_t row, std::uint64_t hash) { buckets_[hash].push_back(row); }
    // Adds a row at its place in order / removes it.
    void insert(std::uint32_t row, std::uint64_t hash);
    void remove(std::uint32_t row, std::uint64_t hash);
    // Rows whose value may equal a value of this hash, ascending; nullptr
    // when there are none.
    const std::vector<std::uint32_t>* candidates(std::uint64_t hash) const;

    bool valid = false;        // built and kept up to date
    bool unusable = false;     // the field holds a value of kind Other
    std::uint32_t gen = 0;     // the cache generation it describes

private:
    std::unordered_map<std::uint64_t, std::vector<std::uint32_t>> buckets_;
};

} // namespace engine::detail
