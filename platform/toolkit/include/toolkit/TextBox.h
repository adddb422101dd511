#pragma once
// TextBox: a single-line text box (kind "TextBox"). Text, selection,
// Locked, MaxLength and key events come from EditControl; the text box adds
// the mouse events. A left button press moves the focus to the box first
// (GotFocus before MouseDown), as clicking into a text box does; other
// buttons leave the focus where it is.
#include "toolkit/EditControl.h"

namespace tk {

class TextBox : public EditControl {
public:
    explicit TextBox(std::string name);

    // User input from the mouse; x and y in twips relative to the box.
    // Ignored (false) while disabled or hidden.
    bool mouseDown(int button, int shift, int x, int y);
    bool mouseUp(int button, int shift, int x, int y);

    std::function<void(int button, int shift, int x, int y)> onMouseDown;
    std::function<void(int button, int shift, int x, int y)> onMouseUp;
};

} // namespace tk
