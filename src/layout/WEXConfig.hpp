// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "common/Geometry.hpp"
#include "layout/LayoutQueries.hpp"
#include "layout/StringsFileParser.hpp"

#include <cstdint>
#include <optional>
#include <string>
#include <unordered_map>

// The image and colour queries return Qt value types; include <QPixmap> /
// <QColor> where they are called. The rest of this class needs no Qt.
class QPixmap;
class QColor;

namespace ovra {

// Reads layout files (key/value text among the application's resources) and
// answers typed questions about named screen items. Keys are
//     prefix.item.index.modifier.valueType
// with absent parts left out (see buildLayoutKey). The queries are static and
// go through the most recently created WEXConfig; without one they return
// empty results and log nothing. Main thread only.
//
// Item names and modifiers: nullptr means none. Index: negative means none.
class WEXConfig {
public:
    WEXConfig();
    explicit WEXConfig(std::string prefix);
    // Clears the shared reference, whichever object it referred to.
    ~WEXConfig();
    WEXConfig(const WEXConfig&) = delete;
    WEXConfig& operator=(const WEXConfig&) = delete;

    // The object the static queries use; not owning, null when there is none.
    static WEXConfig* sharedConfig();

    const std::optional<std::string>& configPrefix() const { return myPrefix; }

    // The table of a layout file, read and parsed at the first request and
    // kept while this object lives. Null when the file is missing or not a
    // well-formed layout file: then "Error : couldn't find configuration file
    // - <name>" is logged and the next request tries again.
    const StringTable* layoutWithFilename(const std::string& filename);

    // Key composition.
    static std::string newKeyStringWithPrefix(const char* prefix, const char* itemID, int32_t index,
                                              const char* modifier, const std::string& valueType);
    // The same with the shared object's prefix (none without a shared object).
    static std::string newKeyStringWithItemID(const char* itemID, int32_t index,
                                              const char* modifier, const std::string& valueType);

    // The Qt-free queries on a layout file through the shared object (an
    // empty table without one); the statics below answer through them.
    static LayoutQueries queries(const std::string& layoutFile);

    // Position ("x", "y") and size ("width", "height") read the raw values:
    // references are not followed; a missing or non-numeric value is 0.0.
    static Point positionOfItem(const char* itemID, int32_t index, const char* modifier,
                                const std::string& layoutFile);
    static Point positionOfItem(const char* itemID, const char* modifier,
                                const std::string& layoutFile);
    static Size sizeOfItem(const char* itemID, int32_t index, const char* modifier,
                           const std::string& layoutFile);
    static Rect rectOfItem(const char* itemID, int32_t index, const char* modifier,
                           const std::string& layoutFile);

    // Value lookup with reference following (see resolveLayoutValue).
    static std::optional<std::string> valueOfKey(const std::string& key,
                                                 const StringTable* dictionary);
    static std::optional<std::string> valueOfItem(const char* itemID, int32_t index,
                                                  const char* modifier,
                                                  const std::string& valueType,
                                                  const std::string& layoutFile);
    static std::optional<std::string> valueOfItem(const char* itemID, const char* modifier,
                                                  const std::string& valueType,
                                                  const std::string& layoutFile);
    // 0.0 when missing; see parseLayoutFloat.
    static float floatValueOfItem(const char* itemID, int32_t index, const char* modifier,
                                  const std::string& valueType, const std::string& layoutFile);
    static float floatValueOfItem(const char* itemID, const char* modifier,
                                  const std::string& valueType, const std::string& layoutFile);
    // The integer part as a float (7.9 -> 7.0), clamped to 32 bits; 0.0 when missing.
    static float intValueOfItem(const char* itemID, int32_t index, const char* modifier,
                                const std::string& valueType, const std::string& layoutFile);
    static bool keyExistsForItem(const char* itemID, int32_t index, const char* modifier,
                                 const std::string& valueType, const std::string& layoutFile);

    static std::optional<std::string> filenameOfItem(const char* itemID, int32_t index,
                                                     const char* modifier,
                                                     const std::string& layoutFile);
    static std::optional<std::string> filenameOfItem(const char* itemID, const char* modifier,
                                                     const std::string& layoutFile);

    // The image named by the item's "filename" value, from the image cache; a
    // null pixmap when there is no file name or no such image. Needs a
    // QGuiApplication.
    static QPixmap imageOfItem(const char* itemID, int32_t index, const char* modifier,
                               const std::string& layoutFile);
    static QPixmap imageOfItem(const char* itemID, const char* modifier,
                               const std::string& layoutFile);

    // "red", "green", "blue", "alpha" on the 0.0 to 1.0 scale; a missing
    // component is 0.0, so a colour without "alpha" is fully transparent.
    // Colour components outside 0..1 are kept (Qt's extended RGB); alpha is
    // clamped into 0..1 because Qt rejects any other alpha outright.
    static QColor newColorOfItem(const char* itemID, int32_t index, const char* modifier,
                                 const std::string& layoutFile);

private:
    static const StringTable* sharedTable(const std::string& layoutFile);

    static WEXConfig* mySharedConfig;

    // Node-based, so table addresses handed out stay valid as files are added.
    std::unordered_map<std::string, StringTable> myConfigMap;
    std::optional<std::string> myPrefix;
};

} // namespace ovra
