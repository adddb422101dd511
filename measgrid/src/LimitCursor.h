#pragma once
// LimitCursor: the limit cursor of one loading (the rows of 0100_Grenzwert
// of a circuit) together with an index from MessID to the row's bookmark,
// so that finding the limit row of each measurement row costs O(1) instead
// of a scan of the cursor (FindFirst "MessID = n" tests every row in turn,
// which made a loading quadratic in the number of places).
//
// The index is built on the first lookup from a clone of the cursor (the
// cursor's own position is not moved); rows stored through note() join it.
// A hit is checked against the row's current MessID; a row that was
// deleted or changed since falls back to FindFirst, so a lookup finds what
// FindFirst would find among the rows the index knows. When several rows
// carry one MessID, the first one counts, as with FindFirst.
//
// Ownership: holds a reference to the recordset (shared); closes nothing.
#include <memory>
#include <string>
#include <unordered_map>

#include "engine/Recordset.h"
#include "runtime/Regional.h"

namespace measgrid {

class LimitCursor {
public:
    explicit LimitCursor(std::shared_ptr<engine::Recordset> rs) : rs_(std::move(rs)) {}

    engine::Recordset& recordset() { return *rs_; }

    // FindFirst "MessID = " & messId: on a match the cursor stands on the
    // row and true is returned; otherwise the position is unchanged (the
    // engine's NoMatch). A MessID that is not a number goes to FindFirst
    // as text and fails there as it would (3075 for an empty one).
    bool findMessID(const rt::Variant& messId, const rt::Regional& r);

    // Records that the row just stored through the cursor (LastModified)
    // carries messId.
    void note(const rt::Variant& messId, const engine::Bookmark& row);

private:
    void build();
    static bool keyOf(const rt::Variant& v, double& key);

    std::shared_ptr<engine::Recordset> rs_;
    std::unordered_map<double, engine::Bookmark> index_;
    bool built_ = false;
};

} // namespace measgrid
