#include "toolkit/Keys.h"

#include <string_view>

namespace tk {

KeyStroke keyStrokeFor(char32_t ch) {
    if (ch >= 'a' && ch <= 'z') return {static_cast<int>(ch - 'a' + 'A'), shift::None};
    if (ch >= 'A' && ch <= 'Z') return {static_cast<int>(ch), shift::Shift};
    if (ch >= '0' && ch <= '9') return {static_cast<int>(ch), shift::None};
    if (ch == ' ') return {key::Space, shift::None};
    // Shifted digits of the US layout: !@#$%^&*() on 1..9, 0.
    static constexpr std::u32string_view shiftedDigits = U")!@#$%^&*(";
    if (auto p = shiftedDigits.find(ch); p != std::u32string_view::npos)
        return {static_cast<int>('0' + p), shift::Shift};
    struct Oem { char32_t plain, shifted; int code; };
    static constexpr Oem oem[] = {
        {';', ':', 186}, {'=', '+', 187}, {',', '<', 188}, {'-', '_', 189}, {'.', '>', 190},
        {'/', '?', 191}, {'`', '~', 192}, {'[', '{', 219}, {'\\', '|', 220}, {']', '}', 221},
        {'\'', '"', 222},
    };
    for (const Oem& o : oem) {
        if (ch == o.plain) return {o.code, shift::None};
        if (ch == o.shifted) return {o.code, shift::Shift};
    }
    return {};
}

} // namespace tk
