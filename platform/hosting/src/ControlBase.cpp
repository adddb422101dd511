#include "hosting/ControlBase.h"

#include "hosting/Boundary.h"
#include "hosting/PropertyBag.h"
#include "runtime/Error.h"

namespace hosting {

namespace {
rt::Error notSet() { return rt::Error(91, "Object variable or With block variable not set"); }
} // namespace

ControlBase::ControlBase(const CreateContext& ctx) : cls_(ctx.cls), library_(ctx.library), site_(ctx.site) {}

ControlBase::~ControlBase() = default;

const std::string& ControlBase::displayName() const {
    return site_.ambient.displayName.empty() ? cls_.name() : site_.ambient.displayName;
}

rt::Variant ControlBase::invoke(std::string_view name, MemberKind kind, std::vector<rt::Variant>& args) {
    return guarded([&] { return cls_.invoke(*this, name, kind, args, site_.ambient.regional); });
}

void ControlBase::initialize() {
    guarded([&] { onInitialize(); });
}

void ControlBase::initProperties() {
    guarded([&] { onInitProperties(); });
}

void ControlBase::readProperties(const PropertyBag& bag) {
    guarded([&] { onReadProperties(bag); });
}

void ControlBase::writeProperties(PropertyBag& bag) {
    guarded([&] { onWriteProperties(bag); });
}

void ControlBase::resize(int width, int height) {
    guarded([&] {
        width_ = width;
        height_ = height;
        onResize();
    });
}

void ControlBase::paint() {
    guarded([&] { onPaint(); });
}

void ControlBase::terminate() {
    if (terminated_) return;
    terminated_ = true;
    guarded([&] { onTerminate(); });
}

tk::UiServices& ControlBase::ui() const {
    if (!site_.ui) throw notSet();
    return *site_.ui;
}

settings::Store& ControlBase::settings() const {
    if (!site_.settings) throw notSet();
    return *site_.settings;
}

void ControlBase::propertyChanged(std::string_view property) {
    if (site_.notify) site_.notify->propertyChanged(displayName(), property);
}

void ControlBase::raiseEvent(std::string_view name, std::vector<rt::Variant>& args) {
    const EventInfo* e = cls_.findEvent(name);
    if (!e || e->params.size() != args.size()) throw rt::invalidCallError();
    if (!site_.events) return;
    // By-value arguments go out as copies, so that only by-reference ones
    // can come back changed.
    std::vector<rt::Variant> sent = args;
    try {
        site_.events->event(displayName(), e->name, sent);
    } catch (...) {
        return;   // the host's own fault; see IEventSink
    }
    for (std::size_t i = 0; i < args.size(); ++i)
        if (e->params[i].byRef) args[i] = std::move(sent[i]);
}

} // namespace hosting
