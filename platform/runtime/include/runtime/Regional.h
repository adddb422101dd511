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
    // Text of a Boolean ("" & True). Every preset, german() included, keeps
    // the English words "True"/"False", as the classic runtime's "" & True
    // does; toBool() reads these texts and the English ones.
    std::string trueText = "True";
    std::string falseText = "False";

    // German (decimal comma, "." grouping, dd.MM.yyyy) and English (US) settings.
    static Regional german();
    static Regional english();
    // From LC_ALL, LC_NUMERIC / LC_TIME, LANG (in that order of precedence):
    // the number separators from the first of LC_ALL, LC_NUMERIC, LANG that
    // is set, the date form from the first of LC_ALL, LC_TIME, LANG.
    // Unknown or C/POSIX locales give english().
    static Regional fromEnvironment();
    // From a locale name such as "de_DE.UTF-8", "de_AT", "en_GB", "C" (also
    // "de-DE"). Built-in tables by language and territory; the locales
    // installed on the system play no part. de_CH/de_LI: "." and "'";
    // en_GB/IE/AU/NZ/IN: "dd/MM/yyyy"; fr, it, es, nl, pt, pl, cs, da, sv,
    // nb, fi, ru, ... decimal comma with their grouping and date form;
    // unknown languages, "C", "POSIX" and "" give english().
    static Regional fromLocaleName(const std::string& name);
};

} // namespace rt
