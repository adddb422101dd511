#pragma once
// Data definition statements (CREATE / ALTER / DROP TABLE, CREATE / DROP
// INDEX) into SQLite DDL, and the mapping between the dialect's column types
// and SQLite declared types.
#include "sql/Ast.h"
#include "sql/Translator.h"

namespace engine::sql {

// Fills t.sql, t.tableName and t.createdColumns. Raises 3290 / 3293 / 3291 /
// 3295 for malformed definitions, 3376 for an unknown table, 3611 for a
// linked one.
void translateDdl(const ast::Statement& st, SchemaResolver& schema, Translation& t);

// "main"."T" -> {"main", "T"}; false when the reference is not of that form.
bool splitSqlRef(const std::string& ref, std::string& schemaName, std::string& table);

} // namespace engine::sql
