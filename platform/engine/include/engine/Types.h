#pragma once
// Value types of the engine layer shared by its objects.
#include <cstdint>
#include <string>

namespace engine {

// Field types with the classic data-access numbers (Field.Type).
enum class FieldType : int {
    Boolean = 1,   // YESNO: -1 / 0
    Byte = 2,      // BYTE: 0..255
    Integer = 3,   // SHORT / SMALLINT: 16-bit
    Long = 4,      // LONG / INTEGER / COUNTER: 32-bit
    Currency = 5,
    Single = 6,
    Double = 7,    // DOUBLE / FLOAT
    Date = 8,      // DATETIME
    Binary = 9,
    Text = 10,     // TEXT(n), n <= 255
    Memo = 12,     // MEMO / LONGTEXT
};
const char* fieldTypeName(FieldType t);

// Recordset types (OpenRecordset's type argument).
enum class RecordsetType : int {
    Default = 0,     // Table for a local table name, Dynaset otherwise
    Table = 1,
    Dynaset = 2,
    Snapshot = 4,
    ForwardOnly = 8,
};

// Options of OpenRecordset / Execute (combinable bits, classic values).
namespace opt {
inline constexpr int ReadOnly = 4;
inline constexpr int FailOnError = 128;
inline constexpr int AppendOnly = 8;
}

// A bookmark identifies a row of a recordset: the row's integer key in its
// base table (or, for a read-only result, its position). Bookmarks are
// valid across clones of one recordset and for LastModified.
struct Bookmark {
    std::int64_t key = 0;
    bool valid = false;
    bool operator==(const Bookmark&) const = default;
};

// What EditMode reports.
enum class EditMode : int { None = 0, InProgress = 1, Add = 2 };

} // namespace engine
