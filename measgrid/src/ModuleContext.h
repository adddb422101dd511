#pragma once
// ModuleContext: what the routines of the control's module work with beside
// the grid and the cursors they are handed - the library-wide state of the
// calling thread, the host's UI services (message boxes, the screen's mouse
// pointer), the per-user settings store and the user's regional settings.
// A control builds one per call; the routines keep nothing of it.
#include <functional>

#include "MeasState.h"
#include "runtime/Error.h"
#include "runtime/Regional.h"

namespace tk { class UiServices; }
namespace settings { class Store; }

namespace measgrid {

// Per-user settings of the library: application name and section.
inline constexpr const char* kSettingsApp = "measgrid";
inline constexpr const char* kSettingsSection = "GridMessung";

struct ModuleContext {
    MeasState& state;
    tk::UiServices& ui;
    settings::Store& settings;
    const rt::Regional& regional;
    // Run before a routine shows a message box. A loading that holds the
    // back-end's write lock for the limit rows it creates commits them here,
    // so that nobody waits for the lock while the user reads the box.
    std::function<void()> beforeMessage = {};
};

// Shows an error the way the module's routines report their own errors: a
// message box with an OK button only, "<number> <description>".
void reportError(const ModuleContext& ctx, const rt::Error& e);

} // namespace measgrid
