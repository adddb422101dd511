// Find* through the field indexes and through the row-by-row evaluation:
// both must find exactly the rows a WHERE clause with the same criterion
// selects, in key-set order, before and after the data change.
#include <algorithm>

#include "EngineTestSupport.h"
#include "RecordsetData.h"

using namespace engine;
using enginetest::errorOf;
using enginetest::text;

namespace {

// Criteria over Platz (ID COUNTER, MessID LONG, Name TEXT(20), Nr TEXT(10),
// Wert DOUBLE, Ja YESNO, Notiz MEMO, Am DATETIME). Equality terms are
// answered by the indexes, the rest row by row; all must agree with SQL.
const char* const kCriteria[] = {
    "MessID = 3",
    "[MessID]= 3",
    "Platz.MessID = 3",
    "3 = MessID",
    "MessID = 3.0",
    "MessID = 3.5",
    "MessID = -2",
    "MessID = 99",
    "MessID = '3'",          // a numeric text against a number field
    "MessID = Null",
    "Wert = 12",
    "Wert = 12.5",
    "Wert = 1e3",
    "Ja = True",
    "Ja = -1",
    "Name = 'müller'",
    "Name = \"MÜLLER\"",
    "Name = 'Straße'",
    "Name = 'STRASSE'",
    "Name = ''",
    "Name = 'x'",
    "Nr = 12",               // a number against a text field
    "Nr = '12'",
    "Nr = 12.5",
    "Notiz = 'ÄRGER'",
    "Name = ''And Nr = ''",
    "Name = 'Müller' And MessID = 2",
    "Name = 'Müller' And MessID = 3",
    "MessID = 3 And MessID = 3",
    "MessID = 3 Or MessID = 4",
    "Name Like 'm*'",
    "Am = #2024-05-01#",
    "MessID > 2 And Name = ''",
};

class FindTest : public enginetest::EngineFixture {
protected:
    void SetUp() override {
        EngineFixture::SetUp();
        db->execute("CREATE TABLE Platz (ID COUNTER, MessID LONG, Name TEXT(20), Nr TEXT(10), Wert DOUBLE, "
                    "Ja YESNO, Notiz MEMO, Am DATETIME)");
        const char* rows[] = {
            "1, 'Müller', '12', 12, True, 'ärger', #2024-05-01#",
            "2, 'MÜLLER', '012', 12.5, False, Null, Null",
            "3, '', '', 1000, True, 'Ärger', #2024-05-02#",
            "3, 'Straße', '12.5', Null, Null, '', Null",
            "Null, Null, Null, 12.0, False, 'x', Null",
            "-2, 'müller', '', 12, True, Null, #2024-05-01#",
            "4, '', '', 3, False, 'ÄRGER', Null",
        };
        for (const char* r : rows)
            db->execute(std::string("INSERT INTO Platz (MessID, Name, Nr, Wert, Ja, Notiz, Am) VALUES (") + r + ")");
        db->connection()->staleCheckIntervalUs = 0;
    }

    std::shared_ptr<Recordset> open() { return db->openRecordset("SELECT * FROM Platz ORDER BY ID"); }

    // IDs of the rows a WHERE clause selects, among the given key set.
    std::vector<std::string> selected(const std::string& criteria, const std::vector<std::string>& keySet) {
        std::vector<std::string> all, out;
        auto rs = db->openRecordset("SELECT ID FROM Platz WHERE " + criteria, RecordsetType::Snapshot);
        for (; !rs->eof(); rs->moveNext()) all.push_back(text(rs->value("ID")));
        for (const auto& k : keySet)
            if (std::find(all.begin(), all.end(), k) != all.end()) out.push_back(k);
        return out;
    }

    // The IDs of the key set in order (rows found deleted skipped).
    static std::vector<std::string> keySet(Recordset& rs) {
        auto c = rs.clone();
        std::vector<std::string> ids;
        for (c->moveFirst(); !c->eof(); c->moveNext()) {
            if (errorOf([&] { ids.push_back(text(c->value("ID"))); }) == err::RecordDeleted) continue;
        }
        return ids;
    }

    // FindFirst + FindNext and FindLast + FindPrevious as far as they go.
    static std::vector<std::string> walk(Recordset& rs, const std::string& criteria, bool backwards) {
        std::vector<std::string> ids;
        backwards ? rs.findLast(criteria) : rs.findFirst(criteria);
        while (!rs.noMatch()) {
            ids.push_back(text(rs.value("ID")));
            backwards ? rs.findPrevious(criteria) : rs.findNext(criteria);
        }
        if (backwards) std::reverse(ids.begin(), ids.end());
        return ids;
    }

