#include "grid/GridErrors.h"

namespace grid {

rt::Error invalidRowError() { return rt::Error(err::InvalidIndex, "Invalid Row value", "FlexGrid"); }
rt::Error invalidColError() { return rt::Error(err::InvalidIndex, "Invalid Col value", "FlexGrid"); }
rt::Error invalidValueError() {
    return rt::Error(err::InvalidPropertyValue, "Invalid property value", "FlexGrid");
}
rt::Error cannotRemoveLastRowError() {
    return rt::Error(err::CannotRemoveLastRow, "Cannot remove last non-fixed row", "FlexGrid");
}

} // namespace grid
