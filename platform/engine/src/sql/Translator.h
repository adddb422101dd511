#pragma once
// Translation of the dialect's SQL into SQLite SQL.
//
// The dialect (as the classic engine speaks it) differs from SQLite in ways
// the translator makes explicit:
//   - names in [brackets]; bare names that start with digits (0100_Messung)
//     or contain non-ASCII letters; all names are emitted double-quoted;
//   - text constants in '...' or "..." (both become SQLite '...');
//   - True / False / Yes / No / On / Off are -1 / 0; Null; #date# constants;
//   - "&" joins texts, treating Null as ""; "/" divides as floating point,
//     "\" divides as integers, Mod;
//   - Like with *, ?, #, [a-z], [!a-z] via the SQL function jet_like();
//   - text comparison ignoring case (umlauts included) via the collation
//     JETNOCASE attached to every comparison and text column;
//   - DELETE * FROM, SELECT DISTINCT / DISTINCTROW / TOP n, PARAMETERS clause;
//   - SELECT * and T.* expanded from the schema (the hidden row key omitted);
//   - a column that appears twice (SELECT T.C, T.* ...) is named "T.C" where
//     it was written qualified, plain "C" elsewhere;
//   - table names resolved through the catalog: local tables, linked tables
//     (an attached file), stored queries (inlined as subqueries);
//   - CREATE TABLE / ALTER TABLE with TEXT(n), MEMO, BYTE, INTEGER, SHORT,
//     LONG, COUNTER, AUTOINCREMENT, SINGLE, DOUBLE, CURRENCY, YESNO, BIT,
//     DATETIME; CREATE [UNIQUE] INDEX, DROP TABLE / INDEX.
// A statement that cannot be tokenized or parsed raises rt::Error with a
// syntax error number (3075 expression, 3131 FROM clause, 3129 invalid
// statement, 3134 other statements); translation never crashes or loops.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/Types.h"

struct sqlite3;

