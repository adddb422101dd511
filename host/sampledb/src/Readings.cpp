#include "sampledb/Readings.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace sampledb {

std::string decimalText(double value, int decimals)
{
    long long scale = 1;
    for (int i = 0; i < decimals; ++i) scale *= 10;
    long long n = std::llround(std::fabs(value) * static_cast<double>(scale));
    std::string s = std::to_string(n / scale);
    if (decimals > 0) {
        std::string frac = std::to_string(n % scale);
        s += "," + std::string(decimals - frac.size(), '0') + frac;
    }
    return (value < 0 && n != 0 ? "-" : "") + s;
}

std::string placeNumber(int n)
{
    std::string s = std::to_string(n);
    return s.size() < 3 ? std::string(3 - s.size(), '0') + s : s;
}

ReadingGenerator::ReadingGenerator(std::uint32_t seed) : gen_(seed) {}

// The standard distributions are not the same on every library; these two
// mappings of the engine's raw output are.
double ReadingGenerator::uniform(double lo, double hi)
{
    const double u = static_cast<double>(gen_()) / 4294967296.0;
    return lo + (hi - lo) * u;
}

int ReadingGenerator::uniformInt(int lo, int hi)
{
    const auto span = static_cast<std::uint64_t>(hi - lo + 1);
    return lo + static_cast<int>(gen_() % span);
}

namespace {

// Trip time in ms of a device that is in order, by test factor.
std::pair<int, int> tripRange(double factor, bool selective)
{
    if (factor <= 0.5) return {0, 0};   // must not trip
    if (selective) {
        if (factor < 1.5) return {180, 320};
        if (factor < 3) return {80, 160};
        return {60, 120};
    }
    if (factor < 1.5) return {18, 35};
    if (factor < 3) return {12, 25};
    return {8, 20};
}

double rounded(double v, int decimals)
{
    const double scale = std::pow(10.0, decimals);
    return std::round(v * scale) / scale;
}

double factorOf(const std::string& typed)
{
    if (typed.find("1/2") != std::string::npos) return 0.5;
    const auto digit = typed.find_first_of("0123456789");
    return digit == std::string::npos ? 1.0 : std::atof(typed.c_str() + digit);
}

} // namespace

