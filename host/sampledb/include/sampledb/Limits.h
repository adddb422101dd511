#pragma once
// Default limit values of the back-end's limit tables (believable German
// practice) and the limits a limit row of one measurement row receives.
#include <string>
#include <vector>

#include "sampledb/Layout.h"
#include "sampledb/Rows.h"

namespace sampledb {

// The one row of 0100_GrenzwertStandard (limit field -> expression).
Row standardLimits();

struct IsoLimit { std::string voltage, limit; };
// 0100_GrenzwertISO: "250" -> ">0,5", "500" -> ">1", "1000" -> ">1".
const std::vector<IsoLimit>& isoLimits();

struct RcdLimit { double factor; bool selective; std::string fitMin, fitMax; };
// 0100_GrenzwertRCD: factors 0.5, 1, 2, 5, general and selective.
const std::vector<RcdLimit>& rcdLimits();

// "<" + 230 / Ia rounded to two decimals, decimal comma ("<2,88" for >80).
std::string loopLimit(int minCurrent);

// The limit row that the measurement control would create for a
// measurement row (field -> value, as read from 0100_Messung): the
// standard values, RISO by test voltage, the four loop limits from the
// circuit's device (none: standard), "fit min"/"fit max" by the test
// factor and selectivity; MessID and StromkreisID set. An RCD factor
// without a row in the RCD table keeps the standard trip-time limits.
Row limitRowFor(const Row& measurement, const DeviceType* device);

} // namespace sampledb
