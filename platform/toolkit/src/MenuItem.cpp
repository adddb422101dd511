#include "toolkit/MenuItem.h"

#include "runtime/Error.h"
#include "runtime/Text.h"

namespace tk {

MenuItem::MenuItem(std::string name, std::string caption) : Control(std::move(name), "Menu") {
    setCaption(std::move(caption));
    setTabStop(false);
}

void MenuItem::appendItem(MenuItem& child) {
    if (&child == this || child.parentMenu_) throw rt::invalidCallError();
    for (const MenuItem* m = this; m; m = m->parentMenu_)
        if (m == &child) throw rt::invalidCallError();
    child.parentMenu_ = this;
    items_.push_back(&child);
}

MenuItem* MenuItem::findItem(std::string_view name) const {
    for (MenuItem* c : items_) {
        if (rt::text::equalsNoCase(c->name(), name)) return c;
        if (MenuItem* below = c->findItem(name)) return below;
    }
    return nullptr;
}

bool MenuItem::canChoose() const {
    if (isSeparator() || !items_.empty()) return false;
    // The menu shown as a popup may itself be hidden (the usual case); its
    // items and submenus in between must be enabled and visible.
    for (const MenuItem* m = this; m && m->parentMenu_; m = m->parentMenu_)
        if (!m->enabled() || !m->visible()) return false;
    return true;
}

void MenuItem::raiseClick() {
    traceEvent("Click");
    if (onClick) onClick();
}

} // namespace tk
