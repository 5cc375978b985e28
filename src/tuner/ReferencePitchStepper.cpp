// SPDX-License-Identifier: GPL-3.0-or-later
#include "tuner/ReferencePitchStepper.hpp"

#include "model/Tunings.hpp"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QToolButton>

#include <algorithm>

namespace ovra {

namespace {

QToolButton* newStepButton(const QString& text, const QString& name, QWidget* parent) {
    auto* button = new QToolButton(parent);
    button->setObjectName(name);
    button->setText(text);
    button->setAutoRepeat(true);
    // The stepper keeps the keyboard's focus; the buttons are for fingers.
    button->setFocusPolicy(Qt::NoFocus);
    button->setFixedSize(44, 32);
    return button;
}

} // namespace

ReferencePitchStepper::ReferencePitchStepper(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("stepperCell"));
    setFocusPolicy(Qt::StrongFocus);
    // Its focus ring comes from the style sheet.
    setAttribute(Qt::WA_StyledBackground, true);
    myDownButton = newStepButton(QStringLiteral("\u2212"), QStringLiteral("stepDown"), this);
    myText = new QLabel(this);
    myText->setObjectName(QStringLiteral("cellText"));
    myText->setAlignment(Qt::AlignCenter);
    myUpButton = newStepButton(QStringLiteral("+"), QStringLiteral("stepUp"), this);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(8, 0, 8, 0);
    layout->addWidget(myDownButton);
    layout->addWidget(myText, 1);
    layout->addWidget(myUpButton);
    connect(myDownButton, &QToolButton::clicked, this, [this] { step(-1); });
    connect(myUpButton, &QToolButton::clicked, this, [this] { step(1); });
    setValue(DEFAULT_REFERENCE_PITCH);
}

void ReferencePitchStepper::setValue(int hertz) {
    myValue = std::clamp(hertz, MIN_REFERENCE_PITCH, MAX_REFERENCE_PITCH);
    myText->setText(QString::fromStdString(referencePitchText(myValue)));
    myDownButton->setEnabled(myValue > MIN_REFERENCE_PITCH);
    myUpButton->setEnabled(myValue < MAX_REFERENCE_PITCH);
}

void ReferencePitchStepper::step(int direction) {
    const int before = myValue;
    setValue(myValue + (direction < 0 ? -1 : 1));
    if (myValue != before) {
        emit valueChanged(myValue);
    }
}

void ReferencePitchStepper::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Left:
    case Qt::Key_Minus:
        step(-1);
        break;
    case Qt::Key_Right:
    case Qt::Key_Plus:
        step(1);
        break;
    case Qt::Key_Up:
    case Qt::Key_Down:
        // On to the row above or below, as in the rest of the table.
        focusNextPrevChild(event->key() == Qt::Key_Down);
        break;
    default:
        QWidget::keyPressEvent(event);
        return;
    }
    event->accept();
}

} // namespace ovra
