#include "engine/Errors.h"

#include "engine/Types.h"

namespace engine {

const char* fieldTypeName(FieldType t) {
    switch (t) {
    case FieldType::Boolean: return "Boolean";
    case FieldType::Byte: return "Byte";
    case FieldType::Integer: return "Integer";
    case FieldType::Long: return "Long";
    case FieldType::Currency: return "Currency";
    case FieldType::Single: return "Single";
    case FieldType::Double: return "Double";
    case FieldType::Date: return "Date";
    case FieldType::Binary: return "Binary";
    case FieldType::Text: return "Text";
    case FieldType::Memo: return "Memo";
    }
    return "Unknown";
}

namespace err {
namespace {

struct Entry {
    int number;
    const char* text;   // '|' stands for the detail
};

constexpr Entry kEntries[] = {
    {3000, "Reserved error (|); there is no message for this error."},
    {3001, "Invalid argument."},
    {3010, "Table '|' already exists."},
    {3012, "Object '|' already exists."},
    {3020, "Update or CancelUpdate without AddNew or Edit."},
    {3021, "No current record."},
    {3022, "The changes you requested to the table were not successful because they would create "
           "duplicate values in the index, primary key, or relationship. Change the data in the field "
           "or fields that contain duplicate data, remove the index, or redefine the index to permit "
           "duplicate entries and try again."},
    {3024, "Could not find file '|'."},
    {3027, "Cannot update. Database or object is read-only."},
    {3031, "Not a valid password."},
    {3034, "You tried to commit or rollback a transaction without first beginning a transaction."},
    {3035, "System resource exceeded."},
    {3043, "Disk or network error."},
    {3044, "'|' is not a valid path. Make sure that the path name is spelled correctly and that you "
           "are connected to the server on which the file resides."},
    {3045, "Could not use '|'; file already in use."},
    {3048, "Cannot open any more databases."},
    {3061, "Too few parameters. Expected |."},
    {3065, "Cannot execute a select query."},
    {3075, "Syntax error in query expression '|'."},
    {3078, "The database engine cannot find the input table or query '|'. Make sure it "
           "exists and that its name is spelled correctly."},
    {3125, "'|' isn't a valid name. Make sure that it doesn't include invalid characters or punctuation "
           "and that it isn't too long."},
    {3129, "Invalid SQL statement; expected 'DELETE', 'INSERT', 'PROCEDURE', 'SELECT', or 'UPDATE'."},
    {3131, "Syntax error in FROM clause."},
    {3134, "Syntax error in INSERT INTO statement."},
    {3159, "Not a valid bookmark."},
    {3163, "The field is too small to accept the amount of data you attempted to add. Try inserting "
           "or pasting less data."},
    {3164, "Field cannot be updated."},
    {3167, "Record is deleted."},
    {3204, "Database already exists."},
    {3218, "Could not update; currently locked."},
    {3219, "Invalid operation."},
    {3251, "Operation is not supported for this type of object."},
    {3260, "Could not update; currently locked by user '|' on machine '|'."},
    {3265, "Item not found in this collection."},
    {3314, "The field '|' cannot contain a Null value because the Required property for this field "
           "is set to True. Enter a value in this field."},
    {3317, "One or more values are prohibited by the validation rule set for the table (|)."},
    {3343, "Unrecognized database format '|'."},
    {3349, "Numeric field overflow."},
    {3356, "You attempted to open a database that is already opened exclusively by user '|' on "
           "machine '|'. Try again when the database is available."},
    {3420, "Object invalid or no longer set."},
    {3421, "Data type conversion error."},
    {3464, "Data type mismatch in criteria expression."},
};

std::string fill(const char* text, const std::string& detail, int number) {
    std::string out;
    for (const char* p = text; *p; ++p) {
        if (*p == '|') {
            if (!detail.empty()) out += detail;
            else if (number == 3061) out += "1";
            else if (number == 3260 || number == 3356) out += "Admin";
            else if (number == 3000) out += std::to_string(number);
            // otherwise the placeholder is simply dropped
        } else {
            out += *p;
        }
    }
    return out;
}

} // namespace

rt::Error make(int number, const std::string& detail) {
    for (const auto& e : kEntries) {
        if (e.number == number) {
            if (number == 3000 && !detail.empty())
                return rt::Error(number, detail, "engine");
            return rt::Error(number, fill(e.text, detail, number), "engine");
        }
    }
    // Numbers without a text of their own: the detail is the description.
    return rt::Error(number, detail.empty() ? fill(kEntries[0].text, std::to_string(number), 3000) : detail,
                     "engine");
}

} // namespace err
} // namespace engine
