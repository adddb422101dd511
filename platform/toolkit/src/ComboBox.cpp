#include "toolkit/ComboBox.h"

#include "runtime/Error.h"
#include "toolkit/Keys.h"

namespace tk {

ComboBox::ComboBox(std::string name) : EditControl(std::move(name), "ComboBox") { setBackColor(kWindowBackground); }

void ComboBox::addItem(std::string item, long index) {
    if (index < -1 || index > listCount()) throw rt::invalidCallError();
    if (index == -1) index = listCount();
    items_.insert(items_.begin() + index, std::move(item));
    if (listIndex_ >= index) ++listIndex_;
}

void ComboBox::removeItem(long index) {
    if (index < 0 || index >= listCount()) throw rt::subscriptError();
    items_.erase(items_.begin() + index);
    if (listIndex_ == index) listIndex_ = -1;
    else if (listIndex_ > index) --listIndex_;
}

void ComboBox::clear() {
    items_.clear();
    listIndex_ = -1;
    setText("");
}

const std::string& ComboBox::list(long index) const {
    if (index < 0 || index >= listCount()) throw rt::subscriptError();
    return items_[static_cast<std::size_t>(index)];
}

void ComboBox::setList(long index, std::string item) {
    if (index < 0 || index >= listCount()) throw rt::subscriptError();
    items_[static_cast<std::size_t>(index)] = std::move(item);
}

void ComboBox::setListIndex(long index) {
    if (index < -1 || index >= listCount()) throw rt::Error(rt::err::InvalidPropertyValue, "Invalid property value");
    if (index == listIndex_) return;
    selectEntry(index);
}

// Selecting an entry writes the text without Change, then raises Click.
void ComboBox::selectEntry(long index) {
    listIndex_ = index;
    buffer().setText(index < 0 ? std::string() : items_[static_cast<std::size_t>(index)]);
    if (index >= 0) buffer().selectAll();
    traceEvent("Click");
    if (onClick) onClick();
}

bool ComboBox::dropDown() {
    if (!acceptsInput()) return false;
    droppedDown_ = true;
    traceEvent("DropDown");
    if (onDropDown) onDropDown();
    return true;
}

bool ComboBox::chooseItem(long index) {
    if (!acceptsInput() || locked() || index < 0 || index >= listCount()) return false;
    droppedDown_ = false;
    selectEntry(index);
    return true;
}

void ComboBox::textChanged() {
    std::string t = text();
    listIndex_ = -1;
    for (long i = 0; i < listCount(); ++i) {
        if (items_[static_cast<std::size_t>(i)] == t) {
            listIndex_ = i;
            break;
        }
    }
}

bool ComboBox::handleKey(int keyCode, int shiftState) {
    if (keyCode == key::F4 || (keyCode == key::Down && (shiftState & shift::Alt))) {
        if (droppedDown_) droppedDown_ = false;
        else dropDown();
        return false;
    }
    if (keyCode == key::Up || keyCode == key::Down) {
        if (locked() || items_.empty()) return false;
        long next = listIndex_;
        if (keyCode == key::Down) next = listIndex_ + 1 < listCount() ? listIndex_ + 1 : listIndex_;
        else next = listIndex_ > 0 ? listIndex_ - 1 : 0;
        if (next != listIndex_) selectEntry(next);
        return false;
    }
    return EditControl::handleKey(keyCode, shiftState);
}

} // namespace tk
