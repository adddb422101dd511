#pragma once
// Regional settings: how numbers and dates are written and read in texts
// shown to or typed by the user. Read once from the user's locale and passed
// explicitly to every conversion that depends on it (no hidden global).
#include <string>

namespace rt {

struct Regional {
    std::string decimal = ".";          // decimal separator (one character)
    std::string grouping = ",";         // digit grouping separator (may be empty)
    std::string shortDate = "MM/dd/yyyy"; // d, dd, M, MM, yy, yyyy and literal separators
    std::string trueText = "True";      // text of a Boolean true ("" & True)
    std::string falseText = "False";

    // German (decimal comma, "." grouping, dd.MM.yyyy) and English (US) settings.
    static Regional german();
    static Regional english();
    // From LC_ALL, LC_NUMERIC / LC_TIME, LANG (in that order of precedence).
    // Unknown or C/POSIX locales give english().
    static Regional fromEnvironment();
    // From a locale name such as "de_DE.UTF-8", "de_AT", "en_GB", "C".
    static Regional fromLocaleName(const std::string& name);
};

} // namespace rt
