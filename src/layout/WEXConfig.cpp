// SPDX-License-Identifier: GPL-3.0-or-later
#include "layout/WEXConfig.hpp"

#include "common/SystemLog.hpp"
#include "layout/LayoutKeys.hpp"
#include "layout/LayoutNumbers.hpp"
#include "layout/LayoutQueries.hpp"
#include "layout/Resources.hpp"

#include <utility>

namespace ovra {

namespace {

// Far beyond any real layout file; refuses to pull a runaway file into memory.
constexpr size_t MAX_LAYOUT_FILE_BYTES = 64u * 1024u * 1024u;

const char* prefixOf(const WEXConfig* config) {
    if (config == nullptr || !config->configPrefix()) {
        return nullptr;
    }
    return config->configPrefix()->c_str();
}

} // namespace

WEXConfig* WEXConfig::mySharedConfig = nullptr;

WEXConfig::WEXConfig() {
    myConfigMap.reserve(5);
    mySharedConfig = this;
}

WEXConfig::WEXConfig(std::string prefix) : WEXConfig() {
    myPrefix = std::move(prefix);
}

WEXConfig::~WEXConfig() {
    mySharedConfig = nullptr;
}

WEXConfig* WEXConfig::sharedConfig() {
    return mySharedConfig;
}

const StringTable* WEXConfig::layoutWithFilename(const std::string& filename) {
    const auto cached = myConfigMap.find(filename);
    if (cached != myConfigMap.end()) {
        return &cached->second;
    }
    const std::optional<std::string> text =
        Resources::contentsOfResource(filename, MAX_LAYOUT_FILE_BYTES);
    if (text) {
        StringsFileError error;
        std::optional<StringTable> table = parseStringsFile(*text, &error);
        if (table) {
            return &myConfigMap.emplace(filename, std::move(*table)).first->second;
        }
        // The reason helps whoever edits the file; the line below is the
        // one every failed read gives.
        systemLog("Error : malformed configuration file - %s (line %zu: %s)", filename.c_str(),
                  error.line, error.reason.c_str());
    }
    systemLog("Error : couldn't find configuration file - %s", filename.c_str());
    return nullptr;
}

const StringTable* WEXConfig::sharedTable(const std::string& layoutFile) {
    return mySharedConfig == nullptr ? nullptr : mySharedConfig->layoutWithFilename(layoutFile);
}

std::string WEXConfig::newKeyStringWithPrefix(const char* prefix, const char* itemID, int32_t index,
                                              const char* modifier, const std::string& valueType) {
    return buildLayoutKey(prefix, itemID, index, modifier, valueType);
}

std::string WEXConfig::newKeyStringWithItemID(const char* itemID, int32_t index,
                                              const char* modifier, const std::string& valueType) {
    return buildLayoutKey(prefixOf(mySharedConfig), itemID, index, modifier, valueType);
}

LayoutQueries WEXConfig::queries(const std::string& layoutFile) {
    return LayoutQueries(sharedTable(layoutFile), prefixOf(mySharedConfig));
}

Point WEXConfig::positionOfItem(const char* itemID, int32_t index, const char* modifier,
                                const std::string& layoutFile) {
    return queries(layoutFile).position(itemID, index, modifier);
}

Point WEXConfig::positionOfItem(const char* itemID, const char* modifier,
                                const std::string& layoutFile) {
    return positionOfItem(itemID, -1, modifier, layoutFile);
}

Size WEXConfig::sizeOfItem(const char* itemID, int32_t index, const char* modifier,
                           const std::string& layoutFile) {
    return queries(layoutFile).size(itemID, index, modifier);
}

Rect WEXConfig::rectOfItem(const char* itemID, int32_t index, const char* modifier,
                           const std::string& layoutFile) {
    return Rect{positionOfItem(itemID, index, modifier, layoutFile),
                sizeOfItem(itemID, index, modifier, layoutFile)};
}

std::optional<std::string> WEXConfig::valueOfKey(const std::string& key,
                                                 const StringTable* dictionary) {
    const std::string* value = resolveLayoutValue(key, dictionary);
    if (value == nullptr) {
        return std::nullopt;
    }
    return *value;
}

std::optional<std::string> WEXConfig::valueOfItem(const char* itemID, int32_t index,
                                                  const char* modifier,
                                                  const std::string& valueType,
                                                  const std::string& layoutFile) {
    return queries(layoutFile).value(itemID, index, modifier, valueType);
}

std::optional<std::string> WEXConfig::valueOfItem(const char* itemID, const char* modifier,
                                                  const std::string& valueType,
                                                  const std::string& layoutFile) {
    return valueOfItem(itemID, -1, modifier, valueType, layoutFile);
}

float WEXConfig::floatValueOfItem(const char* itemID, int32_t index, const char* modifier,
                                  const std::string& valueType, const std::string& layoutFile) {
    return queries(layoutFile).floatValue(itemID, index, modifier, valueType);
}

float WEXConfig::floatValueOfItem(const char* itemID, const char* modifier,
                                  const std::string& valueType, const std::string& layoutFile) {
    return floatValueOfItem(itemID, -1, modifier, valueType, layoutFile);
}

float WEXConfig::intValueOfItem(const char* itemID, int32_t index, const char* modifier,
                                const std::string& valueType, const std::string& layoutFile) {
    const auto value = valueOfItem(itemID, index, modifier, valueType, layoutFile);
    return value ? static_cast<float>(parseLayoutInt(*value)) : 0.0f;
}

bool WEXConfig::keyExistsForItem(const char* itemID, int32_t index, const char* modifier,
                                 const std::string& valueType, const std::string& layoutFile) {
    return valueOfItem(itemID, index, modifier, valueType, layoutFile).has_value();
}

std::optional<std::string> WEXConfig::filenameOfItem(const char* itemID, int32_t index,
                                                     const char* modifier,
                                                     const std::string& layoutFile) {
    return valueOfItem(itemID, index, modifier, "filename", layoutFile);
}

std::optional<std::string> WEXConfig::filenameOfItem(const char* itemID, const char* modifier,
                                                     const std::string& layoutFile) {
    return filenameOfItem(itemID, -1, modifier, layoutFile);
}

} // namespace ovra
