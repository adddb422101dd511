#include "runtime/Error.h"

#include <utility>

namespace rt {

Error::Error(int number, std::string description, std::string source)
    : std::runtime_error(description),
      number_(number),
      description_(std::move(description)),
      source_(std::move(source)) {}

Error overflowError() { return Error(err::Overflow, "Overflow"); }
Error typeMismatchError() { return Error(err::TypeMismatch, "Type mismatch"); }
Error invalidUseOfNullError() { return Error(err::InvalidUseOfNull, "Invalid use of Null"); }
Error subscriptError() { return Error(err::SubscriptOutOfRange, "Subscript out of range"); }
Error invalidCallError() { return Error(err::InvalidProcedureCall, "Invalid procedure call or argument"); }

} // namespace rt
