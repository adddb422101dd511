#include "LimitCursor.h"

#include "engine/Errors.h"
#include "runtime/Convert.h"

namespace measgrid {

bool LimitCursor::keyOf(const rt::Variant& v, double& key) {
    switch (v.type()) {
    case rt::VarType::Integer: key = v.integerValue(); return true;
    case rt::VarType::Long: key = v.longValue(); return true;
    case rt::VarType::Double: key = v.doubleValue(); return true;
    default: return false;
    }
}

void LimitCursor::build() {
    built_ = true;
    auto scan = rs_->clone();
    const int messIdField = scan->fields().indexOf("MessID");
    if (messIdField < 0) return;   // FindFirst reports the missing field
    try {
        scan->moveFirst();
    } catch (const rt::Error& e) {
        if (e.number() == engine::err::NoCurrentRecord) return;   // no rows
        throw;
    }
    while (!scan->eof()) {
        double key = 0;
        if (keyOf(scan->value(messIdField), key)) index_.emplace(key, scan->bookmark());
        scan->moveNext();
    }
    scan->close();
}

bool LimitCursor::findMessID(const rt::Variant& messId, const rt::Regional& r) {
    double key = 0;
    if (keyOf(messId, key)) {
        if (!built_) build();
        if (!rs_->fields().contains("MessID")) {
            // Let the engine report it.
        } else {
            auto it = index_.find(key);
            if (it == index_.end()) return false;
            try {
                rs_->setBookmark(it->second);
                double now = 0;
                if (keyOf(rs_->value("MessID"), now) && now == key) return true;
            } catch (const rt::Error& e) {
                if (e.number() != engine::err::RecordDeleted && e.number() != engine::err::NotBookmarkable) throw;
            }
            index_.erase(it);
        }
    }
    rs_->findFirst("MessID = " + rt::textOf(messId, r));
    if (rs_->noMatch()) return false;
    if (keyOf(messId, key)) index_.emplace(key, rs_->bookmark());
    return true;
}

void LimitCursor::note(const rt::Variant& messId, const engine::Bookmark& row) {
    double key = 0;
    if (keyOf(messId, key)) index_.emplace(key, row);
}

} // namespace measgrid
