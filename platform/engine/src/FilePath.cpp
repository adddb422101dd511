#include "FilePath.h"

#include <dirent.h>
#include <sys/stat.h>

#include <vector>

#include "runtime/Text.h"

namespace engine::detail {

std::string normalizeSeparators(const std::string& path) {
    std::string s = path;
    for (char& c : s)
        if (c == '\\') c = '/';
    return s;
}

bool hasDriveLetter(const std::string& path) {
    return path.size() >= 2 && path[1] == ':' &&
           ((path[0] >= 'A' && path[0] <= 'Z') || (path[0] >= 'a' && path[0] <= 'z'));
}

namespace {

bool exists(const std::string& p) {
    struct stat st {};
    return ::stat(p.c_str(), &st) == 0;
}

// The entry of `folder` whose name equals `name` ignoring case.
std::optional<std::string> matchEntry(const std::string& folder, const std::string& name) {
    DIR* d = ::opendir(folder.empty() ? "." : folder.c_str());
    if (!d) return std::nullopt;
    std::optional<std::string> found;
    while (dirent* e = ::readdir(d)) {
        if (rt::text::equalsNoCase(e->d_name, name)) {
            found = e->d_name;
            break;
        }
    }
    ::closedir(d);
    return found;
}

} // namespace

std::optional<std::string> findFile(const std::string& given) {
    std::string path = normalizeSeparators(given);
    if (path.empty()) return std::nullopt;
    if (exists(path)) return path;
    // Walk the components.
    std::vector<std::string> parts;
    std::string cur;
    bool absolute = path[0] == '/';
    for (char c : path) {
        if (c == '/') {
            if (!cur.empty()) parts.push_back(cur);
            cur.clear();
        } else {
            cur += c;
        }
    }
    if (!cur.empty()) parts.push_back(cur);
    std::string built = absolute ? "/" : "";
    for (std::size_t i = 0; i < parts.size(); ++i) {
        std::string candidate = built + (built.empty() || built.back() == '/' ? "" : "/") + parts[i];
        if (!exists(candidate)) {
            if (parts[i] == "." || parts[i] == "..") return std::nullopt;
            auto m = matchEntry(built, parts[i]);
            if (!m) return std::nullopt;
            candidate = built + (built.empty() || built.back() == '/' ? "" : "/") + *m;
        }
        built = candidate;
    }
    return built;
}

std::string folderOf(const std::string& path) {
    auto p = path.rfind('/');
    if (p == std::string::npos) return {};
    if (p == 0) return "/";
    return path.substr(0, p);
}

std::string fileNameOf(const std::string& path) {
    auto p = path.rfind('/');
    return p == std::string::npos ? path : path.substr(p + 1);
}

std::string joinPath(const std::string& folder, const std::string& path) {
    if (path.empty() || path[0] == '/' || folder.empty()) return path;
    return folder.back() == '/' ? folder + path : folder + "/" + path;
}

} // namespace engine::detail
