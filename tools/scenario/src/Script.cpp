#include "Script.h"

#include <cctype>

#include "hosting/VariantLiteral.h"
#include "runtime/Error.h"

namespace scenario {

namespace {
bool blank(char c) { return c == ' ' || c == '\t' || c == '\r'; }
} // namespace

Line parseLine(std::string_view text, int number) {
    Line line;
    line.number = number;
    line.source = std::string(text);
    std::size_t i = 0;
    while (true) {
        while (i < text.size() && blank(text[i])) ++i;
        if (i >= text.size()) break;
        const std::string_view rest = text.substr(i);
        const char c = rest[0];
        Token t;
        if (c == '=' && (rest.size() == 1 || blank(rest[1]))) {
            t.kind = Token::Assign;
            t.text = "=";
            i += 1;
        } else if (c == '@') {
            std::size_t n = 1;
            while (n < rest.size() && !blank(rest[n])) ++n;
            t.kind = Token::Ref;
            t.text = std::string(rest.substr(1, n - 1));
            i += n;
        } else {
            rt::Variant v;
            std::size_t n = 0;
            const bool literalStart = c == '"' || c == '#' || c == '-' || c == '+' || c == '.' ||
                                      std::isdigit(static_cast<unsigned char>(c));
            if (literalStart) {
                try {
                    n = hosting::scanLiteral(rest, v);
                } catch (const rt::Error&) {
                    n = 0;
                }
                if (n && n < rest.size() && !blank(rest[n])) n = 0;   // "12abc" is a word
            }
            if (n) {
                t.kind = Token::Literal;
                t.text = std::string(rest.substr(0, n));
                t.value = v;
                i += n;
            } else {
                if (c == '"')
                    throw rt::Error(rt::err::InvalidProcedureCall,
                                    "line " + std::to_string(number) + ": unclosed or invalid text");
                std::size_t m = 0;
                while (m < rest.size() && !blank(rest[m])) ++m;
                t.kind = Token::Word;
                t.text = std::string(rest.substr(0, m));
                i += m;
            }
        }
        line.tokens.push_back(std::move(t));
    }
    return line;
}

std::vector<Line> parseScript(std::string_view text) {
    std::vector<Line> lines;
    int number = 0;
    while (!text.empty()) {
        const auto nl = text.find('\n');
        const std::string_view raw = text.substr(0, nl);
        text = nl == std::string_view::npos ? std::string_view{} : text.substr(nl + 1);
        ++number;
        std::size_t p = 0;
        while (p < raw.size() && blank(raw[p])) ++p;
        if (p == raw.size()) continue;
        if (raw[p] == '#' && (p + 1 == raw.size() || blank(raw[p + 1]))) continue;
        std::string_view body = raw.substr(p);
        while (!body.empty() && blank(body.back())) body.remove_suffix(1);
        lines.push_back(parseLine(body, number));
    }
    return lines;
}

} // namespace scenario
