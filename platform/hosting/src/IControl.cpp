#include "hosting/IControl.h"

namespace hosting {

rt::Variant getProperty(IControl& c, std::string_view name, std::vector<rt::Variant> index) {
    return c.invoke(name, MemberKind::PropertyGet, index);
}

void letProperty(IControl& c, std::string_view name, rt::Variant value, std::vector<rt::Variant> index) {
    index.push_back(std::move(value));
    c.invoke(name, MemberKind::PropertyLet, index);
}

void setProperty(IControl& c, std::string_view name, rt::Variant object, std::vector<rt::Variant> index) {
    index.push_back(std::move(object));
    c.invoke(name, MemberKind::PropertySet, index);
}

rt::Variant callMethod(IControl& c, std::string_view name, std::vector<rt::Variant>& args) {
    return c.invoke(name, MemberKind::Method, args);
}

rt::Variant callMethod(IControl& c, std::string_view name) {
    std::vector<rt::Variant> none;
    return c.invoke(name, MemberKind::Method, none);
}

} // namespace hosting
