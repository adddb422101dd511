#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>

#include "engine/Engine.h"
#include "engine/QueryDef.h"
#include "engine/Recordset.h"
#include "engine/TableDef.h"
#include "runtime/Error.h"
#include "runtime/Text.h"
#include "sampledb/Builder.h"
#include "sampledb/Circuits.h"
#include "sampledb/Layout.h"
#include "sampledb/Readings.h"
#include "sampledb/Sample.h"

namespace fs = std::filesystem;
using namespace sampledb;

namespace {

fs::path scratch()
{
    const char* env = std::getenv("PG_TEST_TMP");
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    fs::path p = fs::path(env ? env : fs::temp_directory_path().string()) / "sampledb" /
                 (std::string(info->test_suite_name()) + "." + info->name());
    fs::remove_all(p);
    fs::create_directories(p);
    return p;
}

std::vector<std::string> fieldNames(engine::Recordset& rs)
{
    std::vector<std::string> names;
    for (int i = 0; i < rs.fields().count(); ++i) names.push_back(rs.fields()[i].name());
    return names;
}

int indexOf(const std::vector<std::string>& names, const std::string& n)
{
    auto it = std::find(names.begin(), names.end(), n);
    return it == names.end() ? -1 : static_cast<int>(it - names.begin());
}

std::string text(const rt::Variant& v) { return v.type() == rt::VarType::String ? v.stringValue() : ""; }

std::shared_ptr<engine::Recordset> openQuery(engine::Database& db, const std::string& name, std::int32_t circuit,
                                             const char* place = nullptr)
{
    auto qd = db.queryDef(name);
    qd->setParameter("paraStromkreisID", circuit);
    if (place) qd->setParameter("paraEigeneNr", place);
    return qd->openRecordset(engine::RecordsetType::Dynaset);
}

long count(engine::Recordset& rs)
{
    if (rs.eof()) return 0;
    rs.moveLast();
    const long n = rs.recordCount();
    rs.moveFirst();
    return n;
}

// The sample pair, built afresh for each test.
class SampleTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        folder_ = scratch();
        summary_ = buildSample(engine_, folder_.string());
        front_ = engine_.defaultWorkspace().openDatabase(summary_.frontendPath);
    }
    std::int32_t circuit(const std::string& labelPart) const
    {
        for (const auto& c : summary_.circuits)
            if (c.label.find(labelPart) != std::string::npos) return c.stromkreisId;
        ADD_FAILURE() << "no circuit " << labelPart;
        return 0;
    }

    engine::Engine engine_{rt::Regional::german()};
    fs::path folder_;
    SampleSummary summary_;
    std::shared_ptr<engine::Database> front_;
};

TEST_F(SampleTest, BuildsBothFilesFromNothing)
{
    EXPECT_TRUE(fs::exists(summary_.backendPath));
    EXPECT_TRUE(fs::exists(summary_.frontendPath));
    EXPECT_EQ(fs::path(summary_.frontendPath).extension(), ".mde");
    const auto linked = front_->tableDefNames();
    for (const auto& t : backendTables())
        EXPECT_NE(std::find(linked.begin(), linked.end(), t.name), linked.end()) << t.name;
    for (const auto& q : hostQueries()) EXPECT_NO_THROW(front_->queryDef(q.name)) << q.name;

    auto rows = [&](const std::string& t) {
        for (const auto& [name, n] : summary_.tableRows)
            if (name == t) return n;
        return -1L;
    };
    EXPECT_EQ(rows(table::Grenzwert), 0);   // the control creates limit rows on first load
    EXPECT_EQ(rows(table::GrenzwertStandard), 1);
    EXPECT_EQ(rows(table::GrenzwertISO), 3);
    EXPECT_EQ(rows(table::GrenzwertRCD), 8);
    EXPECT_EQ(rows(table::Kunde), 3);
    EXPECT_GT(rows(table::Messung), 20);
    EXPECT_GT(rows(table::Betriebsmittel), 0);

    // Building again over existing files fails and leaves them alone.
    EXPECT_THROW(buildSample(engine_, folder_.string()), rt::Error);
}

