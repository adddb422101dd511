#pragma once
// Making recordsets: from a table of the catalog, or from a translated
// SELECT. Used by Database and QueryDef.
#include <memory>
#include <string>
#include <vector>

#include "Catalog.h"
#include "engine/Recordset.h"
#include "sql/Translator.h"

namespace engine::detail {

// A cursor over a local or linked table, rows in key order. Table and
// Dynaset are updatable, Snapshot is a copy.
std::shared_ptr<Recordset> openTableRecordset(const std::shared_ptr<Database>& db, const Catalog::Entry& table,
                                              RecordsetType type, int options);

// A cursor over a translated SELECT; `name` is what Recordset::name()
// reports; `params` are bound to ?1, ?2, ... in order.
std::shared_ptr<Recordset> openSelectRecordset(const std::shared_ptr<Database>& db, const std::string& name,
                                               const sql::Translation& tr, std::vector<rt::Variant> params,
                                               RecordsetType type, int options);

} // namespace engine::detail
