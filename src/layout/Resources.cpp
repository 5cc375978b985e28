// SPDX-License-Identifier: GPL-3.0-or-later
#include "layout/Resources.hpp"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QString>

#include <mutex>

namespace ovra {

namespace {

std::mutex& overrideMutex() {
    static std::mutex mutex;
    return mutex;
}

std::optional<std::string>& overrideStorage() {
    static std::optional<std::string> directory;
    return directory;
}

bool isFlatName(const std::string& name) {
    return !name.empty() && name != "." && name != ".." &&
           name.find_first_of(std::string("/\\\0", 3)) == std::string::npos;
}

bool isReadableFile(const QString& path) {
    const QFileInfo info(path);
    return info.exists() && info.isFile() && info.isReadable();
}

} // namespace

bool Resources::setOverrideDirectory(const std::string& path) {
    std::optional<std::string> directory;
    bool usable = true;
    if (!path.empty()) {
        const QFileInfo info(QString::fromStdString(path));
        usable = info.isDir() && info.isReadable();
        if (usable) {
            directory = info.absoluteFilePath().toStdString();
        }
    }
    std::lock_guard lock(overrideMutex());
    overrideStorage() = std::move(directory);
    return usable;
}

std::optional<std::string> Resources::overrideDirectory() {
    std::lock_guard lock(overrideMutex());
    return overrideStorage();
}

std::optional<std::string> Resources::pathForResource(const std::string& name) {
    if (!isFlatName(name)) {
        return std::nullopt;
    }
    const QString fileName = QString::fromStdString(name);
    if (const std::optional<std::string> directory = overrideDirectory()) {
        const QString path = QDir(QString::fromStdString(*directory)).filePath(fileName);
        if (isReadableFile(path)) {
            return path.toStdString();
        }
    }
    const QString embedded = QString::fromLatin1(EMBEDDED_PREFIX) + fileName;
    if (isReadableFile(embedded)) {
        return embedded.toStdString();
    }
    return std::nullopt;
}

std::optional<std::string> Resources::contentsOfResource(const std::string& name, size_t maxBytes) {
    const std::optional<std::string> path = pathForResource(name);
    if (!path) {
        return std::nullopt;
    }
    QFile file(QString::fromStdString(*path));
    if (!file.open(QIODevice::ReadOnly)) {
        return std::nullopt;
    }
    if (file.size() < 0 || static_cast<unsigned long long>(file.size()) > maxBytes) {
        return std::nullopt;
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError ||
        static_cast<unsigned long long>(bytes.size()) > maxBytes) {
        return std::nullopt;
    }
    return std::string(bytes.constData(), static_cast<size_t>(bytes.size()));
}

} // namespace ovra
