#include "tuner/StatusLine.hpp"

#include "layout/WEXConfig.hpp"

#include <QColor>
#include <QFont>
#include <QPainter>

#include <algorithm>

#include <cmath>

namespace ovra {

namespace {
// A line with no usable font size in the layout still shows its words.
constexpr float DEFAULT_FONT_SIZE = 12.0f;
} // namespace

QString statusTextForHearing(HearingStatus status) {
    switch (status) {
    case HearingStatus::NoMicrophone:
        return QStringLiteral("No microphone");
    case HearingStatus::ChosenMicrophoneMissing:
        return QStringLiteral("Chosen microphone missing");
    case HearingStatus::InputLost:
        return QStringLiteral("Input lost, retrying");
    case HearingStatus::Stopped:
        return QStringLiteral("Listening paused");
    case HearingStatus::Opening:
    case HearingStatus::Hearing:
        break;
    }
    return QString();
}

StatusLineView::StatusLineView(const Rect& frame, float fontSize, const QColor& color)
    : View(frame), myFontSize(fontSize), myColor(color) {
    setUserInteractionEnabled(false);
}

std::unique_ptr<StatusLineView> StatusLineView::newStatusLineOfItem(const char* itemID,
                                                                    const std::string& layoutFile) {
    const Rect frame = WEXConfig::rectOfItem(itemID, -1, nullptr, layoutFile);
    if (!(frame.size.width > 0.0f && frame.size.height > 0.0f)) {
        return nullptr;
    }
    float fontSize = WEXConfig::floatValueOfItem(itemID, nullptr, "fontsize", layoutFile);
    if (!(fontSize > 0.0f && fontSize <= frame.size.height)) {
        fontSize = std::fmin(DEFAULT_FONT_SIZE, frame.size.height);
    }
    return std::make_unique<StatusLineView>(
        frame, fontSize, WEXConfig::newColorOfItem(itemID, -1, nullptr, layoutFile));
}

void StatusLineView::setText(const QString& text) {
    if (text != myText) {
        myText = text;
        update();
    }
}

void StatusLineView::paint(QPainter* painter, const QStyleOptionGraphicsItem* option,
                           QWidget* widget) {
    View::paint(painter, option, widget);
    if (myText.isEmpty()) {
        return;
    }
    QFont font = painter->font();
    font.setPixelSize(std::max(1, static_cast<int>(std::lround(myFontSize))));
    font.setBold(true);
    painter->setFont(font);
    painter->setPen(myColor);
    painter->drawText(boundsRect(), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextWordWrap, myText);
}

} // namespace ovra
