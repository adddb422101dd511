#include "settings/Store.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include "runtime/Error.h"
#include "runtime/Text.h"
#include "settings/IniFile.h"

namespace settings {

namespace fs = std::filesystem;

namespace {

constexpr int kFileAccessError = 75;

[[noreturn]] void accessError(const fs::path& path, int err) {
    throw rt::Error(kFileAccessError, "Path/File access error: " + path.string() + ": " + std::strerror(err),
                    "settings");
}

void requireName(std::string_view name) {
    if (name.empty()) throw rt::invalidCallError();
}

// Owns a file descriptor.
class Fd {
public:
    explicit Fd(int fd) : fd_(fd) {}
    ~Fd() {
        if (fd_ >= 0) ::close(fd_);
    }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    int get() const { return fd_; }
    int release() {
        int f = fd_;
        fd_ = -1;
        return f;
    }

private:
    int fd_;
};

// The file's content; "" when it does not exist.
std::string readFile(const fs::path& path) {
    Fd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (fd.get() < 0) {
        if (errno == ENOENT || errno == ENOTDIR) return {};
        accessError(path, errno);
    }
    std::string text;
    char buf[8192];
    for (;;) {
        ssize_t n = ::read(fd.get(), buf, sizeof buf);
        if (n < 0) {
            if (errno == EINTR) continue;
            accessError(path, errno);
        }
        if (n == 0) break;
        text.append(buf, static_cast<std::size_t>(n));
    }
    return text;
}

void writeAll(int fd, const std::string& text, const fs::path& path) {
    std::size_t done = 0;
    while (done < text.size()) {
        ssize_t n = ::write(fd, text.data() + done, text.size() - done);
        if (n < 0) {
            if (errno == EINTR) continue;
            accessError(path, errno);
        }
        done += static_cast<std::size_t>(n);
    }
}

void syncFolder(const fs::path& folder) {
    Fd dir(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.get() >= 0) ::fsync(dir.get());
}

// Writes the file atomically: temporary file, fsync, rename.
void replaceFile(const fs::path& path, const std::string& text) {
    std::string tmpl = (path.parent_path() / ("." + path.filename().string() + ".XXXXXX")).string();
    Fd fd(::mkstemp(tmpl.data()));
    if (fd.get() < 0) accessError(path, errno);
    try {
        writeAll(fd.get(), text, tmpl);
        if (::fsync(fd.get()) != 0) accessError(tmpl, errno);
        if (::close(fd.release()) != 0) accessError(tmpl, errno);
        if (::rename(tmpl.c_str(), path.c_str()) != 0) accessError(path, errno);
    } catch (...) {
        ::unlink(tmpl.c_str());
        throw;
    }
    syncFolder(path.parent_path());
}

void removeFile(const fs::path& path) {
    if (::unlink(path.c_str()) != 0 && errno != ENOENT) accessError(path, errno);
    syncFolder(path.parent_path());
}

// Holds the exclusive lock of one application's file while it is changed.
class WriteLock {
public:
    explicit WriteLock(const fs::path& file) : fd_(-1) {
        std::error_code ec;
        fs::create_directories(file.parent_path(), ec);
        if (ec) accessError(file.parent_path(), ec.value());
        fs::path lockPath = file;
        lockPath += ".lock";
        Fd fd(::open(lockPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600));
        if (fd.get() < 0) accessError(lockPath, errno);
        while (::flock(fd.get(), LOCK_EX) != 0) {
            if (errno != EINTR) accessError(lockPath, errno);
        }
        fd_ = fd.release();
    }
    ~WriteLock() { ::close(fd_); }   // closing releases the lock
    WriteLock(const WriteLock&) = delete;
    WriteLock& operator=(const WriteLock&) = delete;

private:
    int fd_;
};

// Read, change, write back under the lock. `change` returns false to leave
// the file as it is.
template <class F>
void modify(const fs::path& file, F change) {
    WriteLock lock(file);
    IniFile ini = IniFile::parse(readFile(file));
    if (!change(ini)) return;
    if (ini.empty()) removeFile(file);
    else replaceFile(file, ini.serialize());
}

std::string envOr(const char* name) {
    const char* v = std::getenv(name);
    return v ? std::string(v) : std::string();
}

} // namespace

Store::Store() : folder_(folderFromEnvironment()) {}

Store::Store(fs::path folder) : folder_(std::move(folder)) {}

fs::path Store::folderFromEnvironment() {
    if (std::string d = envOr("PG_SETTINGS_DIR"); !d.empty()) return d;
    if (std::string x = envOr("XDG_CONFIG_HOME"); !x.empty()) return fs::path(x) / "pruefgrid";
    std::string home = envOr("HOME");
    return fs::path(home.empty() ? "." : home) / ".config" / "pruefgrid";
}

fs::path Store::fileOf(std::string_view app) const {
    requireName(app);
    std::string lower = rt::text::lower(app);
    std::string name;
    for (std::size_t i = 0; i < lower.size(); ++i) {
        unsigned char c = static_cast<unsigned char>(lower[i]);
        if (c < 0x20 || c == 0x7F || c == '/' || c == '\\' || c == '%' || (i == 0 && c == '.')) {
            static constexpr char digits[] = "0123456789ABCDEF";
            name += '%';
            name += digits[c >> 4];
            name += digits[c & 0xF];
        } else {
            name += static_cast<char>(c);
        }
    }
    return folder_ / (name + ".ini");
}

std::string Store::getSetting(std::string_view app, std::string_view section, std::string_view key,
                              std::string_view defaultValue) const {
    requireName(section);
    requireName(key);
    IniFile ini = IniFile::parse(readFile(fileOf(app)));
    const std::string* v = ini.value(section, key);
    return v ? *v : std::string(defaultValue);
}

void Store::saveSetting(std::string_view app, std::string_view section, std::string_view key,
                        std::string_view value) {
    requireName(section);
    requireName(key);
    modify(fileOf(app), [&](IniFile& ini) {
        const std::string* old = ini.value(section, key);
        if (old && *old == value && ini.damagedLines() == 0) return false;
        ini.set(section, key, value);
        return true;
    });
}

void Store::saveSettings(std::string_view app, std::string_view section,
                         const std::vector<std::pair<std::string, std::string>>& entries) {
    requireName(section);
    for (const auto& e : entries) requireName(e.first);
    if (entries.empty()) return;
    modify(fileOf(app), [&](IniFile& ini) {
        bool changed = ini.damagedLines() > 0;
        for (const auto& [key, value] : entries) {
            const std::string* old = ini.value(section, key);
            if (old && *old == value) continue;
            ini.set(section, key, value);
            changed = true;
        }
        return changed;
    });
}

void Store::deleteSetting(std::string_view app) {
    fs::path file = fileOf(app);
    WriteLock lock(file);
    std::error_code ec;
    if (!fs::exists(file, ec)) throw rt::invalidCallError();
    removeFile(file);
}

void Store::deleteSetting(std::string_view app, std::string_view section) {
    requireName(section);
    modify(fileOf(app), [&](IniFile& ini) {
        if (!ini.removeSection(section)) throw rt::invalidCallError();
        return true;
    });
}

void Store::deleteSetting(std::string_view app, std::string_view section, std::string_view key) {
    requireName(section);
    requireName(key);
    modify(fileOf(app), [&](IniFile& ini) {
        if (!ini.removeKey(section, key)) throw rt::invalidCallError();
        return true;
    });
}

std::vector<std::pair<std::string, std::string>> Store::getAllSettings(std::string_view app,
                                                                       std::string_view section) const {
    requireName(section);
    IniFile ini = IniFile::parse(readFile(fileOf(app)));
    const IniSection* s = ini.section(section);
    return s ? s->entries : std::vector<std::pair<std::string, std::string>>{};
}

} // namespace settings
