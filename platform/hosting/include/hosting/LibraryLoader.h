#pragma once
// LibraryLoader: a host's side of control libraries. load() opens a shared
// object with dlopen (RTLD_NOW | RTLD_LOCAL), finds its entry point and
// checks the version it was built against. The Library keeps the shared
// object loaded while the Library or any control created from it is alive.
//
// Errors of load():
//   53  "File not found: <path>"                   no such file
//   48  "Error in loading DLL: <reason>"           dlopen failed, or the
//                                                  library's version differs
//   453 "Can't find DLL entry point pg_control_library in <path>"
// Errors of create(): 429 "Can't create object: class '<name>' is not in
// control library <library>"; otherwise the control's Initialize error.
#include <memory>
#include <string>
#include <string_view>

#include "hosting/HostSite.h"
#include "hosting/IControl.h"
#include "hosting/LibraryDescriptor.h"

namespace hosting {

// A control owned by the host. Releasing the last reference runs the
// control's Terminate (its errors are dropped: there is nobody to tell),
// destroys it, and lets go of the library.
using ControlPtr = std::shared_ptr<IControl>;

class Library : public std::enable_shared_from_this<Library> {
public:
    // path: the file loaded (or the name given to wrap()).
    const std::string& path() const { return path_; }
    LibraryDescriptor& descriptor() const { return *descriptor_; }
    const ControlClass* findClass(std::string_view nameOrId) const { return descriptor_->findClass(nameOrId); }
    ControlPtr create(std::string_view nameOrId, const HostSite& site);

    ~Library();
    Library(const Library&) = delete;
    Library& operator=(const Library&) = delete;

private:
    friend class LibraryLoader;
    Library(std::string path, void* handle, LibraryDescriptor* d);
    std::string path_;
    void* handle_;            // dlopen handle, null for wrap()
    LibraryDescriptor* descriptor_;
};

class LibraryLoader {
public:
    static std::shared_ptr<Library> load(const std::string& path);
    // A descriptor linked into the program (tests, tools); the caller keeps
    // it alive as long as the Library and its controls.
    static std::shared_ptr<Library> wrap(LibraryDescriptor& descriptor, std::string name);
};

} // namespace hosting
