#include "hosting/ControlClass.h"

#include <algorithm>

#include "hosting/ControlBase.h"
#include "runtime/Convert.h"
#include "runtime/Error.h"
#include "runtime/Text.h"

namespace hosting {

rt::Variant& Args::operator[](std::size_t i) {
    if (i >= values_.size()) throw rt::subscriptError();
    return values_[i];
}

rt::Variant& Args::value() {
    if (values_.empty()) throw rt::subscriptError();
    return values_.back();
}

void ControlClass::add(MemberInfo info, Handler handler) {
    // The get, let and set of one name share the dispatch id of its first
    // declaration; every new name takes the next number.
    int id = 0, highest = 0;
    for (const auto& m : members_) {
        highest = std::max(highest, m.dispId);
        if (!id && rt::text::equalsNoCase(m.name, info.name)) id = m.dispId;
    }
    info.dispId = id ? id : highest + 1;
    members_.push_back(std::move(info));
    handlers_.push_back(std::move(handler));
}

std::unique_ptr<ControlBase> ControlClass::create(const CreateContext& ctx) const { return factory_(ctx); }

const MemberInfo* ControlClass::findMember(std::string_view name, MemberKind kind) const {
    for (const auto& m : members_)
        if (m.kind == kind && rt::text::equalsNoCase(m.name, name)) return &m;
    return nullptr;
}

const EventInfo* ControlClass::findEvent(std::string_view name) const {
    for (const auto& e : events_)
        if (rt::text::equalsNoCase(e.name, name)) return &e;
    return nullptr;
}

namespace {

rt::Variant convert(const rt::Variant& v, ParamType type, const rt::Regional& r) {
    switch (type) {
    case ParamType::Void:
    case ParamType::Variant: return v;
    case ParamType::Integer: return rt::toInteger(v, r);
    case ParamType::Long: return rt::toLong(v, r);
    case ParamType::Double: return rt::toDouble(v, r);
    case ParamType::Boolean: return rt::toBool(v, r);
    case ParamType::String:
        if (v.isNull()) throw rt::invalidUseOfNullError();
        return rt::textOf(v, r);
    case ParamType::Date:
        if (v.type() == rt::VarType::Date) return v;
        if (v.isNull()) throw rt::invalidUseOfNullError();
        if (v.type() == rt::VarType::String) {
            if (auto d = rt::parseDate(v.stringValue(), r)) return rt::Variant::date(*d);
            throw rt::typeMismatchError();
        }
        return rt::Variant::date(rt::toDouble(v, r));
    case ParamType::Object:
        if (!v.isObject()) throw rt::Error(rt::err::ObjectRequired, "Object required");
        return v;
    }
    return v;
}

} // namespace

rt::Variant ControlClass::invoke(ControlBase& control, std::string_view name, MemberKind kind,
                                 std::vector<rt::Variant>& args, const rt::Regional& regional) const {
    std::size_t index = members_.size();
    for (std::size_t i = 0; i < members_.size(); ++i) {
        if (members_[i].kind == kind && rt::text::equalsNoCase(members_[i].name, name)) {
            index = i;
            break;
        }
    }
    if (index == members_.size())
        throw rt::Error(rt::err::MethodNotSupported, "Object doesn't support this property or method");
    const MemberInfo& m = members_[index];
    if (args.size() != m.params.size())
        throw rt::Error(450, "Wrong number of arguments or invalid property assignment");

    // The member works on converted copies; by-reference ones go back to
    // the caller afterwards, also when the member fails half-way.
    std::vector<rt::Variant> work;
    work.reserve(args.size());
    for (std::size_t i = 0; i < args.size(); ++i) work.push_back(convert(args[i], m.params[i].type, regional));
    struct WriteBack {
        const MemberInfo& m;
        std::vector<rt::Variant>& from;
        std::vector<rt::Variant>& to;
        ~WriteBack() {
            for (std::size_t i = 0; i < m.params.size(); ++i)
                if (m.params[i].byRef) to[i] = from[i];
        }
    } writeBack{m, work, args};
    Args a(work, regional);
    return handlers_[index](control, a);
}

} // namespace hosting
