#pragma once
// Type information of a control library as a host sees it: interfaces,
// members, parameters and events. Plain data, built once by the library's
// descriptor and read by hosts and tools (listings, the scenario runner).
#include <string>
#include <string_view>
#include <vector>

namespace hosting {

// The four ways a member can be invoked, as in a dispatch interface.
enum class MemberKind {
    PropertyGet,
    PropertyLet,   // assign a value
    PropertySet,   // assign an object reference
    Method,
};

// Declared type of a parameter or of a result.
enum class ParamType {
    Void,      // results only: a method that returns nothing
    Variant,   // taken as it comes
    Integer,   // 16-bit
    Long,      // 32-bit
    Double,
    Boolean,   // 16-bit Boolean (-1 / 0)
    String,
    Date,
    Object,    // object reference (Nothing included)
};

struct ParamInfo {
    std::string name;
    ParamType type = ParamType::Variant;
    bool byRef = false;
};

// A by-value parameter / a by-reference parameter.
inline ParamInfo param(std::string name, ParamType type = ParamType::Variant) {
    return {std::move(name), type, false};
}
inline ParamInfo byRef(std::string name, ParamType type = ParamType::Variant) {
    return {std::move(name), type, true};
}

struct MemberInfo {
    std::string name;
    MemberKind kind = MemberKind::Method;
    // Index parameters of properties come first; the assigned value of a
    // let / set is the last parameter.
    std::vector<ParamInfo> params;
    ParamType result = ParamType::Void;   // get and method
    std::string helpText;
    int dispId = 0;   // the get, let and set of one name share their id
};

struct EventInfo {
    std::string name;
    std::vector<ParamInfo> params;
    int dispId = 0;
};

// An interface or type library: its name and its identifier (GUID text,
// "XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX", braces optional on lookup).
struct InterfaceInfo {
    std::string name;
    std::string id;
};

// "PropertyGet", "PropertyLet", "PropertySet", "Method".
const char* kindName(MemberKind k);
// "Variant", "Integer", "Long", ... ("Void" for no result).
const char* typeName(ParamType t);

// Case-insensitive comparison of two identifiers (GUID texts), ignoring
// enclosing braces.
bool sameId(std::string_view a, std::string_view b);

} // namespace hosting
