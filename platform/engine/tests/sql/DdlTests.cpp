// CREATE / ALTER / DROP statements and reading column types back.
#include <gtest/gtest.h>

#include "SqlFixture.h"
#include "runtime/Error.h"

namespace engine::sql::test {
namespace {

TEST(Ddl, TypesRoundTripThroughTableInfo) {
    SqlFixture f;
    Translation t = translate(
        "CREATE TABLE [Alle Typen] (ID COUNTER, T TEXT(50) NOT NULL, T2 TEXT, C CHAR(10), V VARCHAR(20), M MEMO, "
        "LT LONGTEXT, B BYTE, S SHORT, SI SMALLINT, I INTEGER, L LONG, SG SINGLE, R REAL, D DOUBLE, F FLOAT, "
        "CU CURRENCY, MO MONEY, Y YESNO, BI BIT, LG LOGICAL, DT DATETIME, DA DATE, U LONG UNIQUE)",
        f.schema);
    EXPECT_EQ(t.kind, StatementKind::CreateTable);
    EXPECT_EQ(t.tableName, "Alle Typen");
    f.raw(t.sql);
    auto info = f.schema.resolve("alle typen");
    ASSERT_TRUE(info);
    EXPECT_EQ(info->keyColumn, "ID");
    ASSERT_EQ(info->columns.size(), t.createdColumns.size());
    for (std::size_t i = 0; i < info->columns.size(); ++i) {
        const ColumnInfo& a = info->columns[i];
        const ColumnInfo& b = t.createdColumns[i];
        EXPECT_EQ(a.name, b.name);
        EXPECT_EQ(a.type, b.type) << a.name;
        EXPECT_EQ(a.size, b.size) << a.name;
        EXPECT_EQ(a.required, b.required) << a.name;
        EXPECT_EQ(a.autoIncrement, b.autoIncrement) << a.name;
    }
    using FT = FieldType;
    const FT expected[] = {FT::Long, FT::Text, FT::Text, FT::Text, FT::Text, FT::Memo, FT::Memo, FT::Byte,
                           FT::Integer, FT::Integer, FT::Long, FT::Long, FT::Single, FT::Single, FT::Double,
                           FT::Double, FT::Currency, FT::Currency, FT::Boolean, FT::Boolean, FT::Boolean,
                           FT::Date, FT::Date, FT::Long};
    ASSERT_EQ(info->columns.size(), std::size(expected));
    for (std::size_t i = 0; i < std::size(expected); ++i) EXPECT_EQ(info->columns[i].type, expected[i]) << i;
    EXPECT_EQ(info->columns[1].size, 50);
    EXPECT_EQ(info->columns[2].size, 255);
    EXPECT_TRUE(info->columns[1].required);
    EXPECT_TRUE(info->columns[0].autoIncrement);
}

TEST(Ddl, HiddenRowKeyAndTextColumns) {
    SqlFixture f;
    auto info = f.schema.resolve("0100_Messung");
    ASSERT_TRUE(info);
    EXPECT_EQ(info->keyColumn, kRowKeyColumn);
    for (const auto& c : info->columns) EXPECT_NE(c.name, kRowKeyColumn);
    // A memo keeps "0012" as text; a text column compares ignoring case.
    EXPECT_EQ(f.run("SELECT Bemerkung FROM 0100_Messung WHERE MessID = 10002"), "0012");
    // PRIMARY KEY on a non-counter column: unique, ignoring case like the dialect's index.
    Translation ins = translate("INSERT INTO Sprache (TextID) VALUES ('LINKS')", f.schema);
    sqlite3_stmt* st = nullptr;
    ASSERT_EQ(sqlite3_prepare_v2(f.db, ins.sql.c_str(), -1, &st, nullptr), SQLITE_OK);
    EXPECT_EQ(sqlite3_step(st), SQLITE_CONSTRAINT);
    sqlite3_finalize(st);
}

TEST(Ddl, AlterIndexDrop) {
    SqlFixture f;
    f.run("ALTER TABLE 0100_GrenzwertISO ADD COLUMN Notiz TEXT(20)");
    f.run("ALTER TABLE 0100_GrenzwertISO ADD Flag YESNO");
    auto info = f.schema.resolve("0100_GrenzwertISO");
    ASSERT_EQ(info->columns.size(), 4u);
    EXPECT_EQ(info->columns[2].size, 20);
    EXPECT_EQ(info->columns[3].type, FieldType::Boolean);
    EXPECT_EQ(f.run("SELECT Flag FROM 0100_GrenzwertISO"), "0");
    f.run("ALTER TABLE 0100_GrenzwertISO DROP COLUMN notiz");
    EXPECT_EQ(f.schema.resolve("0100_GrenzwertISO")->columns.size(), 3u);

    f.run("CREATE UNIQUE INDEX Spannung ON 0100_GrenzwertISO (Prüfspannung DESC)");
    f.run("CREATE INDEX Spannung ON 0100_GrenzwertRCD (Faktor) WITH PRIMARY");   // same name, other table
    EXPECT_EQ(f.run("INSERT INTO 0100_GrenzwertISO (Prüfspannung) VALUES ('600')"), "changes=1");
    EXPECT_EQ(f.run("INSERT INTO 0100_GrenzwertISO (Prüfspannung) VALUES ('600')").rfind("sqlite error", 0), 0u);
    f.run("DROP INDEX Spannung ON 0100_GrenzwertISO");
    EXPECT_EQ(f.run("INSERT INTO 0100_GrenzwertISO (Prüfspannung) VALUES ('600')"), "changes=1");
    f.run("DROP TABLE 0100_GrenzwertISO");
    EXPECT_FALSE(f.schema.resolve("0100_GrenzwertISO"));
}

TEST(Ddl, Errors) {
    SqlFixture f;
    struct { const char* sql; int error; } cases[] = {
        {"CREATE TABLE X (A TEXT(0))", 3290},
        {"CREATE TABLE X (A TEXT(256))", 3290},
        {"CREATE TABLE X (A WHATEVER)", 3290},
        {"CREATE TABLE X (A COUNTER, B COUNTER)", 3290},
        {"CREATE TABLE X (A LONG, A TEXT)", 3290},
        {"CREATE TABLE X (A LONG", 3290},
        {"CREATE TABLE X (A LONG, CONSTRAINT pk PRIMARY KEY (B))", 3289},
        {"ALTER TABLE Sprache ADD", 3293},
        {"ALTER TABLE Sprache ADD COLUMN N COUNTER", 3251},
        {"ALTER TABLE Unbekannt ADD COLUMN N LONG", 3376},
        {"ALTER TABLE Kunde ADD COLUMN N LONG", 3611},
        {"CREATE INDEX I ON Sprache", 3291},
        {"DROP TABLE", 3295},
        {"DROP TABLE Unbekannt", 3376},
        {"DROP INDEX I", 3295},
    };
    for (const auto& c : cases) EXPECT_EQ(f.translateError(c.sql), c.error) << c.sql;
}

TEST(Ddl, DescribeForeignDeclaredTypes) {
    EXPECT_EQ(describeColumn("a", "INTEGER", false, false).type, FieldType::Long);
    EXPECT_EQ(describeColumn("a", "BIGINT", false, false).type, FieldType::Long);
    EXPECT_EQ(describeColumn("a", "REAL", false, false).type, FieldType::Double);
    EXPECT_EQ(describeColumn("a", "VARCHAR(30)", false, false).size, 30);
    EXPECT_EQ(describeColumn("a", "TEXT", false, false).type, FieldType::Memo);
    EXPECT_EQ(describeColumn("a", "", false, false).type, FieldType::Memo);
    EXPECT_EQ(describeColumn("a", "TEXT(  )", false, false).type, FieldType::Memo);
    EXPECT_EQ(describeColumn("a", "MEMO", false, true).type, FieldType::Memo);
    EXPECT_TRUE(describeColumn("a", "MEMO", false, true).required);
}

TEST(Connect, KeysIgnoreCase) {
    ConnectString c = parseConnect("MS Access;pwd=secret;DATABASE=C:\\x\\be.mdb");
    EXPECT_EQ(c.password, "secret");
    EXPECT_EQ(c.database, "C:\\x\\be.mdb");
    EXPECT_TRUE(c.hasDatabase);
    ConnectString d = parseConnect(";PWD=a=b;database=");
    EXPECT_EQ(d.password, "a=b");
    EXPECT_TRUE(d.hasDatabase);
    EXPECT_EQ(d.database, "");
    EXPECT_FALSE(parseConnect("MS Access").hasDatabase);
}

} // namespace
} // namespace engine::sql::test
