#pragma once
// Recordset: a cursor over a table, an SQL result or a stored query.
//
// Kinds:
//   Table     - a local table in key order; updatable.
//   Dynaset   - a set of row keys fixed when opened; each row is read from the
//               file when the cursor stands on it, so changes by Execute or by
//               other processes are seen. Updatable when it reads one table
//               (directly or through stored queries) without grouping,
//               DISTINCT or joins; rows added through it join the set at its
//               end. A row deleted by someone else raises 3167 when reached.
//   Snapshot  - a copy of the result taken when opened; read-only.
// The cursor stands on its first row after opening (EOF and BOF when empty).
// RecordCount is the number of rows visited so far, complete after MoveLast
// (Table and Snapshot: always complete).
//
// Editing: AddNew / Edit start an edit buffer; field writes go to the buffer
// and are checked against the field's type and size; Update stores it (one
// atomic write), CancelUpdate drops it. Edit locks the row's file for writing
// (waiting up to the busy timeout, then 3218) and reads the row afresh, so
// read-modify-write through Edit/Update is safe between processes.
// Moving off a row during an edit drops the edit.
//
// State after a failure: the position and the edit buffer are unchanged.
#include <memory>
#include <string>
#include <vector>

#include "engine/Database.h"

namespace engine {

class Recordset;
struct RecordsetData;

// A field of the current row. Obtained from the Fields collection; valid as
// long as its Recordset is.
class Field {
public:
    Field(Recordset& rs, int index) : rs_(&rs), index_(index) {}
    const std::string& name() const;
    FieldType type() const;
    int size() const;              // declared text size; 0 for expressions
    int ordinalPosition() const;   // position in the source, from 0
    bool updatable() const;
    // Null when the field is empty; 3021 when there is no current row.
    rt::Variant value() const;
    // Checked against the type (3421) and text size (3163); 3020 unless an
    // AddNew or Edit is in progress; 3164 for a computed field.
    void setValue(const rt::Variant& v);
    Field& operator=(const rt::Variant& v) { setValue(v); return *this; }

private:
    Recordset* rs_;
    int index_;
};

class Fields {
public:
    explicit Fields(Recordset& rs) : rs_(rs) {}
    int count() const;
    Field operator[](int index) const;               // 3265 out of range
    Field operator[](const std::string& name) const; // case ignored; 3265 unknown
    bool contains(const std::string& name) const;
    int indexOf(const std::string& name) const;      // -1 when missing

private:
    Recordset& rs_;
};

class Recordset : public rt::Object, public std::enable_shared_from_this<Recordset> {
public:
    explicit Recordset(std::shared_ptr<RecordsetData> data);
    ~Recordset() override;
    std::string typeName() const override { return "Recordset"; }

    // Table name for a table cursor, the SQL text (as given) for an SQL
    // cursor, the query's name for a stored query.
    const std::string& name() const;
    RecordsetType type() const;
    bool updatable() const;

    bool eof() const;
    bool bof() const;
    void moveFirst();
    void moveLast();
    void moveNext();       // at EOF: 3021
    void movePrevious();   // at BOF: 3021
    void move(long rows);

    long recordCount() const;
    long absolutePosition() const;          // -1 without a current row
    void setAbsolutePosition(long pos);     // 3001 out of range

    Bookmark bookmark() const;              // 3021 without a current row
    void setBookmark(const Bookmark& b);    // 3159 for an unknown bookmark
    Bookmark lastModified() const;          // 3021 before anything was stored

    // Criteria are expressions of the dialect over the fields
    // ("MessID = 12", "[MessID]= 12", "LoopRS = ''And LoopIKRS = ''",
    // "Name Like 'M*'"); they find the rows a WHERE clause with the same
    // expression selects, in the recordset's order. "Field = constant"
    // terms joined by And are answered from an index of the field's values
    // (built on first use, shared with clones); others are evaluated row by
    // row. A syntax error raises 3075 (an unknown field 3070) and leaves
    // the position.
    void findFirst(const std::string& criteria);
    void findLast(const std::string& criteria);
    void findNext(const std::string& criteria);
    void findPrevious(const std::string& criteria);
    bool noMatch() const;

    void addNew();
    void edit();
    void update();
    void cancelUpdate();
    void deleteRecord();     // the cursor stays on the deleted position; move off it
    EditMode editMode() const;

    // A second cursor over the same rows with its own position (none: EOF
    // and BOF until moved).
    std::shared_ptr<Recordset> clone();
    void close();
    bool isOpen() const;

    Fields& fields() { return fields_; }
    Field field(int i) { return fields_[i]; }
    Field field(const std::string& n) { return fields_[n]; }
    rt::Variant value(const std::string& n) { return fields_[n].value(); }
    rt::Variant value(int i) { return fields_[i].value(); }

    // Internal state shared with clones.
    RecordsetData& data() { return *d_; }
    const RecordsetData& data() const { return *d_; }

private:
    std::shared_ptr<RecordsetData> d_;
    Fields fields_;
};

} // namespace engine
