#pragma once
// IniFile: the parsed content of one settings file and its text form, as
// Store.h describes the format. Pure data and text; no file access.
#include <cstddef>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace settings {

struct IniSection {
    std::string name;
    std::vector<std::pair<std::string, std::string>> entries;
};

class IniFile {
public:
    // Reads the text; damaged lines are skipped and counted.
    static IniFile parse(std::string_view text);
    std::string serialize() const;

    std::size_t damagedLines() const { return damaged_; }
    bool empty() const { return sections_.empty(); }
    const std::vector<IniSection>& sections() const { return sections_; }

    // Section and key names compare ignoring case.
    const IniSection* section(std::string_view name) const;
    const std::string* value(std::string_view section, std::string_view key) const;
    void set(std::string_view section, std::string_view key, std::string_view value);
    // Return whether something was removed. A section left empty goes too.
    bool removeSection(std::string_view section);
    bool removeKey(std::string_view section, std::string_view key);

private:
    IniSection* findSection(std::string_view name);

    std::vector<IniSection> sections_;
    std::size_t damaged_ = 0;
};

} // namespace settings
