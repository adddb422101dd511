#include "runtime/Regional.h"

#include <cstdlib>
#include <cstring>

namespace rt {

namespace {

Regional make(const char* decimal, const char* grouping, const char* shortDate) {
    Regional r;
    r.decimal = decimal;
    r.grouping = grouping;
    r.shortDate = shortDate;
    return r;  // trueText/falseText stay "True"/"False"
}

std::string lowerAscii(std::string s) {
    for (auto& c : s)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return s;
}

std::string upperAscii(std::string s) {
    for (auto& c : s)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return s;
}

bool in(const std::string& v, std::initializer_list<const char*> list) {
    for (auto* x : list)
        if (v == x) return true;
    return false;
}

// Settings for a language ("de") and territory ("CH", may be empty). These are
// fixed tables, so the result never depends on the locales installed.
Regional forLanguage(const std::string& lang, const std::string& terr) {
    const char* nbsp = " ";  // plain blank; parseNumber also takes U+00A0/U+202F
    if (lang == "de") {
        if (in(terr, {"CH", "LI"})) return make(".", "'", "dd.MM.yyyy");
        return Regional::german();
    }
    if (lang == "en") {
        if (in(terr, {"GB", "IE", "AU", "NZ", "IN", "SG", "MT"})) return make(".", ",", "dd/MM/yyyy");
        if (terr == "ZA") return make(".", ",", "yyyy/MM/dd");
        if (terr == "CA") return make(".", ",", "yyyy-MM-dd");
        return Regional::english();
    }
    if (lang == "fr") {
        if (terr == "CH") return make(".", "'", "dd.MM.yyyy");
        if (terr == "CA") return make(",", nbsp, "yyyy-MM-dd");
        return make(",", nbsp, "dd/MM/yyyy");
    }
    if (lang == "it") {
        if (terr == "CH") return make(".", "'", "dd.MM.yyyy");
        return make(",", ".", "dd/MM/yyyy");
    }
    if (lang == "es") {
        if (in(terr, {"MX", "US", "PR", "DO", "GT", "HN", "NI", "PA", "SV", "PE"}))
            return make(".", ",", "dd/MM/yyyy");
        return make(",", ".", "dd/MM/yyyy");
    }
    if (lang == "nl") {
        if (terr == "BE") return make(",", ".", "dd/MM/yyyy");
        return make(",", ".", "dd-MM-yyyy");
    }
    if (lang == "pt") return make(",", ".", "dd/MM/yyyy");
    if (lang == "da") return make(",", ".", "dd-MM-yyyy");
    if (lang == "sv") return make(",", nbsp, "yyyy-MM-dd");
    if (in(lang, {"nb", "no", "nn", "fi", "pl", "cs", "sk", "ru", "uk", "be", "bg", "et", "lv", "lt"}))
        return make(",", nbsp, "dd.MM.yyyy");
    if (lang == "hu") return make(",", nbsp, "yyyy.MM.dd.");
    if (in(lang, {"tr", "ro", "hr", "sl", "sr", "bs", "mk", "id"})) return make(",", ".", "dd.MM.yyyy");
    if (in(lang, {"el", "ca", "gl", "eu"})) return make(",", ".", "dd/MM/yyyy");
    if (in(lang, {"ja", "zh"})) return make(".", ",", "yyyy/MM/dd");
    if (lang == "ko") return make(".", ",", "yyyy-MM-dd");
    return Regional::english();
}

const char* env(const char* name) {
    const char* v = std::getenv(name);
    return (v && *v) ? v : nullptr;
}

} // namespace

Regional Regional::german() {
    return make(",", ".", "dd.MM.yyyy");
}

Regional Regional::english() {
    return make(".", ",", "MM/dd/yyyy");
}

Regional Regional::fromLocaleName(const std::string& name) {
    // language[_territory][.codeset][@modifier]; "-" is taken for "_" too.
    std::string n = name.substr(0, name.find_first_of(".@"));
    const auto sep = n.find_first_of("_-");
    std::string lang = lowerAscii(n.substr(0, sep));
    std::string terr = sep == std::string::npos ? std::string() : upperAscii(n.substr(sep + 1));
    if (lang.empty() || lang == "c" || lang == "posix") return english();
    return forLanguage(lang, terr);
}

Regional Regional::fromEnvironment() {
    const char* all = env("LC_ALL");
    const char* numeric = all ? all : env("LC_NUMERIC");
    const char* time = all ? all : env("LC_TIME");
    const char* lang = env("LANG");
    if (!numeric) numeric = lang;
    if (!time) time = lang;
    const Regional num = fromLocaleName(numeric ? numeric : "C");
    const Regional dates = fromLocaleName(time ? time : "C");
    Regional r = num;
    r.shortDate = dates.shortDate;
    return r;
}

} // namespace rt
