#include "hosting/Types.h"

#include "runtime/Text.h"

namespace hosting {

const char* kindName(MemberKind k) {
    switch (k) {
    case MemberKind::PropertyGet: return "PropertyGet";
    case MemberKind::PropertyLet: return "PropertyLet";
    case MemberKind::PropertySet: return "PropertySet";
    case MemberKind::Method: return "Method";
    }
    return "?";
}

const char* typeName(ParamType t) {
    switch (t) {
    case ParamType::Void: return "Void";
    case ParamType::Variant: return "Variant";
    case ParamType::Integer: return "Integer";
    case ParamType::Long: return "Long";
    case ParamType::Double: return "Double";
    case ParamType::Boolean: return "Boolean";
    case ParamType::String: return "String";
    case ParamType::Date: return "Date";
    case ParamType::Object: return "Object";
    }
    return "?";
}

namespace {
std::string_view stripBraces(std::string_view s) {
    if (s.size() >= 2 && s.front() == '{' && s.back() == '}') return s.substr(1, s.size() - 2);
    return s;
}
} // namespace

bool sameId(std::string_view a, std::string_view b) {
    return rt::text::equalsNoCase(stripBraces(a), stripBraces(b));
}

} // namespace hosting
