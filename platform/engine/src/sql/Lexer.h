#pragma once
// Tokenizer of the SQL dialect. Produces the whole token list of a text at
// once; never fails on a character it does not know (that becomes an
// Invalid token the parser reports as a syntax error), so a statement's
// error is always reported with the number of the clause it occurs in.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace engine::sql {

enum class TokenType {
    Word,        // bare name or keyword (keywords are recognised by the parser)
    Bracketed,   // [name]: always a name, never a keyword
    Number,      // 12, 1.5, 1e3, .5
    Text,        // '...' or "..." with the doubled quote as escape; value unescaped;
                 // also {guid {...}} (value "{...}", as replica identifiers are stored)
    Date,        // #...#; value is 'YYYY-MM-DD HH:MM:SS'
    Op,          // = <> < <= > >= + - * / \ & ^ , . ! ( ) ;
    Invalid,     // unterminated constant, unknown character, malformed date
    End,
};

struct Token {
    TokenType type = TokenType::End;
    std::string text;        // Word: as written; Bracketed/Text/Date: the value; Op: the operator
    std::size_t pos = 0;     // byte offset in the source
    std::size_t end = 0;     // byte offset behind the token

    bool isOp(std::string_view op) const { return type == TokenType::Op && text == op; }
    // Case-insensitive keyword test (ASCII keywords only).
    bool isWord(std::string_view kw) const;
};

std::vector<Token> tokenize(std::string_view sql);

// "#...#" contents to 'YYYY-MM-DD HH:MM:SS'; false when not a valid date/time.
// Accepts yyyy-mm-dd, m/d/yyyy (month first), m/d/yy, d.m.yyyy, optionally
// followed by a time h:mm[:ss] [AM|PM]; a time alone is on 1899-12-30.
bool parseDateLiteral(std::string_view s, std::string& iso);

// Double-quoted SQLite identifier: "a""b".
std::string quoteIdent(std::string_view name);
// SQLite text constant: 'it''s'.
std::string quoteText(std::string_view text);

} // namespace engine::sql
