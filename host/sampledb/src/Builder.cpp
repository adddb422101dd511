#include "sampledb/Builder.h"

#include <filesystem>

#include "engine/QueryDef.h"
#include "sampledb/Layout.h"
#include "sampledb/Limits.h"
#include "sampledb/Rows.h"
#include "sampledb/Transaction.h"

namespace sampledb {

namespace {

std::vector<engine::FieldDef> fieldDefs(const std::vector<Column>& cols)
{
    std::vector<engine::FieldDef> defs;
    for (const Column& c : cols) {
        engine::FieldDef d;
        d.name = c.name;
        d.type = c.type;
        d.size = c.size;
        d.autoIncrement = c.counter;
        defs.push_back(d);
    }
    return defs;
}

std::string bracket(const std::string& name) { return "[" + name + "]"; }

std::string joinFields(const std::vector<std::string>& names)
{
    std::string s;
    for (const auto& n : names) s += (s.empty() ? "" : ", ") + bracket(n);
    return s;
}

std::vector<std::string> messungFieldOrder()
{
    std::vector<std::string> names;
    for (const auto& c : messungColumns()) names.push_back(c.name);
    return names;
}

// The place of a row: the parameter, or " " for an empty or null number.
std::string placeCondition(const std::string& qualifier)
{
    const std::string f = qualifier + ".EigeneNr";
    return "(" + f + " = paraEigeneNr Or (paraEigeneNr = ' ' And (" + f + " Is Null Or " + f + " = '')))";
}

// The fields compaction tests and moves, with the six RCD fields adjacent:
// FIFaktor, which the table holds between FGRAD and FIIDN, stands before FIT.
std::vector<std::string> placeFieldOrder()
{
    std::vector<std::string> names{"EigeneNr"};
    for (const auto& n : measurementFieldNames()) {
        if (n == "FIFaktor") continue;
        if (n == "FIT") names.push_back("FIFaktor");
        names.push_back(n);
    }
    names.push_back("MessID");
    return names;
}

} // namespace

void createBackendSchema(engine::Database& db)
{
    for (const TableLayout& t : backendTables()) {
        db.createTable(t.name, fieldDefs(t.columns));
        for (const auto& f : t.uniqueFields)
            db.execute("CREATE UNIQUE INDEX " + bracket("ux_" + t.name + "_" + f) + " ON " + bracket(t.name) +
                       " (" + bracket(f) + ")");
    }
    // The controls select by circuit, measurement and test.
    const std::pair<const char*, const char*> lookups[] = {
        {table::Messung, "StromkreisID"}, {table::Grenzwert, "StromkreisID"}, {table::Grenzwert, "MessID"},
        {table::Stromkreis, "PrüfungID"},  {table::Betriebsmittel, "PrüfungID"},
    };
    for (const auto& [t, f] : lookups)
        db.execute("CREATE INDEX " + bracket(std::string("ix_") + t + "_" + f) + " ON " + bracket(t) + " (" +
                   bracket(f) + ")");
}

void fillReferenceData(engine::Database& db, const Replica& replica)
{
    addRows(db, table::GrenzwertStandard, {standardLimits()});

    std::vector<Row> iso;
    for (const auto& l : isoLimits()) iso.push_back({{"Prüfspannung", l.voltage}, {"Grenzwert", l.limit}});
    addRows(db, table::GrenzwertISO, iso);

    std::vector<Row> rcd;
    for (const auto& l : rcdLimits())
        rcd.push_back({{"Faktor", l.factor}, {"Selektive", l.selective}, {"fit min", l.fitMin}, {"fit max", l.fitMax}});
    addRows(db, table::GrenzwertRCD, rcd);

    std::vector<Row> devices;
    for (const auto& d : deviceTypes())
        devices.push_back({{"SicherungstypID", d.id},
                           {"Bezeichnung", d.name},
                           {"Charakteristik", d.characteristic},
                           {"Nennstrom", static_cast<std::int32_t>(d.ratedCurrent)},
                           {"Grenzwert", d.limit()}});
    addRows(db, table::Sicherungstyp, devices);

    addReplicaRow(db, replica);
}

std::shared_ptr<engine::Database> createBackend(engine::Workspace& ws, const std::string& path,
                                                const Replica& replica)
{
    auto db = ws.createDatabase(path);
    Transaction t(ws);
    createBackendSchema(*db);
    fillReferenceData(*db, replica);
    t.commit();
    return db;
}

std::vector<std::string> linkedTableNames()
{
    std::vector<std::string> names;
    for (const auto& t : backendTables()) names.push_back(t.name);
    return names;
}

void linkBackend(engine::Database& front, const std::string& backendPath)
{
    const std::string connect = ";DATABASE=" + std::filesystem::absolute(backendPath).lexically_normal().string();
    for (const auto& name : linkedTableNames()) front.createLinkedTable(name, connect, name);
}

std::vector<StoredQuery> hostQueries()
{
    const std::string messung = bracket(table::Messung);
    const std::string allFields = joinFields(messungFieldOrder());
    const std::string circuitParam = "PARAMETERS paraStromkreisID Long;\n";
    const std::string placeParams = "PARAMETERS paraStromkreisID Long, paraEigeneNr Text;\n";

    std::string emptyRow;
    for (const auto& n : measurementFieldNames())
        emptyRow += " And (M." + bracket(n) + " Is Null Or M." + bracket(n) + " = '')";

    std::vector<StoredQuery> q;
    q.push_back({query::MessungenVonStromkreis,
                 circuitParam + "SELECT " + allFields + " FROM " + messung +
                     " WHERE StromkreisID = paraStromkreisID ORDER BY MessID;"});
    q.push_back({query::MessVonStromSortiert,
                 circuitParam + "SELECT " + allFields + " FROM " + messung +
                     " WHERE StromkreisID = paraStromkreisID ORDER BY EigeneNr, MessID;"});
    q.push_back({query::StromkreisLegende,
                 "SELECT Stromkreis.StromkreisID, Stromkreis.SicherungstypID, Sicherungstyp.Grenzwert, "
                 "Sicherungstyp.Bezeichnung AS Sicherung, Stromkreis.Nummer, Stromkreis.Bezeichnung "
                 "FROM Stromkreis LEFT JOIN Sicherungstyp ON Stromkreis.SicherungstypID = "
                 "Sicherungstyp.SicherungstypID;"});
    q.push_back({query::AnzahlPlaetze,
                 circuitParam + "SELECT DISTINCT EigeneNr FROM " + messung +
                     " WHERE StromkreisID = paraStromkreisID ORDER BY EigeneNr;"});
    q.push_back({query::Plaetze,
                 placeParams + "SELECT " + joinFields(placeFieldOrder()) + " FROM " + messung +
                     " WHERE StromkreisID = paraStromkreisID And " + placeCondition(messung) +
                     " ORDER BY MessID;"});
    q.push_back({query::PlaetzeGrenzwert,
                 placeParams + "SELECT * FROM " + bracket(table::Grenzwert) +
                     " WHERE MessID In (SELECT M.MessID FROM " + messung +
                     " AS M WHERE M.StromkreisID = paraStromkreisID And " + placeCondition("M") +
                     ") ORDER BY MessID;"});
    // The empty rows of a place, except its first row, so that a place
    // without any measurement keeps its number.
    q.push_back({query::LeerezeilenLoeschen,
                 placeParams + "SELECT * FROM " + messung + " AS M WHERE M.StromkreisID = paraStromkreisID And " +
                     placeCondition("M") + emptyRow + " And Exists (SELECT E.MessID FROM " + messung +
                     " AS E WHERE E.StromkreisID = paraStromkreisID And " + placeCondition("E") +
                     " And E.MessID < M.MessID) ORDER BY M.MessID;"});
    return q;
}

void createHostQueries(engine::Database& front)
{
    for (const auto& q : hostQueries()) front.createQueryDef(q.name, q.sql);
}

std::shared_ptr<engine::Database> createFrontend(engine::Workspace& ws, const std::string& path,
                                                 const std::string& backendPath, const Replica& replica)
{
    auto db = ws.createDatabase(path);
    Transaction t(ws);
    linkBackend(*db, backendPath);
    createHostQueries(*db);
    addReplicaRow(*db, replica);
    t.commit();
    return db;
}

} // namespace sampledb
