#pragma once
// Container: owns the named child controls of a user control and their
// focus manager. Names are unique ignoring case; the controls collection
// (controls()) lists every child, menu items included, in creation order,
// as the classic Controls collection does.
//
// Errors (rt::Error; the container is unchanged after one): adding a control
// whose name is empty or already used raises 5; control(name) with no such
// control raises 730 "Control not found"; get<T>(name) of another kind
// raises 13.
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "toolkit/Control.h"
#include "toolkit/FocusManager.h"

namespace tk {

class Container {
public:
    explicit Container(std::string name);
    virtual ~Container();
    Container(const Container&) = delete;
    Container& operator=(const Container&) = delete;

    const std::string& name() const { return name_; }

    // Creates a control T(name, args...) owned by this container.
    template <class T, class... Args>
    T& add(std::string name, Args&&... args) {
        auto c = std::make_unique<T>(std::move(name), std::forward<Args>(args)...);
        T& ref = *c;
        adopt(std::move(c));
        return ref;
    }
    // Takes ownership of a control made elsewhere (a grid, ...).
    Control& adopt(std::unique_ptr<Control> c);

    Control* find(std::string_view name) const;
    Control& control(std::string_view name) const;
    template <class T>
    T& get(std::string_view name) const {
        auto* t = dynamic_cast<T*>(&control(name));
        if (!t) throwKindMismatch(name);
        return *t;
    }
    const std::vector<Control*>& controls() const { return order_; }
    std::size_t count() const { return order_.size(); }

    FocusManager& focus() { return focus_; }
    const FocusManager& focus() const { return focus_; }

    // Applies to the controls present and to those added later.
    void setTrace(EventTrace* t);
    EventTrace* trace() const { return trace_; }

    // Called by the focus manager when the focus enters or leaves.
    virtual void raiseEnterFocus() {}
    virtual void raiseExitFocus() {}

protected:
    void traceEvent(std::string_view event, std::string_view args = {}) const;

private:
    [[noreturn]] static void throwKindMismatch(std::string_view name);

    std::string name_;
    EventTrace* trace_ = nullptr;
    FocusManager focus_;
    std::vector<std::unique_ptr<Control>> owned_;
    std::vector<Control*> order_;
};

} // namespace tk
