#include "grid/FlexGrid.h"

#include "grid/GridErrors.h"

#include <algorithm>
#include <cctype>

namespace grid {

FlexGrid::FlexGrid(std::string name) : tk::Control(std::move(name), "FlexGrid") {
    tk::Control::setBackColor(tk::kWindowBackground);
    tk::Control::setForeColor(kWindowText);
    cells_.setRows(2);
    cells_.setCols(2);
    rowAxis_.setCount(2);
    colAxis_.setCount(2);
    rowAxis_.setFixed(1);
    colAxis_.setFixed(1);
    rowAxis_.setFirst(1);
    colAxis_.setFirst(1);
    colAlignment_.assign(2, static_cast<std::int8_t>(align::General));
}

// ---- helpers ----------------------------------------------------------------

void FlexGrid::checkRow(int row) const {
    if (row < 0 || row >= rows())
        throw invalidRowError();
}

void FlexGrid::checkCol(int col) const {
    if (col < 0 || col >= cols())
        throw invalidColError();
}

void FlexGrid::notify(Repaint what) {
    if (!redraw_) {
        ++suppressed_;
        return;
    }
    if (listener_)
        listener_->repaint(what);
}

void FlexGrid::notifyCell(int row, int col) {
    if (!redraw_) {
        ++suppressed_;
        return;
    }
    if (listener_)
        listener_->cellChanged(row, col);
}

void FlexGrid::clampSelection() {
    const int lastRow = std::max(0, rows() - 1);
    const int lastCol = std::max(0, cols() - 1);
    row_ = std::min(row_, lastRow);
    rowSel_ = std::min(rowSel_, lastRow);
    col_ = std::min(col_, lastCol);
    colSel_ = std::min(colSel_, lastCol);
}

void FlexGrid::clampScroll() {
    rowAxis_.setFirst(std::clamp(rowAxis_.first(), fixedRows(), std::max(fixedRows(), rows() - 1)));
    colAxis_.setFirst(std::clamp(colAxis_.first(), fixedCols(), std::max(fixedCols(), cols() - 1)));
}

// ---- shape ------------------------------------------------------------------

void FlexGrid::setRows(int n) {
    if (n < 0)
        throw invalidValueError();
    if (n == rows())
        return;
    cells_.setRows(n);
    rowAxis_.setCount(n);
    clampSelection();
    clampScroll();
    notify(Repaint::Layout);
}

void FlexGrid::setCols(int n) {
    if (n < 0)
        throw invalidValueError();
    if (n == cols())
        return;
    cells_.setCols(n);
    colAxis_.setCount(n);
    colAlignment_.resize(static_cast<std::size_t>(n), static_cast<std::int8_t>(align::General));
    clampSelection();
    clampScroll();
    notify(Repaint::Layout);
}

void FlexGrid::setFixedRows(int n) {
    if (n < 0 || n > rows())
        throw invalidValueError();
    if (n == fixedRows())
        return;
    rowAxis_.setFixed(n);
    rowAxis_.setFirst(n);
    clampScroll();
    notify(Repaint::Layout);
}

void FlexGrid::setFixedCols(int n) {
    if (n < 0 || n > cols())
        throw invalidValueError();
    if (n == fixedCols())
        return;
    colAxis_.setFixed(n);
    colAxis_.setFirst(n);
    clampScroll();
    notify(Repaint::Layout);
}

int FlexGrid::colWidth(int col) const {
    checkCol(col);
    return colAxis_.size(col);
}

void FlexGrid::setColWidth(int col, int width) {
    checkCol(col);
    if (width < -1)
        throw invalidValueError();
    colAxis_.setSize(col, width);
    notify(Repaint::Layout);
}

int FlexGrid::rowHeight(int row) const {
    checkRow(row);
    return rowAxis_.size(row);
}

void FlexGrid::setRowHeight(int row, int height) {
    checkRow(row);
    if (height < -1)
        throw invalidValueError();
    rowAxis_.setSize(row, height);
    notify(Repaint::Layout);
}

int FlexGrid::colPos(int col) const {
    checkCol(col);
    return static_cast<int>(colAxis_.pos(col));
}

int FlexGrid::rowPos(int row) const {
    checkRow(row);
    return static_cast<int>(rowAxis_.pos(row));
}

int FlexGrid::maxTopRow() const { return rowAxis_.maxFirst(height()); }
int FlexGrid::maxLeftCol() const { return colAxis_.maxFirst(width()); }

void FlexGrid::moveView(int top, int left) {
    if (top == rowAxis_.first() && left == colAxis_.first())
        return;
    rowAxis_.setFirst(top);
    colAxis_.setFirst(left);
    notify(Repaint::Scroll);
    traceEvent("Scroll");
    if (onScroll)
        onScroll();
}

void FlexGrid::setTopRow(int row) {
    checkRow(row);
    moveView(std::clamp(row, fixedRows(), std::max(fixedRows(), maxTopRow())), leftCol());
}

void FlexGrid::setLeftCol(int col) {
    checkCol(col);
    moveView(topRow(), std::clamp(col, fixedCols(), std::max(fixedCols(), maxLeftCol())));
}

// ---- content ----------------------------------------------------------------

std::string FlexGrid::textMatrix(int row, int col) const {
    return std::string(textView(row, col));
}

std::string_view FlexGrid::textView(int row, int col) const {
    checkRow(row);
    checkCol(col);
    return cells_.text(row, col);
}

void FlexGrid::setTextMatrix(int row, int col, std::string_view text) {
    checkRow(row);
    checkCol(col);
    cells_.setText(row, col, text);
    notifyCell(row, col);
}

std::int32_t FlexGrid::rowData(int row) const {
    checkRow(row);
    return cells_.rowData(row);
}

void FlexGrid::setRowData(int row, std::int32_t value) {
    checkRow(row);
    cells_.setRowData(row, value);
}

void FlexGrid::addItem(std::string_view text) { addItem(text, rows()); }

void FlexGrid::addItem(std::string_view text, int index) {
    if (index < 0 || index > rows())
        throw invalidRowError();
    cells_.insertRow(index);
    rowAxis_.insert(index);
    int col = 0;
    std::size_t start = 0;
    while (col < cols()) {
        const std::size_t tab = text.find('\t', start);
        cells_.setText(index, col, text.substr(start, tab == std::string_view::npos ? tab : tab - start));
        if (tab == std::string_view::npos)
            break;
        start = tab + 1;
        ++col;
    }
    notify(Repaint::Layout);
}

void FlexGrid::removeItem(int row) {
    checkRow(row);
    if (rows() - fixedRows() <= 1)
        throw cannotRemoveLastRowError();
    cells_.eraseRow(row);
    rowAxis_.erase(row);
    clampSelection();
    clampScroll();
    notify(Repaint::Layout);
}

void FlexGrid::clear() {
    cells_.clearTexts();
    notify(Repaint::All);
}

// ---- current cell and selection ---------------------------------------------

void FlexGrid::select(Sel s) {
    if (s.row != row_ || s.col != col_) {
        traceEvent("LeaveCell");
        if (onLeaveCell)
            onLeaveCell();
        // A handler may have changed the shape meanwhile.
        const int lastRow = std::max(0, rows() - 1);
        const int lastCol = std::max(0, cols() - 1);
        s.row = std::min(s.row, lastRow);
        s.rowSel = std::min(s.rowSel, lastRow);
        s.col = std::min(s.col, lastCol);
        s.colSel = std::min(s.colSel, lastCol);
    }
    const Sel before{row_, col_, rowSel_, colSel_};
    if (s == before)
        return;
    row_ = s.row;
    col_ = s.col;
    rowSel_ = s.rowSel;
    colSel_ = s.colSel;
    notify(Repaint::Selection);
    if (s.row != before.row || s.col != before.col) {
        traceEvent("EnterCell");
        if (onEnterCell)
            onEnterCell();
        traceEvent("RowColChange");
        if (onRowColChange)
            onRowColChange();
    }
    traceEvent("SelChange");
    if (onSelChange)
        onSelChange();
}

void FlexGrid::setRow(int row) {
    checkRow(row);
    select({row, col_, row, col_});
}

void FlexGrid::setCol(int col) {
    checkCol(col);
    select({row_, col, row_, col});
}

void FlexGrid::setRowSel(int row) {
    checkRow(row);
    select({row_, col_, row, colSel_});
}

void FlexGrid::setColSel(int col) {
    checkCol(col);
    select({row_, col_, rowSel_, col});
}

// ---- look -------------------------------------------------------------------

namespace {
void checkAlignment(int a) {
    if (a < align::LeftTop || a > align::General)
        throw invalidValueError();
}

// A number as a cell shows it: optional sign, digits with at most one
// decimal separator (point or comma), blanks around.
bool looksNumeric(std::string_view t) {
    while (!t.empty() && t.front() == ' ')
        t.remove_prefix(1);
    while (!t.empty() && t.back() == ' ')
        t.remove_suffix(1);
    if (!t.empty() && (t.front() == '-' || t.front() == '+'))
        t.remove_prefix(1);
    bool digit = false, separator = false;
    for (char ch : t) {
        if (std::isdigit(static_cast<unsigned char>(ch)))
            digit = true;
        else if ((ch == '.' || ch == ',') && !separator)
            separator = true;
        else
            return false;
    }
    return digit;
}
} // namespace

int FlexGrid::colAlignment(int col) const {
    checkCol(col);
    return colAlignment_[static_cast<std::size_t>(col)];
}

void FlexGrid::setColAlignment(int col, int alignment) {
    checkCol(col);
    checkAlignment(alignment);
    colAlignment_[static_cast<std::size_t>(col)] = static_cast<std::int8_t>(alignment);
    notify(Repaint::Look);
}

CellFormat FlexGrid::ownFormat() const {
    checkRow(row_);
    checkCol(col_);
    return cells_.format(row_, col_);
}

void FlexGrid::setOwnFormat(const CellFormat& f) {
    cells_.setFormat(row_, col_, f);
    notifyCell(row_, col_);
}

int FlexGrid::cellAlignment() const {
    const CellFormat f = ownFormat();
    return f.alignment >= 0 ? f.alignment : colAlignment_[static_cast<std::size_t>(col_)];
}

void FlexGrid::setCellAlignment(int alignment) {
    CellFormat f = ownFormat();
    checkAlignment(alignment);
    f.alignment = static_cast<std::int8_t>(alignment);
    setOwnFormat(f);
}

tk::Color FlexGrid::cellForeColor() const {
    const CellFormat f = ownFormat();
    return f.hasForeColor ? f.foreColor : foreColor();
}

void FlexGrid::setCellForeColor(tk::Color c) {
    CellFormat f = ownFormat();
    f.foreColor = c;
    f.hasForeColor = true;
    setOwnFormat(f);
}

bool FlexGrid::cellFontBold() const {
    return ownFormat().bold > 0;
}

void FlexGrid::setCellFontBold(bool bold) {
    CellFormat f = ownFormat();
    f.bold = bold ? 1 : 0;
    setOwnFormat(f);
}

int FlexGrid::alignmentAt(int row, int col) const {
    checkRow(row);
    checkCol(col);
    const CellFormat f = cells_.format(row, col);
    const int a = f.alignment >= 0 ? f.alignment : colAlignment_[static_cast<std::size_t>(col)];
    if (a != align::General)
        return a;
    return looksNumeric(cells_.text(row, col)) ? align::RightCenter : align::LeftCenter;
}

tk::Color FlexGrid::foreColorAt(int row, int col) const {
    checkRow(row);
    checkCol(col);
    const CellFormat f = cells_.format(row, col);
    return f.hasForeColor ? f.foreColor : foreColor();
}

bool FlexGrid::fontBoldAt(int row, int col) const {
    checkRow(row);
    checkCol(col);
    return cells_.format(row, col).bold > 0;
}

void FlexGrid::setBackColor(tk::Color c) {
    tk::Control::setBackColor(c);
    notify(Repaint::Look);
}

void FlexGrid::setForeColor(tk::Color c) {
    tk::Control::setForeColor(c);
    notify(Repaint::Look);
}

void FlexGrid::setRedraw(bool on) {
    if (on == redraw_)
        return;
    redraw_ = on;
    if (!on) {
        suppressed_ = 0;
        return;
    }
    const bool pending = suppressed_ > 0;
    suppressed_ = 0;
    if (pending && listener_)
        listener_->repaint(Repaint::All);
}

void FlexGrid::refresh() {
    if (listener_)
        listener_->repaint(Repaint::All);
}

void FlexGrid::setMousePointer(int pointer) {
    if ((pointer < 0 || pointer > 15) && pointer != 99)
        throw invalidValueError();
    mousePointer_ = pointer;
    notify(Repaint::Look);
}

void FlexGrid::setAllowUserResizing(int mode) {
    if (mode < resize::None || mode > resize::Both)
        throw invalidValueError();
    allowUserResizing_ = mode;
}

void FlexGrid::setWordWrap(bool on) {
    wordWrap_ = on;
    notify(Repaint::Look);
}

void FlexGrid::setFocusRect(int mode) {
    if (mode < 0 || mode > 2)
        throw invalidValueError();
    focusRect_ = mode;
    notify(Repaint::Look);
}

} // namespace grid
