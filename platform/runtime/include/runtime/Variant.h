#pragma once
// Variant: the value type of the controls' interfaces, the engine's fields
// and the hosting layer. Kinds are those the classic automation variant has
// and the system uses. A Variant is a value; an object reference shares the
// object it refers to.
#include <cstdint>
#include <memory>
#include <string>
#include <variant>

namespace rt {

enum class VarType {
    Empty,    // never assigned; compares equal to "" and 0
    Null,     // no valid data (an empty database field)
    Integer,  // 16-bit signed
    Long,     // 32-bit signed
    Double,
    Boolean,  // stored as -1 (true) / 0 (false)
    String,   // UTF-8
    Date,     // days since 1899-12-30, fraction = time of day
    Object,   // reference to an object (database, control, ...)
};

// Base of everything a Variant can refer to.
class Object {
public:
    virtual ~Object();
    // A name for diagnostics ("Database", "Recordset", "Messungen", ...).
    virtual std::string typeName() const = 0;
};

struct DateValue {
    double serial = 0;
    bool operator==(const DateValue&) const = default;
};

class Variant {
public:
    Variant() = default;                       // Empty
    Variant(std::int16_t v) : v_(v) {}
    Variant(std::int32_t v) : v_(v) {}
    Variant(double v) : v_(v) {}
    Variant(bool b) : v_(BoolBox{b}) {}
    Variant(std::string s) : v_(std::move(s)) {}
    Variant(const char* s) : v_(std::string(s)) {}
    Variant(DateValue d) : v_(d) {}
    Variant(std::shared_ptr<Object> o) : v_(std::move(o)) {}

    static Variant null() { Variant v; v.v_ = NullBox{}; return v; }
    static Variant date(double serial) { return Variant(DateValue{serial}); }

    VarType type() const;
    bool isEmpty() const { return type() == VarType::Empty; }
    bool isNull() const { return type() == VarType::Null; }
    bool isObject() const { return type() == VarType::Object; }
    // Integer, Long, Double, Boolean (the kinds that are numbers already).
    bool isNumberKind() const;

    // Direct access to the stored value; error 13 if the kind differs.
    std::int16_t integerValue() const;
    std::int32_t longValue() const;
    double doubleValue() const;
    bool boolValue() const;
    const std::string& stringValue() const;
    double dateValue() const;
    const std::shared_ptr<Object>& objectValue() const;

    // Object reference cast; nullptr if not an object of that class.
    template <class T> std::shared_ptr<T> objectAs() const {
        if (auto p = std::get_if<std::shared_ptr<Object>>(&v_)) return std::dynamic_pointer_cast<T>(*p);
        return nullptr;
    }

    // Same kind and same value (object: same object). Not the language's "=",
    // see compare() in Convert.h for that.
    bool identical(const Variant& o) const;

private:
    struct NullBox { bool operator==(const NullBox&) const = default; };
    struct BoolBox { bool b; bool operator==(const BoolBox&) const = default; };
    std::variant<std::monostate, NullBox, std::int16_t, std::int32_t, double, BoolBox,
                 std::string, DateValue, std::shared_ptr<Object>> v_;
};

// Name of the kind, for diagnostics and the scenario printer ("Empty", "Long", ...).
const char* typeName(VarType t);

} // namespace rt
