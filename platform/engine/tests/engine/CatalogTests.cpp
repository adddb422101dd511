// Stored queries, parameters and linked tables.
#include <cstdio>

#include "EngineTestSupport.h"

using namespace engine;
using enginetest::errorOf;
using enginetest::text;

namespace {

class CatalogTest : public enginetest::EngineFixture {};

TEST_F(CatalogTest, StoredQueryWithParameters) {
    db->createQueryDef("MessungenVonStromkreis",
                       "PARAMETERS paraStromkreisID Long; SELECT * FROM Messung "
                       "WHERE StromkreisID = [paraStromkreisID] ORDER BY MessID");
    EXPECT_EQ(db->queryDefNames(), std::vector<std::string>{"MessungenVonStromkreis"});
    EXPECT_EQ(errorOf([&] { db->createQueryDef("messungenvonstromkreis", "SELECT * FROM Messung"); }),
              err::ObjectExists);
    EXPECT_EQ(errorOf([&] { db->queryDef("Fehlt"); }), err::ItemNotFound);
    // Parameters cannot be given through Database.OpenRecordset.
    EXPECT_EQ(errorOf([&] { db->openRecordset("MessungenVonStromkreis"); }), err::TooFewParameters);

    auto qd = db->queryDef("MESSUNGENVONSTROMKREIS");
    ASSERT_EQ(qd->parameters().size(), 1u);
    EXPECT_EQ(errorOf([&] { qd->setParameter("paraFehlt", 1); }), err::ItemNotFound);
    // Unset: Null matches nothing.
    EXPECT_TRUE(qd->openRecordset(RecordsetType::Dynaset)->eof());
    qd->setParameter("PARASTROMKREISID", std::int32_t(7));
    auto rs = qd->openRecordset(RecordsetType::Dynaset);
    EXPECT_EQ(rs->name(), "MessungenVonStromkreis");
    EXPECT_TRUE(rs->updatable());
    rs->moveLast();
    EXPECT_EQ(rs->recordCount(), 3);
    // Written through the query into the table.
    rs->edit();
    rs->field("Wert") = "geändert";
    rs->update();
    auto check = db->openRecordset("SELECT Wert FROM Messung WHERE MessID = 3");
    EXPECT_EQ(text(check->value(0)), "geändert");
}

TEST_F(CatalogTest, UnknownNamesAndSelectsInExecute) {
    EXPECT_EQ(errorOf([&] { db->openRecordset("SELECT * FROM Fehlt"); }), err::UnknownObject);
    EXPECT_EQ(errorOf([&] { db->openRecordset("Fehlt"); }), err::UnknownObject);
    EXPECT_EQ(errorOf([&] { db->execute("SELECT * FROM Messung"); }), 3065);
    EXPECT_EQ(errorOf([&] { db->tableDef("Fehlt"); }), err::ItemNotFound);
    EXPECT_EQ(errorOf([&] { db->openRecordset("SELECT * FROM Messung WHERE Unbekannt = 1"); }),
              err::TooFewParameters);
    EXPECT_EQ(errorOf([&] { db->execute("CREATE TABLE messung (A LONG)"); }), err::TableExists);
}

TEST_F(CatalogTest, ExecuteReportsRecordsAffectedAndDdlIsSeen) {
    db->execute("UPDATE Messung SET Wert = 'x' WHERE StromkreisID = 7");
    EXPECT_EQ(db->recordsAffected(), 3);
    db->execute("DELETE * FROM Messung WHERE MessID > 4");
    EXPECT_EQ(db->recordsAffected(), 1);
    db->execute("CREATE TABLE Neu (A TEXT(5), B LONG)");
    auto td = db->tableDef("neu");
    ASSERT_EQ(td->fields().size(), 2u);
    EXPECT_EQ(td->field("a").size, 5);
    EXPECT_EQ(td->field("B").type, FieldType::Long);
    EXPECT_TRUE(td->connect().empty());
}

TEST_F(CatalogTest, CreateTableRefusesNamesThatWouldBreakItsStatement) {
    const std::vector<FieldDef> one{{"A", FieldType::Long}};
    EXPECT_EQ(errorOf([&] { db->createTable("X] (A LONG); DROP TABLE [Messung", one); }), err::InvalidName);
    EXPECT_EQ(errorOf([&] { db->createTable("Gut", {{"B]", FieldType::Long}}); }), err::InvalidName);
    EXPECT_EQ(errorOf([&] { db->createTable("", one); }), err::InvalidName);
    EXPECT_NO_THROW(db->openRecordset("Messung"));   // untouched
    db->createTable("Prüfung 2", {{"fit min", FieldType::Text, 10}});
    EXPECT_EQ(db->tableDef("prüfung 2")->field("FIT MIN").size, 10);
}

TEST_F(CatalogTest, SqlWritesKeepToTheDeclaredTypes) {
    db->execute("CREATE TABLE Typen (T TEXT(5), S SHORT, B BYTE, L LONG, D DOUBLE, J YESNO)");
    struct Case {
        const char* sql;
        int error;   // 0: accepted
    };
    const Case cases[] = {
        {"INSERT INTO Typen (T) VALUES ('Länge')", 0},          // five characters, seven bytes
        {"INSERT INTO Typen (T) VALUES ('zulang')", err::TextTooLong},
        {"INSERT INTO Typen (S, B) VALUES (-32768, 255)", 0},
        {"INSERT INTO Typen (S) VALUES (32768)", err::NumericOverflow},
        {"INSERT INTO Typen (B) VALUES (-1)", err::NumericOverflow},
        {"INSERT INTO Typen (L) VALUES ('12')", 0},             // a numeric text becomes the number
        {"INSERT INTO Typen (L) VALUES ('zwölf')", err::DataTypeConversion},
        {"INSERT INTO Typen (D) VALUES ('abc')", err::DataTypeConversion},
        {"INSERT INTO Typen (J) VALUES (True)", 0},
        {"UPDATE Typen SET T = T & 'xxxxx'", err::TextTooLong},
    };
    for (const auto& c : cases) EXPECT_EQ(errorOf([&] { db->execute(c.sql); }), c.error) << c.sql;
    // A refused statement changes nothing.
    auto rs = db->openRecordset("SELECT T, L FROM Typen WHERE T Is Not Null");
    EXPECT_EQ(text(rs->value("T")), "Länge");
}

class LinkTest : public enginetest::EngineFixture {
protected:
    void SetUp() override {
        EngineFixture::SetUp();
        // The front-end: links to the back-end (this fixture's file) and a stored query.
        db->close();
        db.reset();
        ws().createDatabase(folder + "/Front.mde")->close();
        front = ws().openDatabase(folder + "/Front.mde");
        front->createLinkedTable("Kunde", "MS Access;pwd=;DATABASE=" + folder + "\\Daten.mdb", "Messung");
        front->createLinkedTable("KundeRelativ", ";DATABASE=daten.MDB", "Messung");
    }
    Workspace& ws() { return engine.defaultWorkspace(); }
    std::shared_ptr<Database> front;
};

TEST_F(LinkTest, LinkedTableReadsAndWritesAsIfLocal) {
    EXPECT_EQ(front->tableDef("kunde")->connect(), "MS Access;pwd=;DATABASE=" + folder + "\\Daten.mdb");
    EXPECT_TRUE(front->tableDef("Kunde")->isLinked());
    EXPECT_EQ(front->tableDef("Kunde")->fields().size(), 4u);
    EXPECT_EQ(front->tableDefNames(), (std::vector<std::string>{"Kunde", "KundeRelativ"}));

    front->execute("UPDATE Kunde SET Wert = 'über Link' WHERE MessID = 1");
    EXPECT_EQ(front->recordsAffected(), 1);
    front->createQueryDef("A_Sortiert", "SELECT * FROM KundeRelativ ORDER BY MessID DESC");
    auto q = front->openRecordset("A_Sortiert");
    EXPECT_EQ(q->type(), RecordsetType::Dynaset);
    q->moveLast();
    EXPECT_EQ(text(q->value("Wert")), "über Link");
    q->edit();
    q->field("Wert") = "per Dynaset";
    q->update();

    auto rs = front->openRecordset("Kunde");   // a link opens as a dynaset
    EXPECT_EQ(rs->type(), RecordsetType::Dynaset);
    rs->addNew();
    rs->field("MessID") = std::int32_t(99);
    rs->update();

    front->close();
    auto back = ws().openDatabase(folder + "/Daten.mdb");
    auto check = back->openRecordset("SELECT Wert FROM Messung WHERE MessID = 1");
    EXPECT_EQ(text(check->value(0)), "per Dynaset");
    EXPECT_FALSE(back->openRecordset("SELECT * FROM Messung WHERE MessID = 99")->eof());
}

TEST_F(LinkTest, MissingLinkedFileFailsOnUseOnly) {
    front->close();
    ASSERT_EQ(std::rename((folder + "/Daten.mdb").c_str(), (folder + "/Weg.mdb").c_str()), 0);
    auto fe = ws().openDatabase(folder + "/Front.mde");
    EXPECT_EQ(fe->tableDef("Kunde")->connect(), "MS Access;pwd=;DATABASE=" + folder + "\\Daten.mdb");
    EXPECT_EQ(errorOf([&] { fe->openRecordset("SELECT * FROM Kunde"); }), err::FileNotFound);
    EXPECT_EQ(errorOf([&] { fe->openRecordset("Kunde"); }), err::FileNotFound);
    EXPECT_EQ(errorOf([&] { fe->createLinkedTable("X", ";DATABASE=nirgends.mdb", "T"); }), err::FileNotFound);
}

} // namespace

