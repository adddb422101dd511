#pragma once
// Axis: the columns (or the rows) of a grid seen along one direction: how
// many there are, how many of them are fixed, the size of each in twips
// (0 = hidden), and the first non-fixed one that is scrolled into view
// (LeftCol / TopRow).
//
// Positions are relative to the grid's visible area: fixed entries start at
// 0 and never move; the non-fixed entries follow the fixed ones starting
// with first(), so an entry scrolled away before first() has a position
// inside (or before) the fixed area, and may be negative.
//
// Index checks are the caller's business: members taking an index expect
// 0 <= index < count() (insert: <= count()). Sizes are never negative.
#include <cstdint>
#include <vector>

namespace grid {

class Axis {
public:
    explicit Axis(int defaultSize) : defaultSize_(defaultSize) { prefix_.push_back(0); }

    int count() const { return static_cast<int>(sizes_.size()); }
    // Drops entries at the end, or adds entries of the default size.
    void setCount(int n);
    void insert(int index);
    void erase(int index);

    int fixed() const { return fixed_; }
    void setFixed(int n);   // 0 <= n <= count()

    int defaultSize() const { return defaultSize_; }
    int size(int i) const { return sizes_[static_cast<std::size_t>(i)]; }
    // A negative size resets the entry to the default size.
    void setSize(int i, int size);

    // First non-fixed entry in view; fixed() when there is none.
    int first() const { return first_; }
    void setFirst(int i) { first_ = i; }

    // Sum of the sizes of entries from .. to - 1.
    std::int64_t span(int from, int to) const;
    std::int64_t fixedExtent() const { return span(0, fixed_); }
    // Leading edge of entry i in the visible area.
    std::int64_t pos(int i) const;
    // The entry under coordinate x of the visible area (hidden entries are
    // never hit), or -1 when x lies before 0 or after the last entry.
    int hit(std::int64_t x) const;

    // The largest first() that still fills a visible area of the given
    // extent (counting the fixed area), so that the last entry ends at its
    // far edge; count() - 1 when the area is empty or too small.
    int maxFirst(std::int64_t extent) const;
    // The first() that makes entry i fully visible in an area of the given
    // extent with the least movement (entry i first when it is larger than
    // the area); first() itself for fixed entries and entries already in view.
    int firstToShow(int i, std::int64_t extent) const;
    // The number of non-fixed entries from first() that fit fully into the
    // area; at least 1.
    int pageSize(std::int64_t extent) const;

private:
    void rebuild() const;
    const std::vector<std::int64_t>& prefix() const;

    int defaultSize_;
    int fixed_ = 0;
    int first_ = 0;
    std::vector<std::int32_t> sizes_;
    // prefix_[i] = sum of sizes_[0 .. i); rebuilt lazily after a change.
    mutable std::vector<std::int64_t> prefix_;
    mutable bool dirty_ = false;
};

} // namespace grid
