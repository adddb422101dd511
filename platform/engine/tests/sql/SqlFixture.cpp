#include "SqlFixture.h"

#include <gtest/gtest.h>

#include "runtime/Error.h"
#include "runtime/Text.h"

namespace engine::sql::test {

std::optional<SourceInfo> TestSchema::resolve(std::string_view name) {
    for (const auto& [qname, text] : queries)
        if (rt::text::equalsNoCase(qname, name)) {
            SourceInfo q;
            q.kind = SourceInfo::Kind::Query;
            q.querySql = text;
            return q;
        }
    std::string schemaName = "main";
    for (const auto& [lname, s] : linked)
        if (rt::text::equalsNoCase(lname, name)) schemaName = s;
    // Find the table's own spelling in that schema.
    std::string table;
    sqlite3_stmt* st = nullptr;
    std::string q = "SELECT name FROM \"" + schemaName + "\".sqlite_master WHERE type = 'table'";
    sqlite3_prepare_v2(db_, q.c_str(), -1, &st, nullptr);
    while (sqlite3_step(st) == SQLITE_ROW) {
        std::string n = reinterpret_cast<const char*>(sqlite3_column_text(st, 0));
        if (rt::text::equalsNoCase(n, name)) table = n;
    }
    sqlite3_finalize(st);
    if (table.empty()) return std::nullopt;
    SourceInfo info;
    info.kind = SourceInfo::Kind::Table;
    info.sqlRef = "\"" + schemaName + "\".\"" + table + "\"";
    q = "PRAGMA \"" + schemaName + "\".table_info(\"" + table + "\")";
    sqlite3_prepare_v2(db_, q.c_str(), -1, &st, nullptr);
    while (sqlite3_step(st) == SQLITE_ROW) {
        std::string col = reinterpret_cast<const char*>(sqlite3_column_text(st, 1));
        const unsigned char* type = sqlite3_column_text(st, 2);
        bool notNull = sqlite3_column_int(st, 3) != 0;
        bool pk = sqlite3_column_int(st, 5) != 0;
        std::string declared = type ? reinterpret_cast<const char*>(type) : "";
        bool intPk = pk && rt::text::equalsNoCase(declared, "INTEGER");
        if (intPk) info.keyColumn = col;
        if (col == kRowKeyColumn) continue;
        info.columns.push_back(describeColumn(col, declared, intPk, notNull));
    }
    sqlite3_finalize(st);
    return info;
}

SqlFixture::SqlFixture() {
    sqlite3_open(":memory:", &db);
    registerFunctions(db);
    schema = TestSchema(db);
    raw("ATTACH DATABASE ':memory:' AS link1");
    run("CREATE TABLE 0100_GrenzwertRCD (Faktor DOUBLE, Selektive YESNO, [fit min] TEXT(10), [fit max] TEXT(10))");
    run("INSERT INTO 0100_GrenzwertRCD VALUES (1, False, '', '300')");
    run("INSERT INTO 0100_GrenzwertRCD VALUES (0.5, True, '130', '500')");
    run("INSERT INTO 0100_GrenzwertRCD VALUES (5, False, '', '40')");
    run("CREATE TABLE Sprache (TextID TEXT(255) NOT NULL, Deutsch TEXT, [Deutsch (&Deutschland)] TEXT(50), "
        "English MEMO, CONSTRAINT PrimaryKey PRIMARY KEY (TextID))");
    run("INSERT INTO Sprache VALUES ('Ärger', 'Ärger', 'Ärger (DE)', 'trouble')");
    run("INSERT INTO Sprache VALUES (\"Links\", \"Links\", Null, \"left\")");
    run("INSERT INTO Sprache VALUES ('Rechts', 'Rechts', 'rechts', 'right')");
    run("CREATE TABLE 0100_Messung (MessID LONG PRIMARY KEY, StromkreisID LONG, EigeneNr TEXT(10), "
        "LoopRS TEXT(20), LoopIKRS TEXT(20), Bemerkung MEMO)");
    run("INSERT INTO 0100_Messung VALUES (10000, 7, '001', '0,5', '460', Null)");
    run("INSERT INTO 0100_Messung VALUES (10001, 7, '002', '', '', 'leer')");
    run("INSERT INTO 0100_Messung VALUES (10002, 8, '001', '1,2', '190', '0012')");
    run("CREATE TABLE 0100_GrenzwertISO (Prüfspannung TEXT(10), Grenzwert TEXT(10))");
    run("INSERT INTO 0100_GrenzwertISO VALUES ('500', '>1')");
    run("CREATE TABLE 0100_Betriebsmittel (BetriebsmittelID COUNTER, PrüfungID LONG, Zeile SHORT, Spalte SHORT, "
        "Inhalt TEXT(255), Datum DATETIME)");
    run("INSERT INTO 0100_Betriebsmittel (PrüfungID, Zeile, Spalte, Inhalt, Datum) VALUES (1, 0, 1, 'Gerät', #1/31/2024#)");
    run("INSERT INTO 0100_Betriebsmittel (PrüfungID, Zeile, Spalte, Inhalt, Datum) VALUES (1, 1, 0, 'Prüfer', #2024-02-01 13:30#)");
    run("INSERT INTO 0100_Betriebsmittel (PrüfungID, Zeile, Spalte, Inhalt) VALUES (2, 0, 1, 'GERÄT')");
    run("INSERT INTO 0100_Betriebsmittel (PrüfungID, Zeile, Spalte, Inhalt) VALUES (2, 1, 1, 'x')");
    raw("CREATE TABLE link1.\"Kunde\" (\"_RowKey\" INTEGER PRIMARY KEY, \"KundeID\" LONG, "
        "\"Name\" TEXT(50) COLLATE JETNOCASE)");
    raw("INSERT INTO link1.\"Kunde\" (\"KundeID\", \"Name\") VALUES (1, 'Müller'), (2, 'Meier')");
    schema.linked["Kunde"] = "link1";
    schema.queries["A_PlätzeVonStromkreis"] =
        "PARAMETERS paraStromkreisID Long;\r\nSELECT [0100_Messung].* FROM [0100_Messung] "
        "WHERE ((([0100_Messung].StromkreisID)=[paraStromkreisID])) ORDER BY [0100_Messung].EigeneNr;";
    schema.queries["A_AnzahlPlätzeVonStromkreis"] =
        "SELECT StromkreisID, Count(*) AS Anzahl FROM 0100_Messung GROUP BY StromkreisID";
    schema.queries["Suchen"] =
        "PARAMETERS paraDeutsch Text ( 255 ); SELECT Sprache.* FROM Sprache WHERE Sprache.TextID = [paraDeutsch]";
    schema.queries["Zyklus1"] = "SELECT * FROM Zyklus2";
    schema.queries["Zyklus2"] = "SELECT * FROM Zyklus1";
    schema.queries["Aktion"] = "DELETE * FROM Sprache";
}

SqlFixture::~SqlFixture() { sqlite3_close(db); }

void SqlFixture::raw(const std::string& sql) {
    char* msg = nullptr;
    int rc = sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &msg);
    ASSERT_EQ(rc, SQLITE_OK) << sql << ": " << (msg ? msg : "");
    sqlite3_free(msg);
}

