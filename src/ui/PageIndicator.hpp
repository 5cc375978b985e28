// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QWidget>

namespace ovra {

// A row of dots, one per page, the current one filled: the small page
// indicator of touch screens, which Qt does not have. Part of the view kit's
// interface (the labelled cell widens it); the tuner's panel hosts none.
class PageIndicator : public QWidget {
    Q_OBJECT

public:
    explicit PageIndicator(QWidget* parent = nullptr);

    int numberOfPages() const { return myNumberOfPages; }
    void setNumberOfPages(int pages);
    // Clamped to 0 .. numberOfPages - 1 (0 without pages).
    int currentPage() const { return myCurrentPage; }
    void setCurrentPage(int page);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int myNumberOfPages = 0;
    int myCurrentPage = 0;
};

} // namespace ovra
