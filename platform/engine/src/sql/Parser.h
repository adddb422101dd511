#pragma once
// Recursive-descent parser of the dialect: one statement (with an optional
// PARAMETERS clause) or one criteria expression into the syntax tree.
// Raises rt::Error with the syntax error number of the clause where parsing
// failed (see SqlError.h). Nesting deeper than kMaxDepth is a syntax error.
#include <string_view>

#include "sql/Ast.h"

namespace engine::sql {

inline constexpr int kMaxDepth = 200;

ast::Statement parseStatement(std::string_view sql);
// A whole text as one expression (criteria); 3075 on any error.
ast::ExprPtr parseExpression(std::string_view text);

// Field type of a PARAMETERS / column type word (upper case); false if unknown.
bool parameterTypeOf(const std::string& upperWord, FieldType& type);

} // namespace engine::sql
