#pragma once
// ControlClass: one creatable control class of a library: its identifiers,
// its member and event tables in declared order, the code bound to each
// member, and the factory. Built with ClassBuilder so that a control author
// writes each member once:
//
//   hosting::ClassBuilder<Gauge> b("Gauge", "5E0C...");
//   b.defaultInterface("_Gauge", "...").eventInterface("__Gauge", "...");
//   b.get("Caption", ParamType::String, &Gauge::caption)
//    .let("Caption", {param("New_Caption", ParamType::String)}, &Gauge::setCaption)
//    .method("Reset", {}, ParamType::Void, [](Gauge& g, Args&) { g.reset(); })
//    .help("Sets the gauge back to zero.")
//    .event("Changed", {byRef("Value", ParamType::Long)});
//   addClass(b.build());   // Gauge(const CreateContext&) is the constructor used
//
// Handlers take (Self&, Args&) or, for brevity, (Self&) for a get and
// (Self&, const rt::Variant& value) for a let / set; members functions with
// those shapes work too. A get or method returns anything a Variant can be
// built from (void for a method without result).
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>
#include <vector>

#include "hosting/HostSite.h"
#include "hosting/Types.h"
#include "runtime/Variant.h"

namespace hosting {

class ControlBase;
class ControlClass;
class LibraryDescriptor;

// The arguments of one call as the member's code sees them: declared
// parameters in order, each by-value one converted to its declared type.
// Changes to a by-reference argument go back to the caller.
class Args {
public:
    Args(std::vector<rt::Variant>& values, const rt::Regional& regional)
        : values_(values), regional_(regional) {}
    std::size_t size() const { return values_.size(); }
    rt::Variant& operator[](std::size_t i);        // error 9 beyond the end
    // The assigned value of a let / set (the last argument); error 9 if none.
    rt::Variant& value();
    const rt::Regional& regional() const { return regional_; }

private:
    std::vector<rt::Variant>& values_;
    const rt::Regional& regional_;
};

// What a factory receives.
struct CreateContext {
    const ControlClass& cls;
    LibraryDescriptor& library;
    const HostSite& site;
};

class ControlClass {
public:
    using Handler = std::function<rt::Variant(ControlBase&, Args&)>;
    using Factory = std::function<std::unique_ptr<ControlBase>(const CreateContext&)>;

    const std::string& name() const { return name_; }
    const std::string& id() const { return id_; }
    const InterfaceInfo& defaultInterface() const { return defaultInterface_; }
    const InterfaceInfo& eventInterface() const { return eventInterface_; }
    const std::vector<MemberInfo>& members() const { return members_; }
    const std::vector<EventInfo>& events() const { return events_; }

    // Case-insensitive lookups; null when missing.
    const MemberInfo* findMember(std::string_view name, MemberKind kind) const;
    const EventInfo* findEvent(std::string_view name) const;

    // Runs a member on a control of this class (see IControl::invoke for
    // the errors). Used by ControlBase.
    rt::Variant invoke(ControlBase& control, std::string_view name, MemberKind kind,
                       std::vector<rt::Variant>& args, const rt::Regional& regional) const;

    std::unique_ptr<ControlBase> create(const CreateContext& ctx) const;

private:
    template <class Self> friend class ClassBuilder;
    ControlClass() = default;
    void add(MemberInfo info, Handler handler);

    std::string name_, id_;
    InterfaceInfo defaultInterface_, eventInterface_;
    std::vector<MemberInfo> members_;
    std::vector<Handler> handlers_;
    std::vector<EventInfo> events_;
    Factory factory_;
};

template <class Self>
class ClassBuilder {
public:
    ClassBuilder(std::string name, std::string classId) : cls_(new ControlClass()) {
        cls_->name_ = std::move(name);
        cls_->id_ = std::move(classId);
    }

    ClassBuilder& defaultInterface(std::string name, std::string id) {
        cls_->defaultInterface_ = {std::move(name), std::move(id)};
        return *this;
    }
    ClassBuilder& eventInterface(std::string name, std::string id) {
        cls_->eventInterface_ = {std::move(name), std::move(id)};
        return *this;
    }

