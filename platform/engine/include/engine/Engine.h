#pragma once
// Engine -> Workspaces -> Databases. One Engine per control library (kept in
// the library's state object, created on first use); a host program or tool
// creates its own. The engine owns the regional settings used when texts are
// converted into numeric or date fields.
#include <memory>
#include <string>
#include <vector>

#include "engine/Database.h"
#include "runtime/Regional.h"

namespace engine {

class Workspace;

class Engine {
public:
    explicit Engine(rt::Regional regional = rt::Regional::fromEnvironment());
    ~Engine();
    Engine(const Engine&) = delete;
    Engine& operator=(const Engine&) = delete;

    // Workspaces(0), created with the engine.
    Workspace& defaultWorkspace();
    const rt::Regional& regional() const { return regional_; }

private:
    rt::Regional regional_;
    std::unique_ptr<Workspace> ws_;
};

// Options of OpenDatabase.
struct OpenOptions {
    bool exclusive = false;   // no other connection may open the file
    bool readOnly = false;
    std::string connect;      // "MS Access;pwd=<password>" or "" (also ";pwd=" alone)
};

class Workspace {
public:
    explicit Workspace(Engine& engine);
    ~Workspace();

    // Opens a database file. The path may use "\" as separator; when the
    // file is not found under its exact name, a file in the same folder whose
    // name differs only in case is taken. Errors: 3024 missing file, 3343 not
    // a database, 3031 wrong or missing password, 3045/3356 locked by another
    // exclusive user, 3043 I/O.
    std::shared_ptr<Database> openDatabase(const std::string& path, const OpenOptions& options = {});
    // Creates a new, empty database file (error 3204 if it exists), with the
    // catalog tables and the replica table. password may be empty.
    std::shared_ptr<Database> createDatabase(const std::string& path, const std::string& password = {});

    // Transactions over every database opened through this workspace.
    // Nested BeginTrans is allowed (savepoints). CommitTrans / Rollback
    // without BeginTrans raise 3034.
    void beginTrans();
    void commitTrans();
    void rollback();
    int transactionDepth() const;

    // The databases open in this workspace, in the order they were opened.
    std::vector<std::shared_ptr<Database>> databases() const;

    Engine& engine() { return engine_; }

    // Internal: databases register and unregister themselves.
    struct Private;
    Private& priv() { return *d_; }

private:
    Engine& engine_;
    std::unique_ptr<Private> d_;
};

} // namespace engine
