// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/FloatSlider.hpp"

#include <QMouseEvent>
#include <QStyle>
#include <QStyleOptionSlider>

#include <algorithm>
#include <cmath>

namespace ovra {

FloatSlider::FloatSlider(QWidget* parent) : QSlider(Qt::Horizontal, parent) {
    QSlider::setRange(0, STEPS);
    setSingleStep(STEPS / 100);
    setPageStep(STEPS / 10);
    setTracking(true);
    connect(this, &QSlider::valueChanged, this, &FloatSlider::onPositionChanged);
}

void FloatSlider::setFloatValue(float value) {
    if (std::isnan(value)) {
        return;
    }
    myValue = std::clamp(value, myMinimum, myMaximum);
    mySettingInCode = true;
    QSlider::setValue(positionOfValue(myValue));
    mySettingInCode = false;
}

void FloatSlider::setMinimumValue(float minimum) {
    myMinimum = minimum;
    myMaximum = std::max(myMaximum, minimum);
    setFloatValue(myValue);
}

void FloatSlider::setMaximumValue(float maximum) {
    myMaximum = maximum;
    myMinimum = std::min(myMinimum, maximum);
    setFloatValue(myValue);
}

void FloatSlider::onPositionChanged(int position) {
    if (mySettingInCode) {
        return;
    }
    myValue = valueOfPosition(position);
    emit floatValueChanged();
}

float FloatSlider::valueOfPosition(int position) const {
    if (position <= 0) {
        return myMinimum;
    }
    if (position >= STEPS) {
        return myMaximum;
    }
    const float fraction = static_cast<float>(position) / static_cast<float>(STEPS);
    return myMinimum + (myMaximum - myMinimum) * fraction;
}

int FloatSlider::positionOfValue(float value) const {
    const float span = myMaximum - myMinimum;
    if (!(span > 0.0f)) {
        return 0;
    }
    const double fraction = static_cast<double>(value - myMinimum) / static_cast<double>(span);
    return static_cast<int>(std::lround(std::clamp(fraction, 0.0, 1.0) * STEPS));
}

void FloatSlider::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        QStyleOptionSlider option;
        initStyleOption(&option);
        const QRect handle =
            style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderHandle, this);
        if (!handle.contains(event->position().toPoint())) {
            // Put the handle under the finger; the press below then drags it.
            const QRect groove =
                style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderGroove, this);
            const int span = groove.width() - handle.width();
            const int x = event->position().toPoint().x() - groove.x() - handle.width() / 2;
            setSliderPosition(
                QStyle::sliderValueFromPosition(minimum(), maximum(), x, std::max(span, 1)));
        }
    }
    QSlider::mousePressEvent(event);
}

} // namespace ovra
