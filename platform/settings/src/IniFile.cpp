#include "settings/IniFile.h"

#include <algorithm>
#include <optional>

#include "runtime/Text.h"

namespace settings {

namespace {

enum class Field { Section, Key, Value };

bool isBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view trimBlanks(std::string_view s) {
    while (!s.empty() && isBlank(s.front())) s.remove_prefix(1);
    while (!s.empty() && isBlank(s.back())) s.remove_suffix(1);
    return s;
}

void hexByte(std::string& out, unsigned char c) {
    static constexpr char digits[] = "0123456789ABCDEF";
    out += "\\x";
    out += digits[c >> 4];
    out += digits[c & 0xF];
}

std::string escape(std::string_view s, Field field) {
    std::string out;
    out.reserve(s.size());
    for (std::size_t i = 0; i < s.size(); ++i) {
        unsigned char c = static_cast<unsigned char>(s[i]);
        bool edge = i == 0 || i + 1 == s.size();
        if (c == '\\') out += "\\\\";
        else if (c == '\n') out += "\\n";
        else if (c == '\r') out += "\\r";
        else if (c == '\t') out += "\\t";
        else if (c < 0x20 || c == 0x7F || (c == ' ' && edge)) hexByte(out, c);
        else if (c == '=' && field == Field::Key) out += "\\=";
        else if (c == ']' && field == Field::Section) out += "\\]";
        else if (i == 0 && field == Field::Key && (c == '[' || c == ';' || c == '#')) {
            out += '\\';
            out += static_cast<char>(c);
        } else out += static_cast<char>(c);
    }
    return out;
}

int hexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

// nullopt for an unknown or cut-off escape.
std::optional<std::string> unescape(std::string_view s) {
    std::string out;
    out.reserve(s.size());
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (s[i] != '\\') {
            out += s[i];
            continue;
        }
        if (++i >= s.size()) return std::nullopt;
        switch (s[i]) {
        case '\\': out += '\\'; break;
        case 'n': out += '\n'; break;
        case 'r': out += '\r'; break;
        case 't': out += '\t'; break;
        case '=': case '[': case ']': case ';': case '#': out += s[i]; break;
        case 'x': {
            if (i + 2 >= s.size()) return std::nullopt;
            int hi = hexValue(s[i + 1]), lo = hexValue(s[i + 2]);
            if (hi < 0 || lo < 0) return std::nullopt;
            out += static_cast<char>(hi * 16 + lo);
            i += 2;
            break;
        }
        default: return std::nullopt;
        }
    }
    return out;
}

// Position of the first unescaped `c`, or npos.
std::size_t findUnescaped(std::string_view s, char c) {
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '\\') ++i;
        else if (s[i] == c) return i;
    }
    return std::string_view::npos;
}

} // namespace

IniFile IniFile::parse(std::string_view text) {
    IniFile f;
    if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
    IniSection* current = nullptr;
    while (!text.empty()) {
        std::size_t nl = text.find('\n');
        std::string_view line = text.substr(0, nl);
        text = nl == std::string_view::npos ? std::string_view() : text.substr(nl + 1);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        line = trimBlanks(line);
        if (line.empty() || line.front() == ';' || line.front() == '#') continue;
        if (line.front() == '[') {
            std::size_t close = findUnescaped(line.substr(1), ']');
            std::optional<std::string> name;
            if (close != std::string_view::npos && trimBlanks(line.substr(close + 2)).empty())
                name = unescape(line.substr(1, close));
            if (!name || name->empty()) {
                ++f.damaged_;
                current = nullptr;   // its settings must not land in the section before
                continue;
            }
            current = f.findSection(*name);
            if (!current) {
                f.sections_.push_back({std::move(*name), {}});
                current = &f.sections_.back();
            }
            continue;
        }
        std::size_t eq = findUnescaped(line, '=');
        if (!current || eq == std::string_view::npos) {
            ++f.damaged_;
            continue;
        }
        auto key = unescape(trimBlanks(line.substr(0, eq)));
        auto value = unescape(trimBlanks(line.substr(eq + 1)));
        if (!key || key->empty() || !value) {
            ++f.damaged_;
            continue;
        }
        f.set(current->name, *key, *value);
        current = f.findSection(current->name);   // set() may have moved the vector
    }
    // Sections whose every line was damaged hold nothing worth keeping.
    std::erase_if(f.sections_, [](const IniSection& s) { return s.entries.empty(); });
    return f;
}

std::string IniFile::serialize() const {
    std::string out = "; pruefgrid settings (UTF-8)\n";
    for (const IniSection& s : sections_) {
        out += '\n';
        out += '[' + escape(s.name, Field::Section) + "]\n";
        for (const auto& [k, v] : s.entries) out += escape(k, Field::Key) + '=' + escape(v, Field::Value) + '\n';
    }
    return out;
}

IniSection* IniFile::findSection(std::string_view name) {
    for (IniSection& s : sections_)
        if (rt::text::equalsNoCase(s.name, name)) return &s;
    return nullptr;
}

const IniSection* IniFile::section(std::string_view name) const {
    return const_cast<IniFile*>(this)->findSection(name);
}

const std::string* IniFile::value(std::string_view section, std::string_view key) const {
    const IniSection* s = this->section(section);
    if (!s) return nullptr;
    for (const auto& [k, v] : s->entries)
        if (rt::text::equalsNoCase(k, key)) return &v;
    return nullptr;
}

void IniFile::set(std::string_view section, std::string_view key, std::string_view value) {
    IniSection* s = findSection(section);
    if (!s) {
        sections_.push_back({std::string(section), {}});
        s = &sections_.back();
    }
    for (auto& [k, v] : s->entries) {
        if (rt::text::equalsNoCase(k, key)) {
            v = value;
            return;
        }
    }
    s->entries.emplace_back(std::string(key), std::string(value));
}

bool IniFile::removeSection(std::string_view section) {
    return std::erase_if(sections_, [&](const IniSection& s) { return rt::text::equalsNoCase(s.name, section); }) > 0;
}

bool IniFile::removeKey(std::string_view section, std::string_view key) {
    IniSection* s = findSection(section);
    if (!s) return false;
    auto removed = std::erase_if(s->entries, [&](const auto& e) { return rt::text::equalsNoCase(e.first, key); });
    if (s->entries.empty()) removeSection(section);
    return removed > 0;
}

} // namespace settings
