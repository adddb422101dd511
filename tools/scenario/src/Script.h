#pragma once
// Script: the lines of a scenario split into tokens.
//
// A line is a command word followed by tokens separated by blanks. Tokens:
//   value literals (VariantLiteral.h): "text", 42, 42%, 1.5, #2024-01-31#,
//     and the words True, False, Null, Empty, Nothing
//   @name      an object the runner holds (a database opened by open-db)
//   =          the assignment sign of let / set / setting / reply
//   words      everything else up to the next blank (names, paths, keys)
// Empty lines and lines whose first character (after blanks) is "#" followed
// by a blank or nothing are skipped.
#include <string>
#include <string_view>
#include <vector>

#include "runtime/Variant.h"

namespace scenario {

struct Token {
    enum Kind { Word, Literal, Ref, Assign } kind = Word;
    std::string text;     // as written (for a literal: its source text)
    rt::Variant value;    // Literal only
};

struct Line {
    int number = 0;
    std::string source;
    std::vector<Token> tokens;
};

// Error 5 with "line N: ..." for a text that cannot be split (an unclosed
// text literal).
std::vector<Line> parseScript(std::string_view text);
Line parseLine(std::string_view text, int number);

} // namespace scenario
