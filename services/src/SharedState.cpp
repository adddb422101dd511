#include "services/SharedState.h"

#include "engine/Engine.h"
#include "services/Sprachen.h"

namespace services {

SharedState::SharedState() = default;

// objSpra goes first: its handles belong to databases of the engine.
SharedState::~SharedState() { objSpra_.reset(); }

engine::Engine& SharedState::engine(const rt::Regional& regional) {
    if (!engine_) engine_ = std::make_unique<engine::Engine>(regional);
    return *engine_;
}

Sprachen& SharedState::objSpra() {
    if (!objSpra_) objSpra_ = std::make_unique<Sprachen>();
    return *objSpra_;
}

} // namespace services
