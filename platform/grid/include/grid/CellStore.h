#pragma once
// CellStore: the contents of a grid's cells: one text per cell, one 32-bit
// number per row (RowData) and the formatting that single cells carry.
//
// Storage is per row: a row holds a vector of CompactText (16 bytes a cell,
// texts up to 15 bytes inline) that is only as long as the row's last
// non-empty cell written so far, so rows never written cost no cell memory;
// cell formatting lives in a sparse per-row list that exists only once a cell
// of the row is formatted. Inserting or removing a row moves its texts,
// number and formatting along with it.
//
// Index checks are the caller's business (0 <= row < rows(),
// 0 <= col < cols()).
#include "grid/CompactText.h"

#include <cstdint>
#include <memory>
#include <string_view>
#include <utility>
#include <vector>

namespace grid {

// Formatting a single cell may carry; unset members follow the column and
// the grid (alignment: ColAlignment, colour: the grid's ForeColor, bold: no).
struct CellFormat {
    std::uint32_t foreColor = 0;
    bool hasForeColor = false;
    std::int8_t alignment = -1;   // -1: not set
    std::int8_t bold = -1;        // -1: not set, 0 / 1
    bool isDefault() const { return !hasForeColor && alignment < 0 && bold < 0; }
};

class CellStore {
public:
    int rows() const { return static_cast<int>(rows_.size()); }
    int cols() const { return cols_; }
    // Drops rows at the end or adds empty ones (row data 0).
    void setRows(int n);
    // Drops the texts and formatting of removed columns.
    void setCols(int n);
    void insertRow(int index);
    void eraseRow(int index);

    // Valid until the cell's text is next changed or its row removed.
    std::string_view text(int row, int col) const;
    void setText(int row, int col, std::string_view text);
    // Empties every text; row data and formatting stay.
    void clearTexts();

    std::int32_t rowData(int row) const { return rows_[static_cast<std::size_t>(row)].data; }
    void setRowData(int row, std::int32_t v) { rows_[static_cast<std::size_t>(row)].data = v; }

    // The cell's own formatting (all members unset when it has none).
    CellFormat format(int row, int col) const;
    // Stores the formatting; a format with nothing set removes the entry.
    void setFormat(int row, int col, const CellFormat& f);

private:
    using FormatList = std::vector<std::pair<std::int32_t, CellFormat>>;
    struct Row {
        std::vector<CompactText> texts;
        std::unique_ptr<FormatList> formats;
        std::int32_t data = 0;
    };

    std::vector<Row> rows_;
    int cols_ = 0;
};

} // namespace grid
