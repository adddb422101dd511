#include "runtime/Text.h"

#include "runtime/Error.h"

namespace rt::text {

namespace {

// One decoded character: its code point and its length in bytes. A byte that
// does not start a well-formed UTF-8 sequence is one character of length 1
// whose code is 0xDC00 + byte (the "surrogate escape"; never a valid scalar).
struct Decoded {
    std::uint32_t cp;
    std::size_t size;
};

inline bool isCont(unsigned char c) { return (c & 0xC0) == 0x80; }

Decoded decodeAt(std::string_view s, std::size_t i) {
    const auto b0 = static_cast<unsigned char>(s[i]);
    const std::size_t rest = s.size() - i;
    if (b0 < 0x80) return {b0, 1};
    const Decoded bad{0xDC00u + b0, 1};
    if (b0 >= 0xC2 && b0 <= 0xDF) {
        if (rest >= 2 && isCont(static_cast<unsigned char>(s[i + 1])))
            return {(std::uint32_t(b0 & 0x1F) << 6) | (static_cast<unsigned char>(s[i + 1]) & 0x3F), 2};
        return bad;
    }
    if (b0 >= 0xE0 && b0 <= 0xEF) {
        if (rest < 3) return bad;
        const auto b1 = static_cast<unsigned char>(s[i + 1]);
        const auto b2 = static_cast<unsigned char>(s[i + 2]);
        const unsigned char lo = b0 == 0xE0 ? 0xA0 : 0x80;
        const unsigned char hi = b0 == 0xED ? 0x9F : 0xBF;
        if (b1 < lo || b1 > hi || !isCont(b2)) return bad;
        return {(std::uint32_t(b0 & 0x0F) << 12) | (std::uint32_t(b1 & 0x3F) << 6) | (b2 & 0x3F), 3};
    }
    if (b0 >= 0xF0 && b0 <= 0xF4) {
        if (rest < 4) return bad;
        const auto b1 = static_cast<unsigned char>(s[i + 1]);
        const auto b2 = static_cast<unsigned char>(s[i + 2]);
        const auto b3 = static_cast<unsigned char>(s[i + 3]);
        const unsigned char lo = b0 == 0xF0 ? 0x90 : 0x80;
        const unsigned char hi = b0 == 0xF4 ? 0x8F : 0xBF;
        if (b1 < lo || b1 > hi || !isCont(b2) || !isCont(b3)) return bad;
        return {(std::uint32_t(b0 & 0x07) << 18) | (std::uint32_t(b1 & 0x3F) << 12) |
                    (std::uint32_t(b2 & 0x3F) << 6) | (b3 & 0x3F),
                4};
    }
    return bad;
}

void append(std::string& out, std::uint32_t cp) {
    if (cp >= 0xDC80 && cp <= 0xDCFF) {  // surrogate escape: the raw byte back
        out.push_back(static_cast<char>(cp - 0xDC00));
        return;
    }
    if ((cp >= 0xD800 && cp <= 0xDFFF) || cp > 0x10FFFF) cp = 0xFFFD;
    if (cp < 0x80) {
        out.push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else if (cp < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
}

// Byte offset of the character with 0-based index n (s.size() if beyond).
std::size_t offsetOf(std::string_view s, std::size_t n) {
    std::size_t i = 0;
    while (n > 0 && i < s.size()) {
        i += decodeAt(s, i).size;
        --n;
    }
    return i;
}

template <class Map>
std::string mapChars(std::string_view s, Map map) {
    std::string out;
    out.reserve(s.size());
    for (std::size_t i = 0; i < s.size();) {
        const Decoded d = decodeAt(s, i);
        if (d.cp >= 0x80 && d.size == 1) {
            out.push_back(s[i]);  // invalid byte kept unchanged
        } else {
            append(out, map(d.cp));
        }
        i += d.size;
    }
    return out;
}

std::size_t findCodePoints(std::size_t start, const std::vector<std::uint32_t>& h,
                           const std::vector<std::uint32_t>& n) {
    if (start < 1) throw invalidCallError();
    if (start > h.size() + 1) return 0;
    if (n.empty()) return start;
    if (n.size() > h.size()) return 0;
    for (std::size_t i = start - 1; i + n.size() <= h.size(); ++i) {
        std::size_t k = 0;
        while (k < n.size() && h[i + k] == n[k]) ++k;
        if (k == n.size()) return i + 1;
    }
    return 0;
}

std::vector<std::uint32_t> upperCodePoints(std::string_view s) {
    auto v = toCodePoints(s);
    for (auto& c : v) c = upperChar(c);
    return v;
}

} // namespace

std::size_t len(std::string_view s) {
    std::size_t n = 0;
    for (std::size_t i = 0; i < s.size(); i += decodeAt(s, i).size) ++n;
    return n;
}

std::string left(std::string_view s, std::size_t n) { return std::string(s.substr(0, offsetOf(s, n))); }

std::string right(std::string_view s, std::size_t n) {
    const std::size_t total = len(s);
    if (n >= total) return std::string(s);
    return std::string(s.substr(offsetOf(s, total - n)));
}

std::string mid(std::string_view s, std::size_t start) {
    if (start < 1) throw invalidCallError();
    return std::string(s.substr(offsetOf(s, start - 1)));
}

std::string mid(std::string_view s, std::size_t start, std::size_t n) {
    if (start < 1) throw invalidCallError();
    const std::size_t b = offsetOf(s, start - 1);
    const std::string_view tail = s.substr(b);
    return std::string(tail.substr(0, offsetOf(tail, n)));
}

std::uint32_t upperChar(std::uint32_t c) {
    if (c < 0x80) return (c >= 'a' && c <= 'z') ? c - 0x20 : c;
    if (c < 0x100) {
        if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return c - 0x20;
        if (c == 0xFF) return 0x178;
        return c;  // includes ß (U+00DF) and µ (U+00B5), which stay
    }
    if (c < 0x180) {
        if (c == 0x131) return 'I';
        if ((c >= 0x100 && c <= 0x137) || (c >= 0x14A && c <= 0x177)) return (c & 1) ? c - 1 : c;
        if ((c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E)) return (c & 1) ? c : c - 1;
        return c;
    }
    if (c >= 0x370 && c < 0x400) {  // Greek
        if (c == 0x3C2) return 0x3A3;
        if (c >= 0x3B1 && c <= 0x3CB) return c - 0x20;
        if (c == 0x3AC) return 0x386;
        if (c >= 0x3AD && c <= 0x3AF) return c - 0x25;
        if (c == 0x3CC) return 0x38C;
        if (c == 0x3CD || c == 0x3CE) return c - 0x3F;
        return c;
    }
    if (c >= 0x400 && c < 0x530) {  // Cyrillic
        if (c >= 0x430 && c <= 0x44F) return c - 0x20;
        if (c >= 0x450 && c <= 0x45F) return c - 0x50;
        if ((c >= 0x460 && c <= 0x481) || (c >= 0x48A && c <= 0x4BF) || (c >= 0x4D0 && c <= 0x52F))
            return (c & 1) ? c - 1 : c;
        if (c >= 0x4C1 && c <= 0x4CE) return (c & 1) ? c : c - 1;
        if (c == 0x4CF) return 0x4C0;
        return c;
    }
    return c;
}

std::uint32_t lowerChar(std::uint32_t c) {
    if (c < 0x80) return (c >= 'A' && c <= 'Z') ? c + 0x20 : c;
    if (c < 0x100) {
        if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return c + 0x20;
        return c;
    }
    if (c < 0x180) {
        if (c == 0x130) return 'i';
        if (c == 0x178) return 0xFF;
        if ((c >= 0x100 && c <= 0x137) || (c >= 0x14A && c <= 0x177)) return (c & 1) ? c : c + 1;
        if ((c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E)) return (c & 1) ? c + 1 : c;
        return c;
    }
    if (c >= 0x370 && c < 0x400) {  // Greek
        if (c >= 0x391 && c <= 0x3AB && c != 0x3A2) return c + 0x20;
        if (c == 0x386) return 0x3AC;
        if (c >= 0x388 && c <= 0x38A) return c + 0x25;
        if (c == 0x38C) return 0x3CC;
        if (c == 0x38E || c == 0x38F) return c + 0x3F;
        return c;
    }
    if (c >= 0x400 && c < 0x530) {  // Cyrillic
        if (c >= 0x410 && c <= 0x42F) return c + 0x20;
        if (c >= 0x400 && c <= 0x40F) return c + 0x50;
        if ((c >= 0x460 && c <= 0x481) || (c >= 0x48A && c <= 0x4BF) || (c >= 0x4D0 && c <= 0x52F))
            return (c & 1) ? c : c + 1;
        if (c >= 0x4C1 && c <= 0x4CE) return (c & 1) ? c + 1 : c;
        if (c == 0x4C0) return 0x4CF;
        return c;
    }
    return c;
}

std::string upper(std::string_view s) { return mapChars(s, upperChar); }
std::string lower(std::string_view s) { return mapChars(s, lowerChar); }

std::string ltrim(std::string_view s) {
    std::size_t b = 0;
    while (b < s.size() && s[b] == ' ') ++b;
    return std::string(s.substr(b));
}

std::string rtrim(std::string_view s) {
    std::size_t e = s.size();
    while (e > 0 && s[e - 1] == ' ') --e;
    return std::string(s.substr(0, e));
}

std::string trim(std::string_view s) {
    std::size_t b = 0, e = s.size();
    while (b < e && s[b] == ' ') ++b;
    while (e > b && s[e - 1] == ' ') --e;
    return std::string(s.substr(b, e - b));
}

std::size_t instrNoCase(std::size_t start, std::string_view haystack, std::string_view needle) {
    return findCodePoints(start, upperCodePoints(haystack), upperCodePoints(needle));
}

std::size_t instr(std::size_t start, std::string_view haystack, std::string_view needle) {
    return findCodePoints(start, toCodePoints(haystack), toCodePoints(needle));
}

int compareNoCase(std::string_view a, std::string_view b) {
    std::size_t i = 0, j = 0;
    while (i < a.size() && j < b.size()) {
        const Decoded da = decodeAt(a, i), db = decodeAt(b, j);
        const std::uint32_t ca = upperChar(da.cp), cb = upperChar(db.cp);
        if (ca != cb) return ca < cb ? -1 : 1;
        i += da.size;
        j += db.size;
    }
    if (i < a.size()) return 1;
    if (j < b.size()) return -1;
    return 0;
}

bool equalsNoCase(std::string_view a, std::string_view b) { return compareNoCase(a, b) == 0; }

std::uint32_t ascW(std::string_view s) {
    if (s.empty()) throw invalidCallError();
    return decodeAt(s, 0).cp;
}

std::string chrW(std::uint32_t code) {
    std::string out;
    append(out, code);
    return out;
}

bool startsWith(std::string_view s, std::string_view prefix) { return s.substr(0, prefix.size()) == prefix; }

std::vector<std::uint32_t> toCodePoints(std::string_view s) {
    std::vector<std::uint32_t> out;
    out.reserve(s.size());
    for (std::size_t i = 0; i < s.size();) {
        const Decoded d = decodeAt(s, i);
        out.push_back(d.cp);
        i += d.size;
    }
    return out;
}

std::string fromCodePoints(const std::vector<std::uint32_t>& cps) {
    std::string out;
    out.reserve(cps.size());
    for (auto c : cps) append(out, c);
    return out;
}

} // namespace rt::text
