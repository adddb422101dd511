#include "toolkit/TextBox.h"

#include "toolkit/Keys.h"

namespace tk {

namespace {
std::string mouseArgs(int button, int shift, int x, int y) {
    return std::to_string(button) + "," + std::to_string(shift) + "," + std::to_string(x) + "," + std::to_string(y);
}
} // namespace

TextBox::TextBox(std::string name) : EditControl(std::move(name), "TextBox") { setBackColor(kWindowBackground); }

bool TextBox::mouseDown(int button, int shift, int x, int y) {
    if (!acceptsInput()) return false;
    if (button == button::Left && parent() && !hasFocus()) setFocus();
    traceEvent("MouseDown", mouseArgs(button, shift, x, y));
    if (onMouseDown) onMouseDown(button, shift, x, y);
    return true;
}

bool TextBox::mouseUp(int button, int shift, int x, int y) {
    if (!acceptsInput()) return false;
    traceEvent("MouseUp", mouseArgs(button, shift, x, y));
    if (onMouseUp) onMouseUp(button, shift, x, y);
    return true;
}

} // namespace tk
