#pragma once
// Details are typed or pasted by the user and read back from design files, so nothing
// guarantees they are valid UTF-8. Whatever reads them by character or writes them into
// another format goes through here.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace bw::catalogue::utf8 {

struct Character {
    char32_t codePoint = 0;
    std::size_t length = 0; // in bytes
};

// The character that starts at byte `at`; nothing for a truncated, overlong or surrogate
// sequence, a stray continuation byte, a value past U+10FFFF, or `at` past the end.
std::optional<Character> decodeAt(std::string_view text, std::size_t at);

// A surrogate or a value past U+10FFFF is appended as U+FFFD.
void append(std::string& out, char32_t codePoint);

// The text with every byte that starts no valid character replaced by U+FFFD.
std::string repaired(std::string_view text);

} // namespace bw::catalogue::utf8