int SqlFixture::translateError(const std::string& dialect) {
    try {
        translate(dialect, schema);
    } catch (const rt::Error& e) {
        return e.number();
    }
    return 0;
}

std::string SqlFixture::run(const std::string& dialect, const std::string& params) {
    Translation t = translate(dialect, schema);
    std::map<std::string, std::string> values;
    std::size_t i = 0;
    while (i < params.size()) {
        std::size_t semi = params.find(';', i);
        if (semi == std::string::npos) semi = params.size();
        std::string part = params.substr(i, semi - i);
        std::size_t eq = part.find('=');
        values[rt::text::upper(part.substr(0, eq))] = part.substr(eq + 1);
        i = semi + 1;
    }
    sqlite3_stmt* st = nullptr;
    if (sqlite3_prepare_v2(db, t.sql.c_str(), static_cast<int>(t.sql.size()), &st, nullptr) != SQLITE_OK) {
        std::string msg = sqlite3_errmsg(db);
        sqlite3_finalize(st);
        return "sqlite error: " + msg + " in " + t.sql;
    }
    for (std::size_t p = 0; p < t.parameterOrder.size(); ++p) {
        auto it = values.find(rt::text::upper(t.parameterOrder[p]));
        if (it == values.end()) continue;   // unbound: Null
        const std::string& v = it->second;
        if (!v.empty() && v.front() == '\'')
            sqlite3_bind_text(st, static_cast<int>(p + 1), v.substr(1, v.size() - 2).c_str(), -1, SQLITE_TRANSIENT);
        else
            sqlite3_bind_double(st, static_cast<int>(p + 1), std::stod(v));
    }
    std::string out;
    int rc;
    bool any = false;
    const int width = sqlite3_column_count(st) - (t.updatable ? 1 : 0);
    while ((rc = sqlite3_step(st)) == SQLITE_ROW) {
        if (any) out += ";";
        any = true;
        for (int c = 0; c < width; ++c) {
            if (c) out += "|";
            const unsigned char* v = sqlite3_column_text(st, c);
            out += v ? reinterpret_cast<const char*>(v) : "NULL";
        }
    }
    if (rc != SQLITE_DONE) out = std::string("sqlite error: ") + sqlite3_errmsg(db) + " in " + t.sql;
    else if (width == 0 || sqlite3_stmt_readonly(st) == 0) out = "changes=" + std::to_string(sqlite3_changes(db));
    sqlite3_finalize(st);
    return out;
}

} // namespace engine::sql::test
