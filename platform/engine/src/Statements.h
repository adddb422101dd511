#pragma once
// Running translated action statements and binding query parameters.
#include <string>
#include <vector>

#include "Connection.h"
#include "engine/QueryDef.h"
#include "sql/Translator.h"

namespace engine::detail {

// Runs every statement of an action translation; returns the rows changed
// by its INSERT / UPDATE / DELETE statements. DDL drops the catalog cache.
long runAction(Connection& conn, const sql::Translation& tr, const std::vector<rt::Variant>& params);

// The values for ?1, ?2, ... of a translation from a query's parameters
// (names ignoring case; an unset parameter is Null), converted to the
// declared types where they convert.
std::vector<rt::Variant> parameterValues(const sql::Translation& tr, const std::vector<Parameter>& params,
                                         const rt::Regional& regional);

// 3061 when a translation still needs parameter values.
void requireNoParameters(const sql::Translation& tr);

bool isDdl(sql::StatementKind k);

} // namespace engine::detail
