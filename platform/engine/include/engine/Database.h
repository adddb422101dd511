#pragma once
// Database: one open SQLite file in the dialect of the classic engine.
//
// The file holds, besides the user's tables, the catalog tables
//   MSysQueries (Name, SQL)                          stored queries
//   MSysLinks   (Name, Connect, SourceTable)         linked tables
//   MSysInfo    (Property, Value)                    format version, password
//   MSysReplicas (ReplicaID, Description)            the replica table
// A linked table's file is attached on open; its table answers SQL and
// stored queries under the link's name, for reading and writing.
//
// Ownership: a Database is shared (the host owns it, controls hold
// references). Recordsets keep the connection alive; after close() every
// object of the database raises 3420.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "engine/Types.h"
#include "runtime/Variant.h"

namespace engine {

class Recordset;
class QueryDef;
class TableDef;
class Workspace;
struct Connection;

struct FieldDef {
    std::string name;
    FieldType type = FieldType::Text;
    int size = 0;              // declared text size; for other types the byte size
    bool autoIncrement = false; // COUNTER
    bool required = false;
};

class Database : public rt::Object, public std::enable_shared_from_this<Database> {
public:
    Database(Workspace& ws, std::shared_ptr<Connection> conn);
    ~Database() override;
    std::string typeName() const override { return "Database"; }

    // The path the database was opened with (as given).
    const std::string& name() const;
    bool isOpen() const;
    bool readOnly() const;
    void close();

    // Opens a cursor on a table name, a stored query name or an SQL text.
    // Default type: Table for a local table name, Dynaset otherwise. A
    // stored query with parameters cannot be opened this way (3061); use
    // queryDef(name)->openRecordset().
    std::shared_ptr<Recordset> openRecordset(const std::string& source,
                                             RecordsetType type = RecordsetType::Default,
                                             int options = 0);

    // Runs an action statement (UPDATE, DELETE, INSERT, SELECT ... INTO,
    // CREATE / ALTER / DROP TABLE, CREATE / DROP INDEX) or an action stored
    // query by name. A SELECT raises 3065 ("Cannot execute a select query.").
    void execute(const std::string& sql, int options = 0);
    // Rows touched by the last execute().
    long recordsAffected() const;

    // Stored queries. queryDef raises 3265 for an unknown name.
    std::shared_ptr<QueryDef> queryDef(const std::string& name);
    std::vector<std::string> queryDefNames() const;
    // sql may start with "PARAMETERS name type, ...;" to declare parameters.
    // The text is checked (translated) when stored; 3012 when the name exists.
    std::shared_ptr<QueryDef> createQueryDef(const std::string& name, const std::string& sql);
    void deleteQueryDef(const std::string& name);

    // Tables: local and linked. tableDef raises 3265 for an unknown name.
    std::shared_ptr<TableDef> tableDef(const std::string& name);
    std::vector<std::string> tableDefNames() const;   // user tables and links, no MSys tables
    // Creates a table from definitions (same as CREATE TABLE in SQL).
    void createTable(const std::string& name, const std::vector<FieldDef>& fields);
    // Links a table of another database file. connect must end in
    // ";DATABASE=<path>" (for example "MS Access;pwd=x;DATABASE=C:\data\be.mdb"
    // or ";DATABASE=be.mdb"; relative paths are taken from this file's folder).
    void createLinkedTable(const std::string& name, const std::string& connect,
                           const std::string& sourceTable);
    void deleteTableDef(const std::string& name);

    // Changes the database password (exclusive open not required here).
    void newPassword(const std::string& oldPassword, const std::string& newPassword);

    Workspace& workspace();
    // Internal: the shared connection.
    const std::shared_ptr<Connection>& connection() const { return conn_; }

private:
    friend class QueryDef;   // QueryDef::execute reports its rows affected here
    Workspace& ws_;
    std::shared_ptr<Connection> conn_;
    long recordsAffected_ = 0;
};

} // namespace engine
