#include "FileLock.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace engine::detail {
namespace {

// The unix VFS's file object starts with these members (stable layout of
// os_unix.c); only the descriptor is read.
struct UnixFileHead {
    const sqlite3_io_methods* methods;
    sqlite3_vfs* vfs;
    void* inode;
    int h;
};

} // namespace

int fileDescriptor(sqlite3* db, const char* schema) {
    sqlite3_file* f = nullptr;
    if (sqlite3_file_control(db, schema, SQLITE_FCNTL_FILE_POINTER, &f) != SQLITE_OK || !f || !f->pMethods)
        return -1;
    sqlite3_vfs* vfs = nullptr;
    if (sqlite3_file_control(db, schema, SQLITE_FCNTL_VFS_POINTER, &vfs) != SQLITE_OK || !vfs) return -1;
    if (std::strncmp(vfs->zName, "unix", 4) != 0) return -1;
    auto* head = reinterpret_cast<UnixFileHead*>(f);
    return head->h;
}

std::optional<std::uint32_t> fileChangeCounter(sqlite3* db, const char* schema) {
    int fd = fileDescriptor(db, schema);
    if (fd < 0) return std::nullopt;
    unsigned char b[4];
    if (::pread(fd, b, 4, 24) != 4) return 0u;   // a file not yet written
    return (std::uint32_t(b[0]) << 24) | (std::uint32_t(b[1]) << 16) | (std::uint32_t(b[2]) << 8) | b[3];
}

OpenLockResult takeOpenLock(sqlite3* db, const char* schema, bool exclusive) {
    int fd = fileDescriptor(db, schema);
    if (fd < 0) return OpenLockResult::Unsupported;
    int mode = ::fcntl(fd, F_GETFL);
    bool writable = mode >= 0 && (mode & O_ACCMODE) != O_RDONLY;
    struct flock fl {};
    fl.l_type = (exclusive && writable) ? F_WRLCK : F_RDLCK;
    fl.l_whence = SEEK_SET;
    fl.l_start = kOpenLockOffset;
    fl.l_len = 1;
    fl.l_pid = 0;
    if (::fcntl(fd, F_OFD_SETLK, &fl) == 0) return OpenLockResult::Ok;
    if (errno != EAGAIN && errno != EACCES) return OpenLockResult::Unsupported;
    struct flock probe {};
    probe.l_type = F_WRLCK;
    probe.l_whence = SEEK_SET;
    probe.l_start = kOpenLockOffset;
    probe.l_len = 1;
    probe.l_pid = 0;
    if (::fcntl(fd, F_OFD_GETLK, &probe) == 0 && probe.l_type == F_WRLCK) return OpenLockResult::HeldExclusive;
    return OpenLockResult::HeldShared;
}

} // namespace engine::detail
