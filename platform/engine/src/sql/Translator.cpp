#include "sql/Translator.h"

#include <memory>
#include <utility>

#include "runtime/Text.h"
#include "sql/Ast.h"
#include "sql/Ddl.h"
#include "sql/ExprEmitter.h"
#include "sql/Lexer.h"
#include "sql/Parser.h"
#include "sql/SqlError.h"

namespace engine::sql {

namespace {

using ast::Expr;
using ast::FromItem;
using ast::Select;

constexpr std::size_t kMaxQueryNesting = 16;
constexpr const char* kKeyAlias = "__bk";

bool eqNoCase(std::string_view a, std::string_view b) { return rt::text::equalsNoCase(a, b); }

// A column as a FROM source offers it.
struct SourceColumn {
    std::string name;
    FieldType type = FieldType::Text;
    int size = 0;
    int baseColumn = -1;   // index into the source's Updatable::baseColumns
};

// One FROM source of a SELECT level.
struct Source {
    std::string alias;                   // as emitted ("<alias or name>")
    std::vector<SourceColumn> columns;
    std::optional<Updatable> updatable;  // table, or query that is itself updatable
    std::string keyExpr;                 // "alias"."key" / "alias"."__bk" when updatable
    bool isTable = false;                // a table (not a query or subquery)

    int findColumn(std::string_view n) const {
        for (std::size_t i = 0; i < columns.size(); ++i)
            if (eqNoCase(columns[i].name, n)) return static_cast<int>(i);
        return -1;
    }
};

struct Scope {
    std::vector<std::unique_ptr<Source>> sources;
    const Scope* parent = nullptr;
};

struct SelectOut {
    std::string sql;
    std::vector<ResultColumn> columns;
    std::optional<Updatable> updatable;
};

// A name resolved to a column of a source.
struct ColumnRef {
    const Source* source = nullptr;
    int column = -1;
};

class StatementEmitter;

// Expressions inside a SELECT (or UPDATE / DELETE): names are columns of
// the scope's sources, of enclosing scopes, or parameters.
class ScopedExprEmitter : public ExprEmitter {
public:
    ScopedExprEmitter(StatementEmitter& owner, const Scope& scope) : owner_(owner), scope_(scope) {}
    // The column a Name refers to, if any (3079 when ambiguous).
    ColumnRef resolveColumn(const Expr& e) const;

protected:
    Emitted name(const Expr& e) override;
    std::string subquery(const Select& s) override;

private:
    StatementEmitter& owner_;
    const Scope& scope_;
};

class StatementEmitter {
public:
    StatementEmitter(SchemaResolver& schema, ParameterSet& params, std::vector<ParameterDecl>& declared,
                     std::vector<std::string>& active)
        : schema_(schema), params_(params), declared_(declared), active_(active) {}

    SelectOut select(const Select& s, const Scope* parent, bool wantKey);
    ParameterSet& params() { return params_; }

    // FROM item into SQL, adding its sources to the scope.
    std::string from(const FromItem& f, Scope& scope);
    void declare(const std::vector<ParameterDecl>& ps) {
        for (const auto& p : ps) {
            if (params_.find(p.name)) continue;
            params_.addKnown(p);
            declared_.push_back(p);
        }
    }
    SourceInfo resolveTable(const std::string& name) {
        auto info = schema_.resolve(name);
        if (!info) throw sqlError(code::UnknownObject, name);
        return *info;
    }

private:
    SchemaResolver& schema_;
    ParameterSet& params_;
    std::vector<ParameterDecl>& declared_;
    std::vector<std::string>& active_;

