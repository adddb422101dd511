// MessungenLaden on a grid laid out by the column catalog.
#include "ColumnCatalog.h"
#include "Fixture.h"
#include "Loading.h"

namespace measgrid::test {
namespace {

using sampledb::Row;

struct LoadEnv : ModuleEnv {
    grid::FlexGrid fg{"fg2"};
    LoadEnv() {
        fg.setRows(5);
        fg.setCols(20);
        fg.setFixedRows(4);
        fg.setFixedCols(2);
        fg.setForeColor(tk::kButtonText);
        SpaltenAufbauen(fg, state.objSpra());
    }
    void load(const rt::Variant& circuit, int hideEmpty = 0, const std::string& query = "") {
        MessungenLaden(hideEmpty, query, fg, circuit, ctx);
    }
    void load(std::int32_t circuit, int hideEmpty = 0) { load(rt::Variant(circuit), hideEmpty); }
    std::vector<int> widths() const {
        std::vector<int> w;
        for (int c = 0; c < fg.cols(); ++c) w.push_back(fg.colWidth(c));
        return w;
    }
};

const int kNeverShown[] = {2, 3, 4, 13, 23, 36};

TEST(MessungenLaden, ThreePlacesFillSevenRowsInQueryOrder) {
    LoadEnv env;
    std::vector<std::int32_t> ids;
    const std::int32_t sk = env.circuitOfPlaces(3, &ids);
    env.load(sk);
    EXPECT_TRUE(env.ui.boxes().empty()) << env.ui.boxes()[0].prompt;
    EXPECT_EQ(env.fg.rows(), 7);
    EXPECT_EQ(env.fg.cols(), 43);   // catalog columns 1..42 from a query ending in MessID + bookkeeping
    EXPECT_EQ(env.fg.fixedRows(), 4);
    EXPECT_EQ(env.fg.rowHeight(4), 265);
    EXPECT_EQ(env.fg.allowUserResizing(), grid::resize::Both);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(env.fg.textMatrix(4 + i, 1), "00" + std::to_string(i + 1));
        EXPECT_EQ(env.fg.textMatrix(4 + i, 6), "0,2");
        EXPECT_EQ(env.fg.rowData(4 + i), ids[static_cast<std::size_t>(i)]);
    }
    EXPECT_EQ(env.fg.textMatrix(1, 7), "Widerstand");   // headings stay
    EXPECT_EQ(env.fg.colWidth(0), 320);
    EXPECT_EQ(env.count("SELECT * FROM 0100_Grenzwert WHERE StromkreisID = " + std::to_string(sk)), 3);
}

TEST(MessungenLaden, HideEmptyDecidesWhichColumnsShow) {
    struct Case {
        int hideEmpty;
        int empty22;   // width of the empty column 22 (ErdRO)
    };
    for (const Case c : {Case{1, 0}, Case{0, 1000}, Case{2, 1000}}) {
        LoadEnv env;
        env.store.saveSetting(kSettingsApp, kSettingsSection, "ColWidth7", "1500");
        const std::int32_t sk = env.circuit({
            {{"EigeneNr", "001"}, {"LOW", "0,2"}, {"Grenzwerte", "x"}, {"Reserve2", "y"}, {"Reserve7", "z"}},
            {{"EigeneNr", "002"}, {"LOW", ""}, {"LoopRS", "0,5"}},
        });
        env.load(sk, c.hideEmpty);
        SCOPED_TRACE(c.hideEmpty);
        EXPECT_EQ(env.fg.colWidth(6), 1000);    // a value in one row
        EXPECT_EQ(env.fg.colWidth(7), 1500);    // the stored width
        EXPECT_EQ(env.fg.colWidth(22), c.empty22);
        EXPECT_EQ(env.fg.colWidth(42), c.empty22);
        EXPECT_EQ(env.fg.textMatrix(5, 6), "");
        for (int col : kNeverShown) {
            EXPECT_EQ(env.fg.colWidth(col), 0) << col;
            EXPECT_EQ(env.fg.textMatrix(4, col), "") << col;
        }
    }
}

TEST(MessungenLaden, AnEmptyCircuitAfterAFullOneLeavesNothingBehind) {
    for (int hideEmpty : {0, 1}) {
        LoadEnv env;
        const std::int32_t full = env.circuitOfPlaces(3);
        const std::int32_t empty = env.circuit({});
        env.load(full);
        env.fg.setRow(5);
        env.fg.setCol(7);
        env.load(empty, hideEmpty);
        SCOPED_TRACE(hideEmpty);
        EXPECT_TRUE(env.ui.boxes().empty());
        EXPECT_EQ(env.fg.rows(), 5);
        EXPECT_EQ(env.fg.rowHeight(4), 0);
        EXPECT_EQ(env.fg.rowData(4), 0);
        for (int c = 1; c < env.fg.cols(); ++c) EXPECT_EQ(env.fg.textMatrix(4, c), "") << c;
        EXPECT_EQ(env.fg.row(), 4);
        EXPECT_EQ(env.fg.col(), 0);
        EXPECT_EQ(env.fg.rowSel(), 4);
        EXPECT_EQ(env.fg.colSel(), 0);
        EXPECT_EQ(env.fg.allowUserResizing(), grid::resize::Columns);
        EXPECT_EQ(env.fg.colWidth(1), hideEmpty == 1 ? 0 : 1000);
        EXPECT_EQ(env.fg.colWidth(42), hideEmpty == 1 ? 0 : 1000);
        for (int col : kNeverShown) EXPECT_EQ(env.fg.colWidth(col), 0) << col;
    }
}

// The busy pointer is the screen's. The grid's own pointer is left to the
// callers that set it around a reload (row deletion, compaction).
TEST(MessungenLaden, BusyPointerOnlyAboveSixteenPlaces) {
    for (const auto& [places, busy] : {std::pair{17, true}, std::pair{16, false}}) {
        LoadEnv env;
        env.load(env.circuitOfPlaces(places));
        const auto& h = env.ui.pointerHistory();
        EXPECT_EQ(std::count(h.begin(), h.end(), grid::kPointerBusy) > 0, busy) << places;
        EXPECT_EQ(env.ui.mousePointer(), grid::kPointerDefault);
        EXPECT_EQ(env.fg.mousePointer(), grid::kPointerDefault);
        EXPECT_TRUE(env.fg.redraw());
    }
    for (const char* query : {"", "A_GibtEsNicht"}) {
        LoadEnv env;
        const std::int32_t sk = env.circuitOfPlaces(17);
        env.fg.setMousePointer(grid::kPointerBusy);
        env.load(rt::Variant(sk), 0, query);
        SCOPED_TRACE(query);
        EXPECT_EQ(env.ui.mousePointer(), grid::kPointerDefault);
        EXPECT_EQ(env.fg.mousePointer(), grid::kPointerBusy);
    }
}

// Errors before the grid is touched: one message box with the
// description, OK only; rows, columns and widths as before.
TEST(MessungenLaden, ErrorsAreReportedAndLeaveTheGridAsItWas) {
    struct Case {
        const char* name;
        std::function<void(LoadEnv&, std::int32_t)> run;
        const char* descriptionStart;
    };
    const Case cases[] = {
        {"missing query", [](LoadEnv& e, std::int32_t sk) { e.load(sk, 0, "A_GibtEsNicht"); }, ""},
        {"no trelvanDB", [](LoadEnv& e, std::int32_t sk) { e.state.frontend.reset(); e.state.backend.reset(); e.load(sk); },
         "Object variable"},
        {"no BackendDB", [](LoadEnv& e, std::int32_t sk) { e.state.backend.reset(); e.load(sk); }, "Object variable"},
        {"empty key", [](LoadEnv& e, std::int32_t) { e.load(rt::Variant()); }, "Kein Stromkreis gewählt"},
        {"blank key", [](LoadEnv& e, std::int32_t) { e.load(rt::Variant(" ")); }, "Kein Stromkreis gewählt"},
        {"key with SQL", [](LoadEnv& e, std::int32_t sk) { e.load(rt::Variant(std::to_string(sk) + " OR 1=1")); },
         "StromkreisID '"},
        {"key with comma", [](LoadEnv& e, std::int32_t) { e.load(rt::Variant("1,5")); }, "StromkreisID '1,5' ist keine Zahl"},
    };
    for (const Case& c : cases) {
        LoadEnv env;
        const std::int32_t sk = env.circuitOfPlaces(3);
        env.load(sk);
        env.fg.setColWidth(6, 777);
        const auto widths = env.widths();
        const int rows = env.fg.rows();
        env.ui.clearLog();
        c.run(env, sk);
        SCOPED_TRACE(c.name);
        ASSERT_EQ(env.ui.boxes().size(), 1u);
        EXPECT_EQ(env.ui.boxes()[0].style, tk::mb::OKOnly);
        EXPECT_EQ(env.ui.boxes()[0].prompt.rfind(c.descriptionStart, 0), 0u) << env.ui.boxes()[0].prompt;
        EXPECT_EQ(env.fg.rows(), rows);
        EXPECT_EQ(env.widths(), widths);
        EXPECT_EQ(env.fg.textMatrix(4, 1), "001");
        EXPECT_TRUE(env.fg.redraw());
    }
}

TEST(MessungenLaden, TheCircuitKeyGoesIntoTheStatementsOnlyAsAWholeNumber) {
    EXPECT_EQ(circuitKeyText(rt::Variant(std::int32_t(42))), "42");
    EXPECT_EQ(circuitKeyText(rt::Variant(" 42 ")), "42");
    EXPECT_EQ(circuitKeyText(rt::Variant("+7")), "7");
    EXPECT_EQ(circuitKeyText(rt::Variant(std::int16_t(-3))), "-3");
    EXPECT_EQ(circuitKeyText(rt::Variant(1e9)), "1000000000");
    for (const rt::Variant& bad : {rt::Variant("4 OR 1=1"), rt::Variant("1.5"), rt::Variant(1.5), rt::Variant("-"),
                                   rt::Variant("0x10"), rt::Variant(true)})
        EXPECT_RT_ERROR(circuitKeyText(bad), kCircuitNotNumberError);
    for (const rt::Variant& none : {rt::Variant(), rt::Variant::null(), rt::Variant(""), rt::Variant("  ")})
        EXPECT_RT_ERROR(circuitKeyText(none), kNoCircuitError);
}

TEST(MessungenLaden, ColumnsOneToTwentyOneAreEvaluatedAndMarked) {
    for (std::int16_t limitSupport : {std::int16_t(-1), std::int16_t(0)}) {
        LoadEnv env;
        env.state.limitSupport = limitSupport;
        const std::int32_t sk = env.circuit({{{"EigeneNr", "001"}, {"DREH", "links"}, {"LOW", "5"},
                                              {"LoopRS", "0,5"}, {"RISO", ""}, {"ErdRO", "9999"},
                                              {"LoopRPE", "abc"}}});
        env.load(sk);
        SCOPED_TRACE(limitSupport);
        EXPECT_TRUE(env.ui.boxes().empty()) << env.ui.boxes()[0].prompt;
        if (limitSupport) {
            EXPECT_TRUE(env.fg.fontBoldAt(4, 5));   // DREH 'links' against 1
            EXPECT_EQ(env.fg.foreColorAt(4, 5), 0x0000FFu);
            EXPECT_TRUE(env.fg.fontBoldAt(4, 6));   // LOW 5 against '<1'
            EXPECT_EQ(env.fg.foreColorAt(4, 6), 0x0000FFu);
            EXPECT_FALSE(env.fg.fontBoldAt(4, 7));  // LoopRS 0,5 against '<2,88'
            EXPECT_EQ(env.fg.foreColorAt(4, 7), 0x80000012u);
            EXPECT_TRUE(env.fg.fontBoldAt(4, 12));  // RISO empty against '>1'
            EXPECT_EQ(env.fg.foreColorAt(4, 12), 0xFF0000u);
        }
        // From column 22 on nothing is evaluated; without LimitSupport nothing is marked.
        for (int c = limitSupport ? 22 : 1; c < env.fg.cols(); ++c) {
            EXPECT_FALSE(env.fg.fontBoldAt(4, c)) << c;
            EXPECT_EQ(env.fg.foreColorAt(4, c), env.fg.foreColor()) << c;
        }
        EXPECT_EQ(env.fg.textMatrix(4, 22), "9999");
    }
}

TEST(MessungenLaden, AQueryWithoutBookkeepingBlockShowsAllButTheLastTwoFields) {
    LoadEnv env;
    const std::int32_t sk = env.circuit({{{"EigeneNr", "001"}, {"DREH", "rechts"}, {"LOW", "0,1"}}});
    env.frontend->createQueryDef("A_Kurz", "PARAMETERS paraStromkreisID Long;\n"
                                           "SELECT EigeneNr, DREH, LOW, VISO, FIFaktor, StromkreisID, MessID FROM [0100_Messung] "
                                           "WHERE StromkreisID = paraStromkreisID;");
    env.load(rt::Variant(sk), 0, "A_Kurz");
    EXPECT_TRUE(env.ui.boxes().empty()) << env.ui.boxes()[0].prompt;
    EXPECT_EQ(env.fg.cols(), 6);
    EXPECT_EQ(env.fg.textMatrix(4, 1), "001");
    EXPECT_EQ(env.fg.textMatrix(4, 2), "rechts");
    EXPECT_EQ(env.fg.textMatrix(4, 3), "0,1");
    EXPECT_EQ(env.fg.colWidth(5), 1000);   // FIFaktor, shown though empty
}

// Another connection keeps the back-end locked past the engine's wait when
// the limit rows of a loading are committed: the error is reported and the
// loading's transaction does not stay open, so later writes of the
// workspace are committed as before.
TEST(MessungenLaden, AFailedCommitOfTheLimitRowsLeavesNoTransactionOpen) {
    LoadEnv env;
    const std::int32_t sk = env.circuitOfPlaces(2);
    const std::string limitsOfCircuit = "SELECT * FROM 0100_Grenzwert WHERE StromkreisID = " + std::to_string(sk);
    engine::Engine other{rt::Regional::german()};
    auto reader = other.defaultWorkspace().openDatabase(env.backendPath, engine::OpenOptions{});
    other.defaultWorkspace().beginTrans();
    (void)reader->openRecordset("SELECT * FROM 0100_Messung", engine::RecordsetType::Snapshot);   // holds a read lock

    env.load(sk);
    ASSERT_EQ(env.ui.boxes().size(), 1u);
    EXPECT_EQ(env.backend->workspace().transactionDepth(), 0);
    other.defaultWorkspace().rollback();
    EXPECT_EQ(env.count(limitsOfCircuit), 0);

    env.ui.clearLog();
    env.load(sk);
    EXPECT_TRUE(env.ui.boxes().empty()) << env.ui.boxes()[0].prompt;
    engine::Engine third{rt::Regional::german()};
    auto check = third.defaultWorkspace().openDatabase(env.backendPath, engine::OpenOptions{});
    auto rs = check->openRecordset(limitsOfCircuit, engine::RecordsetType::Snapshot);
    rs->moveLast();
    EXPECT_EQ(rs->recordCount(), 2);
}

// Records, for every message box, whether the back-end's workspace was
// inside a transaction (and so held its write lock) while the box was shown.
class LockProbeUi : public tk::HeadlessUi {
public:
    explicit LockProbeUi(engine::Database& backend) : backend_(backend) {}
    int msgBox(std::string_view prompt, int style, std::string_view title) override {
        depths.push_back(backend_.workspace().transactionDepth());
        return HeadlessUi::msgBox(prompt, style, title);
    }
    std::vector<int> depths;

private:
    engine::Database& backend_;
};

TEST(MessungenLaden, NoWriteLockIsHeldWhileAMessageBoxShows) {
    LoadEnv env;
    // A factor the limit query cannot take: creating this row's limits fails with a message.
    const std::int32_t sk = env.circuit({
        {{"EigeneNr", "001"}, {"FIFaktor", "0,5"}, {"LOW", "0,2"}},
        {{"EigeneNr", "002"}, {"FIFaktor", "x1"}, {"LOW", "0,3"}},
    });
    LockProbeUi ui(*env.backend);
    ModuleContext ctx{env.state, ui, env.store, env.regional};
    MessungenLaden(0, "", env.fg, rt::Variant(sk), ctx);
    // The failed limit row's message, then the evaluations of that row that
    // find no limit row; none of them with the lock held.
    ASSERT_FALSE(ui.boxes().empty());
    EXPECT_EQ(ui.depths, std::vector<int>(ui.boxes().size(), 0));
    EXPECT_EQ(env.backend->workspace().transactionDepth(), 0);
    // Only the second place got its limit row, and it is stored.
    EXPECT_EQ(env.count("SELECT * FROM 0100_Grenzwert WHERE StromkreisID = " + std::to_string(sk)), 1);
}

TEST(MessungenLaden, TheSelectionIsRestored) {
    LoadEnv env;
    const std::int32_t big = env.circuitOfPlaces(6);
    const std::int32_t small = env.circuitOfPlaces(2);
    env.load(big);
    env.fg.setRow(5);
    env.fg.setCol(7);
    env.fg.setRowSel(6);
    env.fg.setColSel(9);
    env.load(big);
    EXPECT_EQ((std::vector<int>{env.fg.row(), env.fg.col(), env.fg.rowSel(), env.fg.colSel()}),
              (std::vector<int>{5, 7, 6, 9}));
    env.fg.setRow(9);
    env.fg.setCol(7);
    env.load(small);   // row 9 is gone: the rest is restored, no error
    EXPECT_TRUE(env.ui.boxes().empty());
    EXPECT_EQ(env.fg.col(), 7);
    EXPECT_LE(env.fg.row(), 5);
}

} // namespace
} // namespace measgrid::test
