// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace ovra {

// Screen geometry in points, single precision, origin at the top left: the
// layout files, the view kit and the display arithmetic all work in these.
struct Point {
    float x = 0.0f;
    float y = 0.0f;
    friend bool operator==(const Point&, const Point&) = default;
};

struct Size {
    float width = 0.0f;
    float height = 0.0f;
    friend bool operator==(const Size&, const Size&) = default;
};

struct Rect {
    Point origin;
    Size size;
    friend bool operator==(const Rect&, const Rect&) = default;
};

} // namespace ovra
