#pragma once
// Record identifiers as the controls' allocator hands them out: the replica
// with offset factor k counts per table, in the table IDIncrement, from
// k * 100000000 + 10000 upwards. Rows the builder makes take their
// identifiers from the same counters, so a control that inserts a row later
// continues after them.
#include <cstdint>
#include <string>

#include "engine/Database.h"

namespace sampledb {

// The replica described in MSysReplicas. The description starts with the
// offset factor.
struct Replica {
    std::string id;            // ReplicaID as stored
    std::string description;   // "1 Büro" -> offset factor 1
    std::int32_t offsetFactor = 0;
    // The replica identifier as the host hands it to the controls: a text
    // that the engine's SQL accepts on the right of "ReplicaID = ".
    std::string sqlLiteral() const { return "'" + id + "'"; }
};
Replica sampleReplica();

// Adds the replica's row to the engine's MSysReplicas table of db.
void addReplicaRow(engine::Database& db, const Replica& replica);

// Reserves identifiers in IDIncrement of db (the back-end file). Holds no
// cursor between calls; not an error: a table without a counter row (the
// row is created).
class IdCounter {
public:
    IdCounter(engine::Database& db, std::int32_t offsetFactor);

    // Reserves count consecutive identifiers of table and returns the
    // first. Raises rt::Error 6 (overflow) when the block of the replica
    // would be left, and 5 for count < 1; the counter is unchanged then.
    std::int32_t reserve(const std::string& table, int count = 1);

private:
    engine::Database& db_;
    std::int32_t offsetFactor_;
};

} // namespace sampledb
