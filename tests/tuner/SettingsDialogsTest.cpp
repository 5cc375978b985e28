// The reset confirmation and the About dialog, answered as a user would.
#include "SettingsTestSupport.hpp"
#include "UrlRecorder.hpp"

#include "tuner/FloatSlider.hpp"
#include "tuner/SegmentedControl.hpp"

#include <QAbstractButton>
#include <QMessageBox>

#include <gtest/gtest.h>

namespace ovra {
namespace {

using test::RecordingAppDelegate;

QAbstractButton* buttonTitled(QMessageBox* box, const QString& title) {
    for (QAbstractButton* button : box->buttons()) {
        if (button->text() == title) {
            return button;
        }
    }
    return nullptr;
}

QStringList buttonTitles(QMessageBox* box) {
    QStringList titles;
    for (QAbstractButton* button : box->buttons()) {
        titles << button->text();
    }
    titles.sort();
    return titles;
}

class SettingsDialogs : public test::SettingsFixture {
protected:
    void SetUp() override {
        app.hyperactive = true;
        app.threshold = 900;
        app.sensitivity = 0.1f;
        SettingsFixture::SetUp();
        ASSERT_FALSE(HasFatalFailure());
        stage->showPanel();
    }

    // Taps the reset row and returns the dialog it opened.
    QMessageBox* tapReset() {
        stage->click(panel->resetToDefaultCell());
        return panel->alertView();
    }
    void expectNoSettingChanged() {
        EXPECT_EQ(app.defaultThresholdCalls, 0);
        EXPECT_TRUE(app.hyperactivityCalls.empty());
        EXPECT_TRUE(app.sensitivityCalls.empty());
        EXPECT_EQ(app.threshold, 900);
        EXPECT_TRUE(app.hyperactive);
    }

