#pragma once
// The rows behind a Recordset and the cursor state of one Recordset.
//
// RowSet (shared by a recordset and its clones): the columns, the row keys
// fixed when opened (rows added through the set are appended), a cache of
// the values the opening query returned, and the statements that re-read a
// row by key. The cache is trusted only while nothing changed: this
// connection's changes (total changes, rollbacks) and other connections'
// commits (data_version of every schema) start a new generation, and a row
// of an older generation is read again from the file when reached.
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "Connection.h"
#include "FindIndex.h"
#include "Sqlite.h"
#include "engine/Recordset.h"
#include "runtime/Variant.h"
#include "sql/Translator.h"

namespace engine {

namespace detail {

struct ColumnMeta {
    std::string name;
    FieldType type = FieldType::Text;
    int size = 0;
    int ordinal = 0;
    std::string baseName;   // column of the base table; "" for a computed field
    bool required = false;
    bool autoIncrement = false;
    bool writable() const { return !baseName.empty() && !autoIncrement; }
};

// Row-major values, compact: 16 bytes a value, texts in an arena of fixed
// blocks (growing never moves anything). Values come back as rt::Variant.
class CellStore {
public:
    std::size_t size() const { return count_; }
    rt::Variant get(std::size_t i) const;
    // Binds the value to a statement parameter (texts without copying).
    void bind(sqlite3_stmt* st, int index, std::size_t i) const;
    // The value as a criterion compares it (the text stays in the store).
    FindValue findValue(std::size_t i) const;
    void set(std::size_t i, const rt::Variant& v);
    void push(const rt::Variant& v) {
        grow();
        set(count_ - 1, v);
    }
    void pushText(const char* p, std::size_t n) {
        grow();
        Cell& c = at(count_ - 1);
        c.kind = Kind::Text;
        c.len = std::uint32_t(n);
        c.cap = n < kMaxCap ? std::uint32_t(n) : 0;
        c.text = store(p, n);
    }

    // Blocks the text store took so far (for diagnostics and tests).
    std::size_t storeBlocks() const { return blocks_.size(); }

private:
    enum class Kind : std::uint8_t { Empty, Null, Integer, Long, Double, Boolean, Date, Text };
    struct Cell {
        Kind kind : 8 = Kind::Empty;
        std::uint32_t cap : 24 = 0;   // room of the cell's own text bytes (0: none)
        std::uint32_t len = 0;
        union {
            std::int64_t i;
            double d;
            const char* text;
        };
        Cell() : i(0) {}
    };
    static constexpr std::size_t kMaxCap = (1u << 24) - 1;
    static constexpr std::size_t kChunk = 2048;
    static constexpr std::size_t kBlock = 64 * 1024;
    Cell& at(std::size_t i) { return chunks_[i / kChunk][i % kChunk]; }
    const Cell& at(std::size_t i) const { return chunks_[i / kChunk][i % kChunk]; }
    void grow() {
        if (count_ % kChunk == 0) chunks_.emplace_back(new Cell[kChunk]);
        ++count_;
    }
    const char* store(const char* p, std::size_t n);

    std::vector<std::unique_ptr<Cell[]>> chunks_;
    std::size_t count_ = 0;
    std::vector<std::unique_ptr<char[]>> blocks_;
    std::size_t blockUsed_ = kBlock;
};

struct RowSet {
    std::shared_ptr<Connection> conn;
    std::string name;
    RecordsetType type = RecordsetType::Dynaset;
    bool updatable = false;   // rows can be written back through baseRef
    bool keyed = false;       // rows are identified by base keys (else by position)
    bool complete = false;    // RecordCount is always complete (Table, Snapshot)

    std::vector<ColumnMeta> cols;
    std::unordered_map<std::string, int> byName;        // exact name -> first index
    std::unordered_map<std::string, int> byUpperName;   // upper-case name -> first index

    std::string selectSql;
    std::vector<rt::Variant> params;
    std::string baseRef, keyColumn;

