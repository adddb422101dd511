#pragma once
// Scratch folders and small databases for the engine tests.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <functional>
#include <string>

#include "engine/Engine.h"
#include "engine/Errors.h"
#include "engine/QueryDef.h"
#include "engine/Recordset.h"
#include "engine/TableDef.h"
#include "ErrorNumber.h"

namespace enginetest {

// A fresh folder below $PG_TEST_TMP (or the system's temp folder).
inline std::string freshFolder() {
    std::string base;
    if (const char* t = std::getenv("PG_TEST_TMP"); t && *t) {
        base = t;
        ::mkdir(base.c_str(), 0777);
    } else {
        base = "/tmp";
    }
    std::string tmpl = base + "/engine-XXXXXX";
    std::string buf = tmpl;
    if (!::mkdtemp(buf.data())) throw std::runtime_error("mkdtemp failed");
    return buf;
}

// The error number a call raises; 0 when it raises none.
inline constexpr auto& errorOf = testsupport::errorNumber;

inline std::string text(const rt::Variant& v) {
    if (v.isNull() || v.isEmpty()) return "<null>";
    switch (v.type()) {
    case rt::VarType::String: return v.stringValue();
    case rt::VarType::Long: return std::to_string(v.longValue());
    case rt::VarType::Integer: return std::to_string(v.integerValue());
    case rt::VarType::Double: return std::to_string(v.doubleValue());
    case rt::VarType::Boolean: return v.boolValue() ? "True" : "False";
    default: return "?";
    }
}

// An engine and a database file with one table
//   Messung (MessID LONG, StromkreisID LONG, EigeneNr TEXT(3), Wert TEXT(20))
// holding rows MessID 1..5.
class EngineFixture : public ::testing::Test {
protected:
    void SetUp() override {
        folder = freshFolder();
        path = folder + "/Daten.mdb";
        db = engine.defaultWorkspace().createDatabase(path);
        db->execute("CREATE TABLE Messung (MessID LONG, StromkreisID LONG, EigeneNr TEXT(3), Wert TEXT(20))");
        for (int i = 1; i <= 5; ++i)
            db->execute("INSERT INTO Messung (MessID, StromkreisID, EigeneNr, Wert) VALUES (" + std::to_string(i) +
                        ", " + std::to_string(i <= 3 ? 7 : 8) + ", '00" + std::to_string(i) + "', 'W" +
                        std::to_string(i) + "')");
    }

    std::shared_ptr<engine::Database> openSecond(engine::Engine& other) {
        return other.defaultWorkspace().openDatabase(path);
    }

    engine::Engine engine{rt::Regional::german()};
    std::string folder, path;
    std::shared_ptr<engine::Database> db;
};

} // namespace enginetest
