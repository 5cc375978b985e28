// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPointF>
#include <QRectF>
#include <QSizeF>

#include <array>

// Where everything stands on the 320 x 460-point tuner screen. The painters
// draw to these numbers and the layout file is written from them, so the
// pictures and their positions cannot drift apart.
namespace ovra::artwork {

constexpr double SCREEN_WIDTH = 320.0;
constexpr double SCREEN_HEIGHT = 460.0;
constexpr double CENTER_X = SCREEN_WIDTH / 2.0;

// --- pitch meter (a linear cents scale across the top)
constexpr QRectF METER_FRAME{8.0, 8.0, 304.0, 88.0};
// Screen x of the needle's centre line at the four reference points: the
// far ends of the scale and the borders of the green (in-tune) zone.
constexpr double FAR_BLUE_X = 30.0;
constexpr double NEAR_BLUE_X = 148.0;
constexpr double NEAR_RED_X = 172.0;
constexpr double FAR_RED_X = 290.0;
constexpr double NEEDLE_WIDTH = 14.0;
constexpr double NEEDLE_HEIGHT = 56.0;
constexpr double NEEDLE_TOP = 32.0;
// Meter-local rows.
constexpr double METER_LABEL_BASELINE = 24.0;
constexpr double METER_TICK_TOP = 28.0;
constexpr double METER_TICK_BOTTOM = 44.0;
constexpr double METER_BAND_TOP = 46.0;
constexpr double METER_BAND_HEIGHT = 8.0;

// Screen x of the needle centre for an offset in cents: where the tuner's
// own needle mapping puts it, so the printed scale is the needle's.
double meterXForCents(double cents);

// --- level meter: nine LEDs in a row under the meter
constexpr int LED_COUNT = 9;
constexpr double LED_IMAGE_WIDTH = 30.0;
constexpr double LED_IMAGE_HEIGHT = 18.0;
constexpr double LED_PITCH = 31.0;
constexpr double LED_LEFT = (SCREEN_WIDTH - (LED_COUNT * LED_PITCH - 1.0)) / 2.0;
constexpr double LED_TOP = 101.0;
enum class LedColour { Green, Amber, Red };
constexpr LedColour ledColour(int i) {
    return i < 5 ? LedColour::Green : (i < 7 ? LedColour::Amber : LedColour::Red);
}

// --- automatic string selection key, between the LEDs and the headstock
constexpr QRectF MAGIC_KEY_FRAME{104.0, 123.0, 112.0, 38.0};

// --- headstock (3 + 3), its picture runs from above the top to the screen's
// bottom edge, with the nut and the first stretch of the neck
constexpr QRectF HEAD_FRAME{60.0, 160.0, 200.0, 300.0};
constexpr double NUT_Y = 396.0;
constexpr double NUT_HEIGHT = 6.0;
constexpr double NUT_LEFT = 131.0;
constexpr double NUT_RIGHT = 189.0;

// String i: 0 = low E (lowest key on the left) ... 5 = high E (lowest key on
// the right). Posts on the face of the headstock, one per key.
constexpr std::array<QPointF, 6> POSTS{{{104.0, 332.0},
                                        {104.0, 276.0},
                                        {104.0, 220.0},
                                        {216.0, 220.0},
                                        {216.0, 276.0},
                                        {216.0, 332.0}}};
// Where each string crosses the nut.
constexpr double nutX(int i) {
    return 137.0 + i * 9.2;
}
constexpr std::array<double, 6> STRING_WIDTHS{{2.7, 2.3, 1.9, 1.45, 1.15, 0.95}};
constexpr bool isWound(int i) {
    return i < 3;
}
constexpr double STRING_MARGIN = 12.0; // room for the glow around a string

// Tuning keys: a chrome button outside the headstock with its shaft running
// under the headstock's edge. The picture is drawn for the left side and
// mirrored for the right.
constexpr double KEY_WIDTH = 70.0;
constexpr double KEY_HEIGHT = 46.0;
constexpr double KEY_LEFT_X = 12.0;
constexpr double KEY_RIGHT_X = SCREEN_WIDTH - KEY_LEFT_X - KEY_WIDTH;
constexpr bool isLeftKey(int i) {
    return i < 3;
}
constexpr QPointF keyOrigin(int i) {
    return QPointF(isLeftKey(i) ? KEY_LEFT_X : KEY_RIGHT_X, POSTS[i].y() - KEY_HEIGHT / 2.0);
}

// --- the options button (a gear) in the bottom right corner
constexpr double BUTTON_SIZE = 38.0;
constexpr QPointF ABOUT_BUTTON{272.0, 412.0};

// --- the status line in the bottom left corner, beside the neck: why the
// tuner hears nothing, in at most two short lines
constexpr QRectF STATUS_LINE_FRAME{10.0, 410.0, 116.0, 42.0};
constexpr double STATUS_LINE_FONT_SIZE = 13.0;
constexpr QRectF TUNING_CAPTION_FRAME{10.0, 376.0, 116.0, 32.0};
constexpr double TUNING_CAPTION_FONT_SIZE = 12.0;

// --- the readout on either side of the automatic key: the note's name on
// the left (large, to read at arm's length), the cents over the frequency on
// the right. Bright while a note is heard, dim with the meter.
constexpr QRectF READOUT_NOTE_FRAME{6.0, 118.0, 96.0, 46.0};
constexpr double READOUT_NOTE_FONT_SIZE = 34.0;
constexpr QRectF READOUT_CENTS_FRAME{218.0, 118.0, 98.0, 26.0};
constexpr double READOUT_CENTS_FONT_SIZE = 20.0;
constexpr QRectF READOUT_FREQUENCY_FRAME{218.0, 144.0, 98.0, 18.0};
constexpr double READOUT_FREQUENCY_FONT_SIZE = 13.0;

// --- string names on the face of each key's button (the button is drawn
// around x = 26 of the left key's picture, mirrored on the right)
constexpr double KEY_BUTTON_CENTRE_X = 26.0;
constexpr QSizeF STRING_LABEL_SIZE{28.0, 18.0};
constexpr double STRING_LABEL_FONT_SIZE = 13.0;
constexpr QRectF stringLabelFrame(int i) {
    const double centreX = isLeftKey(i) ? KEY_LEFT_X + KEY_BUTTON_CENTRE_X
                                        : KEY_RIGHT_X + KEY_WIDTH - KEY_BUTTON_CENTRE_X;
    return QRectF(centreX - STRING_LABEL_SIZE.width() / 2.0,
                  POSTS[i].y() - STRING_LABEL_SIZE.height() / 2.0, STRING_LABEL_SIZE.width(),
                  STRING_LABEL_SIZE.height());
}

} // namespace ovra::artwork
