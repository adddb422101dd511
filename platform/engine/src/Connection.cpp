#include "Connection.h"

#include <sys/random.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <climits>
#include <ctime>
#include <cstdlib>
#include <map>

#include "Catalog.h"
#include "FileLock.h"
#include "FilePath.h"
#include "RecordsetData.h"
#include "Sha256.h"
#include "engine/Errors.h"
#include "runtime/Text.h"
#include "sql/Translator.h"

namespace engine {

using detail::exec;
using detail::quoteName;
using detail::quoteText;
using detail::Stmt;

namespace {

std::int64_t nowUs() {
    timespec ts{};
    ::clock_gettime(CLOCK_MONOTONIC, &ts);
    return std::int64_t(ts.tv_sec) * 1000000 + ts.tv_nsec / 1000;
}

} // namespace

Connection::~Connection() { close(); }

void Connection::checkOpen() const {
    if (!db) throw err::make(err::ObjectInvalid);
}

void Connection::close() {
    if (!db) return;
    for (auto& w : rowSets)
        if (auto rs = w.lock()) rs->releaseStatements();
    rowSets.clear();
    versionStmts.clear();
    if (catalog) catalog->invalidate();
    sqlite3_close_v2(db);
    db = nullptr;
}

void Connection::registerRowSet(const std::shared_ptr<detail::RowSet>& rs) {
    // Forget row sets that are gone.
    std::erase_if(rowSets, [](const std::weak_ptr<detail::RowSet>& w) { return w.expired(); });
    rowSets.push_back(rs);
}

std::vector<std::string> Connection::schemas() const {
    std::vector<std::string> s{"main"};
    for (const auto& l : links)
        if (!l.schema.empty() && std::find(s.begin(), s.end(), l.schema) == s.end()) s.push_back(l.schema);
    return s;
}

std::uint64_t Connection::externalVersion() {
    auto names = schemas();
    std::uint64_t v = 0;
    bool all = true;
    // Cheap path: the change counter in each file's header (one pread each).
    for (const auto& s : names) {
        auto c = detail::fileChangeCounter(db, s.c_str());
        if (!c) {
            all = false;
            break;
        }
        v = v * 1000003u + *c;
    }
    if (all) {
        lastExternal = v;
        lastExternalCheckUs = nowUs();
        return v;
    }
    // Other file systems: each schema's data_version (a read transaction each).
    if (versionStmts.size() != names.size() || versionSchemasCount != names.size()) {
        versionStmts.clear();
        for (const auto& s : names) versionStmts.emplace_back(db, "PRAGMA " + quoteName(s) + ".data_version");
        versionSchemasCount = names.size();
    }
    v = 0;
    for (auto& st : versionStmts) {
        if (st.step()) v = v * 1000003u + std::uint64_t(st.int64(0));
        st.reset();
    }
    lastExternal = v;
    lastExternalCheckUs = nowUs();
    return v;
}

std::uint64_t Connection::recentExternalVersion() {
    std::int64_t now = nowUs();
    if (lastExternalCheckUs < 0 || now - lastExternalCheckUs >= staleCheckIntervalUs) {
        lastExternal = externalVersion();
        lastExternalCheckUs = now;
    }
    return lastExternal;
}

// ---- links ---------------------------------------------------------------

const LinkInfo* Connection::findLink(const std::string& name) const {
    for (const auto& l : links)
        if (rt::text::equalsNoCase(l.name, name)) return &l;
    return nullptr;
}

namespace {

// The file a link's connect string names, relative paths taken from the
// folder of the database that holds the link. Drive-letter paths that do not
// exist here are looked for under their file name in that folder.
std::string resolveLinkFile(const std::string& folder, const std::string& database) {
    std::string p = detail::normalizeSeparators(database);
    if (p.empty()) return {};
    if (detail::hasDriveLetter(p)) {
        if (auto f = detail::findFile(p)) return *f;
        if (auto f = detail::findFile(detail::joinPath(folder, detail::fileNameOf(p)))) return *f;
        return {};
    }
    if (auto f = detail::findFile(detail::joinPath(folder, p))) return *f;
    return {};
}

std::string realPathOf(const std::string& file) {
    char buf[PATH_MAX];
    if (::realpath(file.c_str(), buf)) return buf;
    return file;
}

} // namespace

LinkInfo& Connection::addLink(const std::string& name, const std::string& connect, const std::string& source) {
    LinkInfo l;
    l.name = name;
    l.connect = connect;
    l.sourceTable = source;
    sql::ConnectString cs = sql::parseConnect(connect);
    l.file = resolveLinkFile(folder, cs.database);
    if (l.file.empty()) {
        l.error = err::FileNotFound;
        l.errorDetail = cs.database;
        links.push_back(l);
        return links.back();
    }
    // Same file attached already?
    std::string real = realPathOf(l.file);
    for (const auto& other : links) {
        if (!other.schema.empty() && realPathOf(other.file) == real) {
            l.schema = other.schema;
            links.push_back(l);
            return links.back();
        }
    }
    // A free schema name: used by no link and attached to nothing (a file
    // whose detaching failed keeps its name).
    std::vector<std::string> attached;
    {
        Stmt list(db, "PRAGMA database_list");
        while (list.step()) attached.push_back(list.text(1));
    }
    int n = 1;
    for (;; ++n) {
        std::string candidate = "link" + std::to_string(n);
        bool used = std::find(attached.begin(), attached.end(), candidate) != attached.end();
        for (const auto& other : links) used = used || other.schema == candidate;
        if (!used) break;
    }
    std::string schema = "link" + std::to_string(n);
    try {
        Stmt st(db, "ATTACH DATABASE ? AS " + quoteName(schema));
        st.bind(1, std::string_view(l.file));
        st.step();
    } catch (const rt::Error& e) {
        l.error = e.number() == err::CannotOpenAnyMore ? e.number() : err::FileNotFound;
        l.errorDetail = l.file;
        links.push_back(l);
        return links.back();
    }
    // The linked file must be a database and its password must match.
    try {
        Stmt probe(db, "SELECT count(*) FROM " + quoteName(schema) + ".sqlite_master");
        probe.step();
        if (!passwordMatches(schema, cs.password)) {
            l.error = err::InvalidPassword;
        }
    } catch (const rt::Error& e) {
        l.error = e.number() == err::NotADatabase ? err::NotADatabase : e.number();
        l.errorDetail = l.file;
    }
    if (l.error) {
        try {
            exec(db, "DETACH DATABASE " + quoteName(schema));
        } catch (const rt::Error&) {
        }
    } else {
        l.schema = schema;
    }
    links.push_back(l);
    return links.back();
}

void Connection::removeLink(const std::string& name) {
    auto it = std::find_if(links.begin(), links.end(), [&](const LinkInfo& l) { return l.name == name; });
    if (it == links.end()) return;
    const std::string schema = it->schema;
    links.erase(it);
    if (schema.empty()) return;
    for (const auto& other : links)
        if (other.schema == schema) return;
    // Fails only while a statement reads the file; the name then stays taken.
    sqlite3_exec(db, ("DETACH DATABASE " + quoteName(schema)).c_str(), nullptr, nullptr, nullptr);
}

void Connection::attachLinks() {
    Stmt st(db, "SELECT Name, Connect, SourceTable FROM MSysLinks ORDER BY _RowKey");
    std::vector<std::array<std::string, 3>> rows;
    while (st.step()) rows.push_back({st.text(0), st.text(1), st.text(2)});
    for (const auto& r : rows) addLink(r[0], r[1], r[2]);
}

// ---- passwords -------------------------------------------------------------

namespace detail {

std::string passwordHash(const std::string& password, const std::string& saltHex) {
    std::string salt = saltHex;
    if (salt.empty()) {
        std::uint8_t bytes[16];
        std::size_t got = 0;
        while (got < sizeof bytes) {
            ssize_t n = ::getrandom(bytes + got, sizeof bytes - got, 0);
            if (n <= 0) break;
            got += std::size_t(n);
        }
        salt = toHex(bytes, sizeof bytes);
    }
    return "sha256$" + salt + "$" + sha256Hex(salt + password);
}

} // namespace detail

bool Connection::passwordMatches(const std::string& schema, const std::string& password) {
    std::string stored;
    {
        Stmt has(db, "SELECT count(*) FROM " + quoteName(schema) +
                         ".sqlite_master WHERE type='table' AND name='MSysInfo'");
        has.step();
        if (has.int64(0) == 0) return true;
    }
    Stmt st(db, "SELECT Value FROM " + quoteName(schema) + ".MSysInfo WHERE Property='Password'");
    if (!st.step() || st.isNull(0)) return true;
    stored = st.text(0);
    if (stored.empty()) return true;
    // "sha256$<salt>$<hash>"
    auto a = stored.find('$');
    auto b = stored.find('$', a == std::string::npos ? 0 : a + 1);
    if (a == std::string::npos || b == std::string::npos) return false;
    std::string salt = stored.substr(a + 1, b - a - 1);
    return detail::passwordHash(password, salt) == stored;
}

void Connection::storePassword(const std::string& password) {
    exec(db, "DELETE FROM MSysInfo WHERE Property='Password'");
    if (password.empty()) return;
    Stmt st(db, "INSERT INTO MSysInfo (Property, Value) VALUES ('Password', ?)");
    std::string h = detail::passwordHash(password);
    st.bind(1, std::string_view(h));
    st.step();
}

// ---- write scopes and transactions ----------------------------------------

int Connection::beginWrite() {
    checkOpen();
    if (sqlite3_get_autocommit(db)) {
        exec(db, "BEGIN IMMEDIATE");
        ownsWriteTxn = true;
    }
    int id = ++scopeSeq;
    try {
        exec(db, "SAVEPOINT pg_edit" + std::to_string(id));
    } catch (...) {
        if (ownsWriteTxn && writeScopes == 0) {
            sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr);
            ownsWriteTxn = false;
        }
        throw;
    }
    ++writeScopes;
    return id;
}

