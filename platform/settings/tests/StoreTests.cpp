// The per-user settings store: round trip, defaults, deletion, case,
// damaged lines, the folder from the environment and concurrent writers.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

#include "runtime/Error.h"
#include "settings/IniFile.h"
#include "settings/Store.h"
#include "ErrorNumber.h"

namespace fs = std::filesystem;
using settings::Store;

namespace {

using testsupport::errorNumber;

std::string readText(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

// A fresh folder per test below PG_TEST_TMP (or the system's temp folder).
class StoreTest : public ::testing::Test {
protected:
    StoreTest() {
        const char* base = std::getenv("PG_TEST_TMP");
        fs::path root = base ? fs::path(base) : fs::temp_directory_path();
        fs::create_directories(root);
        std::string tmpl = (root / "settings-XXXXXX").string();
        dir = mkdtemp(tmpl.data());
    }
    ~StoreTest() override { fs::remove_all(dir); }
    fs::path dir;
};

} // namespace

TEST_F(StoreTest, RoundTripOfAwkwardTexts) {
    Store store(dir / "sub");   // the folder is created on the first write
    struct Case { std::string section, key, value; };
    const Case cases[] = {
        {"GridMessung", "ColWidth12", "1440"},
        {"GridMessung", "CheSpalten", ""},
        {"Sektion ]x[", "a=b", " leading and trailing "},
        {"S", "[eckig", "x\\y\\n"},
        {"S", ";semi", "line1\nline2\r\n"},
        {"S", "#hash", "tab\there"},
        {"S", " key ", "= gleich"},
        {"Prüfung", "Größe", "ÄÖÜäöüß € 漢字"},
        {"S", "ctl", std::string("\x01\x7f\0z", 4)},
    };
    for (const Case& c : cases) store.saveSetting("measgrid", c.section, c.key, c.value);
    Store other(dir / "sub");   // a second object reads the file, not a cache
    for (const Case& c : cases) EXPECT_EQ(other.getSetting("measgrid", c.section, c.key, "?"), c.value) << c.key;
    EXPECT_EQ(settings::IniFile::parse(readText(store.fileOf("measgrid"))).damagedLines(), 0u);
}

TEST_F(StoreTest, DefaultsWhenFileSectionOrKeyIsMissing) {
    Store store(dir);
    EXPECT_EQ(store.getSetting("measgrid", "GridMessung", "CheSpalten", "0"), "0");
    EXPECT_EQ(store.getSetting("measgrid", "GridMessung", "CheSpalten"), "");
    EXPECT_TRUE(store.getAllSettings("measgrid", "GridMessung").empty());
    store.saveSetting("measgrid", "GridMessung", "ColWidth1", "900");
    EXPECT_EQ(store.getSetting("measgrid", "GridMessung", "ColWidth2", "1000"), "1000");
    EXPECT_EQ(store.getSetting("measgrid", "Andere", "ColWidth1", "1000"), "1000");
    EXPECT_EQ(store.getSetting("equipgrid", "GridMessung", "ColWidth1", "1000"), "1000");
}

TEST_F(StoreTest, NamesCompareIgnoringCaseAndKeepTheirFirstSpelling) {
    Store store(dir);
    store.saveSetting("MeasGrid", "GridMessung", "ColWidth3", "1200");
    store.saveSetting("measgrid", "GRIDMESSUNG", "colwidth3", "1300");
    store.saveSetting("measgrid", "gridmessung", "GRÖßE", "a");
    EXPECT_EQ(store.getSetting("MEASGRID", "gridMessung", "COLWIDTH3"), "1300");
    EXPECT_EQ(store.getSetting("measgrid", "GridMessung", "größe"), "a");
    auto all = store.getAllSettings("measgrid", "GridMessung");
    ASSERT_EQ(all.size(), 2u);
    EXPECT_EQ(all[0], (std::pair<std::string, std::string>{"ColWidth3", "1300"}));
    EXPECT_EQ(all[1].first, "GRÖßE");
    EXPECT_EQ(store.fileOf("MeasGrid"), dir / "measgrid.ini");
}

TEST_F(StoreTest, DeleteKeySectionAndApplication) {
    Store store(dir);
    store.saveSetting("app", "A", "k1", "1");
    store.saveSetting("app", "A", "k2", "2");
    store.saveSetting("app", "B", "k1", "3");

    store.deleteSetting("app", "a", "K1");
    EXPECT_EQ(store.getSetting("app", "A", "k1", "-"), "-");
    EXPECT_EQ(store.getSetting("app", "A", "k2"), "2");
    store.deleteSetting("app", "A", "k2");   // last key: the section goes
    EXPECT_TRUE(store.getAllSettings("app", "A").empty());
    EXPECT_EQ(errorNumber([&] { store.deleteSetting("app", "A"); }), 5);
    EXPECT_EQ(errorNumber([&] { store.deleteSetting("app", "B", "nope"); }), 5);
    EXPECT_EQ(store.getSetting("app", "B", "k1"), "3") << "a failed delete changes nothing";

    store.saveSetting("app", "C", "k", "4");
    store.deleteSetting("app", "B");
    EXPECT_EQ(store.getSetting("app", "C", "k"), "4");
    store.deleteSetting("app");
    EXPECT_FALSE(fs::exists(store.fileOf("app")));
    EXPECT_EQ(errorNumber([&] { store.deleteSetting("app"); }), 5);
}

TEST_F(StoreTest, EmptyNamesAreInvalid) {
    Store store(dir);
    EXPECT_EQ(errorNumber([&] { store.saveSetting("", "S", "k", "v"); }), 5);
    EXPECT_EQ(errorNumber([&] { store.saveSetting("a", "", "k", "v"); }), 5);
    EXPECT_EQ(errorNumber([&] { store.saveSetting("a", "S", "", "v"); }), 5);
    EXPECT_EQ(errorNumber([&] { store.getSetting("a", "S", ""); }), 5);
    EXPECT_FALSE(fs::exists(dir / "a.ini"));
}

TEST_F(StoreTest, DamagedLinesAreSkippedAndDroppedOnTheNextWrite) {
    Store store(dir);
    std::ofstream(dir / "measgrid.ini", std::ios::binary)
        << "\xEF\xBB\xBF; kommentar\r\n"
           "vorher=ohne Sektion\n"
           "[GridMessung]\r\n"
           "  ColWidth1 = 900  \n"
           "kaputt ohne Gleichheitszeichen\n"
           "=leerer Schlüssel\n"
           "bad=escape \\q\n"
           "[offen\n"
           "verloren=1\n"
           "[GridMessung]\n"
           "ColWidth2=1100\n"
           "ColWidth1=950\n";
    EXPECT_EQ(store.getSetting("measgrid", "GridMessung", "ColWidth1"), "950") << "the later line wins";
    EXPECT_EQ(store.getSetting("measgrid", "GridMessung", "ColWidth2"), "1100");
    EXPECT_EQ(store.getSetting("measgrid", "GridMessung", "verloren", "-"), "-")
        << "keys under a damaged section header belong to no section";
    EXPECT_EQ(store.getAllSettings("measgrid", "GridMessung").size(), 2u);

    store.saveSetting("measgrid", "GridMessung", "CheSpalten", "1");
    auto ini = settings::IniFile::parse(readText(dir / "measgrid.ini"));
    EXPECT_EQ(ini.damagedLines(), 0u);
    ASSERT_EQ(ini.sections().size(), 1u);
    EXPECT_EQ(ini.sections()[0].entries.size(), 3u);
}

TEST_F(StoreTest, FolderFromEnvironment) {
    auto keep = [](const char* n) { const char* v = std::getenv(n); return v ? std::string(v) : std::string("\x01"); };
    std::string oldPg = keep("PG_SETTINGS_DIR"), oldXdg = keep("XDG_CONFIG_HOME");

    setenv("PG_SETTINGS_DIR", (dir / "pg").c_str(), 1);
    setenv("XDG_CONFIG_HOME", (dir / "xdg").c_str(), 1);
    Store fromPg;
    EXPECT_EQ(fromPg.folder(), dir / "pg");
    fromPg.saveSetting("measgrid", "S", "k", "v");
    EXPECT_TRUE(fs::exists(dir / "pg" / "measgrid.ini"));

    unsetenv("PG_SETTINGS_DIR");
    EXPECT_EQ(Store().folder(), dir / "xdg" / "pruefgrid");
    unsetenv("XDG_CONFIG_HOME");
    EXPECT_EQ(Store::folderFromEnvironment().filename(), "pruefgrid");
    EXPECT_EQ(Store::folderFromEnvironment().parent_path().filename(), ".config");

    auto restore = [](const char* n, const std::string& v) {
        if (v == "\x01") unsetenv(n);
        else setenv(n, v.c_str(), 1);
    };
    restore("PG_SETTINGS_DIR", oldPg);
    restore("XDG_CONFIG_HOME", oldXdg);
}

TEST_F(StoreTest, UnusableFolderIsAnAccessErrorOnWriteOnly) {
    std::ofstream(dir / "datei") << "x";
    Store store(dir / "datei" / "unter");
    EXPECT_EQ(store.getSetting("a", "S", "k", "d"), "d");
    EXPECT_EQ(errorNumber([&] { store.saveSetting("a", "S", "k", "v"); }), 75);
}

TEST_F(StoreTest, SeveralKeysInOneWrite) {
    Store store(dir);
    store.saveSetting("measgrid", "GridMessung", "ColWidth0", "100");
    store.saveSettings("measgrid", "GridMessung", {{"colwidth0", "200"}, {"ColWidth1", "300"}, {"ColWidth1", "400"}});
    auto all = store.getAllSettings("measgrid", "GridMessung");
    EXPECT_EQ(all, (std::vector<std::pair<std::string, std::string>>{{"ColWidth0", "200"}, {"ColWidth1", "400"}}));
    EXPECT_EQ(errorNumber([&] { store.saveSettings("measgrid", "GridMessung", {{"ColWidth2", "1"}, {"", "2"}}); }), 5);
    EXPECT_EQ(store.getSetting("measgrid", "GridMessung", "ColWidth2", "-"), "-");
}

TEST_F(StoreTest, WritesLeaveNoTemporaryFiles) {
    Store store(dir);
    for (int i = 0; i < 5; ++i) store.saveSetting("app", "S", "k" + std::to_string(i), "v");
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(dir)) names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"app.ini", "app.ini.lock"}));
}

