#include "GridFixture.h"

namespace grid::test {
namespace {

TEST(GridShape, NewGridDefaults) {
    FlexGrid g("fg");
    EXPECT_EQ(g.kind(), "FlexGrid");
    EXPECT_EQ(g.rows(), 2);
    EXPECT_EQ(g.cols(), 2);
    EXPECT_EQ(g.fixedRows(), 1);
    EXPECT_EQ(g.fixedCols(), 1);
    EXPECT_EQ(g.row(), 1);
    EXPECT_EQ(g.col(), 1);
    EXPECT_EQ(g.colWidth(0), kDefaultColWidth);
    EXPECT_EQ(g.rowHeight(1), kDefaultRowHeight);
    EXPECT_EQ(g.topRow(), 1);
    EXPECT_EQ(g.leftCol(), 1);
}

TEST(GridShape, LoweringRowsKeepsTheRemainingRowsRaisingAddsEmptyOnes) {
    FlexGrid g("fg");
    g.setRows(6);
    g.setCols(3);
    for (int r = 0; r < 6; ++r) {
        g.setTextMatrix(r, 2, "r" + std::to_string(r));
        g.setRowData(r, 100 + r);
        g.setRowHeight(r, 300 + r);
    }
    g.setRow(5);
    g.setRows(3);
    EXPECT_EQ(g.rows(), 3);
    EXPECT_EQ(g.row(), 2);   // the current row was cut off
    for (int r = 0; r < 3; ++r) {
        EXPECT_EQ(g.textMatrix(r, 2), "r" + std::to_string(r));
        EXPECT_EQ(g.rowData(r), 100 + r);
        EXPECT_EQ(g.rowHeight(r), 300 + r);
    }
    g.setRows(5);
    for (int r = 3; r < 5; ++r) {
        EXPECT_EQ(g.textMatrix(r, 2), "");
        EXPECT_EQ(g.rowData(r), 0);
        EXPECT_EQ(g.rowHeight(r), kDefaultRowHeight);
    }
}

TEST(GridShape, LoweringColsDropsTheirTextsAndFormats) {
    FlexGrid g("fg");
    g.setRows(3);
    g.setCols(4);
    g.setTextMatrix(1, 3, "gone");
    g.setRow(1);
    g.setCol(3);
    g.setCellFontBold(true);
    g.setCols(2);
    g.setCols(4);
    EXPECT_EQ(g.textMatrix(1, 3), "");
    EXPECT_FALSE(g.fontBoldAt(1, 3));
    EXPECT_EQ(g.colWidth(3), kDefaultColWidth);
}

TEST(GridShape, FixedCountsFollowRowsAndCols) {
    FlexGrid g("fg");
    g.setRows(5);
    g.setFixedRows(4);
    g.setRows(2);
    EXPECT_EQ(g.fixedRows(), 2);
    g.setFixedRows(0);
    EXPECT_EQ(g.topRow(), 0);
    expectError([&] { g.setFixedRows(3); }, 380, "Invalid property value");
    expectError([&] { g.setFixedCols(-1); }, 380, "Invalid property value");
    EXPECT_EQ(g.fixedRows(), 0);
}

TEST(GridShape, HiddenColumnsAndRowsGiveZeroCellSize) {
    FlexGrid g("fg");
    g.setRows(4);
    g.setCols(4);
    g.setColWidth(2, 0);
    g.setRowHeight(3, 0);
    struct Case { int row, col, width, height; };
    for (const Case& c : {Case{1, 1, kDefaultColWidth, kDefaultRowHeight}, Case{1, 2, 0, kDefaultRowHeight},
                          Case{3, 1, kDefaultColWidth, 0}, Case{3, 2, 0, 0}}) {
        g.setRow(c.row);
        g.setCol(c.col);
        EXPECT_EQ(g.cellWidth(), c.width) << c.row << "," << c.col;
        EXPECT_EQ(g.cellHeight(), c.height) << c.row << "," << c.col;
    }
    // A hidden column takes no room: the next one starts where it would.
    EXPECT_EQ(g.colPos(3), g.colPos(2));
    g.setColWidth(2, -1);
    EXPECT_EQ(g.colWidth(2), kDefaultColWidth);
    expectError([&] { g.setColWidth(2, -2); }, 380, "Invalid property value");
}

TEST_F(LaidOutGrid, PositionsFollowScrolling) {
    g.setFixedCols(2);
    g.move(0, 0, 4000, 1000);
    g.setLeftCol(4);
    g.setTopRow(6);
    EXPECT_EQ(trace.take(), "Scroll,Scroll");
    struct Case { int index, colPos, rowPos; };
    // Fixed ones stay, column 4 / row 6 follow them, earlier ones lie
    // before (column 2 under the fixed area, column 3 just left of it).
    for (const Case& c : {Case{0, 0, 0}, Case{1, 1000, -800}, Case{2, 0, -600}, Case{3, 1000, -400},
                          Case{4, 2000, -200}, Case{5, 3000, 0}, Case{6, 4000, 200}, Case{7, 5000, 400}}) {
        EXPECT_EQ(g.colPos(c.index), c.colPos) << "col " << c.index;
        if (c.index >= 1) {
            EXPECT_EQ(g.rowPos(c.index), c.rowPos) << "row " << c.index;
        }
    }
    EXPECT_EQ(g.rowPos(0), 0);
}

TEST_F(LaidOutGrid, ScrollPositionsAreClampedToWhatFillsTheView) {
    // 19 rows of 200 under a fixed row in 1000 twips: four rows fit, so
    // row 16 is the last top row; columns: two of 1000 fit, so 8.
    EXPECT_EQ(g.maxTopRow(), 16);
    EXPECT_EQ(g.maxLeftCol(), 8);
    struct Case { int set, topRow; };
    for (const Case& c : {Case{0, 1}, Case{1, 1}, Case{10, 10}, Case{19, 16}}) {
        g.setTopRow(c.set);
        EXPECT_EQ(g.topRow(), c.topRow) << c.set;
    }
    trace.take();
    g.setTopRow(19);   // no change, no Scroll
    EXPECT_EQ(trace.take(), "");
    expectError([&] { g.setTopRow(20); }, 381, "Invalid Row value");
    expectError([&] { g.setLeftCol(-1); }, 381, "Invalid Col value");
}

TEST(GridShape, InvalidIndexesRaiseTheGridsErrors) {
    FlexGrid g("fg");
    g.setRows(3);
    g.setCols(3);
    struct Case { const char* what; std::function<void()> call; int number; const char* text; };
    const Case cases[] = {
        {"TextMatrix row", [&] { g.textMatrix(3, 0); }, 381, "Invalid Row value"},
        {"TextMatrix col", [&] { g.setTextMatrix(0, 3, "x"); }, 381, "Invalid Col value"},
        {"TextMatrix both", [&] { g.textMatrix(-1, -1); }, 381, "Invalid Row value"},
        {"ColWidth", [&] { g.colWidth(3); }, 381, "Invalid Col value"},
        {"RowHeight", [&] { g.setRowHeight(-1, 10); }, 381, "Invalid Row value"},
        {"ColPos", [&] { g.colPos(5); }, 381, "Invalid Col value"},
        {"RowPos", [&] { g.rowPos(3); }, 381, "Invalid Row value"},
        {"RowData", [&] { g.rowData(3); }, 381, "Invalid Row value"},
        {"Row", [&] { g.setRow(3); }, 381, "Invalid Row value"},
        {"Col", [&] { g.setCol(-1); }, 381, "Invalid Col value"},
        {"RowSel", [&] { g.setRowSel(7); }, 381, "Invalid Row value"},
        {"ColSel", [&] { g.setColSel(3); }, 381, "Invalid Col value"},
        {"ColAlignment", [&] { g.colAlignment(3); }, 381, "Invalid Col value"},
        {"AddItem", [&] { g.addItem("x", 4); }, 381, "Invalid Row value"},
        {"RemoveItem", [&] { g.removeItem(3); }, 381, "Invalid Row value"},
        {"Rows", [&] { g.setRows(-1); }, 380, "Invalid property value"},
        {"ColAlignment value", [&] { g.setColAlignment(0, 10); }, 380, "Invalid property value"},
        {"CellAlignment value", [&] { g.setCellAlignment(-1); }, 380, "Invalid property value"},
        {"MousePointer", [&] { g.setMousePointer(16); }, 380, "Invalid property value"},
        {"AllowUserResizing", [&] { g.setAllowUserResizing(4); }, 380, "Invalid property value"},
        {"FocusRect", [&] { g.setFocusRect(3); }, 380, "Invalid property value"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        expectError(c.call, c.number, c.text);
    }
    // Nothing changed on the way.
    EXPECT_EQ(g.rows(), 3);
    EXPECT_EQ(g.cols(), 3);
    EXPECT_EQ(g.row(), 1);
    EXPECT_EQ(g.col(), 1);
}

} // namespace
} // namespace grid::test
