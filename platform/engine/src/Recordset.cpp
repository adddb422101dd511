#include "engine/Recordset.h"

#include <algorithm>
#include <limits>

#include "RecordsetData.h"
#include "Values.h"
#include "engine/Errors.h"

namespace engine {

using detail::RowSet;
using At = RecordsetData::At;

namespace {

constexpr std::size_t kNone = std::numeric_limits<std::size_t>::max();

RowSet& rowsOf(const RecordsetData& d) {
    if (!d.open || !d.rows) throw err::make(err::ObjectInvalid);
    d.rows->conn->checkOpen();
    return *d.rows;
}

void dropEdit(RecordsetData& d) {
    if (d.mode == EditMode::InProgress && d.rows && d.rows->conn->isOpen())
        d.rows->conn->endWrite(d.writeScope, false);
    d.mode = EditMode::None;
    d.writeScope = 0;
    d.buffer.clear();
    d.changed.clear();
}

void arrive(RecordsetData& d, std::size_t row) {
    dropEdit(d);
    d.at = At::Row;
    d.pos = row;
    d.checkedArrival = false;
    if (row + 1 > d.rows->highWater) d.rows->highWater = row + 1;
}

// Stands on `row`, or past the end (`end`: Eof or Bof) when it is kNone.
void arriveOr(RecordsetData& d, std::size_t row, At end) {
    if (row != kNone) return arrive(d, row);
    dropEdit(d);
    d.at = end;
    if (end == At::Eof) d.rows->highWater = d.rows->size();
}

std::size_t nextLive(const RowSet& r, std::size_t from) {   // first live index >= from
    for (std::size_t i = from; i < r.size(); ++i)
        if (!r.deleted[i]) return i;
    return kNone;
}

std::size_t prevLive(const RowSet& r, std::size_t from) {   // last live index <= from
    for (std::size_t i = from + 1; i-- > 0;)
        if (i < r.size() && !r.deleted[i]) return i;
    return kNone;
}

// The current row, fresh; 3021 without one, 3167 when it is gone.
std::size_t currentRow(RecordsetData& d) {
    RowSet& r = rowsOf(d);
    if (d.at != At::Row) throw err::make(err::NoCurrentRecord);
    if (r.deleted[d.pos]) throw err::make(err::RecordDeleted);
    r.checkOwnChanges();
    if (!d.checkedArrival) {
        r.checkAllChanges();
        d.checkedArrival = true;
    }
    if (!r.refreshRow(d.pos)) throw err::make(err::RecordDeleted);
    return d.pos;
}

Bookmark bookmarkOf(const RowSet& r, std::size_t row) { return Bookmark{r.keys[row], true}; }

void requireUpdatable(const RowSet& r) {
    if (!r.updatable) throw err::make(err::ReadOnly);
}

std::size_t liveCount(const RowSet& r) { return r.size() - r.deletedCount; }

} // namespace

// ---- Field / Fields -------------------------------------------------------------

const std::string& Field::name() const { return rowsOf(rs_->data()).cols.at(std::size_t(index_)).name; }
FieldType Field::type() const { return rowsOf(rs_->data()).cols.at(std::size_t(index_)).type; }
int Field::size() const { return rowsOf(rs_->data()).cols.at(std::size_t(index_)).size; }
int Field::ordinalPosition() const { return rowsOf(rs_->data()).cols.at(std::size_t(index_)).ordinal; }
bool Field::updatable() const {
    const RowSet& r = rowsOf(rs_->data());
    return r.updatable && r.cols.at(std::size_t(index_)).writable();
}

rt::Variant Field::value() const {
    RecordsetData& d = rs_->data();
    RowSet& r = rowsOf(d);
    std::size_t i = std::size_t(index_);
    if (d.mode != EditMode::None) return d.buffer[i];
    std::size_t row = currentRow(d);
    return r.cell(row, i);
}

void Field::setValue(const rt::Variant& v) {
    RecordsetData& d = rs_->data();
    RowSet& r = rowsOf(d);
    std::size_t i = std::size_t(index_);
    if (d.mode == EditMode::None) throw err::make(err::UpdateWithoutEdit);
    requireUpdatable(r);
    const auto& c = r.cols[i];
    if (!c.writable()) throw err::make(err::FieldNotUpdatable);
    rt::Variant value = detail::coerceForField(v, c.type, c.size, r.conn->regional);
    // A base column reachable under two names ("T.C" and "C") shows the value
    // under both and is written once.
    for (std::size_t j = 0; j < r.ncols(); ++j) {
        if (j == i || r.cols[j].baseName != c.baseName) continue;
        d.buffer[j] = value;
        d.changed[j] = 0;
    }
    d.buffer[i] = std::move(value);
    d.changed[i] = 1;
}

int Fields::count() const { return int(rowsOf(rs_.data()).ncols()); }

Field Fields::operator[](int index) const {
    if (index < 0 || index >= count()) throw err::make(err::ItemNotFound);
    return Field(rs_, index);
}

Field Fields::operator[](const std::string& name) const {
    int i = indexOf(name);
    if (i < 0) throw err::make(err::ItemNotFound);
    return Field(rs_, i);
}

bool Fields::contains(const std::string& name) const { return indexOf(name) >= 0; }
int Fields::indexOf(const std::string& name) const { return rowsOf(rs_.data()).fieldIndex(name); }

// ---- Recordset ----------------------------------------------------------------------

Recordset::Recordset(std::shared_ptr<RecordsetData> data) : d_(std::move(data)), fields_(*this) {}

Recordset::~Recordset() {
    try {
        if (d_) dropEdit(*d_);
    } catch (...) {
    }
}

const std::string& Recordset::name() const { return rowsOf(*d_).name; }
RecordsetType Recordset::type() const { return rowsOf(*d_).type; }
bool Recordset::updatable() const { return rowsOf(*d_).updatable; }

bool Recordset::eof() const {
    const RowSet& r = rowsOf(*d_);
    return d_->at == At::Eof || d_->at == At::None || liveCount(r) == 0;
}

bool Recordset::bof() const {
    const RowSet& r = rowsOf(*d_);
    return d_->at == At::Bof || d_->at == At::None || liveCount(r) == 0;
}

void Recordset::moveFirst() {
    RowSet& r = rowsOf(*d_);
    arriveOr(*d_, nextLive(r, 0), At::Eof);
}

void Recordset::moveLast() {
    RowSet& r = rowsOf(*d_);
    r.highWater = r.size();
    arriveOr(*d_, r.size() ? prevLive(r, r.size() - 1) : kNone, At::Eof);
}

void Recordset::moveNext() {
    RowSet& r = rowsOf(*d_);
    if (d_->at == At::Eof || (d_->at == At::None && liveCount(r) == 0)) throw err::make(err::NoCurrentRecord);
    arriveOr(*d_, nextLive(r, d_->at == At::Row ? d_->pos + 1 : 0), At::Eof);
}

void Recordset::movePrevious() {
    RowSet& r = rowsOf(*d_);
    if (d_->at == At::Bof || (d_->at == At::None && liveCount(r) == 0)) throw err::make(err::NoCurrentRecord);
    std::size_t i = kNone;
    if (d_->at == At::Row) i = d_->pos == 0 ? kNone : prevLive(r, d_->pos - 1);
    else if (r.size()) i = prevLive(r, r.size() - 1);
    arriveOr(*d_, i, At::Bof);
}

void Recordset::move(long rows) {
    RowSet& r = rowsOf(*d_);
    if (rows == 0) {
        currentRow(*d_);
        r.checkAllChanges();
        r.refreshRow(d_->pos);
        return;
    }
    if (d_->at != At::Row && d_->at != At::Bof && d_->at != At::Eof && liveCount(r) > 0)
        throw err::make(err::NoCurrentRecord);
    if (rows > 0) {
        if (d_->at == At::Eof) throw err::make(err::NoCurrentRecord);
        std::size_t i = d_->at == At::Row ? d_->pos : kNone;
        for (long k = 0; k < rows; ++k) {
            i = nextLive(r, i == kNone ? 0 : i + 1);
            if (i == kNone) break;
        }
        if (i == kNone) {
            dropEdit(*d_);
            d_->at = At::Eof;
            r.highWater = r.size();
            return;
        }
        arrive(*d_, i);
    } else {
        if (d_->at == At::Bof) throw err::make(err::NoCurrentRecord);
        std::size_t i = d_->at == At::Row ? d_->pos : r.size();
        for (long k = 0; k < -rows; ++k) {
            i = i == 0 ? kNone : prevLive(r, i - 1);
            if (i == kNone) break;
        }
        if (i == kNone) {
            dropEdit(*d_);
            d_->at = At::Bof;
            return;
        }
        arrive(*d_, i);
    }
}

long Recordset::recordCount() const {
    const RowSet& r = rowsOf(*d_);
    if (r.complete || r.highWater >= r.firstAdded) return long(liveCount(r));
    std::size_t n = 0;
    for (std::size_t i = 0; i < r.highWater; ++i) n += r.deleted[i] ? 0 : 1;
    for (std::size_t i = r.firstAdded; i < r.size(); ++i) n += r.deleted[i] ? 0 : 1;
    return long(n);
}

long Recordset::absolutePosition() const {
    const RowSet& r = rowsOf(*d_);
    if (d_->at != At::Row || r.deleted[d_->pos]) return -1;
    return long(r.liveBefore(d_->pos));
}

void Recordset::setAbsolutePosition(long pos) {
    RowSet& r = rowsOf(*d_);
    if (pos < 0 || std::size_t(pos) >= liveCount(r)) throw err::make(err::InvalidArgument);
    std::size_t seen = 0;
    for (std::size_t i = 0; i < r.size(); ++i) {
        if (r.deleted[i]) continue;
        if (seen == std::size_t(pos)) {
            arrive(*d_, i);
            return;
        }
        ++seen;
    }
    throw err::make(err::InvalidArgument);
}

Bookmark Recordset::bookmark() const {
    const RowSet& r = rowsOf(*d_);
    if (d_->at != At::Row) throw err::make(err::NoCurrentRecord);
    return bookmarkOf(r, d_->pos);
}

void Recordset::setBookmark(const Bookmark& b) {
    RowSet& r = rowsOf(*d_);
    if (!b.valid) throw err::make(err::NotBookmarkable);
    std::size_t i = r.indexOfKey(b.key);
    if (i == kNone) throw err::make(err::NotBookmarkable);
    if (r.deleted[i]) throw err::make(err::RecordDeleted);
    arrive(*d_, i);
}

Bookmark Recordset::lastModified() const {
    rowsOf(*d_);
    if (!d_->lastModified.valid) throw err::make(err::NoCurrentRecord);
    return d_->lastModified;
}

// ---- Find ------------------------------------------------------------------------------

namespace {

enum class Dir { First, Last, Next, Previous };

RowSet::Criterion& criterionFor(RowSet& r, const std::string& criteria) {
    auto it = r.criteria.find(criteria);
    if (it != r.criteria.end()) return *it->second;
    std::vector<std::string> names;
    std::vector<sql::FieldAffinity> affinities;
    names.reserve(r.cols.size());
    for (std::size_t i = 0; i < r.cols.size(); ++i) {
        names.push_back(r.cols[i].name);
        affinities.push_back(r.affinity(i));
    }
    auto c = std::make_unique<RowSet::Criterion>();
    c->tr = sql::translateCriteria(criteria, names, affinities);
    if (r.criteria.size() > 64) r.criteria.clear();
    return *r.criteria.emplace(criteria, std::move(c)).first->second;
}

// The statement that evaluates the criterion for one row (general path).
sqlite3_stmt* statementOf(RowSet& r, RowSet::Criterion& c, const std::string& criteria) {
    if (!c.stmt) {
        try {
            c.stmt = detail::Stmt(r.conn->db, "SELECT (" + c.tr.sqlExpr + ")");
        } catch (const rt::Error& e) {
            if (e.number() == err::TooFewParameters) throw;
            throw err::make(err::SyntaxError, criteria);
        }
    }
    return c.stmt.get();
}

// A whole number as written ("12", "-7") as SQLite reads it: false when it
// is not one or does not fit 64 bits (SQLite reads those as reals).
bool wholeNumber(const std::string& written, std::int64_t& out) {
    const bool negative = !written.empty() && written[0] == '-';
    const std::string_view digits = std::string_view(written).substr(negative ? 1 : 0);
    if (digits.empty() || digits.size() > 18) return false;
    std::int64_t v = 0;
    for (char ch : digits) {
        if (ch < '0' || ch > '9') return false;
        v = v * 10 + (ch - '0');
    }
    out = negative ? -v : v;
    return true;
}

// Decides whether the criterion's equality terms can be answered from the
// field indexes, and takes each constant as its field compares it: a number
// compared with a text field as the text SQLite makes of it. A text
// constant compared with a number field (which SQLite turns into a number
// only when it reads as one) keeps the general path.
void plan(RowSet& r, RowSet::Criterion& c) {
    using Kind = detail::FindValue::Kind;
    c.plan = RowSet::Criterion::Plan::General;
    if (c.tr.equalities.empty()) return;
    std::vector<RowSet::Criterion::Term> terms;
    for (const auto& q : c.tr.equalities) {
        const sql::FieldAffinity a = r.affinity(std::size_t(q.field));
        if (a == sql::FieldAffinity::None || (a == sql::FieldAffinity::Numeric && q.textConstant)) return;
        RowSet::Criterion::Term t;
        t.field = q.field;
        std::int64_t whole = 0;
        if (q.textConstant) {
            t.kind = Kind::Text;
            t.text = q.constant;
        } else if (wholeNumber(q.constant, whole)) {
            t.kind = a == sql::FieldAffinity::Text ? Kind::Text : Kind::Integer;
            t.i = whole;
            if (t.kind == Kind::Text) t.text = std::to_string(whole);
        } else {
            // Reals as SQLite reads and writes them.
            const bool asText = a == sql::FieldAffinity::Text;
            detail::Stmt st(r.conn->db, "SELECT " + (asText ? "CAST(" + q.constantSql + " AS TEXT)" : q.constantSql));
            if (!st.step()) return;
            switch (sqlite3_column_type(st.get(), 0)) {
            case SQLITE_INTEGER: t.kind = Kind::Integer; t.i = sqlite3_column_int64(st.get(), 0); break;
            case SQLITE_FLOAT: t.kind = Kind::Real; t.d = sqlite3_column_double(st.get(), 0); break;
            case SQLITE_TEXT: t.kind = Kind::Text; t.text = st.text(0); break;
            default: return;
            }
        }
        if ((a == sql::FieldAffinity::Text) != (t.kind == Kind::Text)) return;
        terms.push_back(std::move(t));
    }
    c.terms = std::move(terms);
    c.plan = RowSet::Criterion::Plan::Indexed;
}

bool matches(RowSet& r, RowSet::Criterion& c, sqlite3_stmt* st, std::size_t row) {
    sqlite3_reset(st);
    for (int f : c.tr.usedFields) r.bindCell(st, f + 1, row, std::size_t(f));
    int rc = sqlite3_step(st);
    bool hit = false;
    if (rc == SQLITE_ROW) {
        int t = sqlite3_column_type(st, 0);
        if (t == SQLITE_INTEGER) hit = sqlite3_column_int64(st, 0) != 0;
        else if (t == SQLITE_FLOAT) hit = sqlite3_column_double(st, 0) != 0;
    } else if (rc != SQLITE_DONE) {
        rt::Error e = detail::sqliteError(r.conn->db, sqlite3_extended_errcode(r.conn->db));
        sqlite3_reset(st);
        throw e;
    }
    sqlite3_reset(st);
    return hit;
}

// The row the search in `dir` finds among rows [0, n): for Next the first
// one from `from`, for Previous the last one before `from`.
template <class Test>
std::size_t scan(std::size_t n, Dir dir, std::size_t from, Test test) {
    switch (dir) {
    case Dir::First: from = 0; [[fallthrough]];
    case Dir::Next:
        for (std::size_t i = from; i < n; ++i)
            if (test(i)) return i;
        return kNone;
    case Dir::Last: from = n; [[fallthrough]];
    case Dir::Previous:
        for (std::size_t i = from; i-- > 0;)
            if (test(i)) return i;
        return kNone;
    }
    return kNone;
}

// The search through the field indexes; false when an index cannot be had
// (a field holds values the index does not handle), leaving the search to
// the general path.
bool findIndexed(RowSet& r, const RowSet::Criterion& c, Dir dir, std::size_t from, std::size_t& found) {
    const std::vector<std::uint32_t>* best = nullptr;
    std::vector<const detail::ColumnIndex*> indexes;
    for (const auto& t : c.terms) {
        detail::ColumnIndex* ix = r.findIndex(std::size_t(t.field));
        if (!ix) return false;
        indexes.push_back(ix);
    }
    for (std::size_t k = 0; k < c.terms.size(); ++k) {
        const auto* rows = indexes[k]->candidates(detail::findHash(c.terms[k].value()));
        if (!rows) {
            found = kNone;
            return true;
        }
        if (!best || rows->size() < best->size()) best = rows;
    }
    auto hit = [&](std::uint32_t row) {
        if (r.deleted[row]) return false;
        for (const auto& t : c.terms)
            if (!detail::findEquals(r.compared(row, std::size_t(t.field)), t.value())) return false;
        return true;
    };
    found = kNone;
    if (dir == Dir::First || dir == Dir::Next) {
        const std::uint32_t start = dir == Dir::First ? 0 : std::uint32_t(std::min(from, r.size()));
        for (auto it = std::lower_bound(best->begin(), best->end(), start); it != best->end(); ++it)
            if (hit(*it)) {
                found = *it;
                break;
            }
    } else {
        const std::uint32_t end = dir == Dir::Last ? std::uint32_t(r.size()) : std::uint32_t(std::min(from, r.size()));
        for (auto it = std::lower_bound(best->begin(), best->end(), end); it != best->begin();)
            if (hit(*--it)) {
                found = *it;
                break;
            }
    }
    return true;
}

void find(RecordsetData& d, const std::string& criteria, Dir dir) {
    RowSet& r = rowsOf(d);
    RowSet::Criterion& c = criterionFor(r, criteria);
    r.checkAllChanges();
    const std::size_t n = r.size();
    // Where Next and Previous start.
    std::size_t from = 0;
    if (dir == Dir::Next) from = d.at == At::Row ? d.pos + 1 : (d.at == At::Eof ? n : 0);
    if (dir == Dir::Previous) from = d.at == At::Row ? d.pos : (d.at == At::Bof ? 0 : n);
    std::size_t found = kNone;
    if (c.plan == RowSet::Criterion::Plan::Undecided) plan(r, c);
    const bool indexed =
        r.useFindIndex && c.plan == RowSet::Criterion::Plan::Indexed && findIndexed(r, c, dir, from, found);
    if (!indexed) {
        sqlite3_stmt* st = statementOf(r, c, criteria);
        found = scan(n, dir, from, [&](std::size_t i) { return !r.deleted[i] && r.refreshRow(i) && matches(r, c, st, i); });
    }
    d.noMatch = found == kNone;
    if (found != kNone) {
        arrive(d, found);
        d.checkedArrival = true;
    }
}

} // namespace

void Recordset::findFirst(const std::string& criteria) { find(*d_, criteria, Dir::First); }
void Recordset::findLast(const std::string& criteria) { find(*d_, criteria, Dir::Last); }
void Recordset::findNext(const std::string& criteria) { find(*d_, criteria, Dir::Next); }
void Recordset::findPrevious(const std::string& criteria) { find(*d_, criteria, Dir::Previous); }
bool Recordset::noMatch() const {
    rowsOf(*d_);
    return d_->noMatch;
}

// ---- editing ---------------------------------------------------------------------------

void Recordset::addNew() {
    RowSet& r = rowsOf(*d_);
    requireUpdatable(r);
    dropEdit(*d_);
    d_->mode = EditMode::Add;
    d_->buffer.assign(r.ncols(), rt::Variant::null());
    d_->changed.assign(r.ncols(), 0);
}

void Recordset::edit() {
    RowSet& r = rowsOf(*d_);
    requireUpdatable(r);
    if (d_->at != At::Row) throw err::make(err::NoCurrentRecord);
    if (r.deleted[d_->pos]) throw err::make(err::RecordDeleted);
    dropEdit(*d_);
    int scope = r.conn->beginWrite();
    bool present = false;
    try {
        r.checkAllChanges();
        present = r.rereadRow(d_->pos);
    } catch (...) {
        r.conn->endWrite(scope, false);
        throw;
    }
    if (!present) {
        r.conn->endWrite(scope, false);
        throw err::make(err::RecordDeleted);
    }
    d_->writeScope = scope;
    d_->mode = EditMode::InProgress;
    d_->buffer.clear();
    for (std::size_t i = 0; i < r.ncols(); ++i) d_->buffer.push_back(r.cell(d_->pos, i));
    d_->changed.assign(r.ncols(), 0);
    d_->checkedArrival = true;
}

void Recordset::update() {
    RowSet& r = rowsOf(*d_);
    if (d_->mode == EditMode::None) throw err::make(err::UpdateWithoutEdit);
    requireUpdatable(r);
    const std::size_t nc = r.ncols();
    for (std::size_t i = 0; i < nc; ++i)
        if (d_->changed[i] && r.cols[i].required && d_->buffer[i].isNull())
            throw err::make(err::NullInRequired, r.cols[i].name);
    sqlite3* db = r.conn->db;
    std::uint64_t before = r.conn->ownVersion();
    if (d_->mode == EditMode::Add) {
        std::string names, marks;
        int n = 0;
        for (std::size_t i = 0; i < nc; ++i) {
            if (!d_->changed[i]) continue;
            if (n) {
                names += ", ";
                marks += ", ";
            }
            names += detail::quoteName(r.cols[i].baseName);
            marks += '?';
            marks += std::to_string(++n);
        }
        std::string sql = "INSERT INTO " + r.baseRef +
                          (n ? " (" + names + ") VALUES (" + marks + ")" : std::string(" DEFAULT VALUES"));
        detail::Stmt st(db, sql);
        n = 0;
        for (std::size_t i = 0; i < nc; ++i)
            if (d_->changed[i]) detail::bindVariant(st.get(), ++n, d_->buffer[i]);
        st.step();
        std::int64_t key = sqlite3_last_insert_rowid(db);
        r.noteOwnWrite(before);
        std::size_t row = r.size();
        r.keys.push_back(key);
        for (std::size_t i = 0; i < nc; ++i) r.cells.push(d_->buffer[i]);
        r.gen.push_back(0);
        r.deleted.push_back(0);
        r.keyIndex[key] = row;
        if (r.highWater == row) r.highWater = row + 1;
        r.indexAddedRow(row);
        r.rereadRow(row);
        d_->lastModified = bookmarkOf(r, row);
        d_->mode = EditMode::None;
        d_->buffer.clear();
        d_->changed.clear();
        return;
    }
    // Edit: the changed fields by key, then commit.
    std::size_t row = d_->pos;
    std::string sets;
    int n = 0;
    for (std::size_t i = 0; i < nc; ++i) {
        if (!d_->changed[i]) continue;
        if (n) sets += ", ";
        sets += detail::quoteName(r.cols[i].baseName) + " = ?" + std::to_string(++n);
    }
    if (n) {
        detail::Stmt st(db, "UPDATE " + r.baseRef + " SET " + sets + " WHERE " +
                                detail::quoteName(r.keyColumn) + " = ?" + std::to_string(n + 1));
        int k = 0;
        for (std::size_t i = 0; i < nc; ++i)
            if (d_->changed[i]) detail::bindVariant(st.get(), ++k, d_->buffer[i]);
        st.bind(n + 1, r.keys[row]);
        st.step();
        if (sqlite3_changes(db) == 0) throw err::make(err::RecordDeleted);
    }
    int scope = d_->writeScope;
    d_->writeScope = 0;
    d_->mode = EditMode::None;
    try {
        r.conn->endWrite(scope, true);
    } catch (...) {
        d_->buffer.clear();
        d_->changed.clear();
        throw;
    }
    r.noteOwnWrite(before);
    for (std::size_t i = 0; i < nc; ++i)
        if (d_->changed[i]) r.setCell(row, i, d_->buffer[i]);
    r.rereadRow(row);
    d_->buffer.clear();
    d_->changed.clear();
    d_->lastModified = bookmarkOf(r, row);
}

void Recordset::cancelUpdate() {
    rowsOf(*d_);
    if (d_->mode == EditMode::None) throw err::make(err::UpdateWithoutEdit);
    dropEdit(*d_);
}

void Recordset::deleteRecord() {
    RowSet& r = rowsOf(*d_);
    requireUpdatable(r);
    if (d_->at != At::Row) throw err::make(err::NoCurrentRecord);
    if (r.deleted[d_->pos]) throw err::make(err::RecordDeleted);
    dropEdit(*d_);
    std::uint64_t before = r.conn->ownVersion();
    detail::Stmt st(r.conn->db, "DELETE FROM " + r.baseRef + " WHERE " + detail::quoteName(r.keyColumn) + " = ?1");
    st.bind(1, r.keys[d_->pos]);
    st.step();
    const bool gone = sqlite3_changes(r.conn->db) == 0;   // deleted by someone else before
    r.noteOwnWrite(before);
    r.markDeleted(d_->pos);
    if (gone) throw err::make(err::RecordDeleted);
}

EditMode Recordset::editMode() const {
    rowsOf(*d_);
    return d_->mode;
}

std::shared_ptr<Recordset> Recordset::clone() {
    rowsOf(*d_);
    auto data = std::make_shared<RecordsetData>();
    data->rows = d_->rows;
    data->db = d_->db;
    data->at = At::None;
    return std::make_shared<Recordset>(data);
}

void Recordset::close() {
    if (!d_->open) return;
    dropEdit(*d_);
    d_->open = false;
    d_->rows.reset();
}

bool Recordset::isOpen() const { return d_->open && d_->rows && d_->rows->conn->isOpen(); }

} // namespace engine
