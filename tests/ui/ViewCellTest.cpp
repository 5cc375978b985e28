#include "UiTestSupport.hpp"

#include "ui/PageIndicator.hpp"
#include "ui/WEXViewCellView.hpp"

#include <QPointer>
#include <QPushButton>

#include <memory>

namespace ovra {
namespace {

class ViewCell : public test::UiTest {
protected:
    WEXViewCellView cell{QRect(0, 0, 300, 44)};
};

TEST_F(ViewCell, LabelLookAndFrameRule) {
    HighlightLabel* label = cell.nameLabel();
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->parentWidget(), cell.contentView());
    EXPECT_TRUE(label->font().bold());
    EXPECT_EQ(label->font().pixelSize(), 18);
    EXPECT_EQ(label->textColor(), QColor(Qt::black));
    EXPECT_EQ(label->highlightedTextColor(), QColor(Qt::black));
    EXPECT_FALSE(label->autoFillBackground());
    EXPECT_TRUE(label->text().isEmpty());
    EXPECT_EQ(cell.selectionStyle(), WEXViewCellView::SELECTION_STYLE_NONE);

    cell.layoutSubviews();
    EXPECT_EQ(cell.contentView()->geometry(), QRect(0, 0, 300, 44));
    EXPECT_EQ(label->geometry(), QRect(-8, 8, 300, 25));
}

TEST_F(ViewCell, LabelFollowsAResizedRow) {
    WEXViewCellView cell(QRect(0, 0, 300, 44), "reactivity");
    EXPECT_EQ(cell.reuseIdentifier(), QString("reactivity"));
    cell.show();
    cell.resize(250, 60);
    EXPECT_EQ(cell.nameLabel()->geometry(), QRect(-8, 8, 250, 25));
}

TEST_F(ViewCell, PageIndicatorGetsWidth160OthersKeepTheirFrame) {
    auto* dots = new PageIndicator();
    dots->setGeometry(10, 5, 200, 30);
    cell.setView(dots);
    EXPECT_EQ(dots->geometry(), QRect(10, 5, 160, 30));
    EXPECT_EQ(dots->parentWidget(), cell.contentView());

    auto* selector = new QPushButton("Smooth");
    selector->setGeometry(110, 7, 180, 30);
    cell.setView(selector);
    cell.layoutSubviews();
    EXPECT_EQ(selector->geometry(), QRect(110, 7, 180, 30));
    delete dots; // handed back when replaced
}

// A subclass of the indicator is still an indicator.
class StyledDots : public PageIndicator {
public:
    using PageIndicator::PageIndicator;
};

TEST_F(ViewCell, PageIndicatorSubclassesAreRecognised) {
    auto* dots = new StyledDots();
    dots->setGeometry(0, 0, 40, 10);
    cell.setView(dots);
    EXPECT_EQ(dots->geometry(), QRect(0, 0, 160, 10));
}

TEST_F(ViewCell, HostingASecondViewTakesTheFirstOut) {
    auto first = std::make_unique<QWidget>();
    auto* second = new QWidget();
    cell.setView(first.get());
    EXPECT_EQ(first->parentWidget(), cell.contentView());
    cell.setView(second);
    EXPECT_EQ(first->parentWidget(), nullptr);
    EXPECT_FALSE(cell.contentView()->children().contains(first.get()));
    EXPECT_EQ(cell.view(), second);
    EXPECT_TRUE(cell.contentView()->children().contains(second));
}

TEST_F(ViewCell, HostingTheSameViewAgainKeepsItOnce) {
    auto* view = new QWidget();
    view->setGeometry(3, 4, 50, 20);
    cell.setView(view);
    cell.setView(view);
    EXPECT_EQ(cell.view(), view);
    EXPECT_EQ(cell.contentView()->children().count(view), 1);
    EXPECT_EQ(view->geometry(), QRect(3, 4, 50, 20));
}

TEST_F(ViewCell, HostedViewShowsWithTheRow) {
    auto* early = new QWidget();
    cell.setView(early);
    EXPECT_FALSE(early->isVisible());
    cell.show();
    EXPECT_TRUE(early->isVisible());
    auto* late = new QWidget();
    cell.setView(late);
    EXPECT_TRUE(late->isVisible());
    EXPECT_FALSE(early->isVisible());
    delete early;
}

TEST_F(ViewCell, HostedViewLivesAndDiesWithTheRow) {
    QPointer<QWidget> hosted;
    {
        WEXViewCellView row(QRect(0, 0, 300, 44));
        hosted = new QWidget();
        row.setView(hosted);
    }
    EXPECT_TRUE(hosted.isNull());
}

TEST_F(ViewCell, HostingNothingClearsTheRow) {
    auto view = std::make_unique<QWidget>();
    cell.setView(view.get());
    cell.setView(nullptr);
    EXPECT_EQ(cell.view(), nullptr);
    EXPECT_EQ(view->parentWidget(), nullptr);
}

TEST_F(ViewCell, SelectionOnlyHighlightsTheLabel) {
    cell.setSelected(true, false);
    EXPECT_TRUE(cell.isSelected());
    EXPECT_TRUE(cell.nameLabel()->isHighlighted());
    EXPECT_EQ(cell.nameLabel()->currentTextColor(), QColor(Qt::black));
    cell.setSelected(false, true);
    EXPECT_FALSE(cell.nameLabel()->isHighlighted());
}

TEST_F(ViewCell, ReplacingTheLabelLaysOutTheNewOne) {
    QPointer<HighlightLabel> old = cell.nameLabel();
    auto* label = new HighlightLabel();
    cell.setNameLabel(label);
    EXPECT_TRUE(old.isNull());
    EXPECT_EQ(cell.nameLabel(), label);
    EXPECT_EQ(label->parentWidget(), cell.contentView());
    EXPECT_EQ(label->geometry(), QRect(-8, 8, 300, 25));
    cell.setSelected(true, false);
    EXPECT_TRUE(label->isHighlighted());
}

TEST_F(ViewCell, PageIndicatorKeepsItsCurrentPageInRange) {
    PageIndicator dots;
    dots.setCurrentPage(3);
    EXPECT_EQ(dots.currentPage(), 0);
    dots.setNumberOfPages(4);
    dots.setCurrentPage(3);
    EXPECT_EQ(dots.currentPage(), 3);
    dots.setNumberOfPages(2);
    EXPECT_EQ(dots.currentPage(), 1);
    dots.setCurrentPage(-5);
    EXPECT_EQ(dots.currentPage(), 0);
}

TEST_F(ViewCell, PageIndicatorDrawsOneDotPerPage) {
    PageIndicator dots;
    dots.setNumberOfPages(3);
    dots.setCurrentPage(1);
    dots.resize(48, 20);
    const QImage picture = dots.grab().toImage();
    // Dots are centred in 16-point slots; the row is 48 wide.
    int dotsFound = 0;
    for (int slot = 0; slot < 3; ++slot) {
        const QColor c = picture.pixelColor(slot * 16 + 8, 10);
        dotsFound += c != picture.pixelColor(slot * 16 + 1, 1) ? 1 : 0;
    }
    EXPECT_EQ(dotsFound, 3);
    const QColor current = picture.pixelColor(24, 10);
    const QColor other = picture.pixelColor(8, 10);
    EXPECT_NE(current, other);
}

} // namespace
} // namespace ovra
