// SPDX-License-Identifier: GPL-3.0-or-later
// ovratuner-artwork-preview: composes the tuner screen from general.cfg and
// its pictures, item by item in the screen's drawing order, and writes a PNG
// of two states side by side: left, quiet input (dim meter and needle at the
// near-blue point, the last reading's words dim) with string 1 chosen by
// hand; right, a note 12 cents sharp in automatic mode on string 3, meter and
// readout bright, six LEDs lit.
//
//   ovratuner-artwork-preview [--resources DIR] [--out FILE] [--scale S]

#include "layout/Resources.hpp"
#include "layout/WEXConfig.hpp"
#include "ui/ImageView.hpp"
#include "ui/LabelView.hpp"
#include "ui/LayoutImageView.hpp"
#include "ui/SceneScreenshot.hpp"
#include "ui/WEXButton.hpp"

#include <QApplication>
#include <QPainter>

#include <cmath>
#include <cstdio>
#include <memory>

using namespace ovra;

namespace {

const std::string CFG = "general.cfg";

struct ScreenState {
    bool bright = false;
    bool magicMode = false;
    int activeString = 0;
    int litLeds = 0;
    float cents = 0.0f;  // needle offset, used when bright
    QStringList readout; // note, cents and frequency as the screen words them
};

// The names the screen puts on the keys in standard tuning.
const char* const STRING_NAMES[] = {"E2", "A", "D", "G", "B", "E4"};

QPixmap image(const char* item, int index, const char* modifier) {
    return WEXConfig::imageOfItem(item, index, modifier, CFG);
}

Point position(const char* item, int index = -1) {
    return WEXConfig::positionOfItem(item, index, nullptr, CFG);
}

// An image view showing `picture` at the item's position, sized to `sizing`.
ImageView* addPicture(View& root, const QPixmap& picture, Point origin, const QPixmap& sizing) {
    auto* view = new ImageView(Rect{origin, ImageView::imageSize(sizing)});
    view->setImage(picture);
    root.addSubview(view);
    return view;
}

// The "dim" picture of an item, else its plain one.
QPixmap dimOrPlain(const char* item) {
    const QPixmap dim = image(item, -1, "dim");
    return dim.isNull() ? image(item, -1, nullptr) : dim;
}

Point lerp(Point a, Point b, float t) {
    return Point{(b.x - a.x) * t + a.x, (b.y - a.y) * t + a.y};
}

Point needlePoint(float c) {
    const Point farRed = position("pitchmeter.farred");
    const Point nearRed = position("pitchmeter.nearred");
    const Point nearBlue = position("pitchmeter.nearblue");
    const Point farBlue = position("pitchmeter.farblue");
    const float g = 5.0f;
    const float k = 200.0f;
    if (std::fabs(c) < g) {
        return lerp(nearRed, nearBlue, 0.5f - c / g);
    }
    if (c > k) {
        return farRed;
    }
    if (c < -k) {
        return farBlue;
    }
    return c > 0 ? lerp(nearRed, farRed, std::fabs(c) / (k - g))
                 : lerp(nearBlue, farBlue, std::fabs(c) / (k - g));
}

std::unique_ptr<View> composeScreen(const ScreenState& s) {
    auto root = std::make_unique<View>(Rect{{0, 0}, {320, 460}});
    root->setBackgroundColor(Qt::black);
    root->addSubview(newImageViewOfItem("background", -1, CFG));
    for (int i = 0; i < 6; ++i) {
        const QPixmap pressed = image("tuningkey", i, "pressed");
        const char* modifier = "unpressed";
        if (i == s.activeString) {
            modifier = s.magicMode ? "magic" : "pressed";
        }
        addPicture(*root, image("tuningkey", i, modifier), position("tuningkey", i), pressed);
    }
    addPicture(*root, image("autoswitchkey", -1, s.magicMode ? "pressed" : "unpressed"),
               position("autoswitchkey"), image("autoswitchkey", -1, "pressed"));
    for (const char* item : {"aboutbutton", "settingsbutton", "helpbutton"}) {
        auto* button = new WEXButton();
        button->configureToggleButtonWithItemID(item, -1, CFG);
        root->addSubview(button);
    }
    const QPixmap head = dimOrPlain("guitarhead");
    addPicture(*root, head, position("guitarhead"), head);
    for (int i = 0; i < 9; ++i) {
        const QPixmap unlit = image("ampmeterled", i, "unpressed");
        addPicture(*root, i < s.litLeds ? image("ampmeterled", i, "pressed") : unlit,
                   position("ampmeterled", i), unlit);
    }
    const QPixmap meter = s.bright ? image("pitchmeter", -1, "bright") : dimOrPlain("pitchmeter");
    addPicture(*root, meter, position("pitchmeter"), meter);
    for (int i : {0, 5, 1, 4, 2, 3}) {
        const QPixmap unlit = image("string", i, "unpressed");
        const char* modifier = "unpressed";
        if (i == s.activeString) {
            modifier = s.magicMode ? "magic" : "pressed";
        }
        addPicture(*root, image("string", i, modifier), position("string", i), unlit);
    }
    const QPixmap needle =
        s.bright ? image("pitchneedle", -1, "bright") : dimOrPlain("pitchneedle");
    auto* needleView = addPicture(*root, needle, Point{}, needle);
    needleView->setOrigin(s.bright ? needlePoint(s.cents) : position("pitchmeter.nearblue"));
    root->addSubview(newImageViewOfItem("overlay", -1, CFG));
    // The texts lie above the glass, as on the screen.
    const auto addLabel = [&root](const char* item, int index, const QString& text, bool dim) {
        if (auto label = LabelView::newLabelOfItem(item, index, CFG)) {
            label->setText(text);
            label->setDimmed(dim);
            root->addSubview(std::move(label));
        }
    };
    const char* const readoutItems[] = {"readout.note", "readout.cents", "readout.frequency"};
    for (int i = 0; i < 3 && i < s.readout.size(); ++i) {
        addLabel(readoutItems[i], -1, s.readout[i], !s.bright);
    }
    for (int i = 0; i < 6; ++i) {
        addLabel("stringlabel", i, STRING_NAMES[i], i != s.activeString);
    }
    return root;
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    QString resources = OVRA_SOURCE_RESOURCES;
    QString out = "artwork-preview.png";
    double scale = 2.0;
    const QStringList args = app.arguments();
    for (int i = 1; i < args.size(); ++i) {
        if (args[i] == "--resources" && i + 1 < args.size()) {
            resources = args[++i];
        } else if (args[i] == "--out" && i + 1 < args.size()) {
            out = args[++i];
        } else if (args[i] == "--scale" && i + 1 < args.size()) {
            scale = args[++i].toDouble();
        } else {
            std::fprintf(stderr, "usage: ovratuner-artwork-preview [--resources DIR] "
                                 "[--out FILE] [--scale S]\n");
            return 2;
        }
    }
    if (!(scale > 0.0 && scale <= 4.0)) {
        std::fprintf(stderr, "scale must be above 0 and at most 4\n");
        return 2;
    }
    if (!Resources::setOverrideDirectory(resources.toStdString())) {
        std::fprintf(stderr, "not a readable directory: %s\n", qPrintable(resources));
        return 1;
    }
    WEXConfig config("ovra");
    if (config.layoutWithFilename(CFG) == nullptr) {
        return 1;
    }

    const ScreenState quiet{false, false, 1, 0, 0.0f, {"A2", "\u22122 \u00a2", "109.9 Hz"}};
    const ScreenState playing{true, true, 3, 6, 12.0f, {"G3", "+12 \u00a2", "197.4 Hz"}};
    const auto left = composeScreen(quiet);
    const auto right = composeScreen(playing);
    const QImage a = renderItem(*left, scale);
    const QImage b = renderItem(*right, scale);

    // Both pictures carry the device pixel ratio; the sheet is laid out in points.
    const double gap = 16.0;
    const QSizeF screen = left->frameRect().size();
    QImage sheet(static_cast<int>(std::lround((2 * screen.width() + gap) * scale)),
                 static_cast<int>(std::lround(screen.height() * scale)),
                 QImage::Format_ARGB32_Premultiplied);
    sheet.setDevicePixelRatio(scale);
    sheet.fill(QColor(40, 40, 44));
    QPainter painter(&sheet);
    painter.drawImage(QPointF(0, 0), a);
    painter.drawImage(QPointF(screen.width() + gap, 0), b);
    painter.end();
    if (!sheet.save(out, "PNG")) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(out));
        return 1;
    }
    std::printf("preview written to %s\n", qPrintable(out));
    return 0;
}
