#pragma once
// SharedState: the part of a control library's library-wide state that the
// shared services work on - the database engine, the translation object
// objSpra, the replica identifier and the application folder. A library's
// own state derives from it (one object per library and host thread, kept
// in the library descriptor's PerThreadState); services take it as an
// argument, there is no global instance.
//
// The engine and objSpra are created on first use and live as long as the
// state. The replica identifier and the application folder start Empty.
#include <memory>

#include "runtime/Regional.h"
#include "runtime/Variant.h"

namespace engine { class Engine; }

namespace services {

class Sprachen;

class SharedState {
public:
    SharedState();
    virtual ~SharedState();
    SharedState(const SharedState&) = delete;
    SharedState& operator=(const SharedState&) = delete;

    // The library's database engine; the regional settings are those of its
    // first use (the host's), and stay for the engine's life.
    engine::Engine& engine(const rt::Regional& regional);
    bool hasEngine() const { return engine_ != nullptr; }

    // The library's translation object.
    Sprachen& objSpra();
    bool hasObjSpra() const { return objSpra_ != nullptr; }

    rt::Variant replicaId;   // trelvanReplicaID
    rt::Variant appPath;     // AppPath (a text once set)

private:
    std::unique_ptr<engine::Engine> engine_;
    std::unique_ptr<Sprachen> objSpra_;
};

} // namespace services
