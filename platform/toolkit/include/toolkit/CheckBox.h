#pragma once
// CheckBox (kind "CheckBox"). Value: 0 unchecked, 1 checked, 2 grayed.
// Setting Value to a different value raises Click once (setting the value it
// already has raises nothing); a value outside 0..2 raises rt::Error 380 and
// changes nothing. click() is the user's click: only while enabled and
// visible, it moves the focus to the box, then turns 1 into 0 and 0 or 2
// into 1, raising Click.
#include <functional>

#include "toolkit/Control.h"

namespace tk {

class CheckBox : public Control {
public:
    explicit CheckBox(std::string name);

    int value() const { return value_; }
    void setValue(int v);
    bool click();

    std::function<void()> onClick;

private:
    int value_ = 0;
};

} // namespace tk
