#pragma once
// MenuItem: one entry of a menu tree (kind "Menu"). An item with children
// is a (sub)menu; an item whose caption is "-" is a separator. Items belong
// to the user control that created them (UserControl::addMenu) and appear
// in its controls collection, as classic menus do; they never take the
// focus.
//
// An item can be chosen (by the user, through a popup menu) only when it is
// no separator, has no children, and it and every submenu above it are
// enabled and visible; the top menu (the one shown as a popup, usually
// hidden itself) does not count. The shortcut is stored for display ("Del" next to the caption);
// the model dispatches no shortcut keys.
#include <functional>
#include <string>
#include <vector>

#include "toolkit/Control.h"

namespace tk {

class MenuItem : public Control {
public:
    explicit MenuItem(std::string name, std::string caption = {});

    bool canFocus() const override { return false; }

    bool checked() const { return checked_; }
    void setChecked(bool c) { checked_ = c; }
    bool isSeparator() const { return caption() == "-"; }
    // Key code (tk::key) and shift mask of the shortcut; 0 = none.
    int shortcutKey() const { return shortcutKey_; }
    int shortcutShift() const { return shortcutShift_; }
    void setShortcut(int keyCode, int shift = 0) { shortcutKey_ = keyCode; shortcutShift_ = shift; }

    MenuItem* parentMenu() const { return parentMenu_; }
    const std::vector<MenuItem*>& items() const { return items_; }
    // Adds an item that the caller keeps alive (UserControl::addMenu does).
    void appendItem(MenuItem& child);
    // Depth-first search below this item, by name ignoring case.
    MenuItem* findItem(std::string_view name) const;

    bool canChoose() const;
    void raiseClick();

    std::function<void()> onClick;

private:
    std::vector<MenuItem*> items_;
    MenuItem* parentMenu_ = nullptr;
    bool checked_ = false;
    int shortcutKey_ = 0, shortcutShift_ = 0;
};

} // namespace tk