    // Rows.
    std::vector<std::int64_t> keys;
    CellStore cells;                           // row-major, cols.size() per row
    std::vector<std::uint32_t> gen;
    std::vector<std::uint8_t> deleted;
    std::size_t deletedCount = 0;
    std::size_t highWater = 0;                 // rows [0, highWater) were visited
    std::size_t firstAdded = 0;                // rows from here on were added through the set
    std::unordered_map<std::int64_t, std::size_t> keyIndex;

    // Staleness.
    std::uint32_t currentGen = 1;
    std::uint64_t ownStamp = 0, externalStamp = 0;

    Stmt reread;
    struct Criterion {
        sql::CriteriaTranslation tr;
        Stmt stmt;
        // Answered from the field indexes: each term's field and constant
        // as the field compares it. Decided on first use.
        enum class Plan { Undecided, Indexed, General } plan = Plan::Undecided;
        struct Term {
            int field = 0;
            FindValue::Kind kind = FindValue::Kind::Null;
            std::int64_t i = 0;
            double d = 0;
            std::string text;
            FindValue value() const { return FindValue{kind, i, d, text}; }
        };
        std::vector<Term> terms;
    };
    std::map<std::string, std::unique_ptr<Criterion>> criteria;
    // Find's hash indexes, one per field, built on first use (see FindIndex.h).
    std::vector<std::unique_ptr<ColumnIndex>> findIndexes;
    bool useFindIndex = true;   // false: every criterion is evaluated row by row

    std::size_t size() const { return keys.size(); }
    std::size_t ncols() const { return cols.size(); }
    rt::Variant cell(std::size_t row, std::size_t col) const { return cells.get(row * cols.size() + col); }
    // Stores a cell; keeps a current find index of the field up to date.
    void setCell(std::size_t row, std::size_t col, const rt::Variant& v);
    void bindCell(sqlite3_stmt* st, int index, std::size_t row, std::size_t col) const {
        cells.bind(st, index, row * cols.size() + col);
    }

    void indexNames();
    int fieldIndex(const std::string& name) const;   // -1 when missing
    // Runs the opening query and fills keys and cache.
    void load();
    // Own changes only (cheap) / own and others' changes (reads the file).
    void checkOwnChanges();
    void checkAllChanges();
    // Re-reads a row of an older generation; false when it is gone (marked deleted).
    bool refreshRow(std::size_t row);
    // Reads the row's base values from the file now; false when it is gone.
    bool rereadRow(std::size_t row);
    void markDeleted(std::size_t row);
    std::size_t indexOfKey(std::int64_t key);   // SIZE_MAX when unknown
    void noteOwnWrite(std::uint64_t before);
    void releaseStatements();
    std::size_t liveBefore(std::size_t row) const;   // live rows before index

    // How a criterion compares the field (its column's affinity).
    sql::FieldAffinity affinity(std::size_t col) const;
    // The cell as a criterion compares it: kind Other where the field's cast
    // would change it (a number in a text column, a text in a number column).
    FindValue compared(std::size_t row, std::size_t col) const;
    // The field's index, current for this generation (rows of an older one
    // are read afresh first); nullptr when the field cannot be indexed.
    ColumnIndex* findIndex(std::size_t col);
    // A row added through the set joins the current indexes.
    void indexAddedRow(std::size_t row);
};

} // namespace detail

struct RecordsetData {
    std::shared_ptr<detail::RowSet> rows;
    std::weak_ptr<Database> db;
    bool open = true;

    enum class At { Row, Bof, Eof, None };
    At at = At::None;
    std::size_t pos = 0;
    bool checkedArrival = false;   // others' changes checked since arriving on the row

    EditMode mode = EditMode::None;
    std::vector<rt::Variant> buffer;
    std::vector<std::uint8_t> changed;
    int writeScope = 0;

    Bookmark lastModified;
    bool noMatch = false;
};

} // namespace engine
