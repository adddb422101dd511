// GrenzwerteAnlegen and MesswertBewerten against a real host database.
#include "Fixture.h"
#include "Limits.h"

namespace measgrid::test {
namespace {

using sampledb::Row;

struct Cursors {
    std::shared_ptr<engine::Recordset> mess, legend, limits;
};

Cursors open(ModuleEnv& env, std::int32_t circuit) {
    Cursors c;
    auto q = env.frontend->queryDef("MessungenVonStromkreis");
    q->setParameter("paraStromkreisID", circuit);
    c.mess = q->openRecordset(engine::RecordsetType::Dynaset);
    const std::string key = std::to_string(circuit);
    c.limits = env.backend->openRecordset("SELECT * FROM 0100_Grenzwert WHERE StromkreisID = " + key);
    c.legend = env.frontend->openRecordset("SELECT * FROM A_StromkreisLegende WHERE StromkreisID = " + key);
    return c;
}

TEST(LimitQueries, FactorAndSelectivityGoIntoTheRcdQuery) {
    const std::pair<const char*, const char*> cases[] = {
        {"x1/2 S", "SELECT * FROM 0100_GrenzwertRCD WHERE Faktor = 1/2 AND Selektive = -1"},
        {"", "SELECT * FROM 0100_GrenzwertRCD WHERE Faktor = 1 AND Selektive = 0"},
        {"x5 s", "SELECT * FROM 0100_GrenzwertRCD WHERE Faktor = 5 AND Selektive = -1"},
        {"S", "SELECT * FROM 0100_GrenzwertRCD WHERE Faktor = 1 AND Selektive = -1"},
        {"x0,5", "SELECT * FROM 0100_GrenzwertRCD WHERE Faktor = 0,5 AND Selektive = 0"},
    };
    for (const auto& [faktor, sql] : cases) EXPECT_EQ(GrenzwertRcdSql(faktor), sql) << faktor;
}

TEST(LimitQueries, AnApostropheInTheTestVoltageStaysInsideTheTextConstant) {
    EXPECT_EQ(GrenzwertIsoSql("500"), "SELECT * FROM 0100_GrenzwertISO WHERE Prüfspannung = '500'");
    EXPECT_EQ(GrenzwertIsoSql("5'0'"), "SELECT * FROM 0100_GrenzwertISO WHERE Prüfspannung = '5''0'''");
}

// Creation from the four sources, per measurement row of a B16 circuit
// (legend '>80').
TEST(GrenzwerteAnlegen, CreatesTheLimitRowFromStandardIsoDeviceAndRcd) {
    ModuleEnv env;
    sampledb::addRows(*env.backend, "0100_GrenzwertISO", {{{"Prüfspannung", "500'"}, {"Grenzwert", ">7"}}});
    struct Case {
        const char* viso;
        const char* faktor;
        const char* riso;
        const char* fitMin;
        const char* fitMax;
    };
    const Case cases[] = {
        {"250", "x1/2 S", ">0,5", ">500", ""},
        {"", "", ">1", "", "<300"},      // no ISO row: the standard value stays
        {"500'", "x1", ">7", "", "<300"},  // the apostrophe is part of the voltage
        {"1000", "x5 S", ">1", ">50", "<150"},
        {"12'; DELETE * FROM 0100_GrenzwertISO; '", "x2", ">1", "", "<150"},
    };
    std::vector<Row> rows;
    for (const Case& c : cases) rows.push_back({{"EigeneNr", "001"}, {"VISO", c.viso}, {"FIFaktor", c.faktor}});
    std::vector<std::int32_t> ids;
    const std::int32_t sk = env.circuit(rows, "B16", &ids);

    Cursors cur = open(env, sk);
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        GrenzwerteAnlegen(*cur.limits, *cur.mess, *cur.legend, env.ctx);
        // The cursor stands on the new row.
        EXPECT_EQ(rt::textOf(cur.limits->value("MessID"), env.regional),
                  rt::textOf(cur.mess->value("MessID"), env.regional));
        cur.mess->moveNext();
    }
    EXPECT_TRUE(env.boxTexts().empty()) << env.boxTexts()[0];
    EXPECT_EQ(env.count("SELECT * FROM 0100_GrenzwertISO"), 4);

