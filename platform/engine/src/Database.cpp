#include "engine/Database.h"

#include "Catalog.h"
#include "Connection.h"
#include "RecordsetOpen.h"
#include "Statements.h"
#include "engine/Engine.h"
#include "engine/Errors.h"
#include "engine/QueryDef.h"
#include "engine/Recordset.h"
#include "engine/TableDef.h"
#include "runtime/Text.h"

namespace engine {

using detail::Catalog;

namespace {

std::string trimmed(const std::string& s) {
    std::size_t a = s.find_first_not_of(" \t\r\n");
    if (a == std::string::npos) return {};
    std::size_t b = s.find_last_not_of(" \t\r\n;");
    if (b == std::string::npos || b < a) return {};
    return s.substr(a, b - a + 1);
}

// "Name" or "[Name]" when the text is one name, else "".
std::string singleName(const std::string& s) {
    std::string t = trimmed(s);
    if (t.size() > 2 && t.front() == '[' && t.back() == ']' && t.find(']') == t.size() - 1)
        return t.substr(1, t.size() - 2);
    if (t.find_first_of(" \t\r\n,()=*'\"[];") != std::string::npos) return {};
    return t;
}

const char* dialectType(const FieldDef& f) {
    switch (f.type) {
    case FieldType::Boolean: return "YESNO";
    case FieldType::Byte: return "BYTE";
    case FieldType::Integer: return "SHORT";
    case FieldType::Long: return f.autoIncrement ? "COUNTER" : "LONG";
    case FieldType::Currency: return "CURRENCY";
    case FieldType::Single: return "SINGLE";
    case FieldType::Double: return "DOUBLE";
    case FieldType::Date: return "DATETIME";
    case FieldType::Binary: return "BINARY";
    case FieldType::Text: return "TEXT";
    case FieldType::Memo: return "MEMO";
    }
    return "TEXT";
}

// A table or field name written as [name]. Names holding a bracket, a
// period, an exclamation mark or a grave accent are not valid object names
// (and a "]" would end the name early): 3125.
std::string bracket(const std::string& name) {
    if (name.empty() || name.find_first_of("[].!`") != std::string::npos || name.front() == ' ')
        throw err::make(err::InvalidName, name);
    return "[" + name + "]";
}

} // namespace

Database::Database(Workspace& ws, std::shared_ptr<Connection> conn) : ws_(ws), conn_(std::move(conn)) {
    conn_->workspace = &ws_;
}

Database::~Database() = default;

const std::string& Database::name() const { return conn_->name; }
bool Database::isOpen() const { return conn_->isOpen(); }
bool Database::readOnly() const { return conn_->readOnly; }
void Database::close() { conn_->close(); }
Workspace& Database::workspace() { return ws_; }
long Database::recordsAffected() const { return recordsAffected_; }

std::shared_ptr<Recordset> Database::openRecordset(const std::string& source, RecordsetType type, int options) {
    conn_->checkOpen();
    Catalog& cat = *conn_->catalog;
    cat.revalidate();
    auto self = shared_from_this();
    std::optional<Catalog::Entry> e = cat.find(trimmed(source));
    if (!e) {
        std::string n = singleName(source);
        if (!n.empty()) {
            e = cat.find(n);
            if (!e) throw err::make(err::UnknownObject, n);
        }
    }
    if (e) {
        switch (e->kind) {
        case Catalog::Kind::Table:
            return detail::openTableRecordset(self, *e, type == RecordsetType::Default ? RecordsetType::Table : type,
                                              options);
        case Catalog::Kind::Link:
            if (type == RecordsetType::Table) throw err::make(3219);
            return detail::openTableRecordset(
                self, *e, type == RecordsetType::Default ? RecordsetType::Dynaset : type, options);
        case Catalog::Kind::Query: {
            if (type == RecordsetType::Table) throw err::make(3219);
            sql::Translation tr = sql::translate(e->sql, cat);
            if (tr.kind != sql::StatementKind::Select) throw err::make(3219);
            detail::requireNoParameters(tr);
            return detail::openSelectRecordset(self, e->name, tr, {}, type, options);
        }
        }
    }
    if (type == RecordsetType::Table) throw err::make(3219);
    sql::Translation tr = sql::translate(source, cat);
    if (tr.kind != sql::StatementKind::Select) throw err::make(3219);
    detail::requireNoParameters(tr);
    return detail::openSelectRecordset(self, source, tr, {}, type, options);
}

void Database::execute(const std::string& sqlText, int /*options*/) {
    conn_->checkOpen();
    Catalog& cat = *conn_->catalog;
    cat.revalidate();
    std::string text = sqlText;
    std::string n = singleName(sqlText);
    if (!n.empty()) {
        auto e = cat.find(n);
        if (e && e->kind == Catalog::Kind::Query) text = e->sql;
    }
    sql::Translation tr = sql::translate(text, cat);
    if (tr.kind == sql::StatementKind::Select) throw err::make(3065);
    detail::requireNoParameters(tr);
    recordsAffected_ = 0;
    recordsAffected_ = detail::runAction(*conn_, tr, {});
}

// ---- stored queries --------------------------------------------------------------

std::shared_ptr<QueryDef> Database::queryDef(const std::string& name) {
    conn_->checkOpen();
    Catalog& cat = *conn_->catalog;
    cat.revalidate();
    auto e = cat.find(name);
    if (!e || e->kind != Catalog::Kind::Query) throw err::make(err::ItemNotFound);
    std::vector<Parameter> params;
    try {
        sql::Translation tr = sql::translate(e->sql, cat);
        for (const auto& d : tr.declaredParameters) params.push_back(Parameter{d.name, d.type, {}});
    } catch (const rt::Error&) {
        // A query that no longer translates still exists; opening it reports why.
    }
    return std::make_shared<QueryDef>(shared_from_this(), e->name, e->sql, std::move(params));
}

std::vector<std::string> Database::queryDefNames() const {
    conn_->checkOpen();
    conn_->catalog->revalidate();
    return conn_->catalog->names(Catalog::Kind::Query);
}

std::shared_ptr<QueryDef> Database::createQueryDef(const std::string& name, const std::string& sqlText) {
    conn_->checkOpen();
    Catalog& cat = *conn_->catalog;
    cat.revalidate();
    if (name.empty()) throw err::make(err::InvalidArgument);
    if (cat.find(name)) throw err::make(err::ObjectExists, name);
    if (conn_->readOnly) throw err::make(err::ReadOnly);
    sql::translate(sqlText, cat);   // raises for a text that is not valid
    detail::Stmt st(conn_->db, "INSERT INTO MSysQueries (Name, SQL) VALUES (?1, ?2)");
    st.bind(1, std::string_view(name));
    st.bind(2, std::string_view(sqlText));
    st.step();
    cat.invalidate();
    return queryDef(name);
}

void Database::deleteQueryDef(const std::string& name) {
    conn_->checkOpen();
    Catalog& cat = *conn_->catalog;
    cat.revalidate();
    auto e = cat.find(name);
    if (!e || e->kind != Catalog::Kind::Query) throw err::make(err::ItemNotFound);
    detail::Stmt st(conn_->db, "DELETE FROM MSysQueries WHERE Name = ?1");
    st.bind(1, std::string_view(e->name));
    st.step();
    cat.invalidate();
}

// ---- tables -------------------------------------------------------------------------

std::shared_ptr<TableDef> Database::tableDef(const std::string& name) {
    conn_->checkOpen();
    Catalog& cat = *conn_->catalog;
    cat.revalidate();
    auto e = cat.find(name);
    if (!e || e->kind == Catalog::Kind::Query) throw err::make(err::ItemNotFound);
    std::vector<FieldDef> fields;
    auto describe = [&] {
        for (const auto& c : cat.tableInfo(*e).columns)
            fields.push_back(FieldDef{c.name, c.type, c.size, c.autoIncrement, c.required});
    };
    if (e->kind == Catalog::Kind::Link) {
        try {
            describe();
        } catch (const rt::Error&) {
            // The linked file is missing: the link itself is still described.
        }
        return std::make_shared<TableDef>(e->name, e->connect, e->source, std::move(fields));
    }
    describe();
    return std::make_shared<TableDef>(e->name, std::string{}, e->name, std::move(fields));
}

std::vector<std::string> Database::tableDefNames() const {
    conn_->checkOpen();
    conn_->catalog->revalidate();
    auto out = conn_->catalog->names(Catalog::Kind::Table);
    for (auto& n : conn_->catalog->names(Catalog::Kind::Link)) out.push_back(n);
    return out;
}

void Database::createTable(const std::string& name, const std::vector<FieldDef>& fields) {
    conn_->checkOpen();
    if (conn_->catalog->find(name)) throw err::make(err::TableExists, name);
    std::string ddl = "CREATE TABLE " + bracket(name) + " (";
    for (std::size_t i = 0; i < fields.size(); ++i) {
        const FieldDef& f = fields[i];
        if (i) ddl += ", ";
        ddl += bracket(f.name) + " " + dialectType(f);
        if (f.type == FieldType::Text) {
            ddl += '(';
            ddl += std::to_string(f.size > 0 ? f.size : 255);
            ddl += ')';
        }
        if (f.required) ddl += " NOT NULL";
    }
    ddl += ")";
    execute(ddl);
}

void Database::createLinkedTable(const std::string& name, const std::string& connect,
                                 const std::string& sourceTable) {
    conn_->checkOpen();
    Catalog& cat = *conn_->catalog;
    cat.revalidate();
    if (cat.find(name)) throw err::make(err::ObjectExists, name);
    if (conn_->readOnly) throw err::make(err::ReadOnly);
    sql::ConnectString cs = sql::parseConnect(connect);
    if (!cs.hasDatabase || cs.database.empty()) throw err::make(err::InvalidArgument);
    LinkInfo& link = conn_->addLink(name, connect, sourceTable);
    if (link.error) {
        LinkInfo failed = link;
        conn_->removeLink(failed.name);
        throw err::make(failed.error, failed.errorDetail);
    }
    // The source table must exist in the linked file.
    {
        detail::Stmt st(conn_->db, "SELECT count(*) FROM " + detail::quoteName(link.schema) +
                                       ".sqlite_master WHERE type IN ('table','view') AND name = ?1 COLLATE NOCASE");
        st.bind(1, std::string_view(sourceTable));
        st.step();
        if (st.int64(0) == 0) {
            conn_->removeLink(name);
            throw err::make(err::UnknownObject, sourceTable);
        }
    }
    try {
        detail::Stmt st(conn_->db, "INSERT INTO MSysLinks (Name, Connect, SourceTable) VALUES (?1, ?2, ?3)");
        st.bind(1, std::string_view(name));
        st.bind(2, std::string_view(connect));
        st.bind(3, std::string_view(sourceTable));
        st.step();
    } catch (...) {
        conn_->removeLink(name);
        throw;
    }
    cat.invalidate();
}

void Database::deleteTableDef(const std::string& name) {
    conn_->checkOpen();
    Catalog& cat = *conn_->catalog;
    cat.revalidate();
    auto e = cat.find(name);
    if (!e || e->kind == Catalog::Kind::Query) throw err::make(err::ItemNotFound);
    if (e->kind == Catalog::Kind::Link) {
        detail::Stmt st(conn_->db, "DELETE FROM MSysLinks WHERE Name = ?1");
        st.bind(1, std::string_view(e->name));
        st.step();
        conn_->removeLink(e->name);
        cat.invalidate();
        return;
    }
    execute("DROP TABLE " + bracket(e->name));
}

void Database::newPassword(const std::string& oldPassword, const std::string& newPassword) {
    conn_->checkOpen();
    if (conn_->readOnly) throw err::make(err::ReadOnly);
    if (!conn_->passwordMatches("main", oldPassword)) throw err::make(err::InvalidPassword);
    conn_->storePassword(newPassword);
}

} // namespace engine
