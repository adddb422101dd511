#pragma once
// Shared helpers of the grid tests: an event recorder and a grid laid out
// with easy numbers.
#include "grid/FlexGrid.h"
#include "grid/GridErrors.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace grid::test {

// Records the names of raised events, comma separated.
class Recorder : public tk::EventTrace {
public:
    void event(std::string_view, std::string_view name, std::string_view) override {
        if (!names_.empty())
            names_ += ',';
        names_ += name;
    }
    // The events since the last take(), and forgets them.
    std::string take() { return std::exchange(names_, {}); }

private:
    std::string names_;
};

// Expects fn to raise rt::Error with the number and description given.
template <class Fn>
void expectError(Fn fn, int number, const std::string& description) {
    try {
        fn();
        ADD_FAILURE() << "no error raised, expected " << number;
    } catch (const rt::Error& e) {
        EXPECT_EQ(e.number(), number);
        EXPECT_EQ(e.description(), description);
    }
}

// 20 rows x 10 columns, one fixed row and column, columns 1000 twips wide,
// rows 200 high; the grid shows 3000 x 1000 twips: the fixed column and two
// columns, the fixed row and four rows.
class LaidOutGrid : public ::testing::Test {
protected:
    void SetUp() override {
        g.setRows(20);
        g.setCols(10);
        for (int c = 0; c < g.cols(); ++c)
            g.setColWidth(c, 1000);
        for (int r = 0; r < g.rows(); ++r)
            g.setRowHeight(r, 200);
        g.move(0, 0, 3000, 1000);
        g.setTrace(&trace);
    }
    // Centre of the cell as the grid shows it now.
    int xOf(int col) const { return g.colPos(col) + g.colWidth(col) / 2; }
    int yOf(int row) const { return g.rowPos(row) + g.rowHeight(row) / 2; }
    std::vector<int> sel() const { return {g.row(), g.col(), g.rowSel(), g.colSel()}; }

    FlexGrid g{"fg"};
    Recorder trace;
};

} // namespace grid::test
