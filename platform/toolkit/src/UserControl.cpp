#include "toolkit/UserControl.h"

#include "runtime/Error.h"

namespace tk {

UserControl::UserControl(std::string name) : Container(std::move(name)) {}

void UserControl::resize(int width, int height) {
    if (width < 0 || height < 0) throw rt::Error(rt::err::InvalidPropertyValue, "Invalid property value");
    width_ = width;
    height_ = height;
    traceEvent("Resize");
    if (onResize) onResize();
}

void UserControl::initialize() {
    traceEvent("Initialize");
    if (onInitialize) onInitialize();
}

void UserControl::paint() {
    traceEvent("Paint");
    if (onPaint) onPaint();
}

void UserControl::terminate() {
    traceEvent("Terminate");
    if (onTerminate) onTerminate();
}

void UserControl::raiseEnterFocus() {
    traceEvent("EnterFocus");
    if (onEnterFocus) onEnterFocus();
}

void UserControl::raiseExitFocus() {
    traceEvent("ExitFocus");
    if (onExitFocus) onExitFocus();
}

MenuItem& UserControl::addMenu(std::string name, std::string caption, MenuItem* parent) {
    if (parent && parent->parent() != this) throw rt::invalidCallError();
    MenuItem& item = add<MenuItem>(std::move(name), std::move(caption));
    if (parent) parent->appendItem(item);
    return item;
}

MenuItem& UserControl::menu(std::string_view name) const {
    auto* m = dynamic_cast<MenuItem*>(find(name));
    if (!m) throw rt::Error(730, "Control not found: " + std::string(name));
    return *m;
}

} // namespace tk
