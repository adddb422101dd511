#include "hosting/PropertyBag.h"

#include <algorithm>

#include "hosting/VariantLiteral.h"
#include "runtime/Error.h"
#include "runtime/Text.h"

namespace hosting {

namespace {

double numberOf(const rt::Variant& v) {
    switch (v.type()) {
    case rt::VarType::Integer: return v.integerValue();
    case rt::VarType::Long: return v.longValue();
    case rt::VarType::Double: return v.doubleValue();
    case rt::VarType::Boolean: return v.boolValue() ? -1 : 0;
    default: return 0;
    }
}

bool emptyLike(const rt::Variant& v) {
    if (v.isEmpty()) return true;
    if (v.type() == rt::VarType::String) return v.stringValue().empty();
    return v.isNumberKind() && numberOf(v) == 0;
}

} // namespace

bool PropertyBag::equalsDefault(const rt::Variant& value, const rt::Variant& def) {
    if (value.identical(def)) return true;
    if (value.isNumberKind() && def.isNumberKind()) return numberOf(value) == numberOf(def);
    if (value.isEmpty()) return emptyLike(def);
    if (def.isEmpty()) return emptyLike(value);
    return false;
}

std::vector<std::pair<std::string, rt::Variant>>::iterator PropertyBag::find(std::string_view name) {
    return std::find_if(entries_.begin(), entries_.end(),
                        [&](const auto& e) { return rt::text::equalsNoCase(e.first, name); });
}

std::vector<std::pair<std::string, rt::Variant>>::const_iterator PropertyBag::find(std::string_view name) const {
    return std::find_if(entries_.begin(), entries_.end(),
                        [&](const auto& e) { return rt::text::equalsNoCase(e.first, name); });
}

rt::Variant PropertyBag::read(std::string_view name, const rt::Variant& defaultValue) const {
    auto it = find(name);
    return it == entries_.end() ? defaultValue : it->second;
}

bool PropertyBag::contains(std::string_view name) const { return find(name) != entries_.end(); }

void PropertyBag::write(std::string_view name, const rt::Variant& value, const rt::Variant& defaultValue) {
    if (value.isObject() && value.objectValue())
        throw rt::Error(330, "Illegal parameter. Can't write object because it does not support persistence.");
    if (name.empty() || name.find_first_of("= \t\r\n") != std::string_view::npos)
        throw rt::invalidCallError();
    auto it = find(name);
    if (equalsDefault(value, defaultValue)) {
        if (it != entries_.end()) entries_.erase(it);
        return;
    }
    if (it != entries_.end()) it->second = value;
    else entries_.emplace_back(std::string(name), value);
}

std::string PropertyBag::toText() const {
    std::string out;
    for (const auto& [name, value] : entries_) out += name + " = " + formatLiteral(value) + "\n";
    return out;
}

PropertyBag PropertyBag::fromText(std::string_view text) {
    PropertyBag bag;
    std::size_t lineNo = 0;
    while (!text.empty()) {
        auto nl = text.find('\n');
        std::string_view line = text.substr(0, nl);
        text = nl == std::string_view::npos ? std::string_view{} : text.substr(nl + 1);
        ++lineNo;
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        std::string trimmed = rt::text::trim(line);
        if (trimmed.empty() || trimmed[0] == '\'') continue;
        auto eq = trimmed.find('=');
        std::string name = eq == std::string::npos ? std::string() : rt::text::trim(trimmed.substr(0, eq));
        if (name.empty() || name.find_first_of(" \t") != std::string::npos)
            throw rt::Error(rt::err::TypeMismatch, "Property bag line " + std::to_string(lineNo) + " is not name = value");
        rt::Variant value;
        try {
            value = parseLiteral(trimmed.substr(eq + 1));
        } catch (const rt::Error&) {
            throw rt::Error(rt::err::TypeMismatch, "Property bag line " + std::to_string(lineNo) + ": not a value");
        }
        auto it = bag.find(name);
        if (it != bag.entries_.end()) it->second = std::move(value);
        else bag.entries_.emplace_back(std::move(name), std::move(value));
    }
    return bag;
}

} // namespace hosting
