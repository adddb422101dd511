#pragma once
// The errors the grid raises. Every failing member leaves the grid exactly
// as it was before the call.
//
//   381   "Invalid Row value"      a row index outside 0 .. Rows - 1 (for
//                                  AddItem: outside 0 .. Rows)
//   381   "Invalid Col value"      a column index outside 0 .. Cols - 1
//   380   "Invalid property value" a value outside a property's range: a
//                                  negative count, a size below -1, an
//                                  alignment outside 0..9, a mouse pointer,
//                                  resizing mode or focus display not listed
//   30015 "Cannot remove last non-fixed row"
//                                  RemoveItem when the grid has no more than
//                                  one row beyond its fixed rows
//
// Where a member takes a row and a column, the row is checked first. The
// source of every error is "FlexGrid".
#include "runtime/Error.h"

namespace grid {

namespace err {
inline constexpr int InvalidPropertyValue = 380;
inline constexpr int InvalidIndex = 381;
inline constexpr int CannotRemoveLastRow = 30015;
} // namespace err

rt::Error invalidRowError();
rt::Error invalidColError();
rt::Error invalidValueError();
rt::Error cannotRemoveLastRowError();

} // namespace grid
