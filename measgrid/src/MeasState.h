#pragma once
// MeasState: the library-wide state of measgrid, one object per library and
// host thread (hosting::PerThreadState in MeasLibrary), shared by every
// Messungen control of that thread. Setting an item through one control
// changes it for all of them.
//
// Besides the shared part (engine, objSpra, replica identifier, application
// folder; services::SharedState) it holds:
//   frontend      the host's front-end database (trelvanDB); the host owns it,
//                 the state holds a reference
//   backend       BackendDB, opened by the library from the link of "Kunde";
//                 released when any control terminates
//   limitSupport  LimitSupport, -1 true / 0 false; every control's
//                 Initialize sets it to -1
#include <cstdint>
#include <memory>

#include "services/SharedState.h"

namespace engine { class Database; }

namespace measgrid {

struct MeasState : services::SharedState {
    std::shared_ptr<engine::Database> frontend;
    std::shared_ptr<engine::Database> backend;
    std::int16_t limitSupport = -1;
};

} // namespace measgrid
