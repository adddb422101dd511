// Memory and speed of a large grid: 10,000 rows x 50 columns, each cell a
// text of 6 characters. Prints the heap bytes per cell (mallinfo2 before and
// after filling) beside those of a plain vector-of-strings table filled the
// same way, and the times to fill and to read all cells. Exit code 1 when
// the grid needs 100 bytes a cell or more.
#include "grid/FlexGrid.h"

#include <malloc.h>

#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr int kRows = 10000;
constexpr int kCols = 50;
constexpr double kCells = double(kRows) * kCols;
constexpr double kBudget = 100.0;

std::size_t heapInUse() {
    malloc_trim(0);
    return mallinfo2().uordblks;
}

// A distinct 6-character text per cell.
void cellText(int r, int c, char out[7]) {
    const int n = (r * kCols + c) % 1000000;
    for (int i = 5, v = n; i >= 0; --i, v /= 10) out[i] = char('0' + v % 10);
    out[6] = '\0';
}

double msSince(std::chrono::steady_clock::time_point t0) {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count();
}

struct Figures {
    double bytesPerCell, fillMs, readMs;
    std::size_t checksum;
};

Figures measureGrid() {
    const std::size_t before = heapInUse();
    auto t0 = std::chrono::steady_clock::now();
    auto* g = new grid::FlexGrid("fg");
    g->setRedraw(false);
    g->setCols(kCols);
    g->setRows(kRows);
    char buf[7];
    for (int r = 0; r < kRows; ++r)
        for (int c = 0; c < kCols; ++c) {
            cellText(r, c, buf);
            g->setTextMatrix(r, c, buf);
        }
    const double fillMs = msSince(t0);
    const std::size_t after = heapInUse();

    t0 = std::chrono::steady_clock::now();
    std::size_t sum = 0;
    for (int r = 0; r < kRows; ++r)
        for (int c = 0; c < kCols; ++c)
            sum += g->textMatrix(r, c).size() + static_cast<unsigned char>(g->textView(r, c)[5]);
    const double readMs = msSince(t0);
    delete g;
    return {double(after - before) / kCells, fillMs, readMs, sum};
}

Figures measureBaseline() {
    const std::size_t before = heapInUse();
    auto t0 = std::chrono::steady_clock::now();
    auto* table = new std::vector<std::vector<std::string>>(kRows, std::vector<std::string>(kCols));
    char buf[7];
    for (int r = 0; r < kRows; ++r)
        for (int c = 0; c < kCols; ++c) {
            cellText(r, c, buf);
            (*table)[r][c] = buf;
        }
    const double fillMs = msSince(t0);
    const std::size_t after = heapInUse();

    t0 = std::chrono::steady_clock::now();
    std::size_t sum = 0;
    for (int r = 0; r < kRows; ++r)
        for (int c = 0; c < kCols; ++c) {
            const std::string s = (*table)[r][c];
            sum += s.size() + static_cast<unsigned char>(s[5]);
        }
    const double readMs = msSince(t0);
    delete table;
    return {double(after - before) / kCells, fillMs, readMs, sum};
}

} // namespace

int main() {
    const Figures grid = measureGrid();
    const Figures base = measureBaseline();
    std::printf("grid %d rows x %d cols, texts of 6 characters\n", kRows, kCols);
    std::printf("%-26s %14s %10s %10s\n", "", "bytes/cell", "fill ms", "read ms");
    std::printf("%-26s %14.1f %10.1f %10.1f\n", "FlexGrid", grid.bytesPerCell, grid.fillMs, grid.readMs);
    std::printf("%-26s %14.1f %10.1f %10.1f\n", "vector<vector<string>>", base.bytesPerCell, base.fillMs,
                base.readMs);
    std::printf("memory ratio grid/baseline: %.2f\n", grid.bytesPerCell / base.bytesPerCell);
    if (grid.checksum != base.checksum) {
        std::printf("checksums differ: %zu vs %zu\n", grid.checksum, base.checksum);
        return 2;
    }
    const bool ok = grid.bytesPerCell < kBudget;
    std::printf("budget %.0f bytes/cell: %s\n", kBudget, ok ? "met" : "EXCEEDED");
    return ok ? 0 : 1;
}
