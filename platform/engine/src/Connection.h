#pragma once
// Connection: one open SQLite connection of a Database, with its linked
// files attached, its catalog and its transaction bookkeeping. Shared by the
// Database and every Recordset / QueryDef made from it; close() ends its use
// for all of them (3420 afterwards).
#include <sqlite3.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "Sqlite.h"
#include "engine/Engine.h"
#include "runtime/Regional.h"

namespace engine {

class Workspace;

namespace detail {
class Catalog;
struct RowSet;
}

// One linked table as MSysLinks records it, and where its file is attached.
struct LinkInfo {
    std::string name;        // the link's name in this database
    std::string connect;     // as stored
    std::string sourceTable; // the table in the linked file
    std::string file;        // the resolved file ("" when not found)
    std::string schema;      // "link1", ... when attached
    int error = 0;           // 0, or the error using the link raises (3024, 3031, 3343, 3048)
    std::string errorDetail;
};

struct Connection {
    Connection() = default;
    ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    sqlite3* db = nullptr;
    std::string name;          // the path as given
    std::string file;          // the file actually opened
    std::string folder;        // its folder (for relative links)
    bool readOnly = false;
    bool exclusive = false;
    int busyTimeoutMs = 5000;
    rt::Regional regional;
    Workspace* workspace = nullptr;   // cleared when the workspace ends
    std::unique_ptr<detail::Catalog> catalog;
    std::vector<LinkInfo> links;
    // Bumped by every rollback: cached values may be stale afterwards.
    std::uint64_t rollbackEpoch = 0;
    // Start of the current wait for a lock held by another connection
    // (the busy handler polls in short random steps until busyTimeoutMs).
    std::int64_t busySinceUs = 0;
    std::uint32_t busySeed = 0;

    bool isOpen() const { return db != nullptr; }
    // 3420 when closed.
    void checkOpen() const;
    void close();

    // Schemas of the connection: "main" and the attached link files.
    std::vector<std::string> schemas() const;
    // A number that changes whenever a change was committed to any schema
    // (by any connection): the file change counters of the files, read
    // without locking; each schema's data_version where that is unavailable.
    std::uint64_t externalVersion();
    // The same, read from the files at most once per staleCheckIntervalUs
    // (a cursor walking its rows checks on every row it reaches; a commit by
    // another connection is seen at the latest on the first row reached
    // more than the interval after it).
    std::uint64_t recentExternalVersion();
    std::int64_t staleCheckIntervalUs = 1000;

    // Changes made by this connection, rollbacks included.
    std::uint64_t ownVersion() const {
        return std::uint64_t(sqlite3_total_changes64(db)) * 1000003u + rollbackEpoch;
    }

    // Attaches the linked files recorded in MSysLinks (on open) or one more.
    void attachLinks();
    LinkInfo& addLink(const std::string& name, const std::string& connect, const std::string& source);
    const LinkInfo* findLink(const std::string& name) const;   // case ignored
    // Forgets the link `name` (exact); its file is detached when no other
    // link uses it.
    void removeLink(const std::string& name);

    // Row writes of recordsets: a write lock (BEGIN IMMEDIATE, or a savepoint
    // inside a transaction) held from Edit to Update / CancelUpdate.
    int beginWrite();                 // returns the scope id
    void endWrite(int id, bool commit);

    // Workspace transactions on this connection.
    void beginTransaction(int level);
    void commitTransaction(int level);
    void rollbackTransaction(int level);
    int transactionLevel() const { return txLevels.empty() ? 0 : txLevels.back().level; }

    // Recordset row sets, told when the connection closes.
    void registerRowSet(const std::shared_ptr<detail::RowSet>& rs);

    // Password check against MSysInfo of `schema`; true when it matches or
    // the file has no password.
    bool passwordMatches(const std::string& schema, const std::string& password);
    void storePassword(const std::string& password);

private:
    struct TxLevel { int level; bool began; };
    std::vector<TxLevel> txLevels;
    int writeScopes = 0;
    bool ownsWriteTxn = false;
    int scopeSeq = 0;
    std::vector<detail::Stmt> versionStmts;
    std::int64_t lastExternalCheckUs = -1;
    std::uint64_t lastExternal = 0;
    std::size_t versionSchemasCount = 0;
    std::vector<std::weak_ptr<detail::RowSet>> rowSets;
};

namespace detail {
// Opens a database file as OpenOptions say (see Workspace::openDatabase).
std::shared_ptr<Connection> openConnection(const std::string& path, const OpenOptions& options,
                                           const rt::Regional& regional);
// Creates a new database file with the catalog tables.
std::shared_ptr<Connection> createConnection(const std::string& path, const std::string& password,
                                             const rt::Regional& regional);
// Salted hash as MSysInfo keeps it: "sha256$<salt>$<hash>".
std::string passwordHash(const std::string& password, const std::string& saltHex = {});
} // namespace detail

} // namespace engine
