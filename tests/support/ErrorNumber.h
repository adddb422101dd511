#pragma once
// Test support shared by the suites: the error number a call raises.
#include <functional>

#include "runtime/Error.h"

namespace testsupport {

// The number of the rt::Error the call raises; 0 when it raises none.
// Other exceptions pass through and fail the test.
inline int errorNumber(const std::function<void()>& f) {
    try {
        f();
    } catch (const rt::Error& e) {
        return e.number();
    }
    return 0;
}

} // namespace testsupport

// Expects the statement to raise rt::Error with the number; shows the
// description when the number differs. (Needs gtest.)
#define EXPECT_RT_ERROR(stmt, num)                                  \
    do {                                                            \
        try {                                                       \
            stmt;                                                   \
            ADD_FAILURE() << "no error from " #stmt;                \
        } catch (const rt::Error& e) {                              \
            EXPECT_EQ(e.number(), (num)) << e.description();        \
        }                                                           \
    } while (0)
