#include "sampledb/Layout.h"

#include "engine/Errors.h"

namespace sampledb {

using engine::FieldType;

namespace {

Column text(std::string name, int size = 50) { return {std::move(name), FieldType::Text, size, false}; }
Column longField(std::string name) { return {std::move(name), FieldType::Long, 0, false}; }
Column counter(std::string name) { return {std::move(name), FieldType::Long, 0, true}; }
Column shortField(std::string name) { return {std::move(name), FieldType::Integer, 0, false}; }
Column dateField(std::string name) { return {std::move(name), FieldType::Date, 0, false}; }

std::vector<Column> makeMessung()
{
    // Catalog order of grid columns 1..43. The names of the fields behind
    // columns 25..29, 34, 35 and of the reserve fields are this database's.
    const char* shown[] = {
        "EigeneNr", "Grenzwerte", "Reserve2", "Reserve3", "DREH", "LOW",
        "LoopRS", "LoopIKRS", "LoopRI", "LoopIKRI", "VISO", "RISO", "Reserve4",
        "FIT", "FGRAD", "FIFaktor", "FIIDN", "FIIMESS", "FIUB", "FIRE", "ErdRE",
        "ErdRO", "Reserve6", "LoopRPE", "LoopRN", "LoopRL", "Udc", "Uac",
        "Frequenz", "I_Zange", "I_ZangePeak", "Energy", "Power",
        "OberschwingungenI", "OberschwingungenU", "Reserve7", "SchutzpegelUAC",
        "SchutzpegelUDC", "Funktion", "Messwert", "Einheit",
    };
    std::vector<Column> cols;
    for (const char* n : shown) cols.push_back(text(n));
    cols.push_back(text("Bemerkung", 255));
    cols.push_back(longField("StromkreisID"));
    cols.push_back(longField("MessID"));
    cols.push_back(dateField("Gen_Datum"));
    cols.push_back(text("Gen_Pruefer"));
    cols.push_back(dateField("s_Zeitstempel"));
    return cols;
}

std::vector<Column> makeGrenzwert()
{
    const char* limits[] = {
        "DREH", "LOW", "LoopRS", "LoopIKRS", "LoopRI", "LoopIKRI", "VISO", "RISO",
        "fit min", "fit max", "FGRAD", "FIIDN", "FIIMESS", "FIUB", "FIRE", "ErdRE",
        "ErdRO", "LoopRPE", "LoopRN", "LoopRL", "I_Zange", "I_ZangePeak", "Energy",
        "Power", "SchutzpegelUAC", "SchutzpegelUDC", "Funktion", "Messwert", "Einheit",
    };
    std::vector<Column> cols{counter("GrenzwertID")};
    for (const char* n : limits) cols.push_back(text(n));
    cols.push_back(longField("MessID"));
    cols.push_back(longField("StromkreisID"));
    return cols;
}

std::vector<TableLayout> makeTables()
{
    std::vector<TableLayout> t;
    t.push_back({table::Kunde,
                 {longField("KundeID"), text("Name", 100), text("Strasse", 100), text("PLZ", 10),
                  text("Ort", 60), text("Telefon", 40)},
                 {"KundeID"}});
    t.push_back({table::Anlage,
                 {longField("AnlageID"), longField("KundeID"), text("Bezeichnung", 100),
                  text("Netzform", 20), text("Nennspannung", 20)},
                 {"AnlageID"}});
    t.push_back({table::Pruefung,
                 {longField("PrüfungID"), longField("AnlageID"), dateField("Datum"),
                  text("Prüfer", 60), text("Prüfungsart", 60)},
                 {"PrüfungID"}});
    t.push_back({table::Sicherungstyp,
                 {longField("SicherungstypID"), text("Bezeichnung", 20), text("Charakteristik", 10),
                  longField("Nennstrom"), text("Grenzwert", 20)},
                 {"SicherungstypID"}});
    t.push_back({table::Stromkreis,
                 {longField("StromkreisID"), longField("PrüfungID"), text("Nummer", 10),
                  text("Bezeichnung", 100), longField("SicherungstypID"), text("Leitung", 40)},
                 {"StromkreisID"}});
    t.push_back({table::Messung, messungColumns(), {"MessID"}});
    t.push_back({table::Grenzwert, grenzwertColumns(), {}});
    t.push_back({table::GrenzwertStandard, grenzwertColumns(), {}});
    t.push_back({table::GrenzwertISO,
                 {counter("GrenzwertISOID"), text("Prüfspannung", 10), text("Grenzwert", 50)},
                 {}});
    t.push_back({table::GrenzwertRCD,
                 {counter("GrenzwertRCDID"), {"Faktor", FieldType::Double, 0, false},
                  {"Selektive", FieldType::Boolean, 0, false}, text("fit min"), text("fit max")},
                 {}});
    t.push_back({table::IDIncrement,
                 {longField("OffsetFaktor"), text("TabelleName", 64), longField("LastID")},
                 {}});
    t.push_back({table::Betriebsmittel,
                 {longField("BetriebsmittelID"), longField("PrüfungID"), shortField("Zeile"),
                  shortField("Spalte"), text("Inhalt", 255)},
                 {"BetriebsmittelID"}});
    t.push_back({table::BetriebsmittelStandard,
                 {longField("BetriebsmittelID"), text("Sprache", 50), shortField("Zeile"),
                  shortField("Spalte"), text("Inhalt", 255)},
                 {"BetriebsmittelID"}});
    return t;
}

std::vector<DeviceType> makeDevices()
{
    std::vector<DeviceType> d;
    const int rated[] = {6, 10, 13, 16, 20, 25, 32};
    std::int32_t id = 1;
    for (int in : rated) d.push_back({id++, "B" + std::to_string(in), "B", in, 5 * in});
    id = 11;
    for (int in : rated) d.push_back({id++, "C" + std::to_string(in), "C", in, 10 * in});
    // gG fuses, 0,4 s disconnection (indicative values).
    d.push_back({21, "gG16", "gG", 16, 110});
    d.push_back({22, "gG20", "gG", 20, 147});
    d.push_back({23, "gG25", "gG", 25, 183});
    d.push_back({24, "gG32", "gG", 32, 275});
    return d;
}

} // namespace

const std::vector<Column>& messungColumns()
{
    static const std::vector<Column> cols = makeMessung();
    return cols;
}

std::vector<std::string> measurementFieldNames()
{
    std::vector<std::string> names;
    const auto& cols = messungColumns();
    for (int i = 1; i <= 41; ++i) names.push_back(cols[i].name);
    return names;
}

int messungIndex(std::string_view name)
{
    const auto& cols = messungColumns();
    for (std::size_t i = 0; i < cols.size(); ++i)
        if (cols[i].name == name) return static_cast<int>(i);
    return -1;
}

const std::vector<Column>& grenzwertColumns()
{
    static const std::vector<Column> cols = makeGrenzwert();
    return cols;
}

const std::vector<TableLayout>& backendTables()
{
    static const std::vector<TableLayout> tables = makeTables();
    return tables;
}

const std::vector<DeviceType>& deviceTypes()
{
    static const std::vector<DeviceType> devices = makeDevices();
    return devices;
}

const DeviceType& deviceType(std::string_view name)
{
    for (const auto& d : deviceTypes())
        if (d.name == name) return d;
    throw engine::err::make(engine::err::ItemNotFound);
}

const DeviceType* deviceTypeById(std::int32_t id)
{
    for (const auto& d : deviceTypes())
        if (d.id == id) return &d;
    return nullptr;
}

} // namespace sampledb
