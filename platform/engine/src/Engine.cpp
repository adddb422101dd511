#include "engine/Engine.h"

#include <algorithm>

#include "Connection.h"
#include "engine/Errors.h"

namespace engine {

struct Workspace::Private {
    std::vector<std::weak_ptr<Database>> databases;
    int depth = 0;
};

Engine::Engine(rt::Regional regional) : regional_(std::move(regional)), ws_(std::make_unique<Workspace>(*this)) {}
Engine::~Engine() = default;
Workspace& Engine::defaultWorkspace() { return *ws_; }

Workspace::Workspace(Engine& engine) : engine_(engine), d_(std::make_unique<Private>()) {}

Workspace::~Workspace() {
    for (auto& w : d_->databases)
        if (auto db = w.lock()) db->connection()->workspace = nullptr;
}

namespace {

std::shared_ptr<Database> registerDb(Workspace& ws, std::shared_ptr<Connection> conn) {
    auto db = std::make_shared<Database>(ws, std::move(conn));
    auto& list = ws.priv().databases;
    std::erase_if(list, [](const std::weak_ptr<Database>& w) { return w.expired(); });
    list.push_back(db);
    return db;
}

} // namespace

std::shared_ptr<Database> Workspace::openDatabase(const std::string& path, const OpenOptions& options) {
    auto conn = detail::openConnection(path, options, engine_.regional());
    auto db = registerDb(*this, conn);
    // A database opened inside a transaction joins it from the next level on.
    return db;
}

std::shared_ptr<Database> Workspace::createDatabase(const std::string& path, const std::string& password) {
    return registerDb(*this, detail::createConnection(path, password, engine_.regional()));
}

std::vector<std::shared_ptr<Database>> Workspace::databases() const {
    std::vector<std::shared_ptr<Database>> out;
    for (const auto& w : d_->databases)
        if (auto db = w.lock(); db && db->isOpen()) out.push_back(db);
    return out;
}

void Workspace::beginTrans() {
    int level = d_->depth + 1;
    auto dbs = databases();
    std::vector<std::shared_ptr<Database>> done;
    try {
        for (auto& db : dbs) {
            db->connection()->beginTransaction(level);
            done.push_back(db);
        }
    } catch (...) {
        for (auto& db : done) db->connection()->rollbackTransaction(level);
        throw;
    }
    d_->depth = level;
}

void Workspace::commitTrans() {
    if (d_->depth == 0) throw err::make(err::CommitWithoutBegin);
    int level = d_->depth;
    for (auto& db : databases()) db->connection()->commitTransaction(level);
    d_->depth = level - 1;
}

void Workspace::rollback() {
    if (d_->depth == 0) throw err::make(err::CommitWithoutBegin);
    int level = d_->depth;
    for (auto& db : databases()) db->connection()->rollbackTransaction(level);
    d_->depth = level - 1;
}

int Workspace::transactionDepth() const { return d_->depth; }

} // namespace engine
