#include "toolkit/Container.h"

#include "runtime/Error.h"
#include "runtime/Text.h"

namespace tk {

Container::Container(std::string name) : name_(std::move(name)), focus_(*this) {}

Container::~Container() {
    // Children end in reverse creation order while the focus manager is
    // still there to forget them.
    while (!owned_.empty()) owned_.pop_back();
}

Control& Container::adopt(std::unique_ptr<Control> c) {
    if (!c || c->name().empty()) throw rt::invalidCallError();
    if (find(c->name())) throw rt::Error(rt::err::InvalidProcedureCall, "Control name already in use: " + c->name());
    c->setParent(this);
    if (trace_ && !c->trace()) c->setTrace(trace_);
    Control& ref = *c;
    order_.push_back(&ref);
    owned_.push_back(std::move(c));
    return ref;
}

Control* Container::find(std::string_view name) const {
    for (Control* c : order_)
        if (rt::text::equalsNoCase(c->name(), name)) return c;
    return nullptr;
}

Control& Container::control(std::string_view name) const {
    if (Control* c = find(name)) return *c;
    throw rt::Error(730, "Control not found: " + std::string(name));
}

void Container::throwKindMismatch(std::string_view name) {
    throw rt::Error(rt::err::TypeMismatch, "Type mismatch: " + std::string(name));
}

void Container::setTrace(EventTrace* t) {
    trace_ = t;
    for (Control* c : order_) c->setTrace(t);
}

void Container::traceEvent(std::string_view event, std::string_view args) const {
    if (trace_) trace_->event(name_, event, args);
}

} // namespace tk
