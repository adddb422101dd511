#pragma once
// LibraryDescriptor: the one object through which a host meets a control
// library. It describes the library (type library name and id, its classes
// with their interfaces, members and events) and creates controls. A
// library derives its own descriptor, adds its classes in the constructor
// and keeps its library-wide state as members (PerThreadState<T>).
//
// Entry point. A control library (shared object) exports exactly one C
// function, named by kEntryPoint:
//
//   extern "C" hosting::LibraryDescriptor* pg_control_library(void);
//
// which returns the library's descriptor, created on the first call and
// alive until the library is unloaded. PG_CONTROL_LIBRARY_ENTRY(Type)
// defines it for a descriptor class Type; it belongs in a source file of
// the shared library alone (not of the static core that tests link), so
// that several libraries can be linked into one test program.
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "hosting/ControlClass.h"
#include "hosting/HostSite.h"
#include "hosting/IControl.h"
#include "hosting/Types.h"

namespace hosting {

// Raised when the layout of the types shared between host and library
// changes; a host refuses a library built against another version.
inline constexpr int kAbiVersion = 1;
inline constexpr const char* kEntryPoint = "pg_control_library";

class LibraryDescriptor {
public:
    LibraryDescriptor(std::string typeLibraryName, std::string typeLibraryId);
    virtual ~LibraryDescriptor();
    LibraryDescriptor(const LibraryDescriptor&) = delete;
    LibraryDescriptor& operator=(const LibraryDescriptor&) = delete;

    // The version the library was built against (compiled into the library).
    virtual int abiVersion() const { return kAbiVersion; }

    const InterfaceInfo& typeLibrary() const { return typeLibrary_; }
    const std::vector<std::unique_ptr<ControlClass>>& classes() const { return classes_; }
    // By class name (ignoring case) or class id; null when missing.
    const ControlClass* findClass(std::string_view nameOrId) const;

    // Creates a control of a class named by name or id and runs its
    // Initialize. Error 429 for a class the library does not have; the
    // error of Initialize otherwise. The caller owns the control and must
    // run its Terminate (LibraryLoader's ControlPtr does).
    virtual std::unique_ptr<IControl> create(std::string_view nameOrId, const HostSite& site);

protected:
    void addClass(std::unique_ptr<ControlClass> cls);

private:
    InterfaceInfo typeLibrary_;
    std::vector<std::unique_ptr<ControlClass>> classes_;
};

} // namespace hosting

#define PG_CONTROL_LIBRARY_ENTRY(DescriptorType)                                   \
    extern "C" __attribute__((visibility("default"))) ::hosting::LibraryDescriptor* \
    pg_control_library(void) {                                                     \
        static DescriptorType descriptor;                                          \
        return &descriptor;                                                        \
    }