void Connection::endWrite(int id, bool commit) {
    if (!db) return;
    std::string sp = "pg_edit" + std::to_string(id);
    if (commit) {
        sqlite3_exec(db, ("RELEASE " + sp).c_str(), nullptr, nullptr, nullptr);
    } else {
        sqlite3_exec(db, ("ROLLBACK TO " + sp + "; RELEASE " + sp).c_str(), nullptr, nullptr, nullptr);
        ++rollbackEpoch;
    }
    if (writeScopes > 0) --writeScopes;
    if (writeScopes == 0 && ownsWriteTxn) {
        ownsWriteTxn = false;
        if (!sqlite3_get_autocommit(db)) {
            if (commit) {
                int rc = sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
                if (rc != SQLITE_OK) {
                    // Readers kept the file longer than the busy timeout: the
                    // change is given up rather than left half-done.
                    rt::Error e = detail::sqliteError(db, sqlite3_extended_errcode(db));
                    sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr);
                    ++rollbackEpoch;
                    throw e;
                }
            } else {
                sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr);
            }
        }
    }
}

void Connection::beginTransaction(int level) {
    checkOpen();
    if (sqlite3_get_autocommit(db)) {
        exec(db, "BEGIN");
        txLevels.push_back({level, true});
    } else {
        exec(db, "SAVEPOINT pg_trans" + std::to_string(level));
        txLevels.push_back({level, false});
    }
}

