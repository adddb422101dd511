#include "toolkit/EditControl.h"

#include "runtime/Error.h"
#include "runtime/Text.h"
#include "toolkit/Keys.h"

namespace tk {

namespace {
std::string keyArgs(int keyCode, int shift) { return std::to_string(keyCode) + "," + std::to_string(shift); }

// The character a pressed key types, or 0.
int characterOfKey(int keyCode, int shiftState) {
    if (shiftState & (shift::Ctrl | shift::Alt)) return 0;
    switch (keyCode) {
    case key::Back: return 8;
    case key::Return: return 13;
    case key::Escape: return 27;
    case key::Space: return 32;
    default: return 0;
    }
}
} // namespace

EditControl::EditControl(std::string name, std::string kind) : Control(std::move(name), std::move(kind)) {}

void EditControl::setText(std::string_view t) {
    if (buffer_.setText(t)) {
        textChanged();
        raiseChange();
    }
}

void EditControl::setSelText(std::string_view t) {
    if (buffer_.replaceSelection(t)) {
        textChanged();
        raiseChange();
    }
}

void EditControl::setMaxLength(long n) {
    if (n < 0) throw rt::Error(rt::err::InvalidPropertyValue, "Invalid property value");
    maxLength_ = n;
}

void EditControl::raiseChange() {
    traceEvent("Change");
    if (onChange) onChange();
}

bool EditControl::typeText(std::string_view utf8) {
    if (!acceptsInput()) return false;
    for (std::uint32_t cp : rt::text::toCodePoints(utf8)) {
        KeyStroke ks = keyStrokeFor(static_cast<char32_t>(cp));
        keyStroke(ks.keyCode, ks.shift, static_cast<int>(cp));
    }
    return true;
}

bool EditControl::pressKey(int keyCode, int shift) {
    if (!acceptsInput()) return false;
    keyStroke(keyCode, shift, characterOfKey(keyCode, shift));
    return true;
}

// One keystroke in the classic order; the control keeps receiving the
// keystroke even when a handler hides it or moves the focus, as the
// character of a key is already on its way to the field that had the focus.
void EditControl::keyStroke(int keyCode, int shift, int keyAscii) {
    bool changed = false;
    int code = keyCode, sh = shift;
    traceEvent("KeyDown", keyArgs(code, sh));
    if (onKeyDown) onKeyDown(code, sh);
    if (code != 0) changed = handleKey(code, sh);
    if (keyAscii != 0) {
        int ch = keyAscii;
        traceEvent("KeyPress", std::to_string(ch));
        if (onKeyPress) onKeyPress(ch);
        if (ch == 8) {
            if (!locked_) changed = buffer_.backspace() || changed;
        } else if (ch >= 32 && !locked_) {
            changed = buffer_.typeChar(static_cast<std::uint32_t>(ch), maxLength_) || changed;
        }
    }
    if (changed) {
        textChanged();
        raiseChange();
    }
    int upCode = keyCode, upShift = shift;
    traceEvent("KeyUp", keyArgs(upCode, upShift));
    if (onKeyUp) onKeyUp(upCode, upShift);
}

bool EditControl::handleKey(int keyCode, int shiftState) {
    bool extend = (shiftState & shift::Shift) != 0;
    switch (keyCode) {
    case key::Left: buffer_.caretLeft(extend); return false;
    case key::Right: buffer_.caretRight(extend); return false;
    case key::Home: buffer_.caretHome(extend); return false;
    case key::End: buffer_.caretEnd(extend); return false;
    case key::Delete: return !locked_ && buffer_.deleteForward();
    default: return false;
    }
}

} // namespace tk
