#pragma once
// Syntax tree of the dialect's statements, as the parser builds it and the
// emitter walks it. Nodes own their children; the tree holds no references
// into the source text.
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "sql/Translator.h"

namespace engine::sql::ast {

struct Select;
struct Expr;
using ExprPtr = std::unique_ptr<Expr>;

struct Expr {
    enum class Kind {
        Number,     // text = literal as written
        Text,       // text = value
        Date,       // text = 'YYYY-MM-DD HH:MM:SS'
        Null,
        Bool,       // number = -1 / 0
        Name,       // parts = qualifier(s) and name; text = as written (separators kept)
        Star,       // Count(*) argument
        Unary,      // text = "-", "+", "not"; args[0]
        Binary,     // text = operator in lower case ("and", "mod", "=", "&", ...); args[0], args[1]
        Between,    // args = value, low, high; negated
        InList,     // args[0] value, args[1..] list; negated
        InSelect,   // args[0] value, sub; negated
        Like,       // args = value, pattern; negated
        IsNull,     // args[0]; negated = Is Not Null
        Exists,     // sub
        Subquery,   // sub (scalar)
        Call,       // text = function name as written; args
    };
    Kind kind = Kind::Null;
    std::string text;
    std::vector<std::string> parts;
    std::vector<ExprPtr> args;
    std::unique_ptr<Select> sub;
    bool negated = false;
    std::size_t pos = 0, end = 0;   // source range, for messages
};

struct SelectItem {
    ExprPtr expr;              // null for * / T.*
    std::string starQualifier; // T of T.* ("" for *)
    bool star = false;
    std::string alias;
};

struct FromItem {
    enum class Kind { Named, Derived, Join } kind = Kind::Named;
    std::string name;                 // Named: the table or query name
    std::string alias;                // Named / Derived
    std::unique_ptr<Select> sub;      // Derived
    std::string joinType;             // "INNER", "LEFT", "RIGHT"
    std::unique_ptr<FromItem> left, right;
    ExprPtr on;
};

struct OrderItem {
    ExprPtr expr;
    bool desc = false;
};

struct Select {
    bool distinct = false;
    bool distinctRow = false;
    std::optional<long long> top;
    bool topPercent = false;
    std::vector<SelectItem> items;
    std::string intoTable;            // SELECT ... INTO t
    bool hasInto = false;
    std::vector<std::unique_ptr<FromItem>> from;
    ExprPtr where;
    std::vector<ExprPtr> groupBy;
    ExprPtr having;
    std::unique_ptr<Select> unionNext;  // next part of a UNION
    bool unionAll = false;
    std::vector<OrderItem> orderBy;     // on the first part: orders the whole union
};

struct Assignment {
    ExprPtr target;   // a Name
    ExprPtr value;
};

struct ColumnDef {
    std::string name;
    std::string typeWord;     // upper-case type keyword
    int size = -1;            // TEXT(n) / CHAR(n): n; -1 when not given
    bool notNull = false;
    bool primaryKey = false;
    bool unique = false;
};

struct TableConstraint {
    std::string name;
    bool primaryKey = false;  // else UNIQUE
    std::vector<std::string> columns;
};

struct IndexColumn {
    std::string name;
    bool desc = false;
};

struct Statement {
    StatementKind kind = StatementKind::Select;
    std::vector<ParameterDecl> params;      // PARAMETERS clause
    std::unique_ptr<Select> select;         // Select, SelectInto, Insert ... SELECT
    // Insert
    std::string table;                      // Insert / Update / Delete target, DDL table
    std::vector<std::string> insertColumns;
    bool hasColumnList = false;
    std::vector<ExprPtr> values;
    // Update / Delete
    std::unique_ptr<FromItem> target;       // UPDATE target or DELETE FROM list (first item)
    std::vector<std::unique_ptr<FromItem>> deleteFrom;
    std::string deleteQualifier;            // DELETE T.* FROM ...
    std::vector<Assignment> assignments;
    ExprPtr where;
    // DDL
    std::vector<ColumnDef> columns;
    std::vector<TableConstraint> constraints;
    bool alterAdd = false;                  // ALTER TABLE: ADD (else DROP)
    std::string indexName;
    bool uniqueIndex = false;
    bool primaryIndex = false;
    std::vector<IndexColumn> indexColumns;
};

} // namespace engine::sql::ast
