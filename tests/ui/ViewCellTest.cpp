// The labelled table row that hosts the settings panel's reactivity switch.
#include "UiTestSupport.hpp"

#include "ui/PageIndicator.hpp"
#include "ui/WEXViewCellView.hpp"

#include <QPointer>
#include <QPushButton>

namespace ovra {
namespace {

class ViewCell : public test::UiTest {};

TEST_F(ViewCell, HostsOneViewAtATimeWidening160OnlyForPageIndicators) {
    QPointer<QWidget> selector;
    {
        WEXViewCellView cell(QRect(0, 0, 300, 44));
        cell.show();
        auto* dots = new PageIndicator();
        dots->setGeometry(10, 5, 200, 30);
        cell.setView(dots);
        EXPECT_EQ(dots->geometry(), QRect(10, 5, 160, 30));
        EXPECT_TRUE(dots->isVisible());

        selector = new QPushButton("Smooth");
        selector->setGeometry(110, 7, 180, 30);
        cell.setView(selector);
        EXPECT_EQ(selector->geometry(), QRect(110, 7, 180, 30));
        EXPECT_EQ(dots->parentWidget(), nullptr) << "the first is handed back";
        EXPECT_TRUE(selector->isVisible());
        delete dots;

        cell.layoutSubviews();
        EXPECT_EQ(cell.nameLabel()->geometry(), QRect(-8, 8, 300, 25));
        cell.setSelected(true, false);
        EXPECT_TRUE(cell.nameLabel()->isHighlighted());
    }
    EXPECT_TRUE(selector.isNull()) << "the hosted view goes with the row";
}

} // namespace
} // namespace ovra
