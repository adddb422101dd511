#pragma once
// MessungenLaden: fills the measurement grid with the rows of one circuit.
//
// Reads the rows through a stored query of the front-end database
// (queryName, "" meaning "MessungenVonStromkreis", parameter
// "paraStromkreisID" = circuit), creates missing limit rows and evaluates
// grid columns 1 to 21 of each row (Limits.h), writes the values below the
// heading rows of the column catalog, decides which columns show (hideEmpty
// 1: only those with a value in some row) and restores the user's column
// widths ("ColWidth" & c, default 1000) and selection.
//
// Afterwards: Rows = 4 + number of rows (5 when there are none, row 4 then
// empty, 0 high, row data 0); Cols from the query's fields (the trailing
// block of "s_"/"Gen_" fields and the two fields before it are not shown);
// RowData(r) = MessID of the row shown in grid row r; row 4 265 twips high.
//
// The busy pointer (more than 20 grid rows) is the screen's; the grid's
// own MousePointer is not touched.
//
// Never fails towards the caller: an error ends the loading, the engine's
// 3021 silently and every other one in a message box showing its
// description (OK only); the pointer and the grid's redrawing are restored
// and the grid keeps what was written until then (nothing, for errors
// before the first grid change: missing databases, a missing query, an
// invalid circuit identifier).
//
// The circuit identifier must be a whole number (a number, or a text of
// digits with an optional sign); it goes into the SQL texts of the limit
// and legend cursors. An empty identifier is refused with
// kNoCircuitError, any other non-number with kCircuitNotNumberError.
#include <cstdint>
#include <string>

#include "ModuleContext.h"
#include "runtime/Variant.h"

namespace grid { class FlexGrid; }

namespace measgrid {

inline constexpr int kNoCircuitError = 3075;        // the statements cannot be built
inline constexpr int kCircuitNotNumberError = 3464; // data type mismatch in criteria

// Grid geometry the loading leaves behind.
inline constexpr int kFirstDataRow = 4;
inline constexpr int kDataRowHeight = 265;
inline constexpr int kDefaultStoredWidth = 1000;
inline constexpr int kBusyAboveRows = 20;

// The circuit identifier as text for an SQL statement; raises the two
// errors above.
std::string circuitKeyText(const rt::Variant& circuit);

void MessungenLaden(std::int32_t hideEmpty, const std::string& queryName, grid::FlexGrid& fg,
                    const rt::Variant& circuit, const ModuleContext& ctx);

} // namespace measgrid
