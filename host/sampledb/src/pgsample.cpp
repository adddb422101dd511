// pgsample: writes the sample host database pair into a folder.
//
//   pgsample <folder> [--places N] [--fill-all] [--limits] [--seed N]
//                     [--backend NAME] [--frontend NAME]
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <string>

#include "engine/Engine.h"
#include "runtime/Error.h"
#include "runtime/Text.h"
#include "sampledb/Sample.h"

namespace {

int usage()
{
    std::cerr << "usage: pgsample <folder> [--places N] [--fill-all] [--limits] [--seed N]\n"
                 "                [--backend NAME] [--frontend NAME]\n"
                 "  --places N   add a circuit with N generated places\n"
                 "  --fill-all   the generated circuit fills every column\n"
                 "  --limits     create the limit rows (0100_Grenzwert) in advance\n";
    return 2;
}

bool number(const char* s, long& out)
{
    char* end = nullptr;
    out = std::strtol(s, &end, 10);
    return end && *end == '\0' && out >= 0;
}

} // namespace

int main(int argc, char** argv)
{
    std::string folder;
    sampledb::SampleOptions o;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        long n = 0;
        if (a == "--fill-all") o.fillAllColumns = true;
        else if (a == "--limits") o.limitRows = true;
        else if ((a == "--places" || a == "--seed") && i + 1 < argc && number(argv[i + 1], n)) {
            if (a == "--places") o.largePlaces = static_cast<int>(n);
            else o.seed = static_cast<std::uint32_t>(n);
            ++i;
        } else if (a == "--backend" && i + 1 < argc) o.backendName = argv[++i];
        else if (a == "--frontend" && i + 1 < argc) o.frontendName = argv[++i];
        else if (!a.empty() && a[0] != '-' && folder.empty()) folder = a;
        else return usage();
    }
    if (folder.empty()) return usage();

    try {
        engine::Engine engine(rt::Regional::german());
        const auto s = sampledb::buildSample(engine, folder, o);
        std::cout << "Back-end:  " << s.backendPath << "\n"
                  << "Front-end: " << s.frontendPath << "\n\nTables:\n";
        for (const auto& [name, rows] : s.tableRows) {
            const std::size_t width = rt::text::len(name);
            std::printf("  %s%s %8ld rows\n", name.c_str(), std::string(width < 30 ? 30 - width : 0, ' ').c_str(), rows);
        }
        std::cout << "\nCircuits (StromkreisID, rows, description):\n";
        for (const auto& c : s.circuits)
            std::printf("  %10d %6d  %s\n", c.stromkreisId, c.rows, c.label.c_str());
        std::cout << "\nPrüfungID with equipment table: " << s.firstPruefungId << "\n";
        std::printf("Built in %.2f s\n", s.seconds);
        return 0;
    } catch (const rt::Error& e) {
        std::cerr << "pgsample: error " << e.number() << ": " << e.description() << "\n";
        return 1;
    } catch (const std::exception& e) {
        std::cerr << "pgsample: " << e.what() << "\n";
        return 1;
    }
}