void Connection::commitTransaction(int level) {
    if (!db || txLevels.empty() || txLevels.back().level != level) return;
    TxLevel t = txLevels.back();
    if (t.began) {
        if (!sqlite3_get_autocommit(db)) exec(db, "COMMIT");
    } else {
        exec(db, "RELEASE pg_trans" + std::to_string(level));
    }
    txLevels.pop_back();
}

void Connection::rollbackTransaction(int level) {
    if (!db || txLevels.empty() || txLevels.back().level != level) return;
    TxLevel t = txLevels.back();
    txLevels.pop_back();
    ++rollbackEpoch;
    if (t.began) {
        if (!sqlite3_get_autocommit(db)) exec(db, "ROLLBACK");
        writeScopes = 0;
        ownsWriteTxn = false;
    } else {
        std::string sp = "pg_trans" + std::to_string(level);
        exec(db, "ROLLBACK TO " + sp + "; RELEASE " + sp);
    }
    if (catalog) catalog->invalidate();
}

// ---- open / create ----------------------------------------------------------

namespace {

constexpr const char* kCatalogDdl[][2] = {
    {"MSysQueries",
     "CREATE TABLE MSysQueries (_RowKey INTEGER PRIMARY KEY, Name TEXT(255) NOT NULL UNIQUE, SQL MEMO)"},
    {"MSysLinks",
     "CREATE TABLE MSysLinks (_RowKey INTEGER PRIMARY KEY, Name TEXT(255) NOT NULL UNIQUE, Connect MEMO, "
     "SourceTable TEXT(255))"},
    {"MSysInfo",
     "CREATE TABLE MSysInfo (_RowKey INTEGER PRIMARY KEY, Property TEXT(64) NOT NULL UNIQUE, Value MEMO)"},
    {"MSysReplicas",
     "CREATE TABLE MSysReplicas (_RowKey INTEGER PRIMARY KEY, ReplicaID TEXT(38), Description TEXT(255))"},
};

constexpr const char* kFormatVersion = "1";

void ensureCatalogTables(sqlite3* db) {
    for (const auto& t : kCatalogDdl) {
        Stmt has(db, std::string("SELECT count(*) FROM sqlite_master WHERE type='table' AND name='") + t[0] + "'");
        has.step();
        if (has.int64(0) == 0) {
            exec(db, t[1]);
            if (std::string(t[0]) == "MSysInfo")
                exec(db, std::string("INSERT INTO MSysInfo (Property, Value) VALUES ('FormatVersion', '") +
                             kFormatVersion + "')");
        }
    }
}

bool hasCatalogTables(sqlite3* db) {
    Stmt has(db, "SELECT count(*) FROM sqlite_master WHERE type='table' AND name IN "
                 "('MSysQueries','MSysLinks','MSysInfo','MSysReplicas')");
    has.step();
    return has.int64(0) == 4;
}

// Waiting for a lock: short random sleeps, so that a connection waiting for
// the write lock catches the short gaps between another's transactions
// (SQLite's own handler backs off to 100 ms and can starve a waiter).
int busyHandler(void* arg, int count) {
    auto* c = static_cast<Connection*>(arg);
    std::int64_t now = nowUs();
    if (count == 0) c->busySinceUs = now;
    if (now - c->busySinceUs >= std::int64_t(c->busyTimeoutMs) * 1000) return 0;
    c->busySeed = c->busySeed * 1103515245u + 12345u;
    ::usleep(50 + (c->busySeed >> 16) % 200);
    return 1;
}

void configure(Connection& c) {
    sqlite3_extended_result_codes(c.db, 1);
    c.busySeed = std::uint32_t(::getpid()) ^ std::uint32_t(nowUs());
    sqlite3_busy_handler(c.db, busyHandler, &c);
    // A double-quoted name is always a name: an unknown one is an error
    // (reported as a missing parameter), never a text constant.
    sqlite3_db_config(c.db, SQLITE_DBCONFIG_DQS_DML, 0, nullptr);
    sqlite3_db_config(c.db, SQLITE_DBCONFIG_DQS_DDL, 0, nullptr);
    sql::registerFunctions(c.db);
}

std::shared_ptr<Connection> newConnection(const std::string& given, const std::string& file,
                                          const rt::Regional& regional, int flags) {
    auto c = std::make_shared<Connection>();
    c->name = given;
    c->file = file;
    c->folder = detail::folderOf(file);
    c->regional = regional;
    sqlite3* db = nullptr;
    int rc = sqlite3_open_v2(file.c_str(), &db, flags, nullptr);
    if (rc != SQLITE_OK) {
        rt::Error e = detail::sqliteError(db, rc, given);
        sqlite3_close(db);
        if (e.number() == err::ReadOnly || e.number() >= 3000) throw err::make(err::FileNotFound, given);
        throw e;
    }
    c->db = db;
    configure(*c);
    return c;
}

} // namespace