    std::unique_ptr<Source> namedSource(const std::string& name, const std::string& alias, std::string& sql);
    std::unique_ptr<Source> derivedSource(const SelectOut& inner, const std::string& alias);
};

ColumnRef ScopedExprEmitter::resolveColumn(const Expr& e) const {
    ColumnRef ref;
    if (e.kind != Expr::Kind::Name) return ref;
    if (e.parts.size() == 1) {
        for (const Scope* s = &scope_; s; s = s->parent) {
            for (const auto& src : s->sources) {
                int c = src->findColumn(e.parts[0]);
                if (c < 0) continue;
                if (ref.source) throw sqlError(code::AmbiguousField, e.parts[0]);
                ref.source = src.get();
                ref.column = c;
            }
            if (ref.source) return ref;
        }
        return ref;
    }
    if (e.parts.size() == 2) {
        for (const Scope* s = &scope_; s; s = s->parent)
            for (const auto& src : s->sources)
                if (eqNoCase(src->alias, e.parts[0])) {
                    ref.source = src.get();
                    ref.column = src->findColumn(e.parts[1]);
                    return ref;
                }
    }
    return ref;
}

Emitted ScopedExprEmitter::name(const Expr& e) {
    ColumnRef ref = resolveColumn(e);
    Emitted out;
    if (ref.source && ref.column >= 0) {
        const SourceColumn& c = ref.source->columns[static_cast<std::size_t>(ref.column)];
        out.sql = quoteIdent(ref.source->alias) + "." + quoteIdent(c.name);
        out.type = c.type;
        out.size = c.size;
        return out;
    }
    const std::string written = writtenName(e);
    if (const ParameterDecl* p = owner_.params().find(written)) {
        out.sql = owner_.params().use(written);
        out.type = p->type;
        return out;
    }
    if (ref.source) {
        // Known table, unknown column: SQLite reports it (the engine turns
        // that into "too few parameters", as the dialect does).
        out.sql = quoteIdent(ref.source->alias) + "." + quoteIdent(e.parts[1]);
        return out;
    }
    if (e.parts.size() == 2) out.sql = quoteIdent(e.parts[0]) + "." + quoteIdent(e.parts[1]);
    else out.sql = quoteIdent(written);
    return out;
}

std::string ScopedExprEmitter::subquery(const Select& s) { return owner_.select(s, &scope_, false).sql; }

std::unique_ptr<Source> StatementEmitter::derivedSource(const SelectOut& inner, const std::string& alias) {
    auto src = std::make_unique<Source>();
    src->alias = alias;
    for (const auto& c : inner.columns) src->columns.push_back(SourceColumn{c.name, c.type, c.size, c.baseColumn});
    if (inner.updatable) {
        src->updatable = inner.updatable;
        src->keyExpr = quoteIdent(alias) + "." + quoteIdent(kKeyAlias);
    }
    return src;
}

std::unique_ptr<Source> StatementEmitter::namedSource(const std::string& name, const std::string& alias,
                                                      std::string& sql) {
    SourceInfo info = resolveTable(name);
    if (info.kind == SourceInfo::Kind::Table) {
        auto src = std::make_unique<Source>();
        src->alias = alias;
        Updatable u;
        u.baseRef = info.sqlRef;
        u.baseName = name;
        u.keyColumn = info.keyColumn;
        u.baseColumns = info.columns;
        for (std::size_t i = 0; i < info.columns.size(); ++i) {
            const ColumnInfo& c = info.columns[i];
            src->columns.push_back(SourceColumn{c.name, c.type, c.size, static_cast<int>(i)});
        }
        src->updatable = std::move(u);
        src->keyExpr = quoteIdent(alias) + "." + quoteIdent(info.keyColumn);
        src->isTable = true;
        sql = info.sqlRef + " AS " + quoteIdent(alias);
        return src;
    }
    // A stored query: translated in place (its parameters become ours).
    for (const auto& a : active_)
        if (eqNoCase(a, name)) throw sqlError(code::UnknownObject, name);
    if (active_.size() >= kMaxQueryNesting) throw sqlError(code::UnknownObject, name);
    ast::Statement st = parseStatement(info.querySql);
    if (st.kind != StatementKind::Select) throw sqlError(code::UnknownObject, name);
    active_.push_back(name);
    declare(st.params);
    SelectOut inner = select(*st.select, nullptr, true);
    active_.pop_back();
    sql = "(" + inner.sql + ") AS " + quoteIdent(alias);
    return derivedSource(inner, alias);
}

std::string StatementEmitter::from(const FromItem& f, Scope& scope) {
    switch (f.kind) {
    case FromItem::Kind::Named: {
        std::string sql;
        scope.sources.push_back(namedSource(f.name, f.alias.empty() ? f.name : f.alias, sql));
        return sql;
    }
    case FromItem::Kind::Derived: {
        SelectOut inner = select(*f.sub, nullptr, true);
        std::string alias = f.alias.empty() ? "Query" + std::to_string(scope.sources.size() + 1) : f.alias;
        scope.sources.push_back(derivedSource(inner, alias));
        return "(" + inner.sql + ") AS " + quoteIdent(alias);
    }
    case FromItem::Kind::Join: {
        std::string l = from(*f.left, scope);
        std::string r = from(*f.right, scope);
        ScopedExprEmitter ex(*this, scope);
        std::string on = ex.condition(*f.on);
        if (ex.sawAggregate()) throw sqlError(code::SyntaxJoin);
        return "(" + l + " " + f.joinType + " JOIN " + r + " ON " + on + ")";
    }
    }
    throw sqlError(code::SyntaxFrom);
}

// Result naming: a column written qualified keeps "T.C" when the plain name
// C occurs among the other result columns; columns of "*" over several
// sources are qualified when another source delivers the same name.
struct Entry {
    enum class Kind { Expr, Plain, Qualified, Star } kind = Kind::Expr;
    std::string sql;
    std::string alias;
    std::string plain;
    std::string qualified;
    const Source* source = nullptr;
    int column = -1;
    FieldType type = FieldType::Text;
    int size = 0;
};

SelectOut StatementEmitter::select(const Select& s, const Scope* parent, bool wantKey) {
    SelectOut out;
    if (s.topPercent) throw sqlError(code::NotSupported, "TOP n PERCENT is not supported.");
    if (s.hasInto)
        throw sqlError(code::NotSupported,
                       "SELECT ... INTO is not supported; create the table and use INSERT INTO ... SELECT.");
    Scope scope;
    scope.parent = parent;
    std::string fromSql;
    for (std::size_t i = 0; i < s.from.size(); ++i) {
        if (i) fromSql += ", ";
        fromSql += from(*s.from[i], scope);
    }
    ScopedExprEmitter ex(*this, scope);

    std::vector<Entry> entries;
    for (const auto& item : s.items) {
        if (item.star) {
            bool any = false;
            for (const auto& src : scope.sources) {
                if (!item.starQualifier.empty() && !eqNoCase(src->alias, item.starQualifier)) continue;
                any = true;
                for (std::size_t c = 0; c < src->columns.size(); ++c) {
                    Entry e;
                    e.kind = Entry::Kind::Star;
                    e.sql = quoteIdent(src->alias) + "." + quoteIdent(src->columns[c].name);
                    e.plain = src->columns[c].name;
                    e.qualified = src->alias + "." + src->columns[c].name;
                    e.source = src.get();
                    e.column = static_cast<int>(c);
                    e.type = src->columns[c].type;
                    e.size = src->columns[c].size;
                    entries.push_back(std::move(e));
                }
            }
            if (!any) {
                if (item.starQualifier.empty()) throw sqlError(code::SyntaxSelect);
                throw sqlError(code::UnknownObject, item.starQualifier);
            }
            continue;
        }
        Entry e;
        ColumnRef ref = ex.resolveColumn(*item.expr);
        Emitted v = ex.value(*item.expr);
        e.sql = v.sql;
        e.type = v.type;
        e.size = v.size;
        e.alias = item.alias;
        if (ref.source && ref.column >= 0) {
            const SourceColumn& c = ref.source->columns[static_cast<std::size_t>(ref.column)];
            e.source = ref.source;
            e.column = ref.column;
            e.plain = c.name;
            if (item.expr->parts.size() >= 2) {
                e.kind = Entry::Kind::Qualified;
                e.qualified = item.expr->parts[0] + "." + c.name;
            } else {
                e.kind = Entry::Kind::Plain;
            }
        }
        entries.push_back(std::move(e));
    }

    // Final names.
    std::vector<std::string> names(entries.size());
    int exprCounter = 1000;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const Entry& e = entries[i];
        if (!e.alias.empty()) { names[i] = e.alias; continue; }
        switch (e.kind) {
        case Entry::Kind::Expr: names[i] = "Expr" + std::to_string(exprCounter++); break;
        case Entry::Kind::Plain: names[i] = e.plain; break;
        case Entry::Kind::Qualified: {
            bool clash = false;
            for (std::size_t j = 0; j < entries.size() && !clash; ++j)
                if (j != i && entries[j].alias.empty() && entries[j].kind != Entry::Kind::Expr &&
                    eqNoCase(entries[j].plain, e.plain))
                    clash = true;
            names[i] = clash ? e.qualified : e.plain;
            break;
        }
        case Entry::Kind::Star: {
            bool clash = false;
            for (std::size_t j = 0; j < entries.size() && !clash; ++j)
                if (j != i && entries[j].kind == Entry::Kind::Star && entries[j].source != e.source &&
                    eqNoCase(entries[j].plain, e.plain))
                    clash = true;
            names[i] = clash ? e.qualified : e.plain;
            break;
        }
        }
    }

