#pragma once

#include "WidgetTestApplication.hpp"

#include "app/OvraTunerAppDelegate.hpp"
#include "capture/CaptureThread.hpp"
#include "capture/CorvaneAudioTrapper.hpp"
#include "capture/ScriptedAudioQueue.hpp"

#include <QApplication>
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <memory>
#include <thread>

namespace ovra::test {

// The bytes of a string literal, embedded NULs included.
template <size_t N> QByteArray bytes(const char (&literal)[N]) {
    return QByteArray(literal, static_cast<qsizetype>(N - 1));
}

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
    // The text stored for a key in the file on disk ("key=value" lines), or
    // a null string when the file has no such line.
    QString fileValue(const char* key) const {
        const QRegularExpression line(
            QStringLiteral("^%1=(.*)$").arg(QRegularExpression::escape(key)),
            QRegularExpression::MultilineOption);
        const auto match = line.match(QString::fromUtf8(fileContents()));
        return match.hasMatch() ? match.captured(1).trimmed() : QString();
    }

private:
    QTemporaryDir myDir;
};

// Polls `condition`, letting the main thread's events run, until it holds or
// `timeout` passes.
inline bool eventually(const std::function<bool()>& condition,
                       std::chrono::milliseconds timeout = std::chrono::seconds(10)) {
    const auto end = std::chrono::steady_clock::now() + timeout;
    while (!condition()) {
        if (std::chrono::steady_clock::now() > end) {
            return false;
        }
        QTest::qWait(5);
    }
    return true;
}

// The queues of a scripted source (which delivers nothing unless told to),
// each shortening its capture object's event-loop slices so that a stopped
// capture thread ends soon after.
inline AudioQueueFactory quickFactory(const std::shared_ptr<ScriptedAudioSource>& source) {
    AudioQueueFactory make = source->factory();
    return [make] {
        if (auto trapper = CorvaneAudioTrapper::sharedAudioTrapper()) {
            trapper->setEventLoopSliceForTesting(std::chrono::milliseconds(20));
        }
        return make();
    };
}

// A delegate's options for tests: this audio, and the life-cycle calls left
// to the test.
inline OvraTunerAppDelegate::Options testOptions(AudioQueueFactory factory) {
    OvraTunerAppDelegate::Options options;
    options.audioQueueFactory = std::move(factory);
    options.followApplicationState = false;
    return options;
}

// Capture threads end before the next test starts.
inline void finishCapture() {
    EXPECT_TRUE(finishCaptureThreads(std::chrono::seconds(20)));
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
        finishCapture();
    }
    void launch() {
        delegate = std::make_unique<OvraTunerAppDelegate>(testOptions(quickFactory(source)));
        delegate->applicationDidFinishLaunching();
    }

    TemporaryPreferences store;
    std::shared_ptr<ScriptedAudioSource> source = ScriptedAudioSource::create();
    std::unique_ptr<OvraTunerAppDelegate> delegate;
};

} // namespace ovra::test
