#include "Sqlite.h"

#include "engine/Errors.h"

namespace engine::detail {
namespace {

bool startsWith(const std::string& s, const char* p) { return s.rfind(p, 0) == 0; }

} // namespace

rt::Error sqliteError(sqlite3* db, int rc, const std::string& what) {
    std::string msg = db ? sqlite3_errmsg(db) : sqlite3_errstr(rc);
    int primary = rc & 0xff;
    switch (rc) {
    case SQLITE_CONSTRAINT_UNIQUE:
    case SQLITE_CONSTRAINT_PRIMARYKEY:
        return err::make(err::DuplicateKey);
    case SQLITE_CONSTRAINT_NOTNULL: {
        // "NOT NULL constraint failed: T.col"
        std::string field;
        auto colon = msg.rfind(": ");
        if (colon != std::string::npos) {
            field = msg.substr(colon + 2);
            auto dot = field.rfind('.');
            if (dot != std::string::npos) field = field.substr(dot + 1);
        }
        return err::make(err::NullInRequired, field);
    }
    case SQLITE_CONSTRAINT_CHECK: {
        // "CHECK constraint failed: size:Name" (constraints named by the DDL translation)
        auto colon = msg.find(": ");
        std::string name = colon == std::string::npos ? std::string() : msg.substr(colon + 2);
        if (startsWith(name, "size:")) return err::make(err::TextTooLong);
        if (startsWith(name, "range:")) return err::make(err::NumericOverflow);
        if (startsWith(name, "type:")) return err::make(err::DataTypeConversion);
        return err::make(err::ValidationRule, msg);
    }
    case SQLITE_LOCKED_SHAREDCACHE:
        return err::make(err::CouldNotLock);
    default:
        break;
    }
    switch (primary) {
    case SQLITE_BUSY:
        return err::make(err::CouldNotUpdateLocked);
    case SQLITE_LOCKED:
        return err::make(err::CouldNotLock);
    case SQLITE_READONLY:
        return err::make(err::ReadOnly);
    case SQLITE_CANTOPEN:
        return err::make(err::FileNotFound, what);
    case SQLITE_NOTADB:
        return err::make(err::NotADatabase, what);
    case SQLITE_IOERR:
        return err::make(err::DiskIo);
    case SQLITE_FULL:
    case SQLITE_NOMEM:
        return err::make(err::NotEnoughSpace);
    case SQLITE_CORRUPT:
        return err::make(err::NotADatabase, what);
    default:
        break;
    }
    if (startsWith(msg, "no such column: ")) return err::make(err::TooFewParameters, "1");
    if (startsWith(msg, "no such table: ")) {
        std::string name = msg.substr(15);
        auto dot = name.find('.');
        if (dot != std::string::npos && name.compare(0, 4, "link") == 0) name = name.substr(dot + 1);
        return err::make(err::UnknownObject, name);
    }
    if (startsWith(msg, "table ") && msg.find("already exists") != std::string::npos) {
        auto a = msg.find('"');
        std::string name = msg.substr(6, msg.find(' ', 6) - 6);
        (void)a;
        return err::make(err::TableExists, name);
    }
    if (startsWith(msg, "too many attached databases")) return err::make(err::CannotOpenAnyMore);
    if (primary == SQLITE_CONSTRAINT) return err::make(err::DuplicateKey);
    return err::make(3000, msg);
}

Stmt::Stmt(sqlite3* db, std::string_view sql) : db_(db) {
    int rc = sqlite3_prepare_v2(db, sql.data(), int(sql.size()), &st_, nullptr);
    if (rc != SQLITE_OK) {
        sqlite3_finalize(st_);
        st_ = nullptr;
        throw sqliteError(db, rc);
    }
}

Stmt::~Stmt() { sqlite3_finalize(st_); }

Stmt& Stmt::operator=(Stmt&& o) noexcept {
    if (this != &o) {
        sqlite3_finalize(st_);
        db_ = o.db_;
        st_ = o.st_;
        o.st_ = nullptr;
    }
    return *this;
}

bool Stmt::step() {
    int rc = sqlite3_step(st_);
    if (rc == SQLITE_ROW) return true;
    if (rc == SQLITE_DONE) return false;
    int ext = sqlite3_extended_errcode(db_);
    rt::Error e = sqliteError(db_, ext ? ext : rc);
    sqlite3_reset(st_);
    throw e;
}

void Stmt::reset() {
    sqlite3_reset(st_);
    sqlite3_clear_bindings(st_);
}

void Stmt::bindNull(int i) { sqlite3_bind_null(st_, i); }
void Stmt::bind(int i, std::int64_t v) { sqlite3_bind_int64(st_, i, v); }
void Stmt::bind(int i, double v) { sqlite3_bind_double(st_, i, v); }
void Stmt::bind(int i, std::string_view s) {
    sqlite3_bind_text(st_, i, s.data(), int(s.size()), SQLITE_TRANSIENT);
}

std::string Stmt::text(int i) const {
    const unsigned char* p = sqlite3_column_text(st_, i);
    if (!p) return {};
    return std::string(reinterpret_cast<const char*>(p), std::size_t(sqlite3_column_bytes(st_, i)));
}

void exec(sqlite3* db, const std::string& sql) {
    char* msg = nullptr;
    int rc = sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &msg);
    sqlite3_free(msg);
    if (rc != SQLITE_OK) throw sqliteError(db, sqlite3_extended_errcode(db));
}

std::string quoteName(std::string_view name) {
    std::string s = "\"";
    for (char c : name) {
        if (c == '"') s += '"';
        s += c;
    }
    return s + "\"";
}

std::string quoteText(std::string_view text) {
    std::string s = "'";
    for (char c : text) {
        if (c == '\'') s += '\'';
        s += c;
    }
    return s + "'";
}

} // namespace engine::detail
