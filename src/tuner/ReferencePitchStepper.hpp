// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

class QLabel;
class QToolButton;

namespace ovra {

// The reference-pitch row's control: "−", "A4 = 440 Hz", "+". A press steps
// the pitch by 1 Hz and repeats while held; from the keyboard Left / Minus
// and Right / Plus do the same. The value stays within the reference-pitch
// range.
class ReferencePitchStepper : public QWidget {
    Q_OBJECT

public:
    explicit ReferencePitchStepper(QWidget* parent = nullptr);

    int value() const { return myValue; }
    // Does not send valueChanged, like a control set in code.
    void setValue(int hertz);
    // One step down (-1) or up (+1), as a press of a button does.
    void step(int direction);

signals:
    // Sent for every step the user takes.
    void valueChanged(int hertz);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    QToolButton* myDownButton = nullptr;
    QLabel* myText = nullptr;
    QToolButton* myUpButton = nullptr;
    int myValue = 0;
};

} // namespace ovra
