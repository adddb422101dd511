#include "engine/QueryDef.h"

#include "Catalog.h"
#include "Connection.h"
#include "RecordsetOpen.h"
#include "Statements.h"
#include "engine/Errors.h"
#include "engine/Recordset.h"
#include "runtime/Text.h"

namespace engine {

QueryDef::QueryDef(std::shared_ptr<Database> db, std::string name, std::string sql, std::vector<Parameter> params)
    : db_(std::move(db)), name_(std::move(name)), sql_(std::move(sql)), params_(std::move(params)) {}

void QueryDef::setParameter(const std::string& name, const rt::Variant& value) {
    for (auto& p : params_)
        if (rt::text::equalsNoCase(p.name, name)) {
            p.value = value;
            return;
        }
    throw err::make(err::ItemNotFound);
}

const rt::Variant& QueryDef::parameter(const std::string& name) const {
    for (const auto& p : params_)
        if (rt::text::equalsNoCase(p.name, name)) return p.value;
    throw err::make(err::ItemNotFound);
}

std::shared_ptr<Recordset> QueryDef::openRecordset(RecordsetType type, int options) {
    auto conn = db_->connection();
    conn->checkOpen();
    if (type == RecordsetType::Table) throw err::make(3219);
    conn->catalog->revalidate();
    std::vector<sql::ParameterDecl> decls;
    for (const auto& p : params_) decls.push_back(sql::ParameterDecl{p.name, p.type});
    sql::Translation tr = sql::translate(sql_, *conn->catalog, decls);
    if (tr.kind != sql::StatementKind::Select) throw err::make(3219);
    auto values = detail::parameterValues(tr, params_, conn->regional);
    return detail::openSelectRecordset(db_, name_, tr, std::move(values), type, options);
}

void QueryDef::execute(int options) {
    auto conn = db_->connection();
    conn->checkOpen();
    (void)options;
    conn->catalog->revalidate();
    std::vector<sql::ParameterDecl> decls;
    for (const auto& p : params_) decls.push_back(sql::ParameterDecl{p.name, p.type});
    sql::Translation tr = sql::translate(sql_, *conn->catalog, decls);
    if (tr.kind == sql::StatementKind::Select) throw err::make(3065);
    auto values = detail::parameterValues(tr, params_, conn->regional);
    db_->recordsAffected_ = detail::runAction(*conn, tr, values);
}

} // namespace engine