    std::string where = s.where ? ex.condition(*s.where) : std::string();
    std::string groupBy;
    for (std::size_t i = 0; i < s.groupBy.size(); ++i) {
        if (i) groupBy += ", ";
        groupBy += ex.value(*s.groupBy[i]).sql;
    }
    std::string having = s.having ? ex.condition(*s.having) : std::string();
    std::string orderBy;
    if (!s.unionNext) {
        for (std::size_t i = 0; i < s.orderBy.size(); ++i) {
            if (i) orderBy += ", ";
            orderBy += ex.value(*s.orderBy[i].expr).sql + (s.orderBy[i].desc ? " DESC" : "");
        }
    } else {
        // ORDER BY of a union names result columns.
        for (std::size_t i = 0; i < s.orderBy.size(); ++i) {
            const Expr& oe = *s.orderBy[i].expr;
            if (oe.kind != Expr::Kind::Name) throw sqlError(code::SyntaxOrderBy);
            const std::string& want = oe.parts.back();
            int found = -1;
            for (std::size_t j = 0; j < names.size(); ++j)
                if (eqNoCase(names[j], want) || eqNoCase(names[j], writtenName(oe))) { found = static_cast<int>(j); break; }
            if (found < 0) throw sqlError(code::SyntaxOrderBy);
            if (i) orderBy += ", ";
            orderBy += std::to_string(found + 1) + (s.orderBy[i].desc ? " DESC" : "");
        }
    }
    bool aggregate = ex.sawAggregate();

