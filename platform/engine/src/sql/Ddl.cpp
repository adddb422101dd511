#include "sql/Ddl.h"

#include "runtime/Text.h"
#include "sql/Lexer.h"
#include "sql/SqlError.h"

namespace engine::sql {

namespace {

bool eqNoCase(std::string_view a, std::string_view b) { return rt::text::equalsNoCase(a, b); }

std::string upperAscii(std::string_view s) {
    std::string r(s);
    for (char& c : r)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
    return r;
}

// A column type of the dialect as this layer declares it in SQLite.
struct TypeSpec {
    FieldType type = FieldType::Text;
    int size = 0;
    std::string declared;   // "TEXT(50)", "LONG", ... ("INTEGER" for a counter)
    bool counter = false;
    bool text = false;      // gets COLLATE JETNOCASE
};

bool typeSpecOf(const ast::ColumnDef& c, TypeSpec& t) {
    const std::string& w = c.typeWord;
    auto is = [&](std::initializer_list<const char*> words) {
        for (const char* x : words)
            if (w == x) return true;
        return false;
    };
    if (is({"TEXT", "CHAR", "VARCHAR", "ALPHANUMERIC", "STRING", "CHARACTER", "NCHAR", "NVARCHAR"})) {
        int n = c.size < 0 ? 255 : c.size;
        if (n < 1 || n > 255) return false;
        t = {FieldType::Text, n, "TEXT(" + std::to_string(n) + ")", false, true};
        return true;
    }
    if (c.size >= 0 && !is({"BINARY", "VARBINARY", "DECIMAL", "NUMERIC"})) return false;
    if (is({"MEMO", "LONGTEXT", "LONGCHAR", "NOTE", "NTEXT"})) t = {FieldType::Memo, 0, "LONGTEXT", false, true};
    else if (is({"BYTE", "INTEGER1", "TINYINT"})) t = {FieldType::Byte, 0, "BYTE", false, false};
    else if (is({"SHORT", "SMALLINT", "INTEGER2"})) t = {FieldType::Integer, 0, "SHORT", false, false};
    else if (is({"LONG", "INTEGER", "INT", "INTEGER4"})) t = {FieldType::Long, 0, "LONG", false, false};
    else if (is({"COUNTER", "AUTOINCREMENT", "IDENTITY"})) t = {FieldType::Long, 0, "INTEGER", true, false};
    else if (is({"SINGLE", "REAL", "FLOAT4", "IEEESINGLE"})) t = {FieldType::Single, 0, "SINGLE", false, false};
    else if (is({"DOUBLE", "FLOAT", "FLOAT8", "IEEEDOUBLE", "NUMBER", "NUMERIC", "DECIMAL"}))
        t = {FieldType::Double, 0, "DOUBLE", false, false};
    else if (is({"CURRENCY", "MONEY"})) t = {FieldType::Currency, 0, "CURRENCY", false, false};
    else if (is({"YESNO", "BIT", "LOGICAL", "LOGICAL1", "BOOLEAN"})) t = {FieldType::Boolean, 0, "YESNO", false, false};
    else if (is({"DATETIME", "DATE", "TIME", "TIMESTAMP"})) t = {FieldType::Date, 0, "DATETIME", false, false};
    else if (is({"BINARY", "VARBINARY", "LONGBINARY", "OLEOBJECT", "GENERAL", "IMAGE"}))
        t = {FieldType::Binary, 0, "LONGBINARY", false, false};
    else return false;
    return true;
}

// The checks that keep SQL writes within a column's declared type, as the
// recordset's field writes are: a text no longer than its size (counted in
// characters), whole numbers within their range, numbers in number
// columns. The constraint names ("size:", "type:", "range:" and the
// column) tell the engine which error to report.
std::string checkSql(const std::string& name, const TypeSpec& t) {
    const std::string col = quoteIdent(name);
    auto named = [&](const char* kind, const std::string& expr) {
        return " CONSTRAINT " + quoteIdent(std::string(kind) + ":" + name) + " CHECK (" + expr + ")";
    };
    auto range = [&](const char* lo, const char* hi) {
        return named("type", "typeof(" + col + ") IN ('integer','null')") +
               named("range", col + " IS NULL OR " + col + " BETWEEN " + lo + " AND " + hi);
    };
    switch (t.type) {
    case FieldType::Text: return named("size", "length(" + col + ") <= " + std::to_string(t.size));
    case FieldType::Byte: return range("0", "255");
    case FieldType::Integer: return range("-32768", "32767");
    case FieldType::Long: return range("-2147483648", "2147483647");
    case FieldType::Boolean: return named("type", "typeof(" + col + ") IN ('integer','null')");
    case FieldType::Single:
    case FieldType::Double:
    case FieldType::Currency: return named("type", "typeof(" + col + ") IN ('integer','real','null')");
    default: return {};
    }
}

// Column definition text; `unique` and `notNull` already merged from
// table constraints.
std::string columnSql(const ast::ColumnDef& c, const TypeSpec& t, bool notNull, bool unique) {
    std::string s = quoteIdent(c.name) + " ";
    if (t.counter) return s + "INTEGER PRIMARY KEY AUTOINCREMENT";
    s += t.declared;
    if (t.text) s += " COLLATE JETNOCASE";
    if (notNull) s += " NOT NULL";
    if (unique) s += " UNIQUE";
    if (t.type == FieldType::Boolean) s += " DEFAULT 0";
    s += checkSql(c.name, t);
    return s;
}

ColumnInfo infoOf(const ast::ColumnDef& c, const TypeSpec& t, bool notNull) {
    ColumnInfo i;
    i.name = c.name;
    i.type = t.type;
    i.size = t.type == FieldType::Text ? t.size : 0;
    i.autoIncrement = t.counter;
    i.required = notNull;
    return i;
}

void createTable(const ast::Statement& st, Translation& t) {
    struct Col { const ast::ColumnDef* def; TypeSpec type; bool notNull; bool unique; };
    std::vector<Col> cols;
    int counters = 0;
    for (const auto& c : st.columns) {
        Col col{&c, {}, c.notNull, c.unique};
        if (!typeSpecOf(c, col.type)) throw sqlError(code::SyntaxCreateTable);
        if (col.type.counter) {
            ++counters;
        } else if (c.primaryKey) {
            col.notNull = true;
            col.unique = true;
        }
        for (const auto& other : cols)
            if (eqNoCase(other.def->name, c.name)) throw sqlError(code::SyntaxCreateTable);
        cols.push_back(col);
    }
    if (cols.empty() || counters > 1) throw sqlError(code::SyntaxCreateTable);
    std::vector<std::string> constraints;
    for (const auto& tc : st.constraints) {
        std::vector<std::string> names;
        bool onlyCounter = tc.columns.size() == 1;
        for (const auto& n : tc.columns) {
            Col* found = nullptr;
            for (auto& c : cols)
                if (eqNoCase(c.def->name, n)) found = &c;
            if (!found) throw sqlError(code::SyntaxConstraint);
            if (!found->type.counter) onlyCounter = false;
            if (tc.primaryKey) found->notNull = !found->type.counter;
            names.push_back(quoteIdent(found->def->name));
        }
        if (tc.primaryKey && onlyCounter) continue;   // the counter is the key already
        std::string s = tc.name.empty() ? std::string() : "CONSTRAINT " + quoteIdent(tc.name) + " ";
        s += "UNIQUE (";
        for (std::size_t i = 0; i < names.size(); ++i) s += (i ? ", " : "") + names[i];
        constraints.push_back(s + ")");
    }
    std::string sql = "CREATE TABLE " + quoteIdent(st.table) + " (";
    bool first = true;
    if (counters == 0) {
        sql += quoteIdent(kRowKeyColumn) + " INTEGER PRIMARY KEY";
        first = false;
    }
    for (const auto& c : cols) {
        sql += first ? "" : ", ";
        first = false;
        sql += columnSql(*c.def, c.type, c.notNull, c.unique);
        t.createdColumns.push_back(infoOf(*c.def, c.type, c.notNull));
    }
    for (const auto& c : constraints) sql += ", " + c;
    t.sql = sql + ")";
}

// A local table named in a DDL statement.
SourceInfo localTable(SchemaResolver& schema, const std::string& name, std::string& schemaName,
                      std::string& table) {
    auto info = schema.resolve(name);
    if (!info || info->kind != SourceInfo::Kind::Table) throw sqlError(code::TableMissing, name);
    if (!splitSqlRef(info->sqlRef, schemaName, table)) throw sqlError(code::LinkedDdl);
    if (!eqNoCase(schemaName, "main")) throw sqlError(code::LinkedDdl);
    return *info;
}

std::string indexName(const std::string& table, const std::string& index) { return table + "_" + index; }

} // namespace

bool splitSqlRef(const std::string& ref, std::string& schemaName, std::string& table) {
    std::vector<std::string> parts;
    std::size_t i = 0;
    while (i < ref.size()) {
        if (ref[i] != '"') return false;
        std::string part;
        ++i;
        bool closed = false;
        while (i < ref.size()) {
            if (ref[i] == '"') {
                if (i + 1 < ref.size() && ref[i + 1] == '"') { part += '"'; i += 2; continue; }
                closed = true;
                ++i;
                break;
            }
            part += ref[i++];
        }
        if (!closed) return false;
        parts.push_back(part);
        if (i < ref.size()) {
            if (ref[i] != '.') return false;
            ++i;
        }
    }
    if (parts.size() != 2) return false;
    schemaName = parts[0];
    table = parts[1];
    return true;
}

void translateDdl(const ast::Statement& st, SchemaResolver& schema, Translation& t) {
    t.tableName = st.table;
    std::string schemaName, table;
    switch (st.kind) {
    case StatementKind::CreateTable: createTable(st, t); return;
    case StatementKind::DropTable:
        localTable(schema, st.table, schemaName, table);
        t.sql = "DROP TABLE " + quoteIdent(schemaName) + "." + quoteIdent(table);
        return;
    case StatementKind::AlterTable: {
        SourceInfo info = localTable(schema, st.table, schemaName, table);
        const std::string ref = quoteIdent(schemaName) + "." + quoteIdent(table);
        const ast::ColumnDef& c = st.columns.front();
        if (!st.alterAdd) {
            std::string name = c.name;
            for (const auto& col : info.columns)
                if (eqNoCase(col.name, c.name)) name = col.name;
            t.sql = "ALTER TABLE " + ref + " DROP COLUMN " + quoteIdent(name);
            return;
        }
        TypeSpec type;
        if (!typeSpecOf(c, type)) throw sqlError(code::SyntaxAlterTable);
        if (type.counter || c.primaryKey || c.unique)
            throw sqlError(code::NotSupported,
                           "ALTER TABLE cannot add a COUNTER, PRIMARY KEY or UNIQUE column; add the column and "
                           "use CREATE UNIQUE INDEX.");
        t.sql = "ALTER TABLE " + ref + " ADD COLUMN " + columnSql(c, type, c.notNull, false);
        t.createdColumns.push_back(infoOf(c, type, c.notNull));
        return;
    }
    case StatementKind::CreateIndex: {
        SourceInfo info = localTable(schema, st.table, schemaName, table);
        std::string cols;
        for (std::size_t i = 0; i < st.indexColumns.size(); ++i) {
            std::string name = st.indexColumns[i].name;
            for (const auto& col : info.columns)
                if (eqNoCase(col.name, name)) name = col.name;
            cols += (i ? ", " : "") + quoteIdent(name) + (st.indexColumns[i].desc ? " DESC" : "");
        }
        t.sql = std::string("CREATE ") + (st.uniqueIndex || st.primaryIndex ? "UNIQUE " : "") + "INDEX " +
                quoteIdent(schemaName) + "." + quoteIdent(indexName(table, st.indexName)) + " ON " +
                quoteIdent(table) + " (" + cols + ")";
        return;
    }
    case StatementKind::DropIndex:
        localTable(schema, st.table, schemaName, table);
        t.sql = "DROP INDEX " + quoteIdent(schemaName) + "." + quoteIdent(indexName(table, st.indexName));
        return;
    default: break;
    }
    throw sqlError(code::InvalidStatement);
}

// ---- describeColumn ------------------------------------------------------

ColumnInfo describeColumn(std::string_view name, std::string_view declaredType, bool isIntegerPrimaryKey,
                          bool notNull) {
    ColumnInfo c;
    c.name = std::string(name);
    c.required = notNull;
    std::string u = upperAscii(declaredType);
    int size = -1;
    std::string word = u;
    if (auto open = u.find('('); open != std::string::npos) {
        word = u.substr(0, open);
        std::size_t close = u.find(')', open);
        std::string digits = u.substr(open + 1, close == std::string::npos ? std::string::npos : close - open - 1);
        if (digits.size() < 7 && digits.find_first_not_of("0123456789 ") == std::string::npos &&
            digits.find_first_of("0123456789") != std::string::npos)
            size = std::stoi(digits);
    }
    while (!word.empty() && word.back() == ' ') word.pop_back();
    if (isIntegerPrimaryKey) {
        c.type = FieldType::Long;
        c.autoIncrement = true;
        return c;
    }
    if ((word == "TEXT" || word == "VARCHAR" || word == "CHAR" || word == "NVARCHAR" || word == "NCHAR") &&
        size >= 1 && size <= 255) {
        c.type = FieldType::Text;
        c.size = size;
        return c;
    }
    struct Map { const char* word; FieldType type; };
    static const Map maps[] = {
        {"MEMO", FieldType::Memo},      {"LONGTEXT", FieldType::Memo},  {"BYTE", FieldType::Byte},
        {"SHORT", FieldType::Integer},  {"SMALLINT", FieldType::Integer}, {"LONG", FieldType::Long},
        {"SINGLE", FieldType::Single},  {"DOUBLE", FieldType::Double},  {"CURRENCY", FieldType::Currency},
        {"YESNO", FieldType::Boolean},  {"DATETIME", FieldType::Date},  {"LONGBINARY", FieldType::Binary},
        {"BLOB", FieldType::Binary},
    };
    for (const Map& m : maps)
        if (word == m.word) {
            c.type = m.type;
            return c;
        }
    // Tables made by other programs: SQLite's affinity rules.
    if (u.find("INT") != std::string::npos) c.type = FieldType::Long;
    else if (u.find("REAL") != std::string::npos || u.find("FLOA") != std::string::npos ||
             u.find("DOUB") != std::string::npos)
        c.type = FieldType::Double;
    else c.type = FieldType::Memo;
    return c;
}

} // namespace engine::sql
