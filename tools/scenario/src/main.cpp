// pgscenario: runs a scenario script against controls loaded from their
// libraries, headless, and prints what happens. See docs/scenario.md.
//
//   pgscenario [--base DIR] [--work DIR] [--settings DIR] SCRIPT|-
//
// --base      folder that relative paths of the script start from (default:
//             the current folder)
// --work      folder that "$WORK" in paths stands for (default: --base)
// --settings  folder of the per-user settings store (default: the store's
//             own choice from the environment)
// Exit code: 0 when the script ran to its end (errors of the controls are
// part of the output), 2 when a script error stopped it, 1 for a usage or
// file error.
#include <unistd.h>

#include <fstream>
#include <iostream>
#include <sstream>

#include "Runner.h"
#include "Script.h"
#include "runtime/Error.h"

namespace {

std::filesystem::path runnerDir(const char* argv0) {
    std::error_code ec;
    auto self = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec) self = std::filesystem::absolute(argv0);
    return self.parent_path();
}

int usage() {
    std::cerr << "usage: pgscenario [--base DIR] [--work DIR] [--settings DIR] SCRIPT|-\n";
    return 1;
}

} // namespace

int main(int argc, char** argv) {
    scenario::RunnerOptions options;
    options.runnerDir = runnerDir(argv[0]);
    options.baseDir = std::filesystem::current_path();
    std::string script;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        auto next = [&]() -> std::string { return i + 1 < argc ? argv[++i] : std::string(); };
        if (a == "--base") options.baseDir = next();
        else if (a == "--work") options.workDir = next();
        else if (a == "--settings") options.settingsDir = next();
        else if (!a.empty() && a[0] == '-' && a != "-") return usage();
        else if (script.empty()) script = a;
        else return usage();
    }
    if (script.empty()) return usage();
    if (options.workDir.empty()) options.workDir = options.baseDir;

    std::stringstream text;
    if (script == "-") {
        text << std::cin.rdbuf();
    } else {
        std::ifstream in(script, std::ios::binary);
        if (!in) {
            std::cerr << "pgscenario: cannot read " << script << "\n";
            return 1;
        }
        text << in.rdbuf();
    }
    std::vector<scenario::Line> lines;
    try {
        lines = scenario::parseScript(text.str());
    } catch (const rt::Error& e) {
        std::cout << "script error, " << e.description() << "\n";
        return 2;
    }
    scenario::Runner runner(std::cout, options);
    const bool ok = runner.run(lines);
    runner.finish();
    std::cout.flush();
    return ok ? 0 : 2;
}
