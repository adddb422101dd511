#pragma once
// The sample pair that pgsample writes: a few customers with their
// installations, tests and circuits (B16, C32, gG fuses), places with
// passing and failing readings, circuits without places, places with
// several rows, an equipment table, and optionally one large circuit.
#include <cstdint>
#include <string>
#include <vector>

#include "engine/Engine.h"

namespace sampledb {

struct SampleOptions {
    std::string backendName = "Daten.mdb";
    std::string frontendName = "Pruefung.mde";
    int largePlaces = 0;           // > 0: one more circuit with that many places
    bool fillAllColumns = false;   // the large circuit fills every column
    bool limitRows = false;        // pre-create the 0100_Grenzwert rows
    std::uint32_t seed = 1;
};

struct SampleCircuit {
    std::int32_t stromkreisId = 0;
    std::string label;            // "Schneider / F1 Steckdosen Küche (B16)"
    int rows = 0;                 // measurement rows
};

struct SampleSummary {
    std::string backendPath, frontendPath;   // absolute
    std::vector<SampleCircuit> circuits;
    std::int32_t firstPruefungId = 0;        // the test with an equipment table
    std::int32_t largeCircuitId = 0;         // 0 without --places
    std::vector<std::pair<std::string, long>> tableRows;  // back-end table -> rows
    double seconds = 0;
};

// Builds both files in folder (created if missing). Raises the engine's
// error 3204 when a file exists already.
SampleSummary buildSample(engine::Engine& engine, const std::string& folder,
                          const SampleOptions& options = {});

} // namespace sampledb