    const bool single = s.from.size() == 1 && s.from[0]->kind != FromItem::Kind::Join;
    const Source* only = single ? scope.sources.front().get() : nullptr;
    const bool updatable = wantKey && only && only->updatable && !s.distinct && s.groupBy.empty() && !s.having &&
                           !aggregate && !s.top && !s.unionNext;

    std::string sql = "SELECT ";
    if (s.distinct) sql += "DISTINCT ";
    for (std::size_t i = 0; i < entries.size(); ++i) {
        if (i) sql += ", ";
        sql += entries[i].sql + " AS " + quoteIdent(names[i]);
        ResultColumn rc;
        rc.name = names[i];
        rc.type = entries[i].type;
        rc.size = entries[i].size;
        if (updatable && entries[i].source == only && entries[i].column >= 0)
            rc.baseColumn = only->columns[static_cast<std::size_t>(entries[i].column)].baseColumn;
        out.columns.push_back(std::move(rc));
    }
    if (updatable) {
        sql += ", " + only->keyExpr + " AS " + quoteIdent(kKeyAlias);
        out.updatable = only->updatable;
    }
    if (!fromSql.empty()) sql += " FROM " + fromSql;
    if (!where.empty()) sql += " WHERE " + where;
    if (!groupBy.empty()) sql += " GROUP BY " + groupBy;
    if (!having.empty()) sql += " HAVING " + having;