    test::UrlRecorder browser{QStringLiteral("https")};
};

TEST_F(SettingsDialogs, ResetRowAsksForConfirmation) {
    QMessageBox* box = tapReset();
    ASSERT_NE(box, nullptr);
    EXPECT_TRUE(box->isVisible());
    EXPECT_EQ(box->windowTitle(), QStringLiteral("Reset settings?"));
    EXPECT_EQ(box->informativeText(),
              QStringLiteral("This will reset the settings to their default values.  Proceed?"));
    EXPECT_EQ(buttonTitles(box), (QStringList{QStringLiteral("Cancel"), QStringLiteral("OK")}));
    expectNoSettingChanged(); // before the answer
}

TEST_F(SettingsDialogs, CancelOrEscapeChangesNothing) {
    for (bool escape : {false, true}) {
        QMessageBox* box = tapReset();
        ASSERT_NE(box, nullptr);
        if (escape) {
            QTest::keyClick(box, Qt::Key_Escape);
        } else {
            QTest::mouseClick(buttonTitled(box, QStringLiteral("Cancel")), Qt::LeftButton);
        }
        EXPECT_FALSE(box->isVisible()) << "escape " << escape;
        expectNoSettingChanged();
        EXPECT_EQ(panel->volumeSensitivitySlider()->floatValue(), 0.1f);
        EXPECT_EQ(panel->reactivitySegmentView()->selectedSegmentIndex(), 1);
    }
}

TEST_F(SettingsDialogs, OkResetsThresholdAndReactivityAndTheTableFollows) {
    QMessageBox* box = tapReset();
    ASSERT_NE(box, nullptr);
    QTest::mouseClick(buttonTitled(box, QStringLiteral("OK")), Qt::LeftButton);
    EXPECT_EQ(app.defaultThresholdCalls, 1);
    EXPECT_EQ(app.hyperactivityCalls, std::vector<bool>{false});
    EXPECT_EQ(app.threshold, 500);
    EXPECT_FALSE(app.hyperactive);
    EXPECT_EQ(panel->volumeSensitivitySlider()->floatValue(),
              RecordingAppDelegate::DEFAULT_SENSITIVITY);
    EXPECT_EQ(panel->reactivitySegmentView()->selectedSegmentIndex(), 0);
    EXPECT_EQ(panel->tableView()->numberOfShownRows(), 4) << "the same rows again";
    EXPECT_TRUE(app.sensitivityCalls.empty());
}

TEST_F(SettingsDialogs, NewConfirmationReplacesTheOpenOne) {
    QMessageBox* first = tapReset();
    ASSERT_NE(first, nullptr);
    QPointer<QMessageBox> watch(first);
    QMessageBox* second = tapReset();
    EXPECT_TRUE(watch.isNull());
    ASSERT_NE(second, nullptr);
    QTest::mouseClick(buttonTitled(second, QStringLiteral("OK")), Qt::LeftButton);
    EXPECT_EQ(app.defaultThresholdCalls, 1);
}

TEST_F(SettingsDialogs, ConfirmationRunsTheActionItWasOpenedWith) {
    panel->showConfirmationDialogWithTitle(QStringLiteral("Hide?"), QStringLiteral("Sure?"),
                                           &OvraSettings::hideSettings);
    QMessageBox* box = panel->alertView();
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->windowTitle(), QStringLiteral("Hide?"));
    panel->alertViewClickedButtonAtIndex(box, OvraSettings::CANCEL_BUTTON_INDEX);
    EXPECT_EQ(panel->frame(), panel->onscreenFrame());
    panel->alertViewClickedButtonAtIndex(box, 1);
    EXPECT_EQ(panel->frame(), panel->offscreenFrame());
    EXPECT_EQ(app.defaultThresholdCalls, 0);
}

TEST_F(SettingsDialogs, AboutRowShowsCreditsAndTheVersionOfWhenThePanelWasBuilt) {
    app.version = "8.0";
    stage->click(panel->aboutCell());
    QMessageBox* about = panel->aboutDialog();
    ASSERT_NE(about, nullptr);
    EXPECT_TRUE(about->isVisible());
    EXPECT_EQ(about->windowTitle(), QStringLiteral("About OvraTuner"));
    EXPECT_EQ(about->text(), QStringLiteral("About OvraTuner"));
    EXPECT_EQ(about->informativeText(),
              QStringLiteral("OvraTuner version 7.3.1-test\n\nProgramming:\n"
                             "The OvraTuner developers\n\nGraphics:\n"
                             "The OvraTuner developers\n"));
    EXPECT_EQ(buttonTitles(about),
              (QStringList{QStringLiteral("OK"), QStringLiteral("Visit web site")}));
}

TEST_F(SettingsDialogs, AboutOkDoesNothingElse) {
    stage->click(panel->aboutCell());
    QMessageBox* about = panel->aboutDialog();
    QTest::mouseClick(buttonTitled(about, QStringLiteral("OK")), Qt::LeftButton);
    EXPECT_FALSE(about->isVisible());
    EXPECT_TRUE(browser.opened.isEmpty());
    expectNoSettingChanged();
    // The same dialog opens again.
    panel->showAbout();
    EXPECT_EQ(panel->aboutDialog(), about);
    EXPECT_TRUE(about->isVisible());
}

TEST_F(SettingsDialogs, VisitWebSiteOpensTheProductPageAndChangesNoSetting) {
    stage->click(panel->aboutCell());
    QMessageBox* about = panel->aboutDialog();
    QTest::mouseClick(buttonTitled(about, QStringLiteral("Visit web site")), Qt::LeftButton);
    ASSERT_EQ(browser.opened.size(), 1);
    const QUrl page = browser.opened.front();
    EXPECT_EQ(page.path(), QStringLiteral("/iphone/ovratuner"));
    EXPECT_EQ(page.scheme(), QStringLiteral("https"));
    EXPECT_FALSE(page.host().isEmpty());
    EXPECT_EQ(page, panel->productWebPage());
    expectNoSettingChanged();
}

TEST_F(SettingsDialogs, ControlRowsOpenNoDialog) {
    panel->didSelectRowAtIndexPath(IndexPath{0, 0});
    panel->didSelectRowAtIndexPath(IndexPath{1, 0});
    panel->didSelectRowAtIndexPath(IndexPath{7, 0});
    EXPECT_EQ(panel->alertView(), nullptr);
    EXPECT_FALSE(panel->aboutDialog()->isVisible());
}

} // namespace
} // namespace ovra
