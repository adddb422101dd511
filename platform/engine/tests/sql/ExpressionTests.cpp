// FindFirst criteria, the collation, Like patterns and date constants.
#include <gtest/gtest.h>

#include <sqlite3.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "runtime/Error.h"
#include "sql/Lexer.h"
#include "sql/Like.h"
#include "sql/Translator.h"

namespace engine::sql::test {
namespace {

class Db {
public:
    Db() {
        sqlite3_open(":memory:", &db);
        registerFunctions(db);
    }
    ~Db() { sqlite3_close(db); }
    // Evaluates "SELECT (<expr>)" with the given texts bound to ?1, ?2, ...
    std::string eval(const std::string& expr, const std::vector<const char*>& values = {}) {
        sqlite3_stmt* st = nullptr;
        std::string sql = "SELECT (" + expr + ")";
        if (sqlite3_prepare_v2(db, sql.c_str(), -1, &st, nullptr) != SQLITE_OK) return sqlite3_errmsg(db);
        for (std::size_t i = 0; i < values.size(); ++i)
            if (!values[i]) continue;
            else if (std::string(values[i]).find_first_not_of("0123456789") == std::string::npos && *values[i])
                sqlite3_bind_int64(st, static_cast<int>(i + 1), std::stoll(values[i]));   // as the engine binds a Long
            else sqlite3_bind_text(st, static_cast<int>(i + 1), values[i], -1, SQLITE_TRANSIENT);
        std::string out = "error";
        if (sqlite3_step(st) == SQLITE_ROW) {
            const unsigned char* v = sqlite3_column_text(st, 0);
            out = v ? reinterpret_cast<const char*>(v) : "NULL";
        }
        sqlite3_finalize(st);
        return out;
    }
    sqlite3* db = nullptr;
};

TEST(Criteria, FieldsBecomeNumberedParameters) {
    const std::vector<std::string> fields = {"MessID", "LoopRS", "LoopIKRS", "FIT", "FGRAD", "T.X"};
    struct { const char* criteria; std::vector<const char*> row; const char* result; } cases[] = {
        {"MessID = 12", {"12"}, "1"},
        {"[MessID]= 12", {"13"}, "0"},
        {"messid = 12.0", {"12"}, "1"},
        {"LoopRS = ''And LoopIKRS = ''", {"1", "", ""}, "1"},
        {"LoopRS = ''And LoopIKRS = ''", {"1", "", "460"}, "0"},
        {"FIT = ''And FGRAD = ''And LoopRS = ''", {"1", "", "x", "", ""}, "1"},
        {"Q.LoopRS Is Null", {"1", nullptr}, "1"},
        {"T.X Like 'ä*'", {"1", "", "", "", "", "Ärger"}, "1"},
    };
    Db db;
    for (const auto& c : cases) {
        CriteriaTranslation t = translateCriteria(c.criteria, fields);
        std::vector<const char*> row = c.row;
        row.resize(fields.size(), nullptr);
        EXPECT_EQ(db.eval(t.sqlExpr, row), c.result) << c.criteria << " -> " << t.sqlExpr;
    }
    CriteriaTranslation t = translateCriteria("LoopRS = ''And LoopIKRS = '' AND loopRS <> 'x'", fields);
    EXPECT_EQ(t.usedFields, (std::vector<int>{1, 2}));
}

TEST(Criteria, Errors) {
    const std::vector<std::string> fields = {"MessID"};
    struct { const char* criteria; int error; } cases[] = {
        {"Unbekannt = 1", 3070}, {"MessID =", 3075}, {"MessID = 1 )", 3075}, {"", 3075},
        {"MessID = 'x", 3075},   {"MessID In (SELECT 1)", 3251},
    };
    for (const auto& c : cases) {
        int got = 0;
        try {
            translateCriteria(c.criteria, fields);
        } catch (const rt::Error& e) {
            got = e.number();
        }
        EXPECT_EQ(got, c.error) << c.criteria;
    }
}

TEST(Collation, IgnoresCaseWithUmlautsAndIsATotalOrder) {
    Db db;
    EXPECT_EQ(db.eval("'ÄRGER' = 'ärger' COLLATE JETNOCASE"), "1");
    EXPECT_EQ(db.eval("'Straße' = 'STRASSE' COLLATE JETNOCASE"), "0");
    EXPECT_EQ(db.eval("'abc' < 'ABD' COLLATE JETNOCASE"), "1");
    EXPECT_EQ(db.eval("'ab' < 'AbC' COLLATE JETNOCASE"), "1");
    EXPECT_EQ(db.eval("10 = '10' COLLATE JETNOCASE"), "0");   // a number is no text
    // Sorting by the collation agrees with sorting by upper-cased code points.
    sqlite3_exec(db.db, "CREATE TABLE w (t TEXT COLLATE JETNOCASE)", nullptr, nullptr, nullptr);
    const char* words[] = {"Ärger", "arger", "ÄRGER", "zebra", "Zoo", "ölen", "Öl", "a", "", "A b", "\xff\xfe", "ß"};
    for (const char* w : words) {
        std::string sql = std::string("INSERT INTO w VALUES ('") + w + "')";
        sqlite3_exec(db.db, sql.c_str(), nullptr, nullptr, nullptr);
    }
    sqlite3_stmt* st = nullptr;
    sqlite3_prepare_v2(db.db, "SELECT t FROM w ORDER BY t", -1, &st, nullptr);
    std::vector<std::string> sorted;
    while (sqlite3_step(st) == SQLITE_ROW) sorted.emplace_back(reinterpret_cast<const char*>(sqlite3_column_text(st, 0)));
    sqlite3_finalize(st);
    ASSERT_EQ(sorted.size(), std::size(words));
    for (std::size_t i = 1; i < sorted.size(); ++i) {
        std::string q = "'" + sorted[i - 1] + "' <= '" + sorted[i] + "' COLLATE JETNOCASE";
        EXPECT_EQ(db.eval(q), "1") << sorted[i - 1] << " / " << sorted[i];
    }
}

TEST(Like, Patterns) {
    struct { const char* value; const char* pattern; bool match; } cases[] = {
        {"Rechts", "r*", true},        {"Rechts", "*CHTS", true},   {"Rechts", "R?chts", true},
        {"Rechts", "R?chts?", false},  {"A12", "A##", true},       {"A1x", "A##", false},
        {"b", "[a-c]", true},          {"d", "[a-c]", false},      {"d", "[!a-c]", true},
        {"Ärger", "ä*", true},         {"ärger", "[Ä]RGER", true}, {"a*b", "a[*]b", true},
        {"axb", "a[*]b", false},       {"", "*", true},            {"", "?", false},
        {"abc", "a*b*c*", true},       {"aaaaaaaaaaaaaaaaaaaaaaaaaaaaab", "*a*a*a*a*a*a*a*c", false},
        {"x", "[a-", false},           {"ab", "a[]b", true},       {"aXb", "a[!]b", true},
    };
    for (const auto& c : cases) EXPECT_EQ(likeMatch(c.value, c.pattern), c.match) << c.value << " / " << c.pattern;
}

TEST(Lexer, DateConstants) {
    struct { const char* in; const char* iso; } ok[] = {
        {"2024-01-31", "2024-01-31 00:00:00"}, {"1/31/2024", "2024-01-31 00:00:00"},
        {"2/29/2024 13:05", "2024-02-29 13:05:00"}, {"1/2/24 12:00:01 AM", "2024-01-02 00:00:01"},
        {"31.12.2023", "2023-12-31 00:00:00"}, {"10:30", "1899-12-30 10:30:00"},
    };
    for (const auto& c : ok) {
        std::string iso;
        EXPECT_TRUE(parseDateLiteral(c.in, iso)) << c.in;
        EXPECT_EQ(iso, c.iso) << c.in;
    }
    for (const char* bad : {"2/30/2024", "13/1/2024", "", "1/2", "25:00", "2024-01-31x", "1/31/2024 1:00 XM"}) {
        std::string iso;
        EXPECT_FALSE(parseDateLiteral(bad, iso)) << bad;
    }
}

TEST(Lexer, NamesAndConstants) {
    auto t = tokenize("0100_Messung.[fit min] Prüfspannung 1.5e3 12''And \"a\"\"b\" <> <= >= \\ 1e");
    ASSERT_GE(t.size(), 12u);
    EXPECT_EQ(t[0].type, TokenType::Word);
    EXPECT_EQ(t[0].text, "0100_Messung");
    EXPECT_EQ(t[2].type, TokenType::Bracketed);
    EXPECT_EQ(t[2].text, "fit min");
    EXPECT_EQ(t[3].text, "Prüfspannung");
    EXPECT_EQ(t[4].type, TokenType::Number);
    EXPECT_EQ(t[4].text, "1.5e3");
    EXPECT_EQ(t[5].text, "12");
    EXPECT_EQ(t[6].type, TokenType::Text);
    EXPECT_EQ(t[6].text, "");
    EXPECT_TRUE(t[7].isWord("AND"));
    EXPECT_EQ(t[8].text, "a\"b");
    EXPECT_TRUE(t[9].isOp("<>"));
    EXPECT_TRUE(t[12].isOp("\\"));
    EXPECT_EQ(t[13].type, TokenType::Word);   // "1e" is a name
}

// Inputs that once crashed or hung the translator: each must end in a
// translation or an rt::Error.
TEST(Regressions, FuzzFindingsReplay) {
    const auto dir = std::filesystem::path(__FILE__).parent_path() / ".." / ".." / "fuzz" / "regressions";
    ASSERT_TRUE(std::filesystem::exists(dir)) << dir;
    struct Fixed : SchemaResolver {
        std::optional<SourceInfo> resolve(std::string_view name) override {
            SourceInfo s;
            if (name == "Q") {
                s.kind = SourceInfo::Kind::Query;
                s.querySql = "SELECT * FROM T WHERE A = p";
                return s;
            }
            if (name != "T") return std::nullopt;
            s.sqlRef = "\"main\".\"T\"";
            s.keyColumn = kRowKeyColumn;
            s.columns = {ColumnInfo{"A", FieldType::Long}, ColumnInfo{"B", FieldType::Text, 10}};
            return s;
        }
    } schema;
    int files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(dir)) {
        std::ifstream in(entry.path(), std::ios::binary);
        std::stringstream ss;
        ss << in.rdbuf();
        const std::string text = ss.str();
        ++files;
        try {
            translate(text, schema);
        } catch (const rt::Error&) {
        }
        try {
            translateCriteria(text, {"A", "B"});
        } catch (const rt::Error&) {
        }
    }
    EXPECT_GT(files, 0);
}

} // namespace
} // namespace engine::sql::test
