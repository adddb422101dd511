#include "sampledb/Limits.h"

#include <cmath>
#include <cstdlib>

#include "runtime/Convert.h"

namespace sampledb {

Row standardLimits()
{
    Row r;
    const auto& cols = grenzwertColumns();
    // Limit fields only: not the key at 0, not MessID/StromkreisID at the end.
    for (std::size_t i = 1; i + 2 < cols.size(); ++i) r[cols[i].name] = "";
    r["DREH"] = "1";            // clockwise expected
    r["LOW"] = "<1";            // protective conductor continuity, Ohm
    r["RISO"] = ">1";           // 500 V test voltage, MOhm
    r["fit max"] = "<300";      // general RCD at x1, ms
    r["FIUB"] = "<50";          // touch voltage, V
    r["FIRE"] = "<1666";        // 50 V / 30 mA, Ohm
    r["ErdRE"] = "<1666";
    return r;
}

const std::vector<IsoLimit>& isoLimits()
{
    static const std::vector<IsoLimit> limits = {
        {"250", ">0,5"}, {"500", ">1"}, {"1000", ">1"},
    };
    return limits;
}

const std::vector<RcdLimit>& rcdLimits()
{
    static const std::vector<RcdLimit> limits = {
        {0.5, false, ">300", ""}, {1, false, "", "<300"}, {2, false, "", "<150"}, {5, false, "", "<40"},
        {0.5, true, ">500", ""},  {1, true, ">130", "<500"}, {2, true, ">60", "<200"}, {5, true, ">50", "<150"},
    };
    return limits;
}

std::string loopLimit(int minCurrent)
{
    const double zs = std::floor(230.0 / minCurrent * 100 + 0.5) / 100;
    return "<" + rt::numberToText(zs, rt::Regional::german());
}

namespace {

// The numeric expression at the end of a typed factor ("x1/2 S" -> 1/2),
// evaluated; 1 when there is none.
double typedFactor(const std::string& typed)
{
    auto isNum = [](char c) { return c >= 40 && c <= 62; };
    std::size_t e = typed.size();
    while (e > 0 && !(isNum(typed[e - 1]) && typed[e - 1] != '=' && typed[e - 1] != ':')) --e;
    if (e == 0) return 1;
    std::size_t b = e;
    while (b > 0 && isNum(typed[b - 1])) --b;
    const std::string expr = typed.substr(b, e - b);
    const auto slash = expr.find('/');
    if (slash == std::string::npos) return std::atof(expr.c_str());
    const double den = std::atof(expr.c_str() + slash + 1);
    return den == 0 ? 0 : std::atof(expr.substr(0, slash).c_str()) / den;
}

std::string textOf(const Row& row, const std::string& field)
{
    auto it = row.find(field);
    if (it == row.end() || it->second.type() != rt::VarType::String) return {};
    return it->second.stringValue();
}

} // namespace

Row limitRowFor(const Row& m, const DeviceType* device)
{
    Row r = standardLimits();
    for (const char* key : {"MessID", "StromkreisID"}) {
        auto it = m.find(key);
        if (it != m.end()) r[key] = it->second;
    }
    const std::string viso = textOf(m, "VISO");
    for (const auto& iso : isoLimits())
        if (iso.voltage == viso) r["RISO"] = iso.limit;
    if (device) {
        r["LoopIKRS"] = r["LoopIKRI"] = device->limit();
        r["LoopRS"] = r["LoopRI"] = loopLimit(device->minCurrent);
    }
    const std::string typed = textOf(m, "FIFaktor");
    const double factor = typedFactor(typed);
    const bool selective = typed.find_first_of("sS") != std::string::npos;
    for (const auto& rcd : rcdLimits()) {
        if (rcd.factor == factor && rcd.selective == selective) {
            r["fit min"] = rcd.fitMin;
            r["fit max"] = rcd.fitMax;
        }
    }
    return r;
}

} // namespace sampledb
