#pragma once
// Values between rt::Variant and SQLite: how each field type is stored
// (dates as ISO text "YYYY-MM-DD HH:MM:SS", Yes/No as -1 / 0, numbers as
// integers or reals, texts as UTF-8) and read back, and the checks a value
// passes before it goes into a field.
#include <sqlite3.h>

#include <optional>
#include <string>
#include <string_view>

#include "engine/Types.h"
#include "runtime/Regional.h"
#include "runtime/Variant.h"

namespace engine::detail {

// Binds a value as SQLite stores it (Empty and Null bind Null).
void bindVariant(sqlite3_stmt* st, int index, const rt::Variant& v);

// Reads result column `col` of the current row. `typed` applies the field
// type (dates from ISO text, Yes/No as Boolean, Integer/Byte as 16 bit,
// texts of text fields as text); otherwise the storage class decides.
rt::Variant readColumn(sqlite3_stmt* st, int col, FieldType type, bool typed);

// The value converted to the field's type, ready to store. Raises 3421 when
// it cannot be converted (texts are read with the regional settings) and
// 3163 when a text is longer than `size` characters (size > 0). Empty and
// Null give Null; whether Null is allowed is checked when the row is stored.
rt::Variant coerceForField(const rt::Variant& v, FieldType type, int size, const rt::Regional& r);

std::string isoDateText(double serial);
std::optional<double> parseIsoDate(std::string_view s);

} // namespace engine::detail