    if (s.unionNext) {
        const Select* part = s.unionNext.get();
        bool all = s.unionAll;
        while (part) {
            if (!part->orderBy.empty()) throw sqlError(code::SyntaxOrderBy);
            SelectOut o = select(*part, nullptr, false);
            if (o.columns.size() != out.columns.size())
                throw sqlError(code::NotSupported, "The number of columns in the two selected tables or queries of "
                                                   "a union query do not match.");
            sql += all ? " UNION ALL " : " UNION ";
            sql += o.sql;
            all = part->unionAll;
            part = part->unionNext.get();
        }
    }
    if (!orderBy.empty()) sql += " ORDER BY " + orderBy;
    if (s.top) sql += " LIMIT " + std::to_string(*s.top);
    out.sql = std::move(sql);
    return out;
}

} // namespace

// ---- translate -------------------------------------------------------------

namespace {

struct Translator {
    SchemaResolver& schema;
    ParameterSet params;
    std::vector<std::string> active;
    Translation t;
    StatementEmitter em{schema, params, t.declaredParameters, active};

    explicit Translator(SchemaResolver& s) : schema(s) {}

    void selectStatement(const ast::Statement& st) {
        SelectOut o = em.select(*st.select, nullptr, true);
        t.sql = std::move(o.sql);
        t.columns = std::move(o.columns);
        t.updatable = std::move(o.updatable);
    }

    // Target of an INSERT / UPDATE / DELETE: a table, or a query whose rows
    // write through to one table.
    struct WriteTarget {
        std::string sqlRef;          // where the rows go
        std::string keyColumn;
        std::vector<ColumnInfo> baseColumns;
        // For a query target: its columns, mapped onto baseColumns.
        std::vector<SourceColumn> viewColumns;
        bool isTable = true;
        std::string viewSql;         // query: its SELECT (with "__bk")
    };

    WriteTarget writeTarget(const std::string& name) {
        SourceInfo info = em.resolveTable(name);
        WriteTarget w;
        if (info.kind == SourceInfo::Kind::Table) {
            w.sqlRef = info.sqlRef;
            w.keyColumn = info.keyColumn;
            w.baseColumns = info.columns;
            for (std::size_t i = 0; i < info.columns.size(); ++i)
                w.viewColumns.push_back(
                    SourceColumn{info.columns[i].name, info.columns[i].type, info.columns[i].size, static_cast<int>(i)});
            return w;
        }
        Scope scope;
        em.from(FromItemNamed(name), scope);
        const Source& src = *scope.sources.front();
        if (!src.updatable) throw sqlError(code::NotUpdatable);
        w.isTable = false;
        w.sqlRef = src.updatable->baseRef;
        w.keyColumn = src.updatable->keyColumn;
        w.baseColumns = src.updatable->baseColumns;
        w.viewColumns = src.columns;
        return w;
    }

    static FromItem FromItemNamed(const std::string& name) {
        FromItem f;
        f.kind = FromItem::Kind::Named;
        f.name = name;
        return f;
    }

    // Base column name for a target column written in the statement.
    std::string baseColumnFor(const WriteTarget& w, const std::string& col) {
        for (const auto& c : w.viewColumns) {
            if (!eqNoCase(c.name, col)) continue;
            if (c.baseColumn < 0) throw sqlError(code::NotUpdatable);
            return w.baseColumns[static_cast<std::size_t>(c.baseColumn)].name;
        }
        throw sqlError(code::UnknownInsertField, col);
    }