TEST_F(SampleTest, LinkedKundeCarriesTheBackendPath)
{
    auto kunde = front_->tableDef("Kunde");
    const std::string suffix = ";DATABASE=" + summary_.backendPath;
    ASSERT_GE(kunde->connect().size(), suffix.size());
    EXPECT_EQ(kunde->connect().substr(kunde->connect().size() - suffix.size()), suffix);
    EXPECT_TRUE(fs::path(summary_.backendPath).is_absolute());
    auto rs = front_->openRecordset("SELECT * FROM Kunde ORDER BY Name");
    EXPECT_EQ(count(*rs), 3);
    EXPECT_EQ(text(rs->value("Name")), "Autohaus Krämer KG");
}

TEST_F(SampleTest, LoadingQueryHasTheGridLayout)
{
    const std::int32_t sid = circuit("Steckdosen Küche");
    auto rs = openQuery(*front_, query::MessungenVonStromkreis, sid);
    const auto names = fieldNames(*rs);
    ASSERT_EQ(names.size(), messungColumns().size());
    // Catalog columns 1..43 are fields 0..42.
    const std::pair<int, const char*> catalog[] = {
        {0, "EigeneNr"}, {1, "Grenzwerte"}, {4, "DREH"}, {5, "LOW"}, {6, "LoopRS"}, {9, "LoopIKRI"},
        {10, "VISO"}, {11, "RISO"}, {13, "FIT"}, {14, "FGRAD"}, {15, "FIFaktor"}, {16, "FIIDN"},
        {19, "FIRE"}, {20, "ErdRE"}, {21, "ErdRO"}, {23, "LoopRPE"}, {29, "I_Zange"}, {30, "I_ZangePeak"},
        {31, "Energy"}, {32, "Power"}, {36, "SchutzpegelUAC"}, {37, "SchutzpegelUDC"}, {38, "Funktion"},
        {39, "Messwert"}, {40, "Einheit"}, {41, "Bemerkung"}, {42, "StromkreisID"}, {43, "MessID"},
    };
    for (const auto& [pos, name] : catalog) EXPECT_EQ(names[pos], name) << pos;
    for (int c : {3, 4, 13, 23, 36}) EXPECT_TRUE(rt::text::startsWith(names[c - 1], "Reserve")) << c;
    ASSERT_TRUE(rt::text::startsWith(names.back(), "s_"));

    // The loading's column count: the trailing Gen_/s_ block and the two
    // fields before it are not shown.
    int i = 2;
    const int n = static_cast<int>(names.size());
    while (rt::text::startsWith(names[n - i], "s_") || rt::text::startsWith(names[n - i], "Gen_")) ++i;
    EXPECT_EQ(n - i, 43);

    EXPECT_TRUE(rs->updatable());
    ASSERT_EQ(count(*rs), 4);
    std::int32_t last = 0;
    for (; !rs->eof(); rs->moveNext()) {
        EXPECT_EQ(rs->value("StromkreisID").longValue(), sid);
        EXPECT_GT(rs->value("MessID").longValue(), last);
        last = rs->value("MessID").longValue();
    }
}

TEST_F(SampleTest, LegendGivesTheMinimumShortCircuitCurrent)
{
    const struct { const char* circuit; std::string limit; } cases[] = {
        {"Steckdosen Küche (B16)", ">80"},
        {"Backofen (C32)", ">320"},
        {"Zuleitung UV Laden (gG25)", ">183"},
        {"Reserve (ohne Sicherung)", ""},
    };
    for (const auto& c : cases) {
        auto rs = front_->openRecordset("SELECT * FROM A_StromkreisLegende WHERE StromkreisID = " +
                                        std::to_string(circuit(c.circuit)));
        ASSERT_FALSE(rs->eof()) << c.circuit;
        EXPECT_EQ(text(rs->value("Grenzwert")), c.limit) << c.circuit;
        const rt::Variant type = rs->value("SicherungstypID");
        EXPECT_EQ(!type.isNull() && type.longValue() != 0, !c.limit.empty()) << c.circuit;
    }
}

