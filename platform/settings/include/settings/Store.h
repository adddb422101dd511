#pragma once
// Store: the per-user settings store - texts keyed by application, section
// and key, read with a default (the classic GetSetting, SaveSetting,
// DeleteSetting, GetAllSettings). An object, handed to whoever needs it;
// several Store objects, in one process or in several, may use the same
// folder at the same time.
//
// Where: one file per application, <folder>/<app>.ini. The folder is, in
// this order: the constructor's argument; the environment variable
// PG_SETTINGS_DIR; $XDG_CONFIG_HOME/pruefgrid; $HOME/.config/pruefgrid.
// The environment is read when the Store is made. The file name is the
// application name in lower case, with "/", "\", "%", control characters
// and a leading "." written as %HH (so application names compare ignoring
// case, like sections and keys).
//
// File format (UTF-8 text, lines ended by LF; CR LF and a leading BOM are
// accepted on reading):
//
// | Line                    | Meaning                                            |
// |-------------------------|----------------------------------------------------|
// | empty or blanks only    | ignored                                            |
// | ; text   or   # text    | comment, ignored                                   |
// | [section]               | starts a section; the name escaped as below        |
// | key=value               | a setting of the current section; the first        |
// |                         | unescaped "=" separates key and value              |
// | anything else           | damaged: skipped on reading                        |
//
// | Escape | Stands for                      | Written in          |
// |--------|---------------------------------|---------------------|
// | \\     | a backslash                     | all fields          |
// | \n \r \t | line feed, carriage return, tab | all fields        |
// | \xHH   | the byte HH (control characters, and a leading or trailing blank) | all fields |
// | \=     | "="                             | keys                |
// | \]     | "]"                             | section names       |
// | \[ \; \# | "[", ";", "#" at a key's start | keys                |
//
// Blanks around keys, values and the "=" are not part of them (they are
// escaped as \x20 where they are). Also damaged, and skipped: a setting
// before the first section, an empty key or section name, an unknown
// escape, a section line without its closing "]". A key that occurs twice
// in a section: the later line wins. Sections and keys compare ignoring
// case; an update keeps the spelling already stored. Every write rewrites
// the whole file in this form, so comments and damaged lines are not kept.
//
// Writing: under an exclusive advisory lock (flock on <app>.ini.lock in the
// same folder) the file is read, changed and written to a temporary file in
// the same folder, which is flushed to the disk (fsync) and renamed over the
// file. Concurrent writers therefore never lose each other's keys, and a
// crash leaves either the old or the new file. Reading takes no lock: it
// always sees one complete file. The folder is created when missing. A file
// left without settings is removed.
//
// Errors (rt::Error; after an error nothing was changed):
//   5   an empty application, section or key name; DeleteSetting of a
//       section or key that does not exist (as the classic store does)
//   75  the folder or file cannot be read or written (description names
//       the path and the system's reason)
// A missing file or folder is no error: reading gives the default, an
// empty GetAllSettings.
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace settings {

class Store {
public:
    // Folder from the environment (see above).
    Store();
    explicit Store(std::filesystem::path folder);

    // The folder the environment names (PG_SETTINGS_DIR, XDG, HOME).
    static std::filesystem::path folderFromEnvironment();

    const std::filesystem::path& folder() const { return folder_; }
    std::filesystem::path fileOf(std::string_view app) const;

    std::string getSetting(std::string_view app, std::string_view section, std::string_view key,
                           std::string_view defaultValue = {}) const;
    void saveSetting(std::string_view app, std::string_view section, std::string_view key, std::string_view value);
    // Several keys of one section in one write (one lock, one fsync), as
    // if saved one after the other; nothing is written when every value is
    // already stored. An empty key raises 5 before anything is written.
    void saveSettings(std::string_view app, std::string_view section,
                      const std::vector<std::pair<std::string, std::string>>& entries);
    // The whole application, one section, or one key.
    void deleteSetting(std::string_view app);
    void deleteSetting(std::string_view app, std::string_view section);
    void deleteSetting(std::string_view app, std::string_view section, std::string_view key);
    // The settings of a section in file order (key, value); empty when the
    // section does not exist.
    std::vector<std::pair<std::string, std::string>> getAllSettings(std::string_view app,
                                                                    std::string_view section) const;

private:
    std::filesystem::path folder_;
};

} // namespace settings