    void insertStatement(const ast::Statement& st) {
        WriteTarget w = writeTarget(st.table);
        t.tableName = st.table;
        std::vector<std::string> targetCols;
        if (st.hasColumnList) {
            for (const auto& c : st.insertColumns) targetCols.push_back(baseColumnFor(w, c));
        }
        std::string body;
        if (!st.select) {
            if (!st.hasColumnList) {
                for (const auto& c : w.viewColumns) {
                    if (c.baseColumn < 0) continue;
                    targetCols.push_back(w.baseColumns[static_cast<std::size_t>(c.baseColumn)].name);
                }
            }
            if (targetCols.size() != st.values.size()) throw sqlError(code::ValueCount);
            Scope empty;
            ScopedExprEmitter ex(em, empty);
            body = "VALUES (";
            for (std::size_t i = 0; i < st.values.size(); ++i) {
                if (i) body += ", ";
                body += ex.value(*st.values[i]).sql;
            }
            body += ")";
        } else {
            SelectOut o = em.select(*st.select, nullptr, false);
            if (st.hasColumnList) {
                if (targetCols.size() != o.columns.size()) throw sqlError(code::ValueCount);
            } else {
                for (const auto& rc : o.columns) targetCols.push_back(baseColumnFor(w, rc.name));
            }
            body = o.sql;
        }
        std::string cols;
        for (std::size_t i = 0; i < targetCols.size(); ++i) {
            if (i) cols += ", ";
            cols += quoteIdent(targetCols[i]);
        }
        t.sql = "INSERT INTO " + w.sqlRef + " (" + cols + ") " + body;
    }

    // Single local or linked table without joins: the direct form.
    static bool isPlainTableTarget(const std::vector<std::unique_ptr<FromItem>>& items) {
        return items.size() == 1 && items[0]->kind == FromItem::Kind::Named;
    }

    void updateStatement(const ast::Statement& st) {
        Scope scope;
        std::string fromSql = em.from(*st.target, scope);
        ScopedExprEmitter ex(em, scope);
        t.tableName = st.target->kind == FromItem::Kind::Named ? st.target->name : std::string();
        // The source every assignment writes to.
        const Source* target = nullptr;
        std::vector<std::pair<std::string, std::string>> sets;   // base column, value SQL
        for (const auto& a : st.assignments) {
            ColumnRef ref = ex.resolveColumn(*a.target);
            if (!ref.source) {
                if (scope.sources.size() != 1) throw sqlError(code::SyntaxUpdate);
                ref.source = scope.sources.front().get();
                ref.column = -1;
            }
            if (target && target != ref.source) throw sqlError(code::NotUpdatable);
            target = ref.source;
            std::string column;
            if (ref.column >= 0) {
                const SourceColumn& c = ref.source->columns[static_cast<std::size_t>(ref.column)];
                if (c.baseColumn < 0 || !ref.source->updatable) throw sqlError(code::NotUpdatable);
                column = ref.source->updatable->baseColumns[static_cast<std::size_t>(c.baseColumn)].name;
            } else {
                column = a.target->parts.back();   // unknown: SQLite reports it
            }
            sets.emplace_back(column, ex.value(*a.value).sql);
        }
        if (!target || !target->updatable) throw sqlError(code::NotUpdatable);
        std::string where = st.where ? ex.condition(*st.where) : std::string();
        const Updatable& u = *target->updatable;
        const bool direct = st.target->kind == FromItem::Kind::Named && target->isTable;
        if (direct) {
            std::string sql = "UPDATE " + fromSql + " SET ";
            for (std::size_t i = 0; i < sets.size(); ++i) {
                if (i) sql += ", ";
                sql += quoteIdent(sets[i].first) + " = " + sets[i].second;
            }
            if (!where.empty()) sql += " WHERE " + where;
            t.sql = std::move(sql);
            return;
        }
        // Through a query or a join: rows chosen by key, values by a
        // correlated subquery over the same sources.
        const std::string base = quoteIdent("__t") + "." + quoteIdent(u.keyColumn);
        std::string sql = "UPDATE " + u.baseRef + " AS " + quoteIdent("__t") + " SET ";
        for (std::size_t i = 0; i < sets.size(); ++i) {
            if (i) sql += ", ";
            sql += quoteIdent(sets[i].first) + " = (SELECT " + sets[i].second + " FROM " + fromSql + " WHERE " +
                   target->keyExpr + " = " + base + ")";
        }
        sql += " WHERE " + base + " IN (SELECT " + target->keyExpr + " FROM " + fromSql +
               (where.empty() ? "" : " WHERE " + where) + ")";
        t.sql = std::move(sql);
    }