    // Every criterion both ways against SQL.
    void checkAll(Recordset& rs) {
        const std::vector<std::string> keys = keySet(rs);
        for (const char* c : kCriteria) {
            SCOPED_TRACE(c);
            const std::vector<std::string> want = selected(c, keys);
            for (bool indexed : {true, false}) {
                SCOPED_TRACE(indexed ? "indexed" : "row by row");
                rs.data().rows->useFindIndex = indexed;
                EXPECT_EQ(walk(rs, c, false), want);
                EXPECT_EQ(walk(rs, c, true), want);
            }
            rs.data().rows->useFindIndex = true;
        }
    }
};

TEST_F(FindTest, CriteriaFindWhatSqlSelectsBothWays) {
    auto rs = open();
    checkAll(*rs);
    // The equality criteria did use the indexes.
    ASSERT_GE(rs->data().rows->findIndexes.size(), 4u);
    EXPECT_TRUE(rs->data().rows->findIndexes[1] && rs->data().rows->findIndexes[1]->valid);   // MessID
    EXPECT_TRUE(rs->data().rows->findIndexes[2] && rs->data().rows->findIndexes[2]->valid);   // Name
}

TEST_F(FindTest, StartingPointsAndNoMatchKeepThePosition) {
    auto rs = open();
    for (bool indexed : {true, false}) {
        SCOPED_TRACE(indexed ? "indexed" : "row by row");
        rs->data().rows->useFindIndex = indexed;
        rs->moveFirst();                      // ID 1, MessID 1
        rs->findNext("MessID = 1");           // from the row after the current one
        EXPECT_TRUE(rs->noMatch());
        EXPECT_EQ(text(rs->value("ID")), "1");
        rs->findPrevious("MessID = 1");
        EXPECT_TRUE(rs->noMatch());
        rs->moveLast();
        rs->moveNext();                       // EOF: FindNext finds nothing, FindPrevious from the end
        rs->findNext("MessID = 3");
        EXPECT_TRUE(rs->noMatch());
        EXPECT_TRUE(rs->eof());
        rs->findPrevious("MessID = 3");
        EXPECT_EQ(text(rs->value("ID")), "4");
        rs->moveFirst();
        rs->movePrevious();                   // BOF: FindPrevious finds nothing, FindNext from the start
        rs->findPrevious("MessID = 3");
        EXPECT_TRUE(rs->noMatch());
        EXPECT_TRUE(rs->bof());
        rs->findNext("MessID = 1");
        EXPECT_EQ(text(rs->value("ID")), "1");
        auto clone = rs->clone();             // no position: Next from the start, Previous from the end
        clone->findNext("Name = ''");
        EXPECT_EQ(text(clone->value("ID")), "3");
        auto clone2 = rs->clone();
        clone2->findPrevious("Name = ''");
        EXPECT_EQ(text(clone2->value("ID")), "7");
        EXPECT_EQ(errorOf([&] { rs->findFirst("MessID = = 1"); }), err::SyntaxError);
        EXPECT_EQ(text(rs->value("ID")), "1");
    }
}

TEST_F(FindTest, ChangesThroughExecuteAndTheCursorAreSeen) {
    auto rs = open();
    checkAll(*rs);   // indexes built
    db->execute("UPDATE Platz SET MessID = 3, Name = 'MÜLLER' WHERE ID = 1");
    db->execute("DELETE * FROM Platz WHERE ID = 4");
    checkAll(*rs);

    rs->findFirst("MessID = 4");
    rs->edit();
    rs->field("MessID") = std::int32_t(5);
    rs->field("Nr") = "12";
    rs->update();
    rs->findFirst("MessID = -2");
    rs->deleteRecord();
    rs->addNew();
    rs->field("MessID") = std::int32_t(3);
    rs->field("Name") = "straße";
    rs->field("Nr") = "12";
    rs->update();
    rs->addNew();
    rs->field("MessID") = std::int32_t(8);
    rs->update();
    rs->findFirst("MessID = 8");
    EXPECT_EQ(text(rs->value("ID")), "9");
    checkAll(*rs);

    // A clone shares the rows and their indexes; its changes reach the original.
    auto clone = rs->clone();
    clone->findFirst("MessID = 3");
    clone->edit();
    clone->field("MessID") = rt::Variant::null();
    clone->update();
    checkAll(*rs);
    checkAll(*clone);

    // Inside a transaction nothing is committed: rows added and changed
    // through the cursor join the indexes as they are stored.
    Workspace& ws = engine.defaultWorkspace();
    ws.beginTrans();
    for (int i = 20; i < 23; ++i) {
        rs->addNew();
        rs->field("MessID") = std::int32_t(i);
        rs->field("Name") = "Neu";
        rs->update();
        rs->findFirst("MessID = " + std::to_string(i));
        EXPECT_FALSE(rs->noMatch()) << i;
        rs->edit();
        rs->field("Name") = "NEU " + std::to_string(i);
        rs->update();
    }
    checkAll(*rs);
    rs->findLast("Name = 'neu'");
    EXPECT_TRUE(rs->noMatch());
    ws.commitTrans();
    checkAll(*rs);

    // Rolled back changes are undone in the indexes too.
    ws.beginTrans();
    rs->findFirst("MessID = 5");
    rs->edit();
    rs->field("MessID") = std::int32_t(77);
    rs->update();
    rs->findFirst("MessID = 77");
    EXPECT_FALSE(rs->noMatch());
    ws.rollback();
    rs->findFirst("MessID = 77");
    EXPECT_TRUE(rs->noMatch());
    checkAll(*rs);
}

TEST_F(FindTest, ChangesOfAnotherConnectionAreSeen) {
    auto rs = open();
    checkAll(*rs);
    Engine other(rt::Regional::german());
    auto second = openSecond(other);
    second->execute("UPDATE Platz SET MessID = 3, Name = 'müller' WHERE ID = 7");
    second->execute("DELETE * FROM Platz WHERE ID = 3");
    second->execute("INSERT INTO Platz (MessID, Name) VALUES (3, '')");   // not in the key set
    rs->findLast("MessID = 3");
    EXPECT_EQ(text(rs->value("ID")), "7");
    checkAll(*rs);
    rs->findFirst("Name = ''");   // ID 3 is gone, ID 7 renamed
    EXPECT_TRUE(rs->noMatch());
}

} // namespace
