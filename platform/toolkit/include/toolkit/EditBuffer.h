#pragma once
// EditBuffer: the text and selection of a single-line edit field (text box,
// the text part of a combo box). Counts characters (code points), never
// bytes. Invalid UTF-8 bytes count as one character each and are kept.
//
// Selection: an anchor and a caret; SelStart is the smaller, SelLength the
// distance. Setting the text puts the caret at 0 with nothing selected.
// Setting SelStart beyond the end puts it at the end and clears the
// selection; SelLength is limited to the characters after SelStart.
// Negative SelStart or SelLength raise rt::Error 380 and change nothing.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tk {

class EditBuffer {
public:
    std::string text() const;
    // Returns whether the text changed.
    bool setText(std::string_view utf8);
    std::size_t length() const { return chars_.size(); }

    long selStart() const;
    long selLength() const;
    void setSelStart(long start);
    void setSelLength(long length);
    void selectAll();
    std::string selText() const;
    // Replaces the selection (or inserts at the caret); the caret ends
    // behind the inserted text with nothing selected. Returns whether the
    // text changed.
    bool replaceSelection(std::string_view utf8);
    // Typing: like replaceSelection with one character, but refused (false)
    // when maxLength > 0 and the text would grow beyond it.
    bool typeChar(std::uint32_t ch, long maxLength);

    // Editing keys. `extend` keeps the anchor (Shift held). The deleting
    // ones return whether the text changed.
    void caretLeft(bool extend);
    void caretRight(bool extend);
    void caretHome(bool extend);
    void caretEnd(bool extend);
    bool deleteForward();
    bool backspace();

    std::size_t caret() const { return caret_; }

private:
    void collapse(std::size_t pos) { anchor_ = caret_ = pos; }
    void moveCaret(std::size_t pos, bool extend);
    bool eraseSelection();

    std::vector<std::uint32_t> chars_;
    std::size_t anchor_ = 0, caret_ = 0;
};

} // namespace tk