    void deleteStatement(const ast::Statement& st) {
        Scope scope;
        std::string fromSql;
        for (std::size_t i = 0; i < st.deleteFrom.size(); ++i) {
            if (i) fromSql += ", ";
            fromSql += em.from(*st.deleteFrom[i], scope);
        }
        const Source* target = nullptr;
        if (!st.deleteQualifier.empty()) {
            for (const auto& s : scope.sources)
                if (eqNoCase(s->alias, st.deleteQualifier)) target = s.get();
            if (!target) throw sqlError(code::DeleteTarget);
        } else if (scope.sources.size() == 1) {
            target = scope.sources.front().get();
        } else {
            throw sqlError(code::DeleteTarget);
        }
        if (!target->updatable) throw sqlError(code::NotUpdatable);
        t.tableName = target->updatable->baseName;
        ScopedExprEmitter ex(em, scope);
        std::string where = st.where ? ex.condition(*st.where) : std::string();
        const bool direct = isPlainTableTarget(st.deleteFrom) && target->isTable;
        if (direct) {
            t.sql = "DELETE FROM " + fromSql + (where.empty() ? "" : " WHERE " + where);
            return;
        }
        const Updatable& u = *target->updatable;
        t.sql = "DELETE FROM " + u.baseRef + " WHERE " + quoteIdent(u.keyColumn) + " IN (SELECT " +
                target->keyExpr + " FROM " + fromSql + (where.empty() ? "" : " WHERE " + where) + ")";
    }
};

} // namespace

Translation translate(std::string_view dialectSql, SchemaResolver& schema,
                      const std::vector<ParameterDecl>& parameters) {
    ast::Statement st = parseStatement(dialectSql);
    Translator tr(schema);
    for (const auto& p : parameters) tr.params.addKnown(p);
    tr.em.declare(st.params);
    tr.t.kind = st.kind;
    switch (st.kind) {
    case StatementKind::Select: tr.selectStatement(st); break;
    case StatementKind::SelectInto:
        throw sqlError(code::NotSupported,
                       "SELECT ... INTO is not supported; create the table and use INSERT INTO ... SELECT.");
    case StatementKind::Insert: tr.insertStatement(st); break;
    case StatementKind::Update: tr.updateStatement(st); break;
    case StatementKind::Delete: tr.deleteStatement(st); break;
    case StatementKind::CreateTable:
    case StatementKind::AlterTable:
    case StatementKind::DropTable:
    case StatementKind::CreateIndex:
    case StatementKind::DropIndex: translateDdl(st, schema, tr.t); break;
    }
    tr.t.parameterOrder = tr.params.order();
    return std::move(tr.t);
}

// ---- criteria --------------------------------------------------------------

namespace {

class CriteriaEmitter : public ExprEmitter {
public:
    CriteriaEmitter(const std::vector<std::string>& fields, const std::vector<FieldAffinity>& affinities,
                    std::vector<int>& used)
        : fields_(fields), affinities_(affinities), used_(used) {}

