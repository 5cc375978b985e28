// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/Preferences.hpp"

#include "common/SystemLog.hpp"

#include <QSettings>
#include <QVariant>

#include <cmath>
#include <limits>

namespace ovra {

namespace {

bool fitsInt32(long long value) {
    return value >= std::numeric_limits<int32_t>::min() &&
           value <= std::numeric_limits<int32_t>::max();
}

std::optional<int32_t> integerFromText(const QString& text) {
    bool ok = false;
    const long long value = text.toLongLong(&ok, 10);
    if (!ok || !fitsInt32(value)) {
        return std::nullopt;
    }
    return static_cast<int32_t>(value);
}

std::optional<int32_t> integerFromVariant(const QVariant& value) {
    switch (value.typeId()) {
    case QMetaType::Int:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Long:
    case QMetaType::LongLong: {
        const long long n = value.toLongLong();
        return fitsInt32(n) ? std::optional<int32_t>(static_cast<int32_t>(n)) : std::nullopt;
    }
    case QMetaType::UInt:
    case QMetaType::ULong:
    case QMetaType::ULongLong: {
        const unsigned long long n = value.toULongLong();
        return n <= static_cast<unsigned long long>(std::numeric_limits<int32_t>::max())
                   ? std::optional<int32_t>(static_cast<int32_t>(n))
                   : std::nullopt;
    }
    case QMetaType::Double:
    case QMetaType::Float: {
        const double d = value.toDouble();
        if (!std::isfinite(d) || std::trunc(d) != d || d < std::numeric_limits<int32_t>::min() ||
            d > std::numeric_limits<int32_t>::max()) {
            return std::nullopt;
        }
        return static_cast<int32_t>(d);
    }
    case QMetaType::QString:
        return integerFromText(value.toString());
    case QMetaType::QByteArray:
        return integerFromText(QString::fromUtf8(value.toByteArray()));
    default:
        // Booleans, lists, maps and the rest are not integers.
        return std::nullopt;
    }
}

std::optional<bool> boolFromText(const QString& text) {
    const QString word = text.trimmed();
    if (word.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0) {
        return true;
    }
    if (word.compare(QLatin1String("false"), Qt::CaseInsensitive) == 0) {
        return false;
    }
    if (const std::optional<int32_t> number = integerFromText(word)) {
        return *number != 0;
    }
    return std::nullopt;
}

std::optional<bool> boolFromVariant(const QVariant& value) {
    switch (value.typeId()) {
    case QMetaType::Bool:
        return value.toBool();
    case QMetaType::QString:
        return boolFromText(value.toString());
    case QMetaType::QByteArray:
        return boolFromText(QString::fromUtf8(value.toByteArray()));
    default:
        if (const std::optional<int32_t> number = integerFromVariant(value)) {
            return *number != 0;
        }
        return std::nullopt;
    }
}

void warnIfUnusable(const char* key, const QVariant& value, bool usable) {
    if (value.isValid() && !usable) {
        systemLog("Warning : preference %s holds no usable value; using its default", key);
    }
}

} // namespace

std::unique_ptr<QSettings> Preferences::openStore() const {
    auto store = std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
                                             QString::fromLatin1(ORGANIZATION),
                                             QString::fromLatin1(APPLICATION));
    // The file is parsed when the first store object of the process opens
    // it; later ones share the parsed contents and report no error, so the
    // finding is kept here.
    (void)store->allKeys();
    if (store->status() == QSettings::FormatError) {
        myDamageFound = true;
    }
    return store;
}

bool Preferences::finishWrite(QSettings& store) {
    store.sync();
    if (store.status() == QSettings::AccessError) {
        systemLog("Error : couldn't write preferences - %s", store.fileName().toUtf8().constData());
        return false;
    }
    // The file has just been written whole.
    myDamageFound = false;
    return true;
}

std::optional<int32_t> Preferences::integerForKey(const char* key) const {
    const QVariant value = openStore()->value(QString::fromLatin1(key));
    const std::optional<int32_t> integer = integerFromVariant(value);
    warnIfUnusable(key, value, integer.has_value());
    return integer;
}

std::optional<bool> Preferences::boolForKey(const char* key) const {
    const QVariant value = openStore()->value(QString::fromLatin1(key));
    const std::optional<bool> flag = boolFromVariant(value);
    warnIfUnusable(key, value, flag.has_value());
    return flag;
}

std::optional<QString> Preferences::textForKey(const char* key) const {
    const QVariant value = openStore()->value(QString::fromLatin1(key));
    const bool isText =
        value.typeId() == QMetaType::QString || value.typeId() == QMetaType::QByteArray;
    warnIfUnusable(key, value, isText);
    return isText ? std::optional<QString>(value.toString()) : std::nullopt;
}

bool Preferences::setIntegerForKey(int32_t value, const char* key) {
    return setValues({{key, value}});
}

bool Preferences::setValues(const std::vector<std::pair<const char*, QVariant>>& values) {
    const std::unique_ptr<QSettings> store = openStore();
    for (const auto& [key, value] : values) {
        store->setValue(QString::fromLatin1(key), value);
    }
    return finishWrite(*store);
}

QString Preferences::fileName() const {
    return openStore()->fileName();
}

bool Preferences::isReadable() const {
    openStore();
    return !myDamageFound;
}

} // namespace ovra
