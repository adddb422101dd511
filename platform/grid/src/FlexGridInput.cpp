// User input of the grid: mouse, keyboard, scrolling. The order in which
// events are raised is set out in FlexGrid.h.
#include "grid/FlexGrid.h"

#include "runtime/Text.h"
#include "toolkit/Keys.h"

#include <algorithm>
#include <string>

namespace grid {

namespace button = tk::button;
namespace key = tk::key;
namespace shift = tk::shift;

namespace {

std::string mouseArgs(int button, int shift, int x, int y) {
    return std::to_string(button) + ',' + std::to_string(shift) + ',' + std::to_string(x) + ',' +
           std::to_string(y);
}

std::string keyArgs(int keyCode, int shiftState) {
    return std::to_string(keyCode) + ',' + std::to_string(shiftState);
}

// The character a pressed key types, or 0.
int characterOfKey(int keyCode, int shiftState) {
    if (shiftState & (shift::Ctrl | shift::Alt))
        return 0;
    switch (keyCode) {
    case key::Back: return 8;
    case key::Return: return 13;
    case key::Escape: return 27;
    case key::Space: return 32;
    default: return 0;
    }
}

// The next entry after i with a size, not before the first non-fixed one;
// i itself when there is none.
int nextShown(const Axis& a, int i) {
    for (int j = std::max(i + 1, a.fixed()); j < a.count(); ++j)
        if (a.size(j) > 0)
            return j;
    return i;
}

int previousShown(const Axis& a, int i) {
    for (int j = std::min(i - 1, a.count() - 1); j >= a.fixed(); --j)
        if (a.size(j) > 0)
            return j;
    return i;
}

int firstShown(const Axis& a, int fallback) {
    for (int j = a.fixed(); j < a.count(); ++j)
        if (a.size(j) > 0)
            return j;
    return fallback;
}

int lastShown(const Axis& a, int fallback) {
    for (int j = a.count() - 1; j >= a.fixed(); --j)
        if (a.size(j) > 0)
            return j;
    return fallback;
}

} // namespace

void FlexGrid::ensureVisible(int row, int col) {
    int top = topRow();
    int left = leftCol();
    if (height() > 0 && row >= 0 && row < rows())
        top = rowAxis_.firstToShow(row, height());
    if (width() > 0 && col >= 0 && col < cols())
        left = colAxis_.firstToShow(col, width());
    moveView(top, left);
}

void FlexGrid::trackMouse(int x, int y) {
    mouseX_ = x;
    mouseY_ = y;
    mouseRow_ = rowAxis_.hit(y);
    mouseCol_ = colAxis_.hit(x);
}

// ---- mouse --------------------------------------------------------------------

bool FlexGrid::mouseDown(int button, int shift, int x, int y) {
    if (!acceptsInput())
        return false;
    trackMouse(x, y);
    pressedButton_ = button;
    secondPress_ = false;
    press_ = Press::None;
    traceEvent("MouseDown", mouseArgs(button, shift, x, y));
    if (onMouseDown) {
        int b = button, s = shift, px = x, py = y;
        onMouseDown(b, s, px, py);
    }
    if (button == button::Left)
        pressSelect(shift);
    return true;
}

void FlexGrid::pressSelect(int shiftState) {
    const int r = mouseRow_, c = mouseCol_;
    if (r < 0 || c < 0 || r >= rows() || c >= cols())
        return;
    const int fr = fixedRows(), fc = fixedCols();
    const int lastRow = rows() - 1, lastCol = cols() - 1;

    if ((allowUserResizing_ & resize::Columns) && r < fr &&
        colAxis_.pos(c) + colAxis_.size(c) - mouseX_ <= kResizeGrip) {
        press_ = Press::ResizeCol;
        resizeIndex_ = c;
        resizeStart_ = static_cast<int>(colAxis_.pos(c));
        return;
    }
    if ((allowUserResizing_ & resize::Rows) && c < fc &&
        rowAxis_.pos(r) + rowAxis_.size(r) - mouseY_ <= kResizeGrip) {
        press_ = Press::ResizeRow;
        resizeIndex_ = r;
        resizeStart_ = static_cast<int>(rowAxis_.pos(r));
        return;
    }

    const bool extend = (shiftState & shift::Shift) != 0;
    if (r >= fr && c >= fc) {
        press_ = Press::Cells;
        select(extend ? Sel{row_, col_, r, c} : Sel{r, c, r, c});
        ensureVisible(r, c);
    } else if (r >= fr) {   // row heading
        if (lastCol < fc)
            return;
        press_ = Press::RowHeads;
        select(extend ? Sel{row_, fc, r, lastCol} : Sel{r, fc, r, lastCol});
    } else if (c >= fc) {   // column heading
        if (lastRow < fr)
            return;
        press_ = Press::ColHeads;
        select(extend ? Sel{fr, col_, lastRow, c} : Sel{fr, c, lastRow, c});
    } else {                // corner
        if (lastRow < fr || lastCol < fc)
            return;
        press_ = Press::All;
        select({fr, fc, lastRow, lastCol});
    }
}

bool FlexGrid::mouseMove(int button, int shift, int x, int y) {
    if (!acceptsInput())
        return false;
    trackMouse(x, y);
    traceEvent("MouseMove", mouseArgs(button, shift, x, y));
    if (onMouseMove) {
        int b = button, s = shift, px = x, py = y;
        onMouseMove(b, s, px, py);
    }
    if (pressedButton_ == button::Left && !secondPress_)
        dragSelect();
    return true;
}

void FlexGrid::dragSelect() {
    switch (press_) {
    case Press::None:
    case Press::All:
        return;
    case Press::ResizeCol:
        if (resizeIndex_ < cols())
            setColWidth(resizeIndex_, std::max(0, mouseX_ - resizeStart_));
        return;
    case Press::ResizeRow:
        if (resizeIndex_ < rows())
            setRowHeight(resizeIndex_, std::max(0, mouseY_ - resizeStart_));
        return;
    default:
        break;
    }
    if (rows() <= fixedRows() || cols() <= fixedCols())
        return;
    // Outside the cells: before them the first row/column in view, after
    // them the last one; over the fixed ones the first in view.
    int r = mouseRow_, c = mouseCol_;
    if (r < 0)
        r = mouseY_ < 0 ? topRow() : rows() - 1;
    if (c < 0)
        c = mouseX_ < 0 ? leftCol() : cols() - 1;
    r = std::max(r, std::min(topRow(), rows() - 1));
    c = std::max(c, std::min(leftCol(), cols() - 1));
    r = std::min(r, rows() - 1);
    c = std::min(c, cols() - 1);
    if (press_ == Press::Cells) {
        select({row_, col_, r, c});
        ensureVisible(r, c);
    } else if (press_ == Press::RowHeads) {
        select({row_, col_, r, colSel_});
        ensureVisible(r, -1);
    } else {
        select({row_, col_, rowSel_, c});
        ensureVisible(-1, c);
    }
}

bool FlexGrid::mouseUp(int button, int shift, int x, int y) {
    if (!acceptsInput())
        return false;
    trackMouse(x, y);
    const bool isClick = button == button::Left && pressedButton_ == button::Left && !secondPress_ &&
                         press_ != Press::ResizeCol && press_ != Press::ResizeRow;
    pressedButton_ = 0;
    secondPress_ = false;
    press_ = Press::None;
    traceEvent("MouseUp", mouseArgs(button, shift, x, y));
    if (onMouseUp) {
        int b = button, s = shift, px = x, py = y;
        onMouseUp(b, s, px, py);
    }
    if (isClick) {
        traceEvent("Click");
        if (onClick)
            onClick();
    }
    return true;
}

bool FlexGrid::dblClick(int button, int shift, int x, int y) {
    if (!acceptsInput())
        return false;
    if (button != button::Left)
        return mouseDown(button, shift, x, y);
    trackMouse(x, y);
    pressedButton_ = button;
    secondPress_ = true;
    press_ = Press::None;
    traceEvent("DblClick");
    if (onDblClick)
        onDblClick();
    return true;
}

bool FlexGrid::click(int x, int y, int button, int shift) {
    if (!mouseDown(button, shift, x, y))
        return false;
    mouseUp(button, shift, x, y);
    return true;
}

bool FlexGrid::doubleClick(int x, int y, int shift) {
    if (!mouseDown(button::Left, shift, x, y))
        return false;
    mouseUp(button::Left, shift, x, y);
    dblClick(button::Left, shift, x, y);
    mouseUp(button::Left, shift, x, y);
    return true;
}

// ---- keyboard -----------------------------------------------------------------

bool FlexGrid::keyDown(int keyCode, int shiftState) {
    if (!acceptsInput())
        return false;
    traceEvent("KeyDown", keyArgs(keyCode, shiftState));
    if (onKeyDown)
        onKeyDown(keyCode, shiftState);
    if (keyCode != 0)
        navigate(keyCode, shiftState);
    return true;
}

bool FlexGrid::keyUp(int keyCode, int shiftState) {
    if (!acceptsInput())
        return false;
    traceEvent("KeyUp", keyArgs(keyCode, shiftState));
    if (onKeyUp)
        onKeyUp(keyCode, shiftState);
    return true;
}

bool FlexGrid::keyPress(int keyAscii) {
    if (!acceptsInput())
        return false;
    traceEvent("KeyPress", std::to_string(keyAscii));
    if (onKeyPress)
        onKeyPress(keyAscii);
    return true;
}

// A keystroke goes on to its end even when a handler disables or hides the
// grid on the way, as the key is already on its way to it.
void FlexGrid::keyStroke(int keyCode, int shiftState, int keyAscii) {
    int code = keyCode, sh = shiftState;
    traceEvent("KeyDown", keyArgs(code, sh));
    if (onKeyDown)
        onKeyDown(code, sh);
    if (code != 0)
        navigate(code, sh);
    if (keyAscii != 0) {
        int ch = keyAscii;
        traceEvent("KeyPress", std::to_string(ch));
        if (onKeyPress)
            onKeyPress(ch);
    }
    int upCode = keyCode, upShift = shiftState;
    traceEvent("KeyUp", keyArgs(upCode, upShift));
    if (onKeyUp)
        onKeyUp(upCode, upShift);
}

bool FlexGrid::pressKey(int keyCode, int shiftState) {
    if (!acceptsInput())
        return false;
    keyStroke(keyCode, shiftState, characterOfKey(keyCode, shiftState));
    return true;
}

bool FlexGrid::typeText(std::string_view utf8) {
    if (!acceptsInput())
        return false;
    for (std::uint32_t cp : rt::text::toCodePoints(utf8)) {
        const tk::KeyStroke ks = tk::keyStrokeFor(static_cast<char32_t>(cp));
        keyStroke(ks.keyCode, ks.shift, static_cast<int>(cp));
    }
    return true;
}

void FlexGrid::navigate(int keyCode, int shiftState) {
    if (rows() <= fixedRows() || cols() <= fixedCols())
        return;
    const bool extend = (shiftState & shift::Shift) != 0;
    const bool ctrl = (shiftState & shift::Ctrl) != 0;
    int r = extend ? rowSel_ : row_;
    int c = extend ? colSel_ : col_;
    int pageScroll = 0;
    switch (keyCode) {
    case key::Left: c = previousShown(colAxis_, c); break;
    case key::Right: c = nextShown(colAxis_, c); break;
    case key::Up: r = previousShown(rowAxis_, r); break;
    case key::Down: r = nextShown(rowAxis_, r); break;
    case key::Home:
        c = firstShown(colAxis_, c);
        if (ctrl)
            r = firstShown(rowAxis_, r);
        break;
    case key::End:
        c = lastShown(colAxis_, c);
        if (ctrl)
            r = lastShown(rowAxis_, r);
        break;
    case key::PageDown: {
        const int page = rowAxis_.pageSize(height());
        int t = std::min(rows() - 1, std::max(r, fixedRows() - 1) + page);
        while (t > r && rowAxis_.size(t) == 0)
            --t;
        r = t > r ? t : nextShown(rowAxis_, r);
        pageScroll = page;
        break;
    }
    case key::PageUp: {
        const int page = rowAxis_.pageSize(height());
        int t = std::max(fixedRows(), r - page);
        while (t < r && rowAxis_.size(t) == 0)
            ++t;
        r = t < r ? t : previousShown(rowAxis_, r);
        pageScroll = -page;
        break;
    }
    default:
        return;
    }
    select(extend ? Sel{row_, col_, r, c} : Sel{r, c, r, c});

    int top = topRow();
    if (pageScroll != 0)
        top = std::clamp(top + pageScroll, fixedRows(), std::max(fixedRows(), maxTopRow()));
    // Show the moved corner as seen from the paged view, then scroll once.
    const int oldTop = topRow();
    rowAxis_.setFirst(top);
    const int wantTop = (height() > 0 && r < rows()) ? rowAxis_.firstToShow(r, height()) : top;
    const int wantLeft = (width() > 0 && c < cols()) ? colAxis_.firstToShow(c, width()) : leftCol();
    rowAxis_.setFirst(oldTop);
    moveView(wantTop, wantLeft);
}

// ---- scrolling ----------------------------------------------------------------

bool FlexGrid::scrollTo(int top, int left) {
    if (!acceptsInput())
        return false;
    moveView(std::clamp(top, fixedRows(), std::max(fixedRows(), maxTopRow())),
             std::clamp(left, fixedCols(), std::max(fixedCols(), maxLeftCol())));
    return true;
}

bool FlexGrid::wheel(int delta) {
    return scrollTo(topRow() - delta * kWheelRows / kWheelNotch, leftCol());
}

} // namespace grid
