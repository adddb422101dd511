#pragma once
// Helpers shared by the runtime's source files (not part of the interface).
#include <string>

namespace rt::detail {

// "HH:mm:ss" of the time of day of a date serial.
std::string timeText(double serial);
// Whether the serial has a time of day other than midnight (after rounding
// to whole seconds).
bool hasTime(double serial);
// Whether the serial has a date part other than 1899-12-30.
bool hasDate(double serial);

} // namespace rt::detail
