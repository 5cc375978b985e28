// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QSettings>
#include <QString>
#include <QVariant>

#include <cstdint>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

namespace ovra {

// The per-user preference store: QSettings in the native format under
// organisation and application "OvraTuner" (on Linux
// $XDG_CONFIG_HOME/OvraTuner/OvraTuner.conf). The store keeps values as text,
// so a value is read by what it looks like; one that does not read as the
// type asked for counts as absent, so that a hand-edited or damaged file
// gives the defaults instead of a wrong setting. Main thread only.
class Preferences {
public:
    static constexpr const char* ORGANIZATION = "OvraTuner";
    static constexpr const char* APPLICATION = "OvraTuner";

    // The integer under `key`: a stored integer, or text that reads wholly
    // as a decimal 32-bit integer. Empty when absent or not such a value.
    std::optional<int32_t> integerForKey(const char* key) const;
    // The boolean under `key`: a stored boolean, "true" / "false" (any
    // case), or an integer (non-zero is true). Empty otherwise.
    std::optional<bool> boolForKey(const char* key) const;
    // The text under `key`; empty when absent or not text.
    std::optional<QString> textForKey(const char* key) const;

    // Each write reaches the file before it returns, so that another process
    // (or a crash right after) sees it. False, with a log line, when the
    // store cannot be written.
    bool setIntegerForKey(int32_t value, const char* key);
    // Several values in one write: integers, booleans and texts.
    bool setValues(const std::vector<std::pair<const char*, QVariant>>& values);

    // The file behind the store.
    QString fileName() const;
    // False when this object found the file damaged (not parseable) and
    // has not rewritten it since.
    bool isReadable() const;

private:
    std::unique_ptr<QSettings> openStore() const;
    bool finishWrite(QSettings& store);

    mutable bool myDamageFound = false;
};

} // namespace ovra
