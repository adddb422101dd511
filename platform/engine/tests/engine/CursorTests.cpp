// Cursor semantics of Table, Dynaset and Snapshot recordsets.
#include "EngineTestSupport.h"

using namespace engine;
using enginetest::errorOf;
using enginetest::text;

namespace {

class CursorTest : public enginetest::EngineFixture {
protected:
    std::shared_ptr<Recordset> ordered() { return db->openRecordset("SELECT * FROM Messung ORDER BY MessID"); }
    static std::string id(const std::shared_ptr<Recordset>& rs) { return text(rs->value("MessID")); }
};

TEST_F(CursorTest, EmptyCursorHasNoCurrentRecord) {
    auto rs = db->openRecordset("SELECT * FROM Messung WHERE MessID > 100");
    EXPECT_TRUE(rs->eof());
    EXPECT_TRUE(rs->bof());
    EXPECT_EQ(rs->recordCount(), 0);
    EXPECT_EQ(rs->absolutePosition(), -1);
    EXPECT_EQ(errorOf([&] { rs->value("MessID"); }), err::NoCurrentRecord);
    EXPECT_EQ(errorOf([&] { rs->moveNext(); }), err::NoCurrentRecord);
    EXPECT_EQ(errorOf([&] { rs->bookmark(); }), err::NoCurrentRecord);
    EXPECT_EQ(errorOf([&] { rs->lastModified(); }), err::NoCurrentRecord);
    EXPECT_EQ(errorOf([&] { rs->edit(); }), err::NoCurrentRecord);
    rs->moveFirst();
    rs->moveLast();
    EXPECT_TRUE(rs->eof());
}

TEST_F(CursorTest, MovesCountsAndPositions) {
    auto rs = ordered();
    EXPECT_FALSE(rs->eof());
    EXPECT_EQ(id(rs), "1");
    EXPECT_EQ(rs->recordCount(), 1);   // visited so far
    rs->moveNext();
    EXPECT_EQ(rs->recordCount(), 2);
    rs->moveLast();
    EXPECT_EQ(rs->recordCount(), 5);
    EXPECT_EQ(id(rs), "5");
    EXPECT_EQ(rs->absolutePosition(), 4);
    rs->moveNext();
    EXPECT_TRUE(rs->eof());
    EXPECT_FALSE(rs->bof());
    EXPECT_EQ(errorOf([&] { rs->moveNext(); }), err::NoCurrentRecord);
    rs->movePrevious();
    EXPECT_EQ(id(rs), "5");
    rs->moveFirst();
    rs->movePrevious();
    EXPECT_TRUE(rs->bof());
    EXPECT_EQ(errorOf([&] { rs->movePrevious(); }), err::NoCurrentRecord);
    rs->moveNext();
    EXPECT_EQ(id(rs), "1");
    rs->move(3);
    EXPECT_EQ(id(rs), "4");
    rs->move(-2);
    EXPECT_EQ(id(rs), "2");
    rs->setAbsolutePosition(2);
    EXPECT_EQ(id(rs), "3");
    EXPECT_EQ(errorOf([&] { rs->setAbsolutePosition(5); }), err::InvalidArgument);
    EXPECT_EQ(id(rs), "3");

    auto table = db->openRecordset("Messung");
    EXPECT_EQ(table->type(), RecordsetType::Table);
    EXPECT_EQ(table->name(), "Messung");
    EXPECT_EQ(table->recordCount(), 5);   // complete at once
    EXPECT_EQ(rs->name(), "SELECT * FROM Messung ORDER BY MessID");
}

TEST_F(CursorTest, FieldsByPositionAndNameWithTheirProperties) {
    db->execute("UPDATE Messung SET Wert = Null WHERE MessID = 1");
    auto rs = db->openRecordset("SELECT Wert, Messung.MessID, Messung.* FROM Messung ORDER BY MessID");
    auto& f = rs->fields();
    ASSERT_EQ(f.count(), 6);
    EXPECT_EQ(f[0].name(), "Wert");
    EXPECT_TRUE(f[0].value().isNull());
    EXPECT_EQ(f[1].name(), "Messung.MessID");
    EXPECT_EQ(text(f["messung.messid"].value()), "1");
    EXPECT_EQ(text(f["MESSID"].value()), "1");
    EXPECT_EQ(f["EigeneNr"].size(), 3);
    EXPECT_EQ(f["EigeneNr"].type(), FieldType::Text);
    EXPECT_EQ(f["MessID"].type(), FieldType::Long);
    EXPECT_EQ(f[4].ordinalPosition(), 4);
    EXPECT_TRUE(f.contains("[Wert]"));
    EXPECT_EQ(errorOf([&] { f["Fehlt"]; }), err::ItemNotFound);
    EXPECT_EQ(errorOf([&] { f[6]; }), err::ItemNotFound);

    // A new row through the qualified name of a column listed twice.
    rs->addNew();
    rs->field("Messung.MessID") = std::int32_t(9);
    EXPECT_EQ(text(rs->value("MessID")), "9");
    rs->update();
    rs->setBookmark(rs->lastModified());
    EXPECT_EQ(text(rs->value("Messung.MessID")), "9");
    EXPECT_EQ(text(rs->value("MessID")), "9");
}

TEST_F(CursorTest, BookmarksClonesAndAddedRows) {
    auto rs = ordered();
    rs->move(2);
    Bookmark third = rs->bookmark();
    rs->moveFirst();
    rs->setBookmark(third);
    EXPECT_EQ(id(rs), "3");
    EXPECT_EQ(errorOf([&] { rs->setBookmark(Bookmark{12345, true}); }), err::NotBookmarkable);

    auto copy = rs->clone();
    EXPECT_TRUE(copy->eof() && copy->bof());
    copy->setBookmark(third);
    copy->moveLast();
    EXPECT_EQ(id(copy), "5");
    EXPECT_EQ(id(rs), "3");   // own position

    rs->addNew();
    EXPECT_EQ(rs->editMode(), EditMode::Add);
    rs->field("MessID") = std::int32_t(6);
    rs->field("EigeneNr") = "006";
    rs->update();
    EXPECT_EQ(rs->editMode(), EditMode::None);
    EXPECT_EQ(id(rs), "3");   // the row before AddNew stays current
    rs->setBookmark(rs->lastModified());
    EXPECT_EQ(text(rs->value("EigeneNr")), "006");
    copy->moveNext();   // the clone shares the added row at the end
    EXPECT_EQ(id(copy), "6");
    rs->moveLast();
    EXPECT_EQ(rs->recordCount(), 6);

    rs->setBookmark(third);
    rs->edit();
    rs->field("Wert") = "neu";
    rs->update();
    EXPECT_EQ(rs->lastModified(), third);
}

TEST_F(CursorTest, FindWithNoMatch) {
    auto rs = ordered();
    struct Case { const char* criteria; bool match; const char* id; } cases[] = {
        {"MessID = 3", true, "3"},
        {"[MessID]= 2*2", true, "4"},
        {"Wert Like 'w5'", true, "5"},
        {"EigeneNr = '002' And StromkreisID = 7", true, "2"},
        {"EigeneNr = '' And Wert = ''", false, nullptr},
        {"MessID = 42", false, nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.criteria);
        rs->moveFirst();
        rs->findFirst(c.criteria);
        EXPECT_EQ(rs->noMatch(), !c.match);
        EXPECT_EQ(id(rs), c.match ? c.id : "1");
    }
    rs->findLast("StromkreisID = 7");
    EXPECT_EQ(id(rs), "3");
    rs->findPrevious("StromkreisID = 7");
    EXPECT_EQ(id(rs), "2");
    rs->findNext("StromkreisID = 8");
    EXPECT_EQ(id(rs), "4");
    rs->findNext("StromkreisID = 7");
    EXPECT_TRUE(rs->noMatch());
    EXPECT_EQ(id(rs), "4");
    EXPECT_EQ(errorOf([&] { rs->findFirst("MessID = = 3"); }), err::SyntaxError);
    EXPECT_EQ(id(rs), "4");
}

TEST_F(CursorTest, WritesAreChecked) {
    db->execute("CREATE TABLE Werte (Nr LONG NOT NULL, Kurz TEXT(3), Zahl DOUBLE, Datum DATETIME, Ja YESNO)");
    db->execute("CREATE UNIQUE INDEX NrIndex ON Werte (Nr)");
    auto rs = db->openRecordset("Werte");
    EXPECT_EQ(errorOf([&] { rs->field("Kurz") = "abc"; }), err::UpdateWithoutEdit);
    EXPECT_EQ(errorOf([&] { rs->update(); }), err::UpdateWithoutEdit);
    EXPECT_EQ(errorOf([&] { rs->cancelUpdate(); }), err::UpdateWithoutEdit);
    rs->addNew();
    struct Case { const char* field; rt::Variant value; int number; } cases[] = {
        {"Kurz", "abcd", err::TextTooLong},
        {"Kurz", "äöü", 0},           // three characters, six bytes
        {"Nr", "zwölf", err::DataTypeConversion},
        {"Zahl", "x", err::DataTypeConversion},
        {"Zahl", "12,5", 0},          // German decimal comma
        {"Datum", "kein Datum", err::DataTypeConversion},
        {"Datum", rt::Variant::date(45000.5), 0},
        {"Ja", true, 0},
        {"Nr", rt::Variant::null(), 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.field);
        EXPECT_EQ(errorOf([&] { rs->field(c.field) = c.value; }), c.number);
    }
    EXPECT_EQ(errorOf([&] { rs->update(); }), err::NullInRequired);
    EXPECT_EQ(rs->editMode(), EditMode::Add);   // the buffer survives the failure
    rs->field("Nr") = "1";
    rs->update();
    rs->moveFirst();
    EXPECT_EQ(text(rs->value("Kurz")), "äöü");
    EXPECT_DOUBLE_EQ(rs->value("Zahl").doubleValue(), 12.5);
    EXPECT_DOUBLE_EQ(rs->value("Datum").dateValue(), 45000.5);
    EXPECT_TRUE(rs->value("Ja").boolValue());
    EXPECT_EQ(rs->value("Nr").longValue(), 1);

    rs->addNew();
    rs->field("Nr") = std::int32_t(1);
    EXPECT_EQ(errorOf([&] { rs->update(); }), err::DuplicateKey);
    rs->cancelUpdate();
    EXPECT_EQ(rs->recordCount(), 1);
}

TEST_F(CursorTest, DeletedRowsAreSkipped) {
    auto rs = ordered();
    rs->moveNext();
    rs->deleteRecord();
    EXPECT_EQ(errorOf([&] { rs->value("MessID"); }), err::RecordDeleted);
    EXPECT_EQ(errorOf([&] { rs->edit(); }), err::RecordDeleted);
    rs->moveNext();
    EXPECT_EQ(id(rs), "3");
    rs->movePrevious();
    EXPECT_EQ(id(rs), "1");
    rs->moveLast();
    EXPECT_EQ(rs->recordCount(), 4);
    EXPECT_TRUE(db->openRecordset("SELECT * FROM Messung WHERE MessID = 2")->eof());
}

TEST_F(CursorTest, OtherChangesAreSeen) {
    auto rs = ordered();
    db->execute("UPDATE Messung SET Wert = 'per Execute' WHERE MessID = 1");
    EXPECT_EQ(text(rs->value("Wert")), "per Execute");

    Engine other(rt::Regional::german());
    auto second = openSecond(other);
    second->execute("UPDATE Messung SET Wert = 'fremd' WHERE MessID = 2");
    second->execute("DELETE * FROM Messung WHERE MessID = 3");
    rs->moveNext();
    EXPECT_EQ(text(rs->value("Wert")), "fremd");
    second->execute("UPDATE Messung SET Wert = 'fremd 2' WHERE MessID = 2");
    rs->edit();   // Edit reads the row afresh
    EXPECT_EQ(text(rs->value("Wert")), "fremd 2");
    rs->cancelUpdate();
    rs->moveNext();
    EXPECT_EQ(errorOf([&] { rs->value("Wert"); }), err::RecordDeleted);
    rs->moveNext();
    EXPECT_EQ(id(rs), "4");
}

TEST_F(CursorTest, DeletingARowAnotherProcessDeletedIsReported) {
    auto rs = ordered();
    Engine other(rt::Regional::german());
    openSecond(other)->execute("DELETE * FROM Messung WHERE MessID = 1");
    EXPECT_EQ(errorOf([&] { rs->deleteRecord(); }), err::RecordDeleted);
    rs->moveNext();
    EXPECT_EQ(id(rs), "2");
    rs->deleteRecord();
    rs->moveLast();
    EXPECT_EQ(rs->recordCount(), 3);
}

TEST_F(CursorTest, ReadOnlyResultsAndSnapshots) {
    auto distinct = db->openRecordset("SELECT DISTINCT StromkreisID FROM Messung");
    EXPECT_FALSE(distinct->updatable());
    EXPECT_EQ(errorOf([&] { distinct->edit(); }), err::ReadOnly);
    auto snap = db->openRecordset("Messung", RecordsetType::Snapshot);
    EXPECT_EQ(snap->recordCount(), 5);
    EXPECT_EQ(errorOf([&] { snap->addNew(); }), err::ReadOnly);
    db->execute("UPDATE Messung SET Wert = 'später' WHERE MessID = 1");
    EXPECT_EQ(text(snap->value("Wert")), "W1");   // a copy
}

TEST_F(CursorTest, TransactionsRollBack) {
    Workspace& ws = engine.defaultWorkspace();
    EXPECT_EQ(errorOf([&] { ws.commitTrans(); }), err::CommitWithoutBegin);
    EXPECT_EQ(errorOf([&] { ws.rollback(); }), err::CommitWithoutBegin);
    auto rs = ordered();
    ws.beginTrans();
    db->execute("UPDATE Messung SET Wert = 'a' WHERE MessID = 1");
    ws.beginTrans();
    rs->edit();
    rs->field("Wert") = "b";
    rs->update();
    EXPECT_EQ(text(rs->value("Wert")), "b");
    ws.rollback();
    EXPECT_EQ(text(rs->value("Wert")), "a");
    ws.commitTrans();
    EXPECT_EQ(ws.transactionDepth(), 0);
    ws.beginTrans();
    db->execute("DELETE * FROM Messung");
    ws.rollback();
    rs->moveLast();
    EXPECT_EQ(rs->recordCount(), 5);
    EXPECT_EQ(text(db->openRecordset("SELECT Wert FROM Messung WHERE MessID = 1")->value(0)), "a");
}

} // namespace
