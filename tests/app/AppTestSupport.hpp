// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "WidgetTestApplication.hpp"

#include "ScriptedAudioQueue.hpp"
#include "app/OvraTunerAppDelegate.hpp"
#include "capture/CaptureThread.hpp"
#include "capture/CorvaneAudioTrapper.hpp"

#include <QApplication>
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <chrono>
#include <memory>

namespace ovra::test {

// Points the preference store at an empty folder of its own for one test.
class TemporaryPreferences {
public:
    TemporaryPreferences() {
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, myDir.path());
    }
    bool isValid() const { return myDir.isValid(); }
    QString folder() const { return myDir.path() + QStringLiteral("/OvraTuner"); }
    QString filePath() const { return folder() + QStringLiteral("/OvraTuner.conf"); }

    // Replaces the file with these bytes (before anything reads it).
    void writeFile(const QByteArray& contents) const {
        QDir().mkpath(folder());
        QFile file(filePath());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(contents);
    }
    QByteArray fileContents() const {
        QFile file(filePath());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    // The text stored for a key in the file on disk, or a null string.
    QString fileValue(const char* key) const {
        return QSettings(filePath(), QSettings::IniFormat).value(QLatin1String(key)).toString();
    }

private:
    QTemporaryDir myDir;
};

// A delegate's options for tests: this audio, and the life-cycle calls left
// to the test.
inline OvraTunerAppDelegate::Options testOptions(AudioQueueFactory factory) {
    OvraTunerAppDelegate::Options options;
    options.audioQueueFactory = std::move(factory);
    options.followApplicationState = false;
    return options;
}

// The application launched as main() launches it, with its own preferences
// folder and a scripted sound source.
class LaunchedTuner : public ::testing::Test {
protected:
    void SetUp() override {
        ensureWidgetApplication();
        ASSERT_TRUE(store.isValid());
    }
    void TearDown() override {
        delegate.reset();
        EXPECT_EQ(OvraTunerAppDelegate::sharedAppDelegate(), nullptr);
        EXPECT_TRUE(finishCaptureThreads(std::chrono::seconds(20))) << "capture stopped";
    }
    void launch() {
        // Short event-loop slices: a stopped capture thread ends soon after.
        AudioQueueFactory queues = [make = source->factory()] {
            if (auto trapper = CorvaneAudioTrapper::sharedAudioTrapper()) {
                trapper->setEventLoopSliceForTesting(std::chrono::milliseconds(20));
            }
            return make();
        };
        delegate = std::make_unique<OvraTunerAppDelegate>(testOptions(std::move(queues)));
        delegate->applicationDidFinishLaunching();
    }

    TemporaryPreferences store;
    std::shared_ptr<ScriptedAudioSource> source = ScriptedAudioSource::create();
    std::unique_ptr<OvraTunerAppDelegate> delegate;
};

} // namespace ovra::test
