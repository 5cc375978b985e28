// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "layout/StringsFileParser.hpp"

#include <cstdint>
#include <string>

namespace ovra {

// Composes prefix.item.index.modifier.valueType. The prefix, item and
// modifier may be null (left out together with their dot); a negative index
// is left out; the index is written as plain decimal. Nothing is escaped.
std::string buildLayoutKey(const char* prefix, const char* itemID, int32_t index,
                           const char* modifier, const std::string& valueType);

// The value of `key` in `table` with references followed: a value starting
// with '$' names the key of another entry whose value is used instead, chains
// included. A reference whose target is missing yields the referring value as
// written ('$' included). A chain that comes back to an entry it already
// passed yields the first value as written. Null when the key is missing or
// the table is null. The result points into the table.
const std::string* resolveLayoutValue(const std::string& key, const StringTable* table);

} // namespace ovra
