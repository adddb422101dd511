#pragma once
// Control: the base of every child control of a user control (labels,
// buttons, check boxes, text boxes, combo boxes, grids). A model only: it
// holds the state a front-end draws and receives the input a front-end (or a
// test) feeds in. Sizes and positions are in twips.
//
// Events are std::function members named after the classic events
// (onClick, onGotFocus, ...); arguments the handler may change are passed by
// reference. A handler left empty means the event is not handled. Every
// raised event is also reported to the EventTrace, if one is attached, so
// that tests and the scenario runner can print the order of events.
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace tk {

class Container;

// Observer of raised events (for logs and tests); never changes behaviour.
class EventTrace {
public:
    virtual ~EventTrace() = default;
    virtual void event(std::string_view control, std::string_view name, std::string_view args) = 0;
};

// Colours are classic OLE colours: 0x00BBGGRR, or a system colour index with
// the high bit set (0x80000012 button text, 0x80000005 window background).
using Color = std::uint32_t;
inline constexpr Color kButtonText = 0x80000012u;
inline constexpr Color kWindowBackground = 0x80000005u;
inline constexpr Color kButtonFace = 0x8000000Fu;

class Control {
public:
    Control(std::string name, std::string kind);
    virtual ~Control();
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    const std::string& name() const { return name_; }
    const std::string& kind() const { return kind_; }   // "Label", "CommandButton", "FlexGrid", ...

    const std::string& caption() const { return caption_; }
    virtual void setCaption(std::string c) { caption_ = std::move(c); }
    const std::string& tag() const { return tag_; }
    void setTag(std::string t) { tag_ = std::move(t); }

    bool enabled() const { return enabled_; }
    void setEnabled(bool e) { enabled_ = e; }
    bool visible() const { return visible_; }
    void setVisible(bool v) { visible_ = v; }

    int left() const { return left_; }
    int top() const { return top_; }
    int width() const { return width_; }
    int height() const { return height_; }
    void setLeft(int v) { left_ = v; }
    void setTop(int v) { top_ = v; }
    // Negative sizes raise rt::Error 380 (invalid property value).
    void setWidth(int v);
    void setHeight(int v);
    void move(int left, int top, int width, int height);

    Color backColor() const { return backColor_; }
    void setBackColor(Color c) { backColor_ = c; }
    Color foreColor() const { return foreColor_; }
    void setForeColor(Color c) { foreColor_ = c; }
    int tabIndex() const { return tabIndex_; }
    void setTabIndex(int i) { tabIndex_ = i; }
    bool tabStop() const { return tabStop_; }
    void setTabStop(bool t) { tabStop_ = t; }

    // Whether the control can take the focus (visible, enabled and of a
    // focusable kind; labels cannot).
    virtual bool canFocus() const { return visible_ && enabled_; }
    // Moves the focus here through the owning container's focus manager;
    // raises rt::Error 5 when the control cannot take the focus.
    void setFocus();
    bool hasFocus() const;

    Container* parent() const { return parent_; }
    void setParent(Container* p) { parent_ = p; }

    void setTrace(EventTrace* t) { trace_ = t; }
    EventTrace* trace() const { return trace_; }

    std::function<void()> onGotFocus;
    std::function<void()> onLostFocus;

    // Called by the focus manager.
    void raiseGotFocus();
    void raiseLostFocus();

protected:
    void traceEvent(std::string_view event, std::string_view args = {}) const;

private:
    std::string name_, kind_, caption_, tag_;
    bool enabled_ = true, visible_ = true, tabStop_ = true;
    int left_ = 0, top_ = 0, width_ = 0, height_ = 0, tabIndex_ = 0;
    Color backColor_ = kButtonFace, foreColor_ = kButtonText;
    Container* parent_ = nullptr;
    EventTrace* trace_ = nullptr;
};

} // namespace tk
