#pragma once
// FlexGrid: a grid of text cells with fixed heading rows and columns, a
// current cell and a rectangular selection: the model of the flex grid
// widget both measurement and equipment controls are built on. It draws
// nothing; a front-end paints it from its state (see GridListener) and feeds
// mouse and keyboard input in through the input members below, the same
// members the tests call.
//
// Units: every size and position is in twips. ColPos/RowPos are relative to
// the grid's visible area: fixed columns/rows start at 0 and never move;
// non-fixed ones follow them starting with LeftCol/TopRow, so a column
// scrolled away left of LeftCol has a position inside or before the fixed
// area (possibly negative). The visible area is the grid's Width x Height
// (no border, no grid lines, no scroll bars are subtracted).
//
// Errors (numbers and texts in GridErrors.h): an invalid index raises 381
// "Invalid Row value" / "Invalid Col value", a value out of range 380; a
// failing member changes nothing.
//
// Current cell and selection: Row/Col is the current cell, RowSel/ColSel the
// other corner of the selection; either corner may be the larger. The
// current cell may lie in a fixed row or column when code puts it there.
//   - Setting Row or Col moves the current cell and collapses the selection
//     onto it (setting Row to its own value collapses it, too). Setting
//     RowSel/ColSel moves the selection's other corner.
//   - Whenever the current cell moves (by code or by the user): LeaveCell
//     (the old cell still current), then EnterCell and RowColChange (the new
//     one current). Whenever any of Row, Col, RowSel, ColSel changed:
//     SelChange, after those. Nothing is raised when nothing changes, so a
//     SelChange handler may set the selection again without looping.
//   - Code never scrolls implicitly (use TopRow/LeftCol); user moves scroll
//     the moved corner into view and then raise Scroll (not on an axis where
//     the grid's Width/Height is 0: such a grid shows nothing to keep in view).
//   - Shape changes (Rows, Cols, FixedRows, FixedCols, RemoveItem) that cut
//     off the current cell or selection move them to the last remaining row
//     or column silently, without events; AddItem keeps their numbers.
//
// Event order of user input (events in brackets only when something moves):
//   mouse click on a cell     MouseDown, [LeaveCell, EnterCell, RowColChange],
//                             [SelChange], [Scroll], MouseUp, Click
//   double click              MouseDown, [selection as above], MouseUp, Click,
//                             DblClick, MouseUp
//   drag (move, button down)  MouseMove, [SelChange], ... then MouseUp, Click
//   right or middle button    MouseDown, MouseUp (no selection, no Click)
//   arrow/Home/End/PgUp/PgDn  KeyDown, [LeaveCell, EnterCell, RowColChange],
//                             [SelChange], [Scroll]   (nothing more when the
//                             KeyDown handler sets the key code to 0)
//   typed character           KeyDown, KeyPress, KeyUp (pressKey, typeText)
//   scroll bar / wheel        [Scroll]
// MouseRow/MouseCol are updated before the mouse event is raised, so the
// handlers of MouseDown and of the selection events see the cell pressed.
//
// Mouse selection (left button): a press on a cell makes it the current
// cell (with Shift held it only moves the selection's other corner); on a
// row heading (a fixed column of a non-fixed row) it selects that row from
// the first non-fixed column to the last, the current cell being the row's
// first non-fixed cell; on a column heading the column from the first
// non-fixed row to the last; on the corner (fixed row and column) all
// non-fixed cells. Moving with the button held extends the selection the
// same way (cells, whole rows or whole columns). A press outside every cell
// changes nothing. With AllowUserResizing a press in a fixed row within
// kResizeGrip twips before the right edge of a column (in a fixed column:
// before the lower edge of a row) starts resizing it instead: moving sets
// the size, and no selection change and no Click follow.
//
// Keys: Left/Right/Up/Down move to the next visible (non-zero sized)
// non-fixed column or row; Home/End to the first/last visible column (with
// Ctrl also the first/last row); PageUp/PageDown by the number of rows that
// fit into the visible area, scrolling by the same. With Shift the
// selection's other corner moves instead of the current cell.
//
// Repaint requests go to the GridListener (if any); while Redraw is false
// they are counted instead (suppressedRepaints()).
#include "grid/Axis.h"
#include "grid/CellStore.h"
#include "grid/GridListener.h"
#include "toolkit/Control.h"

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace grid {

// Alignment codes (ColAlignment, CellAlignment).
namespace align {
inline constexpr int LeftTop = 0, LeftCenter = 1, LeftBottom = 2;
inline constexpr int CenterTop = 3, CenterCenter = 4, CenterBottom = 5;
inline constexpr int RightTop = 6, RightCenter = 7, RightBottom = 8;
inline constexpr int General = 9;   // texts left, numbers right, centred vertically
} // namespace align

// Mouse pointer shapes (MousePointer): 0 default, 11 busy; 0..15 and 99
// (custom) are accepted.
inline constexpr int kPointerDefault = 0;
inline constexpr int kPointerBusy = 11;

// AllowUserResizing.
namespace resize {
inline constexpr int None = 0, Columns = 1, Rows = 2, Both = 3;
} // namespace resize

inline constexpr int kDefaultColWidth = 960;
inline constexpr int kDefaultRowHeight = 240;
inline constexpr int kResizeGrip = 45;
inline constexpr tk::Color kWindowText = 0x80000008u;
// One notch of a mouse wheel, and the rows it scrolls.
inline constexpr int kWheelNotch = 120;
inline constexpr int kWheelRows = 3;

class FlexGrid : public tk::Control {
public:
    // A new grid has 2 rows and 2 columns, one of each fixed, the current
    // cell at (1, 1), default sizes, General alignment, the system colours of
    // window background and window text, FocusRect 1, Redraw on, WordWrap
    // off, no resizing, pointer 0. Width and Height are the base class's:
    // changing them sends no repaint and moves no scroll position (the
    // front-end that resizes a grid repaints it anyway).
    explicit FlexGrid(std::string name);

    // ---- shape -------------------------------------------------------------
    int rows() const { return cells_.rows(); }
    // Lowering drops rows at the end, keeping the others with their texts,
    // row data and formatting; raising adds empty rows of the default height.
    // Below FixedRows the fixed rows shrink along. 380 when negative.
    void setRows(int n);
    int cols() const { return cells_.cols(); }
    void setCols(int n);
    int fixedRows() const { return rowAxis_.fixed(); }
    // 0 .. Rows, else 380. A change scrolls back to the first non-fixed row.
    void setFixedRows(int n);
    int fixedCols() const { return colAxis_.fixed(); }
    void setFixedCols(int n);

    int colWidth(int col) const;
    // 0 hides the column, -1 resets it to the default width; below -1: 380.
    void setColWidth(int col, int width);
    int rowHeight(int row) const;
    void setRowHeight(int row, int height);
    int colPos(int col) const;
    int rowPos(int row) const;

    // First non-fixed row/column in view. Setting clamps into FixedRows ..
    // maxTopRow() and raises Scroll when the value changes; an index outside
    // the grid raises 381.
    int topRow() const { return rowAxis_.first(); }
    void setTopRow(int row);
    int leftCol() const { return colAxis_.first(); }
    void setLeftCol(int col);
    // The largest TopRow/LeftCol: the one at which the last row/column ends
    // at the far edge of the visible area (Rows - 1 for a grid of no height).
    int maxTopRow() const;
    int maxLeftCol() const;

    // ---- content -----------------------------------------------------------
    std::string textMatrix(int row, int col) const;
    // Valid until the cell changes or its row is removed; no copy.
    std::string_view textView(int row, int col) const;
    void setTextMatrix(int row, int col, std::string_view text);
    std::string text() const { return textMatrix(row_, col_); }
    void setText(std::string_view t) { setTextMatrix(row_, col_, t); }
    std::int32_t rowData(int row) const;
    void setRowData(int row, std::int32_t value);
    // Inserts a row at index (0 .. Rows; Rows or no index appends); the text
    // fills its cells from column 0 on, one tab-separated piece per cell,
    // pieces beyond the last column ignored.
    void addItem(std::string_view text);
    void addItem(std::string_view text, int index);
    // Removes a row; 30015 when no more than one non-fixed row would remain
    // before the removal.
    void removeItem(int row);
    // Empties every text; shape, sizes, row data and formatting stay.
    void clear();

    // ---- current cell and selection -----------------------------------------
    int row() const { return row_; }
    void setRow(int row);
    int col() const { return col_; }
    void setCol(int col);
    int rowSel() const { return rowSel_; }
    void setRowSel(int row);
    int colSel() const { return colSel_; }
    void setColSel(int col);
    // Size of the current cell; 0 in a hidden column or row.
    int cellWidth() const { return colWidth(col_); }
    int cellHeight() const { return rowHeight(row_); }

    // ---- look --------------------------------------------------------------
    int colAlignment(int col) const;
    void setColAlignment(int col, int alignment);   // 0..9, else 380
    // The current cell's own alignment, or its column's when it has none.
    int cellAlignment() const;
    void setCellAlignment(int alignment);
    // The current cell's own colour, or the grid's ForeColor when it has none.
    tk::Color cellForeColor() const;
    void setCellForeColor(tk::Color c);
    bool cellFontBold() const;
    void setCellFontBold(bool bold);
    // Effective look of any cell, for painting: own settings first, then
    // column and grid; General alignment resolved by the text (a number:
    // right, else left).
    int alignmentAt(int row, int col) const;
    tk::Color foreColorAt(int row, int col) const;
    bool fontBoldAt(int row, int col) const;

    // Colour setters that also request a repaint (the base class setters do
    // not notify).
    void setBackColor(tk::Color c);
    void setForeColor(tk::Color c);

    bool redraw() const { return redraw_; }
    // Switching on after requests were suppressed sends one repaint(All).
    void setRedraw(bool on);
    // Repaints now, whatever Redraw is.
    void refresh();
    // Repaint requests suppressed since Redraw was last switched off.
    int suppressedRepaints() const { return suppressed_; }

    int mousePointer() const { return mousePointer_; }
    void setMousePointer(int pointer);
    int allowUserResizing() const { return allowUserResizing_; }
    void setAllowUserResizing(int mode);
    bool wordWrap() const { return wordWrap_; }
    void setWordWrap(bool on);
    // Focus display: 0 none, 1 light, 2 heavy (how the current cell is
    // outlined); 0..2, else 380.
    int focusRect() const { return focusRect_; }
    void setFocusRect(int mode);

    // Cell under the last mouse position fed in; -1 on an axis where the
    // point lies outside every row/column. Fixed rows and columns included.
    int mouseRow() const { return mouseRow_; }
    int mouseCol() const { return mouseCol_; }

    void setListener(GridListener* l) { listener_ = l; }

    // ---- user input (front-end and tests) ------------------------------------
    // Buttons, shift states and key codes as in toolkit/Keys.h; x, y in twips
    // relative to the grid's top left corner. Input is ignored (false is
    // returned) while the grid is disabled or hidden.
    bool mouseDown(int button, int shift, int x, int y);
    bool mouseMove(int button, int shift, int x, int y);
    bool mouseUp(int button, int shift, int x, int y);
    // The second press of a double click (the platform reports it instead of
    // a press); a mouseUp follows. Other buttons than the left one count as
    // a plain press.
    bool dblClick(int button, int shift, int x, int y);
    // Press and release at one point.
    bool click(int x, int y, int button = 1, int shift = 0);
    // Press, release, second press, release at one point (left button).
    bool doubleClick(int x, int y, int shift = 0);
    // The three events of a key one at a time, as a front-end reports them;
    // keyDown moves the current cell for the keys listed above unless the
    // KeyDown handler set the key code to 0.
    bool keyDown(int keyCode, int shift = 0);
    bool keyUp(int keyCode, int shift = 0);
    bool keyPress(int keyAscii);
    // A whole keystroke: KeyDown (and its move), KeyPress for keys that type
    // a character (Backspace 8, Enter 13, Escape 27, Space 32; none with
    // Ctrl or Alt), KeyUp.
    bool pressKey(int keyCode, int shift = 0);
    // Each character of the UTF-8 text as one keystroke (KeyDown with the
    // key code of tk::keyStrokeFor, KeyPress with the code point, KeyUp).
    bool typeText(std::string_view utf8);
    // Scroll bars: clamps silently into FixedRows .. maxTopRow() and
    // FixedCols .. maxLeftCol(); one Scroll when either changes.
    bool scrollTo(int topRow, int leftCol);
    // Mouse wheel, kWheelNotch per notch, positive away from the user
    // (scrolls up by kWheelRows rows per notch).
    bool wheel(int delta);

    // ---- events --------------------------------------------------------------
    std::function<void(int& button, int& shift, int& x, int& y)> onMouseDown;
    std::function<void(int& button, int& shift, int& x, int& y)> onMouseMove;
    std::function<void(int& button, int& shift, int& x, int& y)> onMouseUp;
    std::function<void()> onClick;
    std::function<void()> onDblClick;
    std::function<void(int& keyCode, int& shift)> onKeyDown;
    std::function<void(int& keyCode, int& shift)> onKeyUp;
    std::function<void(int& keyAscii)> onKeyPress;
    std::function<void()> onLeaveCell;
    std::function<void()> onEnterCell;
    std::function<void()> onRowColChange;
    std::function<void()> onSelChange;
    std::function<void()> onScroll;

private:
    struct Sel {
        int row, col, rowSel, colSel;
        bool operator==(const Sel&) const = default;
    };
    enum class Press { None, Cells, RowHeads, ColHeads, All, ResizeCol, ResizeRow };

    bool acceptsInput() const { return enabled() && visible(); }
    void keyStroke(int keyCode, int shift, int keyAscii);
    void checkRow(int row) const;
    void checkCol(int col) const;
    void notify(Repaint what);
    void notifyCell(int row, int col);
    // Moves current cell / selection to s, raising the events in order.
    void select(Sel s);
    void clampSelection();
    void clampScroll();
    // Sets TopRow and LeftCol; one Scroll when either changed.
    void moveView(int top, int left);
    // Scrolls the least needed to show the cell fully (nothing on an axis
    // where the grid has no extent, or for fixed rows/columns).
    void ensureVisible(int row, int col);
    void trackMouse(int x, int y);
    void pressSelect(int shift);
    void dragSelect();
    void navigate(int keyCode, int shift);
    CellFormat ownFormat() const;
    void setOwnFormat(const CellFormat& f);

    CellStore cells_;
    Axis rowAxis_{kDefaultRowHeight};
    Axis colAxis_{kDefaultColWidth};
    std::vector<std::int8_t> colAlignment_;
    int row_ = 1, col_ = 1, rowSel_ = 1, colSel_ = 1;

    bool redraw_ = true;
    int suppressed_ = 0;
    int mousePointer_ = kPointerDefault;
    int allowUserResizing_ = resize::None;
    bool wordWrap_ = false;
    int focusRect_ = 1;

    int mouseRow_ = -1, mouseCol_ = -1;
    int mouseX_ = 0, mouseY_ = 0;
    int pressedButton_ = 0;
    bool secondPress_ = false;
    Press press_ = Press::None;
    int resizeIndex_ = -1;
    int resizeStart_ = 0;   // edge the size is measured from

    GridListener* listener_ = nullptr;
};

} // namespace grid
