#pragma once
// GridListener: how a front-end learns that a grid needs repainting. The
// grid holds a plain pointer to at most one listener and calls it after the
// change is complete; without a listener a change costs one pointer test.
// The listener must outlive its registration (FlexGrid::setListener(nullptr)
// removes it). While the grid's Redraw is false no call is made; the grid
// counts the suppressed requests and sends one repaint(All) when Redraw is
// switched on again.
namespace grid {

enum class Repaint {
    All,        // everything (Refresh, Redraw switched on, Clear)
    Layout,     // rows, columns, sizes, fixed counts, rows added or removed
    Selection,  // current cell or selection
    Scroll,     // TopRow or LeftCol
    Look,       // colours, alignment of a column, pointer, focus display
};

class GridListener {
public:
    virtual ~GridListener() = default;
    virtual void repaint(Repaint what) = 0;
    // The text or formatting of one cell changed.
    virtual void cellChanged(int row, int col) = 0;
};

} // namespace grid
