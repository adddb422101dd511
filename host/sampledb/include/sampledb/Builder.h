#pragma once
// Building the host's database pair from nothing.
//
//   back-end  (e.g. Daten.mdb):   the tables of Layout.h, reference data
//                                 (standard, insulation and RCD limits,
//                                 protective device types), the replica row.
//   front-end (e.g. Pruefung.mde): every back-end table linked under its own
//                                 name with ";DATABASE=<absolute back-end
//                                 path>", the stored queries the controls
//                                 read, the replica row.
//
// The files must not exist (engine error 3204). Errors of the engine pass
// through; a file created before a failure stays on disk.
#include <memory>
#include <string>
#include <vector>

#include "engine/Engine.h"
#include "sampledb/Ids.h"

namespace sampledb {

// Creates the back-end tables (with unique indexes) in an empty database.
void createBackendSchema(engine::Database& backend);
// Fills 0100_GrenzwertStandard, 0100_GrenzwertISO, 0100_GrenzwertRCD,
// Sicherungstyp and the MSysReplicas row.
void fillReferenceData(engine::Database& backend, const Replica& replica);
// createDatabase + schema + reference data, in one transaction.
std::shared_ptr<engine::Database> createBackend(engine::Workspace& ws, const std::string& path,
                                                const Replica& replica);

// The names linked into the front-end (all back-end tables).
std::vector<std::string> linkedTableNames();
// Links them, connect ";DATABASE=" + the absolute back-end path.
void linkBackend(engine::Database& frontend, const std::string& backendPath);

struct StoredQuery { std::string name, sql; };
// The stored queries of the front-end with their SQL (PARAMETERS clause
// included), in creation order.
std::vector<StoredQuery> hostQueries();
void createHostQueries(engine::Database& frontend);
// createDatabase + links + queries + replica row.
std::shared_ptr<engine::Database> createFrontend(engine::Workspace& ws, const std::string& path,
                                                 const std::string& backendPath,
                                                 const Replica& replica);

} // namespace sampledb