TEST_F(SampleTest, LimitTablesAnswerTheControlsQueries)
{
    auto back = engine_.defaultWorkspace().openDatabase(summary_.backendPath);
    const struct { const char* where; const char* field; const char* value; } cases[] = {
        {"Faktor = 1/2 AND Selektive = -1", "fit min", ">500"},
        {"Faktor = 1 AND Selektive = 0", "fit max", "<300"},
        {"Faktor = 5 AND Selektive = 0", "fit max", "<40"},
        {"Faktor = 1 AND Selektive = -1", "fit min", ">130"},
        {"Faktor = 2 AND Selektive = -1", "fit max", "<200"},
    };
    for (const auto& c : cases) {
        auto rs = back->openRecordset(std::string("SELECT * FROM 0100_GrenzwertRCD WHERE ") + c.where);
        ASSERT_EQ(count(*rs), 1) << c.where;
        EXPECT_EQ(text(rs->value(c.field)), c.value) << c.where;
    }
    auto iso = back->openRecordset("SELECT * FROM 0100_GrenzwertISO WHERE Prüfspannung = '250'");
    ASSERT_FALSE(iso->eof());
    EXPECT_EQ(text(iso->value("Grenzwert")), ">0,5");
}

TEST_F(SampleTest, SortedQueryOrdersByPlace)
{
    auto rs = openQuery(*front_, query::MessVonStromSortiert, circuit("Werkstatt Keller"));
    std::vector<std::string> places;
    for (; !rs->eof(); rs->moveNext()) places.push_back(text(rs->value("EigeneNr")));
    EXPECT_EQ(places, (std::vector<std::string>{"001", "001", "002", "002", "003", "003", "003"}));
    EXPECT_EQ(rs->fields().count(), static_cast<int>(messungColumns().size()));
}

// A small pair built through the API: one circuit whose places are given
// row by row, and a second circuit with the same place numbers.
class PlaceQueryTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        const fs::path dir = scratch();
        auto& ws = engine_.defaultWorkspace();
        const Replica replica = sampleReplica();
        back_ = createBackend(ws, (dir / "be.mdb").string(), replica);
        front_ = createFrontend(ws, (dir / "fe.mde").string(), (dir / "be.mdb").string(), replica);
        CircuitWriter w(*back_, replica);
        CircuitPlan plan{0, "F1", "Prüfstromkreis", "B16", "", 0, 1, {}};
        sid_ = w.addCircuit(plan).stromkreisId;
        ids_ = w.addMeasurements(sid_, {
            {{"EigeneNr", ""}},                                             // 0: empty place, first row
            {{"EigeneNr", ""}, {"LOW", "0,21"}},                            // 1
            {{"LoopRS", "0,5"}, {"VISO", "500"}, {"FIFaktor", "x1"}},       // 2: null place
            {{"EigeneNr", "001"}},                                          // 3: first row of 001, empty
            {{"EigeneNr", "001"}, {"LoopRS", ""}, {"LoopIKRS", ""}},        // 4: empty texts
            {{"EigeneNr", "001"}, {"Bemerkung", "Dose defekt"}},            // 5: remark only
            {{"EigeneNr", "001"}},                                          // 6: empty
        });
        other_ = w.addCircuit({0, "F2", "Nachbar", "C16", "", 2, 1, {}}).stromkreisId;
        w.addLimitRows(sid_);
    }

    std::vector<std::int32_t> messIds(engine::Recordset& rs)
    {
        std::vector<std::int32_t> ids;
        for (rs.moveFirst(); !rs.eof(); rs.moveNext()) ids.push_back(rs.value("MessID").longValue());
        return ids;
    }

    engine::Engine engine_{rt::Regional::german()};
    std::shared_ptr<engine::Database> back_, front_;
    std::int32_t sid_ = 0, other_ = 0;
    std::vector<std::int32_t> ids_;
};

TEST_F(PlaceQueryTest, PlacesOfACircuitWithBlankForEmpty)
{
    auto places = openQuery(*front_, query::AnzahlPlaetze, sid_);
    ASSERT_EQ(places->fields()[0].name(), "EigeneNr");
    std::vector<std::string> found;
    for (; !places->eof(); places->moveNext()) found.push_back(text(places->value(0)));
    EXPECT_NE(std::find(found.begin(), found.end(), "001"), found.end());
    EXPECT_NE(std::find(found.begin(), found.end(), ""), found.end());

    auto blank = openQuery(*front_, query::Plaetze, sid_, " ");
    EXPECT_EQ(messIds(*blank), (std::vector<std::int32_t>{ids_[0], ids_[1], ids_[2]}));
    auto first = openQuery(*front_, query::Plaetze, sid_, "001");
    EXPECT_EQ(messIds(*first), (std::vector<std::int32_t>{ids_[3], ids_[4], ids_[5], ids_[6]}));
    EXPECT_EQ(count(*openQuery(*front_, query::Plaetze, other_, "001")), 1);

    auto limits = openQuery(*front_, query::PlaetzeGrenzwert, sid_, " ");
    EXPECT_EQ(messIds(*limits), (std::vector<std::int32_t>{ids_[0], ids_[1], ids_[2]}));
}

