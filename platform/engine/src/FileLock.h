#pragma once
// The shared / exclusive open of a database file, as an open-file-description
// lock (fcntl F_OFD_SETLK) on one byte far above the range SQLite locks.
// Shared opens hold a read lock, an exclusive open a write lock; the lock
// belongs to SQLite's own descriptor of the file, so it lives exactly as
// long as the connection and closing other descriptors does not drop it.
#include <sqlite3.h>

#include <cstdint>
#include <optional>
#include <string>

namespace engine::detail {

enum class OpenLockResult { Ok, HeldShared, HeldExclusive, Unsupported };

// SQLite's descriptor of a schema's file (unix VFS); -1 when not available.
int fileDescriptor(sqlite3* db, const char* schema);

// The file change counter of a schema's file (rollback-journal mode bumps it
// with every commit), read without locking as a hint that others wrote;
// nullopt when the descriptor is not available.
std::optional<std::uint32_t> fileChangeCounter(sqlite3* db, const char* schema);

// Takes the lock on the main file of `db` without waiting.
OpenLockResult takeOpenLock(sqlite3* db, const char* schema, bool exclusive);

inline constexpr long long kOpenLockOffset = 0x7FFFFF00LL;

} // namespace engine::detail
