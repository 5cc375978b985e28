// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPixmap>

#include <string>

namespace ovra {

// Images by full resource name, each loaded once (found or not) through
// Resources. When "name@2x.png" exists beside "name.png" at exactly twice its
// pixel size, it is used with device pixel ratio 2: same logical size,
// sharper on HiDPI screens. A missing or undecodable image gives a null
// pixmap and one log line per name. Main thread only; needs a QGuiApplication.
class ImageCache {
public:
    static QPixmap imageNamed(const std::string& name);

    // Forgets every image (tests, a change of skin).
    static void clear();

    ImageCache() = delete;
};

} // namespace ovra