    for (std::size_t i = 0; i < std::size(cases); ++i) {
        const std::string sql = "SELECT * FROM 0100_Grenzwert WHERE MessID = " + std::to_string(ids[i]);
        SCOPED_TRACE(cases[i].viso);
        EXPECT_EQ(env.count(sql), 1);
        EXPECT_EQ(env.value(sql, "StromkreisID"), std::to_string(sk));
        EXPECT_EQ(env.value(sql, "RISO"), cases[i].riso);
        EXPECT_EQ(env.value(sql, "fit min"), cases[i].fitMin);
        EXPECT_EQ(env.value(sql, "fit max"), cases[i].fitMax);
        EXPECT_EQ(env.value(sql, "LOW"), "<1");   // standard
        EXPECT_EQ(env.value(sql, "DREH"), "1");
        EXPECT_EQ(env.value(sql, "LoopIKRS"), ">80");
        EXPECT_EQ(env.value(sql, "LoopIKRI"), ">80");
        EXPECT_EQ(env.value(sql, "LoopRS"), "<2,88");
        EXPECT_EQ(env.value(sql, "LoopRI"), "<2,88");
    }
}

TEST(GrenzwerteAnlegen, WithoutProtectiveDeviceTheLoopLimitsStayStandard) {
    ModuleEnv env;
    env.backend->execute("UPDATE 0100_GrenzwertStandard SET LoopRS = '<9', LoopIKRS = '>1'");
    const std::int32_t sk = env.circuit({{{"EigeneNr", "001"}}}, "");
    Cursors cur = open(env, sk);
    GrenzwerteAnlegen(*cur.limits, *cur.mess, *cur.legend, env.ctx);
    const std::string sql = "SELECT * FROM 0100_Grenzwert WHERE StromkreisID = " + std::to_string(sk);
    EXPECT_EQ(env.value(sql, "LoopRS"), "<9");
    EXPECT_EQ(env.value(sql, "LoopRI"), "");
    EXPECT_EQ(env.value(sql, "LoopIKRS"), ">1");
    EXPECT_TRUE(env.ui.boxes().empty());
}

TEST(GrenzwerteAnlegen, AnExistingLimitRowIsKeptAndFound) {
    ModuleEnv env;
    std::vector<std::int32_t> ids;
    const std::int32_t sk = env.circuit({{{"EigeneNr", "001"}, {"VISO", "250"}, {"FIFaktor", "x5"}},
                                         {{"EigeneNr", "002"}, {"VISO", "250"}}},
                                        "B16", &ids);
    sampledb::addRows(*env.backend, "0100_Grenzwert",
                      {{{"MessID", ids[1]}, {"StromkreisID", sk}, {"RISO", ">42"}},
                       {{"MessID", ids[0]}, {"StromkreisID", sk}, {"RISO", ">3"}}});
    Cursors cur = open(env, sk);
    for (const char* expected : {">3", ">42"}) {
        GrenzwerteAnlegen(*cur.limits, *cur.mess, *cur.legend, env.ctx);
        EXPECT_EQ(rt::textOf(cur.limits->value("RISO"), env.regional), expected);
        cur.mess->moveNext();
    }
    EXPECT_EQ(env.count("SELECT * FROM 0100_Grenzwert"), 2);
    EXPECT_TRUE(env.ui.boxes().empty());
}

// Each failure shows "<number> <description>" once and stores nothing; the
// next row is created normally afterwards.
TEST(GrenzwerteAnlegen, FailuresAreReportedAndTheStartedRowIsNotStored) {
    struct Case {
        const char* faktor;
        int number;
    };
    const Case cases[] = {
        {"x3", 3021},    // no RCD row for the factor
        {"x0,5", 0},     // not valid in the statement (the engine's number)
    };
    for (const Case& c : cases) {
        ModuleEnv env;
        const std::int32_t sk = env.circuit({{{"EigeneNr", "001"}, {"FIFaktor", c.faktor}},
                                             {{"EigeneNr", "002"}, {"FIFaktor", "x1"}}});
        Cursors cur = open(env, sk);
        GrenzwerteAnlegen(*cur.limits, *cur.mess, *cur.legend, env.ctx);
        ASSERT_EQ(env.ui.boxes().size(), 1u) << c.faktor;
        EXPECT_EQ(env.ui.boxes()[0].style, tk::mb::OKOnly);
        if (c.number) {
            EXPECT_EQ(env.ui.boxes()[0].prompt.rfind(std::to_string(c.number) + " ", 0), 0u)
                << env.ui.boxes()[0].prompt;
        }
        EXPECT_EQ(env.count("SELECT * FROM 0100_Grenzwert"), 0) << c.faktor;

        cur.mess->moveNext();
        GrenzwerteAnlegen(*cur.limits, *cur.mess, *cur.legend, env.ctx);
        EXPECT_EQ(env.ui.boxes().size(), 1u);
        EXPECT_EQ(env.count("SELECT * FROM 0100_Grenzwert"), 1) << c.faktor;
    }
}

TEST(GrenzwerteAnlegen, WithoutBackendDatabaseTheErrorIsReported) {
    ModuleEnv env;
    const std::int32_t sk = env.circuit({{{"EigeneNr", "001"}}});
    Cursors cur = open(env, sk);
    env.state.backend.reset();
    GrenzwerteAnlegen(*cur.limits, *cur.mess, *cur.legend, env.ctx);
    ASSERT_EQ(env.ui.boxes().size(), 1u);
    EXPECT_EQ(env.ui.boxes()[0].prompt.rfind("91 ", 0), 0u);
    EXPECT_EQ(env.count("SELECT * FROM 0100_Grenzwert"), 0);
}

// MesswertBewerten over rows whose limit rows are given.
struct EvalCase {
    Row mess;            // fields of the measurement row
    Row limit;           // fields of its limit row
    const char* field;   // the field evaluated
    EvalCode expected;
};

void runEvaluations(const std::vector<EvalCase>& cases, const rt::Regional& regional) {
    ModuleEnv env;
    env.regional = regional;
    std::vector<Row> rows;
    for (const auto& c : cases) rows.push_back(c.mess);
    std::vector<std::int32_t> ids;
    const std::int32_t sk = env.circuit(rows, "B16", &ids);
    std::vector<Row> limits;
    for (std::size_t i = 0; i < cases.size(); ++i) {
        Row l = cases[i].limit;
        l["MessID"] = ids[i];
        l["StromkreisID"] = sk;
        limits.push_back(l);
    }
    sampledb::addRows(*env.backend, "0100_Grenzwert", limits);

    Cursors cur = open(env, sk);
    for (const auto& c : cases) {
        cur.limits->findFirst("MessID = " + rt::textOf(cur.mess->value("MessID"), env.regional));
        ASSERT_FALSE(cur.limits->noMatch());
        const int pos = sampledb::messungIndex(c.field);
        auto describe = [&] {
            std::string s = c.field;
            for (const auto& [k, v] : c.mess) s += " " + k + "='" + rt::textOf(v, regional) + "'";
            for (const auto& [k, v] : c.limit) s += " L:" + k + "='" + rt::textOf(v, regional) + "'";
            return s;
        };
        EXPECT_EQ(MesswertBewerten(*cur.mess, pos, *cur.limits, env.ctx), c.expected) << describe();
        cur.mess->moveNext();
    }
    EXPECT_TRUE(env.ui.boxes().empty()) << env.ui.boxes()[0].prompt;
}

TEST(MesswertBewerten, GermanSettings) {
    runEvaluations(
        {
            // rotation: the words of the current language (German while no language is bound)
            {{{"DREH", "rechts"}}, {{"DREH", "1"}}, "DREH", kPasses},
            {{{"DREH", "Rechts"}}, {{"DREH", "2"}}, "DREH", kFails},
            {{{"DREH", "RECHTS"}}, {}, "DREH", kNotEvaluable},
            {{{"DREH", "Links"}}, {{"DREH", "2"}}, "DREH", kPasses},
            {{{"DREH", "links"}}, {{"DREH", "1"}}, "DREH", kFails},
            {{{"DREH", "rückwärts"}}, {{"DREH", "1"}}, "DREH", kNotEvaluable},
            {{{"DREH", "rechts"}}, {{"DREH", "1,0"}}, "DREH", kPasses},
            // trip current between FIIDN / 2 and FIIDN
            {{{"FIIMESS", "25"}, {"FIIDN", "30"}}, {}, "FIIMESS", kPasses},
            {{{"FIIMESS", "15"}, {"FIIDN", "30"}}, {}, "FIIMESS", kPasses},
            {{{"FIIMESS", "10"}, {"FIIDN", "30"}}, {}, "FIIMESS", kFails},
            {{{"FIIMESS", "31"}, {"FIIDN", "30"}}, {}, "FIIMESS", kFails},
            {{{"FIIMESS", "22,4"}, {"FIIDN", "45"}}, {}, "FIIMESS", kFails},
            {{{"FIIMESS", "22,5"}, {"FIIDN", "45"}}, {}, "FIIMESS", kPasses},
            {{{"FIIMESS", "25"}}, {}, "FIIMESS", kPasses},            // FIIDN empty: only '<' remains
            {{{"FIIMESS", "1000"}, {"FIIDN", "abc"}}, {}, "FIIMESS", kPasses},
            {{{"FIIMESS", ">200"}, {"FIIDN", "30"}}, {}, "FIIMESS", kFails},
            // trip time between "FIT Min" and "FIT Max"
            {{{"FIT", "250"}}, {{"fit max", "<300"}}, "FIT", kPasses},
            {{{"FIT", "350"}}, {{"fit max", "<300"}}, "FIT", kFails},
            {{{"FIT", "120"}}, {{"fit min", ">130"}, {"fit max", "<500"}}, "FIT", kFails},
            {{{"FIT", "130"}}, {{"fit min", ">130"}, {"fit max", "<500"}}, "FIT", kPasses},
            {{{"FIT", "12"}}, {}, "FIT", kNotEvaluable},
            {{{"FIT", ""}}, {{"fit max", "<300"}}, "FIT", kNotEvaluable},
            // not evaluated at all
            {{{"EigeneNr", "abc"}}, {}, "EigeneNr", kPasses},
            {{{"VISO", "500"}}, {{"VISO", "<1"}}, "VISO", kPasses},
            {{{"FGRAD", "x"}}, {{"FGRAD", "<1"}}, "FGRAD", kPasses},
            {{{"FIFaktor", "x1"}}, {}, "FIFaktor", kPasses},
            {{{"FIIDN", "30"}}, {{"FIIDN", "<10"}}, "FIIDN", kPasses},
            // every other field against the limit of its own name
            {{{"LOW", "0,5"}}, {{"LOW", "<1"}}, "LOW", kPasses},
            {{{"LoopRS", "3"}}, {{"LoopRS", "<2,88"}}, "LoopRS", kFails},
            {{{"RISO", ">200"}}, {{"RISO", ">1"}}, "RISO", kPasses},
            {{{"ErdRE", "o.r."}}, {{"ErdRE", "<1666"}}, "ErdRE", kFails},
            {{{"FIUB", ""}}, {{"FIUB", "<50"}}, "FIUB", kNotEvaluable},
        },
        rt::Regional::german());
}

TEST(MesswertBewerten, EnglishSettings) {
    runEvaluations(
        {
            {{{"FIIMESS", "22.4"}, {"FIIDN", "45"}}, {}, "FIIMESS", kFails},
            {{{"FIIMESS", "22.5"}, {"FIIDN", "45"}}, {}, "FIIMESS", kPasses},
            {{{"LoopRS", "2.88"}}, {{"LoopRS", "<2.88"}}, "LoopRS", kPasses},
            {{{"LoopRS", "2,88"}}, {{"LoopRS", "<2.88"}}, "LoopRS", kFails},   // 288 with "," grouping
            {{{"DREH", "rechts"}}, {{"DREH", "2"}}, "DREH", kFails},
        },
        rt::Regional::english());
}

TEST(MesswertBewerten, AFieldWithoutLimitOfItsNameIsReportedAndPasses) {
    ModuleEnv env;
    std::vector<std::int32_t> ids;
    const std::int32_t sk = env.circuit({{{"Udc", "5"}}}, "B16", &ids);
    sampledb::addRows(*env.backend, "0100_Grenzwert", {{{"MessID", ids[0]}, {"StromkreisID", sk}}});
    Cursors cur = open(env, sk);
    cur.limits->findFirst("MessID = " + rt::textOf(cur.mess->value("MessID"), env.regional));
    ASSERT_FALSE(cur.limits->noMatch());
    EXPECT_EQ(MesswertBewerten(*cur.mess, sampledb::messungIndex("Udc"), *cur.limits, env.ctx), kPasses);
    ASSERT_EQ(env.ui.boxes().size(), 1u);
    EXPECT_EQ(env.ui.boxes()[0].prompt.rfind("3265 ", 0), 0u) << env.ui.boxes()[0].prompt;
}

TEST(MarkCell, EachCodeHasItsLook) {
    grid::FlexGrid fg("fg");
    fg.setRows(3);
    fg.setCols(6);
    const std::pair<EvalCode, std::pair<bool, std::uint32_t>> cases[] = {
        {kFails, {true, 0x0000FFu}}, {kPasses, {false, 0x80000012u}}, {kNotEvaluable, {true, 0xFF0000u}}};
    int c = 1;
    for (const auto& [code, look] : cases) {
        fg.setRow(1);
        fg.setCol(c);
        fg.setCellFontBold(!look.first);
        MarkCell(fg, code);
        EXPECT_EQ(fg.fontBoldAt(1, c), look.first) << code;
        EXPECT_EQ(fg.foreColorAt(1, c), look.second) << code;
        ++c;
    }
    fg.setRow(1);
    fg.setCol(5);
    MarkCell(fg, 7);
    EXPECT_FALSE(fg.fontBoldAt(1, 5));
    EXPECT_EQ(fg.foreColorAt(1, 5), fg.foreColor());
}

} // namespace
} // namespace measgrid::test
