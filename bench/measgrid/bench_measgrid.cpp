// bench_measgrid: how long MessungenLaden takes for circuits of 10, 100,
// 1,000 and 10,000 places (every column filled, every limit row present),
// headless, beside reading the same measurement and limit rows through the
// SQLite API directly; then the first load of 1,000 places, which creates
// every limit row. Prints figures; exits 0 (not a test).
//
//   bench_measgrid [FOLDER]     (default: a folder below the temp folder)
#include <sqlite3.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "ColumnCatalog.h"
#include "Loading.h"
#include "MeasState.h"
#include "ModuleContext.h"
#include "engine/Database.h"
#include "engine/Engine.h"
#include "grid/FlexGrid.h"
#include "sampledb/Builder.h"
#include "sampledb/Circuits.h"
#include "sampledb/Layout.h"
#include "settings/Store.h"
#include "toolkit/HeadlessUi.h"

namespace {

using Clock = std::chrono::steady_clock;

double msSince(Clock::time_point t0) {
    return std::chrono::duration<double, std::milli>(Clock::now() - t0).count();
}

// Reads every column of the circuit's measurement rows and limit rows as text.
double rawRead(const std::string& backendPath, std::int32_t circuit, long& cells) {
    sqlite3* db = nullptr;
    sqlite3_open_v2(backendPath.c_str(), &db, SQLITE_OPEN_READONLY, nullptr);
    const auto t0 = Clock::now();
    cells = 0;
    for (const char* sql : {"SELECT * FROM \"0100_Messung\" WHERE StromkreisID = ? ORDER BY MessID",
                            "SELECT * FROM \"0100_Grenzwert\" WHERE StromkreisID = ?"}) {
        sqlite3_stmt* st = nullptr;
        if (sqlite3_prepare_v2(db, sql, -1, &st, nullptr) != SQLITE_OK) {
            std::fprintf(stderr, "raw read: %s\n", sqlite3_errmsg(db));
            std::exit(1);
        }
        sqlite3_bind_int(st, 1, circuit);
        while (sqlite3_step(st) == SQLITE_ROW) {
            const int n = sqlite3_column_count(st);
            for (int i = 0; i < n; ++i) {
                const unsigned char* t = sqlite3_column_text(st, i);
                std::string copy = t ? reinterpret_cast<const char*>(t) : "";
                cells += copy.empty() ? 0 : 1;
            }
        }
        sqlite3_finalize(st);
    }
    const double ms = msSince(t0);
    sqlite3_close(db);
    return ms;
}

struct Loader {
    engine::Engine engine{rt::Regional::german()};
    measgrid::MeasState state;
    tk::HeadlessUi ui;
    settings::Store store;
    rt::Regional regional = rt::Regional::german();
    measgrid::ModuleContext ctx{state, ui, store, regional};
    grid::FlexGrid fg{"fg2"};

    Loader(const std::filesystem::path& dir, const std::string& front)
        : store(dir / "settings") {
        state.frontend = engine.defaultWorkspace().openDatabase(front);
        state.backend = engine.defaultWorkspace().openDatabase((dir / "Daten.mdb").string());
        fg.setRows(5);
        fg.setCols(20);
        fg.setFixedRows(4);
        fg.setFixedCols(2);
        measgrid::SpaltenAufbauen(fg, state.objSpra());
    }
    double load(std::int32_t circuit) {
        const auto t0 = Clock::now();
        measgrid::MessungenLaden(0, "", fg, rt::Variant(circuit), ctx);
        const double ms = msSince(t0);
        if (!ui.boxes().empty()) {
            std::fprintf(stderr, "the load reported: %s\n", ui.boxes().back().prompt.c_str());
            std::exit(1);
        }
        return ms;
    }
};

template <class F>
double best(int runs, F f) {
    double b = 1e300;
    for (int i = 0; i < runs; ++i) b = std::min(b, f());
    return b;
}

} // namespace

int main(int argc, char** argv) {
    const std::filesystem::path dir =
        argc > 1 ? std::filesystem::path(argv[1]) : std::filesystem::temp_directory_path() / "bench_measgrid";
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    const std::string back = (dir / "Daten.mdb").string(), front = (dir / "Pruefung.mde").string();

    std::vector<std::pair<int, std::int32_t>> circuits;
    std::int32_t fresh = 0;
    {
        engine::Engine eng(rt::Regional::german());
        const auto replica = sampledb::sampleReplica();
        auto be = sampledb::createBackend(eng.defaultWorkspace(), back, replica);
        sampledb::createFrontend(eng.defaultWorkspace(), front, back, replica);
        sampledb::CircuitWriter w(*be, replica);
        const std::int32_t test =
            w.addTest(w.addInstallation(w.addCustomer("Bench", "Weg 1", "10000", "Stadt"), "Halle"), 2026, 1, 5, "B");
        const auto t0 = Clock::now();
        auto make = [&](int places, bool limits) {
            sampledb::CircuitPlan plan;
            plan.pruefungId = test;
            plan.nummer = std::to_string(places);
            plan.device = "B16";
            plan.places = places;
            plan.profile.device = &sampledb::deviceType("B16");
            plan.profile.rcd = true;
            plan.profile.threePhase = true;
            plan.profile.fillAllColumns = true;
            const std::int32_t id = w.addCircuit(plan).stromkreisId;
            if (limits) w.addLimitRows(id);
            return id;
        };
        for (int places : {10, 100, 1000, 10000}) circuits.emplace_back(places, make(places, true));
        fresh = make(1000, false);
        std::printf("fixture: %s (built in %.1f s)\n\n", dir.c_str(), msSince(t0) / 1000);
    }

    Loader loader(dir, front);
    std::printf("%8s %12s %12s %8s %10s\n", "places", "load ms", "raw read ms", "ratio", "cells");
    std::vector<double> loads;
    for (const auto& [places, id] : circuits) {
        const int runs = places >= 10000 ? 2 : places >= 1000 ? 3 : 5;
        const double load = best(runs, [&, id = id] { return loader.load(id); });
        long cells = 0;
        const double raw = best(runs, [&, id = id] { return rawRead(back, id, cells); });
        std::printf("%8d %12.2f %12.2f %7.1fx %10ld\n", places, load, raw, load / raw, cells);
        loads.push_back(load);
        if (loader.fg.rows() != places + 4) {
            std::fprintf(stderr, "grid has %d rows, expected %d\n", loader.fg.rows(), places + 4);
            return 1;
        }
    }
    std::printf("\ngrowth 1,000 -> 10,000 places: %.1fx (linear would be 10x)\n", loads[3] / loads[2]);

    const double first = loader.load(fresh);
    const double again = loader.load(fresh);
    std::printf("first load of 1,000 places creating every limit row: %.2f ms (next load %.2f ms, %.1fx)\n", first,
                again, first / again);
    return 0;
}
