#pragma once
// Fixture rows: a row is a map from field name to value; fields a row does
// not name stay Null.
#include <map>
#include <string>
#include <vector>

#include "engine/Database.h"
#include "runtime/Variant.h"

namespace sampledb {

using Row = std::map<std::string, rt::Variant>;

// Appends rows to a table of db (local or linked) through one cursor and
// returns the number stored. Engine errors pass through unchanged (a name
// the table lacks raises 3265); rows stored before a failure stay unless the
// caller's transaction is rolled back.
long addRows(engine::Database& db, const std::string& table, const std::vector<Row>& rows);

// Number of rows of a table (local or linked).
long countRows(engine::Database& db, const std::string& table);

} // namespace sampledb
