#pragma once
// Writes customers' circuits and their measurement rows into a back-end
// file made by createBackend(). Every call runs in one transaction of the
// database's workspace (nested in the caller's, if any), so a circuit of
// 10,000 places is one commit; on failure the call's rows are rolled back.
#include <cstdint>
#include <string>
#include <vector>

#include "engine/Database.h"
#include "sampledb/Ids.h"
#include "sampledb/Readings.h"
#include "sampledb/Rows.h"

namespace sampledb {

struct CircuitPlan {
    std::int32_t pruefungId = 0;  // the test the circuit belongs to
    std::string nummer;           // "F3"
    std::string bezeichnung;      // "Steckdosen Küche"
    std::string device;           // "B16", "C32", "gG25"; "" = none (SicherungstypID 0)
    std::string leitung;          // "NYM-J 3x2,5"
    int places = 0;               // generated places 001, 002, ...
    int rowsPerPlace = 1;         // > 1: each place's readings spread over rows
    PlaceProfile profile;         // what the places measure (device filled in)
};

struct CircuitResult {
    std::int32_t stromkreisId = 0;
    std::vector<std::int32_t> messIds;   // in the order stored
};

// Writer over one open back-end database. Holds no cursor between calls.
class CircuitWriter {
public:
    CircuitWriter(engine::Database& backend, const Replica& replica, std::uint32_t seed = 1);

    // New identifier of a table from the replica's counter.
    std::int32_t newId(const std::string& table);

    // Kunde, Anlage, Prüfung rows; return their keys.
    std::int32_t addCustomer(const std::string& name, const std::string& street,
                             const std::string& zip, const std::string& town);
    std::int32_t addInstallation(std::int32_t kundeId, const std::string& name);
    std::int32_t addTest(std::int32_t anlageId, int year, int month, int day,
                         const std::string& inspector);

    // The Stromkreis row and plan.places generated places (EigeneNr 001 ...).
    CircuitResult addCircuit(const CircuitPlan& plan);

    // Measurement rows of a circuit given field by field. Each row gets a
    // new MessID (a MessID in the row is replaced), the StromkreisID, and
    // Gen_Datum/Gen_Pruefer/s_Zeitstempel unless the row sets them.
    std::vector<std::int32_t> addMeasurements(std::int32_t stromkreisId, const std::vector<Row>& rows);

    // Creates the limit rows that are still missing for the circuit's
    // measurement rows, as the control does on first load (see limitRowFor).
    // Returns the number of rows created.
    long addLimitRows(std::int32_t stromkreisId);

    // Equipment table cells of a test (Zeile, Spalte, Inhalt) and a
    // language's standard layout; identifiers from the counter.
    struct Cell { int zeile, spalte; std::string inhalt; };
    void addEquipment(std::int32_t pruefungId, const std::vector<Cell>& cells);
    void addEquipmentStandard(const std::string& sprache, const std::vector<Cell>& cells);

    ReadingGenerator& readings() { return gen_; }
    void setInspector(std::string name) { inspector_ = std::move(name); }

private:
    engine::Database& db_;
    IdCounter ids_;
    ReadingGenerator gen_;
    std::string inspector_ = "M. Weber";
    double testDate_ = 0;   // serial date stamped into Gen_Datum
};

} // namespace sampledb
