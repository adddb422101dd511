#include "GridFixture.h"

namespace grid::test {
namespace {

// Texts of a row joined with '|'.
std::string rowText(const FlexGrid& g, int r) {
    std::string s;
    for (int c = 0; c < g.cols(); ++c)
        s += (c ? "|" : "") + g.textMatrix(r, c);
    return s;
}

// 4 rows x 3 columns, "a<row>" in column 0, row data row + 1.
void fill(FlexGrid& g) {
    g.setRows(4);
    g.setCols(3);
    for (int r = 0; r < 4; ++r) {
        g.setTextMatrix(r, 0, "a" + std::to_string(r));
        g.setRowData(r, r + 1);
    }
}

class Content : public ::testing::Test {
protected:
    void SetUp() override { fill(g); }
    FlexGrid g{"fg"};
};

TEST_F(Content, AddItemFillsCellsFromTabsAtItsIndex) {
    struct Case { const char* text; int index; int at; const char* cells; };
    const Case cases[] = {
        {"x\ty\tz", 4, 4, "x|y|z"},            // index Rows appends
        {"x\ty\tz\textra", 1, 1, "x|y|z"},     // pieces beyond the last column dropped
        {"only", 0, 0, "only||"},
        {"\t\tlast", 2, 2, "||last"},
        {"", 4, 4, "||"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        FlexGrid g("fg");
        fill(g);
        g.addItem(c.text, c.index);
        ASSERT_EQ(g.rows(), 5);
        EXPECT_EQ(rowText(g, c.at), c.cells);
        EXPECT_EQ(g.rowData(c.at), 0);
        // The rows after it moved down with their texts and row data.
        for (int r = c.at + 1; r < 5; ++r) {
            EXPECT_EQ(g.textMatrix(r, 0), "a" + std::to_string(r - 1));
            EXPECT_EQ(g.rowData(r), r);
        }
    }
    g.addItem("appended");
    EXPECT_EQ(g.textMatrix(g.rows() - 1, 0), "appended");
}

TEST_F(Content, RemoveItemMovesTheFollowingRowsUp) {
    g.setRow(2);
    g.setCol(1);
    g.setCellFontBold(true);
    g.setRowHeight(3, 500);
    g.removeItem(1);
    ASSERT_EQ(g.rows(), 3);
    EXPECT_EQ(g.textMatrix(1, 0), "a2");
    EXPECT_EQ(g.rowData(1), 3);
    EXPECT_TRUE(g.fontBoldAt(1, 1));   // formatting moved with its row
    EXPECT_EQ(g.rowHeight(2), 500);
    g.removeItem(2);
    // One fixed row and one other row remain: that one cannot go.
    expectError([&] { g.removeItem(1); }, 30015, "Cannot remove last non-fixed row");
    EXPECT_EQ(g.rows(), 2);
    EXPECT_EQ(g.row(), 1);
}

TEST_F(Content, ClearEmptiesTextsOnly) {
    g.setColWidth(1, 700);
    g.setColAlignment(1, align::CenterCenter);
    g.setRow(2);
    g.setCol(1);
    g.setCellForeColor(0x0000FF);
    g.clear();
    for (int r = 0; r < 4; ++r)
        EXPECT_EQ(rowText(g, r), "||");
    EXPECT_EQ(g.rows(), 4);
    EXPECT_EQ(g.cols(), 3);
    EXPECT_EQ(g.colWidth(1), 700);
    EXPECT_EQ(g.colAlignment(1), align::CenterCenter);
    EXPECT_EQ(g.rowData(3), 4);
    EXPECT_EQ(g.cellForeColor(), 0x0000FFu);
    g.setTextMatrix(1, 1, "after");   // cells fill again after a clear
    EXPECT_EQ(g.textMatrix(1, 1), "after");
}

TEST_F(Content, TextIsTheCurrentCell) {
    g.setRow(3);
    g.setCol(2);
    g.setText("here");
    EXPECT_EQ(g.textMatrix(3, 2), "here");
    g.setTextMatrix(3, 2, "Prüf- spannung über 15 Bytes lang");
    EXPECT_EQ(g.text(), "Prüf- spannung über 15 Bytes lang");
}

TEST_F(Content, FormattingBelongsToSingleCells) {
    g.setForeColor(0x80000012u);
    g.setColAlignment(2, align::RightCenter);
    g.setRow(1);
    g.setCol(2);
    g.setCellForeColor(0x0000FF);
    g.setCellFontBold(true);
    g.setCellAlignment(align::CenterCenter);
    g.setCol(1);
    // A cell without its own settings shows the grid's and column's.
    EXPECT_EQ(g.cellForeColor(), 0x80000012u);
    EXPECT_FALSE(g.cellFontBold());
    EXPECT_EQ(g.cellAlignment(), align::General);
    g.setRow(2);
    g.setCol(2);
    EXPECT_EQ(g.cellAlignment(), align::RightCenter);
    EXPECT_EQ(g.foreColorAt(1, 2), 0x0000FFu);
    EXPECT_TRUE(g.fontBoldAt(1, 2));
    EXPECT_EQ(g.alignmentAt(1, 2), align::CenterCenter);
    g.setRow(1);
    g.setCellFontBold(false);
    EXPECT_FALSE(g.cellFontBold());
    EXPECT_EQ(g.cellForeColor(), 0x0000FFu);
}

TEST_F(Content, GeneralAlignmentPutsNumbersRight) {
    struct Case { const char* text; int alignment; };
    for (const Case& c : {Case{"12", align::RightCenter}, Case{"-0,25", align::RightCenter},
                          Case{" 3.5 ", align::RightCenter}, Case{"1.2.3", align::LeftCenter},
                          Case{"Ohm", align::LeftCenter}, Case{"", align::LeftCenter}}) {
        g.setTextMatrix(1, 1, c.text);
        EXPECT_EQ(g.alignmentAt(1, 1), c.alignment) << c.text;
    }
}

class CountingListener : public GridListener {
public:
    void repaint(Repaint) override { ++repaints; }
    void cellChanged(int row, int col) override { cells.push_back({row, col}); }
    int repaints = 0;
    std::vector<std::pair<int, int>> cells;
};

TEST_F(Content, RedrawOffCountsRequestsAndRepaintsOnceWhenOn) {
    CountingListener l;
    g.setListener(&l);
    g.setTextMatrix(2, 1, "x");
    EXPECT_EQ(l.cells, (std::vector<std::pair<int, int>>{{2, 1}}));
    g.setRedraw(false);
    g.setTextMatrix(2, 2, "y");
    g.setColWidth(1, 10);
    g.setRow(3);
    EXPECT_EQ(g.suppressedRepaints(), 3);
    EXPECT_EQ(l.repaints, 0);
    EXPECT_EQ(l.cells.size(), 1u);
    g.setRedraw(true);
    EXPECT_EQ(l.repaints, 1);
    EXPECT_EQ(g.suppressedRepaints(), 0);
    g.setRedraw(false);
    g.setRedraw(true);   // nothing suppressed, nothing to repaint
    EXPECT_EQ(l.repaints, 1);
    g.setRedraw(false);
    g.refresh();         // Refresh repaints even while Redraw is off
    EXPECT_EQ(l.repaints, 2);
    g.setListener(nullptr);
    g.setRedraw(true);
    g.setTextMatrix(1, 1, "no listener");
    EXPECT_EQ(l.repaints, 2);
}

TEST(GridLook, PlainProperties) {
    FlexGrid g("fg");
    g.setMousePointer(kPointerBusy);
    EXPECT_EQ(g.mousePointer(), 11);
    g.setMousePointer(kPointerDefault);
    EXPECT_EQ(g.mousePointer(), 0);
    g.setAllowUserResizing(resize::Both);
    EXPECT_EQ(g.allowUserResizing(), 3);
    g.setFocusRect(0);
    EXPECT_EQ(g.focusRect(), 0);
    g.setWordWrap(true);
    EXPECT_TRUE(g.wordWrap());
    g.setBackColor(tk::kWindowBackground);
    EXPECT_EQ(g.backColor(), tk::kWindowBackground);
}

} // namespace
} // namespace grid::test
