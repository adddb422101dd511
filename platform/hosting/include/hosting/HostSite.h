#pragma once
// HostSite: what a host hands a control when it creates it. The control
// keeps the site for its whole life; the host keeps every object the site
// points to alive until it has released the control.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "runtime/Regional.h"
#include "runtime/Variant.h"

namespace tk { class UiServices; }
namespace settings { class Store; }

namespace hosting {

// Receives the events a control raises. Arguments are the event's declared
// parameters in order; by-reference ones may be changed by the sink and the
// control reads them back after the call. The sink handles its own errors:
// anything it throws is dropped at the control's side (a host's fault never
// becomes the control's error).
class IEventSink {
public:
    virtual ~IEventSink() = default;
    virtual void event(std::string_view control, std::string_view name, std::vector<rt::Variant>& args) = 0;
};

// Receives the notices that a property changed, so that the host knows its
// saved copy of the control's properties is out of date.
class IPropertyNotify {
public:
    virtual ~IPropertyNotify() = default;
    virtual void propertyChanged(std::string_view control, std::string_view property) = 0;
};

// Ambient values of the host's container.
struct Ambient {
    bool userMode = true;                // run time (true) or design time
    std::string displayName;             // the control's name on the host's form
    rt::Regional regional = rt::Regional::english();   // the user's number and date forms
    std::uint32_t backColor = 0x8000000Fu;   // the container's background (button face)
};

// Every pointer may be null: a null sink drops events and notices; a null
// ui or settings makes the control's first use of it fail with error 91
// ("Object variable not set").
struct HostSite {
    IEventSink* events = nullptr;
    IPropertyNotify* notify = nullptr;
    tk::UiServices* ui = nullptr;
    settings::Store* settings = nullptr;
    Ambient ambient;
};

} // namespace hosting
