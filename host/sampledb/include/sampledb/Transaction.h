#pragma once
// Scoped transaction of a workspace: begun on construction, rolled back on
// destruction unless commit() was called. Nests (the engine uses savepoints).
#include "engine/Engine.h"

namespace sampledb {

class Transaction {
public:
    explicit Transaction(engine::Workspace& ws) : ws_(ws) { ws_.beginTrans(); }
    ~Transaction()
    {
        if (open_) {
            try { ws_.rollback(); } catch (...) { /* already failing; keep the first error */ }
        }
    }
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;

    void commit()
    {
        ws_.commitTrans();
        open_ = false;
    }

private:
    engine::Workspace& ws_;
    bool open_ = true;
};

} // namespace sampledb
