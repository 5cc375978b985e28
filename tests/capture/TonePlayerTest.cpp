// SPDX-License-Identifier: GPL-3.0-or-later
// The tone player where there is nothing to play on.
#include "CaptureTestSupport.hpp"
#include "capture/AudioTonePlayer.hpp"
#include "common/LogCapture.hpp"

#include <QTemporaryDir>

namespace ovra::test {
namespace {

TEST(AudioTonePlayer, WithoutAnAudioOutputSaysSoOnceAndPlaysNothing) {
    QTemporaryDir dir;
    // Read when Qt first asks for the devices, which this process has not.
    qputenv("PULSE_SERVER", dir.filePath("no-server").toLocal8Bit());
    ensureApplication();
    LogCapture log;
    AudioTonePlayer player;
    for (const double frequency : {110.0, 82.4}) {
        player.play(frequency);
        EXPECT_FALSE(player.isPlaying());
        player.stop();
    }
    ASSERT_EQ(log.lines().size(), 1u);
    EXPECT_EQ(log.lines()[0], "No audio output: the strings' tones cannot be played");
}

} // namespace
} // namespace ovra::test
