#pragma once
// The rules of limit evaluation that need no database: reading the factor
// of a residual-current test, deriving the loop resistance limit from the
// minimum short-circuit current, and comparing a measured value with a
// limit expression.
//
// A limit expression is "<" or ">" followed by a number written with the
// user's regional settings; both bounds are inclusive. Evaluation codes:
//   -1  the value violates its limit
//    0  the value meets its limit (or is not evaluated)
//    2  no evaluation possible
//
// These functions raise rt::Error; the module's wrappers report errors in a
// message box and return the documented fallback (see Limits.h).
#include <cstdint>
#include <string>
#include <string_view>

#include "runtime/Regional.h"

namespace measgrid {

using EvalCode = std::int16_t;
inline constexpr EvalCode kFails = -1;
inline constexpr EvalCode kPasses = 0;
inline constexpr EvalCode kNotEvaluable = 2;

// The numeric expression at the end of a text ('x1/2 S' -> '1/2',
// 'x5 S' -> '5', 'S' -> ''). Characters with codes 40..62 count as number
// characters; the end of the expression is the last of them that is not
// '=' or ':'. Never fails.
std::string FaktorErmitteln(std::string_view text);

// '>80' -> '<2,88' (German): 230 V divided by the number after the first
// character, rounded half up to two decimals, shortest regional form.
// '' or a rest that is not a number greater than 0 gives ''.
// Raises error 6 when the quotient overflows.
std::string SchleifenGrenzwertRaw(std::string_view limit, const rt::Regional& r);

// Compares a measured value with a limit expression (both trimmed of
// blanks). Readings beyond the instrument's range ('>200', '<0,01', 'o.r.')
// compare by their signs only.
EvalCode GrenzwertVergleichRaw(std::string_view value, std::string_view limit, const rt::Regional& r);

// Combines the checks of a lower and an upper bound: -1 if either fails,
// 2 if both are not evaluable, otherwise 0.
EvalCode combineEvaluations(EvalCode a, EvalCode b);

} // namespace measgrid
