#pragma once
// CommandButton (kind "CommandButton"). click() is the user's click: only
// while the button is enabled and visible, it first moves the focus to the
// button (LostFocus/GotFocus, when it sits in a container) and then raises
// Click. raiseClick() raises Click from code, whatever the state (as setting
// the classic button's Value does).
#include <functional>

#include "toolkit/Control.h"

namespace tk {

class CommandButton : public Control {
public:
    explicit CommandButton(std::string name);

    bool click();
    void raiseClick();

    std::function<void()> onClick;
};

} // namespace tk
