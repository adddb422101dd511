#pragma once
// A small database for the translator's tests: an in-memory SQLite with the
// dialect's functions, tables made by translated CREATE TABLE statements, a
// linked table in an attached database and a few stored queries.
#include <sqlite3.h>

#include <map>
#include <string>
#include <vector>

#include "sql/Translator.h"

namespace engine::sql::test {

class TestSchema : public SchemaResolver {
public:
    explicit TestSchema(sqlite3* db) : db_(db) {}
    std::optional<SourceInfo> resolve(std::string_view name) override;

    std::map<std::string, std::string> queries;   // name -> dialect text
    // name -> attached schema ("link1") of linked tables
    std::map<std::string, std::string> linked;

private:
    sqlite3* db_;
};

class SqlFixture {
public:
    SqlFixture();
    ~SqlFixture();
    SqlFixture(const SqlFixture&) = delete;
    SqlFixture& operator=(const SqlFixture&) = delete;

    // Translates and runs a dialect statement; parameters are bound by name
    // from "name=value;name=value" (a value in quotes is text, else a number).
    // Returns the rows as "a|b;c|d" (NULL as "NULL"); for an action
    // statement the number of changed rows as "changes=n".
    std::string run(const std::string& dialect, const std::string& params = {});
    // Runs SQLite SQL directly (setup); fails the test on an error.
    void raw(const std::string& sql);
    // Error number of translate() (0 when it succeeds).
    int translateError(const std::string& dialect);

    sqlite3* db = nullptr;
    TestSchema schema{nullptr};
};

} // namespace engine::sql::test
