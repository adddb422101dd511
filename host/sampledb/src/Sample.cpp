#include "sampledb/Sample.h"

#include <chrono>
#include <filesystem>

#include "sampledb/Builder.h"
#include "sampledb/Circuits.h"
#include "sampledb/Layout.h"
#include "sampledb/Transaction.h"

namespace sampledb {

namespace {

namespace fs = std::filesystem;

// Readings of the generator for one place with some values replaced.
Row placeWith(CircuitWriter& w, const PlaceProfile& profile, const std::string& nr, const Row& overrides)
{
    Row r = w.readings().place(profile);
    for (const auto& [k, v] : overrides) r[k] = v;
    r["EigeneNr"] = nr;
    return r;
}

PlaceProfile rcdProfile(const char* device, const std::string& factor, int ratedMa = 30, bool selective = false)
{
    PlaceProfile p;
    p.device = &deviceType(device);
    p.rcd = true;
    p.rcdFactor = factor;
    p.rcdRatedMa = ratedMa;
    p.rcdSelective = selective;
    return p;
}

struct Collector {
    CircuitWriter& w;
    SampleSummary& s;
    std::string customer;

    std::int32_t circuit(CircuitPlan plan)
    {
        const auto r = w.addCircuit(plan);
        s.circuits.push_back({r.stromkreisId, label(plan), static_cast<int>(r.messIds.size())});
        return r.stromkreisId;
    }
    // A circuit whose rows are given: the Stromkreis row without places,
    // then the rows.
    std::int32_t circuit(CircuitPlan plan, const std::vector<Row>& rows)
    {
        plan.places = 0;
        const auto r = w.addCircuit(plan);
        w.addMeasurements(r.stromkreisId, rows);
        s.circuits.push_back({r.stromkreisId, label(plan), static_cast<int>(rows.size())});
        return r.stromkreisId;
    }
    std::string label(const CircuitPlan& plan) const
    {
        return customer + " / " + plan.nummer + " " + plan.bezeichnung +
               (plan.device.empty() ? std::string(" (ohne Sicherung)") : " (" + plan.device + ")");
    }
};

void schneider(CircuitWriter& w, SampleSummary& s)
{
    Collector c{w, s, "Schneider"};
    const auto kunde = w.addCustomer("Familie Schneider", "Lindenstraße 12", "79102", "Freiburg");
    const auto anlage = w.addInstallation(kunde, "Einfamilienhaus, Unterverteilung EG");
    const auto test = w.addTest(anlage, 2024, 3, 12, "M. Weber");
    s.firstPruefungId = test;

    CircuitPlan kitchen{test, "F1", "Steckdosen Küche", "B16", "NYM-J 3x2,5", 4, 1, {}};
    kitchen.profile.rcd = true;
    c.circuit(kitchen);

    // The bathroom fails: loop resistance too high for B16 at place 002,
    // the RCD trips far too late.
    const PlaceProfile bath = rcdProfile("B16", "x1");
    PlaceProfile plain;
    plain.device = &deviceType("B16");
    c.circuit({test, "F2", "Bad", "B16", "NYM-J 3x1,5", 0, 1, {}},
              {placeWith(w, bath, "001", {{"FIT", "342"}, {"FIIMESS", "24"}}),
               placeWith(w, plain, "002", {{"LoopRS", "3,10"}, {"LoopIKRS", "74"}, {"LoopRI", "2,95"},
                                          {"LoopIKRI", "78"}, {"Bemerkung", "Klemmstelle prüfen"}}),
               placeWith(w, plain, "003", {})});

    CircuitPlan stove{test, "F3", "Herd", "B16", "NYM-J 5x2,5", 1, 1, {}};
    stove.profile.threePhase = true;
    c.circuit(stove);

    c.circuit({test, "F4", "Außenbeleuchtung", "B10", "NYM-J 3x1,5", 0, 1, {}});

    // Places measured at different times, several rows each: compaction
    // merges them. 001: LOW only, then DREH and LOW; 002: empty, then a loop
    // pair; 003: one place's readings spread over three rows.
    Row spread = w.readings().place(rcdProfile("B16", "x1"));
    std::vector<Row> rows{
        {{"EigeneNr", "001"}, {"LOW", "0,21"}},
        {{"EigeneNr", "001"}, {"DREH", "rechts"}, {"LOW", "0,24"}},
        {{"EigeneNr", "002"}},
        {{"EigeneNr", "002"}, {"LoopRS", "0,62"}, {"LoopIKRS", "371"}},
    };
    for (Row& r : splitOverRows(spread, 3)) {
        r["EigeneNr"] = "003";
        rows.push_back(std::move(r));
    }
    c.circuit({test, "F5", "Werkstatt Keller", "B16", "NYM-J 5x2,5", 0, 1, {}}, rows);

    using Cell = CircuitWriter::Cell;
    const std::vector<Cell> headings{
        {0, 1, "Hersteller"}, {0, 2, "Typ"}, {0, 3, "Seriennummer"}, {0, 4, "Nächste Kalibrierung"},
        {1, 0, "Installationstester"}, {2, 0, "Isolationsmessgerät"}, {3, 0, "Stromzange"},
    };
    std::vector<Cell> cells = headings;
    for (const Cell& e : std::vector<Cell>{
             {1, 1, "Vogt Messtechnik"}, {1, 2, "IT 330"}, {1, 3, "A-118274"}, {1, 4, "03.2025"},
             {2, 1, "Vogt Messtechnik"}, {2, 2, "ISO 1000"}, {2, 3, "B-55021"}, {2, 4, "11.2024"},
             {3, 1, "Kessler"}, {3, 2, "CZ 40"}, {3, 3, "7731-0093"}, {3, 4, "06.2025"}})
        cells.push_back(e);
    w.addEquipment(test, cells);
    w.addEquipmentStandard("Deutsch", headings);
}

void huber(CircuitWriter& w, SampleSummary& s)
{
    Collector c{w, s, "Huber"};
    const auto kunde = w.addCustomer("Bäckerei Huber GmbH", "Marktplatz 3", "79098", "Freiburg");
    const auto anlage = w.addInstallation(kunde, "Backstube, Hauptverteilung");
    const auto test = w.addTest(anlage, 2024, 4, 8, "S. Köhler");

    CircuitPlan oven{test, "F1", "Backofen", "C32", "NYY-J 5x6", 2, 1, {}};
    oven.profile.threePhase = true;
    c.circuit(oven);

    // Damp feeder cable: insulation far below 1 MOhm.
    PlaceProfile feeder;
    feeder.device = &deviceType("gG25");
    feeder.threePhase = true;
    c.circuit({test, "F2", "Zuleitung UV Laden", "gG25", "NYY-J 5x10", 0, 1, {}},
              {placeWith(w, feeder, "001", {{"RISO", "0,42"}, {"Bemerkung", "Feuchtigkeit im Kabelkanal"}})});

    // Selective 300 mA device of the cold room: in order at 001, tripping
    // faster than 130 ms at 002, a reading out of range at x5 at 003.
    const PlaceProfile sel = rcdProfile("B16", "x1 S", 300, true);
    c.circuit({test, "F3", "Kühlraum", "B16", "NYM-J 3x2,5", 0, 1, {}},
              {placeWith(w, sel, "001", {{"FIT", "245"}}),
               placeWith(w, sel, "002", {{"FIT", "95"}}),
               placeWith(w, sel, "003", {{"FIFaktor", "x5 S"}, {"FIT", "o.r."}})});

    c.circuit({test, "F4", "Reserve", "", "", 0, 1, {}});
}

void kraemer(CircuitWriter& w, SampleSummary& s, const SampleOptions& o)
{
    Collector c{w, s, "Krämer"};
    const auto kunde = w.addCustomer("Autohaus Krämer KG", "Industriestraße 40", "79227", "Schallstadt");
    const auto anlage = w.addInstallation(kunde, "Werkstatthalle");
    const auto test = w.addTest(anlage, 2024, 5, 21, "M. Weber");

    CircuitPlan lift{test, "F1", "Hebebühne", "C16", "NYM-J 5x2,5", 0, 1, {}};
    PlaceProfile liftProfile = rcdProfile("C16", "x5");
    liftProfile.threePhase = true;
    liftProfile.earth = true;
    c.circuit(lift, {placeWith(w, liftProfile, "001", {}),
                     placeWith(w, rcdProfile("C16", "x1/2"), "002", {{"FIIMESS", "12"}})});

    CircuitPlan outdoor{test, "F2", "Außensteckdosen", "B16", "NYM-J 3x2,5", 6, 1, {}};
    outdoor.profile.rcd = true;
    c.circuit(outdoor);

    if (o.largePlaces > 0) {
        CircuitPlan big{test, "F9", "Messreihe Hallenbeleuchtung", "B16", "NYM-J 3x1,5", o.largePlaces, 1, {}};
        big.profile.rcd = true;
        big.profile.fillAllColumns = o.fillAllColumns;
        s.largeCircuitId = c.circuit(big);
    }
}

} // namespace

SampleSummary buildSample(engine::Engine& engine, const std::string& folder, const SampleOptions& o)
{
    const auto started = std::chrono::steady_clock::now();
    fs::create_directories(folder);
    SampleSummary s;
    s.backendPath = fs::absolute(fs::path(folder) / o.backendName).lexically_normal().string();
    s.frontendPath = fs::absolute(fs::path(folder) / o.frontendName).lexically_normal().string();

    auto& ws = engine.defaultWorkspace();
    const Replica replica = sampleReplica();
    auto back = createBackend(ws, s.backendPath, replica);
    {
        Transaction t(ws);
        CircuitWriter w(*back, replica, o.seed);
        schneider(w, s);
        huber(w, s);
        kraemer(w, s, o);
        if (o.limitRows)
            for (const auto& c : s.circuits) w.addLimitRows(c.stromkreisId);
        t.commit();
    }
    auto front = createFrontend(ws, s.frontendPath, s.backendPath, replica);

    for (const auto& t : backendTables()) s.tableRows.emplace_back(t.name, countRows(*back, t.name));
    front->close();
    back->close();
    s.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    return s;
}

} // namespace sampledb
