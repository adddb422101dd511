#include "toolkit/EventQueue.h"

namespace tk {

void EventQueue::post(std::function<void()> action) {
    if (action) queue_.push_back(std::move(action));
}

std::size_t EventQueue::doEvents() {
    std::size_t ran = 0;
    while (!queue_.empty()) {
        // Taken off before it runs: a nested doEvents cannot see it again.
        std::function<void()> action = std::move(queue_.front());
        queue_.pop_front();
        ++ran;
        action();
    }
    return ran;
}

} // namespace tk
