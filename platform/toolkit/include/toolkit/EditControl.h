#pragma once
// EditControl: what a text box and the text part of a combo box share - the
// edit field (EditBuffer), Locked, MaxLength, the key events and the input
// methods a front-end (or a test) feeds the user's typing through.
//
// Event order of one key, as the classic controls raise it:
//   KeyDown(keyCode, shift)  - a handler may change keyCode; 0 means the
//                              control does not act on the key itself
//                              (arrows, Home, End, Delete). KeyPress still
//                              follows for keys that type a character.
//   KeyPress(keyAscii)       - only for keys that type a character (printable
//                              characters, Backspace 8, Enter 13, Escape 27).
//                              A handler may replace the character or set 0
//                              to swallow it.
//   Change                   - when the text changed.
//   KeyUp(keyCode, shift)    - with the key code as pressed.
// Locked refuses every change by the user (typing, Backspace, Delete);
// changes from code (Text, SelText) still work, and so do the caret keys.
// MaxLength (0 = no limit) limits typing only, as the classic text box does.
// Input is ignored (the methods return false) while the control is disabled
// or hidden. Change is raised for every change of the text, by the user or
// by code, and never when a set leaves the text as it was.
#include <functional>
#include <string>
#include <string_view>

#include "toolkit/Control.h"
#include "toolkit/EditBuffer.h"

namespace tk {

class EditControl : public Control {
public:
    EditControl(std::string name, std::string kind);

    std::string text() const { return buffer_.text(); }
    void setText(std::string_view t);
    long selStart() const { return buffer_.selStart(); }
    long selLength() const { return buffer_.selLength(); }
    void setSelStart(long s) { buffer_.setSelStart(s); }
    void setSelLength(long l) { buffer_.setSelLength(l); }
    std::string selText() const { return buffer_.selText(); }
    // Replaces the selection; raises Change when the text changed.
    void setSelText(std::string_view t);
    std::size_t textLength() const { return buffer_.length(); }

    bool locked() const { return locked_; }
    void setLocked(bool l) { locked_ = l; }
    long maxLength() const { return maxLength_; }
    // Negative raises rt::Error 380.
    void setMaxLength(long n);

    // User input. typeText types each character of the UTF-8 text as one
    // keystroke; pressKey presses one key (editing keys, Enter, Escape,
    // Backspace; Tab is the focus manager's business, not the field's).
    bool typeText(std::string_view utf8);
    bool pressKey(int keyCode, int shift = 0);

    std::function<void()> onChange;
    std::function<void(int& keyCode, int& shift)> onKeyDown;
    std::function<void(int& keyAscii)> onKeyPress;
    std::function<void(int& keyCode, int& shift)> onKeyUp;

    void raiseChange();

protected:
    bool acceptsInput() const { return enabled() && visible(); }
    // Acts on a key that KeyDown left non-zero; returns whether the text changed.
    virtual bool handleKey(int keyCode, int shift);
    // Called after the text changed by user input or code.
    virtual void textChanged() {}
    EditBuffer& buffer() { return buffer_; }
    const EditBuffer& buffer() const { return buffer_; }

private:
    void keyStroke(int keyCode, int shift, int keyAscii);

    EditBuffer buffer_;
    bool locked_ = false;
    long maxLength_ = 0;
};

} // namespace tk
