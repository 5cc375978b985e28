// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/NavigationBar.hpp"

#include <QCoreApplication>
#include <QResizeEvent>

#include <algorithm>

namespace ovra {

namespace {

constexpr int BUTTON_LEFT = 6;
constexpr int BUTTON_HEIGHT = 30;
constexpr int BUTTON_MIN_WIDTH = 54;

} // namespace

NavigationBar::NavigationBar(const QString& title, QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("navigationBar"));
    setAttribute(Qt::WA_StyledBackground, true);
    myTitle = new QLabel(title, this);
    myTitle->setObjectName(QStringLiteral("navigationTitle"));
    myTitle->setAlignment(Qt::AlignCenter);
    myDoneButton = new QPushButton(QCoreApplication::translate("NavigationBar", "Done"), this);
    myDoneButton->setObjectName(QStringLiteral("doneButton"));
    myDoneButton->setFocusPolicy(Qt::StrongFocus);
    connect(myDoneButton, &QPushButton::clicked, this, &NavigationBar::doneClicked);
    layoutContents();
}

void NavigationBar::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    layoutContents();
}

void NavigationBar::layoutContents() {
    const int buttonWidth = std::max(BUTTON_MIN_WIDTH, myDoneButton->sizeHint().width());
    myDoneButton->setGeometry(BUTTON_LEFT, (height() - BUTTON_HEIGHT) / 2, buttonWidth,
                              BUTTON_HEIGHT);
    // Centred on the bar, clear of the button on either side.
    const int inset = BUTTON_LEFT + buttonWidth + 4;
    myTitle->setGeometry(inset, 0, std::max(0, width() - 2 * inset), height());
}

} // namespace ovra
