#pragma once
// Sprachen: the translation class. Every text a control shows is written in
// the program as a German key term; xText turns it into the text of the
// current language, read from the language database (file NameDatenbank in
// folder VerzeichnisDatenbank, opened with Passwort).
//
// State: the database names and password, the current language (Sprache),
// the version stamp written into newly added terms, and the handles of the
// language database, of its search query and of the last cursor (each none
// until a database is assigned). The object owns these handles.
//
// Lookup without a language database: while no database is assigned, xText
// returns every term unchanged (suffix ":" or "..." included), which is why
// a control shows its German design texts until a language is bound. An
// empty term gives the empty text in every state.
//
// Not an error: looking up a term while no database is assigned; an empty
// term. Setters store their value unchanged.
#include <memory>
#include <string>

namespace engine {
class Database;
class QueryDef;
class Recordset;
} // namespace engine

namespace services {

class Sprachen {
public:
    Sprachen();
    ~Sprachen();
    Sprachen(const Sprachen&) = delete;
    Sprachen& operator=(const Sprachen&) = delete;

    // Write only in the class's interface; the getter serves the binding.
    void setPasswort(std::string v) { passwort_ = std::move(v); }
    const std::string& passwort() const { return passwort_; }
    const std::string& version() const { return version_; }
    void setVersion(std::string v) { version_ = std::move(v); }
    const std::string& sprache() const { return sprache_; }
    const std::string& verzeichnisDatenbank() const { return verzeichnis_; }
    void setVerzeichnisDatenbank(std::string v) { verzeichnis_ = std::move(v); }
    const std::string& nameDatenbank() const { return name_; }
    void setNameDatenbank(std::string v) { name_ = std::move(v); }

    // Whether a language database is assigned.
    bool hasDatenbank() const { return db_ != nullptr; }

    // The text of term sTextID in language sSprache. An empty sSprache is
    // replaced by the current language (the caller's variable then holds
    // the language used). Without a language database the term comes back
    // unchanged.
    std::string xText(const std::string& sTextID, std::string& sSprache);
    // The same in the current language.
    std::string xText(const std::string& sTextID);

private:
    std::string name_, verzeichnis_, sprache_, version_, passwort_;
    std::shared_ptr<engine::Database> db_;
    std::shared_ptr<engine::QueryDef> suchen_;
    std::shared_ptr<engine::Recordset> last_;
};

} // namespace services
