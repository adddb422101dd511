#include "toolkit/Control.h"

#include "runtime/Error.h"
#include "toolkit/Container.h"

namespace tk {

Control::Control(std::string name, std::string kind) : name_(std::move(name)), kind_(std::move(kind)) {}

Control::~Control() {
    if (parent_) parent_->focus().forget(*this);
}

void Control::setWidth(int v) {
    if (v < 0) throw rt::Error(rt::err::InvalidPropertyValue, "Invalid property value");
    width_ = v;
}

void Control::setHeight(int v) {
    if (v < 0) throw rt::Error(rt::err::InvalidPropertyValue, "Invalid property value");
    height_ = v;
}

void Control::move(int left, int top, int width, int height) {
    if (width < 0 || height < 0) throw rt::Error(rt::err::InvalidPropertyValue, "Invalid property value");
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
}

void Control::setFocus() {
    if (parent_) {
        parent_->focus().setFocus(*this);
        return;
    }
    // A control outside any container has no focus to track; it still
    // refuses as a placed one would and reports the focus it was given.
    if (!canFocus()) throw rt::invalidCallError();
    raiseGotFocus();
}

bool Control::hasFocus() const { return parent_ && parent_->focus().focused() == this; }

void Control::raiseGotFocus() {
    traceEvent("GotFocus");
    if (onGotFocus) onGotFocus();
}

void Control::raiseLostFocus() {
    traceEvent("LostFocus");
    if (onLostFocus) onLostFocus();
}

void Control::traceEvent(std::string_view event, std::string_view args) const {
    if (trace_) trace_->event(name_, event, args);
}

} // namespace tk