namespace engine::sql {

// Name of the hidden integer key column added to tables that declare no
// COUNTER / integer key of their own.
inline constexpr const char* kRowKeyColumn = "_RowKey";

struct ColumnInfo {
    std::string name;
    FieldType type = FieldType::Text;
    int size = 0;           // declared text size (TEXT(n)); 0 otherwise
    bool autoIncrement = false;
    bool required = false;
};

// What a name in a FROM position (or after UPDATE / INSERT INTO / DELETE
// FROM) refers to. Provided by the engine's catalog.
struct SourceInfo {
    enum class Kind { Table, Query } kind = Kind::Table;
    // Table: the SQLite reference, e.g. "\"main\".\"0100_Messung\"" or
    // "\"link1\".\"Kunde\"". Query: unused (see querySql).
    std::string sqlRef;
    // Table: the integer key column (kRowKeyColumn or the declared key).
    std::string keyColumn;
    // Visible columns in order (hidden key excluded).
    std::vector<ColumnInfo> columns;
    // Query: the stored query's dialect text (PARAMETERS clause included);
    // the translator translates it recursively (depth-limited: 3078 on a cycle).
    std::string querySql;
};

class SchemaResolver {
public:
    virtual ~SchemaResolver() = default;
    // nullopt when the name is unknown (the translator raises 3078).
    virtual std::optional<SourceInfo> resolve(std::string_view name) = 0;
};

enum class StatementKind {
    Select, Insert, Update, Delete, SelectInto,
    CreateTable, AlterTable, DropTable, CreateIndex, DropIndex,
};

struct ParameterDecl {
    std::string name;
    FieldType type = FieldType::Text;
};

// One result column of a SELECT.
struct ResultColumn {
    std::string name;           // the field name callers see
    FieldType type = FieldType::Text;
    int size = 0;
    int baseColumn = -1;        // index into Updatable::baseColumns, -1 if computed
};

// Present when a SELECT reads one base table without grouping, DISTINCT,
// joins or aggregates (possibly through stored queries that do the same):
// its rows can be written back through the base table's key.
struct Updatable {
    std::string baseRef;                  // SQLite reference of the base table
    std::string baseName;                 // the table's name as the dialect knows it
    std::string keyColumn;                // its integer key column
    std::vector<ColumnInfo> baseColumns;  // writable columns (name = base column)
};

struct Translation {
    StatementKind kind = StatementKind::Select;
    // SQLite text. For a SELECT the last result column is the base table's
    // key, named "__bk" when `updatable` is set (not part of `columns`).
    std::string sql;
    // Parameter names in the order of ?1, ?2, ... (the same name may occur
    // once; the SQL uses ?N repeatedly).
    std::vector<std::string> parameterOrder;
    // Declared by a PARAMETERS clause (stored queries).
    std::vector<ParameterDecl> declaredParameters;
    // SELECT: the result fields in order.
    std::vector<ResultColumn> columns;
    std::optional<Updatable> updatable;
    // DDL: the table the statement creates or changes, and its columns.
    std::string tableName;
    std::vector<ColumnInfo> createdColumns;
};

// Translates one statement. `parameters` are names that stand for
// parameters (declared by the caller); names declared in a PARAMETERS
// clause are added. Any other unknown name is left to SQLite, whose
// "no such column" the engine reports as 3061 (too few parameters).
Translation translate(std::string_view dialectSql, SchemaResolver& schema,
                      const std::vector<ParameterDecl>& parameters = {});

// Criteria of FindFirst and friends: an expression over the fields of a
// recordset. Field references become ?N (N = 1 + index into fieldNames,
// names matched ignoring case, also as [name] or table.name); the result is
// an SQLite expression to evaluate with "SELECT (<expr>)". Raises 3075 on a
// syntax error and 3075 for an unknown name.
//
// `affinities` (one per field, or empty) tells how the field's column
// compares in SQL: a field of a Text column compares as text ignoring case
// and turns a number it is compared with into text; a field of a number
// column turns a numeric text into a number; a field without one (computed,
// dates, or when not given) compares its bound value as it is. With them a
// criterion finds what a WHERE clause over the same columns selects.
enum class FieldAffinity { None, Text, Numeric };

struct CriteriaTranslation {
    std::string sqlExpr;
    std::vector<int> usedFields;   // distinct field indexes referenced
    // One "field = constant" term. `constantSql` is the constant as an
    // SQLite expression ('abc', 12, (-12), -1 for True); `constant` is a
    // text constant's value or a number as written, with "-" in front when
    // negated; `textConstant` tells a text constant from a number.
    struct Equality {
        int field = 0;
        std::string constantSql;
        std::string constant;
        bool textConstant = false;
    };
    // The terms, when the whole criterion is nothing but such terms joined
    // by And (constant on either side); empty otherwise.
    std::vector<Equality> equalities;
};
CriteriaTranslation translateCriteria(std::string_view criteria,
                                      const std::vector<std::string>& fieldNames,
                                      const std::vector<FieldAffinity>& affinities = {});

// The column description of a column as SQLite declares it. The translator
// writes the dialect's types into the declared type ("TEXT(50)", "LONGTEXT"
// for MEMO (a name with TEXT affinity, so memo texts such as "0012" stay
// texts), "BYTE", "SHORT", "LONG", "SINGLE", "DOUBLE", "CURRENCY", "YESNO",
// "DATETIME", "LONGBINARY"; a COUNTER becomes "INTEGER PRIMARY KEY
// AUTOINCREMENT"), so the engine reads the types back from PRAGMA table_info. Declared types of
// tables made by other programs map by SQLite's affinity rules (INT ->
// Long, REAL/FLOA/DOUB -> Double, otherwise Memo).
ColumnInfo describeColumn(std::string_view name, std::string_view declaredType,
                          bool isIntegerPrimaryKey, bool notNull);

// Registers the collation JETNOCASE and the functions the translated SQL
// uses (jet_like, jet_concat, jet_add, jet_idiv, jet_mod, jet_pow, jet_len,
// jet_left, ..., aggregates jet_first / jet_last) on a connection, and turns
// off SQLite's reading of an unknown "name" as a text constant (so an
// unknown name stays "no such column").
void registerFunctions(sqlite3* db);

// Parses "... ;pwd=secret;DATABASE=C:\x\be.mdb" into its parts (keys ignoring case).
struct ConnectString {
    std::string password;
    std::string database;
    bool hasDatabase = false;
};
ConnectString parseConnect(std::string_view connect);

} // namespace engine::sql