TEST_F(PlaceQueryTest, PlaceQueryKeepsTheGroupsAdjacent)
{
    auto rs = openQuery(*front_, query::Plaetze, sid_, "001");
    const auto names = fieldNames(*rs);
    EXPECT_EQ(names.front(), "EigeneNr");
    EXPECT_EQ(names.back(), "MessID");
    const std::vector<std::vector<std::string>> runs = {
        {"LoopRS", "LoopIKRS", "LoopRI", "LoopIKRI", "VISO", "RISO"},
        {"FIT", "FGRAD", "FIIDN", "FIIMESS", "FIUB", "FIRE"},
        {"Energy", "Power"},
        {"SchutzpegelUAC", "SchutzpegelUDC"},
        {"LoopRPE", "LoopRN", "LoopRL"},
    };
    for (const auto& run : runs) {
        const int start = indexOf(names, run[0]);
        ASSERT_GE(start, 1) << run[0];
        for (std::size_t k = 1; k < run.size(); ++k) EXPECT_EQ(indexOf(names, run[k]), start + int(k)) << run[k];
    }
    for (const auto& n : measurementFieldNames()) EXPECT_GE(indexOf(names, n), 1) << n;
}

TEST_F(PlaceQueryTest, PlaceCursorsAreUpdatable)
{
    auto rs = openQuery(*front_, query::Plaetze, sid_, " ");
    ASSERT_TRUE(rs->updatable());
    rs->edit();
    rs->field("DREH") = "rechts";
    rs->update();

    auto limits = openQuery(*front_, query::PlaetzeGrenzwert, sid_, " ");
    ASSERT_TRUE(limits->updatable());
    limits->findFirst("[MessID]= " + std::to_string(ids_[2]));
    ASSERT_FALSE(limits->noMatch());
    limits->edit();
    limits->field("fit min") = "";
    limits->field("LoopRS") = "<1,44";
    limits->update();

    // Compaction searches a clone of the place cursor for a row whose group
    // fields are empty texts (Null is not empty text there).
    auto place = openQuery(*front_, query::Plaetze, sid_, "001");
    auto target = place->clone();
    target->findFirst("LoopRS = ''And LoopIKRS = ''");
    ASSERT_FALSE(target->noMatch());
    EXPECT_EQ(target->value("MessID").longValue(), ids_[4]);

    auto check = back_->openRecordset("SELECT LoopRS FROM 0100_Grenzwert WHERE MessID = " + std::to_string(ids_[2]));
    EXPECT_EQ(text(check->value(0)), "<1,44");
    auto m = back_->openRecordset("SELECT DREH FROM 0100_Messung WHERE MessID = " + std::to_string(ids_[0]));
    EXPECT_EQ(text(m->value(0)), "rechts");
}

TEST_F(PlaceQueryTest, EmptyRowsOfAPlaceAreDeletableExceptTheFirst)
{
    const struct { const char* place; std::vector<std::int32_t> empty; } cases[] = {
        {" ", {}},                     // row 0 is the place's first row; 1 and 2 hold values
        {"001", {ids_[4], ids_[6]}},   // empty texts count as empty; a remark does not
    };
    for (const auto& c : cases) {
        auto rs = openQuery(*front_, query::LeerezeilenLoeschen, sid_, c.place);
        EXPECT_EQ(messIds(*rs), c.empty) << c.place;
    }
    auto rs = openQuery(*front_, query::LeerezeilenLoeschen, sid_, "001");
    for (rs->moveFirst(); !rs->eof(); rs->moveNext()) rs->deleteRecord();
    auto left = openQuery(*front_, query::Plaetze, sid_, "001");
    EXPECT_EQ(messIds(*left), (std::vector<std::int32_t>{ids_[3], ids_[5]}));
}

