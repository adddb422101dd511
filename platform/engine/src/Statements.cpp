#include "Statements.h"

#include "Catalog.h"
#include "Values.h"
#include "engine/Errors.h"
#include "runtime/Text.h"

namespace engine::detail {

bool isDdl(sql::StatementKind k) {
    using K = sql::StatementKind;
    return k == K::CreateTable || k == K::AlterTable || k == K::DropTable || k == K::CreateIndex ||
           k == K::DropIndex || k == K::SelectInto;
}

long runAction(Connection& conn, const sql::Translation& tr, const std::vector<rt::Variant>& params) {
    conn.checkOpen();
    long affected = 0;
    const char* p = tr.sql.c_str();
    const char* end = p + tr.sql.size();
    while (p < end) {
        sqlite3_stmt* raw = nullptr;
        const char* tail = nullptr;
        int rc = sqlite3_prepare_v2(conn.db, p, int(end - p), &raw, &tail);
        if (rc != SQLITE_OK) {
            sqlite3_finalize(raw);
            throw sqliteError(conn.db, sqlite3_extended_errcode(conn.db));
        }
        p = tail ? tail : end;
        if (!raw) continue;   // blanks or a trailing ";"
        int n = sqlite3_bind_parameter_count(raw);
        for (int i = 1; i <= n && std::size_t(i) <= params.size(); ++i) bindVariant(raw, i, params[std::size_t(i - 1)]);
        rc = sqlite3_step(raw);
        while (rc == SQLITE_ROW) rc = sqlite3_step(raw);
        if (rc != SQLITE_DONE) {
            rt::Error e = sqliteError(conn.db, sqlite3_extended_errcode(conn.db));
            sqlite3_finalize(raw);
            if (isDdl(tr.kind) && conn.catalog) conn.catalog->invalidate();
            throw e;
        }
        if (!sqlite3_stmt_readonly(raw)) affected += long(sqlite3_changes(conn.db));
        sqlite3_finalize(raw);
    }
    if (isDdl(tr.kind) && conn.catalog) conn.catalog->invalidate();
    if (tr.kind != sql::StatementKind::Insert && tr.kind != sql::StatementKind::Update &&
        tr.kind != sql::StatementKind::Delete && tr.kind != sql::StatementKind::SelectInto)
        affected = 0;
    return affected;
}

std::vector<rt::Variant> parameterValues(const sql::Translation& tr, const std::vector<Parameter>& params,
                                         const rt::Regional& regional) {
    std::vector<rt::Variant> out;
    out.reserve(tr.parameterOrder.size());
    for (const auto& name : tr.parameterOrder) {
        rt::Variant v = rt::Variant::null();
        for (const auto& p : params) {
            if (!rt::text::equalsNoCase(p.name, name)) continue;
            v = p.value;
            if (v.isEmpty()) v = rt::Variant::null();
            try {
                v = coerceForField(v, p.type, 0, regional);
            } catch (const rt::Error&) {
                // bound as given; the comparison decides
            }
            break;
        }
        out.push_back(v);
    }
    return out;
}

void requireNoParameters(const sql::Translation& tr) {
    if (!tr.parameterOrder.empty())
        throw err::make(err::TooFewParameters, std::to_string(tr.parameterOrder.size()));
}

} // namespace engine::detail
