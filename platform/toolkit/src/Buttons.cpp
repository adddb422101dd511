#include "runtime/Error.h"
#include "toolkit/CheckBox.h"
#include "toolkit/CommandButton.h"

namespace tk {

CommandButton::CommandButton(std::string name) : Control(std::move(name), "CommandButton") {}

bool CommandButton::click() {
    if (!enabled() || !visible()) return false;
    if (parent() && !hasFocus()) setFocus();
    raiseClick();
    return true;
}

void CommandButton::raiseClick() {
    traceEvent("Click");
    if (onClick) onClick();
}

CheckBox::CheckBox(std::string name) : Control(std::move(name), "CheckBox") {}

void CheckBox::setValue(int v) {
    if (v < 0 || v > 2) throw rt::Error(rt::err::InvalidPropertyValue, "Invalid property value");
    if (v == value_) return;
    value_ = v;
    traceEvent("Click", std::to_string(v));
    if (onClick) onClick();
}

bool CheckBox::click() {
    if (!enabled() || !visible()) return false;
    if (parent() && !hasFocus()) setFocus();
    setValue(value_ == 1 ? 0 : 1);
    return true;
}

} // namespace tk
