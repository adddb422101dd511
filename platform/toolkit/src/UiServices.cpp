#include "toolkit/UiServices.h"

#include "runtime/Convert.h"
#include "runtime/Error.h"
#include "toolkit/MenuItem.h"

namespace tk {

namespace mb {

std::vector<int> buttonsOf(int style) {
    switch (style & 0xF) {
    case OKCancel: return {OK, Cancel};
    case AbortRetryIgnore: return {Abort, Retry, Ignore};
    case YesNoCancel: return {Yes, No, Cancel};
    case YesNo: return {Yes, No};
    case RetryCancel: return {Retry, Cancel};
    default: return {OK};
    }
}

int defaultAnswer(int style) {
    std::vector<int> buttons = buttonsOf(style);
    std::size_t index = static_cast<std::size_t>((style & 0xF00) >> 8);
    return index < buttons.size() ? buttons[index] : buttons.front();
}

} // namespace mb

MenuItem* UiServices::popupMenu(MenuItem& menu, int x, int y, int flags) {
    MenuItem* chosen = pickFromMenu(menu, x, y, flags);
    if (!chosen) return nullptr;
    if (chosen != menu.findItem(chosen->name()) || !chosen->canChoose()) return nullptr;
    chosen->raiseClick();
    return chosen;
}

std::string UiServices::todayText(const rt::Regional& r) const { return rt::shortDateText(today(), r); }

} // namespace tk
