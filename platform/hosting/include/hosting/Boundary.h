#pragma once
// The rule at a control library's boundary: only rt::Error leaves it.
// guarded(f) runs f and converts anything else it throws:
//   std::bad_alloc           -> 7  "Out of memory"
//   std::out_of_range        -> 9  "Subscript out of range"
//   other std::exception     -> 51 "Internal error (<what>)"
//   anything else            -> 51 "Internal error"
#include <exception>
#include <new>
#include <stdexcept>
#include <string>

#include "runtime/Error.h"

namespace hosting {

[[noreturn]] void rethrowAsError();   // call inside a catch (...) block

template <class F>
decltype(auto) guarded(F&& f) {
    try {
        return f();
    } catch (...) {
        rethrowAsError();
    }
}

} // namespace hosting
