#pragma once
// Thin RAII wrappers around the SQLite C API and the mapping of SQLite
// result codes to the engine's error numbers. No SQLite code leaves the
// engine unmapped: every failure goes through sqliteError().
#include <sqlite3.h>

#include <cstdint>
#include <string>
#include <string_view>

#include "runtime/Error.h"

namespace engine::detail {

// The engine error for an SQLite result code (extended codes understood);
// the connection's last message refines it ("no such column", constraint
// names). `what` names the object for file errors.
rt::Error sqliteError(sqlite3* db, int rc, const std::string& what = {});

// A prepared statement; finalized on destruction. Moves only.
class Stmt {
public:
    Stmt() = default;
    Stmt(sqlite3* db, std::string_view sql);   // raises the mapped error
    ~Stmt();
    Stmt(Stmt&& o) noexcept : db_(o.db_), st_(o.st_) { o.st_ = nullptr; }
    Stmt& operator=(Stmt&& o) noexcept;
    Stmt(const Stmt&) = delete;
    Stmt& operator=(const Stmt&) = delete;

    sqlite3_stmt* get() const { return st_; }
    explicit operator bool() const { return st_ != nullptr; }
    // SQLITE_ROW -> true, SQLITE_DONE -> false, anything else raises.
    bool step();
    void reset();   // reset and clear bindings

    void bindNull(int i);
    void bind(int i, std::int64_t v);
    void bind(int i, double v);
    void bind(int i, std::string_view s);

    int columnCount() const { return sqlite3_column_count(st_); }
    bool isNull(int i) const { return sqlite3_column_type(st_, i) == SQLITE_NULL; }
    std::int64_t int64(int i) const { return sqlite3_column_int64(st_, i); }
    std::string text(int i) const;

private:
    sqlite3* db_ = nullptr;
    sqlite3_stmt* st_ = nullptr;
};

// Runs statements without results; raises the mapped error.
void exec(sqlite3* db, const std::string& sql);

// "name" quoted for SQLite (double quotes doubled).
std::string quoteName(std::string_view name);
// 'text' quoted for SQLite.
std::string quoteText(std::string_view text);

} // namespace engine::detail
