// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/PageIndicator.hpp"

#include <QPainter>

#include <algorithm>

namespace ovra {

namespace {
constexpr int DOT_DIAMETER = 7;
constexpr int DOT_SPACING = 16;
} // namespace

PageIndicator::PageIndicator(QWidget* parent) : QWidget(parent) {}

void PageIndicator::setNumberOfPages(int pages) {
    myNumberOfPages = std::max(0, pages);
    setCurrentPage(myCurrentPage);
    updateGeometry();
    update();
}

void PageIndicator::setCurrentPage(int page) {
    myCurrentPage = myNumberOfPages == 0 ? 0 : std::clamp(page, 0, myNumberOfPages - 1);
    update();
}

QSize PageIndicator::sizeHint() const {
    return QSize(std::max(1, myNumberOfPages) * DOT_SPACING, 36);
}

void PageIndicator::paintEvent(QPaintEvent* event) {
    (void)event;
    if (myNumberOfPages == 0) {
        return;
    }
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const int rowWidth = myNumberOfPages * DOT_SPACING;
    const double left = (width() - rowWidth) / 2.0 + (DOT_SPACING - DOT_DIAMETER) / 2.0;
    const double top = (height() - DOT_DIAMETER) / 2.0;
    const QColor current = palette().color(QPalette::WindowText);
    QColor other = current;
    other.setAlphaF(0.3f);
    painter.setPen(Qt::NoPen);
    for (int i = 0; i < myNumberOfPages; ++i) {
        painter.setBrush(i == myCurrentPage ? current : other);
        painter.drawEllipse(QRectF(left + i * DOT_SPACING, top, DOT_DIAMETER, DOT_DIAMETER));
    }
}

} // namespace ovra