TEST_F(PlaceQueryTest, LimitRowsFollowDeviceVoltageAndFactor)
{
    auto rs = back_->openRecordset("SELECT * FROM 0100_Grenzwert WHERE MessID = " + std::to_string(ids_[2]));
    ASSERT_FALSE(rs->eof());
    EXPECT_EQ(text(rs->value("LoopIKRS")), ">80");
    EXPECT_EQ(text(rs->value("LoopRS")), "<2,88");
    EXPECT_EQ(text(rs->value("RISO")), ">1");
    EXPECT_EQ(text(rs->value("fit max")), "<300");
    EXPECT_EQ(text(rs->value("DREH")), "1");
    EXPECT_EQ(rs->value("StromkreisID").longValue(), sid_);

    CircuitWriter w(*back_, sampleReplica());
    EXPECT_EQ(w.addLimitRows(sid_), 0);   // nothing missing any more
}

TEST_F(PlaceQueryTest, IdentifiersComeFromTheReplicaBlock)
{
    EXPECT_EQ(ids_.front(), 1 * 100000000 + 10000);   // offset factor 1, first MessID
    auto rs = back_->openRecordset("SELECT LastID FROM IDIncrement WHERE OffsetFaktor = 1 And TabelleName = '0100_Messung'");
    ASSERT_FALSE(rs->eof());
    auto max = back_->openRecordset("SELECT Max(MessID) AS M FROM 0100_Messung");
    EXPECT_EQ(rs->value(0).longValue(), max->value(0).longValue());
    auto rep = front_->openRecordset("SELECT Description FROM MSysReplicas WHERE ReplicaID = " +
                                     sampleReplica().sqlLiteral());
    ASSERT_FALSE(rep->eof());
    EXPECT_EQ(text(rep->value(0)), sampleReplica().description);
}

TEST(LimitLayout, LimitFieldsMatchMeasurementFields)
{
    const auto& cols = grenzwertColumns();
    ASSERT_GE(cols.size(), 4u);
    EXPECT_TRUE(cols.front().counter);
    EXPECT_EQ(cols[cols.size() - 2].name, "MessID");
    EXPECT_EQ(cols.back().name, "StromkreisID");
    for (std::size_t i = 1; i + 2 < cols.size(); ++i) {
        const std::string& n = cols[i].name;
        if (n == "fit min" || n == "fit max") continue;
        EXPECT_GE(messungIndex(n), 0) << n;
    }
    // Every field that compaction moves and every evaluated column has a limit.
    auto has = [&](const std::string& n) {
        return std::any_of(cols.begin(), cols.end(), [&](const Column& c) { return c.name == n; });
    };
    for (const auto& group : measurementGroups())
        for (const auto& f : group) EXPECT_TRUE(has(f == "FIT" ? "fit min" : f)) << f;
}

TEST(Readings, DecimalCommaTexts)
{
    const struct { double v; int d; const char* want; } cases[] = {
        {0.4, 2, "0,40"}, {3.1, 2, "3,10"}, {0.005, 2, "0,01"}, {231, 0, "231"}, {49.95, 1, "50,0"}, {-1.25, 1, "-1,3"},
    };
    for (const auto& c : cases) EXPECT_EQ(decimalText(c.v, c.d), c.want) << c.v;
    EXPECT_EQ(placeNumber(7), "007");
    EXPECT_EQ(placeNumber(1234), "1234");
}

TEST(Readings, SplitKeepsGroupsTogether)
{
    ReadingGenerator gen(7);
    PlaceProfile p;
    p.device = &deviceType("B16");
    p.rcd = true;
    p.threePhase = true;
    const Row place = gen.place(p);
    const auto rows = splitOverRows(place, 3);
    ASSERT_EQ(rows.size(), 3u);
    std::size_t fields = 0;
    for (const auto& r : rows) {
        EXPECT_FALSE(r.empty());
        fields += r.size();
        for (const auto& group : measurementGroups()) {
            const auto in = std::count_if(group.begin(), group.end(), [&](const std::string& f) { return r.count(f) != 0; });
            const auto total = std::count_if(group.begin(), group.end(), [&](const std::string& f) { return place.count(f) != 0; });
            EXPECT_TRUE(in == 0 || in == total) << group[0];
        }
    }
    EXPECT_EQ(fields, place.size());
    EXPECT_EQ(text(place.at("DREH")), "rechts");
    // Loop resistance within the B16 device's range, written with a comma.
    const std::string rs = text(place.at("LoopRS"));
    ASSERT_EQ(rs.find('.'), std::string::npos);
    EXPECT_LT(std::stod(rs.substr(0, rs.find(',')) + "." + rs.substr(rs.find(',') + 1)), 2.3);
}

} // namespace
