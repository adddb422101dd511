#pragma once
// Believable readings of a measurement place, written as an electrician's
// instrument shows them: texts with a decimal comma. Deterministic for a
// seed (its own generator; no global random state).
#include <cstdint>
#include <random>
#include <string>

#include "sampledb/Layout.h"
#include "sampledb/Rows.h"

namespace sampledb {

// What a circuit's places measure.
struct PlaceProfile {
    const DeviceType* device = nullptr;  // protective device; none: default loop range
    bool threePhase = false;             // rotation field measured (DREH)
    bool rcd = false;                    // residual-current device test
    int rcdRatedMa = 30;
    bool rcdSelective = false;
    std::string rcdFactor = "x1";        // as typed: "x1", "x1/2", "x5 S"
    bool earth = false;                  // earth resistance (ErdRE)
    bool fillAllColumns = false;         // every column of the catalog gets a value
};

// value rounded to decimals places, decimal comma, no grouping: 0.4 -> "0,40".
std::string decimalText(double value, int decimals);
// A place number as the grid pads it: 7 -> "007".
std::string placeNumber(int n);

class ReadingGenerator {
public:
    explicit ReadingGenerator(std::uint32_t seed);

    // Passing readings of one place for the fields of 0100_Messung between
    // EigeneNr and Bemerkung (those the profile measures; the others are not
    // in the row). The loop resistance stays below 80 % of the device's
    // maximum (230 V / Ia) and within 0,35-1,2 Ohm where the device allows.
    Row place(const PlaceProfile& profile);

    double uniform(double lo, double hi);
    int uniformInt(int lo, int hi);

private:
    std::mt19937 gen_;
};

// The measurement groups of compaction, by field name, in table order:
// single fields, pairs, the RCD test FIT..FIRE and LoopRPE with the two
// loop resistances after it and Funktion, Messwert, Einheit.
const std::vector<std::vector<std::string>>& measurementGroups();

// Splits the readings of one place over rows (rows >= 1) the way an
// electrician enters them at different times: group g goes to row
// g % rows; fields outside every group stay in row 0.
std::vector<Row> splitOverRows(const Row& place, int rows);

} // namespace sampledb
