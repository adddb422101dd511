#include "GridFixture.h"

namespace grid::test {
namespace {

using Selection = LaidOutGrid;

TEST_F(Selection, SettersMoveTheCellOrTheSelectionEnd) {
    struct Step { const char* what; std::function<void()> set; std::vector<int> sel; const char* events; };
    const Step steps[] = {
        {"Row", [&] { g.setRow(5); }, {5, 1, 5, 1}, "LeaveCell,EnterCell,RowColChange,SelChange"},
        {"RowSel", [&] { g.setRowSel(8); }, {5, 1, 8, 1}, "SelChange"},
        {"ColSel", [&] { g.setColSel(4); }, {5, 1, 8, 4}, "SelChange"},
        {"same ColSel", [&] { g.setColSel(4); }, {5, 1, 8, 4}, ""},
        // Setting Row, even to its own value, collapses the selection.
        {"same Row", [&] { g.setRow(5); }, {5, 1, 5, 1}, "SelChange"},
        {"same Row again", [&] { g.setRow(5); }, {5, 1, 5, 1}, ""},
        {"Col", [&] { g.setColSel(3); g.setCol(2); }, {5, 2, 5, 2},
         "SelChange,LeaveCell,EnterCell,RowColChange,SelChange"},
        {"fixed cell", [&] { g.setRow(0); g.setCol(0); }, {0, 0, 0, 0},
         "LeaveCell,EnterCell,RowColChange,SelChange,LeaveCell,EnterCell,RowColChange,SelChange"},
    };
    trace.take();
    for (const Step& s : steps) {
        SCOPED_TRACE(s.what);
        s.set();
        EXPECT_EQ(sel(), s.sel);
        EXPECT_EQ(trace.take(), s.events);
    }
}

TEST_F(Selection, LeaveCellSeesTheOldCellSelChangeTheNew) {
    std::vector<int> atLeave, atSel;
    g.onLeaveCell = [&] { atLeave = sel(); };
    g.onSelChange = [&] { atSel = sel(); };
    g.setRow(3);
    g.setCol(2);
    EXPECT_EQ(atLeave, (std::vector<int>{3, 1, 3, 1}));
    EXPECT_EQ(atSel, (std::vector<int>{3, 2, 3, 2}));
}

TEST_F(Selection, HandlerMayResetTheSelectionWithoutLooping) {
    // A SelChange handler that narrows any row selection to column 1, as
    // the measurement control does for its place number column.
    int calls = 0;
    g.onSelChange = [&] {
        ++calls;
        ASSERT_LT(calls, 10);
        if (g.row() == g.rowSel()) {
            g.setCol(1);
            g.setColSel(1);
        }
    };
    g.setCol(4);
    EXPECT_EQ(sel(), (std::vector<int>{1, 1, 1, 1}));
    EXPECT_EQ(calls, 2);
}

TEST_F(Selection, ShapeChangesClampSilently) {
    g.setRow(15);
    g.setColSel(9);
    trace.take();
    g.setRows(10);
    g.setCols(5);
    EXPECT_EQ(sel(), (std::vector<int>{9, 1, 9, 4}));
    EXPECT_EQ(trace.take(), "");
}

} // namespace
} // namespace grid::test
