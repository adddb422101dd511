#pragma once
// PerThreadState<T>: library-wide state, one T per host thread. A control
// library's descriptor owns one (a member of the descriptor, never a
// namespace-scope variable), so two libraries in one process, or two
// descriptors of one library in a test, never share state, while every
// control of one library on one thread shares its T.
//
// T is created on the thread's first get() with the factory given (default:
// T()). The states live until reset() for their thread or the owner's end.
// The states themselves are not locked: each is used by its own thread only
// (the map that finds them is).
//
// A thread id may be reused by a later thread; a host that ends a thread
// which used controls calls reset() on it, as it releases its controls.
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <thread>

namespace hosting {

template <class T>
class PerThreadState {
public:
    using Factory = std::function<std::unique_ptr<T>()>;

    PerThreadState() : make_([] { return std::make_unique<T>(); }) {}
    explicit PerThreadState(Factory make) : make_(std::move(make)) {}
    PerThreadState(const PerThreadState&) = delete;
    PerThreadState& operator=(const PerThreadState&) = delete;

    // This thread's state, created on first use.
    T& get() {
        const auto id = std::this_thread::get_id();
        {
            std::lock_guard<std::mutex> lock(mutex_);
            auto it = states_.find(id);
            if (it != states_.end()) return *it->second;
        }
        auto fresh = make_();   // outside the lock: a factory may take time
        std::lock_guard<std::mutex> lock(mutex_);
        auto& slot = states_[id];
        if (!slot) slot = std::move(fresh);
        return *slot;
    }
    // This thread's state, or null while it has none.
    T* find() const {
        std::lock_guard<std::mutex> lock(mutex_);
        auto it = states_.find(std::this_thread::get_id());
        return it == states_.end() ? nullptr : it->second.get();
    }
    // Drops this thread's state (destroyed outside the lock).
    void reset() {
        std::unique_ptr<T> old;
        {
            std::lock_guard<std::mutex> lock(mutex_);
            auto it = states_.find(std::this_thread::get_id());
            if (it == states_.end()) return;
            old = std::move(it->second);
            states_.erase(it);
        }
    }
    std::size_t threadCount() const {
        std::lock_guard<std::mutex> lock(mutex_);
        return states_.size();
    }

private:
    Factory make_;
    mutable std::mutex mutex_;
    std::map<std::thread::id, std::unique_ptr<T>> states_;
};

} // namespace hosting