    // Property get; index are the index parameters (TextMatrix(Row, Col)).
    template <class F>
    ClassBuilder& get(std::string name, ParamType type, F&& fn, std::vector<ParamInfo> index = {}) {
        MemberInfo m{std::move(name), MemberKind::PropertyGet, std::move(index), type, {}, 0};
        cls_->add(std::move(m), wrapGet(std::forward<F>(fn)));
        return *this;
    }
    // Property let; params end with the assigned value's parameter.
    template <class F>
    ClassBuilder& let(std::string name, std::vector<ParamInfo> params, F&& fn) {
        MemberInfo m{std::move(name), MemberKind::PropertyLet, std::move(params), ParamType::Void, {}, 0};
        cls_->add(std::move(m), wrapAssign(std::forward<F>(fn)));
        return *this;
    }
    // Property set (object reference).
    template <class F>
    ClassBuilder& set(std::string name, std::vector<ParamInfo> params, F&& fn) {
        MemberInfo m{std::move(name), MemberKind::PropertySet, std::move(params), ParamType::Void, {}, 0};
        cls_->add(std::move(m), wrapAssign(std::forward<F>(fn)));
        return *this;
    }
    template <class F>
    ClassBuilder& method(std::string name, std::vector<ParamInfo> params, ParamType result, F&& fn) {
        MemberInfo m{std::move(name), MemberKind::Method, std::move(params), result, {}, 0};
        cls_->add(std::move(m), wrapGet(std::forward<F>(fn)));
        return *this;
    }
    // Help text of the member declared last.
    ClassBuilder& help(std::string text) {
        cls_->members_.back().helpText = std::move(text);
        return *this;
    }
    ClassBuilder& event(std::string name, std::vector<ParamInfo> params) {
        int id = static_cast<int>(cls_->events_.size()) + 1;
        cls_->events_.push_back({std::move(name), std::move(params), id});
        return *this;
    }

    // Finishes the class; controls are built with Self(const CreateContext&)
    // unless a factory is given.
    std::unique_ptr<ControlClass> build() {
        return build([](const CreateContext& ctx) { return std::make_unique<Self>(ctx); });
    }
    template <class Make>
    std::unique_ptr<ControlClass> build(Make make) {
        cls_->factory_ = [make](const CreateContext& ctx) -> std::unique_ptr<ControlBase> { return make(ctx); };
        return std::move(cls_);
    }

private:
    static Self& self(ControlBase& c) { return static_cast<Self&>(c); }

    template <class F>
    static ControlClass::Handler wrapGet(F fn) {
        if constexpr (std::is_invocable_v<F&, Self&, Args&>) {
            return [fn](ControlBase& c, Args& a) mutable -> rt::Variant {
                return result(fn, self(c), a);
            };
        } else {
            static_assert(std::is_invocable_v<F&, Self&>, "a get or method handler takes (Self&, Args&) or (Self&)");
            return [fn](ControlBase& c, Args&) mutable -> rt::Variant { return result(fn, self(c)); };
        }
    }
    template <class F>
    static ControlClass::Handler wrapAssign(F fn) {
        if constexpr (std::is_invocable_v<F&, Self&, Args&>) {
            return [fn](ControlBase& c, Args& a) mutable -> rt::Variant {
                std::invoke(fn, self(c), a);
                return {};
            };
        } else {
            static_assert(std::is_invocable_v<F&, Self&, const rt::Variant&>,
                          "a let or set handler takes (Self&, Args&) or (Self&, const rt::Variant&)");
            return [fn](ControlBase& c, Args& a) mutable -> rt::Variant {
                std::invoke(fn, self(c), std::as_const(a.value()));
                return {};
            };
        }
    }
    template <class F, class... A>
    static rt::Variant result(F& fn, A&&... args) {
        if constexpr (std::is_void_v<std::invoke_result_t<F&, A...>>) {
            std::invoke(fn, std::forward<A>(args)...);
            return {};
        } else {
            return rt::Variant(std::invoke(fn, std::forward<A>(args)...));
        }
    }

    std::unique_ptr<ControlClass> cls_;
};

} // namespace hosting
