// SPDX-License-Identifier: GPL-3.0-or-later
#include "layout/ImageCache.hpp"

#include "common/SystemLog.hpp"
#include "layout/Resources.hpp"

#include <QByteArray>
#include <QCoreApplication>
#include <QImage>

#include <optional>
#include <unordered_map>

namespace ovra {

namespace {

// Images come from the layout's own resources; anything this large is not one.
constexpr size_t MAX_IMAGE_FILE_BYTES = 64u * 1024u * 1024u;

// Held through a pointer so the pixmaps can be released while the
// application still exists (post routine), not at static destruction.
std::unordered_map<std::string, QPixmap>* cacheStorage(bool create) {
    static std::unordered_map<std::string, QPixmap>* cache = nullptr;
    static QCoreApplication* clearedWith = nullptr;
    if (cache == nullptr && create) {
        cache = new std::unordered_map<std::string, QPixmap>();
    }
    if (create && clearedWith != QCoreApplication::instance()) {
        clearedWith = QCoreApplication::instance();
        qAddPostRoutine(&ImageCache::clear);
    }
    return cache;
}

// "key_on.png" -> "key_on@2x.png"; "name" -> "name@2x".
std::string doubleResolutionName(const std::string& name) {
    const size_t dot = name.rfind('.');
    if (dot == std::string::npos || dot == 0) {
        return name + "@2x";
    }
    return name.substr(0, dot) + "@2x" + name.substr(dot);
}

std::optional<QImage> decode(const std::string& bytes) {
    QImage image;
    if (!image.loadFromData(
            QByteArray::fromRawData(bytes.data(), static_cast<qsizetype>(bytes.size())))) {
        return std::nullopt;
    }
    return image;
}

QPixmap load(const std::string& name) {
    const std::optional<std::string> bytes =
        Resources::contentsOfResource(name, MAX_IMAGE_FILE_BYTES);
    if (!bytes) {
        systemLog("Error : couldn't find image - %s", name.c_str());
        return QPixmap();
    }
    const std::optional<QImage> image = decode(*bytes);
    if (!image) {
        systemLog("Error : couldn't decode image - %s", name.c_str());
        return QPixmap();
    }

    const std::string sharpName = doubleResolutionName(name);
    if (const std::optional<std::string> sharpBytes =
            Resources::contentsOfResource(sharpName, MAX_IMAGE_FILE_BYTES)) {
        std::optional<QImage> sharp = decode(*sharpBytes);
        if (sharp && sharp->size() == image->size() * 2) {
            QPixmap pixmap = QPixmap::fromImage(*sharp);
            pixmap.setDevicePixelRatio(2.0);
            return pixmap;
        }
        // A mismatched sharp copy would change the item's size on screen.
        systemLog("Error : ignoring image %s - not an image of twice the size of %s",
                  sharpName.c_str(), name.c_str());
    }
    return QPixmap::fromImage(*image);
}

} // namespace

QPixmap ImageCache::imageNamed(const std::string& name) {
    std::unordered_map<std::string, QPixmap>& cache = *cacheStorage(true);
    const auto found = cache.find(name);
    if (found != cache.end()) {
        return found->second;
    }
    return cache.emplace(name, load(name)).first->second;
}

void ImageCache::clear() {
    if (auto* cache = cacheStorage(false)) {
        cache->clear();
    }
}

} // namespace ovra
