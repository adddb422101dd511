#pragma once
// HeadlessUi: UiServices without a screen, driven by a script and keeping a
// log, for tests and tools.
//
// Script: queueAnswer(a) queues the answer of the next message box,
// queueMenuChoice(name) the item to choose in the next popup menu ("" =
// choose nothing). The two queues are separate and each is consumed in
// order. With its queue empty a message box answers with its default button
// and a popup menu chooses nothing.
// A queued answer that is not a button of the box's style, or a queued item
// that is not in the menu shown, raises rt::Error 5 from msgBox/popupMenu
// (a broken script, not a user action); the entry is consumed. A queued item
// that the user could not choose (disabled, hidden, a separator or a
// submenu) chooses nothing, as a click on it would.
// Log: every box (prompt, style, title, answer) and every menu (its items
// with their state, position, what was chosen) in order; every change of
// the mouse pointer (pointerHistory starts with the initial 0).
// Clipboard in memory; today's date settable (default: the local date of
// the system clock when the object was made); version settable.
#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "toolkit/UiServices.h"

namespace tk {

class HeadlessUi : public UiServices {
public:
    HeadlessUi();

    struct BoxRecord {
        std::string prompt;
        int style = 0;
        std::string title;
        int answer = 0;
    };
    struct MenuEntry {
        std::string name, caption;
        int depth = 0;   // 0 for the items directly in the menu shown
        bool enabled = true, visible = true, checked = false, separator = false;
    };
    struct MenuRecord {
        std::string menu;             // name of the menu shown
        int x = 0, y = 0, flags = 0;
        std::vector<MenuEntry> items; // depth-first, every item below the menu
        std::string chosen;           // "" when nothing was chosen
        // The entry of an item by name (ignoring case); nullptr when absent.
        const MenuEntry* item(std::string_view name) const;
    };

    void queueAnswer(int answer) { answers_.push_back(answer); }
    void queueMenuChoice(std::string itemName) { choices_.push_back(std::move(itemName)); }
    std::size_t pendingAnswers() const { return answers_.size(); }
    std::size_t pendingMenuChoices() const { return choices_.size(); }

    const std::vector<BoxRecord>& boxes() const { return boxes_; }
    const std::vector<MenuRecord>& menus() const { return menus_; }
    const std::vector<int>& pointerHistory() const { return pointers_; }
    void clearLog();

    void setToday(double serial) { today_ = serial; }
    void setVersion(Version v) { version_ = v; }

    int msgBox(std::string_view prompt, int style = mb::OKOnly, std::string_view title = {}) override;
    int mousePointer() const override { return pointers_.back(); }
    void setMousePointer(int shape) override;
    bool clipboardHasText() const override { return clipboard_.has_value(); }
    std::string clipboardText() const override { return clipboard_.value_or(std::string()); }
    void setClipboardText(std::string_view text) override { clipboard_ = std::string(text); }
    void clearClipboard() override { clipboard_.reset(); }
    EventQueue& events() override { return events_; }
    Version version() const override { return version_; }
    double today() const override { return today_; }

protected:
    MenuItem* pickFromMenu(MenuItem& menu, int x, int y, int flags) override;

private:
    std::deque<int> answers_;
    std::deque<std::string> choices_;
    std::vector<BoxRecord> boxes_;
    std::vector<MenuRecord> menus_;
    std::vector<int> pointers_{0};
    std::optional<std::string> clipboard_;
    EventQueue events_;
    Version version_;
    double today_ = 0;
};

} // namespace tk
