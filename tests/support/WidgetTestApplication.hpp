// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QApplication>
#include <QLocale>

#include <gtest/gtest.h>

namespace ovra::test {

// Widgets need a QApplication. One serves the whole test program; it is made
// on first need (or before the first test) and destroyed after the last
// test, so that Qt lets go of its fonts before the leak check.
class WidgetApplicationEnvironment : public ::testing::Environment {
public:
    static QApplication* application() {
        static int argc = 1;
        static char name[] = "ovratuner-tests";
        static char* argv[] = {name, nullptr};
        if (myApplication == nullptr) {
            myApplication = new QApplication(argc, argv);
            // Numbers as the sources write them, whatever LANG the tests run under.
            QLocale::setDefault(QLocale::c());
        }
        return myApplication;
    }
    void SetUp() override { application(); }
    void TearDown() override {
        delete myApplication;
        myApplication = nullptr;
    }

private:
    static inline QApplication* myApplication = nullptr;
};

inline ::testing::Environment* const WIDGET_APPLICATION_ENVIRONMENT =
    ::testing::AddGlobalTestEnvironment(new WidgetApplicationEnvironment);

inline void ensureWidgetApplication() {
    WidgetApplicationEnvironment::application();
}

} // namespace ovra::test
