#include "grid/CellStore.h"

#include <algorithm>

namespace grid {

void CellStore::setRows(int n) {
    rows_.resize(static_cast<std::size_t>(n));
}

void CellStore::setCols(int n) {
    if (n < cols_) {
        for (Row& r : rows_) {
            if (r.texts.size() > static_cast<std::size_t>(n)) {
                r.texts.resize(static_cast<std::size_t>(n));
                r.texts.shrink_to_fit();
            }
            if (r.formats) {
                std::erase_if(*r.formats, [n](const auto& e) { return e.first >= n; });
                if (r.formats->empty())
                    r.formats.reset();
            }
        }
    }
    cols_ = n;
}

void CellStore::insertRow(int index) {
    rows_.insert(rows_.begin() + index, Row{});
}

void CellStore::eraseRow(int index) {
    rows_.erase(rows_.begin() + index);
}

std::string_view CellStore::text(int row, int col) const {
    const Row& r = rows_[static_cast<std::size_t>(row)];
    if (static_cast<std::size_t>(col) >= r.texts.size())
        return {};
    return r.texts[static_cast<std::size_t>(col)].view();
}

void CellStore::setText(int row, int col, std::string_view text) {
    Row& r = rows_[static_cast<std::size_t>(row)];
    const auto c = static_cast<std::size_t>(col);
    if (c >= r.texts.size()) {
        if (text.empty())
            return;
        // Rows grow to full width at once, so that a row filled cell by cell
        // from left to right allocates once.
        r.texts.reserve(static_cast<std::size_t>(cols_));
        r.texts.resize(c + 1);
    }
    r.texts[c].assign(text);
}

void CellStore::clearTexts() {
    for (Row& r : rows_) {
        r.texts.clear();
        r.texts.shrink_to_fit();
    }
}

CellFormat CellStore::format(int row, int col) const {
    const Row& r = rows_[static_cast<std::size_t>(row)];
    if (!r.formats)
        return {};
    const auto it = std::lower_bound(r.formats->begin(), r.formats->end(), col,
                                     [](const auto& e, int c) { return e.first < c; });
    if (it == r.formats->end() || it->first != col)
        return {};
    return it->second;
}

void CellStore::setFormat(int row, int col, const CellFormat& f) {
    Row& r = rows_[static_cast<std::size_t>(row)];
    if (!r.formats) {
        if (f.isDefault())
            return;
        r.formats = std::make_unique<FormatList>();
    }
    auto& list = *r.formats;
    const auto it = std::lower_bound(list.begin(), list.end(), col,
                                     [](const auto& e, int c) { return e.first < c; });
    const bool found = it != list.end() && it->first == col;
    if (f.isDefault()) {
        if (found)
            list.erase(it);
        if (list.empty())
            r.formats.reset();
    } else if (found) {
        it->second = f;
    } else {
        list.insert(it, {col, f});
    }
}

} // namespace grid
