#pragma once
// EventQueue: pending window events as deferred actions, run by doEvents()
// (the classic DoEvents). One per user-interface thread, passed explicitly.
//
// doEvents() runs the pending actions in the order they were posted (FIFO)
// until none is left: an action posted while doEvents runs, runs in the same
// pass after those already pending. Each action runs exactly once: an
// action is taken off the queue before it runs, so a doEvents nested inside
// an action runs only what is still pending and never an action twice.
// An exception from an action leaves doEvents at once (to its caller); the
// actions still pending stay queued for the next doEvents. An action that
// keeps posting itself keeps doEvents running, as a message loop would.
#include <cstddef>
#include <deque>
#include <functional>

namespace tk {

class EventQueue {
public:
    void post(std::function<void()> action);
    // Returns the number of actions run (nested passes included).
    std::size_t doEvents();
    std::size_t pending() const { return queue_.size(); }
    void discard() { queue_.clear(); }

private:
    std::deque<std::function<void()>> queue_;
    std::size_t depth_ = 0;
};

} // namespace tk
