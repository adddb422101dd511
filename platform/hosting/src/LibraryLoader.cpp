#include "hosting/LibraryLoader.h"

#include <dlfcn.h>

#include <filesystem>

#include "runtime/Error.h"

namespace hosting {

Library::Library(std::string path, void* handle, LibraryDescriptor* d)
    : path_(std::move(path)), handle_(handle), descriptor_(d) {}

Library::~Library() {
    if (handle_) dlclose(handle_);
}

ControlPtr Library::create(std::string_view nameOrId, const HostSite& site) {
    std::unique_ptr<IControl> control = descriptor_->create(nameOrId, site);
    std::shared_ptr<Library> keep = shared_from_this();
    return ControlPtr(control.release(), [keep](IControl* c) {
        try {
            c->terminate();
        } catch (...) {
            // nobody to report to at release
        }
        delete c;
    });
}

std::shared_ptr<Library> LibraryLoader::load(const std::string& path) {
    if (path.find('/') != std::string::npos && !std::filesystem::exists(path))
        throw rt::Error(rt::err::FileNotFound, "File not found: " + path);
    dlerror();
    void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle) {
        const char* why = dlerror();
        throw rt::Error(48, std::string("Error in loading DLL: ") + (why ? why : path));
    }
    using Entry = LibraryDescriptor* (*)();
    auto entry = reinterpret_cast<Entry>(dlsym(handle, kEntryPoint));
    if (!entry) {
        dlclose(handle);
        throw rt::Error(453, std::string("Can't find DLL entry point ") + kEntryPoint + " in " + path);
    }
    LibraryDescriptor* d = entry();
    if (!d || d->abiVersion() != kAbiVersion) {
        const int version = d ? d->abiVersion() : 0;
        dlclose(handle);
        throw rt::Error(48, "Error in loading DLL: " + path + " was built for hosting version " +
                                std::to_string(version) + ", this host has " + std::to_string(kAbiVersion));
    }
    return std::shared_ptr<Library>(new Library(path, handle, d));
}

std::shared_ptr<Library> LibraryLoader::wrap(LibraryDescriptor& descriptor, std::string name) {
    return std::shared_ptr<Library>(new Library(std::move(name), nullptr, &descriptor));
}

} // namespace hosting
