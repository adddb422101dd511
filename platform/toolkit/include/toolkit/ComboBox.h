#pragma once
// ComboBox: a drop-down combo box with an editable text (kind "ComboBox").
// The text part behaves as EditControl says; the list holds texts in the
// order added.
//
// ListIndex is the selected list entry or -1. Setting it selects the entry:
// the text becomes the entry's text, Click is raised (Change is not, as with
// the classic combo box); setting -1 clears the text. Setting the text, from
// code or by typing, makes ListIndex the first entry equal to the new text
// (exact comparison) or -1. Clear empties the list and the text.
// Up/Down arrows (unless Locked) select the previous/next entry and raise
// Click; F4 or Alt+Down open the list (DropDown).
// Errors: List(i) and RemoveItem(i) with no such entry raise rt::Error 9,
// AddItem beyond the end raises 5, ListIndex outside -1..ListCount-1 raises
// 380; nothing changes on an error.
#include <string>
#include <vector>

#include "toolkit/EditControl.h"

namespace tk {

class ComboBox : public EditControl {
public:
    explicit ComboBox(std::string name);

    // index -1 appends.
    void addItem(std::string item, long index = -1);
    void removeItem(long index);
    void clear();
    long listCount() const { return static_cast<long>(items_.size()); }
    const std::string& list(long index) const;
    void setList(long index, std::string item);
    long listIndex() const { return listIndex_; }
    void setListIndex(long index);

    bool droppedDown() const { return droppedDown_; }
    // User input: opens the list (DropDown), chooses an entry of the open
    // or closed list with the mouse (ListIndex, Click; closes the list), or
    // closes it without choosing.
    bool dropDown();
    bool chooseItem(long index);
    void closeUp() { droppedDown_ = false; }

    std::function<void()> onClick;
    std::function<void()> onDropDown;

protected:
    bool handleKey(int keyCode, int shift) override;
    void textChanged() override;

private:
    void selectEntry(long index);

    std::vector<std::string> items_;
    long listIndex_ = -1;
    bool droppedDown_ = false;
};

} // namespace tk
