#include "GridFixture.h"

#include "toolkit/Keys.h"

namespace grid::test {
namespace {

using Mouse = LaidOutGrid;
using Keys = LaidOutGrid;
using tk::button::Left;
using tk::button::Right;

TEST_F(Mouse, HitTestingFollowsScrollingAndSkipsHiddenColumns) {
    g.setColWidth(2, 0);
    g.setLeftCol(3);
    g.setTopRow(5);
    struct Case { int x, y, row, col; };
    for (const Case& c : {Case{10, 10, 0, 0}, Case{999, 199, 0, 0}, Case{1000, 200, 5, 3},
                          Case{2500, 450, 6, 4}, Case{500, 990, 8, 0}, Case{3500, 300, 5, 5},
                          Case{-1, 300, 5, -1}, Case{500, 3801, -1, 0}, Case{9001, 10, 0, -1}}) {
        g.mouseMove(0, 0, c.x, c.y);
        EXPECT_EQ(g.mouseRow(), c.row) << c.x << "," << c.y;
        EXPECT_EQ(g.mouseCol(), c.col) << c.x << "," << c.y;
    }
}

TEST_F(Mouse, EventOrderOfClicksAndDoubleClicks) {
    struct Case { const char* what; std::function<void()> input; const char* events; std::vector<int> sel; };
    const Case cases[] = {
        {"click on another cell", [&] { g.click(xOf(2), yOf(3)); },
         "MouseDown,LeaveCell,EnterCell,RowColChange,SelChange,MouseUp,Click", {3, 2, 3, 2}},
        {"click on the current cell", [&] { g.click(xOf(2), yOf(3)); }, "MouseDown,MouseUp,Click", {3, 2, 3, 2}},
        {"double click", [&] { g.doubleClick(xOf(1), yOf(2)); },
         "MouseDown,LeaveCell,EnterCell,RowColChange,SelChange,MouseUp,Click,DblClick,MouseUp", {2, 1, 2, 1}},
        {"right click", [&] { g.click(xOf(2), yOf(4), Right); }, "MouseDown,MouseUp", {2, 1, 2, 1}},
        {"shift click extends", [&] { g.click(xOf(2), yOf(4), Left, tk::shift::Shift); },
         "MouseDown,SelChange,MouseUp,Click", {2, 1, 4, 2}},
        {"click below the last row", [&] { g.click(xOf(1), 5000); }, "MouseDown,MouseUp,Click", {2, 1, 4, 2}},
        // The cell at the lower edge shows only in part: the grid scrolls.
        {"click on a cell cut off", [&] { g.setHeight(1100); g.click(xOf(1), 1050); },
         "MouseDown,LeaveCell,EnterCell,RowColChange,SelChange,Scroll,MouseUp,Click", {5, 1, 5, 1}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        trace.take();
        c.input();
        EXPECT_EQ(trace.take(), c.events);
        EXPECT_EQ(sel(), c.sel);
    }
    EXPECT_EQ(g.topRow(), 2);
}

TEST_F(Mouse, MouseDownHandlerSeesTheCellUnderThePointerBeforeItIsCurrent) {
    std::vector<int> seen;
    g.onMouseDown = [&](int& b, int&, int& x, int& y) {
        seen = {b, x, y, g.mouseRow(), g.mouseCol(), g.row(), g.col()};
    };
    g.click(xOf(2), yOf(4));
    EXPECT_EQ(seen, (std::vector<int>{Left, xOf(2), yOf(4), 4, 2, 1, 1}));
}

TEST_F(Mouse, HeadingsSelectWholeRowsAndColumns) {
    g.setFixedCols(2);
    g.move(0, 0, 5000, 1000);
    struct Case { const char* what; int x, y; std::vector<int> sel; };
    for (const Case& c : {Case{"row heading, column 0", 500, 650, {3, 2, 3, 9}},
                          Case{"row heading, column 1", 1500, 250, {1, 2, 1, 9}},
                          Case{"column heading", 3500, 100, {1, 3, 19, 3}},
                          Case{"corner", 1500, 100, {1, 2, 19, 9}}}) {
        g.click(c.x, c.y);
        EXPECT_EQ(sel(), c.sel) << c.what;
    }
}

TEST_F(Mouse, HandlersMayReselectDuringAClick) {
    // A row heading click whose SelChange handler narrows the selection to
    // the heading cell under the mouse, as the measurement grid does for its
    // place number column: the nested move raises its own events, and Click
    // comes last and sees the single cell.
    g.setFixedCols(2);
    g.move(0, 0, 5000, 1000);
    g.onSelChange = [&] {
        if (g.row() == g.rowSel() && g.mouseCol() == 1) {
            g.setCol(1);
            g.setColSel(1);
        }
    };
    std::vector<int> atClick;
    g.onClick = [&] { atClick = sel(); };
    trace.take();
    g.click(1500, yOf(3));
    EXPECT_EQ(trace.take(), "MouseDown,LeaveCell,EnterCell,RowColChange,SelChange,"
                            "LeaveCell,EnterCell,RowColChange,SelChange,MouseUp,Click");
    EXPECT_EQ(atClick, (std::vector<int>{3, 1, 3, 1}));
}

TEST_F(Mouse, DragExtendsTheSelection) {
    g.mouseDown(Left, 0, xOf(1), yOf(1));
    trace.take();
    g.mouseMove(Left, 0, xOf(2), yOf(2));
    g.mouseMove(Left, 0, xOf(2), yOf(2));   // no further change
    g.mouseMove(Left, 0, xOf(2), yOf(3));
    g.mouseUp(Left, 0, xOf(2), yOf(3));
    EXPECT_EQ(trace.take(), "MouseMove,SelChange,MouseMove,MouseMove,SelChange,MouseUp,Click");
    EXPECT_EQ(sel(), (std::vector<int>{1, 1, 3, 2}));
    // Without the button held a move selects nothing.
    g.mouseMove(0, 0, xOf(1), yOf(4));
    EXPECT_EQ(sel(), (std::vector<int>{1, 1, 3, 2}));
    // A drag that starts on a row heading extends whole rows.
    g.mouseDown(Left, 0, 500, yOf(2));
    g.mouseMove(Left, 0, xOf(1), yOf(4));
    g.mouseUp(Left, 0, xOf(1), yOf(4));
    EXPECT_EQ(sel(), (std::vector<int>{2, 1, 4, 9}));
    // And one that starts on a column heading whole columns.
    g.mouseDown(Left, 0, xOf(2), 100);
    g.mouseMove(Left, 0, xOf(1), yOf(3));
    g.mouseUp(Left, 0, xOf(1), yOf(3));
    EXPECT_EQ(sel(), (std::vector<int>{1, 2, 19, 1}));
    // Dragging below the visible rows scrolls them into view.
    g.mouseDown(Left, 0, xOf(1), yOf(1));
    g.mouseMove(Left, 0, xOf(1), 1100);
    EXPECT_EQ(g.rowSel(), 5);
    EXPECT_EQ(g.topRow(), 2);
}

TEST_F(Mouse, ColumnBordersResizeWhenAllowed) {
    g.mouseDown(Left, 0, 1990, 100);   // near the right edge of column 1, no resizing
    g.mouseUp(Left, 0, 1990, 100);
    EXPECT_EQ(sel(), (std::vector<int>{1, 1, 19, 1}));   // a column heading click
    g.setAllowUserResizing(resize::Columns);
    trace.take();
    g.mouseDown(Left, 0, 1990, 100);
    g.mouseMove(Left, 0, 2600, 100);
    g.mouseUp(Left, 0, 2600, 100);
    EXPECT_EQ(g.colWidth(1), 1600);
    EXPECT_EQ(trace.take(), "MouseDown,MouseMove,MouseUp");
    g.mouseDown(Left, 0, 500, 390);   // a row border, but rows may not be resized
    g.mouseUp(Left, 0, 500, 390);
    EXPECT_EQ(g.rowHeight(1), 200);
}

TEST_F(Mouse, DisabledOrHiddenGridIgnoresInput) {
    g.setEnabled(false);
    EXPECT_FALSE(g.click(xOf(2), yOf(2)));
    EXPECT_FALSE(g.pressKey(tk::key::Down));
    g.setEnabled(true);
    g.setVisible(false);
    EXPECT_FALSE(g.wheel(-120));
    EXPECT_EQ(trace.take(), "");
    EXPECT_EQ(sel(), (std::vector<int>{1, 1, 1, 1}));
}

TEST_F(Keys, MovesRaiseLeaveCellSelChangeAndScroll) {
    g.setColWidth(3, 0);
    struct Case { int key, shift; const char* events; std::vector<int> sel; int topRow, leftCol; };
    const int S = tk::shift::Shift, C = tk::shift::Ctrl;
    const char* move = "KeyDown,LeaveCell,EnterCell,RowColChange,SelChange";
    const char* moveScroll = "KeyDown,LeaveCell,EnterCell,RowColChange,SelChange,Scroll";
    const Case cases[] = {
        {tk::key::Up, 0, "KeyDown", {1, 1, 1, 1}, 1, 1},          // at the top: nothing moves
        {tk::key::Left, 0, "KeyDown", {1, 1, 1, 1}, 1, 1},
        {tk::key::Right, 0, move, {1, 2, 1, 2}, 1, 1},
        // Hidden column 3 is skipped; column 2 stays in view beside 4.
        {tk::key::Right, 0, moveScroll, {1, 4, 1, 4}, 1, 2},
        {tk::key::Down, S, "KeyDown,SelChange", {1, 4, 2, 4}, 1, 2},
        {tk::key::Down, 0, move, {2, 4, 2, 4}, 1, 2},
        {tk::key::Home, 0, moveScroll, {2, 1, 2, 1}, 1, 1},
        {tk::key::End, C, moveScroll, {19, 9, 19, 9}, 16, 8},
        {tk::key::PageUp, 0, moveScroll, {15, 9, 15, 9}, 12, 8},
        {tk::key::Home, C, moveScroll, {1, 1, 1, 1}, 1, 1},
        {tk::key::PageDown, 0, moveScroll, {5, 1, 5, 1}, 5, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "key " << c.key << " shift " << c.shift);
        trace.take();
        g.keyDown(c.key, c.shift);
        EXPECT_EQ(trace.take(), c.events);
        EXPECT_EQ(sel(), c.sel);
        EXPECT_EQ(g.topRow(), c.topRow);
        EXPECT_EQ(g.leftCol(), c.leftCol);
    }
}

TEST_F(Keys, KeyDownHandlerCanSwallowTheMove) {
    g.onKeyDown = [](int& keyCode, int&) {
        if (keyCode == tk::key::Down)
            keyCode = 0;
    };
    g.pressKey(tk::key::Down);
    g.pressKey(tk::key::Right);
    EXPECT_EQ(trace.take(), "KeyDown,KeyUp,KeyDown,LeaveCell,EnterCell,RowColChange,SelChange,KeyUp");
    EXPECT_EQ(sel(), (std::vector<int>{1, 2, 1, 2}));
}

TEST_F(Keys, TypedCharactersArriveAsKeyPress) {
    std::vector<int> chars;
    g.onKeyPress = [&](int& ch) { chars.push_back(ch); };
    g.typeText("aÄ");
    g.pressKey(tk::key::Return);
    g.pressKey(tk::key::Delete);
    EXPECT_EQ(chars, (std::vector<int>{'a', 0xC4, 13}));
    EXPECT_EQ(trace.take(), "KeyDown,KeyPress,KeyUp,KeyDown,KeyPress,KeyUp,KeyDown,KeyPress,KeyUp,KeyDown,KeyUp");
    EXPECT_EQ(sel(), (std::vector<int>{1, 1, 1, 1}));
}

TEST_F(Mouse, WheelAndScrollBarsScrollWithinRange) {
    struct Case { std::function<void()> input; int topRow, leftCol; const char* events; };
    const Case cases[] = {
        {[&] { g.wheel(-120); }, 4, 1, "Scroll"},
        {[&] { g.wheel(-240); }, 10, 1, "Scroll"},
        {[&] { g.wheel(-1200); }, 16, 1, "Scroll"},
        {[&] { g.wheel(-120); }, 16, 1, ""},
        {[&] { g.scrollTo(3, 50); }, 3, 8, "Scroll"},
        {[&] { g.wheel(360); }, 1, 8, "Scroll"},
    };
    for (const Case& c : cases) {
        c.input();
        EXPECT_EQ(g.topRow(), c.topRow);
        EXPECT_EQ(g.leftCol(), c.leftCol);
        EXPECT_EQ(trace.take(), c.events);
    }
}

TEST_F(Mouse, FocusEventsReachTheHandlers) {
    int got = 0, lost = 0;
    g.onGotFocus = [&] { ++got; };
    g.onLostFocus = [&] { ++lost; };
    g.raiseGotFocus();
    g.raiseLostFocus();
    EXPECT_EQ(got, 1);
    EXPECT_EQ(lost, 1);
    EXPECT_EQ(trace.take(), "GotFocus,LostFocus");
}

} // namespace
} // namespace grid::test
