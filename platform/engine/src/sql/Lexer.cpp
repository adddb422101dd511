#include "sql/Lexer.h"

#include <cstdio>

namespace engine::sql {

namespace {

bool isAsciiAlpha(unsigned char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool isDigit(unsigned char c) { return c >= '0' && c <= '9'; }
// Characters of a bare name: letters, digits, underscore and any non-ASCII
// byte (UTF-8 letters such as umlauts).
bool isNameChar(unsigned char c) { return isAsciiAlpha(c) || isDigit(c) || c == '_' || c >= 0x80; }

bool lowerEq(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        unsigned char x = static_cast<unsigned char>(a[i]), y = static_cast<unsigned char>(b[i]);
        if (x >= 'A' && x <= 'Z') x = static_cast<unsigned char>(x + 32);
        if (y >= 'A' && y <= 'Z') y = static_cast<unsigned char>(y + 32);
        if (x != y) return false;
    }
    return true;
}

int daysInMonth(int y, int m) {
    static const int d[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (m == 2 && ((y % 4 == 0 && y % 100 != 0) || y % 400 == 0)) return 29;
    return d[m - 1];
}

// Reads up to maxDigits digits; false when there are none.
bool readInt(std::string_view s, std::size_t& i, int& out, int maxDigits) {
    std::size_t start = i;
    long v = 0;
    while (i < s.size() && isDigit(static_cast<unsigned char>(s[i])) && i - start < static_cast<std::size_t>(maxDigits)) {
        v = v * 10 + (s[i] - '0');
        ++i;
    }
    out = static_cast<int>(v);
    return i > start;
}

void skipBlanks(std::string_view s, std::size_t& i) {
    while (i < s.size() && (s[i] == ' ' || s[i] == '\t')) ++i;
}

} // namespace

bool Token::isWord(std::string_view kw) const { return type == TokenType::Word && lowerEq(text, kw); }

bool parseDateLiteral(std::string_view s, std::string& iso) {
    std::size_t i = 0;
    skipBlanks(s, i);
    int y = 1899, mo = 12, d = 30, h = 0, mi = 0, se = 0;
    bool haveDate = false;
    // Date part: look for a separator after the first number.
    std::size_t probe = i;
    int a = 0;
    if (readInt(s, probe, a, 4) && probe < s.size() && (s[probe] == '-' || s[probe] == '/' || s[probe] == '.')) {
        char sep = s[probe];
        int b = 0, c = 0;
        std::size_t j = probe + 1;
        std::size_t firstLen = probe - i;
        if (!readInt(s, j, b, 2) || j >= s.size() || s[j] != sep) return false;
        ++j;
        std::size_t cStart = j;
        if (!readInt(s, j, c, 4)) return false;
        std::size_t cLen = j - cStart;
        if (sep == '-' || firstLen == 4) {            // yyyy-mm-dd
            if (firstLen != 4) return false;
            y = a; mo = b; d = c;
        } else if (sep == '/') {                       // m/d/yyyy
            mo = a; d = b; y = c;
            if (cLen <= 2) y += (y < 30 ? 2000 : 1900);
        } else {                                       // d.m.yyyy
            d = a; mo = b; y = c;
            if (cLen <= 2) y += (y < 30 ? 2000 : 1900);
        }
        if (y < 100 || y > 9999 || mo < 1 || mo > 12 || d < 1 || d > daysInMonth(y, mo)) return false;
        haveDate = true;
        i = j;
        skipBlanks(s, i);
    }
    if (i < s.size()) {
        if (!readInt(s, i, h, 2) || i >= s.size() || s[i] != ':') return false;
        ++i;
        if (!readInt(s, i, mi, 2)) return false;
        if (i < s.size() && s[i] == ':') {
            ++i;
            if (!readInt(s, i, se, 2)) return false;
        }
        skipBlanks(s, i);
        if (i + 1 < s.size() + 0 && i + 2 <= s.size()) {
            std::string_view ap = s.substr(i, 2);
            if (lowerEq(ap, "am") || lowerEq(ap, "pm")) {
                if (h < 1 || h > 12) return false;
                if (lowerEq(ap, "pm") && h != 12) h += 12;
                if (lowerEq(ap, "am") && h == 12) h = 0;
                i += 2;
                skipBlanks(s, i);
            }
        }
        if (h > 23 || mi > 59 || se > 59) return false;
    } else if (!haveDate) {
        return false;
    }
    if (i != s.size()) return false;
    char buf[80];
    std::snprintf(buf, sizeof buf, "%04d-%02d-%02d %02d:%02d:%02d", y, mo, d, h, mi, se);
    iso = buf;
    return true;
}

std::vector<Token> tokenize(std::string_view s) {
    std::vector<Token> out;
    std::size_t i = 0;
    const std::size_t n = s.size();
    auto push = [&](TokenType t, std::string text, std::size_t pos, std::size_t end) {
        out.push_back(Token{t, std::move(text), pos, end});
    };
    while (i < n) {
        unsigned char c = static_cast<unsigned char>(s[i]);
        if (c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '\v') { ++i; continue; }
        std::size_t start = i;
        if (c == '[') {
            std::size_t close = s.find(']', i + 1);
            if (close == std::string_view::npos) { push(TokenType::Invalid, std::string(s.substr(i)), i, n); i = n; continue; }
            push(TokenType::Bracketed, std::string(s.substr(i + 1, close - i - 1)), i, close + 1);
            i = close + 1;
            continue;
        }
        if (c == '\'' || c == '"') {
            std::string value;
            std::size_t j = i + 1;
            bool closed = false;
            while (j < n) {
                if (s[j] == static_cast<char>(c)) {
                    if (j + 1 < n && s[j + 1] == static_cast<char>(c)) { value += static_cast<char>(c); j += 2; continue; }
                    closed = true;
                    ++j;
                    break;
                }
                value += s[j++];
            }
            if (!closed) { push(TokenType::Invalid, std::string(s.substr(i)), i, n); i = n; continue; }
            push(TokenType::Text, std::move(value), i, j);
            i = j;
            continue;
        }
        if (c == '{') {
            // {guid {xxxxxxxx-xxxx-xxxx-xxxx-xxxxxxxxxxxx}}: the text "{...}".
            std::size_t j = i + 1;
            while (j < n && s[j] == ' ') ++j;
            std::size_t open = j + 4 <= n && lowerEq(s.substr(j, 4), "guid") ? s.find('{', j + 4) : std::string_view::npos;
            std::size_t close = open == std::string_view::npos ? open : s.find('}', open);
            std::size_t outer = close == std::string_view::npos ? close : s.find('}', close + 1);
            bool blanksOnly = open != std::string_view::npos && s.substr(j + 4, open - j - 4).find_first_not_of(' ') ==
                                                                     std::string_view::npos;
            if (outer == std::string_view::npos || !blanksOnly ||
                s.substr(close + 1, outer - close - 1).find_first_not_of(' ') != std::string_view::npos) {
                push(TokenType::Invalid, "{", i, i + 1);
                ++i;
                continue;
            }
            push(TokenType::Text, std::string(s.substr(open, close - open + 1)), i, outer + 1);
            i = outer + 1;
            continue;
        }
        if (c == '#') {
            std::size_t close = s.find('#', i + 1);
            std::string iso;
            if (close == std::string_view::npos || !parseDateLiteral(s.substr(i + 1, close - i - 1), iso)) {
                std::size_t e = close == std::string_view::npos ? n : close + 1;
                push(TokenType::Invalid, std::string(s.substr(i, e - i)), i, e);
                i = e;
                continue;
            }
            push(TokenType::Date, iso, i, close + 1);
            i = close + 1;
            continue;
        }
        if (isDigit(c) || (c == '.' && i + 1 < n && isDigit(static_cast<unsigned char>(s[i + 1])))) {
            std::size_t j = i;
            while (j < n && isDigit(static_cast<unsigned char>(s[j]))) ++j;
            bool fraction = false;
            if (j < n && s[j] == '.' && !(j + 1 < n && isAsciiAlpha(static_cast<unsigned char>(s[j + 1])) &&
                                           (s[j + 1] != 'e' && s[j + 1] != 'E'))) {
                fraction = true;
                ++j;
                while (j < n && isDigit(static_cast<unsigned char>(s[j]))) ++j;
            }
            if (j < n && (s[j] == 'e' || s[j] == 'E')) {
                std::size_t k = j + 1;
                if (k < n && (s[k] == '+' || s[k] == '-')) ++k;
                if (k < n && isDigit(static_cast<unsigned char>(s[k]))) {
                    while (k < n && isDigit(static_cast<unsigned char>(s[k]))) ++k;
                    j = k;
                }
            }
            if (j < n && isNameChar(static_cast<unsigned char>(s[j])) && !fraction) {
                // A name that starts with digits (0100_Messung).
                j = i;
                while (j < n && isNameChar(static_cast<unsigned char>(s[j]))) ++j;
                push(TokenType::Word, std::string(s.substr(i, j - i)), i, j);
            } else if (j < n && isNameChar(static_cast<unsigned char>(s[j]))) {
                while (j < n && isNameChar(static_cast<unsigned char>(s[j]))) ++j;
                push(TokenType::Invalid, std::string(s.substr(i, j - i)), i, j);
            } else {
                push(TokenType::Number, std::string(s.substr(i, j - i)), i, j);
            }
            i = j;
            continue;
        }
        if (isNameChar(c)) {
            std::size_t j = i;
            while (j < n && isNameChar(static_cast<unsigned char>(s[j]))) ++j;
            push(TokenType::Word, std::string(s.substr(i, j - i)), i, j);
            i = j;
            continue;
        }
        if (c == '<' && i + 1 < n && (s[i + 1] == '>' || s[i + 1] == '=')) {
            push(TokenType::Op, std::string(s.substr(i, 2)), i, i + 2);
            i += 2;
            continue;
        }
        if (c == '>' && i + 1 < n && s[i + 1] == '=') {
            push(TokenType::Op, ">=", i, i + 2);
            i += 2;
            continue;
        }
        if (std::string_view("=<>+-*/\\&^,.!();").find(static_cast<char>(c)) != std::string_view::npos) {
            push(TokenType::Op, std::string(1, static_cast<char>(c)), i, i + 1);
            ++i;
            continue;
        }
        push(TokenType::Invalid, std::string(1, static_cast<char>(c)), start, i + 1);
        ++i;
    }
    out.push_back(Token{TokenType::End, {}, n, n});
    return out;
}

std::string quoteIdent(std::string_view name) {
    std::string r = "\"";
    for (char ch : name) {
        if (ch == '"') r += '"';
        r += ch;
    }
    r += '"';
    return r;
}

std::string quoteText(std::string_view text) {
    std::string r = "'";
    for (char ch : text) {
        if (ch == '\'') r += '\'';
        r += ch;
    }
    r += '\'';
    return r;
}

} // namespace engine::sql
