#include "toolkit/HeadlessUi.h"

#include <algorithm>
#include <ctime>

#include "runtime/Convert.h"
#include "runtime/Error.h"
#include "runtime/Text.h"
#include "toolkit/MenuItem.h"

namespace tk {

namespace {

double localToday() {
    std::time_t now = std::time(nullptr);
    std::tm tm{};
    localtime_r(&now, &tm);
    return rt::dateSerial(tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday);
}

void listItems(const MenuItem& menu, int depth, std::vector<HeadlessUi::MenuEntry>& out) {
    for (const MenuItem* m : menu.items()) {
        out.push_back({m->name(), m->caption(), depth, m->enabled(), m->visible(), m->checked(), m->isSeparator()});
        listItems(*m, depth + 1, out);
    }
}

} // namespace

HeadlessUi::HeadlessUi() : today_(localToday()) {}

const HeadlessUi::MenuEntry* HeadlessUi::MenuRecord::item(std::string_view name) const {
    for (const MenuEntry& e : items)
        if (rt::text::equalsNoCase(e.name, name)) return &e;
    return nullptr;
}

void HeadlessUi::clearLog() {
    boxes_.clear();
    menus_.clear();
    pointers_ = {pointers_.back()};
}

int HeadlessUi::msgBox(std::string_view prompt, int style, std::string_view title) {
    int answer = mb::defaultAnswer(style);
    if (!answers_.empty()) {
        answer = answers_.front();
        answers_.pop_front();
        std::vector<int> buttons = mb::buttonsOf(style);
        if (std::find(buttons.begin(), buttons.end(), answer) == buttons.end())
            throw rt::Error(rt::err::InvalidProcedureCall,
                            "Scripted answer " + std::to_string(answer) + " is no button of message box style " +
                                std::to_string(style));
    }
    boxes_.push_back({std::string(prompt), style, std::string(title), answer});
    return answer;
}

void HeadlessUi::setMousePointer(int shape) { pointers_.push_back(shape); }

MenuItem* HeadlessUi::pickFromMenu(MenuItem& menu, int x, int y, int flags) {
    MenuRecord rec;
    rec.menu = menu.name();
    rec.x = x;
    rec.y = y;
    rec.flags = flags;
    listItems(menu, 0, rec.items);
    MenuItem* chosen = nullptr;
    if (!choices_.empty()) {
        std::string want = std::move(choices_.front());
        choices_.pop_front();
        if (!want.empty()) {
            chosen = menu.findItem(want);
            if (!chosen) {
                menus_.push_back(std::move(rec));
                throw rt::Error(rt::err::InvalidProcedureCall,
                                "Scripted menu choice " + want + " is not in menu " + menu.name());
            }
            // The user cannot click what is disabled, hidden or a separator.
            if (!chosen->canChoose()) chosen = nullptr;
        }
    }
    if (chosen) rec.chosen = chosen->name();
    menus_.push_back(std::move(rec));
    return chosen;
}

} // namespace tk
