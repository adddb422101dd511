#include "sampledb/Circuits.h"

#include <set>

#include "engine/Recordset.h"
#include "runtime/Convert.h"
#include "sampledb/Layout.h"
#include "sampledb/Limits.h"
#include "sampledb/Transaction.h"

namespace sampledb {

CircuitWriter::CircuitWriter(engine::Database& backend, const Replica& replica, std::uint32_t seed)
    : db_(backend), ids_(backend, replica.offsetFactor), gen_(seed), testDate_(rt::dateSerial(2024, 3, 12))
{
}

std::int32_t CircuitWriter::newId(const std::string& table) { return ids_.reserve(table); }

std::int32_t CircuitWriter::addCustomer(const std::string& name, const std::string& street,
                                        const std::string& zip, const std::string& town)
{
    Transaction t(db_.workspace());
    const std::int32_t id = newId(table::Kunde);
    addRows(db_, table::Kunde,
            {{{"KundeID", id}, {"Name", name}, {"Strasse", street}, {"PLZ", zip}, {"Ort", town}}});
    t.commit();
    return id;
}

std::int32_t CircuitWriter::addInstallation(std::int32_t kundeId, const std::string& name)
{
    Transaction t(db_.workspace());
    const std::int32_t id = newId(table::Anlage);
    addRows(db_, table::Anlage,
            {{{"AnlageID", id}, {"KundeID", kundeId}, {"Bezeichnung", name}, {"Netzform", "TN-C-S"},
              {"Nennspannung", "230/400 V"}}});
    t.commit();
    return id;
}

std::int32_t CircuitWriter::addTest(std::int32_t anlageId, int year, int month, int day,
                                    const std::string& inspector)
{
    Transaction t(db_.workspace());
    const std::int32_t id = newId(table::Pruefung);
    testDate_ = rt::dateSerial(year, month, day);
    inspector_ = inspector;
    addRows(db_, table::Pruefung,
            {{{"PrüfungID", id}, {"AnlageID", anlageId}, {"Datum", rt::Variant::date(testDate_)},
              {"Prüfer", inspector}, {"Prüfungsart", "Wiederholungsprüfung"}}});
    t.commit();
    return id;
}

CircuitResult CircuitWriter::addCircuit(const CircuitPlan& plan)
{
    Transaction t(db_.workspace());
    CircuitResult result;
    const DeviceType* device = plan.device.empty() ? nullptr : &deviceType(plan.device);
    result.stromkreisId = newId(table::Stromkreis);
    addRows(db_, table::Stromkreis,
            {{{"StromkreisID", result.stromkreisId},
              {"PrüfungID", plan.pruefungId},
              {"Nummer", plan.nummer},
              {"Bezeichnung", plan.bezeichnung},
              {"SicherungstypID", device ? device->id : 0},
              {"Leitung", plan.leitung}}});

    std::vector<Row> rows;
    PlaceProfile profile = plan.profile;
    profile.device = device;
    for (int p = 1; p <= plan.places; ++p) {
        // A residual-current device is tested once, at the circuit's first
        // place, unless every column is to be filled.
        PlaceProfile here = profile;
        here.rcd = profile.rcd && (p == 1 || profile.fillAllColumns);
        for (Row& r : splitOverRows(gen_.place(here), plan.rowsPerPlace)) {
            r["EigeneNr"] = placeNumber(p);
            rows.push_back(std::move(r));
        }
    }
    result.messIds = addMeasurements(result.stromkreisId, rows);
    t.commit();
    return result;
}

std::vector<std::int32_t> CircuitWriter::addMeasurements(std::int32_t stromkreisId, const std::vector<Row>& rows)
{
    std::vector<std::int32_t> ids;
    if (rows.empty()) return ids;
    Transaction t(db_.workspace());
    const std::int32_t first = ids_.reserve(table::Messung, static_cast<int>(rows.size()));
    auto rs = db_.openRecordset(table::Messung, engine::RecordsetType::Dynaset, engine::opt::AppendOnly);
    auto& fields = rs->fields();
    // Field positions once, not per row.
    const int messId = fields.indexOf("MessID"), circuit = fields.indexOf("StromkreisID");
    const int datum = fields.indexOf("Gen_Datum"), pruefer = fields.indexOf("Gen_Pruefer");
    const int stamp = fields.indexOf("s_Zeitstempel");
    std::int32_t next = first;
    for (const Row& row : rows) {
        rs->addNew();
        for (const auto& [name, value] : row) rs->field(name).setValue(value);
        fields[messId].setValue(next);
        fields[circuit].setValue(stromkreisId);
        if (!row.count("Gen_Datum")) fields[datum].setValue(rt::Variant::date(testDate_));
        if (!row.count("Gen_Pruefer")) fields[pruefer].setValue(inspector_);
        if (!row.count("s_Zeitstempel")) fields[stamp].setValue(rt::Variant::date(testDate_ + 0.75));
        rs->update();
        ids.push_back(next++);
    }
    rs->close();
    t.commit();
    return ids;
}

long CircuitWriter::addLimitRows(std::int32_t stromkreisId)
{
    Transaction t(db_.workspace());
    const std::string sid = std::to_string(stromkreisId);
    const DeviceType* device = nullptr;
    {
        auto rs = db_.openRecordset("SELECT SicherungstypID FROM Stromkreis WHERE StromkreisID = " + sid,
                                    engine::RecordsetType::Snapshot);
        if (!rs->eof() && !rs->value(0).isNull()) device = deviceTypeById(rs->value(0).longValue());
    }
    std::set<std::int32_t> existing;
    {
        auto rs = db_.openRecordset("SELECT MessID FROM 0100_Grenzwert WHERE StromkreisID = " + sid,
                                    engine::RecordsetType::Snapshot);
        for (; !rs->eof(); rs->moveNext())
            if (!rs->value(0).isNull()) existing.insert(rs->value(0).longValue());
    }
    std::vector<Row> limits;
    {
        auto rs = db_.openRecordset("SELECT MessID, StromkreisID, VISO, FIFaktor FROM 0100_Messung "
                                    "WHERE StromkreisID = " + sid + " ORDER BY MessID",
                                    engine::RecordsetType::Snapshot);
        for (; !rs->eof(); rs->moveNext()) {
            const rt::Variant id = rs->value("MessID");
            if (id.isNull() || existing.count(id.longValue())) continue;
            Row m{{"MessID", id}, {"StromkreisID", rs->value("StromkreisID")},
                  {"VISO", rs->value("VISO")}, {"FIFaktor", rs->value("FIFaktor")}};
            limits.push_back(limitRowFor(m, device));
        }
    }
    const long n = addRows(db_, table::Grenzwert, limits);
    t.commit();
    return n;
}

void CircuitWriter::addEquipment(std::int32_t pruefungId, const std::vector<Cell>& cells)
{
    if (cells.empty()) return;
    Transaction t(db_.workspace());
    std::int32_t id = ids_.reserve(table::Betriebsmittel, static_cast<int>(cells.size()));
    std::vector<Row> rows;
    for (const Cell& c : cells)
        rows.push_back({{"BetriebsmittelID", id++}, {"PrüfungID", pruefungId},
                        {"Zeile", static_cast<std::int16_t>(c.zeile)},
                        {"Spalte", static_cast<std::int16_t>(c.spalte)}, {"Inhalt", c.inhalt}});
    addRows(db_, table::Betriebsmittel, rows);
    t.commit();
}

void CircuitWriter::addEquipmentStandard(const std::string& sprache, const std::vector<Cell>& cells)
{
    if (cells.empty()) return;
    Transaction t(db_.workspace());
    std::int32_t id = ids_.reserve(table::BetriebsmittelStandard, static_cast<int>(cells.size()));
    std::vector<Row> rows;
    for (const Cell& c : cells)
        rows.push_back({{"BetriebsmittelID", id++}, {"Sprache", sprache},
                        {"Zeile", static_cast<std::int16_t>(c.zeile)},
                        {"Spalte", static_cast<std::int16_t>(c.spalte)}, {"Inhalt", c.inhalt}});
    addRows(db_, table::BetriebsmittelStandard, rows);
    t.commit();
}

} // namespace sampledb
