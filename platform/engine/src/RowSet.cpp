#include <cstring>
#include <limits>

#include "RecordsetData.h"
#include "RecordsetOpen.h"
#include "Values.h"
#include "engine/Errors.h"
#include "runtime/Text.h"

namespace engine::detail {

const char* CellStore::store(const char* p, std::size_t n) {
    if (n == 0) return "";
    if (n > kBlock / 4) {
        blocks_.emplace_back(new char[n]);
        std::memcpy(blocks_.back().get(), p, n);
        return blocks_.back().get();
    }
    if (blockUsed_ + n > kBlock) {
        blocks_.emplace_back(new char[kBlock]);
        blockUsed_ = 0;
    }
    char* dst = blocks_.back().get() + blockUsed_;
    std::memcpy(dst, p, n);
    blockUsed_ += n;
    return dst;
}

rt::Variant CellStore::get(std::size_t i) const {
    const Cell& c = at(i);
    switch (c.kind) {
    case Kind::Empty: return rt::Variant();
    case Kind::Null: return rt::Variant::null();
    case Kind::Integer: return rt::Variant(std::int16_t(c.i));
    case Kind::Long: return rt::Variant(std::int32_t(c.i));
    case Kind::Double: return rt::Variant(c.d);
    case Kind::Boolean: return rt::Variant(c.i != 0);
    case Kind::Date: return rt::Variant::date(c.d);
    case Kind::Text: return rt::Variant(std::string(c.text, c.len));
    }
    return rt::Variant();
}

void CellStore::bind(sqlite3_stmt* st, int index, std::size_t i) const {
    const Cell& c = at(i);
    switch (c.kind) {
    case Kind::Text: sqlite3_bind_text(st, index, c.text, int(c.len), SQLITE_STATIC); break;
    case Kind::Integer:
    case Kind::Long: sqlite3_bind_int64(st, index, c.i); break;
    case Kind::Boolean: sqlite3_bind_int64(st, index, c.i ? -1 : 0); break;
    case Kind::Double: sqlite3_bind_double(st, index, c.d); break;
    default: bindVariant(st, index, get(i)); break;
    }
}

FindValue CellStore::findValue(std::size_t i) const {
    const Cell& c = at(i);
    FindValue v;
    switch (c.kind) {
    case Kind::Empty:
    case Kind::Null: break;
    case Kind::Integer:
    case Kind::Long: v.kind = FindValue::Kind::Integer; v.i = c.i; break;
    case Kind::Boolean: v.kind = FindValue::Kind::Integer; v.i = c.i ? -1 : 0; break;
    case Kind::Double: v.kind = FindValue::Kind::Real; v.d = c.d; break;
    case Kind::Text: v.kind = FindValue::Kind::Text; v.text = std::string_view(c.text, c.len); break;
    case Kind::Date: v.kind = FindValue::Kind::Other; break;
    }
    return v;
}

void CellStore::set(std::size_t i, const rt::Variant& v) {
    Cell& c = at(i);
    switch (v.type()) {
    case rt::VarType::Empty:
    case rt::VarType::Object: c.kind = Kind::Empty; break;
    case rt::VarType::Null: c.kind = Kind::Null; break;
    case rt::VarType::Integer: c.kind = Kind::Integer; c.i = v.integerValue(); break;
    case rt::VarType::Long: c.kind = Kind::Long; c.i = v.longValue(); break;
    case rt::VarType::Double: c.kind = Kind::Double; c.d = v.doubleValue(); break;
    case rt::VarType::Boolean: c.kind = Kind::Boolean; c.i = v.boolValue() ? 1 : 0; break;
    case rt::VarType::Date: c.kind = Kind::Date; c.d = v.dateValue(); break;
    case rt::VarType::String: {
        const std::string& s = v.stringValue();
        if (c.kind == Kind::Text && s.size() <= c.cap) {
            // Re-reading a row mostly brings the same texts again: reuse the
            // cell's own bytes, so that a cursor kept open and re-read (the
            // identifier counter) does not grow its store with every read.
            std::memcpy(const_cast<char*>(c.text), s.data(), s.size());
            c.len = std::uint32_t(s.size());
            break;
        }
        c.kind = Kind::Text;
        c.len = std::uint32_t(s.size());
        c.cap = s.size() < kMaxCap ? std::uint32_t(s.size()) : 0;
        c.text = store(s.data(), s.size());
        break;
    }
    }
}

void RowSet::indexNames() {
    byName.clear();
    byUpperName.clear();
    for (std::size_t i = 0; i < cols.size(); ++i) {
        byName.emplace(cols[i].name, int(i));
        byUpperName.emplace(rt::text::upper(cols[i].name), int(i));
    }
}

int RowSet::fieldIndex(const std::string& name) const {
    auto it = byName.find(name);
    if (it != byName.end()) return it->second;
    auto up = byUpperName.find(rt::text::upper(name));
    if (up != byUpperName.end()) return up->second;
    // "[Name]" as written in SQL.
    if (name.size() > 2 && name.front() == '[' && name.back() == ']')
        return fieldIndex(name.substr(1, name.size() - 2));
    return -1;
}

void RowSet::load() {
    conn->checkOpen();
    if (keyed) {
        ownStamp = conn->ownVersion();
        externalStamp = conn->externalVersion();
    }
    Stmt st(conn->db, selectSql);
    for (std::size_t i = 0; i < params.size(); ++i) bindVariant(st.get(), int(i + 1), params[i]);
    const std::size_t nc = cols.size();
    std::vector<bool> typed(nc);
    for (std::size_t c = 0; c < nc; ++c) typed[c] = !cols[c].baseName.empty();
    int keyCol = int(nc);
    bool haveKey = keyed && st.columnCount() > keyCol;
    sqlite3_stmt* s = st.get();
    while (st.step()) {
        for (std::size_t c = 0; c < nc; ++c) {
            // Texts (the common case) go straight into the store.
            if (sqlite3_column_type(s, int(c)) == SQLITE_TEXT && cols[c].type != FieldType::Date) {
                const char* p = reinterpret_cast<const char*>(sqlite3_column_text(s, int(c)));
                cells.pushText(p, std::size_t(sqlite3_column_bytes(s, int(c))));
            } else {
                cells.push(readColumn(s, int(c), cols[c].type, typed[c]));
            }
        }
        keys.push_back(haveKey ? sqlite3_column_int64(s, keyCol) : std::int64_t(keys.size()));
    }
    gen.assign(keys.size(), currentGen);
    deleted.assign(keys.size(), 0);
    keyIndex.reserve(keys.size());
    for (std::size_t i = 0; i < keys.size(); ++i) keyIndex.emplace(keys[i], i);
    firstAdded = keys.size();
}

void RowSet::checkOwnChanges() {
    if (!keyed) return;
    std::uint64_t v = conn->ownVersion();
    if (v != ownStamp) {
        ownStamp = v;
        ++currentGen;
    }
}

void RowSet::checkAllChanges() {
    if (!keyed) return;
    checkOwnChanges();
    std::uint64_t v = conn->recentExternalVersion();
    if (v != externalStamp) {
        externalStamp = v;
        ++currentGen;
    }
}

bool RowSet::refreshRow(std::size_t row) {
    if (deleted[row]) return false;
    if (gen[row] == currentGen) return true;
    return rereadRow(row);
}

bool RowSet::rereadRow(std::size_t row) {
    if (!keyed) return !deleted[row];
    conn->checkOpen();
    if (!reread) {
        std::string sql = "SELECT ";
        bool first = true;
        for (const auto& c : cols) {
            if (c.baseName.empty()) continue;
            if (!first) sql += ", ";
            sql += quoteName(c.baseName);
            first = false;
        }
        if (first) sql += "NULL";
        sql += " FROM " + baseRef + " WHERE " + quoteName(keyColumn) + " = ?1";
        reread = Stmt(conn->db, sql);
    }
    reread.reset();
    reread.bind(1, keys[row]);
    bool found = reread.step();
    if (!found) {
        reread.reset();
        markDeleted(row);
        return false;
    }
    int k = 0;
    for (std::size_t c = 0; c < cols.size(); ++c) {
        if (cols[c].baseName.empty()) continue;
        setCell(row, c, readColumn(reread.get(), k++, cols[c].type, true));
    }
    reread.reset();
    gen[row] = currentGen;
    return true;
}

void RowSet::markDeleted(std::size_t row) {
    if (!deleted[row]) {
        deleted[row] = 1;
        ++deletedCount;
    }
}

std::size_t RowSet::indexOfKey(std::int64_t key) {
    auto it = keyIndex.find(key);
    return it == keyIndex.end() ? std::numeric_limits<std::size_t>::max() : it->second;
}

void RowSet::noteOwnWrite(std::uint64_t before) {
    if (ownStamp == before) ownStamp = conn->ownVersion();
}

void RowSet::releaseStatements() {
    reread = Stmt();
    criteria.clear();
    findIndexes.clear();
}

std::size_t RowSet::liveBefore(std::size_t row) const {
    if (deletedCount == 0) return row;
    std::size_t n = 0;
    for (std::size_t i = 0; i < row && i < deleted.size(); ++i) n += deleted[i] ? 0 : 1;
    return n;
}

// ---- find indexes ---------------------------------------------------------

sql::FieldAffinity RowSet::affinity(std::size_t col) const {
    const ColumnMeta& c = cols[col];
    if (c.baseName.empty()) return sql::FieldAffinity::None;
    switch (c.type) {
    case FieldType::Text:
    case FieldType::Memo: return sql::FieldAffinity::Text;
    case FieldType::Boolean:
    case FieldType::Byte:
    case FieldType::Integer:
    case FieldType::Long:
    case FieldType::Currency:
    case FieldType::Single:
    case FieldType::Double: return sql::FieldAffinity::Numeric;
    default: return sql::FieldAffinity::None;
    }
}

FindValue RowSet::compared(std::size_t row, std::size_t col) const {
    FindValue v = cells.findValue(row * cols.size() + col);
    if (v.kind == FindValue::Kind::Null) return v;
    const sql::FieldAffinity a = affinity(col);
    const bool number = v.kind == FindValue::Kind::Integer || v.kind == FindValue::Kind::Real;
    if ((a == sql::FieldAffinity::Text && v.kind != FindValue::Kind::Text) || (a == sql::FieldAffinity::Numeric && !number) ||
        a == sql::FieldAffinity::None)
        v.kind = FindValue::Kind::Other;
    return v;
}

void RowSet::setCell(std::size_t row, std::size_t col, const rt::Variant& v) {
    ColumnIndex* ix = col < findIndexes.size() ? findIndexes[col].get() : nullptr;
    if (!ix || !ix->valid || ix->gen != currentGen) {
        cells.set(row * cols.size() + col, v);
        return;
    }
    // The old value is hashed before the cell changes: set() may write the
    // new text over the old one.
    const FindValue before = compared(row, col);
    const bool beforeOther = before.kind == FindValue::Kind::Other;
    const bool hadHash = before.kind != FindValue::Kind::Null;
    const std::uint64_t h0 = hadHash && !beforeOther ? findHash(before) : 0;
    cells.set(row * cols.size() + col, v);
    const FindValue after = compared(row, col);
    if (beforeOther || after.kind == FindValue::Kind::Other) {
        ix->valid = false;
        return;
    }
    const bool hasHash = after.kind != FindValue::Kind::Null;
    const std::uint64_t h1 = hasHash ? findHash(after) : 0;
    if (hadHash == hasHash && h0 == h1) return;
    if (hadHash) ix->remove(std::uint32_t(row), h0);
    if (hasHash) ix->insert(std::uint32_t(row), h1);
}

ColumnIndex* RowSet::findIndex(std::size_t col) {
    if (affinity(col) == sql::FieldAffinity::None || size() > std::numeric_limits<std::uint32_t>::max()) return nullptr;
    if (findIndexes.size() < cols.size()) findIndexes.resize(cols.size());
    if (!findIndexes[col]) findIndexes[col] = std::make_unique<ColumnIndex>();
    ColumnIndex& ix = *findIndexes[col];
    if (ix.gen == currentGen && (ix.valid || ix.unusable)) return ix.valid ? &ix : nullptr;
    // Every row as the file holds it now, as a scan would read it.
    ix.clear();
    for (std::size_t i = 0; i < size(); ++i)
        if (!deleted[i]) refreshRow(i);
    ix.gen = currentGen;
    for (std::size_t i = 0; i < size(); ++i) {
        if (deleted[i]) continue;
        const FindValue v = compared(i, col);
        if (v.kind == FindValue::Kind::Null) continue;
        if (v.kind == FindValue::Kind::Other) {
            ix.clear();
            ix.unusable = true;
            return nullptr;
        }
        ix.append(std::uint32_t(i), findHash(v));
    }
    ix.valid = true;
    return &ix;
}

void RowSet::indexAddedRow(std::size_t row) {
    for (std::size_t col = 0; col < findIndexes.size(); ++col) {
        ColumnIndex* ix = findIndexes[col].get();
        if (!ix || !ix->valid || ix->gen != currentGen) continue;
        const FindValue v = compared(row, col);
        if (v.kind == FindValue::Kind::Other) ix->valid = false;
        else if (v.kind != FindValue::Kind::Null) ix->insert(std::uint32_t(row), findHash(v));
    }
}

// ---- making recordsets --------------------------------------------------------

namespace {

std::shared_ptr<Recordset> finish(const std::shared_ptr<Database>& db, std::shared_ptr<RowSet> rs) {
    rs->indexNames();
    rs->load();
    rs->conn->registerRowSet(rs);
    auto data = std::make_shared<RecordsetData>();
    data->rows = rs;
    data->db = db;
    if (rs->size() > 0) {
        data->at = RecordsetData::At::Row;
        data->pos = 0;
        rs->highWater = 1;
    } else {
        data->at = RecordsetData::At::Eof;
    }
    return std::make_shared<Recordset>(data);
}

bool wantsReadOnly(int options) { return (options & opt::ReadOnly) != 0; }

} // namespace

std::shared_ptr<Recordset> openTableRecordset(const std::shared_ptr<Database>& db, const Catalog::Entry& table,
                                              RecordsetType type, int options) {
    auto conn = db->connection();
    const Catalog::TableInfo& info = conn->catalog->tableInfo(table);
    auto rs = std::make_shared<RowSet>();
    rs->conn = conn;
    rs->name = table.name;
    rs->type = type;
    rs->baseRef = info.sqlRef;
    rs->keyColumn = info.keyColumn;
    rs->complete = type != RecordsetType::Dynaset;
    bool copy = type == RecordsetType::Snapshot || type == RecordsetType::ForwardOnly;
    rs->updatable = !copy && !conn->readOnly && !wantsReadOnly(options);
    rs->keyed = !copy;
    std::string sql = "SELECT ";
    int ordinal = 0;
    for (const auto& c : info.columns) {
        ColumnMeta m;
        m.name = c.name;
        m.type = c.type;
        m.size = c.size;
        m.ordinal = ordinal++;
        m.baseName = c.name;
        m.required = c.required;
        m.autoIncrement = c.autoIncrement;
        rs->cols.push_back(m);
        sql += quoteName(c.name) + ", ";
    }
    sql += quoteName(info.keyColumn) + " AS \"__bk\" FROM " + info.sqlRef + " ORDER BY " + quoteName(info.keyColumn);
    rs->selectSql = sql;
    return finish(db, rs);
}

std::shared_ptr<Recordset> openSelectRecordset(const std::shared_ptr<Database>& db, const std::string& name,
                                               const sql::Translation& tr, std::vector<rt::Variant> params,
                                               RecordsetType type, int options) {
    auto conn = db->connection();
    auto rs = std::make_shared<RowSet>();
    rs->conn = conn;
    rs->name = name;
    rs->type = type == RecordsetType::Default ? RecordsetType::Dynaset : type;
    rs->selectSql = tr.sql;
    rs->params = std::move(params);
    bool copy = rs->type == RecordsetType::Snapshot || rs->type == RecordsetType::ForwardOnly;
    rs->complete = copy;
    rs->keyed = !copy && tr.updatable.has_value();
    rs->updatable = rs->keyed && !conn->readOnly && !wantsReadOnly(options);
    if (tr.updatable) {
        rs->baseRef = tr.updatable->baseRef;
        rs->keyColumn = tr.updatable->keyColumn;
    }
    int ordinal = 0;
    for (const auto& c : tr.columns) {
        ColumnMeta m;
        m.name = c.name;
        m.type = c.type;
        m.size = c.size;
        m.ordinal = ordinal++;
        if (tr.updatable && c.baseColumn >= 0 && std::size_t(c.baseColumn) < tr.updatable->baseColumns.size()) {
            const auto& b = tr.updatable->baseColumns[std::size_t(c.baseColumn)];
            m.baseName = b.name;
            m.required = b.required;
            m.autoIncrement = b.autoIncrement;
            if (m.size == 0) m.size = b.size;
        }
        rs->cols.push_back(m);
    }
    return finish(db, rs);
}

} // namespace engine::detail
