#pragma once
// Runner: carries out a scenario script against controls loaded from their
// libraries, headless, and writes what a person would check to `out`:
// every command echoed as "> ...", then its results, the message boxes,
// popup menus, events and property notices it caused, in the order they
// happened. Errors of the controls (rt::Error) are printed as
// "error N: description" and the script goes on; a malformed command stops
// the script (ScriptError). docs/scenario.md describes the commands.
#include <filesystem>
#include <map>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "Script.h"
#include "hosting/HostSite.h"
#include "hosting/LibraryLoader.h"
#include "hosting/PropertyBag.h"
#include "runtime/Error.h"
#include "toolkit/HeadlessUi.h"

namespace engine { class Engine; }
namespace settings { class Store; }
namespace tk { class Control; }

namespace scenario {

struct ScriptError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

struct RunnerOptions {
    std::filesystem::path runnerDir;     // where libraries named without a path are looked for
    std::filesystem::path baseDir;       // relative paths of load, open-db, ...
    std::filesystem::path workDir;       // $WORK in paths
    std::filesystem::path settingsDir;   // folder of the settings store
};

class Runner {
public:
    Runner(std::ostream& out, RunnerOptions options);
    ~Runner();

    // Runs every line; false when a script error stopped it (reported on out).
    bool run(const std::vector<Line>& lines);
    // Releases the controls (their Terminate runs), newest first.
    void finish();

private:
    class Ui;
    class Sink;
    class Trace;
    struct Reply { std::string event, param; rt::Variant value; };

    void execute(const Line& line);
    void printError(const rt::Error& e);

    // Commands
    void cmdLoad(const Line& l);
    void cmdCreate(const Line& l);
    void cmdRelease(const Line& l);
    void cmdAssign(const Line& l, hosting::MemberKind kind);
    void cmdGet(const Line& l);
    void cmdCall(const Line& l);
    void cmdSave(const Line& l);
    void cmdMouse(const Line& l, bool dbl);
    void cmdDrag(const Line& l);
    void cmdKey(const Line& l);
    void cmdType(const Line& l);
    void cmdPick(const Line& l);
    void cmdFocus(const Line& l);
    void cmdAnswer(const Line& l);
    void cmdDatabase(const Line& l, bool create);
    void cmdSql(const Line& l);
    void cmdQuery(const Line& l);
    void cmdSetting(const Line& l);
    void cmdShow(const Line& l);
    void cmdReply(const Line& l);

    void showGrid(const Line& l);
    void showControls(const Line& l);
    void showLayout(const Line& l);
    void showMembers(const Line& l);

    // Helpers
    hosting::IControl& control(const std::string& name) const;
    tk::Control& child(const Line& l, std::size_t at) const;
    const Token& token(const Line& l, std::size_t i) const;
    std::string word(const Line& l, std::size_t i) const;
    int number(const Line& l, std::size_t i) const;
    rt::Variant value(const Token& t) const;
    std::filesystem::path path(const std::string& p) const;
    engine::Engine& engineInstance();
    settings::Store& store();

    std::ostream& out_;
    RunnerOptions options_;
    std::unique_ptr<Ui> ui_;
    std::unique_ptr<Sink> sink_;
    std::unique_ptr<Trace> trace_;
    std::unique_ptr<engine::Engine> engine_;
    std::unique_ptr<settings::Store> store_;
    rt::Regional regional_ = rt::Regional::english();
    std::vector<std::shared_ptr<hosting::Library>> libraries_;
    std::vector<std::pair<std::string, hosting::ControlPtr>> controls_;
    std::map<std::string, hosting::PropertyBag> bags_;
    std::map<std::string, rt::Variant> objects_;
    std::vector<Reply> replies_;
    bool notices_ = true;
};

} // namespace scenario