namespace {

TEST_F(LinkTest, AFailedLinkLeavesNoAttachedFileBehind) {
    // A second back-end: linking to a table it lacks fails and must not
    // keep the file attached under a schema name a later link reuses.
    ws().createDatabase(folder + "/Zweit.mdb")->execute("CREATE TABLE Gerät (ID COUNTER, Name TEXT(20))");
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(errorOf([&] { front->createLinkedTable("G", ";DATABASE=Zweit.mdb", "Fehlt"); }), err::UnknownObject);
    front->createLinkedTable("Gerät", ";DATABASE=Zweit.mdb", "Gerät");
    front->execute("INSERT INTO Gerät (Name) VALUES ('Prüfer')");
    EXPECT_EQ(text(front->openRecordset("SELECT Name FROM Gerät")->value(0)), "Prüfer");
    // The links to the first back-end still work.
    EXPECT_FALSE(front->openRecordset("SELECT * FROM Kunde")->eof());
    // Deleting the only link to a file frees its schema name too.
    front->deleteTableDef("Gerät");
    ws().createDatabase(folder + "/Dritt.mdb")->execute("CREATE TABLE Ort (ID COUNTER, Name TEXT(20))");
    front->createLinkedTable("Ort", ";DATABASE=Dritt.mdb", "Ort");
    front->execute("INSERT INTO Ort (Name) VALUES ('Halle')");
    EXPECT_EQ(text(front->openRecordset("SELECT Name FROM Ort")->value(0)), "Halle");
}

} // namespace
