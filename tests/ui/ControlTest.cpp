// SPDX-License-Identifier: GPL-3.0-or-later
// Controls under real mouse events: the events they send, and what an image
// toggle button shows in each of its states; and the table row hosting a control.
#include "UiTestSupport.hpp"

#include "ui/Control.hpp"
#include "ui/PageIndicator.hpp"
#include "ui/WEXButton.hpp"
#include "ui/WEXToggleButton.hpp"
#include "ui/WEXViewCellView.hpp"

#include <QPointer>
#include <QPushButton>

#include <string>
#include <vector>

namespace ovra {
namespace {

class Controls : public test::UiTest {
protected:
    test::SceneWindow window{300, 200};
};

TEST_F(Controls, ClicksAndDragsOutAreTrackedLikeTouches) {
    auto* control = new Control(Rect{{50, 40}, {100, 50}});
    std::vector<std::string> events;
    for (const auto& [event, name] : {std::pair{ControlEventTouchDown, "down"},
                                      {ControlEventTouchUpInside, "up-in"},
                                      {ControlEventTouchUpOutside, "up-out"},
                                      {ControlEventTouchDragExit, "exit"}}) {
        control->addTarget(event, [&events, name = name] { events.push_back(name); });
    }
    window.root->addSubview(control);
    window.click(60, 50);
    EXPECT_EQ(events, (std::vector<std::string>{"down", "up-in"}));
    events.clear();
    window.press(60, 50);
    window.move(250, 150);
    window.release(250, 150);
    EXPECT_EQ(events, (std::vector<std::string>{"down", "exit", "up-out"}));
    events.clear();
    control->setEnabled(false);
    window.click(60, 50);
    EXPECT_TRUE(events.empty()) << "a disabled control sends nothing";
}

// A button at (20, 30) with a colour per picture; what it shows is read
// from the drawn scene.
class ToggleButtons : public Controls {
protected:
    template <typename Button> Button* place(bool withOn = true) {
        auto* button = new Button(Rect{{20, 30}, {0, 0}});
        button->setImage(test::solidPixmap(40, 20, Qt::red), ControlStateNormal);
        button->setImage(test::solidPixmap(40, 20, Qt::green), ControlStateHighlighted);
        button->setImage(test::solidPixmap(40, 20, Qt::blue), ControlStateDisabled);
        if (withOn) {
            button->setImage(test::solidPixmap(40, 20, Qt::yellow), ControlStateApplication);
        }
        button->addTarget(ControlEventTouchUpInside, [this] { ++upInside; });
        window.root->addSubview(button);
        return button;
    }
    QColor shown() { return window.drawnAt(30, 40); }

    int upInside = 0;
};

TEST_F(ToggleButtons, EachClickFlipsTheButtonAndItShowsTheStatesPicture) {
    auto* button = place<WEXToggleButton>();
    EXPECT_EQ(shown(), QColor(Qt::red));
    window.press(30, 40);
    EXPECT_EQ(shown(), QColor(Qt::green)) << "highlighted while held";
    window.release(30, 40);
    EXPECT_TRUE(button->isButtonOn());
    EXPECT_EQ(shown(), QColor(Qt::yellow));
    window.click(30, 40);
    EXPECT_EQ(shown(), QColor(Qt::red));
    EXPECT_EQ(upInside, 2);

    window.press(30, 40);
    window.move(150, 80);
    EXPECT_EQ(shown(), QColor(Qt::red)) << "dragged off, it shows its resting picture";
    window.release(150, 80);
    EXPECT_TRUE(button->isButtonOn()) << "released outside still flips";
    EXPECT_EQ(shown(), QColor(Qt::yellow));
    EXPECT_EQ(upInside, 2);

    button->setEnabled(false);
    EXPECT_EQ(shown(), QColor(Qt::blue));
}

TEST_F(ToggleButtons, WithoutAnOnPictureTheHighlightedShowsWhileOnAndAPushButtonNeverShowsIt) {
    place<WEXToggleButton>(false)->setButtonOn(true);
    EXPECT_EQ(shown(), QColor(Qt::green));
    auto* button = place<WEXButton>(); // drawn above the first
    window.click(30, 40);
    EXPECT_TRUE(button->isButtonOn());
    EXPECT_EQ(shown(), QColor(Qt::red));
}

// The labelled table row that hosts the settings panel's reactivity switch.
TEST_F(Controls, ATableRowHostsOneViewAtATimeWidening160OnlyForPageIndicators) {
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