// Two processes write different keys of one application at the same time;
// neither loses the other's keys.
TEST_F(StoreTest, TwoProcessesWritingDifferentKeysLoseNothing) {
    constexpr int kKeys = 60;
    pid_t pids[2];
    for (int w = 0; w < 2; ++w) {
        pids[w] = fork();
        ASSERT_GE(pids[w], 0);
        if (pids[w] == 0) {
            Store store(dir);
            try {
                for (int i = 0; i < kKeys; ++i)
                    store.saveSetting("measgrid", "GridMessung", "W" + std::to_string(w) + "_" + std::to_string(i),
                                      std::to_string(i));
            } catch (...) {
                _exit(1);
            }
            _exit(0);
        }
    }
    for (pid_t p : pids) {
        int status = 0;
        ASSERT_EQ(waitpid(p, &status, 0), p);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    Store store(dir);
    auto all = store.getAllSettings("measgrid", "GridMessung");
    EXPECT_EQ(all.size(), 2u * kKeys);
    for (int w = 0; w < 2; ++w)
        for (int i = 0; i < kKeys; ++i)
            EXPECT_EQ(store.getSetting("measgrid", "GridMessung", "W" + std::to_string(w) + "_" + std::to_string(i)),
                      std::to_string(i));
}

TEST_F(StoreTest, TwoStoreObjectsOnTwoThreadsLoseNothing) {
    constexpr int kKeys = 60;
    auto writer = [&](int w) {
        Store store(dir);
        for (int i = 0; i < kKeys; ++i) store.saveSetting("app", "S", "T" + std::to_string(w) + "_" + std::to_string(i), "x");
    };
    std::thread a(writer, 0), b(writer, 1);
    a.join();
    b.join();
    EXPECT_EQ(Store(dir).getAllSettings("app", "S").size(), 2u * kKeys);
}
