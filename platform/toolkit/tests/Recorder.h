#pragma once
// Test helper: an EventTrace that keeps "Control.Event(args)" lines.
#include <string>
#include <vector>

#include "toolkit/Control.h"

struct Recorder : tk::EventTrace {
    std::vector<std::string> log;
    void event(std::string_view control, std::string_view name, std::string_view args) override {
        std::string line = std::string(control) + "." + std::string(name);
        if (!args.empty()) line += "(" + std::string(args) + ")";
        log.push_back(std::move(line));
    }
};
