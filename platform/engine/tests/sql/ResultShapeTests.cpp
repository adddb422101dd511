// Field names, types and the updatable shape of translated SELECTs.
#include <gtest/gtest.h>

#include "SqlFixture.h"
#include "runtime/Error.h"

namespace engine::sql::test {
namespace {

std::string names(const Translation& t) {
    std::string s;
    for (const auto& c : t.columns) s += (s.empty() ? "" : ",") + c.name;
    return s;
}

TEST(ResultShape, FieldNames) {
    SqlFixture f;
    struct { const char* sql; const char* names; } cases[] = {
        {"SELECT Sprache.TextID, Sprache.* FROM Sprache", "Sprache.TextID,TextID,Deutsch,Deutsch (&Deutschland),English"},
        {"SELECT sprache.textid, Deutsch FROM Sprache", "TextID,Deutsch"},
        {"SELECT TextID & 'x', Len(TextID) AS L, 1 + 1 FROM Sprache", "Expr1000,L,Expr1001"},
        {"SELECT * FROM 0100_GrenzwertISO AS A, 0100_GrenzwertISO AS B",
         "A.Prüfspannung,A.Grenzwert,B.Prüfspannung,B.Grenzwert"},
        {"SELECT * FROM A_AnzahlPlätzeVonStromkreis", "StromkreisID,Anzahl"},
    };
    for (const auto& c : cases) EXPECT_EQ(names(translate(c.sql, f.schema)), c.names) << c.sql;
    // Both columns reachable under their names in SQLite, too.
    EXPECT_EQ(f.run("SELECT Sprache.TextID, Sprache.* FROM Sprache WHERE TextID = 'Links'"),
              "Links|Links|Links|NULL|left");
}

TEST(ResultShape, TypesComeFromTheSchema) {
    SqlFixture f;
    Translation t = translate("SELECT MessID, EigeneNr, Bemerkung, 1.5, Count(*) FROM 0100_Messung GROUP BY MessID, "
                              "EigeneNr, Bemerkung", f.schema);
    ASSERT_EQ(t.columns.size(), 5u);
    EXPECT_EQ(t.columns[0].type, FieldType::Long);
    EXPECT_EQ(t.columns[1].type, FieldType::Text);
    EXPECT_EQ(t.columns[1].size, 10);
    EXPECT_EQ(t.columns[2].type, FieldType::Memo);
    EXPECT_EQ(t.columns[3].type, FieldType::Double);
    EXPECT_EQ(t.columns[4].type, FieldType::Long);
    EXPECT_FALSE(t.updatable);
}

TEST(ResultShape, UpdatableSelectCarriesTheKey) {
    SqlFixture f;
    Translation t = translate("SELECT EigeneNr, MessID * 2, LoopRS AS R FROM 0100_Messung WHERE MessID = 10002", f.schema);
    ASSERT_TRUE(t.updatable);
    EXPECT_EQ(t.updatable->baseRef, "\"main\".\"0100_Messung\"");
    EXPECT_EQ(t.updatable->keyColumn, kRowKeyColumn);
    ASSERT_EQ(t.columns.size(), 3u);
    EXPECT_EQ(t.updatable->baseColumns[static_cast<std::size_t>(t.columns[0].baseColumn)].name, "EigeneNr");
    EXPECT_EQ(t.columns[1].baseColumn, -1);
    EXPECT_EQ(t.updatable->baseColumns[static_cast<std::size_t>(t.columns[2].baseColumn)].name, "LoopRS");
    // "__bk" is the last SQLite column and holds the row's key.
    EXPECT_NE(t.sql.find("AS \"__bk\" FROM"), std::string::npos) << t.sql;

    // A COUNTER table uses its counter as key.
    Translation b = translate("SELECT Inhalt FROM 0100_Betriebsmittel", f.schema);
    ASSERT_TRUE(b.updatable);
    EXPECT_EQ(b.updatable->keyColumn, "BetriebsmittelID");
}

TEST(ResultShape, UpdatableThroughStoredQuery) {
    SqlFixture f;
    Translation t = translate("SELECT EigeneNr, MessID FROM A_PlätzeVonStromkreis", f.schema);
    ASSERT_TRUE(t.updatable);
    EXPECT_EQ(t.updatable->baseName, "0100_Messung");
    EXPECT_EQ(t.updatable->baseColumns[static_cast<std::size_t>(t.columns[1].baseColumn)].name, "MessID");
    ASSERT_EQ(t.parameterOrder.size(), 1u);
    EXPECT_EQ(t.parameterOrder[0], "paraStromkreisID");
    ASSERT_EQ(t.declaredParameters.size(), 1u);
    EXPECT_EQ(t.declaredParameters[0].type, FieldType::Long);
    // The key passes through the subquery to the row it came from.
    EXPECT_EQ(f.run("SELECT EigeneNr FROM A_PlätzeVonStromkreis", "paraStromkreisID=8"), "001");
}

TEST(ResultShape, NotUpdatable) {
    SqlFixture f;
    const char* cases[] = {
        "SELECT DISTINCT EigeneNr FROM 0100_Messung",
        "SELECT TOP 2 EigeneNr FROM 0100_Messung",
        "SELECT Count(*) FROM 0100_Messung",
        "SELECT StromkreisID FROM 0100_Messung GROUP BY StromkreisID",
        "SELECT * FROM 0100_Messung AS A INNER JOIN 0100_GrenzwertISO AS B ON A.EigeneNr = B.Prüfspannung",
        "SELECT EigeneNr FROM 0100_Messung UNION SELECT Prüfspannung FROM 0100_GrenzwertISO",
        "SELECT * FROM A_AnzahlPlätzeVonStromkreis",
    };
    for (const char* sql : cases) EXPECT_FALSE(translate(sql, f.schema).updatable) << sql;
}

TEST(ResultShape, ParametersAreNumberedOnceEach) {
    SqlFixture f;
    Translation t = translate("SELECT * FROM Sprache WHERE TextID = pA OR Deutsch = [pB] OR English = pa",
                              f.schema, {{"pa", FieldType::Text}, {"PB", FieldType::Text}});
    ASSERT_EQ(t.parameterOrder.size(), 2u);
    EXPECT_EQ(t.parameterOrder[0], "pa");
    EXPECT_EQ(t.parameterOrder[1], "PB");
    EXPECT_NE(t.sql.find("?1"), std::string::npos);
    EXPECT_NE(t.sql.find("?2"), std::string::npos);
    EXPECT_EQ(t.sql.find("?3"), std::string::npos);
}

TEST(ResultShape, DepthLimitIsASyntaxError) {
    SqlFixture f;
    const std::string deep = "SELECT " + std::string(5000, '(') + "1" + std::string(5000, ')');
    EXPECT_EQ(f.translateError(deep), 3075);
    std::string nots = "SELECT 1 FROM Sprache WHERE ";
    for (int i = 0; i < 5000; ++i) nots += "Not ";
    EXPECT_EQ(f.translateError(nots + "True"), 3075);
    std::string from = "SELECT * FROM " + std::string(3000, '(') + "Sprache" + std::string(3000, ')');
    EXPECT_EQ(f.translateError(from), 3131);
    // Long runs of operators, joins and unions nest as deeply.
    std::string sum = "SELECT 1";
    for (int i = 0; i < 100000; ++i) sum += "+1";
    EXPECT_EQ(f.translateError(sum), 3075);
    std::string joins = "SELECT * FROM Sprache AS S0";
    for (int i = 1; i < 5000; ++i) joins += " INNER JOIN Sprache AS S" + std::to_string(i) + " ON 1 = 1";
    EXPECT_EQ(f.translateError(joins), 3131);
    std::string unions = "SELECT 1";
    for (int i = 0; i < 50000; ++i) unions += " UNION SELECT 1";
    EXPECT_EQ(f.translateError(unions), 3141);
    std::string subs = "SELECT 1";
    for (int i = 0; i < 500; ++i) subs = "SELECT (" + subs + ")";
    EXPECT_EQ(f.translateError(subs), 3075);
}

} // namespace
} // namespace engine::sql::test
