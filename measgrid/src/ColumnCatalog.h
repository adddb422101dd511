#pragma once
// The column catalog of the measurement grid: heading rows 0 to 3 (group,
// heading, symbol, unit) and columns 0 to 43. Grid column c (c >= 1) shows
// field c - 1 of a measurement row as the loading query delivers it.
//
// SpaltenAufbauen lays the catalog out on a grid: column 0 320 twips wide
// and left-aligned, row 1 700 twips high, 100 columns, the catalog's texts
// (translated through objSpra where the catalog says so) and alignments,
// every cell of rows 0 to 3 centred; the current cell is left at row 3,
// column 99. Rows below 3, their data and the widths of columns other than
// 0 are not touched, so rebuilding the headings of a loaded grid keeps its
// data. Errors of the grid reach the caller; the grid then holds what was
// written before the error.
#include <cstdint>
#include <string>

namespace grid { class FlexGrid; }
namespace services { class Sprachen; }

namespace measgrid {

// Column numbers other routines rely on.
namespace col {
inline constexpr int RowHeader = 0;
inline constexpr int Platz = 1;              // EigeneNr, the place number
inline constexpr int LastEvaluated = 21;     // columns 1..21 are evaluated
inline constexpr int Funktion = 39;
inline constexpr int Einheit = 41;
inline constexpr int StromkreisID = 43;
inline constexpr int CatalogCount = 100;     // columns after SpaltenAufbauen
} // namespace col

inline constexpr int kHeadingRows = 4;
inline constexpr int kRowHeaderWidth = 320;
inline constexpr int kHeadingRowHeight = 700;

void SpaltenAufbauen(grid::FlexGrid& fg, services::Sprachen& objSpra);

// Writes one column's four heading texts (already translated) and makes the
// column right-aligned.
void SpalteBenennen(const std::string& gruppe, std::int16_t spalte, const std::string& ueberschrift,
                    const std::string& symbol, const std::string& einheit, grid::FlexGrid& fg);

} // namespace measgrid
