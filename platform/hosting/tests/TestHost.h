#pragma once
// A host for the tests: records notices and events, answers the Changing
// event of Probe as told, and gives the controls a headless UI.
#include <functional>
#include <string>
#include <vector>

#include "hosting/HostSite.h"
#include "hosting/VariantLiteral.h"
#include "toolkit/HeadlessUi.h"
#include "ErrorNumber.h"

struct TestHost : hosting::IEventSink, hosting::IPropertyNotify {
    std::vector<std::string> log;
    std::function<void(std::string_view, std::vector<rt::Variant>&)> onEvent;
    tk::HeadlessUi ui;

    void event(std::string_view control, std::string_view name, std::vector<rt::Variant>& args) override {
        std::string line = std::string(control) + "." + std::string(name) + "(";
        for (std::size_t i = 0; i < args.size(); ++i) line += (i ? ", " : "") + hosting::formatLiteral(args[i]);
        log.push_back(line + ")");
        if (onEvent) onEvent(name, args);
    }
    void propertyChanged(std::string_view control, std::string_view property) override {
        log.push_back(std::string(control) + " changed " + std::string(property));
    }
    hosting::HostSite site(std::string name = "Probe1") {
        hosting::HostSite s;
        s.events = this;
        s.notify = this;
        s.ui = &ui;
        s.ambient.displayName = std::move(name);
        return s;
    }
};

