// Figures of the engine layer, each beside a baseline measured in the same
// run, printed as ratios:
//   (a) reading every value of a 10,000 x 50 text dynaset vs the same SELECT
//       through the SQLite API;
//   (b) FindFirst "MessID = n" for every n of a 1,000-row dynaset vs a loop
//       over the same values in memory;
//   (c) 1,000 Edit/Update of one row vs 1,000 UPDATE statements.
// Usage: bench_engine [--read-only-figure] [folder]   (default: a new folder below /tmp)
// --read-only-figure measures (a) alone (for profiling).
#include <sqlite3.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "engine/Engine.h"
#include "engine/Recordset.h"

namespace {

using Clock = std::chrono::steady_clock;

double seconds(Clock::time_point a, Clock::time_point b) { return std::chrono::duration<double>(b - a).count(); }

template <class F> double best(int runs, F f) {
    double t = 1e300;
    for (int i = 0; i < runs; ++i) {
        auto a = Clock::now();
        f();
        t = std::min(t, seconds(a, Clock::now()));
    }
    return t;
}

void rawExec(sqlite3* db, const std::string& sql) {
    char* msg = nullptr;
    if (sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &msg) != SQLITE_OK) {
        std::fprintf(stderr, "sqlite: %s\n", msg ? msg : "?");
        std::exit(1);
    }
}

volatile std::size_t g_sink = 0;

} // namespace

int main(int argc, char** argv) {
    std::string folder;
    bool onlyA = false;
    if (argc > 1 && std::string(argv[1]) == "--read-only-figure") {
        onlyA = true;
        --argc;
        ++argv;
    }
    if (argc > 1) {
        folder = argv[1];
    } else {
        char tmpl[] = "/tmp/bench_engine-XXXXXX";
        if (!::mkdtemp(tmpl)) return 1;
        folder = tmpl;
    }
    const std::string path = folder + "/bench.mdb";
    ::unlink(path.c_str());

    engine::Engine eng(rt::Regional::english());
    auto db = eng.defaultWorkspace().createDatabase(path);
    const int kRows = 10000, kCols = 50;
    {
        std::string ddl = "CREATE TABLE Wide (";
        for (int c = 0; c < kCols; ++c) ddl += (c ? ", F" : "F") + std::to_string(c) + " TEXT(50)";
        db->execute(ddl + ")");
        db->execute("CREATE TABLE Mess (MessID LONG, Wert TEXT(20))");
        db->execute("CREATE TABLE Zaehler (ID LONG, LastID LONG)");
        db->execute("INSERT INTO Zaehler (ID, LastID) VALUES (1, 0)");
    }
    // Filling through a second, raw connection (fast bulk insert).
    sqlite3* raw = nullptr;
    sqlite3_open(path.c_str(), &raw);
    sqlite3_busy_timeout(raw, 5000);
    {
        rawExec(raw, "BEGIN");
        std::string ins = "INSERT INTO Wide (";
        for (int c = 0; c < kCols; ++c) ins += (c ? ", F" : "F") + std::to_string(c);
        ins += ") VALUES (";
        for (int c = 0; c < kCols; ++c) ins += c ? ", ?" : "?";
        ins += ")";
        sqlite3_stmt* st = nullptr;
        sqlite3_prepare_v2(raw, ins.c_str(), -1, &st, nullptr);
        for (int r = 0; r < kRows; ++r) {
            for (int c = 0; c < kCols; ++c) {
                std::string v = "Wert " + std::to_string(r) + "/" + std::to_string(c);
                sqlite3_bind_text(st, c + 1, v.c_str(), -1, SQLITE_TRANSIENT);
            }
            sqlite3_step(st);
            sqlite3_reset(st);
        }
        sqlite3_finalize(st);
        for (int n = 1; n <= 1000; ++n)
            rawExec(raw, "INSERT INTO Mess (MessID, Wert) VALUES (" + std::to_string(n) + ", 'x')");
        rawExec(raw, "COMMIT");
    }

    // (a) reading a wide dynaset; layer and raw runs alternate so that load
    // from other programs affects both alike; the best of five counts.
    auto readLayer = [&] {
        auto rs = db->openRecordset("SELECT * FROM Wide");
        std::size_t n = 0;
        auto& f = rs->fields();
        const int count = f.count();
        while (!rs->eof()) {
            for (int c = 0; c < count; ++c) n += f[c].value().stringValue().size();
            rs->moveNext();
        }
        g_sink = g_sink + n;
    };
    auto readRaw = [&] {
        sqlite3_stmt* st = nullptr;
        sqlite3_prepare_v2(raw, "SELECT * FROM Wide", -1, &st, nullptr);
        std::size_t n = 0;
        while (sqlite3_step(st) == SQLITE_ROW) {
            for (int c = 0; c < kCols; ++c) {
                std::string v(reinterpret_cast<const char*>(sqlite3_column_text(st, c)),
                              std::size_t(sqlite3_column_bytes(st, c)));
                n += v.size();
            }
        }
        sqlite3_finalize(st);
        g_sink = g_sink + n;
    };
    double layerA = 1e300, rawA = 1e300;
    for (int i = 0; i < 5; ++i) {
        layerA = std::min(layerA, best(1, readLayer));
        rawA = std::min(rawA, best(1, readRaw));
    }

    if (onlyA) {
        std::printf("(a) read 10,000 x 50 text dynaset: layer %.3f s, raw SQLite %.3f s, ratio %.2f (target <= 3)\n",
                    layerA, rawA, layerA / rawA);
        sqlite3_close(raw);
        return 0;
    }

    // (b) FindFirst over 1,000 rows.
    auto mess = db->openRecordset("SELECT * FROM Mess");
    double layerB = best(1, [&] {
        for (int n = 1; n <= 1000; ++n) {
            mess->findFirst("MessID = " + std::to_string(n));
            if (mess->noMatch()) std::exit(2);
        }
    });
    std::vector<int> ids(1000);
    for (int i = 0; i < 1000; ++i) ids[std::size_t(i)] = i + 1;
    double memB = best(3, [&] {
        std::size_t hits = 0;
        for (int n = 1; n <= 1000; ++n)
            hits += std::size_t(std::find(ids.begin(), ids.end(), n) - ids.begin());
        g_sink = g_sink + hits;
    });

    // (c) 1,000 Edit/Update of one row.
    const int kEdits = 1000;
    auto counter = db->openRecordset("SELECT * FROM Zaehler WHERE ID = 1");
    double layerC = best(1, [&] {
        for (int i = 0; i < kEdits; ++i) {
            counter->edit();
            counter->field("LastID") = counter->value("LastID").longValue() + 1;
            counter->update();
        }
    });
    double rawC = best(1, [&] {
        for (int i = 0; i < kEdits; ++i) rawExec(raw, "UPDATE Zaehler SET LastID = LastID + 1 WHERE ID = 1");
    });
    sqlite3_close(raw);

    std::printf("engine layer benchmark (%s)\n", path.c_str());
    std::printf("(a) read 10,000 x 50 text dynaset: layer %.3f s, raw SQLite %.3f s, ratio %.2f (target <= 3)\n",
                layerA, rawA, layerA / rawA);
    std::printf("(b) 1,000 x FindFirst over 1,000 rows: layer %.3f s, in-memory loop %.6f s, ratio %.0f\n", layerB,
                memB, layerB / memB);
    std::printf("    per FindFirst: %.1f us\n", layerB / 1000 * 1e6);
    std::printf("(c) 1,000 x Edit/Update of one row: layer %.3f s, raw UPDATE %.3f s, ratio %.2f\n", layerC, rawC,
                layerC / rawC);
    return 0;
}
