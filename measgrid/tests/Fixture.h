#pragma once
// Test fixtures of measgrid: a host database pair made with sampledb in a
// scratch folder, circuits given row by row, a headless UI, a settings store
// and the control made from the library's descriptor.
#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "MeasLibrary.h"
#include "Messungen.h"
#include "ModuleContext.h"
#include "engine/Database.h"
#include "engine/Engine.h"
#include "engine/QueryDef.h"
#include "engine/Recordset.h"
#include "grid/FlexGrid.h"
#include "hosting/HostSite.h"
#include "runtime/Convert.h"
#include "sampledb/Builder.h"
#include "sampledb/Circuits.h"
#include "sampledb/Layout.h"
#include "sampledb/Rows.h"
#include "settings/Store.h"
#include "toolkit/HeadlessUi.h"
#include "ErrorNumber.h"

namespace measgrid::test {

inline std::filesystem::path scratchFolder() {
    static std::atomic<int> counter{0};
    const char* base = std::getenv("PG_TEST_TMP");
    std::filesystem::path root = base ? base : std::filesystem::temp_directory_path() / "pg-test";
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string name = std::string("measgrid-") + info->test_suite_name() + "-" + info->name() + "-" +
                       std::to_string(counter++);
    for (char& c : name)
        if (c == '/') c = '_';
    auto dir = root / name;
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    return dir;
}

// A back-end and a front-end file with one customer, installation and test.
struct DbPair {
    std::filesystem::path dir = scratchFolder();
    engine::Engine engine{rt::Regional::german()};
    sampledb::Replica replica = sampledb::sampleReplica();
    std::string backendPath = (dir / "Daten.mdb").string();
    std::string frontendPath = (dir / "Pruefung.mde").string();
    std::shared_ptr<engine::Database> backend =
        sampledb::createBackend(engine.defaultWorkspace(), backendPath, replica);
    std::shared_ptr<engine::Database> frontend =
        sampledb::createFrontend(engine.defaultWorkspace(), frontendPath, backendPath, replica);
    sampledb::CircuitWriter writer{*backend, replica};
    std::int32_t pruefungId = writer.addTest(
        writer.addInstallation(writer.addCustomer("Schneider", "Hauptstr. 1", "12345", "Neustadt"), "Wohnhaus"),
        2026, 3, 1, "M. Weber");

    // A circuit with the given measurement rows; device "" means none
    // (SicherungstypID 0). Returns the StromkreisID; rows' MessIDs in messIds.
    std::int32_t circuit(const std::vector<sampledb::Row>& rows, const std::string& device = "B16",
                         std::vector<std::int32_t>* messIds = nullptr) {
        sampledb::CircuitPlan plan;
        plan.pruefungId = pruefungId;
        plan.nummer = "F1";
        plan.bezeichnung = "Steckdosen";
        plan.device = device;
        plan.places = 0;
        const std::int32_t id = writer.addCircuit(plan).stromkreisId;
        auto ids = rows.empty() ? std::vector<std::int32_t>{} : writer.addMeasurements(id, rows);
        if (messIds) *messIds = ids;
        return id;
    }
    // n places "001".. with a few passing readings.
    std::int32_t circuitOfPlaces(int n, std::vector<std::int32_t>* messIds = nullptr) {
        std::vector<sampledb::Row> rows;
        for (int i = 1; i <= n; ++i) {
            char nr[16];
            std::snprintf(nr, sizeof nr, "%03d", i);
            rows.push_back({{"EigeneNr", nr}, {"LOW", "0,2"}, {"LoopRS", "0,5"}});
        }
        return circuit(rows, "B16", messIds);
    }
    long count(const std::string& sql) {
        auto rs = backend->openRecordset(sql, engine::RecordsetType::Snapshot);
        long n = 0;
        while (!rs->eof()) {
            ++n;
            rs->moveNext();
        }
        return n;
    }
    // One field of the first row of an SQL result on the back-end, as text.
    std::string value(const std::string& sql, const std::string& field) {
        auto rs = backend->openRecordset(sql, engine::RecordsetType::Snapshot);
        if (rs->eof()) return "<no row>";
        const rt::Variant v = rs->value(field);
        return v.isNull() ? "<null>" : rt::textOf(v, rt::Regional::german());
    }
};

// The module's routines with a state of their own (no control).
struct ModuleEnv : DbPair {
    tk::HeadlessUi ui;
    settings::Store store{dir / "settings"};
    rt::Regional regional = rt::Regional::german();
    MeasState state;
    ModuleContext ctx{state, ui, store, regional};

    ModuleEnv() {
        state.frontend = frontend;
        state.backend = backend;
    }
    std::vector<std::string> boxTexts() const {
        std::vector<std::string> t;
        for (const auto& b : ui.boxes()) t.push_back(b.prompt);
        return t;
    }
};

// A host of Messungen controls made from a descriptor linked into the test.
struct Host : hosting::IPropertyNotify {
    MeasLibrary library;
    tk::HeadlessUi ui;
    std::filesystem::path dir = scratchFolder();
    settings::Store store{dir / "settings"};
    std::vector<std::string> notices;

    void propertyChanged(std::string_view, std::string_view property) override {
        notices.emplace_back(property);
    }
    hosting::HostSite site() {
        hosting::HostSite s;
        s.notify = this;
        s.ui = &ui;
        s.settings = &store;
        s.ambient.regional = rt::Regional::german();
        s.ambient.displayName = "Messungen1";
        return s;
    }
    struct Terminator {
        void operator()(hosting::IControl* c) const {
            c->terminate();
            delete c;
        }
    };
    using Control = std::unique_ptr<hosting::IControl, Terminator>;
    Control create() { return Control(library.create("Messungen", site()).release()); }
    static Messungen& of(const Control& c) { return static_cast<Messungen&>(*c); }
    std::string setting(const std::string& key, const std::string& def = "<absent>") const {
        return store.getSetting(kSettingsApp, kSettingsSection, key, def);
    }
};

inline rt::Variant object(std::shared_ptr<engine::Database> db) {
    return rt::Variant(std::shared_ptr<rt::Object>(std::move(db)));
}

} // namespace measgrid::test
