#pragma once
// The layout of the host database as the controls read it: the tables of
// the back-end file, their fields in order, the stored queries of the
// front-end file and the protective device catalog. Everything here is
// constant data; nothing is read from a file.
//
// 0100_Messung, field order (the order of the loading query too):
//   0..41  the catalog fields of grid columns 1..42 (EigeneNr ... Bemerkung),
//   42     StromkreisID (grid column 43),
//   43     MessID,
//   44..   the bookkeeping block Gen_Datum, Gen_Pruefer, s_Zeitstempel
//          (the last field begins with "s_").
// 0100_Grenzwert / 0100_GrenzwertStandard: GrenzwertID (COUNTER, position
// 0), one limit field per movable or evaluated measuring field, named like
// the measurement field ("fit min"/"fit max" for FIT), then MessID and
// StromkreisID as the last two fields.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "engine/Types.h"

namespace sampledb {

// One field of a table the builder creates.
struct Column {
    std::string name;
    engine::FieldType type = engine::FieldType::Text;
    int size = 0;               // text size; 0 for other types
    bool counter = false;       // COUNTER (auto-increment key)
};

// Table names of the back-end file (linked under the same names).
namespace table {
inline constexpr const char* Messung = "0100_Messung";
inline constexpr const char* Grenzwert = "0100_Grenzwert";
inline constexpr const char* GrenzwertStandard = "0100_GrenzwertStandard";
inline constexpr const char* GrenzwertISO = "0100_GrenzwertISO";
inline constexpr const char* GrenzwertRCD = "0100_GrenzwertRCD";
inline constexpr const char* Betriebsmittel = "0100_Betriebsmittel";
inline constexpr const char* BetriebsmittelStandard = "0100_BetriebsmittelStandard";
inline constexpr const char* IDIncrement = "IDIncrement";
inline constexpr const char* Kunde = "Kunde";
inline constexpr const char* Anlage = "Anlage";
inline constexpr const char* Pruefung = "Prüfung";
inline constexpr const char* Stromkreis = "Stromkreis";
inline constexpr const char* Sicherungstyp = "Sicherungstyp";
} // namespace table

// Stored query names of the front-end file.
namespace query {
inline constexpr const char* MessungenVonStromkreis = "MessungenVonStromkreis";
inline constexpr const char* StromkreisLegende = "A_StromkreisLegende";
inline constexpr const char* MessVonStromSortiert = "A_MessVonStromSortiert";
inline constexpr const char* AnzahlPlaetze = "A_AnzahlPlätzeVonStromkreis";
inline constexpr const char* Plaetze = "A_PlätzeVonStromkreis";
inline constexpr const char* PlaetzeGrenzwert = "A_PlätzeVonStromkreisGrenzwert";
inline constexpr const char* LeerezeilenLoeschen = "A_LeerezeilenLöschen";
} // namespace query

// Fields of 0100_Messung in table order (47 fields, see above).
const std::vector<Column>& messungColumns();
// Names of the measurement fields that the grid shows and writes as text:
// positions 1..41 (Grenzwerte ... Bemerkung), EigeneNr excluded.
std::vector<std::string> measurementFieldNames();
// Catalog position (0-based field index) of a 0100_Messung field; -1 if none.
int messungIndex(std::string_view name);

// Fields of 0100_Grenzwert and 0100_GrenzwertStandard in table order.
const std::vector<Column>& grenzwertColumns();

// Every table of the back-end file with its fields, in creation order.
struct TableLayout {
    std::string name;
    std::vector<Column> columns;
    // Fields that carry a unique index ("MessID" for 0100_Messung, ...).
    std::vector<std::string> uniqueFields;
};
const std::vector<TableLayout>& backendTables();

// A protective device type of the table Sicherungstyp. minCurrent is the
// minimum short-circuit current Ia in A that trips it in time (5 x In for
// B, 10 x In for C, table values for gG); the table's Grenzwert is ">" Ia.
struct DeviceType {
    std::int32_t id = 0;
    std::string name;          // "B16", "C32", "gG25"
    std::string characteristic; // "B", "C", "gG"
    int ratedCurrent = 0;      // In, A
    int minCurrent = 0;        // Ia, A
    std::string limit() const { return ">" + std::to_string(minCurrent); }
    double maxLoopOhm() const { return 230.0 / minCurrent; }
};
const std::vector<DeviceType>& deviceTypes();
// The device named name ("B16"); rt::Error 3265 when unknown.
const DeviceType& deviceType(std::string_view name);
const DeviceType* deviceTypeById(std::int32_t id);

} // namespace sampledb
