#pragma once
// The dialect's Like patterns: * any run of characters, ? one character,
// # one digit, [abc] / [a-z] one character of the set, [!a-z] one character
// outside it; [*], [?], [#] match the character itself. Matching ignores
// case (umlauts included) and counts UTF-8 characters. Runs in
// O(len(value) x len(pattern)); a malformed pattern (an unclosed "[")
// matches nothing.
#include <string_view>

namespace engine::sql {

bool likeMatch(std::string_view value, std::string_view pattern);

} // namespace engine::sql
