#pragma once

#include "capture/CorvaneAudioTrapper.hpp"
#include "ui/View.hpp"

#include <QColor>
#include <QString>

#include <memory>
#include <string>

namespace ovra {

// The words the screen shows for a hearing status: why the tuner hears
// nothing, or empty while capture is opening or hearing.
QString statusTextForHearing(HearingStatus status);

// A line of text on the tuner screen (wrapped onto a second line when too
// long for its width). Takes no touches, so keys and buttons below it still
// get theirs.
class StatusLineView : public View {
    Q_OBJECT

public:
    StatusLineView(const Rect& frame, float fontSize, const QColor& color);

    // The line a layout file describes for the item: "x", "y", "width",
    // "height", "fontsize" and a colour ("red", "green", "blue", "alpha",
    // 0..1). Null when the item has no width or height: a skin leaves the
    // line out by not naming it.
    static std::unique_ptr<StatusLineView> newStatusLineOfItem(const char* itemID,
                                                               const std::string& layoutFile);

    const QString& text() const { return myText; }
    void setText(const QString& text);
    float fontSize() const { return myFontSize; }
    QColor color() const { return myColor; }

    void paint(QPainter* painter, const QStyleOptionGraphicsItem* option, QWidget* widget) override;

private:
    QString myText;
    float myFontSize;
    QColor myColor;
};

} // namespace ovra
