#pragma once
// Error: the one error type of every layer. It carries a number and a
// description from the place it is raised to the place it is reported
// (a message box, a host, the exit code of a tool). Numbers follow the
// conventions callers rely on: the runtime's own (5, 6, 9, 13, 94, ...) and
// the database engine's (3000 and above, see engine/Errors.h).
#include <stdexcept>
#include <string>

namespace rt {

class Error : public std::runtime_error {
public:
    Error(int number, std::string description, std::string source = {});

    int number() const noexcept { return number_; }
    const std::string& description() const noexcept { return description_; }
    // Component that raised it ("engine", "measgrid", ...); may be empty.
    const std::string& source() const noexcept { return source_; }

private:
    int number_;
    std::string description_;
    std::string source_;
};

// Runtime error numbers used across the project.
namespace err {
inline constexpr int InvalidProcedureCall = 5;
inline constexpr int Overflow = 6;
inline constexpr int OutOfMemory = 7;
inline constexpr int SubscriptOutOfRange = 9;
inline constexpr int TypeMismatch = 13;
inline constexpr int FileNotFound = 53;
inline constexpr int InvalidUseOfNull = 94;
inline constexpr int ObjectRequired = 424;
inline constexpr int PropertyNotFound = 422;
inline constexpr int MethodNotSupported = 438;
inline constexpr int InvalidPropertyValue = 380;
} // namespace err

// Factory helpers with the runtime's standard descriptions.
Error overflowError();            // 6 "Overflow"
Error typeMismatchError();        // 13 "Type mismatch"
Error invalidUseOfNullError();    // 94 "Invalid use of Null"
Error subscriptError();           // 9 "Subscript out of range"
Error invalidCallError();         // 5 "Invalid procedure call or argument"

} // namespace rt
