#include "toolkit/EditBuffer.h"

#include <algorithm>

#include "runtime/Error.h"
#include "runtime/Text.h"

namespace tk {

namespace {
[[noreturn]] void invalidValue() { throw rt::Error(rt::err::InvalidPropertyValue, "Invalid property value"); }
} // namespace

std::string EditBuffer::text() const { return rt::text::fromCodePoints(chars_); }

bool EditBuffer::setText(std::string_view utf8) {
    auto cps = rt::text::toCodePoints(utf8);
    bool changed = cps != chars_;
    chars_ = std::move(cps);
    collapse(0);
    return changed;
}

long EditBuffer::selStart() const { return static_cast<long>(std::min(anchor_, caret_)); }

long EditBuffer::selLength() const {
    return static_cast<long>(anchor_ > caret_ ? anchor_ - caret_ : caret_ - anchor_);
}

void EditBuffer::setSelStart(long start) {
    if (start < 0) invalidValue();
    collapse(std::min(static_cast<std::size_t>(start), chars_.size()));
}

void EditBuffer::setSelLength(long length) {
    if (length < 0) invalidValue();
    std::size_t start = static_cast<std::size_t>(selStart());
    anchor_ = start;
    caret_ = start + std::min(static_cast<std::size_t>(length), chars_.size() - start);
}

void EditBuffer::selectAll() {
    anchor_ = 0;
    caret_ = chars_.size();
}

std::string EditBuffer::selText() const {
    auto b = chars_.begin() + selStart();
    return rt::text::fromCodePoints(std::vector<std::uint32_t>(b, b + selLength()));
}

bool EditBuffer::eraseSelection() {
    if (anchor_ == caret_) return false;
    std::size_t start = static_cast<std::size_t>(selStart());
    chars_.erase(chars_.begin() + start, chars_.begin() + start + selLength());
    collapse(start);
    return true;
}

bool EditBuffer::replaceSelection(std::string_view utf8) {
    bool changed = eraseSelection();
    auto ins = rt::text::toCodePoints(utf8);
    chars_.insert(chars_.begin() + caret_, ins.begin(), ins.end());
    collapse(caret_ + ins.size());
    return changed || !ins.empty();
}

bool EditBuffer::typeChar(std::uint32_t ch, long maxLength) {
    if (maxLength > 0 && chars_.size() - selLength() + 1 > static_cast<std::size_t>(maxLength)) return false;
    eraseSelection();
    chars_.insert(chars_.begin() + caret_, ch);
    collapse(caret_ + 1);
    return true;
}

void EditBuffer::moveCaret(std::size_t pos, bool extend) {
    caret_ = pos;
    if (!extend) anchor_ = pos;
}

// Without Shift an arrow key on a selection drops it and leaves the caret
// at the selection's edge on the arrow's side, as the classic edit field does.
void EditBuffer::caretLeft(bool extend) {
    if (!extend && anchor_ != caret_) {
        collapse(static_cast<std::size_t>(selStart()));
        return;
    }
    moveCaret(caret_ > 0 ? caret_ - 1 : 0, extend);
}

void EditBuffer::caretRight(bool extend) {
    if (!extend && anchor_ != caret_) {
        collapse(static_cast<std::size_t>(selStart() + selLength()));
        return;
    }
    moveCaret(std::min(caret_ + 1, chars_.size()), extend);
}

void EditBuffer::caretHome(bool extend) { moveCaret(0, extend); }
void EditBuffer::caretEnd(bool extend) { moveCaret(chars_.size(), extend); }

bool EditBuffer::deleteForward() {
    if (eraseSelection()) return true;
    if (caret_ >= chars_.size()) return false;
    chars_.erase(chars_.begin() + caret_);
    return true;
}

bool EditBuffer::backspace() {
    if (eraseSelection()) return true;
    if (caret_ == 0) return false;
    chars_.erase(chars_.begin() + caret_ - 1);
    collapse(caret_ - 1);
    return true;
}

} // namespace tk
