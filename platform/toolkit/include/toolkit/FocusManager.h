#pragma once
// FocusManager: which child control of one user control has the focus, and
// the focus events. One per Container; Control::setFocus goes through it.
//
// Event order:
//   - focus moves from child A to child B: A.LostFocus, then B.GotFocus;
//   - the focus enters the user control from outside (nothing focused):
//     the user control's EnterFocus, then B.GotFocus;
//   - leave() (the host activates something outside): A.LostFocus, then the
//     user control's ExitFocus.
// Focusing the control that already has the focus raises nothing. The new
// control counts as focused before A.LostFocus runs; if that handler moves
// the focus on to C, B gets neither GotFocus nor LostFocus, C gets GotFocus.
// Hiding or disabling the focused control does not move the focus; its
// LostFocus comes when the focus moves on.
// Deferred mode (setDeferred): the events are posted to an EventQueue and
// run on its next doEvents(), as the classic focus events arrive as pending
// window events; the focus itself moves at once. Events posted for a
// container that has ended are dropped.
// Errors: setFocus on a control that cannot take the focus or belongs to
// another container raises rt::Error 5 and changes nothing.
#include <memory>

namespace tk {

class Container;
class Control;
class EventQueue;

class FocusManager {
public:
    explicit FocusManager(Container& owner);
    FocusManager(const FocusManager&) = delete;
    FocusManager& operator=(const FocusManager&) = delete;

    Control* focused() const { return focused_; }
    // Whether the focus is inside the user control.
    bool active() const { return focused_ != nullptr; }

    void setFocus(Control& c);
    void leave();
    // Tab (forward) or Shift+Tab: the next control in tab order (TabIndex,
    // then creation order) that can take the focus and has TabStop set,
    // wrapping around inside the user control. Without a focused control,
    // the first (last) one. Returns false when no control qualifies.
    bool tab(bool forward = true);

    void setDeferred(EventQueue* queue) { deferred_ = queue; }
    EventQueue* deferred() const { return deferred_; }

    // A control that ends while focused is forgotten without events.
    void forget(const Control& c);

private:
    void gotFocus(Control* c);
    void lostFocus(Control* c);
    void enterFocus();
    void exitFocus();

    Container& owner_;
    Control* focused_ = nullptr;
    Control* announced_ = nullptr;   // the control whose GotFocus was raised
    EventQueue* deferred_ = nullptr;
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

} // namespace tk
