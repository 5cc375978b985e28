// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace ovra {

// The application's resource files, found by full file name ("general.cfg",
// "key_on.png"): a file in the override directory (a skin, `--resources DIR`)
// wins over the one embedded in the executable under EMBEDDED_PREFIX.
// Names are flat: a name that is empty, "." or "..", or holds '/', '\\' or a
// NUL byte is never found, so layout data cannot reach outside the resources.
class Resources {
public:
    static constexpr const char* EMBEDDED_PREFIX = ":/ovra/";

    // Sets the override directory; an empty path removes it. Returns false
    // (and removes it) when the path is not a readable directory.
    static bool setOverrideDirectory(const std::string& path);
    static std::optional<std::string> overrideDirectory();

    // A path that Qt's file classes open (":/ovra/name" for embedded files),
    // or none when no such resource exists.
    static std::optional<std::string> pathForResource(const std::string& name);

    // The whole file, or none when it does not exist, cannot be read, or is
    // larger than maxBytes.
    static std::optional<std::string> contentsOfResource(const std::string& name,
                                                         size_t maxBytes = SIZE_MAX);

    Resources() = delete;
};

} // namespace ovra
