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
using test::SettingsStage;

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

class SettingsDialogs : public ::testing::Test {
protected:
    void SetUp() override {
        app.hyperactive = true;
        app.threshold = 900;
        app.sensitivity = 0.1f;
        stage = std::make_unique<SettingsStage>();
        ASSERT_TRUE(stage->exposed);
        stage->showPanel();
    }
    void TearDown() override { stage.reset(); }

    // Taps the reset row and returns the dialog it opened.
    QMessageBox* tapReset() {
        stage->click(stage->panel->resetToDefaultCell());
        return stage->panel->alertView();
    }

    RecordingAppDelegate app;
    test::UrlRecorder browser{QStringLiteral("https")};
    std::unique_ptr<SettingsStage> stage;
};

TEST_F(SettingsDialogs, ResetRowAsksForConfirmation) {
    QMessageBox* box = tapReset();
    ASSERT_NE(box, nullptr);
    EXPECT_TRUE(box->isVisible());
    EXPECT_EQ(box->windowTitle(), QStringLiteral("Reset settings?"));
    EXPECT_EQ(box->informativeText(),
              QStringLiteral("This will reset the settings to their default values.  Proceed?"));
    EXPECT_EQ(buttonTitles(box), (QStringList{QStringLiteral("Cancel"), QStringLiteral("OK")}));
    // Nothing changes before the answer.
    EXPECT_EQ(app.defaultThresholdCalls, 0);
    EXPECT_TRUE(app.hyperactivityCalls.empty());
}

TEST_F(SettingsDialogs, CancelChangesNothing) {
    QMessageBox* box = tapReset();
    ASSERT_NE(box, nullptr);
    QTest::mouseClick(buttonTitled(box, QStringLiteral("Cancel")), Qt::LeftButton);
    EXPECT_FALSE(box->isVisible());
    EXPECT_EQ(app.defaultThresholdCalls, 0);
    EXPECT_TRUE(app.hyperactivityCalls.empty());
    EXPECT_EQ(app.threshold, 900);
    EXPECT_TRUE(app.hyperactive);
    EXPECT_EQ(stage->panel->volumeSensitivitySlider()->floatValue(), 0.1f);
    EXPECT_EQ(stage->panel->reactivitySegmentView()->selectedSegmentIndex(), 1);
}

TEST_F(SettingsDialogs, OkResetsThresholdAndReactivityAndTheTableFollows) {
    QMessageBox* box = tapReset();
    ASSERT_NE(box, nullptr);
    QTest::mouseClick(buttonTitled(box, QStringLiteral("OK")), Qt::LeftButton);
    EXPECT_EQ(app.defaultThresholdCalls, 1);
    EXPECT_EQ(app.hyperactivityCalls, std::vector<bool>{false});
    EXPECT_EQ(app.threshold, 500);
    EXPECT_FALSE(app.hyperactive);
    EXPECT_EQ(stage->panel->volumeSensitivitySlider()->floatValue(),
              RecordingAppDelegate::DEFAULT_SENSITIVITY);
    EXPECT_EQ(stage->panel->reactivitySegmentView()->selectedSegmentIndex(), 0);
    // The table shows the same rows again.
    EXPECT_EQ(stage->panel->tableView()->numberOfShownRows(), 4);
    EXPECT_TRUE(app.sensitivityCalls.empty());
}

TEST_F(SettingsDialogs, EscapeAnswersCancel) {
    QMessageBox* box = tapReset();
    ASSERT_NE(box, nullptr);
    QTest::keyClick(box, Qt::Key_Escape);
    EXPECT_EQ(app.defaultThresholdCalls, 0);
    EXPECT_TRUE(app.hyperactivityCalls.empty());
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
    stage->panel->showConfirmationDialogWithTitle(QStringLiteral("Hide?"), QStringLiteral("Sure?"),
                                                  &OvraSettings::hideSettings);
    QMessageBox* box = stage->panel->alertView();
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->windowTitle(), QStringLiteral("Hide?"));
    stage->panel->alertViewClickedButtonAtIndex(box, OvraSettings::CANCEL_BUTTON_INDEX);
    EXPECT_EQ(stage->panel->frame(), stage->panel->onscreenFrame());
    stage->panel->alertViewClickedButtonAtIndex(box, 1);
    EXPECT_EQ(stage->panel->frame(), stage->panel->offscreenFrame());
    EXPECT_EQ(app.defaultThresholdCalls, 0);
}

TEST_F(SettingsDialogs, AboutRowShowsVersionAndCredits) {
    stage->click(stage->panel->aboutCell());
    QMessageBox* about = stage->panel->aboutDialog();
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

TEST_F(SettingsDialogs, AboutMessageKeepsTheVersionOfWhenThePanelWasBuilt) {
    app.version = "8.0";
    stage->panel->showAbout();
    EXPECT_TRUE(stage->panel->aboutDialog()->informativeText().startsWith(
        QStringLiteral("OvraTuner version 7.3.1-test\n")));
}

TEST_F(SettingsDialogs, AboutOkDoesNothingElse) {
    stage->click(stage->panel->aboutCell());
    QMessageBox* about = stage->panel->aboutDialog();
    QTest::mouseClick(buttonTitled(about, QStringLiteral("OK")), Qt::LeftButton);
    EXPECT_FALSE(about->isVisible());
    EXPECT_TRUE(browser.opened.isEmpty());
    EXPECT_EQ(app.defaultThresholdCalls, 0);
    EXPECT_TRUE(app.hyperactivityCalls.empty());
    EXPECT_TRUE(app.sensitivityCalls.empty());
    // The same dialog opens again.
    stage->panel->showAbout();
    EXPECT_EQ(stage->panel->aboutDialog(), about);
    EXPECT_TRUE(about->isVisible());
}

TEST_F(SettingsDialogs, VisitWebSiteOpensTheProductPageAndChangesNoSetting) {
    stage->click(stage->panel->aboutCell());
    QMessageBox* about = stage->panel->aboutDialog();
    QTest::mouseClick(buttonTitled(about, QStringLiteral("Visit web site")), Qt::LeftButton);
    ASSERT_EQ(browser.opened.size(), 1);
    const QUrl page = browser.opened.front();
    EXPECT_EQ(page.path(), QStringLiteral("/iphone/ovratuner"));
    EXPECT_EQ(page.scheme(), QStringLiteral("https"));
    EXPECT_FALSE(page.host().isEmpty());
    EXPECT_EQ(page, stage->panel->productWebPage());
    EXPECT_EQ(app.defaultThresholdCalls, 0);
    EXPECT_TRUE(app.hyperactivityCalls.empty());
    EXPECT_TRUE(app.sensitivityCalls.empty());
    EXPECT_EQ(app.threshold, 900);
}

TEST_F(SettingsDialogs, ControlRowsOpenNoDialog) {
    stage->panel->didSelectRowAtIndexPath(IndexPath{0, 0});
    stage->panel->didSelectRowAtIndexPath(IndexPath{1, 0});
    stage->panel->didSelectRowAtIndexPath(IndexPath{7, 0});
    EXPECT_EQ(stage->panel->alertView(), nullptr);
    EXPECT_FALSE(stage->panel->aboutDialog()->isVisible());
}

} // namespace
} // namespace ovra
