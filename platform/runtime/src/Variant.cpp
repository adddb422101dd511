#include "runtime/Variant.h"

#include "runtime/Error.h"

namespace rt {

Object::~Object() = default;

VarType Variant::type() const {
    switch (v_.index()) {
    case 0: return VarType::Empty;
    case 1: return VarType::Null;
    case 2: return VarType::Integer;
    case 3: return VarType::Long;
    case 4: return VarType::Double;
    case 5: return VarType::Boolean;
    case 6: return VarType::String;
    case 7: return VarType::Date;
    default: return VarType::Object;
    }
}

bool Variant::isNumberKind() const {
    switch (type()) {
    case VarType::Integer:
    case VarType::Long:
    case VarType::Double:
    case VarType::Boolean: return true;
    default: return false;
    }
}

std::int16_t Variant::integerValue() const {
    if (auto p = std::get_if<std::int16_t>(&v_)) return *p;
    throw typeMismatchError();
}
std::int32_t Variant::longValue() const {
    if (auto p = std::get_if<std::int32_t>(&v_)) return *p;
    throw typeMismatchError();
}
double Variant::doubleValue() const {
    if (auto p = std::get_if<double>(&v_)) return *p;
    throw typeMismatchError();
}
bool Variant::boolValue() const {
    if (auto p = std::get_if<BoolBox>(&v_)) return p->b;
    throw typeMismatchError();
}
const std::string& Variant::stringValue() const {
    if (auto p = std::get_if<std::string>(&v_)) return *p;
    throw typeMismatchError();
}
double Variant::dateValue() const {
    if (auto p = std::get_if<DateValue>(&v_)) return p->serial;
    throw typeMismatchError();
}
const std::shared_ptr<Object>& Variant::objectValue() const {
    if (auto p = std::get_if<std::shared_ptr<Object>>(&v_)) return *p;
    throw typeMismatchError();
}

bool Variant::identical(const Variant& o) const { return v_ == o.v_; }

const char* typeName(VarType t) {
    switch (t) {
    case VarType::Empty: return "Empty";
    case VarType::Null: return "Null";
    case VarType::Integer: return "Integer";
    case VarType::Long: return "Long";
    case VarType::Double: return "Double";
    case VarType::Boolean: return "Boolean";
    case VarType::String: return "String";
    case VarType::Date: return "Date";
    case VarType::Object: return "Object";
    }
    return "Unknown";
}

} // namespace rt
