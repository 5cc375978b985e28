// SPDX-License-Identifier: GPL-3.0-or-later
// ovratuner-artwork: draws every picture of the tuner screen (1x and @2x) and
// writes the layout file that places them, general.cfg.
//
//   ovratuner-artwork [--out DIR]     (default: the current directory)
//   ovratuner-artwork --icons DIR     the application icon set, DIR/hicolor/...

#include "ArtworkCanvas.hpp"
#include "ArtworkLayout.hpp"
#include "ArtworkPainters.hpp"
#include "LayoutFileWriter.hpp"

#include <QDir>
#include <QGuiApplication>

#include <array>
#include <cstdio>
#include <utility>
#include <vector>

using namespace ovra::artwork;

namespace {

struct Picture {
    QString name; // without extension
    QSizeF size;
    PaintFunction paint;
};

QString png(const QString& name) {
    return name + ".png";
}

QString glowSuffix(Glow glow) {
    switch (glow) {
    case Glow::Lit:
        return "_lit";
    case Glow::Magic:
        return "_magic";
    case Glow::None:
        break;
    }
    return "";
}

const char* const LED_COLOUR_NAMES[] = {"green", "amber", "red"};

std::vector<Picture> catalogue() {
    std::vector<Picture> pictures;
    const QSizeF screen(SCREEN_WIDTH, SCREEN_HEIGHT);
    pictures.push_back({"background", screen, paintBackground});
    pictures.push_back({"overlay", screen, paintOverlay});
    pictures.push_back({"guitarhead", HEAD_FRAME.size(), paintHeadstock});
    for (bool mirrored : {false, true}) {
        for (Glow glow : {Glow::None, Glow::Lit, Glow::Magic}) {
            pictures.push_back(
                {QString("tuningkey_") + (mirrored ? "right" : "left") + glowSuffix(glow),
                 QSizeF(KEY_WIDTH, KEY_HEIGHT),
                 [glow, mirrored](QPainter& p) { paintTuningKey(p, glow, mirrored); }});
        }
    }
    for (int i = 0; i < 6; ++i) {
        for (Glow glow : {Glow::None, Glow::Lit, Glow::Magic}) {
            pictures.push_back({QString("string%1").arg(i) + glowSuffix(glow),
                                stringFrame(i).size(),
                                [i, glow](QPainter& p) { paintString(p, i, glow); }});
        }
    }
    for (bool bright : {true, false}) {
        const QString state = bright ? "_bright" : "_dim";
        pictures.push_back({"pitchmeter" + state, METER_FRAME.size(),
                            [bright](QPainter& p) { paintPitchMeter(p, bright); }});
        pictures.push_back({"pitchneedle" + state, QSizeF(NEEDLE_WIDTH, NEEDLE_HEIGHT),
                            [bright](QPainter& p) { paintPitchNeedle(p, bright); }});
    }
    for (int colour = 0; colour < 3; ++colour) {
        for (bool lit : {true, false}) {
            pictures.push_back(
                {QString("led_%1_%2").arg(LED_COLOUR_NAMES[colour], lit ? "on" : "off"),
                 QSizeF(LED_IMAGE_WIDTH, LED_IMAGE_HEIGHT),
                 [colour, lit](QPainter& p) { paintLed(p, colour, lit); }});
        }
    }
    for (bool on : {true, false}) {
        pictures.push_back({QString("autoswitch_") + (on ? "on" : "off"), MAGIC_KEY_FRAME.size(),
                            [on](QPainter& p) { paintMagicKey(p, on); }});
    }
    for (bool pressed : {false, true}) {
        pictures.push_back({QString("button_options%1").arg(pressed ? "_pressed" : ""),
                            QSizeF(BUTTON_SIZE, BUTTON_SIZE),
                            [pressed](QPainter& p) { paintOptionsButton(p, pressed); }});
    }
    return pictures;
}

// Colours of the texts, red, green, blue and alpha on 0..1: warm white on
// the dark stage for the readout; dark ink on the keys' chrome faces.
using Rgba = std::array<double, 4>;
struct TextColours {
    Rgba bright;
    Rgba dim;
};
constexpr TextColours READOUT_COLOURS{{1.0, 0.95, 0.84, 1.0}, {0.62, 0.63, 0.68, 0.45}};
constexpr TextColours STRING_LABEL_COLOURS{{0.06, 0.02, 0.12, 1.0}, {0.3, 0.31, 0.36, 0.75}};

// A text item: place, size, font size in points, alignment, then bright and
// dim colours; the first item of a group (`owner` empty) gets the values,
// the others refer to its entries.
// A text item's place, size and font size.
void textFrame(LayoutFileWriter& cfg, const QString& item, const QRectF& frame, double fontSize) {
    cfg.position(item, frame.topLeft());
    cfg.value(item + ".width", formatNumber(frame.width()));
    cfg.value(item + ".height", formatNumber(frame.height()));
    cfg.value(item + ".fontsize", formatNumber(fontSize));
}

// A text item in one colour, left-aligned by default.
void plainLabel(LayoutFileWriter& cfg, const QString& item, const QRectF& frame, double fontSize,
                const Rgba& colour) {
    textFrame(cfg, item, frame, fontSize);
    const char* const components[] = {"red", "green", "blue", "alpha"};
    for (size_t c = 0; c < 4; ++c) {
        cfg.value(item + "." + components[c], formatNumber(colour[c]));
    }
}

void label(LayoutFileWriter& cfg, const QString& item, const QRectF& frame, double fontSize,
           const char* align, const TextColours& colours, const QString& owner) {
    textFrame(cfg, item, frame, fontSize);
    cfg.value(item + ".align", align);
    const char* const components[] = {"red", "green", "blue", "alpha"};
    const std::pair<const char*, const Rgba*> states[] = {{"bright", &colours.bright},
                                                          {"dim", &colours.dim}};
    for (const auto& [state, rgba] : states) {
        for (size_t c = 0; c < 4; ++c) {
            const QString key = QString("%1.%2.%3").arg(item, state, components[c]);
            if (owner.isEmpty()) {
                cfg.value(key, formatNumber((*rgba)[c]));
            } else {
                cfg.reference(key, QString("%1.%2.%3").arg(owner, state, components[c]));
            }
        }
    }
}

// The tuner screen's layout file: every item the screen reads, with the
// same pictures shared through "$" references.
LayoutFileWriter layoutFile() {
    LayoutFileWriter cfg("ovra");
    cfg.comment("Tuner screen layout, 320 x 460 points. Written by ovratuner-artwork "
                "(scripts/make-artwork.sh); edit the generator, not this file.");

    cfg.comment("Background and the glass over everything");
    cfg.value("background.filename", png("background"));
    cfg.position("background", QPointF(0, 0));
    cfg.value("overlay.filename", png("overlay"));
    cfg.position("overlay", QPointF(0, 0));

    cfg.comment("Tuning keys: 0 = low E (lowest on the left) .. 5 = high E (lowest on the "
                "right). pressed = chosen by hand, magic = chosen automatically");
    for (int i = 0; i < 6; ++i) {
        const QString item = QString("tuningkey.%1").arg(i);
        const int owner = isLeftKey(i) ? 0 : 3;
        for (Glow glow : {Glow::Lit, Glow::None, Glow::Magic}) {
            const QString modifier =
                glow == Glow::Lit ? "pressed" : (glow == Glow::None ? "unpressed" : "magic");
            const QString key = item + "." + modifier + ".filename";
            if (i == owner) {
                cfg.value(key, png(QString("tuningkey_") + (isLeftKey(i) ? "left" : "right") +
                                   glowSuffix(glow)));
            } else {
                cfg.reference(key, QString("tuningkey.%1.%2.filename").arg(owner).arg(modifier));
            }
        }
        cfg.position(item, keyOrigin(i));
    }

    cfg.comment("Automatic string selection: pressed = on, unpressed = off");
    cfg.value("autoswitchkey.pressed.filename", png("autoswitch_on"));
    cfg.value("autoswitchkey.unpressed.filename", png("autoswitch_off"));
    cfg.position("autoswitchkey", MAGIC_KEY_FRAME.topLeft());

    cfg.comment("The about button opens the options, so it shows a gear. The settings and help "
                "buttons have no pictures: they take no room and show nothing");
    cfg.value("aboutbutton.unpressed.filename", png("button_options"));
    cfg.value("aboutbutton.pressed.filename", png("button_options_pressed"));
    cfg.position("aboutbutton", ABOUT_BUTTON);

    cfg.comment("Status line: why the tuner hears nothing (empty while all is well); "
                "font size in points, colour components 0..1");
    plainLabel(cfg, "statusline", STATUS_LINE_FRAME, STATUS_LINE_FONT_SIZE, {1.0, 0.78, 0.3, 1.0});

    cfg.comment("Tuning caption: shown quietly above the status line, the tuning's name when it "
                "is not standard and the reference pitch when it is not 440 Hz");
    plainLabel(cfg, "tuningcaption", TUNING_CAPTION_FRAME, TUNING_CAPTION_FONT_SIZE,
               {0.62, 0.63, 0.68, 1.0});

    cfg.comment("Readout: the nearest note, the cents from the string's target and the frequency "
                "heard, bright while a note is heard and dim with the meter; align is left, "
                "center or right");
    label(cfg, "readout.note", READOUT_NOTE_FRAME, READOUT_NOTE_FONT_SIZE, "center",
          READOUT_COLOURS, "");
    label(cfg, "readout.cents", READOUT_CENTS_FRAME, READOUT_CENTS_FONT_SIZE, "center",
          READOUT_COLOURS, "readout.note");
    label(cfg, "readout.frequency", READOUT_FREQUENCY_FRAME, READOUT_FREQUENCY_FONT_SIZE, "center",
          READOUT_COLOURS, "readout.note");

    cfg.comment("String names on the keys, 0 = low E: bright while the key is lit");
    for (int i = 0; i < 6; ++i) {
        label(cfg, QString("stringlabel.%1").arg(i), stringLabelFrame(i), STRING_LABEL_FONT_SIZE,
              "center", STRING_LABEL_COLOURS, i == 0 ? QString() : "stringlabel.0");
    }

    cfg.comment("Headstock");
    cfg.value("guitarhead.filename", png("guitarhead"));
    cfg.position("guitarhead", HEAD_FRAME.topLeft());

    cfg.comment("Level meter: nine LEDs, 0 = lowest level; pressed = lit");
    int firstOfColour[3] = {-1, -1, -1};
    for (int i = 0; i < LED_COUNT; ++i) {
        const int colour = static_cast<int>(ledColour(i));
        const QString item = QString("ampmeterled.%1").arg(i);
        if (firstOfColour[colour] < 0) {
            firstOfColour[colour] = i;
            cfg.value(item + ".pressed.filename",
                      png(QString("led_%1_on").arg(LED_COLOUR_NAMES[colour])));
            cfg.value(item + ".unpressed.filename",
                      png(QString("led_%1_off").arg(LED_COLOUR_NAMES[colour])));
        } else {
            const int owner = firstOfColour[colour];
            cfg.reference(item + ".pressed.filename",
                          QString("ampmeterled.%1.pressed.filename").arg(owner));
            cfg.reference(item + ".unpressed.filename",
                          QString("ampmeterled.%1.unpressed.filename").arg(owner));
        }
        cfg.position(item, QPointF(LED_LEFT + i * LED_PITCH, LED_TOP));
    }

    cfg.comment("Pitch meter: bright while a note is heard, dim otherwise");
    cfg.value("pitchmeter.bright.filename", png("pitchmeter_bright"));
    cfg.value("pitchmeter.dim.filename", png("pitchmeter_dim"));
    cfg.position("pitchmeter", METER_FRAME.topLeft());
    cfg.comment("Needle reference points (the needle picture's top-left corner): "
                "ends of the scale and borders of the green zone");
    const double half = NEEDLE_WIDTH / 2.0;
    cfg.position("pitchmeter.farblue", QPointF(FAR_BLUE_X - half, NEEDLE_TOP));
    cfg.position("pitchmeter.nearblue", QPointF(NEAR_BLUE_X - half, NEEDLE_TOP));
    cfg.position("pitchmeter.nearred", QPointF(NEAR_RED_X - half, NEEDLE_TOP));
    cfg.position("pitchmeter.farred", QPointF(FAR_RED_X - half, NEEDLE_TOP));

    cfg.comment("Strings: pressed = chosen by hand, magic = chosen automatically");
    for (int i = 0; i < 6; ++i) {
        const QString item = QString("string.%1").arg(i);
        const QString name = QString("string%1").arg(i);
        cfg.value(item + ".pressed.filename", png(name + glowSuffix(Glow::Lit)));
        cfg.value(item + ".unpressed.filename", png(name));
        cfg.value(item + ".magic.filename", png(name + glowSuffix(Glow::Magic)));
        cfg.position(item, stringFrame(i).topLeft());
    }

    cfg.comment("Needle: a vertical line moved along the scale");
    cfg.value("pitchneedle.bright.filename", png("pitchneedle_bright"));
    cfg.value("pitchneedle.dim.filename", png("pitchneedle_dim"));
    cfg.position("pitchneedle", QPointF(NEAR_BLUE_X - half, NEEDLE_TOP));
    return cfg;
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QGuiApplication app(argc, argv);
    QString outDir = ".";
    const QStringList args = app.arguments();
    for (int i = 1; i < args.size(); ++i) {
        if (args[i] == "--out" && i + 1 < args.size()) {
            outDir = args[++i];
        } else if (args[i] == "--icons" && i + 1 < args.size()) {
            const QString iconDir = args[++i];
            if (!writeAppIcons(iconDir, "org.ovratuner.OvraTuner")) {
                std::fprintf(stderr, "cannot write the icons to %s\n", qPrintable(iconDir));
                return 1;
            }
            std::printf("icons written to %s/hicolor\n", qPrintable(iconDir));
            return 0;
        } else {
            std::fprintf(stderr, "usage: ovratuner-artwork [--out DIR | --icons DIR]\n");
            return 2;
        }
    }
    if (!QDir().mkpath(outDir)) {
        std::fprintf(stderr, "cannot create %s\n", qPrintable(outDir));
        return 1;
    }
    int written = 0;
    for (const Picture& picture : catalogue()) {
        if (!renderPicture(outDir, picture.name, picture.size, picture.paint)) {
            std::fprintf(stderr, "cannot write %s/%s.png\n", qPrintable(outDir),
                         qPrintable(picture.name));
            return 1;
        }
        written += 2;
    }
    if (!layoutFile().save(outDir + "/general.cfg")) {
        std::fprintf(stderr, "cannot write %s/general.cfg\n", qPrintable(outDir));
        return 1;
    }
    std::printf("%d pictures and general.cfg written to %s\n", written, qPrintable(outDir));
    return 0;
}
