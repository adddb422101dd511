#include "toolkit/FocusManager.h"

#include <algorithm>
#include <vector>

#include "runtime/Error.h"
#include "toolkit/Container.h"
#include "toolkit/EventQueue.h"

namespace tk {

FocusManager::FocusManager(Container& owner) : owner_(owner) {}

void FocusManager::setFocus(Control& c) {
    if (c.parent() != &owner_ || !c.canFocus()) throw rt::invalidCallError();
    if (focused_ == &c) return;
    Control* old = focused_;
    focused_ = &c;
    if (!old) {
        enterFocus();
    } else if (old == announced_) {
        // A control whose GotFocus was never raised (the focus moved on from
        // inside a LostFocus handler) gets no LostFocus either.
        announced_ = nullptr;
        lostFocus(old);
    }
    if (focused_ != &c) return;   // a handler moved the focus on
    announced_ = &c;
    gotFocus(&c);
}

void FocusManager::leave() {
    Control* old = focused_;
    if (!old) return;
    focused_ = nullptr;
    if (old == announced_) {
        announced_ = nullptr;
        lostFocus(old);
    }
    exitFocus();
}

bool FocusManager::tab(bool forward) {
    std::vector<Control*> order;
    for (Control* c : owner_.controls())
        if (c->tabStop() && c->canFocus()) order.push_back(c);
    if (order.empty()) return false;
    // Stable: equal tab indexes keep creation order.
    std::stable_sort(order.begin(), order.end(),
                     [](const Control* a, const Control* b) { return a->tabIndex() < b->tabIndex(); });
    auto it = std::find(order.begin(), order.end(), focused_);
    Control* next;
    if (it == order.end()) {
        next = forward ? order.front() : order.back();
    } else if (forward) {
        next = (it + 1 == order.end()) ? order.front() : *(it + 1);
    } else {
        next = (it == order.begin()) ? order.back() : *(it - 1);
    }
    setFocus(*next);
    return true;
}

void FocusManager::forget(const Control& c) {
    if (focused_ == &c) focused_ = nullptr;
    if (announced_ == &c) announced_ = nullptr;
}

// The events either run now or wait in the queue; a waiting event checks
// that the container still exists and that the control is still the one
// the event is about.
void FocusManager::gotFocus(Control* c) {
    if (!deferred_) {
        c->raiseGotFocus();
        return;
    }
    std::weak_ptr<bool> alive = alive_;
    deferred_->post([alive, c] {
        if (!alive.expired()) c->raiseGotFocus();
    });
}

void FocusManager::lostFocus(Control* c) {
    if (!deferred_) {
        c->raiseLostFocus();
        return;
    }
    std::weak_ptr<bool> alive = alive_;
    deferred_->post([alive, c] {
        if (!alive.expired()) c->raiseLostFocus();
    });
}

void FocusManager::enterFocus() {
    if (!deferred_) {
        owner_.raiseEnterFocus();
        return;
    }
    std::weak_ptr<bool> alive = alive_;
    Container* owner = &owner_;
    deferred_->post([alive, owner] {
        if (!alive.expired()) owner->raiseEnterFocus();
    });
}

void FocusManager::exitFocus() {
    if (!deferred_) {
        owner_.raiseExitFocus();
        return;
    }
    std::weak_ptr<bool> alive = alive_;
    Container* owner = &owner_;
    deferred_->post([alive, owner] {
        if (!alive.expired()) owner->raiseExitFocus();
    });
}

} // namespace tk
