#pragma once
// Catalog: the names a database knows (local tables, linked tables, stored
// queries) and the columns of its tables, read from the file and cached.
// It answers the translator's name lookups (ignoring case). The cache is
// dropped on DDL through the engine and whenever the file's schema or the
// catalog tables changed (schema_version / data_version of the schemas).
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "sql/Translator.h"

namespace engine {
struct Connection;
}

namespace engine::detail {

class Catalog : public sql::SchemaResolver {
public:
    explicit Catalog(Connection& conn) : conn_(conn) {}

    enum class Kind { Table, Link, Query };
    struct Entry {
        Kind kind = Kind::Table;
        std::string name;      // as stored
        std::string sql;       // Query: dialect text
        std::string connect;   // Link
        std::string source;    // Link: table in the linked file
    };
    struct TableInfo {
        std::string sqlRef;            // "main"."T" / "link1"."T"
        std::string keyColumn;         // integer key, or "rowid"
        bool hiddenKey = false;        // the key is not a visible column
        std::vector<sql::ColumnInfo> columns;   // visible columns
    };

    std::optional<sql::SourceInfo> resolve(std::string_view name) override;

    std::optional<Entry> find(std::string_view name);
    // Columns of a local or linked table; a link whose file is missing raises
    // its error (3024 ...), an unknown table 3078.
    const TableInfo& tableInfo(const Entry& e);
    // Names of one kind in the order they were created; MSys tables only
    // with includeSystem.
    std::vector<std::string> names(Kind kind, bool includeSystem = false);

    void invalidate();
    // Drops the cache if the file changed since it was filled.
    void revalidate();

private:
    void load();
    TableInfo readTable(const std::string& schema, const std::string& table);

    Connection& conn_;
    bool loaded_ = false;
    std::map<std::string, Entry> entries_;          // upper-case name -> entry
    std::vector<std::pair<Kind, std::string>> order_;
    std::map<std::string, TableInfo> infos_;        // upper-case name -> info
    std::uint64_t schemaStamp_ = 0, dataStamp_ = 0, ownStamp_ = 0;
};

} // namespace engine::detail
