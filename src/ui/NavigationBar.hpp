// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLabel>
#include <QPushButton>
#include <QString>
#include <QWidget>

namespace ovra {

// The bar at the top of a screen: a centred title and a Done button on the
// left.
class NavigationBar : public QWidget {
    Q_OBJECT

public:
    static constexpr int HEIGHT = 44;

    explicit NavigationBar(const QString& title, QWidget* parent = nullptr);

signals:
    void doneClicked();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void layoutContents();

    QLabel* myTitle = nullptr;
    QPushButton* myDoneButton = nullptr;
};

} // namespace ovra
