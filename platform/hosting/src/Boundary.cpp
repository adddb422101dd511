#include "hosting/Boundary.h"

namespace hosting {

void rethrowAsError() {
    try {
        throw;
    } catch (const rt::Error&) {
        throw;
    } catch (const std::bad_alloc&) {
        throw rt::Error(rt::err::OutOfMemory, "Out of memory");
    } catch (const std::out_of_range&) {
        throw rt::Error(rt::err::SubscriptOutOfRange, "Subscript out of range");
    } catch (const std::exception& e) {
        throw rt::Error(51, std::string("Internal error (") + e.what() + ")");
    } catch (...) {
        throw rt::Error(51, "Internal error");
    }
}

} // namespace hosting