Row ReadingGenerator::place(const PlaceProfile& p)
{
    Row r;
    if (p.threePhase) r["DREH"] = "rechts";
    r["LOW"] = decimalText(uniform(0.08, 0.6), 2);

    const double maxLoop = p.device ? 0.8 * p.device->maxLoopOhm() : 1.2;
    const double hi = std::min(1.2, maxLoop);
    const double lo = std::min(0.35, 0.5 * hi);
    // The short-circuit currents follow from the resistances as shown.
    const double rs = rounded(uniform(lo, hi), 2);
    const double ri = rounded(std::max(0.3 * hi / 1.2, rs * uniform(0.8, 0.95)), 2);
    r["LoopRS"] = decimalText(rs, 2);
    r["LoopIKRS"] = std::to_string(std::lround(230.0 / rs));
    r["LoopRI"] = decimalText(ri, 2);
    r["LoopIKRI"] = std::to_string(std::lround(230.0 / ri));

    r["VISO"] = "500";
    r["RISO"] = uniformInt(0, 9) < 6 ? std::string(">999") : std::to_string(uniformInt(210, 980));

    if (p.rcd) {
        const double factor = factorOf(p.rcdFactor);
        const auto [tLo, tHi] = tripRange(factor, p.rcdSelective);
        r["FIT"] = tHi == 0 ? std::string(p.rcdSelective ? ">500" : ">300") : std::to_string(uniformInt(tLo, tHi));
        r["FGRAD"] = uniformInt(0, 1) ? "0°" : "180°";
        r["FIFaktor"] = p.rcdFactor;
        r["FIIDN"] = std::to_string(p.rcdRatedMa);
        r["FIIMESS"] = std::to_string(std::lround(p.rcdRatedMa * uniform(0.67, 0.9)));
        const double ub = rounded(uniform(0.2, 1.5), 1);
        r["FIUB"] = decimalText(ub, 1);
        r["FIRE"] = std::to_string(std::lround(ub / (p.rcdRatedMa / 1000.0)));
    }
    if (p.earth || p.fillAllColumns) r["ErdRE"] = decimalText(uniform(2, 10), 1);

    if (p.fillAllColumns) {
        if (!p.threePhase) r["DREH"] = "rechts";
        if (!p.rcd) {
            PlaceProfile withRcd = p;
            withRcd.rcd = true;
            withRcd.fillAllColumns = false;
            Row rcd = place(withRcd);
            for (const char* f : {"FIT", "FGRAD", "FIFaktor", "FIIDN", "FIIMESS", "FIUB", "FIRE"}) r[f] = rcd[f];
        }
        r["ErdRO"] = std::to_string(uniformInt(40, 300));
        const double rpe = uniform(0.3, 0.8);
        r["LoopRPE"] = decimalText(rpe, 2);
        r["LoopRN"] = decimalText(rpe * uniform(0.85, 1.1), 2);
        r["LoopRL"] = decimalText(rpe * uniform(0.85, 1.1), 2);
        r["Udc"] = "0,0";
        r["Uac"] = std::to_string(uniformInt(226, 236));
        r["Frequenz"] = decimalText(uniform(49.95, 50.05), 2);
        const double i = uniform(0.5, 12.0);
        r["I_Zange"] = decimalText(i, 1);
        r["I_ZangePeak"] = decimalText(i * uniform(1.4, 1.9), 1);
        const int power = uniformInt(60, 3600);
        r["Energy"] = std::to_string(power * uniformInt(2, 8));
        r["Power"] = std::to_string(power);
        r["OberschwingungenI"] = decimalText(uniform(1.0, 8.0), 1);
        r["OberschwingungenU"] = decimalText(uniform(0.5, 3.0), 1);
        r["SchutzpegelUAC"] = "1500";
        r["SchutzpegelUDC"] = "1800";
        r["Funktion"] = "Spannungsfall";
        r["Messwert"] = decimalText(uniform(0.8, 3.5), 1);
        r["Einheit"] = "%";
        r["Bemerkung"] = "Steckdose";
    }
    return r;
}

const std::vector<std::vector<std::string>>& measurementGroups()
{
    static const std::vector<std::vector<std::string>> groups = {
        {"DREH"},
        {"LOW"},
        {"LoopRS", "LoopIKRS"},
        {"LoopRI", "LoopIKRI"},
        {"VISO", "RISO"},
        {"FIT", "FGRAD", "FIIDN", "FIIMESS", "FIUB", "FIRE"},
        {"ErdRE"},
        {"ErdRO"},
        {"LoopRPE", "LoopRN", "LoopRL", "Funktion", "Messwert", "Einheit"},
        {"I_Zange"},
        {"I_ZangePeak"},
        {"Energy", "Power"},
        {"SchutzpegelUAC", "SchutzpegelUDC"},
    };
    return groups;
}

std::vector<Row> splitOverRows(const Row& place, int rows)
{
    if (rows <= 1) return {place};
    std::vector<Row> out(static_cast<std::size_t>(rows));
    Row rest = place;
    int present = 0;
    for (const auto& group : measurementGroups()) {
        const bool any = std::any_of(group.begin(), group.end(),
                                     [&](const std::string& f) { return place.count(f) != 0; });
        if (!any) continue;
        Row& target = out[static_cast<std::size_t>(present++ % rows)];
        for (const auto& f : group) {
            auto it = rest.find(f);
            if (it == rest.end()) continue;
            target[f] = it->second;
            rest.erase(it);
        }
    }
    for (auto& [name, value] : rest) out[0][name] = value;
    return out;
}

} // namespace sampledb
