// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "AnalysisDoubles.hpp"
#include "ScriptedAudioQueue.hpp"
#include "capture/CaptureThread.hpp"
#include "capture/CorvaneAudioTrapper.hpp"

#include <QCoreApplication>
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <thread>
#include <vector>

namespace ovra::test {

using namespace std::chrono_literals;

// Capture threads run Qt event loops, which need an application object.
inline void ensureApplication() {
    static int argc = 1;
    static char name[] = "capture_tests";
    static char* argv[] = {name, nullptr};
    if (QCoreApplication::instance() == nullptr) {
        new QCoreApplication(argc, argv);
    }
}

// A capture object with short event-loop slices and a recording delegate, on
// queues of the test's choice. Every capture thread has ended when a test is over.
class CaptureTest : public ::testing::Test {
protected:
    void SetUp() override { ensureApplication(); }
    void TearDown() override {
        if (trapper) {
            trapper->stopAudioTrapper();
        }
        EXPECT_TRUE(finishCaptureThreads(5s));
    }

    void useQueues(AudioQueueFactory factory) {
        trapper = CorvaneAudioTrapper::create(std::move(factory));
        trapper->setEventLoopSliceForTesting(100ms);
        trapper->setDelegate(delegate);
    }
    // The scripted source, delivering a buffer of a steady note every 5 ms.
    void useScriptedNote(double frequency) {
        source->setInterval(5ms);
        source->setFiller([frequency](int16_t* samples, uint32_t count) {
            const auto tone = harmonicTone(frequency, count);
            std::copy(tone.begin(), tone.end(), samples);
        });
        useQueues(source->factory());
    }

    std::shared_ptr<ScriptedAudioSource> source = ScriptedAudioSource::create();
    std::shared_ptr<CorvaneAudioTrapper> trapper;
    std::shared_ptr<RecordingDelegate> delegate = std::make_shared<RecordingDelegate>();
};

} // namespace ovra::test
