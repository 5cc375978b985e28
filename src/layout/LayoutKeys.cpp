// SPDX-License-Identifier: GPL-3.0-or-later
#include "layout/LayoutKeys.hpp"

#include <charconv>
#include <cstring>

namespace ovra {

std::string buildLayoutKey(const char* prefix, const char* itemID, int32_t index,
                           const char* modifier, const std::string& valueType) {
    std::string key;
    key.reserve(64);
    if (prefix != nullptr) {
        key.append(prefix).push_back('.');
    }
    if (itemID != nullptr) {
        key.append(itemID).push_back('.');
    }
    if (index >= 0) {
        char digits[16];
        const auto result = std::to_chars(digits, digits + sizeof digits, index);
        key.append(digits, result.ptr).push_back('.');
    }
    if (modifier != nullptr) {
        key.append(modifier).push_back('.');
    }
    key.append(valueType);
    return key;
}

const std::string* resolveLayoutValue(const std::string& key, const StringTable* table) {
    if (table == nullptr) {
        return nullptr;
    }
    const auto found = table->find(key);
    if (found == table->end()) {
        return nullptr;
    }
    const std::string* first = &found->second;
    const std::string* current = first;
    // Without a revisit a chain takes fewer steps than there are entries; more
    // steps mean it has come round in a cycle.
    size_t steps = 0;
    while (!current->empty() && (*current)[0] == '$') {
        const auto next = table->find(current->substr(1));
        if (next == table->end()) {
            return current;
        }
        if (++steps > table->size()) {
            return first;
        }
        current = &next->second;
    }
    return current;
}

} // namespace ovra
