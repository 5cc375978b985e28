// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QSlider>

namespace ovra {

// A horizontal slider with a single-precision value between a minimum and a
// maximum. A value set in code is kept exactly (the handle shows it as
// closely as the track allows); a value the user sets is one of STEPS + 1
// evenly spaced values, the ends exactly the minimum and the maximum.
// A press on the track away from the handle moves the handle there at once.
class FloatSlider : public QSlider {
    Q_OBJECT

public:
    static constexpr int STEPS = 10000;

    explicit FloatSlider(QWidget* parent = nullptr);

    float floatValue() const { return myValue; }
    // Does not send floatValueChanged, like a touch slider set in code.
    // Clamped to the range; NaN is ignored.
    void setFloatValue(float value);
    // Keeps the current value within the new range.
    void setMinimumValue(float minimum);
    void setMaximumValue(float maximum);

signals:
    // Sent for every change the user makes while dragging or tapping.
    void floatValueChanged();

protected:
    void mousePressEvent(QMouseEvent* event) override;

private:
    void onPositionChanged(int position);
    float valueOfPosition(int position) const;
    int positionOfValue(float value) const;

    float myMinimum = 0.0f;
    float myMaximum = 1.0f;
    float myValue = 0.0f;
    bool mySettingInCode = false;
};

} // namespace ovra
