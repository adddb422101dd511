#pragma once
// Label: a caption the user cannot focus or edit (kind "Label").
#include "toolkit/Control.h"

namespace tk {

class Label : public Control {
public:
    explicit Label(std::string name) : Control(std::move(name), "Label") { setTabStop(false); }
    bool canFocus() const override { return false; }
};

} // namespace tk
