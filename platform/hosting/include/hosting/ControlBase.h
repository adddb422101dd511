#pragma once
// ControlBase: the base of every control class in a control library. It
// implements IControl: each call runs inside the library's boundary guard
// (only rt::Error leaves), members are dispatched through the class's
// member table, and the lifecycle calls go to the on...() hooks, which a
// control overrides as it needs (all do nothing by default).
//
// A control reaches its library (and through it the library-wide state of
// its thread) with library(), its host with site(), ui() and settings().
#include <string>
#include <string_view>
#include <vector>

#include "hosting/ControlClass.h"
#include "hosting/HostSite.h"
#include "hosting/IControl.h"

namespace hosting {

class ControlBase : public IControl {
public:
    explicit ControlBase(const CreateContext& ctx);
    ~ControlBase() override;

    const ControlClass& controlClass() const final { return cls_; }
    rt::Variant invoke(std::string_view name, MemberKind kind, std::vector<rt::Variant>& args) final;
    void initProperties() final;
    void readProperties(const PropertyBag& bag) final;
    void writeProperties(PropertyBag& bag) final;
    void resize(int width, int height) final;
    void paint() final;
    void terminate() final;
    tk::UserControl* userControl() override { return nullptr; }

    // Run by the library right after construction.
    void initialize();

    // The name the host gave the control (Ambient::displayName), else the
    // class name; used in events and notices.
    const std::string& displayName() const;
    int width() const { return width_; }
    int height() const { return height_; }

protected:
    virtual void onInitialize() {}
    virtual void onInitProperties() {}
    virtual void onReadProperties(const PropertyBag&) {}
    virtual void onWriteProperties(PropertyBag&) {}
    virtual void onResize() {}
    virtual void onPaint() {}
    virtual void onTerminate() {}

    LibraryDescriptor& library() const { return library_; }
    const HostSite& site() const { return site_; }
    const rt::Regional& regional() const { return site_.ambient.regional; }
    // Error 91 when the host gave none.
    tk::UiServices& ui() const;
    settings::Store& settings() const;

    // Tells the host that a property changed.
    void propertyChanged(std::string_view property);
    // Raises a declared event; args are its parameters in declared order and
    // hold the sink's changes to by-reference ones afterwards. Error 5 for
    // an event the class does not declare or a wrong number of arguments.
    void raiseEvent(std::string_view name, std::vector<rt::Variant>& args);

private:
    const ControlClass& cls_;
    LibraryDescriptor& library_;
    HostSite site_;
    int width_ = 0, height_ = 0;
    bool terminated_ = false;
};

} // namespace hosting
