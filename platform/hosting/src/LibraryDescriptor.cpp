#include "hosting/LibraryDescriptor.h"

#include "hosting/Boundary.h"
#include "hosting/ControlBase.h"
#include "runtime/Error.h"
#include "runtime/Text.h"

namespace hosting {

LibraryDescriptor::LibraryDescriptor(std::string typeLibraryName, std::string typeLibraryId)
    : typeLibrary_{std::move(typeLibraryName), std::move(typeLibraryId)} {}

LibraryDescriptor::~LibraryDescriptor() = default;

const ControlClass* LibraryDescriptor::findClass(std::string_view nameOrId) const {
    for (const auto& c : classes_)
        if (rt::text::equalsNoCase(c->name(), nameOrId) || sameId(c->id(), nameOrId)) return c.get();
    return nullptr;
}

void LibraryDescriptor::addClass(std::unique_ptr<ControlClass> cls) { classes_.push_back(std::move(cls)); }

std::unique_ptr<IControl> LibraryDescriptor::create(std::string_view nameOrId, const HostSite& site) {
    return guarded([&]() -> std::unique_ptr<IControl> {
        const ControlClass* cls = findClass(nameOrId);
        if (!cls)
            throw rt::Error(429, "Can't create object: class '" + std::string(nameOrId) +
                                     "' is not in control library " + typeLibrary_.name);
        std::unique_ptr<ControlBase> control = cls->create(CreateContext{*cls, *this, site});
        control->initialize();
        return control;
    });
}

} // namespace hosting
