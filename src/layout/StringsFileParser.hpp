// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>

namespace ovra {

// One layout file's entries: flat string keys to string values.
using StringTable = std::unordered_map<std::string, std::string>;

// Where and why a text was refused, for the log line that names the file.
struct StringsFileError {
    size_t line = 0; // 1-based
    std::string reason;
};

// Parses key/value text of the form
//     "key" = "value";   bare_key = bare.value-1;   "lone";   /* ... */  // ...
// Quoted strings take the escapes \" \\ \n \t \r \a \b \f \v, octal \101 and
// \U0041 (written out as UTF-8); an unknown escape stands for its character.
// A bare string is one or more of letters, digits and _ $ / : . -
// A lone string followed by ';' is an entry whose value is the key itself.
// Duplicate keys: the last one wins.
//
// The whole text is refused (no table) for any byte outside printable 7-bit
// ASCII and the usual whitespace, an unterminated string or comment, a missing
// '=' or ';', any other stray character, or a text without a single entry.
// One pass, no recursion: time and stack do not grow with nesting or size.
// `error` (may be null) receives the line and reason of a refusal.
std::optional<StringTable> parseStringsFile(std::string_view text,
                                            StringsFileError* error = nullptr);

} // namespace ovra