namespace detail {

std::shared_ptr<Connection> openConnection(const std::string& path, const OpenOptions& options,
                                           const rt::Regional& regional) {
    auto found = findFile(path);
    if (!found) throw err::make(err::FileNotFound, path);
    struct stat st {};
    if (::stat(found->c_str(), &st) != 0 || S_ISDIR(st.st_mode)) throw err::make(err::FileNotFound, path);
    if (st.st_size == 0) throw err::make(err::NotADatabase, path);
    bool writable = ::access(found->c_str(), W_OK) == 0 && ::access(folderOf(*found).empty() ? "." : folderOf(*found).c_str(), W_OK) == 0;
    int flags = (writable ? SQLITE_OPEN_READWRITE : SQLITE_OPEN_READONLY) | SQLITE_OPEN_NOMUTEX;
    auto c = newConnection(path, *found, regional, flags);
    c->exclusive = options.exclusive;
    c->readOnly = options.readOnly || !writable;

    // Shared / exclusive use of the file.
    switch (takeOpenLock(c->db, "main", options.exclusive)) {
    case OpenLockResult::Ok:
    case OpenLockResult::Unsupported:
        break;
    case OpenLockResult::HeldExclusive:
        c->close();
        throw err::make(err::ExclusiveLocked);
    case OpenLockResult::HeldShared:
        c->close();
        throw err::make(err::FileInUse, path);
    }

    try {
        Stmt probe(c->db, "SELECT count(*) FROM sqlite_master");
        probe.step();
    } catch (const rt::Error& e) {
        c->close();
        if (e.number() == err::NotADatabase || e.number() == err::DiskIo) throw err::make(err::NotADatabase, path);
        throw;
    }
    try {
        if (!c->passwordMatches("main", sql::parseConnect(options.connect).password))
            throw err::make(err::InvalidPassword);
        if (writable) {
            // Rollback journal, never WAL (files on network shares), full sync.
            sqlite3_exec(c->db, "PRAGMA journal_mode=DELETE", nullptr, nullptr, nullptr);
        }
        exec(c->db, "PRAGMA synchronous=FULL");
        if (!c->readOnly) ensureCatalogTables(c->db);
        if (c->readOnly) exec(c->db, "PRAGMA query_only=1");
        if (hasCatalogTables(c->db) || c->readOnly) {
            Stmt links(c->db, "SELECT count(*) FROM sqlite_master WHERE type='table' AND name='MSysLinks'");
            links.step();
            if (links.int64(0) > 0) c->attachLinks();
        }
    } catch (...) {
        c->close();
        throw;
    }
    c->catalog = std::make_unique<Catalog>(*c);
    return c;
}

std::shared_ptr<Connection> createConnection(const std::string& path, const std::string& password,
                                             const rt::Regional& regional) {
    std::string file = normalizeSeparators(path);
    if (file.empty()) throw err::make(err::FileNotFound, path);
    if (findFile(file)) throw err::make(3204);
    // The folder may be given in another case than it has on disk.
    std::string folder = folderOf(file);
    if (!folder.empty()) {
        auto f = findFile(folder);
        if (!f) throw err::make(3044, folder);
        file = joinPath(*f, fileNameOf(file));
    }
    auto c = newConnection(path, file, regional,
                           SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX);
    takeOpenLock(c->db, "main", false);
    try {
        exec(c->db, "PRAGMA journal_mode=DELETE");
        exec(c->db, "PRAGMA synchronous=FULL");
        exec(c->db, "BEGIN");
        ensureCatalogTables(c->db);
        if (!password.empty()) c->storePassword(password);
        exec(c->db, "COMMIT");
    } catch (...) {
        c->close();
        ::unlink(file.c_str());
        throw;
    }
    c->catalog = std::make_unique<Catalog>(*c);
    return c;
}

} // namespace detail
} // namespace engine
