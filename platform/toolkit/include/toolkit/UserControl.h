#pragma once
// UserControl: a user control - the Container of its child controls plus
// its own size, background colour, lifecycle and focus events, and the
// menu trees it shows as popup menus (menu items are children too, so they
// appear in the controls collection).
//
// Events (std::function, empty = not handled), raised by:
//   Initialize  initialize()        - called once by whoever creates it
//   Resize      resize(w, h)        - the host sizes the control (twips)
//   Paint       paint()             - the front-end asks for a repaint
//   EnterFocus  the focus manager   - the focus enters from outside
//   ExitFocus   the focus manager   - the focus leaves (focus().leave())
//   Terminate   terminate()         - before the control ends
#include <functional>

#include "toolkit/Container.h"
#include "toolkit/MenuItem.h"

namespace tk {

class UserControl : public Container {
public:
    explicit UserControl(std::string name);

    int width() const { return width_; }
    int height() const { return height_; }
    // Sets the size and raises Resize; negative sizes raise rt::Error 380.
    void resize(int width, int height);
    Color backColor() const { return backColor_; }
    void setBackColor(Color c) { backColor_ = c; }

    void initialize();
    void paint();
    void terminate();

    // A menu item named `name`; below `parent` when given, else a top menu.
    MenuItem& addMenu(std::string name, std::string caption, MenuItem* parent = nullptr);
    // A menu item by name (ignoring case); 730 when there is none.
    MenuItem& menu(std::string_view name) const;

    std::function<void()> onInitialize;
    std::function<void()> onResize;
    std::function<void()> onPaint;
    std::function<void()> onEnterFocus;
    std::function<void()> onExitFocus;
    std::function<void()> onTerminate;

    void raiseEnterFocus() override;
    void raiseExitFocus() override;

private:
    int width_ = 0, height_ = 0;
    Color backColor_ = kButtonFace;
};

} // namespace tk
