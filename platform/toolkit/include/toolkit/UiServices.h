#pragma once
// UiServices: what the controls need of the desktop beyond their own child
// controls - message boxes, popup menus, the screen's mouse pointer, the
// clipboard (text only), pending window events (DoEvents), the library's
// version numbers and today's date. One object per user-interface thread,
// passed explicitly. HeadlessUi implements it for tests and tools; the
// front-end implements it with real windows.
#include <string>
#include <string_view>
#include <vector>

#include "runtime/Regional.h"
#include "toolkit/EventQueue.h"

namespace tk {

class MenuItem;

// Style flags and answers of msgBox, with the classic values.
namespace mb {
inline constexpr int OKOnly = 0;
inline constexpr int OKCancel = 1;
inline constexpr int AbortRetryIgnore = 2;
inline constexpr int YesNoCancel = 3;
inline constexpr int YesNo = 4;
inline constexpr int RetryCancel = 5;
inline constexpr int Critical = 16;
inline constexpr int Question = 32;
inline constexpr int Exclamation = 48;
inline constexpr int Information = 64;
inline constexpr int DefaultButton1 = 0;
inline constexpr int DefaultButton2 = 256;
inline constexpr int DefaultButton3 = 512;

inline constexpr int OK = 1;
inline constexpr int Cancel = 2;
inline constexpr int Abort = 3;
inline constexpr int Retry = 4;
inline constexpr int Ignore = 5;
inline constexpr int Yes = 6;
inline constexpr int No = 7;

// The answers a style offers, in button order (e.g. YesNo: {6, 7}); styles
// above 5 in the low bits offer OK only.
std::vector<int> buttonsOf(int style);
// The answer of the style's default button (a default beyond the last
// button is the first button).
int defaultAnswer(int style);
} // namespace mb

// PopupMenu flag: the right mouse button can choose an item too.
inline constexpr int kPopupRightButton = 2;

struct Version {
    int major = 0, minor = 0, revision = 0;
};

class UiServices {
public:
    virtual ~UiServices() = default;

    // Shows a modal message box and returns the answer (mb::OK, ...). An
    // empty title means the program's default caption.
    virtual int msgBox(std::string_view prompt, int style = mb::OKOnly, std::string_view title = {}) = 0;

    // Shows `menu`'s items as a popup menu at (x, y), twips in the user
    // control's coordinates; returns the chosen item, or nullptr when the
    // user chose nothing. The chosen item's Click is raised before this
    // returns. Only an item that MenuItem::canChoose() can be chosen.
    MenuItem* popupMenu(MenuItem& menu, int x, int y, int flags = 0);

    // The screen's mouse pointer (tk::pointer: 0 default, 11 hourglass).
    virtual int mousePointer() const = 0;
    virtual void setMousePointer(int shape) = 0;

    // Clipboard, text format only. clipboardText() is "" when it holds no
    // text.
    virtual bool clipboardHasText() const = 0;
    virtual std::string clipboardText() const = 0;
    virtual void setClipboardText(std::string_view text) = 0;
    virtual void clearClipboard() = 0;

    // Pending window events of this thread; doEvents() lets them run.
    virtual EventQueue& events() = 0;
    std::size_t doEvents() { return events().doEvents(); }

    // The calling library's version (App.Major, App.Minor, App.Revision).
    virtual Version version() const = 0;
    // Today as a date serial (days since 1899-12-30, no time part).
    virtual double today() const = 0;
    // Today as short date text under the given regional settings.
    std::string todayText(const rt::Regional& r) const;

protected:
    // Shows the menu and returns the item the user picked, or nullptr;
    // popupMenu() checks the pick and raises its Click.
    virtual MenuItem* pickFromMenu(MenuItem& menu, int x, int y, int flags) = 0;
};

} // namespace tk
