#include "Catalog.h"

#include "Connection.h"
#include "Sqlite.h"
#include "engine/Errors.h"
#include "runtime/Text.h"

namespace engine::detail {
namespace {

std::string key(std::string_view name) { return rt::text::upper(name); }

bool isSystemName(const std::string& name) {
    return name.size() >= 4 && rt::text::equalsNoCase(name.substr(0, 4), "MSys");
}

} // namespace

void Catalog::invalidate() {
    loaded_ = false;
    entries_.clear();
    order_.clear();
    infos_.clear();
}

void Catalog::revalidate() {
    conn_.checkOpen();
    std::uint64_t schema = 0;
    for (const auto& s : conn_.schemas()) {
        Stmt st(conn_.db, "PRAGMA " + quoteName(s) + ".schema_version");
        if (st.step()) schema = schema * 1000003u + std::uint64_t(st.int64(0));
    }
    std::uint64_t data = conn_.externalVersion();
    std::uint64_t own = conn_.ownVersion();
    if (schema != schemaStamp_) {
        invalidate();
    } else if (data != dataStamp_ || own != ownStamp_) {
        loaded_ = false;   // names may have changed; table columns did not
        entries_.clear();
        order_.clear();
    }
    schemaStamp_ = schema;
    dataStamp_ = data;
    ownStamp_ = own;
}

void Catalog::load() {
    if (loaded_) return;
    conn_.checkOpen();
    entries_.clear();
    order_.clear();
    {
        Stmt st(conn_.db, "SELECT name FROM main.sqlite_master WHERE type IN ('table','view') "
                          "AND name NOT LIKE 'sqlite\\_%' ESCAPE '\\' ORDER BY rowid");
        while (st.step()) {
            Entry e;
            e.kind = Kind::Table;
            e.name = st.text(0);
            entries_.emplace(key(e.name), e);
            order_.emplace_back(Kind::Table, e.name);
        }
    }
    auto hasTable = [&](const char* name) { return entries_.count(key(name)) > 0; };
    if (hasTable("MSysLinks")) {
        Stmt st(conn_.db, "SELECT Name, Connect, SourceTable FROM MSysLinks ORDER BY _RowKey");
        while (st.step()) {
            Entry e;
            e.kind = Kind::Link;
            e.name = st.text(0);
            e.connect = st.text(1);
            e.source = st.text(2);
            if (entries_.count(key(e.name))) continue;
            if (!conn_.findLink(e.name)) conn_.addLink(e.name, e.connect, e.source);
            entries_.emplace(key(e.name), e);
            order_.emplace_back(Kind::Link, e.name);
        }
    }
    if (hasTable("MSysQueries")) {
        Stmt st(conn_.db, "SELECT Name, SQL FROM MSysQueries ORDER BY _RowKey");
        while (st.step()) {
            Entry e;
            e.kind = Kind::Query;
            e.name = st.text(0);
            e.sql = st.text(1);
            if (entries_.count(key(e.name))) continue;
            entries_.emplace(key(e.name), e);
            order_.emplace_back(Kind::Query, e.name);
        }
    }
    loaded_ = true;
}

std::optional<Catalog::Entry> Catalog::find(std::string_view name) {
    load();
    auto it = entries_.find(key(name));
    if (it == entries_.end()) return std::nullopt;
    return it->second;
}

std::vector<std::string> Catalog::names(Kind kind, bool includeSystem) {
    load();
    std::vector<std::string> out;
    for (const auto& [k, n] : order_)
        if (k == kind && (includeSystem || kind != Kind::Table || !isSystemName(n))) out.push_back(n);
    return out;
}

Catalog::TableInfo Catalog::readTable(const std::string& schema, const std::string& table) {
    TableInfo info;
    info.sqlRef = quoteName(schema) + "." + quoteName(table);
    struct Raw { std::string name, type; bool notNull; int pk; };
    std::vector<Raw> raw;
    {
        Stmt st(conn_.db, "PRAGMA " + quoteName(schema) + ".table_info(" + quoteText(table) + ")");
        while (st.step())
            raw.push_back({st.text(1), st.text(2), st.int64(3) != 0, int(st.int64(5))});
    }
    if (raw.empty()) throw err::make(err::UnknownObject, table);
    int pkCount = 0, pkIndex = -1;
    for (std::size_t i = 0; i < raw.size(); ++i)
        if (raw[i].pk > 0) {
            ++pkCount;
            pkIndex = int(i);
        }
    bool ipk = pkCount == 1 && rt::text::equalsNoCase(raw[std::size_t(pkIndex)].type, "INTEGER");
    if (ipk) {
        info.keyColumn = raw[std::size_t(pkIndex)].name;
        info.hiddenKey = rt::text::equalsNoCase(info.keyColumn, sql::kRowKeyColumn);
    } else {
        info.keyColumn = "rowid";   // tables of other programs without an integer key
        info.hiddenKey = true;
    }
    for (std::size_t i = 0; i < raw.size(); ++i) {
        bool isKey = ipk && int(i) == pkIndex;
        if (isKey && info.hiddenKey) continue;
        info.columns.push_back(sql::describeColumn(raw[i].name, raw[i].type, isKey, raw[i].notNull));
    }
    return info;
}

const Catalog::TableInfo& Catalog::tableInfo(const Entry& e) {
    std::string k = key(e.name);
    auto it = infos_.find(k);
    if (it != infos_.end()) return it->second;
    if (e.kind == Kind::Table) return infos_.emplace(k, readTable("main", e.name)).first->second;
    if (e.kind == Kind::Link) {
        const LinkInfo* l = conn_.findLink(e.name);
        if (!l) throw err::make(err::UnknownObject, e.name);
        if (l->error) throw err::make(l->error, l->errorDetail);
        return infos_.emplace(k, readTable(l->schema, l->sourceTable)).first->second;
    }
    throw err::make(err::UnknownObject, e.name);
}

std::optional<sql::SourceInfo> Catalog::resolve(std::string_view name) {
    auto e = find(name);
    if (!e) return std::nullopt;
    sql::SourceInfo s;
    if (e->kind == Kind::Query) {
        s.kind = sql::SourceInfo::Kind::Query;
        s.querySql = e->sql;
        return s;
    }
    const TableInfo& info = tableInfo(*e);
    s.kind = sql::SourceInfo::Kind::Table;
    s.sqlRef = info.sqlRef;
    s.keyColumn = info.keyColumn;
    s.columns = info.columns;
    return s;
}

} // namespace engine::detail