    // The field a name refers to; 3070 when there is none.
    int resolve(const Expr& e) const {
        int found = -1;
        const std::string written = writtenName(e);
        for (std::size_t i = 0; i < fields_.size() && found < 0; ++i)
            if (eqNoCase(fields_[i], written)) found = static_cast<int>(i);
        if (found < 0 && e.parts.size() == 2)
            for (std::size_t i = 0; i < fields_.size() && found < 0; ++i)
                if (eqNoCase(fields_[i], e.parts[1])) found = static_cast<int>(i);
        if (found < 0) throw sqlError(code::UnknownField, written);
        return found;
    }

protected:
    Emitted name(const Expr& e) override {
        const int found = resolve(e);
        bool seen = false;
        for (int u : used_) seen = seen || u == found;
        if (!seen) used_.push_back(found);
        const std::string param = "?" + std::to_string(found + 1);
        const FieldAffinity a =
            static_cast<std::size_t>(found) < affinities_.size() ? affinities_[static_cast<std::size_t>(found)]
                                                                 : FieldAffinity::None;
        Emitted out;
        out.type = FieldType::Text;
        // A bound value has no affinity of its own; the casts give it the
        // column's (a text column's values are texts already, a number
        // column's numbers), so comparisons convert the other side as a
        // WHERE clause over the column does.
        if (a == FieldAffinity::Text) {
            out.sql = "(CAST(" + param + " AS TEXT) COLLATE JETNOCASE)";
        } else if (a == FieldAffinity::Numeric) {
            out.sql = "CAST(" + param + " AS NUMERIC)";
            out.type = FieldType::Double;
        } else {
            out.sql = param;
        }
        return out;
    }
    std::string subquery(const Select&) override {
        throw sqlError(code::NotSupported, "Subqueries are not supported in a search criterion.");
    }

private:
    const std::vector<std::string>& fields_;
    const std::vector<FieldAffinity>& affinities_;
    std::vector<int>& used_;
};

bool isConstant(const Expr& e) {
    if (e.kind == Expr::Kind::Number || e.kind == Expr::Kind::Text || e.kind == Expr::Kind::Bool) return true;
    return e.kind == Expr::Kind::Unary && e.text == "-" && e.args[0]->kind == Expr::Kind::Number;
}

// Collects the terms of "name = constant [And name = constant ...]"; false
// when the expression has any other shape.
bool collectEqualities(const Expr& e, CriteriaEmitter& ex, std::vector<CriteriaTranslation::Equality>& out) {
    if (e.kind != Expr::Kind::Binary) return false;
    if (e.text == "and") return collectEqualities(*e.args[0], ex, out) && collectEqualities(*e.args[1], ex, out);
    if (e.text != "=") return false;
    const Expr* name = e.args[0].get();
    const Expr* constant = e.args[1].get();
    if (name->kind != Expr::Kind::Name) std::swap(name, constant);
    if (name->kind != Expr::Kind::Name || !isConstant(*constant)) return false;
    CriteriaTranslation::Equality q;
    q.field = ex.resolve(*name);
    q.constantSql = ex.value(*constant).sql;
    q.textConstant = constant->kind == Expr::Kind::Text;
    q.constant = constant->kind == Expr::Kind::Unary ? "-" + constant->args[0]->text : constant->text;
    out.push_back(std::move(q));
    return true;
}

} // namespace

CriteriaTranslation translateCriteria(std::string_view criteria, const std::vector<std::string>& fieldNames,
                                      const std::vector<FieldAffinity>& affinities) {
    ast::ExprPtr e = parseExpression(criteria);
    CriteriaTranslation out;
    CriteriaEmitter ex(fieldNames, affinities, out.usedFields);
    out.sqlExpr = ex.condition(*e);
    if (ex.sawAggregate()) throw sqlError(code::SyntaxExpression, std::string(criteria));
    if (!collectEqualities(*e, ex, out.equalities)) out.equalities.clear();
    return out;
}

} // namespace engine::sql
